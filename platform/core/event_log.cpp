#include "platform/core/event_log.h"

#include "platform/core/runtime_error.h"
#include "platform/core/text.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace core {

namespace {

LogHandler& logSlot() {
    static LogHandler handler;
    return handler;
}

AlertHandler& alertSlot() {
    static AlertHandler handler;
    return handler;
}

thread_local int t_handling = 0;

void writeStderr(const std::wstring& text) {
    std::fprintf(stderr, "%s\n", toUtf8(text).c_str());
    std::fflush(stderr);
}

} // namespace

void logEvent(const std::wstring& text, int eventType) {
    if (logSlot()) {
        LogHandler h = logSlot();
        h(text, eventType);
        return;
    }
    writeStderr(text);
}

LogHandler setLogHandler(LogHandler handler) {
    LogHandler old = std::move(logSlot());
    logSlot() = std::move(handler);
    return old;
}

AlertHandler setAlertHandler(AlertHandler handler) {
    AlertHandler old = std::move(alertSlot());
    alertSlot() = std::move(handler);
    return old;
}

std::wstring currentErrorText() noexcept {
    try {
        try {
            throw;
        } catch (const RuntimeError& e) {
            return L"Run-time error '" + std::to_wstring(e.number()) + L"':\n\n" + e.description();
        } catch (const std::exception& e) {
            return L"Unexpected error: " + fromUtf8(e.what());
        } catch (...) {
            return L"Unexpected error";
        }
    } catch (...) {
        return L"Unexpected error";
    }
}

void reportUnexpectedError(const wchar_t* where) noexcept {
    // The alert runs a message loop; an error that comes again while it is shown (a paint handler that
    // keeps failing) is only logged, instead of stacking alerts without end.
    static thread_local bool reporting = false;
    const bool nested = reporting;
    struct Flag {
        bool& flag;
        bool old;
        ~Flag() { flag = old; }
    } restore{reporting, reporting};
    reporting = true;
    try {
        try {
            throw;
        } catch (const EndRequested&) {
            return;
        } catch (...) {
        }
        const std::wstring text = currentErrorText();
        logEvent(std::wstring(where ? where : L"") + L": " + text, LogError);
        if (!nested && alertSlot()) {
            AlertHandler alert = alertSlot();
            alert(text);
        }
    } catch (...) {
        // Nothing more can be done without risking an exception through the caller.
    }
}

void logContained(const wchar_t* where) noexcept {
    try {
        logEvent(std::wstring(where ? where : L"") + L" (contained): " + currentErrorText(), LogWarning);
    } catch (...) {
        // The log itself failed; there is nowhere left to tell.
    }
}

HandlingMessage::HandlingMessage() noexcept {
    ++t_handling;
}
HandlingMessage::~HandlingMessage() {
    --t_handling;
}
int HandlingMessage::depth() noexcept {
    return t_handling;
}

} // namespace core
