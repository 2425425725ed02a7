// The main window on the dictionary built from the installed Debian dictionaries: a real look-up of
// "bank", and the screenshot of the window after it (build/screenshots/vexa-lookup.bmp); then both
// lists holding Russian and Turkish words (lists-ru-tr.bmp, lists-tr-ru.bmp), whose letters must be
// of one weight: scripts/screenshots enlarges the lists.
#include "app/controls.h"
#include "app/esas.h"
#include "app/main_window.h"

#include "platform/forms/controls/uni_text_box_ex.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/list_box/mc_list_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::wstring kSources = L"Z:\\usr\\share\\dictd";

bool sourcesInstalled() {
    for (const auto& name : tools::builderDictionaries())
        if (GetFileAttributesW((kSources + L"\\" + name + L".index").c_str()) == INVALID_FILE_ATTRIBUTES)
            return false;
    return true;
}

void pump(int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        forms::DoEvents();
        Sleep(10);
    }
}

void press(HWND edit, UINT vk) {
    PostMessageW(edit, WM_KEYDOWN, vk, 1);
    forms::DoEvents();
    PostMessageW(edit, WM_KEYUP, vk, 0xC0000001);
    forms::DoEvents();
}

// Clicks the row of the list showing the text, which must be in view of a list scrolled to its top.
void clickRow(widgets::McListBox& list, const std::wstring& text) {
    long row = 0;
    while (row < list.ListCount() && list.list(row) != text) ++row;
    ASSERT_LT(row, std::min(list.ListCount(), list.visibleRowCount())) << "no row in view shows the word";
    RECT inside{};
    GetClientRect(list.hWnd(), &inside);
    const int rowHeight = inside.bottom / static_cast<int>(list.visibleRowCount());
    const int y = static_cast<int>(row) * rowHeight + rowHeight / 2;
    SendMessageW(list.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, y));
    SendMessageW(list.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, y));
    pump(200);
}

std::vector<std::wstring> rowsOf(const widgets::McListBox& list) {
    std::vector<std::wstring> rows;
    for (long i = 0; i < list.ListCount(); ++i) rows.push_back(list.list(i));
    return rows;
}

bool holds(const std::vector<std::wstring>& rows, const std::wstring& word) {
    return std::find(rows.begin(), rows.end(), word) != rows.end();
}

} // namespace

TEST(MainWindowScreenshot, BankInEnglishTurkishOnTheRealDictionary) {
    if (!sourcesInstalled())
        GTEST_SKIP() << "the dictionary packages (mueller7-dict, dict-freedict-*) are not installed";
    testsupport::TempFolder folder{L"vexa-real-"};
    CreateDirectoryW(folder.file(L"oracle").c_str(), nullptr);
    tools::writeDictionary(folder.file(L"oracle\\dat.vex"), tools::rowsFromDictd(kSources));
    tools::writeSettings(folder.file(L"oracle\\lang.vex"));
    app::registerControlTypes();
    app::setProgramFolder(folder.path());
    std::vector<std::wstring> messages;
    auto previous = forms::setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
        messages.push_back(prompt);
        return 1;
    });

    auto w = std::make_shared<app::esas>();
    w->Show();
    SetForegroundWindow(w->hWnd());
    pump(100);
    auto& box = w->control<textbox::UniTextBoxEx>(L"TextBox1");
    auto& list = w->control<widgets::McListBox>(L"list");
    auto& ul = w->control<widgets::McListBox>(L"ul");
    for (wchar_t c : std::wstring(L"bank")) press(box.editWindow(), VkKeyScanW(c) & 0xFF);
    press(box.editWindow(), VK_RETURN);

    ASSERT_GT(list.ListCount(), 1);
    EXPECT_EQ(list.Text(), L"bank");
    ASSERT_NO_FATAL_FAILURE(clickRow(list, L"bank"));
    EXPECT_EQ(list.Text(), L"bank");
    // The English-Turkish dictionary gives "banka" (the bank for money) and "kıyı" (the river bank).
    EXPECT_TRUE(holds(rowsOf(ul), L"banka"));
    EXPECT_TRUE(holds(rowsOf(ul), L"kıyı"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindow(w->hWnd()), L"vexa-lookup"));

    // The search in a direction, the headword clicked, a translation it gives, and the screenshot.
    struct Case {
        int direction;
        const wchar_t *word, *headword, *translation, *shot;
    };
    const Case cases[] = {
        {4, L"банк", L"банка", L"kavanoz", L"lists-ru-tr"},
        {6, L"kırmı", L"kırmızı", L"красный", L"lists-tr-ru"},
    };
    for (const Case& c : cases) {
        w->control<widgets::SComboBox>(L"co").setListIndex(c.direction);
        box.setText(c.word);
        press(box.editWindow(), VK_RETURN);
        ASSERT_NO_FATAL_FAILURE(clickRow(list, c.headword));
        EXPECT_EQ(list.Text(), c.headword);
        EXPECT_TRUE(holds(rowsOf(ul), c.translation)) << c.shot;
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindow(w->hWnd()), c.shot));
    }

    w->Unload();
    w.reset();
    forms::DoEvents();
    forms::setMsgBoxHandler(previous);
    app::setProgramFolder(L"");
}
