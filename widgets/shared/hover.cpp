#include "widgets/shared/hover.h"

#include "platform/core/variant.h"
#include "platform/forms/surface.h"
#include "widgets/shared/tip_window.h"

namespace widgets::hover {

namespace {

constexpr wchar_t kTipFont[] = L"Verdana";
constexpr std::int16_t kTipMaxWidth = 300;
constexpr std::int32_t kTipTextColor = 0;
constexpr std::int32_t kTipDefaultBack = -1;

} // namespace

void handOverTip(forms::UserControl& control, bool tiengViet) {
    FTip::instance().SetTip(control.hWnd(), control.ToolTipText(), kTipTextColor, kTipDefaultBack, tiengViet,
                            core::Variant(kTipFont), kTipMaxWidth);
}

bool pointerOver(forms::UserControl& control, float x, float y) {
    const forms::Surface& s = control.surface();
    if (x < 0 || y < 0 || x > s.ScaleWidth() || y > s.ScaleHeight()) return false;
    POINT p{0, 0};
    GetCursorPos(&p);
    return WindowFromPoint(p) == control.hWnd();
}

void capture(HWND window) {
    if (GetCapture() != window) SetCapture(window);
}

void releaseCapture(HWND window) {
    if (window && GetCapture() == window) ReleaseCapture();
}

bool hidesOrDisables(const core::MessageFrame& m) {
    return (m.msg == WM_ENABLE || m.msg == WM_SHOWWINDOW) && !m.wParam;
}

} // namespace widgets::hover
