#include "platform/forms/controls/picture_box.h"

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/controls/common_controls.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include <commctrl.h>

namespace forms {

namespace {

// How a box starts (a surface by itself starts in pixels): the stored defaults, what a box not
// placed yet reads, and its surface when it is made.
constexpr uint32_t kBackColor = core::sysColor::ButtonFace;
constexpr uint32_t kForeColor = core::sysColor::ButtonText;
constexpr int16_t kScaleMode = core::scale::Twips;

} // namespace

PictureBox::PictureBox() {
    setWindowStyles(WS_CLIPCHILDREN, 0);
}

// The drawing values live in the box's surface.
const PropertyTable<PictureBox>& PictureBox::properties() {
    using P = PictureBox;
    static const PropertyTable<P> table{
        fontProperty<P>(
            L"Font", [](P& c) { return c.surface().Font(); },
            [](P& c, std::shared_ptr<StdFont> font) { c.surface().setFont(std::move(font)); },
            OnChange::None),
        property<P>(
            L"ForeColor", [](P& c) { return c.surface().ForeColor(); },
            [](P& c, uint32_t colour) { c.surface().setForeColor(colour); }, kForeColor, OnChange::None),
        property<P>(
            L"ScaleMode", [](P& c) { return c.surface().ScaleMode(); },
            [](P& c, int16_t mode) { c.surface().setScaleMode(mode); }, kScaleMode, OnChange::None),
        field<P>(
            L"BorderStyle", [](P & c) -> auto& { return c.borderStyle_; },
            int(core::controlBorder::FixedSingle), OnChange::Relayout),
        field<P>(
            L"AutoSize", [](P & c) -> auto& { return c.autoSize_; }, false, OnChange::Relayout),
        property<P>(
            L"Picture", [](P& c) { return c.surface().Picture(); },
            [](P& c, std::shared_ptr<StdPicture> picture) { c.surface().setPicture(std::move(picture)); },
            std::shared_ptr<StdPicture>(), OnChange::Relayout),
        property<P>(
            L"BackColor", [](P& c) { return c.surface().BackColor(); },
            [](P& c, uint32_t colour) { c.surface().setBackColor(colour); }, kBackColor, OnChange::None),
    };
    return table;
}

void PictureBox::UserControl_Initialize() {
    applyBorder();
}

void PictureBox::surfaceMade(Surface& s) {
    s.setBackColor(kBackColor);
    s.setScaleMode(kScaleMode);
}

// The drawing values live in the surface, which is made when the box is placed; a box not placed yet
// reads as it will start.
uint32_t PictureBox::BackColor() const {
    const Surface* s = madeSurface();
    return s ? s->BackColor() : kBackColor;
}
void PictureBox::setBackColor(uint32_t colour) {
    setProperty(properties(), L"BackColor", controls::checkedColour(colour));
    ControlHost::notifyAmbientChanged(L"BackColor");
}
uint32_t PictureBox::ForeColor() const {
    const Surface* s = madeSurface();
    return s ? s->ForeColor() : kForeColor;
}
void PictureBox::setForeColor(uint32_t colour) {
    setProperty(properties(), L"ForeColor", controls::checkedColour(colour));
}
std::shared_ptr<StdFont> PictureBox::Font() const {
    const Surface* s = madeSurface();
    return s ? s->Font() : nullptr;
}
void PictureBox::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"Font", font);
}
std::shared_ptr<StdPicture> PictureBox::Picture() const {
    const Surface* s = madeSurface();
    return s ? s->Picture() : nullptr;
}
void PictureBox::setPicture(std::shared_ptr<StdPicture> picture) {
    setProperty(properties(), L"Picture", picture);
}

void PictureBox::setAutoSize(bool autoSize) {
    setProperty(properties(), L"AutoSize", autoSize);
}

void PictureBox::propertyEffect(OnChange effect) {
    if (effect != OnChange::Relayout) return;
    applyBorder();
    fitPicture();
}

void PictureBox::fitPicture() {
    const auto& picture = surface().Picture();
    HWND w = hWnd();
    if (!autoSize_ || !w || !picture || picture->Type() == PictureType::None) return;
    RECT outer, inner;
    GetWindowRect(w, &outer);
    GetClientRect(w, &inner);
    const int width = picture->widthPixels() + (outer.right - outer.left) - inner.right;
    const int height = picture->heightPixels() + (outer.bottom - outer.top) - inner.bottom;
    const bool pixels = Container() && Container()->hostScaleMode() == core::scale::Pixels;
    Move(Left(), Top(), pixels ? width : Screen::pixelsToTwipsX(width),
         pixels ? height : Screen::pixelsToTwipsY(height));
}
int PictureBox::ScaleMode() const {
    const Surface* s = madeSurface();
    return s ? s->ScaleMode() : kScaleMode;
}
void PictureBox::setScaleMode(int mode) {
    if (mode != core::scale::Twips && mode != core::scale::Pixels)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"ScaleMode", static_cast<int16_t>(mode));
}
double PictureBox::ScaleWidth() {
    return surface().ScaleWidth();
}
double PictureBox::ScaleHeight() {
    return surface().ScaleHeight();
}
void PictureBox::Cls() {
    surface().Cls();
}

void PictureBox::setBorderStyle(int style) {
    if (style != core::controlBorder::None && style != core::controlBorder::FixedSingle)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"BorderStyle", style);
}

void PictureBox::applyBorder() {
    HWND w = hWnd();
    if (!w) return;
    LONG style = GetWindowLongW(w, GWL_STYLE);
    style = borderStyle_ ? (style | WS_BORDER) : (style & ~WS_BORDER);
    SetWindowLongW(w, GWL_STYLE, style);
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void PictureBox::setFloating(bool floating) {
    HWND w = hWnd();
    if (!w || floating == floating_) return;
    floating_ = floating;
    const bool visible = IsWindowVisible(w) != FALSE;
    ShowWindow(w, SW_HIDE);
    LONG style = GetWindowLongW(w, GWL_STYLE);
    if (floating) {
        Form* form = Parent();
        HWND owner = form ? form->hWnd() : nullptr;
        SetParent(w, nullptr);
        SetWindowLongW(w, GWL_STYLE, (style & ~WS_CHILD) | WS_POPUP);
        SetWindowLongW(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
        SetWindowLongPtrW(w, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        HWND parent = Container() ? Container()->hWnd() : nullptr;
        SetWindowLongW(w, GWL_EXSTYLE, 0);
        SetWindowLongW(w, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
        SetParent(w, parent);
        SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (visible) ShowWindow(w, SW_SHOWNA);
    updateShown();
}

void PictureBox::UserControl_InitProperties() {
    properties().init(*this);
    propertyEffect(OnChange::Relayout);
}

void PictureBox::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    propertyEffect(OnChange::Relayout);
}

void PictureBox::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

float PictureBox::toScaleX(float pixels) {
    return surface().ScaleX(pixels, core::scale::Pixels, surface().ScaleMode());
}
float PictureBox::toScaleY(float pixels) {
    return surface().ScaleY(pixels, core::scale::Pixels, surface().ScaleMode());
}

// A picture box reports the pointer in its own scale.
void PictureBox::UserControl_MouseDown(int b, int s, float x, float y) {
    RaiseEvent(MouseDown, b, s, toScaleX(x), toScaleY(y));
}
void PictureBox::UserControl_MouseMove(int b, int s, float x, float y) {
    RaiseEvent(MouseMove, b, s, toScaleX(x), toScaleY(y));
}
void PictureBox::UserControl_MouseUp(int b, int s, float x, float y) {
    RaiseEvent(MouseUp, b, s, toScaleX(x), toScaleY(y));
}

// ToolTipText may change while the pointer moves over the box (one tip per row of a list), so the
// tip follows it on every move.
void PictureBox::updateTip() {
    const std::wstring& text = ToolTipText();
    if (!tip_ && text.empty()) return;
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hWnd();
    info.uId = reinterpret_cast<UINT_PTR>(hWnd());
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    if (!tip_) {
        initCommonControls();
        tip_ = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (tip_) SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (text != tipText_) {
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    tipText_ = text;
}

void PictureBox::windowMessage(core::MessageFrame& m) {
    if (m.msg == WM_MOUSEMOVE) updateTip();
    // Outside its container it must never take the activation from the form.
    if (m.msg == WM_MOUSEACTIVATE && !(GetWindowLongW(hWnd(), GWL_STYLE) & WS_CHILD)) m.answer(MA_NOACTIVATE);
}

} // namespace forms
