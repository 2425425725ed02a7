#pragma once
#include "platform/forms/window_object.h"
#include "platform/forms/surface.h"

#include <windows.h>

namespace widgets {

// The small box that shows the whole text of a cut row over the row. A floating tool window owned
// by the form: it keeps what is drawn on it, never takes the activation, and lets the pointer
// through to the list below, so the list does not see the pointer leave while the box is shown.
class CompletePopup : public forms::WindowObject {
public:
    explicit CompletePopup(HWND owner);
    ~CompletePopup();
    CompletePopup(const CompletePopup&) = delete;
    CompletePopup& operator=(const CompletePopup&) = delete;

    HWND hWnd() const { return hwnd_; }
    forms::Surface& surface() { return surface_; }
    // Outer position and size in screen pixels; the surface takes the inner size.
    void Move(int left, int top, int width, int height);
    void show();
    void hide();
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    float ScaleWidth() const { return surface_.ScaleWidth(); }
    float ScaleHeight() const { return surface_.ScaleHeight(); }

private:
    HWND hwnd_ = nullptr;
    forms::Surface surface_;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace widgets
