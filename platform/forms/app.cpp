#include "platform/forms/app.h"

#include "platform/forms/msgbox.h"
#include "platform/forms/runtime_error.h"

#include <cstdio>
#include <exception>

namespace forms {

namespace {

std::wstring& titleSlot() {
    static std::wstring title;
    return title;
}

App::LogHandler& logSlot() {
    static App::LogHandler handler;
    return handler;
}

App::EndHandler& endSlot() {
    static App::EndHandler handler;
    return handler;
}

std::wstring moduleFile() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

void writeStderr(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr,
                        nullptr);
    std::fprintf(stderr, "%s\n", utf8.c_str());
    std::fflush(stderr);
}

} // namespace

std::wstring App::Path() {
    std::wstring file = moduleFile();
    size_t slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    return file.substr(0, slash);
}

HINSTANCE App::hInstance() {
    return GetModuleHandleW(nullptr);
}

std::wstring App::Title() {
    if (!titleSlot().empty()) return titleSlot();
    std::wstring file = moduleFile();
    size_t slash = file.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? file : file.substr(slash + 1);
    size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

void App::setTitle(std::wstring title) {
    titleSlot() = std::move(title);
}

void App::LogEvent(const std::wstring& text, int eventType) {
    if (logSlot()) {
        LogHandler h = logSlot();
        h(text, eventType);
        return;
    }
    writeStderr(text);
}

App::LogHandler App::setLogHandler(LogHandler handler) {
    LogHandler old = std::move(logSlot());
    logSlot() = std::move(handler);
    return old;
}

void App::End() {
    if (endSlot()) {
        EndHandler h = endSlot();
        h();
        throw EndRequested{};
    }
    std::fflush(stdout);
    std::fflush(stderr);
    ExitProcess(0);
}

App::EndHandler App::setEndHandler(EndHandler handler) {
    EndHandler old = std::move(endSlot());
    endSlot() = std::move(handler);
    return old;
}

void reportUnexpectedError(const wchar_t* where) noexcept {
    // The message box runs a message loop; an error that comes again while it is shown (a paint
    // handler that keeps failing) goes to stderr only, instead of stacking boxes without end.
    static thread_local bool reporting = false;
    const bool nested = reporting;
    struct Flag {
        bool& flag;
        bool old;
        ~Flag() { flag = old; }
    } restore{reporting, reporting};
    reporting = true;
    try {
        std::wstring text;
        try {
            throw;
        } catch (const RuntimeError& e) {
            text = L"Run-time error '" + std::to_wstring(e.number()) + L"':\n\n" + e.description();
        } catch (const App::EndRequested&) {
            return;
        } catch (const std::exception& e) {
            const std::string what = e.what();
            std::wstring wide(what.size(), L'\0');
            const int n = MultiByteToWideChar(CP_UTF8, 0, what.data(), static_cast<int>(what.size()),
                                              wide.data(), static_cast<int>(wide.size()));
            wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
            text = L"Unexpected error: " + wide;
        } catch (...) {
            text = L"Unexpected error";
        }
        writeStderr(std::wstring(where ? where : L"") + L": " + text);
        if (!nested) MsgBox(text, mb::Critical);
    } catch (...) {
        // Nothing more can be done without risking an exception through the caller.
    }
}

} // namespace forms
