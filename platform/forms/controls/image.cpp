#include "platform/forms/controls/image.h"

#include "platform/core/message_frame.h"
#include "platform/forms/color.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

namespace forms {

Image::Image() {
    setCanGetFocus(false);
    setTabStop(false);
}

void Image::setPicture(std::shared_ptr<StdPicture> picture) {
    picture_ = std::move(picture);
    PropertyChanged(L"Picture");
    // Without Stretch the control takes the picture's size.
    if (!stretch_ && picture_ && picture_->Type() != PictureType::None) {
        const bool pixels = Container() && Container()->hostScaleMode() == core::scale::Pixels;
        const int w = picture_->widthPixels(), h = picture_->heightPixels();
        Move(Left(), Top(), pixels ? w : Screen::pixelsToTwipsX(w), pixels ? h : Screen::pixelsToTwipsY(h));
    }
    redraw();
}

void Image::setStretch(bool stretch) {
    setProperty(properties(), L"Stretch", stretch);
}

const PropertyTable<Image>& Image::properties() {
    using I = Image;
    static const PropertyTable<I> table{
        field<I>(
            L"Picture", [](I & c) -> auto& { return c.picture_; }, std::shared_ptr<StdPicture>()),
        field<I>(
            L"Stretch", [](I & c) -> auto& { return c.stretch_; }, false),
    };
    return table;
}

void Image::UserControl_InitProperties() {
    properties().init(*this);
    redraw();
}

void Image::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    redraw();
}

void Image::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

void Image::redraw() {
    if (!hWnd()) return;
    controls::paintBehind(*this);
    if (!picture_ || picture_->Type() == PictureType::None) {
        surface().Refresh();
        return;
    }
    HDC dc = surface().hDC();
    if (stretch_)
        picture_->render(dc, 0, 0, pixelWidth(), pixelHeight());
    else
        picture_->render(dc, 0, 0, picture_->widthPixels(), picture_->heightPixels());
}

// --- Shape

Shape::Shape() {
    setCanGetFocus(false);
    setTabStop(false);
}

const PropertyTable<Shape>& Shape::properties() {
    using S = Shape;
    static const PropertyTable<S> table{
        field<S>(
            L"BorderColor", [](S & c) -> auto& { return c.borderColor_; }, core::sysColor::WindowText),
        field<S>(
            L"BorderWidth", [](S & c) -> auto& { return c.borderWidth_; }, 1),
        field<S>(
            L"BackStyle", [](S & c) -> auto& { return c.backStyle_; }, 0),
        field<S>(
            L"BackColor", [](S & c) -> auto& { return c.backColor_; }, core::sysColor::WindowBackground),
        field<S>(
            L"FillStyle", [](S & c) -> auto& { return c.fillStyle_; }, 1),
        field<S>(
            L"FillColor", [](S & c) -> auto& { return c.fillColor_; }, uint32_t(0)),
    };
    return table;
}

void Shape::setBorderColor(uint32_t colour) {
    setProperty(properties(), L"BorderColor", controls::checkedColour(colour));
}
void Shape::setBorderWidth(int width) {
    if (width < 1 || width > 8192) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"BorderWidth", width);
}
void Shape::setBackStyle(int style) {
    if (style < 0 || style > 1) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"BackStyle", style);
}
void Shape::setBackColor(uint32_t colour) {
    setProperty(properties(), L"BackColor", controls::checkedColour(colour));
}
void Shape::setFillStyle(int style) {
    if (style < 0 || style > 7) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"FillStyle", style);
}
void Shape::setFillColor(uint32_t colour) {
    setProperty(properties(), L"FillColor", controls::checkedColour(colour));
}

void Shape::UserControl_InitProperties() {
    properties().init(*this);
    redraw();
}

void Shape::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    redraw();
}

void Shape::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

void Shape::windowMessage(core::MessageFrame& m) {
    if (m.msg == WM_NCHITTEST) m.answer(HTTRANSPARENT);
}

void Shape::redraw() {
    if (!hWnd()) return;
    Surface& s = surface();
    if (backStyle_ == 1)
        s.setBackColor(backColor_);
    else
        controls::paintBehind(*this);
    const int w = pixelWidth(), h = pixelHeight();
    if (w <= 0 || h <= 0) return;
    s.setScaleMode(core::scale::Pixels);
    s.setDrawWidth(static_cast<int16_t>(borderWidth_));
    s.setFillStyle(static_cast<int16_t>(fillStyle_));
    s.setFillColor(fillColor_);
    // The outline lies inside the control, as wide as BorderWidth.
    const float inset = static_cast<float>(borderWidth_ / 2);
    s.Line(inset, inset, static_cast<float>(w - 1) - inset, static_cast<float>(h - 1) - inset, borderColor_,
           LineShape::Box);
}

} // namespace forms
