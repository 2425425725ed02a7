#include "platform/forms/controls/image.h"

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
        const bool pixels = Container() && Container()->hostScaleMode() == scale::Pixels;
        const int w = picture_->widthPixels(), h = picture_->heightPixels();
        Move(Left(), Top(), pixels ? w : Screen::pixelsToTwipsX(w), pixels ? h : Screen::pixelsToTwipsY(h));
    }
    redraw();
}

void Image::setStretch(bool stretch) {
    stretch_ = stretch;
    PropertyChanged(L"Stretch");
    redraw();
}

void Image::UserControl_ReadProperties(PropertyBag& bag) {
    Variant p = bag.ReadProperty(L"Picture");
    picture_ = p.type() == VariantType::Picture ? p.toPicture() : nullptr;
    stretch_ = bag.ReadProperty(L"Stretch", false).toBoolean();
    redraw();
}

void Image::UserControl_WriteProperties(PropertyBag& bag) {
    if (picture_) bag.WriteProperty(L"Picture", Variant(picture_));
    bag.WriteProperty(L"Stretch", stretch_, false);
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

void Shape::setBorderColor(uint32_t colour) {
    borderColor_ = controls::checkedColour(colour);
    redraw();
}
void Shape::setBorderWidth(int width) {
    if (width < 1 || width > 8192) throw RuntimeError(err::InvalidPropertyValue);
    borderWidth_ = width;
    redraw();
}
void Shape::setBackStyle(int style) {
    if (style < 0 || style > 1) throw RuntimeError(err::InvalidPropertyValue);
    backStyle_ = style;
    redraw();
}
void Shape::setBackColor(uint32_t colour) {
    backColor_ = controls::checkedColour(colour);
    redraw();
}
void Shape::setFillStyle(int style) {
    if (style < 0 || style > 7) throw RuntimeError(err::InvalidPropertyValue);
    fillStyle_ = style;
    redraw();
}
void Shape::setFillColor(uint32_t colour) {
    fillColor_ = controls::checkedColour(colour);
    redraw();
}

void Shape::UserControl_ReadProperties(PropertyBag& bag) {
    borderColor_ = bag.ReadProperty(L"BorderColor", Variant::colour(0x80000008)).toColour();
    borderWidth_ = bag.ReadProperty(L"BorderWidth", 1).toLong();
    backStyle_ = bag.ReadProperty(L"BackStyle", 0).toLong();
    backColor_ = bag.ReadProperty(L"BackColor", Variant::colour(0x80000005)).toColour();
    fillStyle_ = bag.ReadProperty(L"FillStyle", 1).toLong();
    fillColor_ = bag.ReadProperty(L"FillColor", Variant::colour(0)).toColour();
    redraw();
}

void Shape::UserControl_WriteProperties(PropertyBag& bag) {
    bag.WriteProperty(L"BorderColor", Variant::colour(borderColor_), Variant::colour(0x80000008));
    bag.WriteProperty(L"BorderWidth", borderWidth_, 1);
    bag.WriteProperty(L"BackStyle", backStyle_, 0);
    bag.WriteProperty(L"BackColor", Variant::colour(backColor_), Variant::colour(0x80000005));
    bag.WriteProperty(L"FillStyle", fillStyle_, 1);
    bag.WriteProperty(L"FillColor", Variant::colour(fillColor_), Variant::colour(0));
}

void Shape::windowMessage(MessageFrame& m) {
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
    s.setScaleMode(scale::Pixels);
    s.setDrawWidth(static_cast<int16_t>(borderWidth_));
    s.setFillStyle(static_cast<int16_t>(fillStyle_));
    s.setFillColor(fillColor_);
    // The outline lies inside the control, as wide as BorderWidth.
    const float inset = static_cast<float>(borderWidth_ / 2);
    s.Line(inset, inset, static_cast<float>(w - 1) - inset, static_cast<float>(h - 1) - inset, borderColor_,
           LineShape::Box);
}

} // namespace forms
