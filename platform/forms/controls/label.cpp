#include "platform/forms/controls/label.h"

#include "platform/forms/color.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"

namespace forms {

Label::Label() {
    setCanGetFocus(false);
    setTabStop(false);
}

void Label::setCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    PropertyChanged(L"Caption");
    redraw();
    RaiseEvent(Change);
}

void Label::setAlignment(int alignment) {
    if (alignment < 0 || alignment > 2) throw RuntimeError(err::InvalidPropertyValue);
    alignment_ = alignment;
    PropertyChanged(L"Alignment");
    redraw();
}

void Label::setBackStyle(int style) {
    if (style < 0 || style > 1) throw RuntimeError(err::InvalidPropertyValue);
    backStyle_ = style;
    PropertyChanged(L"BackStyle");
    redraw();
}

void Label::setBackColor(uint32_t colour) {
    backColor_ = controls::checkedColour(colour);
    PropertyChanged(L"BackColor");
    redraw();
}

void Label::setForeColor(uint32_t colour) {
    foreColor_ = controls::checkedColour(colour);
    PropertyChanged(L"ForeColor");
    redraw();
}

void Label::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw RuntimeError(err::InvalidPropertyValue);
    useFont(std::move(font));
    PropertyChanged(L"Font");
    redraw();
}

void Label::UserControl_InitProperties() {
    caption_ = Ambient().DisplayName;
    useFont(Ambient().Font->clone());
    redraw();
}

void Label::UserControl_ReadProperties(PropertyBag& bag) {
    caption_ = bag.ReadProperty(L"Caption", L"").toString();
    alignment_ = bag.ReadProperty(L"Alignment", 0).toLong();
    backStyle_ = bag.ReadProperty(L"BackStyle", 1).toLong();
    backColor_ = bag.ReadProperty(L"BackColor", Variant::colour(0x8000000F)).toColour();
    foreColor_ = bag.ReadProperty(L"ForeColor", Variant::colour(0x80000012)).toColour();
    useFont(controls::readFont(bag, L"Font", Ambient().Font));
    redraw();
}

void Label::UserControl_WriteProperties(PropertyBag& bag) {
    bag.WriteProperty(L"Caption", caption_, L"");
    bag.WriteProperty(L"Alignment", alignment_, 0);
    bag.WriteProperty(L"BackStyle", backStyle_, 1);
    bag.WriteProperty(L"BackColor", Variant::colour(backColor_), Variant::colour(0x8000000F));
    bag.WriteProperty(L"ForeColor", Variant::colour(foreColor_), Variant::colour(0x80000012));
    controls::writeFont(bag, L"Font", font_, Ambient().Font);
}

void Label::useFont(std::shared_ptr<StdFont> font) {
    font_ = std::move(font);
    // The surface starts following the font first, so it has the new handle when the label redraws.
    surface().setFont(font_);
    fontWatch_.watch(font_, [this] { redraw(); });
}

void Label::redraw() {
    if (!hWnd()) return;
    Surface& s = surface();
    if (font_) s.setFont(font_);
    s.setForeColor(foreColor_);
    if (backStyle_ == 1)
        s.setBackColor(backColor_);
    else
        controls::paintBehind(*this);
    HDC dc = s.hDC();
    RECT r{0, 0, pixelWidth(), pixelHeight()};
    UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
    if (alignment_ == 1) format |= DT_RIGHT;
    if (alignment_ == 2) format |= DT_CENTER;
    COLORREF text = 0;
    tryTranslateColor(foreColor_, text);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
}

} // namespace forms
