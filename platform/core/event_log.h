#pragma once

#include <functional>
#include <string>

namespace core {

// The program's event log: stderr unless a handler (a test's) takes the entries.
void logEvent(const std::wstring& text, int eventType = 4);
using LogHandler = std::function<void(const std::wstring& text, int eventType)>;
LogHandler setLogHandler(LogHandler handler);

// Event types of the log entries the run time writes itself.
inline constexpr int LogError = 1;
inline constexpr int LogWarning = 2;
inline constexpr int LogInformation = 4;

// Thrown where a test's end handler replaced leaving the process; not an error, so reports skip it.
struct EndRequested {};

// The text of the exception being handled ("Run-time error '380': ..." for a RuntimeError).
// Call only inside a catch block.
std::wstring currentErrorText() noexcept;

// Inside a catch block of a window procedure, timer callback or hook trampoline: logs the exception
// being handled with the place, then tells the user (the alert the forms run time installs: a message
// box) so the program can go on. An error that comes again while the alert is up is only logged.
void reportUnexpectedError(const wchar_t* where) noexcept;
using AlertHandler = std::function<void(const std::wstring& text)>;
AlertHandler setAlertHandler(AlertHandler handler);

// Logs the exception being handled as contained at the given place.
void logContained(const wchar_t* where) noexcept;

// Runs work whose failure must not stop the caller (a clean-up, an optional nicety): a failure is
// contained and logged as a warning with the place. Returns whether the work finished.
template <class Work>
bool bestEffort(const wchar_t* where, Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (...) {
        logContained(where);
        return false;
    }
}

// Held by every window procedure, hook and subclass procedure while it runs, so that objects unloaded
// meanwhile are released only when the outermost message is done.
class HandlingMessage {
public:
    HandlingMessage() noexcept;
    ~HandlingMessage();
    HandlingMessage(const HandlingMessage&) = delete;
    HandlingMessage& operator=(const HandlingMessage&) = delete;
    // How many are active on this thread.
    static int depth() noexcept;
};

} // namespace core
