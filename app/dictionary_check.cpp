#include "app/dictionary_check.h"

#include "platform/data/connection.h"
#include "platform/data/errors.h"

namespace app {

DictionaryCheck::~DictionaryCheck() {
    if (thread_.joinable()) thread_.join();
}

void DictionaryCheck::start(const std::wstring& connectionString, std::function<void()> ended) {
    if (started_) return;
    started_ = true;
    thread_ = std::thread([this, connectionString, ended = std::move(ended)] {
        try {
            data::Connection cn;
            cn.Open(connectionString, L"", L"", -1);
        } catch (const core::RuntimeError& e) {
            failureNumber_ = e.number();
            failure_ = std::current_exception();
        } catch (...) {
            failure_ = std::current_exception();
        }
        ended();
    });
}

bool DictionaryCheck::refused() {
    if (!started_) return false;
    if (thread_.joinable()) thread_.join();
    return failureNumber_ == data::err::NotADatabase || failureNumber_ == data::err::WrongPassword;
}

bool DictionaryCheck::takeReport() {
    const bool first = !reported_;
    reported_ = true;
    return first;
}

} // namespace app
