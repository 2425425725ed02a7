#include "platform/core/event_log.h"
#include "platform/forms/msgbox.h"
#include "platform/hook/code_built_hook.h"
#include "platform/hook/hex_template_hook.h"
#include "platform/hook/retired_blocks.h"

#include "support/event_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace {

using hook::ALL_MESSAGES;
using hook::ButtonHook;
using hook::MSG_AFTER;
using hook::MSG_BEFORE;
using hook::OptionCheckHook;

constexpr UINT WM_PROBE = WM_APP + 1;
constexpr UINT WM_NEST = WM_APP + 2;

// The window's own procedure: answers WM_PROBE with wParam * 2 + 1 and records it; WM_NEST runs a
// test's action from inside the previous procedure.
std::vector<long> seen;
std::function<void(HWND)> nestAction;
LRESULT CALLBACK probeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PROBE) {
        seen.push_back(static_cast<long>(wParam));
        return static_cast<LRESULT>(wParam * 2 + 1);
    }
    if (msg == WM_NEST) {
        if (nestAction) nestAction(hwnd);
        return 77;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND probeWindow() {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = probeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CodeHookProbe";
        return RegisterClassW(&wc);
    }();
    (void)cls;
    return CreateWindowExW(0, L"CodeHookProbe", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                           nullptr);
}

struct Call {
    bool before;
    long result;
    UINT msg;
    long wParam;
};

struct Client : hook::HookClient {
    std::vector<Call> calls;
    std::function<void(bool, core::MessageFrame&)> action;
    void hookMessage(core::MessageFrame& m, bool before) override {
        calls.push_back({before, static_cast<long>(m.result), m.msg, static_cast<long>(m.wParam)});
        if (action) action(before, m);
    }
};

template <class H>
bool hookWindow(H& h, HWND window) {
    if constexpr (std::is_same_v<H, OptionCheckHook>)
        return h.sc_Subclass(window, 0, true, 1);
    else
        return h.sc_Subclass(window, 0, 1, nullptr, true);
}

// The hook's failure reports, message boxes and log entries, recorded instead of shown.
struct Reports {
    testsupport::EventLog log;
    forms::MsgBoxHandler oldBox;
    core::LogHandler oldLog;
    Reports() {
        oldBox = forms::setMsgBoxHandler(
            [this](const std::wstring& prompt, int buttons, const std::wstring& title) {
                log.add(L"box " + std::to_wstring(buttons) + L" [" + title + L"] " + prompt);
                return forms::mb::OK;
            });
        oldLog = core::setLogHandler([this](const std::wstring& text, int type) {
            log.add(L"log " + std::to_wstring(type) + L" " + text);
        });
    }
    hook::HookFailureReport reporter() {
        return [this](const wchar_t* routine, const std::wstring& message) {
            log.add(L"report " + std::wstring(routine) + L": " + message);
        };
    }
    std::wstring text() const {
        std::wstring s;
        for (const auto& e : log.entries()) s += e + L"\n";
        return s;
    }
    ~Reports() {
        forms::setMsgBoxHandler(oldBox);
        core::setLogHandler(oldLog);
    }
};

template <class H>
class CodeHookBoth : public ::testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        nestAction = nullptr;
        window = probeWindow();
        original = GetWindowLongPtrW(window, GWLP_WNDPROC);
        hook.zRegisterCallback(&client);
        hook.setFailureReport(reports.reporter());
        baseline = hook::retiredBlockCount();
        ASSERT_TRUE(hookWindow(hook, window));
    }
    void TearDown() override {
        hook.sc_UnSubclassAll();
        if (IsWindow(window)) DestroyWindow(window);
        nestAction = nullptr;
    }
    LRESULT send(UINT msg, WPARAM wParam = 0) { return SendMessageW(window, msg, wParam, 0); }

    Reports reports;
    HWND window = nullptr;
    LONG_PTR original = 0;
    Client client;
    H hook;
    std::size_t baseline = 0;
};

using BothCopies = ::testing::Types<OptionCheckHook, ButtonHook>;
TYPED_TEST_SUITE(CodeHookBoth, BothCopies);

TYPED_TEST(CodeHookBoth, RoutesMessagesBeforeAndAfterThePreviousProcedure) {
    // Not registered: passes unchanged, result unchanged.
    EXPECT_EQ(this->send(WM_PROBE, 5), 11);
    EXPECT_TRUE(this->client.calls.empty());

    // After: sees the previous result, and its change is what the window returns.
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_AFTER);
    this->client.action = [](bool before, core::MessageFrame& m) {
        if (!before) m.result += 1000;
    };
    EXPECT_EQ(this->send(WM_PROBE, 3), 1007);
    ASSERT_EQ(this->client.calls.size(), 1u);
    EXPECT_FALSE(this->client.calls[0].before);
    EXPECT_EQ(this->client.calls[0].result, 7);

    // Before and handled: neither the previous procedure nor the after call runs.
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_BEFORE);
    this->client.calls.clear();
    seen.clear();
    this->client.action = [](bool before, core::MessageFrame& m) {
        if (before) {
            EXPECT_EQ(m.result, 0);
            m.answer(42);
        }
    };
    EXPECT_EQ(this->send(WM_PROBE, 9), 42);
    EXPECT_TRUE(seen.empty());
    ASSERT_EQ(this->client.calls.size(), 1u);
    EXPECT_TRUE(this->client.calls[0].before);

    // Before, not handled: both calls, in order.
    this->client.calls.clear();
    this->client.action = nullptr;
    EXPECT_EQ(this->send(WM_PROBE, 1), 3);
    ASSERT_EQ(this->client.calls.size(), 2u);
    EXPECT_TRUE(this->client.calls[0].before);
    EXPECT_FALSE(this->client.calls[1].before);
    EXPECT_EQ(this->client.calls[1].result, 3);

    // The user value lives in the block.
    this->client.action = [this](bool, core::MessageFrame& m) {
        this->hook.setSc_UserData(m.hwnd, this->hook.sc_UserData(m.hwnd) + 1);
    };
    this->send(WM_PROBE, 1);
    this->send(WM_PROBE, 1);
    EXPECT_EQ(this->hook.sc_UserData(this->window), 4);
}

TYPED_TEST(CodeHookBoth, TablesKeepOneEntryReuseDeletedOnesAndHoldThirtyTwo) {
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_AFTER);
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_AFTER);
    EXPECT_EQ(this->hook.tableEntries(this->window, MSG_AFTER), std::vector<long>{long(WM_PROBE)});
    this->hook.sc_AddMsg(this->window, WM_NEST, MSG_AFTER);
    this->hook.sc_DelMsg(this->window, WM_PROBE, MSG_AFTER);
    EXPECT_EQ(this->hook.tableEntries(this->window, MSG_AFTER), (std::vector<long>{0, long(WM_NEST)}));
    EXPECT_EQ(this->send(WM_PROBE, 2), 5);
    EXPECT_TRUE(this->client.calls.empty());
    this->hook.sc_AddMsg(this->window, WM_USER + 9, MSG_AFTER);
    EXPECT_EQ(this->hook.tableEntries(this->window, MSG_AFTER),
              (std::vector<long>{long(WM_USER + 9), long(WM_NEST)}));

    for (long m = 0; this->hook.tableCount(this->window, MSG_AFTER) < 32; ++m)
        this->hook.sc_AddMsg(this->window, WM_USER + 100 + m, MSG_AFTER);
    // A deletion leaves the count, so the table still overflows.
    this->hook.sc_DelMsg(this->window, WM_NEST, MSG_AFTER);
    const auto full = this->hook.tableEntries(this->window, MSG_AFTER);
    this->reports.log.clear();
    this->hook.sc_AddMsg(this->window, WM_USER + 500, MSG_AFTER);
    EXPECT_EQ(this->hook.tableEntries(this->window, MSG_AFTER), full);
    if constexpr (std::is_same_v<TypeParam, OptionCheckHook>) {
        EXPECT_EQ(
            this->reports.text(),
            L"report zAddMsg: Message table overflow. Either increase the value of Const MSG_ENTRIES or "
            L"use ALL_MESSAGES instead of specific message values\n");
    } else {
        EXPECT_EQ(this->reports.log.size(), 0u);
    }

    // All messages; a specific one added then leaves it all; deleting all empties it.
    this->hook.sc_AddMsg(this->window, ALL_MESSAGES, MSG_BEFORE);
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_BEFORE);
    EXPECT_EQ(this->hook.tableCount(this->window, MSG_BEFORE), ALL_MESSAGES);
    this->client.calls.clear();
    this->send(WM_USER + 777);
    ASSERT_FALSE(this->client.calls.empty());
    EXPECT_EQ(this->client.calls[0].msg, WM_USER + 777u);
    this->hook.sc_DelMsg(this->window, ALL_MESSAGES, MSG_BEFORE);
    this->client.calls.clear();
    this->send(WM_USER + 777);
    EXPECT_TRUE(this->client.calls.empty());
}

TYPED_TEST(CodeHookBoth, ASecondHookOfOneWindowIsRefusedAndTheFirstWorksOn) {
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_AFTER);
    this->reports.log.clear();
    EXPECT_FALSE(hookWindow(this->hook, this->window));
    if constexpr (std::is_same_v<TypeParam, OptionCheckHook>)
        EXPECT_EQ(this->reports.text(), L"report sc_Subclass: Window handle is already subclassed\n");
    else
        EXPECT_EQ(this->reports.log.size(), 0u);
    EXPECT_EQ(this->send(WM_PROBE, 1), 3);
    EXPECT_EQ(this->client.calls.size(), 1u);
}

TYPED_TEST(CodeHookBoth, UnhookingReleasesOnTheNextOutermostMessage) {
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_BEFORE | MSG_AFTER);
    this->hook.sc_UnSubclass(this->window);
    EXPECT_NE(GetWindowLongPtrW(this->window, GWLP_WNDPROC), this->original);
    // The releasing message gets the previous procedure's result and no callback.
    EXPECT_EQ(this->send(WM_PROBE, 4), 9);
    EXPECT_TRUE(this->client.calls.empty());
    EXPECT_EQ(GetWindowLongPtrW(this->window, GWLP_WNDPROC), this->original);
    EXPECT_EQ(hook::retiredBlockCount(), this->baseline);

    // Nested: a message sent from inside the previous procedure does not release the block.
    ASSERT_TRUE(hookWindow(this->hook, this->window));
    LONG_PTR during = 0;
    nestAction = [&](HWND w) {
        this->hook.sc_UnSubclass(w);
        SendMessageW(w, WM_PROBE, 1, 0);
        during = GetWindowLongPtrW(w, GWLP_WNDPROC);
    };
    EXPECT_EQ(this->send(WM_NEST), 77);
    EXPECT_NE(during, this->original);
    EXPECT_EQ(GetWindowLongPtrW(this->window, GWLP_WNDPROC), this->original);
    EXPECT_EQ(hook::retiredBlockCount(), this->baseline);

    // From inside its own before call.
    nestAction = nullptr;
    ASSERT_TRUE(hookWindow(this->hook, this->window));
    this->hook.sc_AddMsg(this->window, WM_PROBE, MSG_BEFORE);
    this->client.action = [&](bool, core::MessageFrame&) { this->hook.sc_UnSubclass(this->window); };
    EXPECT_EQ(this->send(WM_PROBE, 2), 5);
    EXPECT_EQ(GetWindowLongPtrW(this->window, GWLP_WNDPROC), this->original);
    EXPECT_EQ(hook::retiredBlockCount(), this->baseline);
    this->client.calls.clear();
    this->send(WM_PROBE, 2);
    EXPECT_TRUE(this->client.calls.empty());

    // A destroyed window's block goes at once.
    ASSERT_TRUE(hookWindow(this->hook, this->window));
    DestroyWindow(this->window);
    this->hook.sc_UnSubclass(this->window);
    EXPECT_EQ(hook::retiredBlockCount(), this->baseline);
    EXPECT_EQ(this->hook.blockOf(this->window), nullptr);
}

// Two hooks on one window, released in either order: the original procedure comes back and every
// block is freed, whichever hook is on top when it is released.
TEST(CodeHookChain, TwoHooksOnOneWindowReleaseInEitherOrder) {
    Reports reports;
    const std::size_t baseline = hook::retiredBlockCount();
    for (int order = 0; order < 3; ++order) {
        HWND window = probeWindow();
        const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);
        Client a, b;
        OptionCheckHook first;
        ButtonHook second;
        first.zRegisterCallback(&a);
        second.zRegisterCallback(&b);
        ASSERT_TRUE(first.sc_Subclass(window, 0, true, 1));
        ASSERT_TRUE(second.sc_Subclass(window, 0, 1, nullptr, true));
        first.sc_AddMsg(window, WM_PROBE, MSG_AFTER);
        second.sc_AddMsg(window, WM_PROBE, MSG_AFTER);
        EXPECT_EQ(SendMessageW(window, WM_PROBE, 1, 0), 3);
        EXPECT_EQ(a.calls.size() + b.calls.size(), 2u);
        if (order == 0) {
            first.sc_UnSubclass(window); // under the second: stays a pass-through
            SendMessageW(window, WM_PROBE, 1, 0);
            second.sc_UnSubclass(window);
        } else if (order == 1) {
            second.sc_UnSubclass(window);
            SendMessageW(window, WM_PROBE, 1, 0);
            first.sc_UnSubclass(window);
        } else {
            first.sc_UnSubclass(window);
            second.sc_UnSubclass(window);
        }
        EXPECT_EQ(SendMessageW(window, WM_PROBE, 2, 0), 5) << order;
        SendMessageW(window, WM_PROBE, 2, 0);
        hook::releaseRetiredBlocks();
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original) << order;
        EXPECT_EQ(hook::retiredBlockCount(), baseline) << order;
        EXPECT_EQ(a.calls.size() + b.calls.size(), order == 2 ? 2u : 3u)
            << order; // one message between the two
        DestroyWindow(window);
    }
}

TEST(CodeHookChain, TheListBoxHookAndThisOneShareAWindow) {
    struct ListClient : hook::HookClient {
        int calls = 0;
        void hookMessage(core::MessageFrame&, bool) override { ++calls; }
    } listClient;
    Reports reports;
    const std::size_t baseline = hook::retiredBlockCount();
    for (int listFirst = 0; listFirst < 2; ++listFirst) {
        HWND window = probeWindow();
        const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);
        Client client;
        OptionCheckHook ours;
        ours.zRegisterCallback(&client);
        hook::HexTemplateHook list(listClient);
        if (listFirst) list.sc_Subclass(window);
        ASSERT_TRUE(ours.sc_Subclass(window, 0, true, 1));
        if (!listFirst) list.sc_Subclass(window);
        ours.sc_AddMsg(window, WM_PROBE, MSG_AFTER);
        list.sc_AddMsg(window, WM_PROBE);
        EXPECT_EQ(SendMessageW(window, WM_PROBE, 1, 0), 3);
        ours.sc_UnSubclass(window);
        SendMessageW(window, WM_PROBE, 1, 0);
        list.sc_UnSubclass(window);
        SendMessageW(window, WM_PROBE, 1, 0);
        hook::releaseRetiredBlocks();
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original) << listFirst;
        EXPECT_EQ(hook::retiredBlockCount(), baseline) << listFirst;
        EXPECT_EQ(client.calls.size(), 1u);
        DestroyWindow(window);
    }
}

TEST(CodeHookText, CyrillicTextPassesAHookedUnicodeWindowUnchanged) {
    HWND window = probeWindow();
    Client client;
    OptionCheckHook hookObj;
    hookObj.zRegisterCallback(&client);
    ASSERT_TRUE(hookObj.sc_Subclass(window, 0, true, 1));
    hookObj.sc_AddMsg(window, WM_SETTEXT, MSG_AFTER);
    const std::wstring text = L"Автоматический поиск ə";
    SetWindowTextW(window, text.c_str());
    wchar_t back[64] = {};
    GetWindowTextW(window, back, 64);
    EXPECT_EQ(std::wstring(back), text);
    EXPECT_EQ(client.calls.size(), 1u);
    hookObj.sc_UnSubclassAll();
    DestroyWindow(window);
}

TEST(CodeHookReports, FailuresAreReportedWithTheirRoutine) {
    Reports reports;
    Client client;
    OptionCheckHook hookObj;
    hookObj.setFailureReport(reports.reporter());
    HWND window = probeWindow();

    EXPECT_FALSE(hookObj.sc_Subclass(window, 0, true, 1)); // no callback registered
    hookObj.zRegisterCallback(&client);
    EXPECT_FALSE(hookObj.sc_Subclass(nullptr, 0, true, 1));
    hookObj.sc_UnSubclass(window);
    hookObj.sc_AddMsg(window, WM_PROBE, MSG_AFTER);
    EXPECT_EQ(reports.text(), L"report sc_Subclass: Callback method not found\n"
                              L"report sc_Subclass: Invalid window handle\n"
                              L"report sc_UnSubclass: Window handle isn't subclassed\n"
                              L"report zMap_hWnd: Subclassing hasn't been started\n");

    ASSERT_TRUE(hookObj.sc_Subclass(window, 0, true, 1));
    reports.log.clear();
    hookObj.sc_DelMsg(window, 0x401, MSG_AFTER);
    HWND other = probeWindow();
    hookObj.sc_UnSubclass(other); // reported, nothing raised
    EXPECT_EQ(reports.text(), L"report zDelMsg: Message &H401 not found in table\n"
                              L"report zMap_hWnd: Window handle isn't subclassed\n");

    // A window of another process (the desktop belongs to the system's shell process).
    DWORD desktopProcess = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &desktopProcess);
    if (desktopProcess != GetCurrentProcessId()) {
        reports.log.clear();
        EXPECT_FALSE(hookObj.sc_Subclass(GetDesktopWindow(), 0, true, 1));
        EXPECT_EQ(reports.text(), L"report sc_Subclass: Window handle belongs to another process\n");
    }

    // The button's copy is silent throughout.
    ButtonHook silent;
    silent.setFailureReport(reports.reporter());
    reports.log.clear();
    EXPECT_FALSE(silent.sc_Subclass(window, 0, 1, nullptr, true));
    silent.sc_UnSubclass(window);
    silent.sc_AddMsg(window, WM_PROBE, MSG_AFTER);
    EXPECT_EQ(reports.log.size(), 0u);

    // An exception in the callback is reported by the run time and the message goes on.
    hookObj.sc_AddMsg(window, WM_PROBE, MSG_AFTER);
    client.action = [](bool, core::MessageFrame&) { throw std::runtime_error("boom"); };
    EXPECT_EQ(SendMessageW(window, WM_PROBE, 1, 0), 3);
    EXPECT_NE(reports.text().find(L"boom"), std::wstring::npos);
    hookObj.sc_UnSubclassAll();
    DestroyWindow(window);
    DestroyWindow(other);
}

// Writes each copy's code (block address 0x12345678) for the disassembly check beside the tests.
TEST(CodeHookCode, FitsItsRoomAndIsWrittenForDisassembly) {
    const struct {
        const char* name;
        hook::CodeBlockShape shape;
    } copies[] = {{"hook_code_option.bin", hook::OptionCheckBlockShape},
                  {"hook_code_button.bin", hook::ButtonBlockShape}};
    for (const auto& c : copies) {
        hook::HookCode code = hook::assembleHookCode(c.shape);
        ASSERT_FALSE(code.bytes.empty()) << c.name;
        EXPECT_LE(code.bytes.size(), c.shape.codeRoom());
        const std::uint32_t address = 0x12345678;
        std::memcpy(code.bytes.data() + code.blockAddressAt, &address, 4);
        FILE* f = std::fopen(c.name, "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(code.bytes.data(), 1, code.bytes.size(), f);
        std::fclose(f);
    }
}

} // namespace
