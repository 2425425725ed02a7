#pragma once

#include <windows.h>

namespace forms {

// What a window of ours stands for: a form, a control, the control that owns a system window inside
// it, or a window a control keeps for itself (a tooltip, a pop-up).
class WindowObject {
public:
    virtual ~WindowObject() = default;
};

// The one way from a window to the object behind it: the process's own table, filled when the window
// is created (at WM_NCCREATE, from the creation parameter, which must be a WindowObject*) or when a
// system window is subclassed. Not the window's user data or procedure, so the object is still found
// when a window hook replaced the procedure or other code uses the user data. A window's entry must
// go when the window does (WM_NCDESTROY), since the system hands its handle to a later window.
namespace windowObject {

void attach(HWND hwnd, WindowObject* object) noexcept;
void detach(HWND hwnd) noexcept;
WindowObject* of(HWND hwnd) noexcept;
template <class T>
T* as(HWND hwnd) noexcept {
    return dynamic_cast<T*>(of(hwnd));
}

// At WM_NCCREATE of a window whose creation parameter is its object: attaches and returns it.
// Null for any other message, a window created without an object, or a WM_NCCREATE that another
// thread sent (only the creating thread's own is the window's creation).
WindowObject* attachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) noexcept;

// Put at the top of a window procedure that does not handle WM_NCDESTROY itself: when the window
// goes, its entry goes as the procedure returns, whatever path it returns by.
class DetachOnDestroy {
public:
    DetachOnDestroy(HWND hwnd, UINT msg) noexcept : hwnd_(msg == WM_NCDESTROY ? hwnd : nullptr) {}
    ~DetachOnDestroy() { detach(hwnd_); }
    DetachOnDestroy(const DetachOnDestroy&) = delete;
    DetachOnDestroy& operator=(const DetachOnDestroy&) = delete;

private:
    HWND hwnd_;
};

} // namespace windowObject

} // namespace forms
