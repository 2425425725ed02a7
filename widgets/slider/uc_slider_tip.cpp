#include "widgets/slider/uc_slider_tip.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/label.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/slider/slider_model.h"

#include <string>

namespace widgets {

namespace {

// Border of the window around the label: 2 pixels left and right, 1 above and 2 below.
constexpr int kTipExtraWidth = 4;
constexpr int kTipExtraHeight = 3;
// Between the tip and the thumb.
constexpr int kTipGap = 2;

} // namespace

ucSliderTip::ucSliderTip() {
    setName(L"ucSliderTip");
    setBorderStyle(core::formBorder::None);
    setShowInTaskbar(false);
    setNoActivate(true);
    setBackColor(core::sysColor::InfoBackground);
    setFont(forms::StdFont::create(L"Tahoma", 8.25));
    setCaption(L"lblTip");
    setClientSize(600, 345);
}

forms::Layout ucSliderTip::layout() const {
    forms::LayoutEntry label;
    label.type = L"Label";
    label.name = L"lblTip";
    label.left = 30;
    label.top = 15;
    label.width = 360;
    label.height = 195;
    // See-through, so the info background shows behind the text.
    label.properties = forms::PropertyBag{{L"Caption", core::Variant(std::wstring(L"lblTip"))},
                                          {L"BackStyle", 0},
                                          {L"ForeColor", core::Variant::colour(core::sysColor::WindowText)}};
    return {label};
}

forms::Label& ucSliderTip::lblTip() {
    return control<forms::Label>(L"lblTip");
}

void ucSliderTip::Form_Load() {
    surface().setScaleMode(core::scale::Pixels);
}

void ucSliderTip::place(int left, int top, int width, int height) {
    Move(left, top, width, height);
    // A hidden form hears of no resize; the border is drawn all the same.
    if (!Visible()) drawBorder();
}

void ucSliderTip::drawBorder() {
    forms::Surface& s = surface();
    s.Cls();
    const float w = s.ScaleWidth(), h = s.ScaleHeight();
    s.Line(0, 0, w, 0, core::sysColor::ButtonHighlight);
    s.Line(0, 0, 0, h, core::sysColor::ButtonHighlight);
    s.Line(w - 1, 0, w - 1, h, core::sysColor::DarkShadow3D);
    s.Line(0, h - 1, w, h - 1, core::sysColor::DarkShadow3D);
}

void ShowTip(const SliderTipRequest& r) {
    const bool horizontal = r.orientation == sliderOrientation::Horizontal;
    if (!horizontal && r.orientation != sliderOrientation::Vertical) return;
    RECT rect{};
    core::bestEffort(L"Slider tip: slider rectangle", [&] { GetWindowRect(r.slider, &rect); });
    ucSliderTip* tip = nullptr;
    core::bestEffort(L"Slider tip: load", [&] { tip = &forms::instance<ucSliderTip>(); });
    if (!tip || !tip->loaded()) return;
    const std::wstring text = std::to_wstring(r.value);
    core::bestEffort(L"Slider tip: text", [&] {
        forms::Label& label = tip->lblTip();
        label.setWidth(static_cast<int>(whole(tip->surface().TextWidth(text))));
        label.setCaption(text);
        label.Refresh();
    });
    int lw = 0, lh = 0;
    core::bestEffort(L"Slider tip: label size", [&] {
        lw = tip->lblTip().Width();
        lh = tip->lblTip().Height();
    });
    double x, y;
    if (horizontal) {
        x = whole(rect.left + r.thumbLeft + (r.thumbWidth - lw - kTipExtraWidth) / 2);
        y = whole(rect.top + r.thumbTop - lh - kTipExtraHeight - kTipGap);
    } else {
        x = whole(rect.left + r.thumbLeft - lw - kTipExtraWidth - kTipGap);
        y = whole(rect.top + r.thumbTop + (r.thumbHeight - lh - kTipExtraHeight - 1) / 2);
    }
    core::bestEffort(L"Slider tip: place", [&] {
        tip->place(static_cast<int>(x) * r.tppX, static_cast<int>(y) * r.tppY, (lw + kTipExtraWidth) * r.tppX,
                   (lh + kTipExtraHeight) * r.tppY);
    });
    core::bestEffort(L"Slider tip: show", [&] {
        SetWindowPos(tip->hWnd(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    });
}

void CloseSliderTip() noexcept {
    core::bestEffort(L"Slider tip: unload", [] { forms::unload<ucSliderTip>(); });
}

} // namespace widgets
