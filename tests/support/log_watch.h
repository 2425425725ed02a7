#pragma once

#include "support/event_log.h"

#include <string>

namespace testsupport {

// The run time writes to its event log only when something went wrong that it contained. A test
// fails on such an entry unless it declares, with an ExpectedLog in scope, that it provokes one.
void watchRunTimeLog();

// While it lives, entries the run time logs are kept here instead of failing the test.
class ExpectedLog {
public:
    ExpectedLog();
    ~ExpectedLog();
    ExpectedLog(const ExpectedLog&) = delete;
    ExpectedLog& operator=(const ExpectedLog&) = delete;

    const EventLog& entries() const { return entries_; }
    // Whether some entry contains the text.
    bool contains(const std::wstring& text) const;

private:
    friend struct LogWatch;
    EventLog entries_;
    ExpectedLog* outer_;
};

} // namespace testsupport
