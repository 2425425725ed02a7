#pragma once

#include <windows.h>

namespace forms {

class ControlHost;

// The one way from a window to the run time's object behind it (a form, a control, or the control
// that owns a system window inside it): a window property, set when the window is created (at
// WM_NCCREATE, from the creation parameter) or when a system window is subclassed. A property
// and not the window's user data or procedure, so the object is still found when a window hook
// replaced the procedure or other code uses the user data.
namespace windowObject {

void attach(HWND hwnd, ControlHost* object) noexcept;
void detach(HWND hwnd) noexcept;
ControlHost* of(HWND hwnd) noexcept;

// At WM_NCCREATE of a window whose creation parameter is its object: attaches and returns it.
// Null for any other message or a window created without an object.
ControlHost* attachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) noexcept;

} // namespace windowObject

} // namespace forms
