#include "platform/hook/dispatch.h"

#include "platform/hook/retired_blocks.h"

#include <exception>
#include <string>
#include <windows.h>

namespace hook {

namespace {

void debugReport(const wchar_t* text) {
    OutputDebugStringW(text);
}

ErrorReporter reporter = &debugReport;

// Called from the trampoline's handlers: nothing may leave it either.
void report(const char* what) noexcept {
    try {
        std::wstring text = L"Unexpected error in a window hook: ";
        for (const char* p = what; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
        reporter(text.c_str());
    } catch (...) {
        OutputDebugStringW(L"Unexpected error in a window hook");
    }
}

} // namespace

void setErrorReporter(ErrorReporter r) {
    reporter = r ? r : &debugReport;
}

extern "C" long __stdcall hookTrampoline(DispatchRecord* record, long bBefore, long* bHandled, long* lReturn,
                                         long* hWnd, long* uMsg, long* wParam, long* lParam) {
    RunningBlock running(__builtin_return_address(0));
    try {
        if (record && record->client)
            record->client->zSubclass_Proc(bBefore != 0, *bHandled, *lReturn, *hWnd, *uMsg, *wParam, *lParam);
    } catch (const std::exception& e) {
        report(e.what());
    } catch (...) {
        report("unknown exception");
    }
    return 0;
}

} // namespace hook
