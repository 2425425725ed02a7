#include "platform/forms/controls/picture_box.h"

#include "platform/forms/controls/control_support.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include <commctrl.h>

namespace forms {

PictureBox::PictureBox() {
    setWindowStyles(WS_CLIPCHILDREN, 0);
}

void PictureBox::UserControl_Initialize() {
    surface().setBackColor(0x8000000F);
    surface().setScaleMode(scale::Twips);
    applyBorder();
}

uint32_t PictureBox::BackColor() const {
    return const_cast<PictureBox*>(this)->surface().BackColor();
}
void PictureBox::setBackColor(uint32_t colour) {
    surface().setBackColor(controls::checkedColour(colour));
    PropertyChanged(L"BackColor");
    ControlHost::notifyAmbientChanged(L"BackColor");
}
uint32_t PictureBox::ForeColor() const {
    return const_cast<PictureBox*>(this)->surface().ForeColor();
}
void PictureBox::setForeColor(uint32_t colour) {
    surface().setForeColor(controls::checkedColour(colour));
    PropertyChanged(L"ForeColor");
}
std::shared_ptr<StdFont> PictureBox::Font() const {
    return const_cast<PictureBox*>(this)->surface().Font();
}
void PictureBox::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw RuntimeError(err::InvalidPropertyValue);
    surface().setFont(std::move(font));
    PropertyChanged(L"Font");
}
std::shared_ptr<StdPicture> PictureBox::Picture() const {
    return const_cast<PictureBox*>(this)->surface().Picture();
}
void PictureBox::setPicture(std::shared_ptr<StdPicture> picture) {
    surface().setPicture(std::move(picture));
    fitPicture();
    PropertyChanged(L"Picture");
}

void PictureBox::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    fitPicture();
    PropertyChanged(L"AutoSize");
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
    const bool pixels = Container() && Container()->hostScaleMode() == scale::Pixels;
    Move(Left(), Top(), pixels ? width : Screen::pixelsToTwipsX(width),
         pixels ? height : Screen::pixelsToTwipsY(height));
}
int PictureBox::ScaleMode() const {
    return const_cast<PictureBox*>(this)->surface().ScaleMode();
}
void PictureBox::setScaleMode(int mode) {
    if (mode != scale::Twips && mode != scale::Pixels) throw RuntimeError(err::InvalidPropertyValue);
    surface().setScaleMode(static_cast<int16_t>(mode));
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
    if (style < 0 || style > 1) throw RuntimeError(err::InvalidPropertyValue);
    borderStyle_ = style;
    applyBorder();
    fitPicture();
    PropertyChanged(L"BorderStyle");
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

void PictureBox::UserControl_ReadProperties(PropertyBag& bag) {
    Surface& s = surface();
    s.setFont(controls::readFont(bag, L"Font", Ambient().Font));
    s.setForeColor(bag.ReadProperty(L"ForeColor", Variant::colour(0x80000012)).toColour());
    s.setScaleMode(static_cast<int16_t>(bag.ReadProperty(L"ScaleMode", 1).toLong()));
    borderStyle_ = bag.ReadProperty(L"BorderStyle", 1).toLong();
    autoSize_ = bag.ReadProperty(L"AutoSize", false).toBoolean();
    Variant p = bag.ReadProperty(L"Picture");
    s.setPicture(p.type() == VariantType::Picture ? p.toPicture() : nullptr);
    s.setBackColor(bag.ReadProperty(L"BackColor", Variant::colour(0x8000000F)).toColour());
    applyBorder();
    fitPicture();
}

void PictureBox::UserControl_WriteProperties(PropertyBag& bag) {
    Surface& s = surface();
    controls::writeFont(bag, L"Font", s.Font(), Ambient().Font);
    bag.WriteProperty(L"ForeColor", Variant::colour(s.ForeColor()), Variant::colour(0x80000012));
    bag.WriteProperty(L"ScaleMode", static_cast<int>(s.ScaleMode()), 1);
    bag.WriteProperty(L"BorderStyle", borderStyle_, 1);
    bag.WriteProperty(L"AutoSize", autoSize_, false);
    if (s.Picture()) bag.WriteProperty(L"Picture", Variant(s.Picture()));
    bag.WriteProperty(L"BackColor", Variant::colour(s.BackColor()), Variant::colour(0x8000000F));
}

float PictureBox::toScaleX(float px) {
    return surface().ScaleX(px, scale::Pixels, surface().ScaleMode());
}
float PictureBox::toScaleY(float px) {
    return surface().ScaleY(px, scale::Pixels, surface().ScaleMode());
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
        tip_ = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (tip_) SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (text != tipText_) {
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    tipText_ = text;
}

void PictureBox::windowMessage(MessageFrame& m) {
    if (m.msg == WM_MOUSEMOVE) updateTip();
    // Outside its container it must never take the activation from the form.
    if (m.msg == WM_MOUSEACTIVATE && !(GetWindowLongW(hWnd(), GWL_STYLE) & WS_CHILD)) m.answer(MA_NOACTIVATE);
}

} // namespace forms
