// The search box of vexa.exe holding Russian and Turkish words, saved as
// build/screenshots/search-box-ru-tr.bmp for scripts/screenshots to enlarge, where a person sees
// whether a letter stands apart from its word ("хле б"). It runs on the settings that
// scripts/screenshots and scripts/run make beside vexa.exe.
#include "platform/forms/form.h"
#include "support/program.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The columns of the search box's client area on the screen that differ from its top left pixel, the
// box's background: the rightmost, and how many. The caret, which the system draws by itself before
// any paint of the text, is one or two of them.
struct Ink {
    int right = -1;
    int columns = 0;
};
Ink inkOf(HWND edit) {
    RECT r{};
    GetClientRect(edit, &r);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const testsupport::Shot shot = testsupport::captureScreen(r);
    Ink ink;
    for (int x = 0; x < shot.w; ++x)
        for (int y = 0; y < shot.h; ++y)
            if (shot.at(x, y) != shot.at(0, 0)) {
                ink.right = x;
                ++ink.columns;
                break;
            }
    return ink;
}

} // namespace

TEST(SearchBoxScreenshot, RussianAndTurkishWords) {
    const std::wstring settings = testsupport::programsFolder() + L"\\oracle\\lang.vex";
    if (GetFileAttributesW(settings.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no oracle\\lang.vex beside vexa.exe (scripts/screenshots and scripts/run make it)";
    testsupport::TempFolder folder{L"vexa-search-box-"};
    ASSERT_TRUE(CreateDirectoryW(folder.file(L"oracle").c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(settings.c_str(), folder.file(L"oracle\\lang.vex").c_str(), FALSE));
    testsupport::Program vexa(folder);
    ASSERT_TRUE(vexa.started());
    const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
    ASSERT_NE(main, nullptr);
    const HWND edit = testsupport::searchBox(main);
    ASSERT_NE(edit, nullptr);

    const std::wstring words = L"\u0432\u043E\u0434\u0430 \u0445\u043B\u0435\u0431 e\u015Fanlaml\u0131";
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(words.c_str()), SMTO_NORMAL, 30000,
                        nullptr);
    ASSERT_EQ(testsupport::searchBoxText(main), words);
    // The caret after the words, as after typing them, not over the first letter.
    SendMessageTimeoutW(edit, EM_SETSEL, words.size(), static_cast<LPARAM>(words.size()), SMTO_NORMAL, 30000,
                        nullptr);
    // The words are on the screen once the box's ink reaches as far as they measure in its font, Tahoma
    // at 10 points, and covers far more columns than the caret.
    HDC dc = GetDC(nullptr);
    const HFONT tahoma = CreateFontW(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                                     FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    const HGDIOBJ old = SelectObject(dc, tahoma);
    SIZE size{};
    GetTextExtentPoint32W(dc, words.c_str(), static_cast<int>(words.size()), &size);
    SelectObject(dc, old);
    DeleteObject(tahoma);
    ReleaseDC(nullptr, dc);
    const auto drawn = [&](const Ink& ink) { return ink.right >= size.cx - 1 && ink.columns > size.cx / 2; };
    Ink ink;
    for (int i = 0; i < 500 && !drawn(ink = inkOf(edit)); ++i) Sleep(10);
    ASSERT_TRUE(drawn(ink)) << "the words were not drawn: ink to " << ink.right << " in " << ink.columns
                            << " columns, the words measure " << size.cx;
    RECT box{};
    GetWindowRect(edit, &box);
    EXPECT_TRUE(testsupport::saveShot(testsupport::captureScreen(box), L"search-box-ru-tr"));
}
