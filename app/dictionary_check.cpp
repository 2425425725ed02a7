#include "app/dictionary_check.h"

#include "platform/data/connection.h"
#include "platform/data/errors.h"

#include <chrono>

namespace app {

DictionaryCheck::~DictionaryCheck() {
    if (thread_.joinable()) thread_.join();
}

void DictionaryCheck::start(const std::wstring& connectionString) {
    if (started_) return;
    started_ = true;
    std::promise<void> ended;
    ended_ = ended.get_future();
    thread_ = std::thread([this, connectionString, ended = std::move(ended)]() mutable {
        try {
            data::Connection cn;
            cn.Open(connectionString, L"", L"", -1);
        } catch (const core::RuntimeError& e) {
            failureNumber_ = e.number();
            failure_ = std::current_exception();
        } catch (...) {
            failure_ = std::current_exception();
        }
        ended.set_value();
    });
}

DictionaryCheck::Verdict DictionaryCheck::verdict(const data::Deadline& deadline) {
    if (!started_) return Verdict::Open;
    if (thread_.joinable()) {
        if (ended_.wait_for(std::chrono::milliseconds(deadline.remaining())) != std::future_status::ready)
            return Verdict::Pending;
        thread_.join();
    }
    return failureNumber_ == data::err::NotADatabase || failureNumber_ == data::err::WrongPassword
               ? Verdict::Refused
               : Verdict::Open;
}

} // namespace app
