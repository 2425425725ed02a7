#pragma once

#include "platform/data/database.h"

#include <chrono>
#include <exception>
#include <functional>
#include <future>
#include <string>
#include <thread>

namespace app {

// The dictionary's first opening checks the whole file (its pages, its digest and its password),
// which takes longer than anything the window needs to appear. It is made on a thread of its own
// once the window is painted; the session it leaves is kept by the database layer, so the first
// look-up goes on with it. A look-up that comes earlier waits for the check's verdict, within the
// look-up's own deadline.
class DictionaryCheck {
public:
    DictionaryCheck() = default;
    DictionaryCheck(const DictionaryCheck&) = delete;
    DictionaryCheck& operator=(const DictionaryCheck&) = delete;
    ~DictionaryCheck(); // waits for a check still running

    // Starts the check of the database the connection string names; it waits for another program's
    // lock only until the deadline. `ended` is called on the check's thread when a check ends. A
    // second start does nothing.
    void start(const std::wstring& connectionString, data::Deadline deadline, std::function<void()> ended);
    // Runs the check again when the last one ended without a verdict on the file (another program
    // held it, it was missing): with a new deadline, on its own thread. Nothing while one runs, once
    // the file passed or was refused, or before the first start.
    void startAgain();

    enum class Verdict {
        Pending,   // a check was still running at the deadline
        Refused,   // the file proved damaged or not the program's; the failure is in failure()
        Passed,    // the file is whole and the program's
        Unsettled, // no check ended with a verdict on the file: it was in use or missing, or no check
                   // began; a look-up's own opening finds out
    };
    // Waits for the end of a running check, at most until the deadline. A refusal holds for the rest
    // of the run.
    Verdict verdict(const data::Deadline& deadline);
    std::exception_ptr failure() const { return failure_; }
    // Whether the first check has begun: its deadline runs from then. For the tests.
    bool started() const { return started_; }
    // Whether a check has begun and none is running.
    bool ended() const {
        return started_ && done_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

private:
    void run(data::Deadline deadline);

    std::wstring connectionString_;
    std::function<void()> ended_;
    std::thread thread_;
    std::future<void> done_;
    bool started_ = false;
    int failureNumber_ = 0;
    bool passed_ = false;
    std::exception_ptr failure_;
};

} // namespace app
