#pragma once

#include <exception>
#include <functional>
#include <string>
#include <thread>

namespace app {

// The dictionary's first opening checks the whole file (its pages, its digest and its password),
// which takes longer than anything the window needs to appear. It is made on a thread of its own
// once the window is painted; the session it leaves is kept by the database layer, so the first
// look-up goes on with it. A look-up that comes earlier waits for the check's verdict.
class DictionaryCheck {
public:
    DictionaryCheck() = default;
    DictionaryCheck(const DictionaryCheck&) = delete;
    DictionaryCheck& operator=(const DictionaryCheck&) = delete;
    ~DictionaryCheck(); // waits for a check still running

    // Starts the check of the database the connection string names; ended runs on the check's
    // thread when it is over, so it may only post a message. A second start does nothing.
    void start(const std::wstring& connectionString, std::function<void()> ended);
    bool started() const { return started_; }

    // Waits for the end of a started check. True when the file proved damaged or not the program's
    // (a verdict that holds for the rest of the run); the failure is then in failure(). A file that
    // was only in use or missing is left to the look-up, which reports it itself.
    bool refused();
    std::exception_ptr failure() const { return failure_; }

    // Whether the verdict was shown to the user; marks it shown.
    bool takeReport();

private:
    std::thread thread_;
    bool started_ = false;
    int failureNumber_ = 0;
    bool reported_ = false;
    std::exception_ptr failure_;
};

} // namespace app
