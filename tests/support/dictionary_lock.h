#pragma once
// A database held as another program's lock would hold it: an exclusive transaction of another
// connection, on a thread of its own, from the object's making until it is told to let go.
#include "platform/data/database.h"

#include <windows.h>

#include <exception>
#include <future>
#include <string>
#include <thread>

namespace testsupport {

class DictionaryLock {
public:
    explicit DictionaryLock(const std::wstring& file) {
        std::promise<void> held;
        auto taken = held.get_future();
        thread_ =
            std::thread([this, file, held = std::move(held), release = release_.get_future()]() mutable {
                bool holding = false;
                try {
                    data::Database db(file);
                    db.execute(L"begin exclusive");
                    held.set_value();
                    holding = true;
                    Sleep(release.get());
                    lettingGo_ = GetTickCount();
                    db.execute(L"rollback");
                } catch (...) {
                    if (!holding) held.set_exception(std::current_exception());
                    failure_ = std::current_exception();
                }
            });
        try {
            taken.get();
        } catch (...) {
            thread_.join();
            throw;
        }
    }
    ~DictionaryLock() {
        if (!told_) release_.set_value(0);
        if (thread_.joinable()) thread_.join();
    }
    // Lets go once the milliseconds have passed, counted from now.
    void letGoAfter(DWORD ms) {
        told_ = true;
        release_.set_value(ms);
    }
    // The tick at which the lock began to let go, once it has gone.
    DWORD lettingGo() {
        thread_.join();
        if (failure_) std::rethrow_exception(failure_);
        return lettingGo_;
    }

private:
    std::promise<DWORD> release_;
    bool told_ = false;
    DWORD lettingGo_ = 0;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace testsupport
