#include "app/dictionary_check.h"

#include "platform/data/connection.h"
#include "platform/data/errors.h"

#include <chrono>

namespace app {

DictionaryCheck::~DictionaryCheck() {
    if (thread_.joinable()) thread_.join();
}

void DictionaryCheck::start(const std::wstring& connectionString, data::Deadline deadline,
                            std::function<void()> ended) {
    if (started_) return;
    started_ = true;
    connectionString_ = connectionString;
    ended_ = std::move(ended);
    run(deadline);
}

void DictionaryCheck::startAgain() {
    if (!started_ || verdict(data::Deadline(0)) != Verdict::Unsettled) return;
    run(data::Deadline());
}

void DictionaryCheck::run(data::Deadline deadline) {
    failureNumber_ = 0;
    failure_ = nullptr;
    std::promise<void> done;
    done_ = done.get_future();
    thread_ = std::thread([this, deadline, done = std::move(done)]() mutable {
        try {
            data::Connection cn;
            cn.Open(connectionString_, deadline);
            passed_ = true;
        } catch (const core::RuntimeError& e) {
            failureNumber_ = e.number();
            failure_ = std::current_exception();
        } catch (...) {
            failure_ = std::current_exception();
        }
        done.set_value();
        if (ended_) ended_();
    });
}

DictionaryCheck::Verdict DictionaryCheck::verdict(const data::Deadline& deadline) {
    if (thread_.joinable()) {
        if (done_.wait_for(std::chrono::milliseconds(deadline.remaining())) != std::future_status::ready)
            return Verdict::Pending;
        thread_.join();
    }
    if (passed_) return Verdict::Passed;
    return failureNumber_ == data::err::NotADatabase || failureNumber_ == data::err::WrongPassword
               ? Verdict::Refused
               : Verdict::Unsettled;
}

} // namespace app
