#pragma once
#include <windows.h>

namespace hook {

// A window's procedure, read and replaced with the W functions for a Unicode window (through the A
// functions its text would be squeezed through the code page) and with the A functions otherwise.
inline LONG_PTR windowProcedure(HWND window, bool unicode) {
    return unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

inline LONG_PTR setWindowProcedure(HWND window, bool unicode, LONG_PTR procedure) {
    return unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
                   : SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
}

} // namespace hook
