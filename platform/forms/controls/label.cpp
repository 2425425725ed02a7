#include "platform/forms/controls/label.h"

#include "platform/core/variant.h"
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

// A setter whose change does more than store and redraw is named in its row.
const PropertyTable<Label>& Label::properties() {
    using L = Label;
    static const PropertyTable<L> table{
        field<L>(
            L"Caption", [](L & c) -> auto& { return c.caption_; }, std::wstring())
            .startsFrom([](L& c) { return core::Variant(c.Ambient().DisplayName); }),
        field<L>(
            L"Alignment", [](L & c) -> auto& { return c.alignment_; }, 0),
        field<L>(
            L"BackStyle", [](L & c) -> auto& { return c.backStyle_; }, 1),
        field<L>(
            L"BackColor", [](L & c) -> auto& { return c.backColor_; }, core::sysColor::ButtonFace),
        field<L>(
            L"ForeColor", [](L & c) -> auto& { return c.foreColor_; }, core::sysColor::ButtonText),
        fontField<L>(
            L"Font", [](L & c) -> auto& { return c.font_; }, OnChange::Repaint),
    };
    return table;
}

void Label::setCaption(std::wstring caption) {
    if (caption == caption_) return;
    setProperty(properties(), L"Caption", caption);
    RaiseEvent(Change);
}

void Label::setAlignment(int alignment) {
    if (alignment < 0 || alignment > 2) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"Alignment", alignment);
}

void Label::setBackStyle(int style) {
    if (style < 0 || style > 1) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"BackStyle", style);
}

void Label::setBackColor(uint32_t colour) {
    setProperty(properties(), L"BackColor", controls::checkedColour(colour));
}

void Label::setForeColor(uint32_t colour) {
    setProperty(properties(), L"ForeColor", controls::checkedColour(colour));
}

void Label::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    useFont(std::move(font));
    PropertyChanged(L"Font");
    redraw();
}

void Label::propertyEffect(OnChange effect) {
    if (effect != OnChange::None) redraw();
}

void Label::UserControl_InitProperties() {
    properties().init(*this);
    useFont(font_);
    redraw();
}

void Label::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    useFont(font_);
    redraw();
}

void Label::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
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
