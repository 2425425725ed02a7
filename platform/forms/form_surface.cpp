// The form's persistent image and the values it shares with it.
#include "platform/core/constants.h"
#include "platform/forms/form.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"

namespace forms {

void Form::ensureSurface() {
    const int w = clientW_ < 0 ? 0 : clientW_, h = clientH_ < 0 ? 0 : clientH_;
    if (surface_) {
        surface_->resize(w, h);
        return;
    }
    surface_ = std::make_shared<Surface>(w, h);
    surface_->setScaleMode(core::scale::Twips);
    surface_->setForeColor(foreColor_);
    surface_->setFont(font_);
    surface_->setBackColor(backColor_);
    surface_->onChanged = [this] {
        if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    };
}

void Form::paintSurface() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc && surface_) surface_->paint(dc, &ps.rcPaint);
    EndPaint(hwnd_, &ps);
}

void Form::applySurfaceColours(bool back) {
    if (!surface_) return;
    if (back)
        surface_->setBackColor(backColor_);
    else
        surface_->setForeColor(foreColor_);
}

void Form::applySurfaceFont() {
    if (surface_) surface_->setFont(font_);
}

Surface& Form::surface() {
    if (!surface_) ensureSurface();
    return *surface_;
}

HDC Form::hDC() {
    return surface().hDC();
}

int Form::hostScaleMode() {
    return surface().ScaleMode();
}

double Form::ScaleWidth() {
    return surface().ScaleWidth();
}
double Form::ScaleHeight() {
    return surface().ScaleHeight();
}

void Form::Cls() {
    surface().Cls();
}

void Form::Refresh() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

float Form::toScaleX(float pixels) {
    return surface().ScaleX(pixels, core::scale::Pixels, surface().ScaleMode());
}
float Form::toScaleY(float pixels) {
    return surface().ScaleY(pixels, core::scale::Pixels, surface().ScaleMode());
}

} // namespace forms
