// The real message box and the keys that come before it is on the screen.
#include "forms_test_support.h"

#include "platform/forms/controls/text_box.h"
#include "platform/forms/msgbox.h"
#include "support/program_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace forms;

// The message box over the form, once it is on the screen.
HWND shownBox(HWND owner) {
    for (int i = 0; i < 500; ++i, Sleep(10)) {
        HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr);
        if (box && GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box))
            return testsupport::onScreen(box) ? box : nullptr;
    }
    return nullptr;
}

BOOL CALLBACK closeIfBox(HWND w, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (wcscmp(cls, L"#32770") != 0) return TRUE;
    PostMessageW(w, WM_COMMAND, IDOK, 0);
    *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

// A box of this thread that never came on the screen is closed all the same, so that the test fails at
// once instead of waiting for ever; true when there was one.
bool closeAnyBox(DWORD thread) {
    bool found = false;
    EnumThreadWindows(thread, closeIfBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A key the box's button gets as the keyboard would give it; `repeat` marks it as held down already.
void keyToBox(HWND box, WORD vk, bool repeat) {
    HWND button = GetDlgItem(box, IDOK);
    PostMessageW(button ? button : box, WM_KEYDOWN, vk, repeat ? 0x40000001 : 1);
}

// Keys typed before a message box is on the screen (on their way when it is made, or held down since)
// neither close it nor act in it: the typing keys go on to the search box once it closes; Enter, Escape
// and Tab, which would act there (a second look-up), are dropped. A key pressed once it is on the
// screen closes it.
TEST(FormsMsgBox, KeysTypedBeforeTheBoxIsOnTheScreenNeitherCloseItNorGetLost) {
    const struct Case {
        const char* what;
        const wchar_t* typedBefore; // on its way when the box is made
        bool repeatedEnter;         // an Enter held since before the box repeats over it
        const wchar_t* boxText;     // the search box's text once the box is closed
    } cases[] = {
        {"letters, Escape, Tab and Enter on their way", L"a\x1b\tb\n", false, L"ab"},
        {"Enter held down", L"", true, L""},
        {"nothing before", L"", false, L""},
    };
    for (const Case& c : cases) {
        auto form = std::make_shared<formstest::PlainForm>();
        form->Show();
        SetForegroundWindow(form->hWnd());
        auto box = placeControl<TextBox>(*form, L"box", 0, 0, 2000, 400);
        box->setText(L"");
        DoEvents();
        box->SetFocus();
        DoEvents();
        ASSERT_EQ(GetFocus(), box->editWindow()) << c.what;
        std::vector<int> keysAfter; // the keys that reach the search box from the box's showing on
        bool boxAsked = false;
        box->KeyDown.handle([&](int& code, int) {
            if (boxAsked) keysAfter.push_back(code);
        });

        std::atomic<bool> openAfterEarlyKeys{false}, shownAtAll{true}, answered{false};
        const DWORD thread = GetCurrentThreadId();
        std::thread user([&] {
            const HWND shown = shownBox(form->hWnd());
            if (!shown) {
                shownAtAll = false;
                while (!answered) {
                    closeAnyBox(thread);
                    Sleep(50);
                }
                return;
            }
            if (c.repeatedEnter) {
                keyToBox(shown, VK_RETURN, true);
                Sleep(300);
            }
            openAfterEarlyKeys = IsWindow(shown);
            keyToBox(shown, VK_RETURN, false);
        });
        testsupport::typeKeys(c.typedBefore);
        boxAsked = true;
        const int answer = MsgBox(L"Nothing could be looked up.", mb::Exclamation);
        answered = true;
        user.join();
        ASSERT_TRUE(shownAtAll) << c.what << ": the box never came on the screen";
        EXPECT_EQ(answer, mb::OK) << c.what;
        EXPECT_TRUE(openAfterEarlyKeys) << c.what << ": a key from before the box closed it";
        DoEvents();
        EXPECT_EQ(box->Text(), c.boxText) << c.what;
        for (int key : keysAfter)
            EXPECT_TRUE(key != VK_RETURN && key != VK_ESCAPE && key != VK_TAB)
                << c.what << ": key " << key << " reached the search box from the box";
        form->Unload();
        DoEvents();
    }
}

} // namespace
