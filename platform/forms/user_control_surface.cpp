// The control's persistent image: made with the window, following its size, shown on paint.
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "platform/forms/user_control.h"

namespace forms {

void UserControl::ensureSurface() {
    const int w = clientW_ < 0 ? 0 : clientW_, h = clientH_ < 0 ? 0 : clientH_;
    if (surface_) {
        surface_->resize(w, h);
        return;
    }
    surface_ = std::make_shared<Surface>(w, h);
    surface_->setFont(ambientFont()->clone());
    surface_->onChanged = [this] {
        if (hwnd_ && usesSurface_) InvalidateRect(hwnd_, nullptr, FALSE);
    };
    surfaceMade(*surface_);
}

void UserControl::paintSurface() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc && surface_ && usesSurface_) surface_->paint(dc, &ps.rcPaint);
    EndPaint(hwnd_, &ps);
}

Surface& UserControl::surface() {
    if (!surface_) ensureSurface();
    return *surface_;
}

HDC UserControl::hDC() {
    return surface().hDC();
}

int UserControl::hostScaleMode() {
    return surface().ScaleMode();
}

} // namespace forms
