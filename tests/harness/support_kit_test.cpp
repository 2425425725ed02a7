// The shared test kit: the log watch and the message recorder.
#include "support/log_watch.h"
#include "support/message_recorder.h"

#include "platform/core/event_log.h"

#include <gtest/gtest.h>

namespace {

// An entry outside every ExpectedLog fails the test ("Unexpected entry in the run time's event log");
// gtest's own check of an expected failure is not used here, as its thread watcher can crash the
// process at exit under Wine.
TEST(SupportKit, LogEntriesAreKeptByTheInnermostExpectedLog) {
    testsupport::ExpectedLog outer;
    core::logEvent(L"first");
    {
        testsupport::ExpectedLog inner;
        core::logEvent(L"second");
        EXPECT_TRUE(inner.contains(L"second"));
    }
    core::logEvent(L"third");
    EXPECT_EQ(outer.entries().text(), L"first, third");
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST(SupportKit, RecorderComparesWhatAWindowSawWithATable) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &plainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SupportKitPlain";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, L"SupportKitPlain", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    {
        testsupport::MessageRecorder recorder(w);
        SendMessageW(w, WM_KEYDOWN, VK_DOWN, 0);
        SetWindowPos(w, nullptr, 0, 0, 50, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(w, WM_KEYUP, VK_DOWN, 0);
        SendMessageW(w, WM_KEYUP, VK_DOWN, 0);
        using testsupport::messageWith;
        using testsupport::optionalMessage;
        EXPECT_TRUE(recorder.matches({messageWith(WM_KEYDOWN, VK_DOWN), optionalMessage(WM_WINDOWPOSCHANGING),
                                      WM_SIZE, optionalMessage(WM_CLOSE), WM_KEYUP, WM_KEYUP}));
        // A required message that did not come, one in the wrong order, one too many.
        EXPECT_FALSE(recorder.matches({WM_KEYDOWN, WM_SIZE, WM_CLOSE, WM_KEYUP, WM_KEYUP}));
        EXPECT_FALSE(recorder.matches({WM_KEYUP, WM_KEYUP, WM_KEYDOWN}));
        EXPECT_FALSE(recorder.matches({WM_KEYDOWN, WM_KEYUP}));
        EXPECT_FALSE(recorder.matches({messageWith(WM_KEYDOWN, VK_UP), WM_KEYUP, WM_KEYUP}));
    }
    // The window has its own procedure back.
    EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&plainProc));
    DestroyWindow(w);
}

} // namespace
