#include "widgets/caption_button/button_kdq.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/label/about_box.h"
#include "widgets/shared/hover.h"
#include "widgets/shared/vni.h"

namespace widgets {

namespace {

constexpr wchar_t kDefaultCaption[] = L"Nu1t ba61m";
constexpr wchar_t kNewFontName[] = L"Arial";
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kSpace = VK_SPACE;
constexpr int kRight = VK_RIGHT;
constexpr int kLeft = VK_LEFT;

// The character after the first single "&": the caption shows it underlined.
std::wstring accessKeyOf(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return std::wstring(1, text[i + 1]);
        ++i;
    }
    return {};
}

} // namespace

Button_KDQ::Button_KDQ() {
    // Enter and Escape reach a Default or Cancel button, and Enter a focused one.
    setDefaultCancel(true);
}

void Button_KDQ::registerType() {
    forms::registerControlType<Button_KDQ>(L"Button_KDQ");
}

const forms::PropertyTable<Button_KDQ>& Button_KDQ::properties() {
    static const forms::PropertyTable<Button_KDQ> table = makeProperties();
    return table;
}

// Rows in the order the stored form holds them. A new button starts at its creation values, which
// differ from what a missing key reads as; it has no values of its own for a freshly placed one.
forms::PropertyTable<Button_KDQ> Button_KDQ::makeProperties() {
    using B = Button_KDQ;
    using forms::OnChange;
    const auto inLook = []<class T>(const wchar_t* key, T ButtonLook::*member, std::type_identity_t<T> stored,
                                    OnChange effect = OnChange::Repaint) {
        return forms::field<B, T>(
            key, [member](B& c) -> T& { return c.look_.*member; }, stored, effect);
    };
    auto font = forms::fontField<B>(
        L"Font", [](B & c) -> auto& { return c.font_; }, OnChange::Repaint);
    font.initial = [](B& c) {
        auto f = c.ambientFont();
        f = f ? f->clone() : forms::StdFont::create();
        f->setName(kNewFontName);
        return core::Variant(f);
    };
    font.put = [store = font.put](B& c, const core::Variant& v) {
        store(c, v);
        c.surface().setFont(c.font_);
    };
    forms::PropertyRow<B> picture;
    picture.key = L"Picture";
    picture.storedDefault = [](B&) { return core::Variant(std::shared_ptr<forms::StdPicture>()); };
    picture.initial = picture.storedDefault;
    picture.get = [](B& c) { return core::Variant(c.Picture()); };
    picture.put = [](B& c, const core::Variant& v) {
        if (c.pSrc_) c.pSrc_->setPicture(v.toPicture());
    };

    return forms::PropertyTable<B>{
        inLook(L"Enabled", &ButtonLook::Enabled, true),
        inLook(L"ButtonStyle", &ButtonLook::ButtonStyle, 0),
        inLook(L"TiengViet", &ButtonLook::TiengViet, true),
        inLook(L"Caption", &ButtonLook::Caption, kDefaultCaption),
        inLook(L"Forecolor", &ButtonLook::Forecolor, 0),
        inLook(L"ShadowColor", &ButtonLook::ShadowColor, 0).startsAt(kWhite),
        inLook(L"Shadow", &ButtonLook::Shadow, true),
        inLook(L"AlignmentText", &ButtonLook::AlignmentText, buttonText::Centre),
        font,
        inLook(L"AlignmentPicture", &ButtonLook::AlignmentPicture, buttonPicture::Left),
        inLook(L"PictureSize", &ButtonLook::PictureSize, buttonPicture::Size32)
            .startsAt(buttonPicture::Size16),
        inLook(L"TransPicture", &ButtonLook::TransPicture, true).startsAt(false),
        inLook(L"TransColor", &ButtonLook::TransColor, kWhite).startsAt(std::uint32_t(0)),
        picture,
        inLook(L"PictureWidth", &ButtonLook::PictureWidth, 32).startsAt(std::int32_t(0)).alwaysStored(),
        inLook(L"PictureHeight", &ButtonLook::PictureHeight, 32).startsAt(std::int32_t(0)).alwaysStored(),
        forms::field<B, bool>(
            L"ToolTipTiengViet", [](B& c) -> bool& { return c.tooltipTiengViet_; }, true, OnChange::None)
            .startsAt(false)
            .alwaysStored(),
    };
}

void Button_KDQ::UserControl_Initialize() {
    surface().setScaleMode(core::scale::Pixels);
    surface().setBackColor(Ambient().BackColor);
    // The picture lives in a constituent that is never shown: the painting copies from its image.
    pSrc_ = forms::makeControl<forms::PictureBox>();
    pSrc_->place(*this, L"PSrc", -1, 0, 0, 1, 1);
    pSrc_->initNew();
    pSrc_->setVisible(false);
    pSrc_->setTabStop(false);
    pSrc_->setBorderStyle(core::controlBorder::None);
    pSrc_->setScaleMode(core::scale::Pixels);
    pSrc_->setAutoSize(true);
    properties().init(*this);
    // The creation's caption goes through its writer: converted and reported.
    setCaption(look_.Caption);
}

void Button_KDQ::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    UserControl::setEnabled(look_.Enabled);
    captionChanged();
    Redraw();
}

void Button_KDQ::propertyEffect(forms::OnChange effect) {
    if (effect != forms::OnChange::None) Redraw();
}

void Button_KDQ::setEnabled(bool value) {
    look_.Enabled = value;
    UserControl::setEnabled(value);
    if (!value) hover::releaseCapture(hWnd());
    PropertyChanged(L"Enabled");
    Redraw();
}

void Button_KDQ::setTiengViet(bool value) {
    look_.TiengViet = value;
    PropertyChanged(L"TiengViet");
    captionChanged();
    Redraw();
}

void Button_KDQ::setCaption(std::wstring value) {
    look_.Caption = std::move(value);
    captionChanged();
    PropertyChanged(L"Caption");
    Redraw();
}

void Button_KDQ::captionChanged() {
    captionTV_ = VniToUnicode(look_.Caption, kVniMarker);
    setAccessKeys(accessKeyOf(look_.TiengViet ? captionTV_ : look_.Caption));
}

void Button_KDQ::setFont(std::shared_ptr<forms::StdFont> value) {
    if (!value) throw core::RuntimeError(core::err::InvalidPropertyValue);
    font_ = std::move(value);
    surface().setFont(font_);
    PropertyChanged(L"Font");
    Redraw();
}

std::shared_ptr<forms::StdPicture> Button_KDQ::Picture() const {
    return pSrc_ ? pSrc_->Picture() : nullptr;
}

void Button_KDQ::setPicture(std::shared_ptr<forms::StdPicture> value) {
    if (pSrc_) pSrc_->setPicture(std::move(value));
    PropertyChanged(L"Picture");
    Redraw();
}

void Button_KDQ::About() {
    core::bestEffort(L"button about box", [] { fAbout::showModal(); });
}

void Button_KDQ::SignPic(std::int32_t wSrc, std::int32_t hSrc, std::int32_t wDes, std::int32_t hDes,
                         std::int32_t& wResult, std::int32_t& hResult) {
    widgets::SignPic(wSrc, hSrc, wDes, hDes, wResult, hResult);
}

void Button_KDQ::PSetR(std::int16_t x, std::int16_t y, std::uint32_t color) {
    forms::Surface& s = surface();
    ButtonPainter(s.hDC(), s.widthPixels(), s.heightPixels(), look_, state_).PSetR(x, y, color);
    s.Refresh();
}

void Button_KDQ::LineXG(std::int16_t x1, std::int16_t y, std::int16_t x2, std::uint32_t c1,
                        std::uint32_t c2) {
    forms::Surface& s = surface();
    ButtonPainter(s.hDC(), s.widthPixels(), s.heightPixels(), look_, state_).LineXG(x1, y, x2, c1, c2);
    s.Refresh();
}

void Button_KDQ::LineYG(std::int16_t x, std::int16_t y1, std::int16_t y2, std::uint32_t c1,
                        std::uint32_t c2) {
    forms::Surface& s = surface();
    ButtonPainter(s.hDC(), s.widthPixels(), s.heightPixels(), look_, state_).LineYG(x, y1, y2, c1, c2);
    s.Refresh();
}

int Button_KDQ::faceLook() const {
    if (look_.ButtonStyle == 0 && !look_.Enabled) return buttonLook::Disabled;
    return state_.look();
}

ButtonPictureSource Button_KDQ::pictureSource() const {
    ButtonPictureSource src;
    const auto picture = Picture();
    if (!picture || !pSrc_) return src;
    src.isIcon = picture->Type() == forms::PictureType::Icon;
    src.icon = picture->hIcon();
    src.bitmap = picture->hBitmap();
    forms::Surface& s = pSrc_->surface();
    src.dc = s.hDC();
    src.width = int(s.ScaleWidth());
    src.height = int(s.ScaleHeight());
    return src;
}

void Button_KDQ::Redraw() {
    if (!hWnd()) return;
    forms::Surface& s = surface();
    const ButtonPictureSource picture = pictureSource();
    {
        HDC dc = s.hDC();
        forms::SavedDC keep(dc);
        ButtonPainter(dc, s.widthPixels(), s.heightPixels(), look_, state_)
            .Redraw(s.BackColor(), picture, look_.TiengViet ? captionTV_ : look_.Caption);
    }
    s.Refresh();
}

void Button_KDQ::UserControl_Hide() {
    hover::releaseCapture(hWnd());
}

void Button_KDQ::UserControl_Terminate() {
    hover::releaseCapture(hWnd());
}

void Button_KDQ::windowMessage(core::MessageFrame& m) {
    if (hover::hidesOrDisables(m)) hover::releaseCapture(hWnd());
}

void Button_KDQ::UserControl_AmbientChanged(const std::wstring&) {
    MessageBeep(MB_OK);
}

// --- mouse

bool Button_KDQ::pressed(int button, int shift, float x, float y) {
    if (button == core::mouse::Left) {
        state_.MouseState = buttonMouse::Pressed;
        state_.HasFocus = true;
        Redraw();
    }
    state_.LastButton = std::int16_t(button);
    std::int16_t b = std::int16_t(button), sh = std::int16_t(shift);
    if (!RaiseEvent(MouseDown, b, sh, x, y)) return false;
    core::bestEffort(L"button focus to its form", [&] {
        if (forms::Form* f = Parent()) f->SetFocus();
    });
    return loaded();
}

bool Button_KDQ::released(int button, int shift, float x, float y) {
    if (button == core::mouse::Left) {
        state_.MouseState =
            state_.MouseState == buttonMouse::Pressed ? buttonMouse::Hover : buttonMouse::Normal;
        Redraw();
    }
    std::int16_t b = std::int16_t(button), sh = std::int16_t(shift);
    return RaiseEvent(MouseUp, b, sh, x, y);
}

bool Button_KDQ::clicked() {
    if (state_.LastButton != core::mouse::Left) return true;
    return RaiseEvent(Click);
}

void Button_KDQ::UserControl_MouseDown(int button, int shift, float x, float y) {
    pressed(button, shift, x, y);
}

void Button_KDQ::UserControl_MouseUp(int button, int shift, float x, float y) {
    released(button, shift, x, y);
}

void Button_KDQ::UserControl_DblClick() {
    // The second press of a double click looks and reports like a press.
    if (state_.LastButton == core::mouse::Left) pressed(core::mouse::Left, 0, 1, 1);
}

void Button_KDQ::UserControl_MouseMove(int button, int shift, float x, float y) {
    HWND self = hWnd();
    if (button == 0) hover::handOverTip(*this, tooltipTiengViet_);
    std::int16_t b = std::int16_t(button), sh = std::int16_t(shift);
    const bool left = button == core::mouse::Left;
    if (hover::pointerOver(*this, x, y)) {
        hover::capture(self);
        state_.MouseState = left ? buttonMouse::Pressed : buttonMouse::Hover;
        Redraw();
        RaiseEvent(MouseMove, b, sh, x, y);
        return;
    }
    if (left && state_.MouseState == buttonMouse::Pressed) {
        state_.MouseState = buttonMouse::HeldOutside;
        Redraw();
    } else if (state_.MouseState != buttonMouse::HeldOutside) {
        state_.MouseState = buttonMouse::Normal;
        Redraw();
    }
    if (!left) hover::releaseCapture(self);
    RaiseEvent(MouseLeave, b, sh, x, y);
}

// --- keyboard and focus

void Button_KDQ::moveFocus(bool forward) {
    if (forms::Form* f = Parent()) f->tabFocus(forward);
}

void Button_KDQ::UserControl_KeyDown(int& keyCode, int shift) {
    auto watch = this->watch();
    if (keyCode == kRight) {
        moveFocus(true);
    } else if (keyCode == kLeft) {
        moveFocus(false);
    } else if (keyCode == kSpace) {
        state_.SpaceDown = true;
        if (!pressed(core::mouse::Left, 0, 0, 0)) return;
    }
    if (!watch.alive() || !loaded()) return;
    std::int16_t code = std::int16_t(keyCode), sh = std::int16_t(shift);
    RaiseEvent(KeyDown, code, sh);
    keyCode = code;
}

void Button_KDQ::UserControl_KeyUp(int& keyCode, int shift) {
    if (keyCode == kSpace && state_.SpaceDown) {
        if (!released(core::mouse::Left, 0, 0, 0)) return;
        if (!clicked()) return;
        state_.SpaceDown = false;
    }
    std::int16_t code = std::int16_t(keyCode), sh = std::int16_t(shift);
    RaiseEvent(KeyUp, code, sh);
    keyCode = code;
}

void Button_KDQ::UserControl_KeyPress(int& keyAscii) {
    std::int16_t ascii = std::int16_t(keyAscii);
    RaiseEvent(KeyPress, ascii);
    keyAscii = ascii;
}

void Button_KDQ::UserControl_GotFocus() {
    state_.HasFocus = true;
    if (state_.MouseState != buttonMouse::Pressed) Redraw();
}

void Button_KDQ::UserControl_ExitFocus() {
    state_.MouseState = buttonMouse::Normal;
    state_.HasFocus = false;
    Redraw();
}

void Button_KDQ::UserControl_AccessKeyPress(int) {
    state_.LastButton = core::mouse::Left;
    clicked();
}

} // namespace widgets
