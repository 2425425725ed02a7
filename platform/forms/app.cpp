#include "platform/forms/app.h"

#include "platform/forms/msgbox.h"
#include "platform/core/runtime_error.h"

#include <cstdio>
#include <exception>

namespace forms {

namespace {

std::wstring& titleSlot() {
    static std::wstring title;
    return title;
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

// Unexpected errors are shown to the user in the message box once the run time is linked in.
[[maybe_unused]] const bool alertInstalled =
    (core::setAlertHandler([](const std::wstring& text) { MsgBox(text, mb::Critical); }), true);

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

void App::End() {
    if (endSlot()) {
        EndHandler h = endSlot();
        h();
        throw core::EndRequested{};
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

} // namespace forms
