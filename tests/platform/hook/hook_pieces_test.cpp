#include "platform/forms/msgbox.h"
#include "platform/hook/dispatch.h"
#include "platform/hook/exec_memory.h"
#include "platform/hook/retired_blocks.h"
#include "support/log_watch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace {

TEST(HookExecMemory, CodeWrittenIntoABlockRuns) {
    // mov eax, 42 ; ret 4
    const std::uint8_t code[] = {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC2, 0x04, 0x00};
    void* block = hook::allocExecutable(sizeof code);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, code, sizeof code);
    hook::flushCode(block, sizeof code);
    auto fn = reinterpret_cast<int(__stdcall*)(int)>(block);
    EXPECT_EQ(fn(7), 42);
    hook::freeExecutable(block);
    hook::freeExecutable(nullptr);
}

struct Thrower : hook::HookClient {
    int calls = 0;
    void hookMessage(core::MessageFrame& m, bool before) override {
        ++calls;
        EXPECT_TRUE(before);
        m.answer(static_cast<LRESULT>(m.msg + m.wParam));
        if (m.wParam == 1) throw std::runtime_error("boom");
        if (m.wParam == 2) throw 5;
    }
};

std::wstring lastReport;
int captureReport(const std::wstring& text, int, const std::wstring&) {
    lastReport = text;
    return 1;
}

TEST(HookDispatch, TableHoldsTheTrampolineAtItsSlotAndTheTrampolineStopsEveryException) {
    const void* const* table = hook::dispatchTable<1956>();
    EXPECT_EQ(table[1956 / 4], reinterpret_cast<const void*>(&hook::hookTrampoline));
    EXPECT_EQ(table[0], nullptr);
    EXPECT_EQ(table, hook::dispatchTable<1956>());

    Thrower client;
    hook::DispatchRecord record{table, &client};
    auto oldBox = forms::setMsgBoxHandler(&captureReport);
    testsupport::ExpectedLog expected;
    long handled = 0, ret = 0, hwnd = 0, msg = 10, wParam = 0, lParam = 0;
    hook::hookTrampoline(&record, -1, &handled, &ret, &hwnd, &msg, &wParam, &lParam);
    EXPECT_EQ(handled, -1);
    EXPECT_EQ(ret, 10);
    EXPECT_TRUE(lastReport.empty());

    wParam = 1;
    EXPECT_EQ(hook::hookTrampoline(&record, -1, &handled, &ret, &hwnd, &msg, &wParam, &lParam), 0);
    EXPECT_NE(lastReport.find(L"boom"), std::wstring::npos);
    lastReport.clear();
    wParam = 2;
    hook::hookTrampoline(&record, -1, &handled, &ret, &hwnd, &msg, &wParam, &lParam);
    EXPECT_FALSE(lastReport.empty());
    EXPECT_EQ(client.calls, 3);
    EXPECT_EQ(expected.entries().size(), 2u);
    EXPECT_TRUE(expected.contains(L"boom"));
    forms::setMsgBoxHandler(oldBox);
}

// The frame a client sees is the block's slots, and what it changes goes back into them.
struct Rewriter : hook::HookClient {
    std::vector<std::wstring> seen;
    void hookMessage(core::MessageFrame& m, bool before) override {
        seen.push_back(
            std::to_wstring(before) + L" " + std::to_wstring(reinterpret_cast<std::uintptr_t>(m.hwnd)) +
            L" " + std::to_wstring(m.msg) + L" " + std::to_wstring(m.wParam) + L" " +
            std::to_wstring(m.lParam) + L" " + std::to_wstring(m.handled) + L" " + std::to_wstring(m.result));
        if (m.msg == 1) {
            m.hwnd = reinterpret_cast<HWND>(std::uintptr_t{44});
            m.msg = 2;
            m.wParam = 0xFFFFFFFF;
            m.lParam = -7;
        } else if (m.msg == 3) {
            m.handled = false;
            m.result = 9;
        }
    }
};

TEST(HookDispatch, TheClientSeesTheSlotsAsAFrameAndItsChangesGoBack) {
    Rewriter client;
    long handled = 0, result = 5, window = 33, message = 1, wParam = -1, lParam = 8;
    hook::deliverHookMessage(client, false, handled, result, window, message, wParam, lParam);
    EXPECT_EQ(client.seen.at(0), L"0 33 1 4294967295 8 0 5");
    EXPECT_EQ(window, 44);
    EXPECT_EQ(message, 2);
    EXPECT_EQ(wParam, -1);
    EXPECT_EQ(lParam, -7);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(result, 5);

    handled = 1; // any value but 0 counts as handled, and stays as it was unless the client clears it
    message = 4;
    hook::deliverHookMessage(client, true, handled, result, window, message, wParam, lParam);
    EXPECT_EQ(client.seen.at(1), L"1 44 4 4294967295 -7 1 5");
    EXPECT_EQ(handled, 1);
    message = 3;
    hook::deliverHookMessage(client, true, handled, result, window, message, wParam, lParam);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(result, 9);
}

TEST(HookRetiredBlocks, ABlockCountsAsRunningOnlyInsideItsCalls) {
    std::uint8_t* block = static_cast<std::uint8_t*>(hook::allocExecutable(200));
    hook::trackBlock(block, 200);
    EXPECT_FALSE(hook::isBlockRunning(block));
    {
        hook::RunningBlock outer(block + 125);
        hook::RunningBlock inner(block + 199); // re-entered from inside its own message
        hook::RunningBlock elsewhere(block + 200);
        EXPECT_TRUE(hook::isBlockRunning(block));
    }
    EXPECT_FALSE(hook::isBlockRunning(block));

    // Retired while running: kept until the call is over.
    {
        hook::RunningBlock running(block + 125);
        hook::retireBlock(hook::RetiredBlock{block, nullptr, 0, true, false});
        EXPECT_EQ(hook::retiredBlockCount(), 1u);
    }
    hook::releaseRetiredBlocks();
    EXPECT_EQ(hook::retiredBlockCount(), 0u);
    EXPECT_FALSE(hook::isBlockRunning(block));
}

} // namespace
