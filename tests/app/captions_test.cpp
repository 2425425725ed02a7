// The main window's captions per interface language and the keyboard layouts per source language.
#include "app/captions.h"
#include "app/keyboard_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(AppCaptions, EveryCodeGivesItsCaptionsAndOthersTheAzerbaijaniOnes) {
    struct Case {
        const wchar_t* code;
        const wchar_t* language;
        const wchar_t* tray;
        const wchar_t* search;
        const wchar_t* avto;
    };
    const Case cases[] = {
        {L"az", L"Dil seçimi", L"Aşağı sal", L"Axtar", L"Avtomatik axtarış            "},
        {L"tr", L"Dil seçimi", L"Systray'e indir", L"Ara", L"Otomatik arama               "},
        {L"ru", L"Язык", L"Свернуть", L"Поиск", L"Автоматический поиск"},
        {L"en", L"Language", L"Sys tray", L"Search", L"Automatic search            "},
        {L"EN", L"Dil seçimi", L"Aşağı sal", L"Axtar", L"Avtomatik axtarış            "},
        {L" en", L"Dil seçimi", L"Aşağı sal", L"Axtar", L"Avtomatik axtarış            "},
        {L"", L"Dil seçimi", L"Aşağı sal", L"Axtar", L"Avtomatik axtarış            "},
    };
    for (const auto& c : cases) {
        const app::Captions& got = app::captionsFor(c.code);
        EXPECT_EQ(got.toolButtons[0], c.language) << c.code;
        EXPECT_EQ(got.toolButtons[3], c.tray) << c.code;
        EXPECT_EQ(got.search, c.search) << c.code;
        EXPECT_EQ(got.avto, c.avto) << c.code;
        for (const auto& caption : got.toolButtons) EXPECT_FALSE(caption.empty()) << c.code;
    }
    EXPECT_EQ(app::captionsFor(L"az").toolButtons[1], L"Səsləndirmə");
    EXPECT_EQ(app::captionsFor(L"ru").toolButtons[2], L"О программе");
    EXPECT_EQ(app::captionsFor(L"tr").toolButtons[4], L"Çıkış");
}

TEST(AppKeyboardLayout, SourceLettersChooseLayoutsThroughTheSeam) {
    EXPECT_EQ(app::keyboardLayoutFor(L"E"), L"00000409");
    EXPECT_EQ(app::keyboardLayoutFor(L"russian"), L"00000419");
    EXPECT_EQ(app::keyboardLayoutFor(L"t"), L"0000041f");
    EXPECT_EQ(app::keyboardLayoutFor(L"A"), L"");
    EXPECT_EQ(app::keyboardLayoutFor(L""), L"");

    std::vector<std::wstring> loaded;
    auto previous = app::setKeyboardLayoutLoader([&](const std::wstring& id) { loaded.push_back(id); });
    app::activateKeyboardLayout(L"00000419");
    app::setKeyboardLayoutLoader(previous);
    EXPECT_EQ(loaded, std::vector<std::wstring>{L"00000419"});
}
