#include "support/log_watch.h"

#include "platform/core/event_log.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace testsupport {

struct LogWatch {
    static ExpectedLog*& innermost() {
        static ExpectedLog* scope = nullptr;
        return scope;
    }
    static void entry(const std::wstring& text, int eventType) {
        if (ExpectedLog* scope = innermost()) {
            scope->entries_.add(text);
            return;
        }
        ADD_FAILURE() << "Unexpected entry in the run time's event log (type " << eventType << "): " << text;
    }
};

ExpectedLog::ExpectedLog() : outer_(LogWatch::innermost()) {
    LogWatch::innermost() = this;
}

ExpectedLog::~ExpectedLog() {
    LogWatch::innermost() = outer_;
}

bool ExpectedLog::contains(const std::wstring& text) const {
    for (const auto& e : entries_.entries())
        if (e.find(text) != std::wstring::npos) return true;
    return false;
}

void watchRunTimeLog() {
    core::setLogHandler(&LogWatch::entry);
}

namespace {
// Each test starts with the watch in place, whatever an earlier test left behind.
class LogWatchListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { watchRunTimeLog(); }
};
} // namespace

} // namespace testsupport

int main(int argc, char** argv) {
    // Report crashes to the test runner instead of opening Wine's crash dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // The desktop keeps the pointer where the program before left it; every program starts with it
    // out of the way, in the screen's bottom right corner, whatever ran before it.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new testsupport::LogWatchListener);
    const int result = RUN_ALL_TESTS();
    // What is logged while the program ends goes to stderr, as in the program.
    core::setLogHandler(nullptr);
    return result;
}
