#include "platform/core/message_frame.h"
#include "platform/hook/hex_template_block.h"
#include "platform/hook/hex_template_hook.h"
#include "platform/hook/retired_blocks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using hook::HexTemplateHook;

constexpr UINT WM_PROBE = WM_APP + 1;
constexpr UINT WM_OTHER = WM_APP + 2;

// The window's own procedure: answers WM_PROBE with wParam * 2 + 1 and counts what it saw.
std::vector<long> seenWParams;
LRESULT CALLBACK probeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PROBE || msg == WM_OTHER) {
        seenWParams.push_back(static_cast<long>(wParam));
        return static_cast<LRESULT>(wParam * 2 + 1);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND probeWindow() {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = probeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ListHookProbe";
        return RegisterClassW(&wc);
    }();
    (void)cls;
    return CreateWindowExW(0, L"ListHookProbe", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                           nullptr);
}

struct Call {
    bool before;
    long result;
    long message;
    long wParam;
};

struct Client : hook::HookClient {
    std::vector<Call> calls;
    std::function<void(core::MessageFrame&, bool)> action;
    void hookMessage(core::MessageFrame& m, bool before) override {
        calls.push_back(
            {before, static_cast<long>(m.result), static_cast<long>(m.msg), static_cast<long>(m.wParam)});
        if (action) action(m, before);
    }
};

class ListHook : public ::testing::Test {
protected:
    void SetUp() override {
        seenWParams.clear();
        window = probeWindow();
        ASSERT_NE(window, nullptr);
        original = GetWindowLongPtrW(window, GWLP_WNDPROC);
    }
    void TearDown() override {
        hooks.sc_UnSubclassAll();
        DestroyWindow(window);
    }
    LRESULT send(UINT msg, WPARAM wParam) { return SendMessageW(window, msg, wParam, 0); }

    Client client;
    HexTemplateHook hooks{client};
    HWND window = nullptr;
    LONG_PTR original = 0;
};

TEST(ListHookTemplate, DecodedTextHoldsTheFixedLayout) {
    const auto bytes = hook::decodeHookTemplate();
    EXPECT_EQ(bytes[0], 0x55); // built: first byte not 0
    EXPECT_EQ(bytes[15], 0xEB);
    EXPECT_EQ(bytes[16], 0x0E);
    const std::uint8_t call[] = {0xFF, 0x90, 0xA4, 0x07, 0x00, 0x00}; // call [eax + 1956]
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bytes[193 + i], call[i]) << i;
    EXPECT_EQ(bytes[199], 0xC3);
    for (std::size_t call : {17u, 77u, 120u}) EXPECT_EQ(bytes[call], 0xE8) << call; // near calls
    for (std::size_t field : {18u, 68u, 78u, 88u, 93u, 116u, 121u, 132u, 137u, 186u})
        for (int i = 0; i < 4; ++i) EXPECT_EQ(bytes[field + i], 0) << field;

    EXPECT_EQ(hook::HiWord(static_cast<long>(0x8001FFFFu)), 32769);
    EXPECT_EQ(hook::HiWord(-1), 65535);
    EXPECT_EQ(hook::LoWord(-1), 65535);
    EXPECT_EQ(hook::LoWord(0x12345678), 0x5678);
}

TEST_F(ListHook, UnregisteredMessagesPassThroughUnchanged) {
    EXPECT_EQ(hooks.sc_Subclass(window), 0);
    EXPECT_EQ(hooks.CodeTemplate()[0], 0x55);
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    EXPECT_EQ(send(WM_PROBE, 20), 41);
    hooks.sc_AddMsg(window, WM_OTHER, HexTemplateHook::HookBefore | HexTemplateHook::HookAfter);
    EXPECT_EQ(send(WM_PROBE, 3), 7);
    EXPECT_EQ(seenWParams, (std::vector<long>{20, 3}));
    EXPECT_TRUE(client.calls.empty());
}

TEST_F(ListHook, BeforeAndAfterCallsSurroundThePreviousProcedure) {
    hooks.sc_Subclass(window);
    hooks.sc_AddMsg(window, WM_PROBE, 3);
    EXPECT_EQ(send(WM_PROBE, 5), 11);
    ASSERT_EQ(client.calls.size(), 2u);
    EXPECT_TRUE(client.calls[0].before);
    EXPECT_EQ(client.calls[0].result, 0);
    EXPECT_FALSE(client.calls[1].before);
    EXPECT_EQ(client.calls[1].result, 11);
    EXPECT_EQ(client.calls[1].message, static_cast<long>(WM_PROBE));

    // The after call may change the result.
    client.action = [](core::MessageFrame& m, bool before) {
        if (!before) m.result = 1234;
    };
    EXPECT_EQ(send(WM_PROBE, 5), 1234);
}

TEST_F(ListHook, HandledSkipsTheRestAndArgumentChangesReachThePreviousProcedure) {
    hooks.sc_Subclass(window);
    hooks.sc_AddMsg(window, WM_PROBE, 3);
    client.action = [](core::MessageFrame& m, bool before) {
        if (!before) return;
        if (m.wParam == 100) {
            m.answer(77);
        } else if (m.wParam == 101) {
            m.handled = true; // the result left untouched
        } else {
            m.wParam = 9;
        }
    };
    EXPECT_EQ(send(WM_PROBE, 100), 77);
    EXPECT_EQ(send(WM_PROBE, 101), 0);
    EXPECT_TRUE(seenWParams.empty());
    EXPECT_EQ(client.calls.size(), 2u);

    EXPECT_EQ(send(WM_PROBE, 4), 19);
    EXPECT_EQ(seenWParams, (std::vector<long>{9}));
    ASSERT_EQ(client.calls.size(), 4u);
    EXPECT_EQ(client.calls[3].wParam, 9); // the after call sees the changed argument too
}

TEST_F(ListHook, TablesReuseFreedSlotsAndGrowWithoutLimit) {
    hooks.sc_Subclass(window);
    const auto& record = hooks.SubclassRecords()[0];
    hooks.sc_AddMsg(window, WM_PROBE, HexTemplateHook::HookAfter);
    hooks.sc_AddMsg(window, WM_OTHER, HexTemplateHook::HookAfter);
    hooks.sc_AddMsg(window, WM_PROBE, HexTemplateHook::HookAfter); // already held
    EXPECT_EQ(record.AfterCount, 2);
    hooks.sc_DelMsg(window, WM_PROBE, HexTemplateHook::HookAfter);
    send(WM_PROBE, 1);
    EXPECT_TRUE(client.calls.empty());
    hooks.sc_AddMsg(window, WM_USER + 7, HexTemplateHook::HookAfter);
    EXPECT_EQ(record.AfterCount, 2);
    EXPECT_EQ(record.AfterTable[0], static_cast<long>(WM_USER + 7));

    for (UINT m = 0; m < 40; ++m) hooks.sc_AddMsg(window, WM_USER + 100 + m, HexTemplateHook::HookAfter);
    hooks.sc_AddMsg(window, WM_PROBE, HexTemplateHook::HookAfter);
    EXPECT_EQ(record.AfterCount, 43);
    EXPECT_EQ(send(WM_PROBE, 2), 5);
    send(WM_OTHER, 3);
    ASSERT_EQ(client.calls.size(), 2u);
    EXPECT_EQ(client.calls[0].wParam, 2);
    EXPECT_EQ(client.calls[1].message, static_cast<long>(WM_OTHER));
}

TEST_F(ListHook, AllMessagesUntilDeletedWithMinusOne) {
    hooks.sc_Subclass(window);
    hooks.sc_AddMsg(window, hook::ALL_MESSAGES, HexTemplateHook::HookBefore);
    send(WM_PROBE, 1);
    send(WM_OTHER, 2);
    send(WM_USER + 5, 3);
    EXPECT_EQ(client.calls.size(), 3u);

    // A specific message added to an all-messages table changes nothing.
    hooks.sc_AddMsg(window, WM_PROBE, HexTemplateHook::HookBefore);
    EXPECT_EQ(hooks.SubclassRecords()[0].BeforeCount, -1);
    EXPECT_TRUE(hooks.SubclassRecords()[0].BeforeTable.empty());

    hooks.sc_DelMsg(window, hook::ALL_MESSAGES, HexTemplateHook::HookBefore);
    EXPECT_EQ(hooks.SubclassRecords()[0].BeforeCount, 0);
    send(WM_PROBE, 1);
    EXPECT_EQ(client.calls.size(), 3u);
}

TEST_F(ListHook, UnhookRestoresTheProcedureAndRehookReusesTheRecord) {
    EXPECT_EQ(hooks.sc_Subclass(window), 0);
    hooks.sc_AddMsg(window, WM_PROBE, 1);
    hooks.sc_UnSubclass(window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    EXPECT_EQ(hooks.SubclassRecords()[0].WindowHandle, nullptr);
    EXPECT_EQ(send(WM_PROBE, 1), 3);
    EXPECT_TRUE(client.calls.empty());

    EXPECT_EQ(hooks.sc_Subclass(window), 0);
    EXPECT_EQ(hooks.SubclassRecords().size(), 1u);
    send(WM_PROBE, 1);
    EXPECT_TRUE(client.calls.empty()); // the old registration went with the old block

    // A second window gets a second record; hooking the same window twice chains a second block.
    HWND other = probeWindow();
    EXPECT_EQ(hooks.sc_Subclass(other), 1);
    EXPECT_EQ(hooks.sc_Subclass(window), 2);
    hooks.sc_AddMsg(window, WM_PROBE, 1); // the newest record of the window
    EXPECT_EQ(send(WM_PROBE, 1), 3);
    EXPECT_EQ(client.calls.size(), 1u);
    hooks.sc_UnSubclassAll();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    DestroyWindow(other);
}

TEST_F(ListHook, WindowsItDidNotHookAreLeftAlone) {
    HexTemplateHook fresh{client};
    fresh.sc_UnSubclassAll();
    fresh.sc_AddMsg(window, WM_PROBE, 3);
    fresh.sc_UnSubclass(window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);

    EXPECT_EQ(hooks.sc_Subclass(reinterpret_cast<HWND>(0x1234)), -1); // no such window
    EXPECT_EQ(hooks.sc_Subclass(window), 0);                          // the free record is reused
    hooks.sc_AddMsg(nullptr, WM_PROBE, 3);
    hooks.sc_DelMsg(probeWindow(), WM_PROBE, 3);
    EXPECT_EQ(send(WM_PROBE, 1), 3);
}

TEST_F(ListHook, UnicodeWindowKeepsCyrillicText) {
    hooks.sc_Subclass(window);
    EXPECT_TRUE(hooks.SubclassRecords()[0].Unicode);
    hooks.sc_AddMsg(window, WM_SETTEXT, 3);
    EXPECT_TRUE(IsWindowUnicode(window));
    SetWindowTextW(window, L"Привет, dünya ə");
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    EXPECT_EQ(std::wstring(text), L"Привет, dünya ə");
    EXPECT_EQ(client.calls.size(), 2u);

    // An ANSI window is hooked with the A functions and stays ANSI.
    HWND ansi = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_FALSE(IsWindowUnicode(ansi));
    const long index = hooks.sc_Subclass(ansi);
    EXPECT_FALSE(hooks.SubclassRecords()[static_cast<std::size_t>(index)].Unicode);
    EXPECT_FALSE(IsWindowUnicode(ansi));
    SetWindowTextA(ansi, "plain");
    char buffer[16] = {};
    GetWindowTextA(ansi, buffer, 16);
    EXPECT_STREQ(buffer, "plain");
    hooks.sc_UnSubclass(ansi);
    DestroyWindow(ansi);
}

WNDPROC belowOther = nullptr;
LRESULT CALLBACK otherSubclasser(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(belowOther, hwnd, msg, wParam, lParam);
}

TEST_F(ListHook, UnhookUnderAnotherSubclasserLeavesAPassThrough) {
    hook::releaseRetiredBlocks();
    const std::size_t retiredBefore = hook::retiredBlockCount();
    hooks.sc_Subclass(window);
    hooks.sc_AddMsg(window, WM_PROBE, 3);
    belowOther = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&otherSubclasser)));

    hooks.sc_UnSubclass(window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&otherSubclasser));
    EXPECT_EQ(send(WM_PROBE, 6), 13); // through the other subclasser and our silent block
    EXPECT_TRUE(client.calls.empty());
    hook::releaseRetiredBlocks();
    EXPECT_EQ(hook::retiredBlockCount(), retiredBefore + 1);

    // The other subclasser leaves: our block is on top again and can go.
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(belowOther));
    hook::releaseRetiredBlocks();
    EXPECT_EQ(hook::retiredBlockCount(), retiredBefore);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    EXPECT_EQ(send(WM_PROBE, 6), 13);
}

TEST_F(ListHook, UnhookFromInsideAHookedMessage) {
    hook::releaseRetiredBlocks();
    const std::size_t retiredBefore = hook::retiredBlockCount();
    hooks.sc_Subclass(window);
    hooks.sc_AddMsg(window, WM_PROBE, 3);
    std::size_t retiredInside = 0;
    client.action = [&](core::MessageFrame&, bool before) {
        if (!before) return;
        hooks.sc_UnSubclass(window);
        hook::releaseRetiredBlocks(); // the block is still running: it must survive
        retiredInside = hook::retiredBlockCount();
    };
    EXPECT_EQ(send(WM_PROBE, 8), 17);
    EXPECT_EQ(retiredInside, retiredBefore + 1);
    EXPECT_EQ(client.calls.size(), 1u); // the after call went with the hook
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    hook::releaseRetiredBlocks();
    EXPECT_EQ(hook::retiredBlockCount(), retiredBefore);

    // A window destroyed while hooked unhooks quietly.
    client.action = nullptr;
    HWND doomed = probeWindow();
    hooks.sc_Subclass(doomed);
    hooks.sc_AddMsg(doomed, WM_DESTROY, 1);
    DestroyWindow(doomed);
    hooks.sc_UnSubclassAll();
    EXPECT_EQ(client.calls.back().message, static_cast<long>(WM_DESTROY));
}

} // namespace
