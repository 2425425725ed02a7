#include "widgets/slider/uc_slider.h"

#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_table.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/slider/slider_paint.h"
#include "widgets/slider/uc_slider_tip.h"

#include <algorithm>
#include <limits>

namespace widgets {

using forms::OnChange;

// The stored properties, in the order they are written.
const forms::PropertyTable<ucSlider>& ucSlider::properties() {
    using S = ucSlider;
    using forms::field;
    const std::shared_ptr<forms::StdPicture> noPicture;
    static const forms::PropertyTable<S> table{
        field<S>(
            L"BackColor", [](S & c) -> auto& { return c.model_.look.BackColor; }, core::sysColor::ButtonFace),
        field<S>(
            L"Enabled", [](S & c) -> auto& { return c.model_.look.Enabled; }, true, OnChange::None),
        field<S>(
            L"MouseIcon", [](S & c) -> auto& { return c.model_.look.MouseIcon; }, noPicture, OnChange::None),
        field<S>(
            L"MousePointer", [](S & c) -> auto& { return c.model_.look.MousePointer; },
            int32_t{core::pointer::Default}, OnChange::None),
        field<S>(
            L"SliderImage", [](S & c) -> auto& { return c.model_.look.SliderImage; }, noPicture,
            OnChange::Relayout),
        field<S>(
            L"Orientation", [](S & c) -> auto& { return c.model_.look.Orientation; },
            int32_t{sliderOrientation::Vertical}, OnChange::Relayout),
        field<S>(
            L"RailImage", [](S & c) -> auto& { return c.model_.look.RailImage; }, noPicture,
            OnChange::Relayout),
        field<S>(
            L"RailStyle", [](S & c) -> auto& { return c.model_.look.RailStyle; }, int32_t{railStyle::Sunken},
            OnChange::Relayout),
        field<S>(
            L"ShowValueTip", [](S & c) -> auto& { return c.model_.look.ShowValueTip; }, true, OnChange::None),
        field<S>(
            L"Min", [](S & c) -> auto& { return c.model_.look.Min; }, int32_t{0}, OnChange::None),
        field<S>(
            L"Max", [](S & c) -> auto& { return c.model_.look.Max; }, int32_t{10}, OnChange::None),
        field<S>(
            L"Value", [](S & c) -> auto& { return c.model_.look.Value; }, int32_t{0}, OnChange::None),
    };
    return table;
}

ucSlider::ucSlider()
    : model_(*this), tppX_(forms::Screen::TwipsPerPixelX()), tppY_(forms::Screen::TwipsPerPixelY()) {}

ucSlider::~ucSlider() = default;

void ucSlider::registerType() {
    forms::registerControlType<ucSlider>(L"ucSlider");
}

template <class T>
void ucSlider::store(const wchar_t* key, const T& value) {
    const auto& row = properties().row(key);
    row.put(*this, forms::PropertyValue<T>::to(value));
    propertyEffect(row.effect);
}

void ucSlider::propertyEffect(OnChange effect) {
    if (effect == OnChange::Repaint) {
        surface().setBackColor(model_.look.BackColor);
        model_.DrawRail();
    } else if (effect == OnChange::Relayout) {
        thumbTakesPicture();
        railTakesPicture();
        layOut();
    }
}

// --- Public members

void ucSlider::setValue(int32_t value) {
    auto keep = weak_from_this().lock();
    model_.writeValue(value);
}

void ucSlider::setMin(int32_t value) {
    auto keep = weak_from_this().lock();
    model_.writeMin(value);
}

void ucSlider::setMax(int32_t value) {
    model_.writeMax(value);
}

void ucSlider::setEnabled(bool enabled) {
    store(L"Enabled", enabled);
}

void ucSlider::setBackColor(uint32_t colour) {
    store(L"BackColor", colour);
}

void ucSlider::setMousePointer(int32_t pointer) {
    if (pointer < std::numeric_limits<int16_t>::min() || pointer > std::numeric_limits<int16_t>::max())
        throw core::RuntimeError(core::err::Overflow);
    forms::UserControl::setMousePointer(pointer);
    model_.look.MousePointer = pointer;
}

void ucSlider::setMouseIcon(std::shared_ptr<forms::StdPicture> icon) {
    forms::UserControl::setMouseIcon(icon);
    model_.look.MouseIcon = std::move(icon);
}

void ucSlider::setOrientation(int32_t orientation) {
    model_.look.Orientation = orientation;
    model_.resetThumb();
    layOut();
}

void ucSlider::setRailStyle(int32_t style) {
    store(L"RailStyle", style);
}

void ucSlider::setSliderImage(std::shared_ptr<forms::StdPicture> picture) {
    store(L"SliderImage", picture);
}

void ucSlider::setRailImage(std::shared_ptr<forms::StdPicture> picture) {
    store(L"RailImage", picture);
}

void ucSlider::setShowValueTip(bool show) {
    store(L"ShowValueTip", show);
}

// --- Persistence

void ucSlider::UserControl_InitProperties() {
    properties().init(*this);
    thumbTakesPicture();
    railTakesPicture();
    model_.initNew();
}

void ucSlider::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    surface().setBackColor(model_.look.BackColor);
    const int32_t pointer = model_.look.MousePointer;
    model_.look.MousePointer = core::pointer::Default;
    setMousePointer(pointer);
    setMouseIcon(model_.look.MouseIcon);
    thumbTakesPicture();
    railTakesPicture();
    model_.afterRead();
}

void ucSlider::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
}

void ucSlider::UserControl_Terminate() {
    closeTip();
}

// --- Layout

void ucSlider::thumbTakesPicture() {
    const auto& p = model_.look.SliderImage;
    model_.state.thumbWidth = p ? p->widthPixels() : kThumbPixels;
    model_.state.thumbHeight = p ? p->heightPixels() : kThumbPixels;
}

void ucSlider::railTakesPicture() {
    const auto& p = model_.look.RailImage;
    model_.state.railWidth = p ? p->widthPixels() : 0;
    model_.state.railHeight = p ? p->heightPixels() : 0;
}

// Sizes in the container's scale; a negative size keeps the current one.
void ucSlider::sizeTo(int widthPixels, int heightPixels) {
    const bool pixels = Container() && Container()->hostScaleMode() == core::scale::Pixels;
    const int w = widthPixels < 0 ? Width() : widthPixels * (pixels ? 1 : tppX_);
    const int h = heightPixels < 0 ? Height() : heightPixels * (pixels ? 1 : tppY_);
    Move(Left(), Top(), w, h);
}

void ucSlider::layOut() {
    if (layingOut_ || !hWnd()) return;
    layingOut_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{layingOut_};
    const SliderLook& look = model_.look;
    const SliderState& st = model_.state;
    if (look.laidOut()) {
        const bool h = look.horizontal();
        // As thick as the thumb, or as a rail picture that is thicker.
        int thickness = h ? st.thumbHeight : st.thumbWidth;
        if (look.pictureRail()) thickness = std::max(thickness, h ? st.railHeight : st.railWidth);
        core::bestEffort(L"Slider picture rail size", [&] {
            if (!look.pictureRail()) return;
            if (h)
                sizeTo(st.railWidth + 4, thickness);
            else
                sizeTo(thickness, st.railHeight + 4);
        });
        core::bestEffort(L"Slider thickness", [&] {
            if (h)
                sizeTo(Width() == 0 ? st.thumbWidth : -1, thickness);
            else
                sizeTo(thickness, Height() == 0 ? st.thumbHeight : -1);
        });
        core::bestEffort(L"Slider thumb and rail", [&] { model_.layOut(); });
    }
    model_.DrawRail();
}

// --- Input

void ucSlider::windowMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_CAPTURECHANGED:
        onCaptureChanged(reinterpret_cast<HWND>(m.lParam));
        break;
    default:
        break;
    }
}

void ucSlider::onCaptureChanged(HWND newCapture) {
    // Our own release hands the capture to nobody; another window taking it ends the drag.
    if (newCapture && newCapture != hWnd()) model_.captureLost();
}

void ucSlider::UserControl_MouseDown(int Button, int Shift, float X, float Y) {
    auto keep = weak_from_this().lock();
    model_.press(Button, Shift, X, Y);
}

void ucSlider::UserControl_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y) {
    auto keep = weak_from_this().lock();
    if (!model_.move(X, Y)) closeTip();
}

void ucSlider::UserControl_MouseUp(int Button, int Shift, float X, float Y) {
    auto keep = weak_from_this().lock();
    model_.release(Button, Shift, X, Y);
}

// --- SliderSurface

// The surface measures in pixels and always has the window's client size.
float ucSlider::scaleWidth() const {
    return static_cast<float>(std::max(0, pixelWidth()));
}

float ucSlider::scaleHeight() const {
    return static_cast<float>(std::max(0, pixelHeight()));
}

void ucSlider::paint() {
    forms::Surface& s = surface();
    SliderPainter(s.hDC(), s.widthPixels(), s.heightPixels()).paint(model_.look, model_.state);
}

bool ucSlider::raise(SliderEvent event, int16_t shift) {
    switch (event) {
    case SliderEvent::Click:
        return RaiseEvent(Click);
    case SliderEvent::ArrivedFirst:
        return RaiseEvent(ArrivedFirst);
    case SliderEvent::ArrivedLast:
        return RaiseEvent(ArrivedLast);
    case SliderEvent::Change:
        return RaiseEvent(Change);
    case SliderEvent::MouseDown:
        return RaiseEvent(MouseDown, shift);
    case SliderEvent::MouseUp:
        return RaiseEvent(MouseUp, shift);
    }
    return loaded();
}

void ucSlider::showTip() {
    const SliderState& st = model_.state;
    ShowTip(SliderTipRequest{hWnd(), model_.look.Value, model_.look.Orientation, st.thumbLeft, st.thumbTop,
                             st.thumbWidth, st.thumbHeight, tppX_, tppY_});
}

void ucSlider::closeTip() {
    CloseSliderTip();
}

} // namespace widgets
