#include "platform/forms/wait_pointer.h"

#include "platform/core/event_log.h"
#include "platform/forms/cursor_position.h"

namespace forms {

namespace {

// The window of this thread under the point, or null.
HWND ownWindowUnderPointer(POINT p) {
    HWND under = windowAtPoint(p);
    if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) return nullptr;
    return under;
}

} // namespace

void refreshPointer(HWND root) {
    const POINT p = cursorPosition();
    HWND under = ownWindowUnderPointer(p);
    if (!under || !root || GetAncestor(under, GA_ROOT) != root) return;
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

WaitPointer::WaitPointer() {
    if (ownWindowUnderPointer(cursorPosition())) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

WaitPointer::~WaitPointer() {
    core::bestEffort(L"Restoring the pointer", [] {
        if (HWND under = ownWindowUnderPointer(cursorPosition())) refreshPointer(GetAncestor(under, GA_ROOT));
    });
}

} // namespace forms
