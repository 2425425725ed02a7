#pragma once

#include "platform/data/database.h"

#include <exception>
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

    // Starts the check of the database the connection string names. A second start does nothing.
    void start(const std::wstring& connectionString);

    enum class Verdict {
        Pending, // the check was still running at the deadline
        Refused, // the file proved damaged or not the program's; the failure is in failure()
        Open,    // the look-up may go on: the file passed, or was only in use or missing, which the
                 // look-up's own opening reports
    };
    // Waits for the end of a started check, at most until the deadline. A refusal holds for the
    // rest of the run.
    Verdict verdict(const data::Deadline& deadline);
    std::exception_ptr failure() const { return failure_; }

private:
    std::thread thread_;
    std::future<void> ended_;
    bool started_ = false;
    int failureNumber_ = 0;
    std::exception_ptr failure_;
};

} // namespace app
