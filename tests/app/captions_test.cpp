// The main window's captions per interface language and the keyboard layouts per source language.
#include "app/captions.h"
#include "app/keyboard_layout.h"
#include "platform/data/errors.h"

#include <gtest/gtest.h>

#include <set>
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

TEST(AppMessages, EveryMessageHasFourTextsThatNameTheFileAlike) {
    const std::wstring file = L"C:\\Vexa\\oracle\\dat.vex";
    const wchar_t* const codes[] = {L"az", L"tr", L"ru", L"en"};
    for (int i = 0; i < app::kMessageCount; ++i) {
        const auto id = static_cast<app::Message>(i);
        const bool named = app::messageText(id, L"en", file).find(file) != std::wstring::npos;
        std::set<std::wstring> texts;
        for (int k = 0; k < 4; ++k) {
            const wchar_t* code = codes[k];
            const std::wstring text = app::messageText(id, code, file);
            EXPECT_FALSE(text.empty()) << i;
            EXPECT_EQ(text.find(L"%1"), std::wstring::npos) << i;
            EXPECT_EQ(text.find(file) != std::wstring::npos, named)
                << "message " << i << " in language " << k;
            texts.insert(text);
        }
        EXPECT_EQ(texts.size(), 4u) << "message " << i << " is not in four languages";
        EXPECT_EQ(app::messageText(id, L"EN", file), app::messageText(id, L"az", file)) << i;
    }
    EXPECT_EQ(app::messageText(app::Message::FileDamaged, L"az", L"x"),
              L"x faylı zədələnib və istifadə edilə bilməz.");
    EXPECT_EQ(app::messageText(app::Message::FileInUse, L"tr", L"x").substr(0, 20), L"x dosyası başka bir ");
    EXPECT_EQ(app::messageText(app::Message::FileMissing, L"ru", L"x"), L"Файл x не найден.");
}

TEST(AppMessages, FailuresAreWordedByTheirKindWithoutTheEnginesWords) {
    const std::wstring file = L"C:\\Vexa\\oracle\\lang.vex";
    struct Case {
        int number;
        app::Message id;
    } cases[] = {
        {data::err::DatabaseMissing, app::Message::FileMissing},
        {data::err::NotADatabase, app::Message::FileDamaged},
        {data::err::WrongPassword, app::Message::WrongPassword},
        {data::err::Locked, app::Message::FileInUse},
        {data::err::ReadOnly, app::Message::FileReadOnly},
        {data::err::FileError, app::Message::FileUnreadable},
        {data::err::DiskFull, app::Message::DiskFull},
        {data::err::NulText, app::Message::TextNotStorable},
        {data::err::Driver, app::Message::DatabaseError},
        {data::err::NoSuchField, app::Message::DatabaseError},
    };
    for (const auto& c : cases)
        for (const wchar_t* code : {L"az", L"tr", L"ru", L"en"}) {
            const data::DatabaseError e(c.number, L"*** in database main *** page 7: btree", file);
            EXPECT_EQ(app::failureText(e, code), app::messageText(c.id, code, file)) << c.number;
        }
    // A failure that names no file is worded without one.
    EXPECT_EQ(app::failureText(core::RuntimeError(core::err::TypeMismatch), L"ru"),
              app::messageText(app::Message::DatabaseErrorNoFile, L"ru"));
    // A system library missing, or lacking a function, is named whatever layer raised it.
    for (const wchar_t* code : {L"az", L"tr", L"ru", L"en"}) {
        EXPECT_EQ(app::failureText(core::LibraryError(L"odbc32.dll"), code),
                  app::messageText(app::Message::LibraryMissing, code, L"odbc32.dll"))
            << std::wstring(code);
        EXPECT_EQ(
            app::failureText(core::LibraryError(L"bcrypt.dll", L"BCryptDeriveKeyPBKDF2"), code),
            app::messageText(app::Message::FunctionMissing, code, L"BCryptDeriveKeyPBKDF2 (bcrypt.dll)"))
            << std::wstring(code);
    }
    EXPECT_EQ(app::failureText(core::LibraryError(L"odbc32.dll", L"SQLDriverConnect"), L"en"),
              L"A system library lacks the function SQLDriverConnect (odbc32.dll).");
    EXPECT_EQ(app::speechFailureText(core::RuntimeError(core::err::FileNotFound), L"tr"),
              app::messageText(app::Message::NoSpeechEngine, L"tr"));
    EXPECT_EQ(app::speechFailureText(core::RuntimeError(core::err::PathFileAccess), L"az"),
              app::messageText(app::Message::SpeechFailed, L"az"));
}
