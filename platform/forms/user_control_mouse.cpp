#include "platform/forms/user_control_mouse.h"

#include <windowsx.h>

namespace forms {

int shiftFromKeyboard() {
    int s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= core::shift::Shift;
    if (GetKeyState(VK_CONTROL) < 0) s |= core::shift::Ctrl;
    if (GetKeyState(VK_MENU) < 0) s |= core::shift::Alt;
    return s;
}

int shiftFromMouseFlags(WPARAM flags) {
    int s = 0;
    if (flags & MK_SHIFT) s |= core::shift::Shift;
    if (flags & MK_CONTROL) s |= core::shift::Ctrl;
    if (GetKeyState(VK_MENU) < 0) s |= core::shift::Alt;
    return s;
}

int buttonsFromMouseFlags(WPARAM flags) {
    int b = 0;
    if (flags & MK_LBUTTON) b |= core::mouse::Left;
    if (flags & MK_RBUTTON) b |= core::mouse::Right;
    if (flags & MK_MBUTTON) b |= core::mouse::Middle;
    return b;
}

namespace {

int buttonOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return core::mouse::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return core::mouse::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return core::mouse::Middle;
    }
    return 0;
}

} // namespace

bool MouseTracker::handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, MouseSink& sink) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam));
    const float y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const int b = buttonOf(msg);
        const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
        if (pressed_ == 0 && GetCapture() != hwnd) SetCapture(hwnd);
        pressed_ |= b;
        if (dbl)
            clickable_ &= ~b;
        else
            clickable_ |= b;
        sink.mousePressFocus();
        if (!sink.mouseAlive()) return true;
        if (dbl)
            sink.mouseDblClick();
        else
            sink.mouseDown(b, shiftFromMouseFlags(wParam), x, y);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int b = buttonOf(msg);
        const bool click = (clickable_ & b) != 0;
        pressed_ &= ~b;
        clickable_ &= ~b;
        if (pressed_ == 0 && GetCapture() == hwnd) {
            releasing_ = true;
            ReleaseCapture();
            releasing_ = false;
        }
        sink.mouseUp(b, shiftFromMouseFlags(wParam), x, y);
        if (!click || !sink.mouseAlive()) return true;
        RECT rc;
        GetClientRect(hwnd, &rc);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&rc, pt)) sink.mouseClick();
        return true;
    }
    case WM_MOUSEMOVE:
        sink.mouseMove(buttonsFromMouseFlags(wParam), shiftFromMouseFlags(wParam), x, y);
        return true;
    case WM_CAPTURECHANGED:
        // Capture taken away (a menu, another window): the pending press ends without a Click.
        if (!releasing_ && reinterpret_cast<HWND>(lParam) != hwnd) reset();
        return true;
    }
    return false;
}

} // namespace forms
