#pragma once

#include <windows.h>

namespace forms {

// What a window of ours stands for: a form, a control, the control that owns a system window inside
// it, or a window a control keeps for itself (a tooltip, a pop-up).
class WindowObject {
public:
    virtual ~WindowObject() = default;
};

// The one way from a window to the object behind it: a window property, set when the window is
// created (at WM_NCCREATE, from the creation parameter, which must be a WindowObject*) or when a
// system window is subclassed. A property and not the window's user data or procedure, so the
// object is still found when a window hook replaced the procedure or other code uses the user data.
namespace windowObject {

void attach(HWND hwnd, WindowObject* object) noexcept;
void detach(HWND hwnd) noexcept;
WindowObject* of(HWND hwnd) noexcept;
template <class T>
T* as(HWND hwnd) noexcept {
    return dynamic_cast<T*>(of(hwnd));
}

// At WM_NCCREATE of a window whose creation parameter is its object: attaches and returns it.
// Null for any other message or a window created without an object.
WindowObject* attachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) noexcept;

} // namespace windowObject

} // namespace forms
