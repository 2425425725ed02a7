#include "platform/forms/controls/text_box.h"

#include "platform/forms/app.h"
#include "platform/forms/color.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"

#include <windowsx.h>

namespace forms {

TextBox::TextBox() {
    setUsesSurface(false);
    setWindowStyles(WS_CLIPCHILDREN, 0);
    setWantedKeys(DLGC_WANTCHARS | DLGC_WANTARROWS);
}

// A text box that goes without being unloaded gives the edit window its own procedure back
// before the window is destroyed, so no message reaches the object after it is gone.
TextBox::~TextBox() {
    controls::releaseChild(edit_, editProc_);
}

void TextBox::UserControl_Initialize() {
    createEdit();
}

void TextBox::createEdit() {
    if (edit_) DestroyWindow(edit_);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT;
    style |= multiLine_ ? (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN) : ES_AUTOHSCROLL;
    if (locked_) style |= ES_READONLY;
    RECT rc;
    GetClientRect(hWnd(), &rc);
    edit_ =
        CreateWindowExW(borderStyle_ ? WS_EX_CLIENTEDGE : 0, L"EDIT", text_.c_str(), style, 0, 0, rc.right,
                        rc.bottom, hWnd(), reinterpret_cast<HMENU>(1), GetModuleHandleW(nullptr), nullptr);
    if (!edit_) throw RuntimeError(err::InvalidProcedureCall, L"The edit window could not be created");
    editProc_ = controls::subclassChild(
        edit_, &controls::childWindowProc<TextBox, &TextBox::editMessage, &TextBox::editProc_>, this);
    if (maxLength_ > 0) SendMessageW(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    applyFont();
}

void TextBox::useFont(std::shared_ptr<StdFont> font) {
    auto previous = std::exchange(font_, std::move(font));
    fontWatch_.watch(font_, [this] { applyFont(); });
    applyFont();
}

void TextBox::applyFont() {
    if (edit_ && font_) SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->hFont()), TRUE);
}

std::wstring TextBox::Text() const {
    if (!edit_) return text_;
    const int n = GetWindowTextLengthW(edit_);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(edit_, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TextBox::setText(const std::wstring& text) {
    if (!edit_) {
        text_ = text;
        return;
    }
    inSetText_ = true;
    SetWindowTextW(edit_, text.c_str());
    inSetText_ = false;
    PropertyChanged(L"Text");
    // The edit window reports a change even for the same text; only a real change counts.
    textChanged();
}

void TextBox::textChanged() {
    std::wstring now = Text();
    if (now == text_) return;
    text_ = std::move(now);
    RaiseEvent(Change);
}

int TextBox::SelStart() const {
    DWORD start = 0, end = 0;
    if (edit_)
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

void TextBox::setSelStart(int start) {
    if (start < 0) throw RuntimeError(err::InvalidPropertyValue);
    if (edit_) SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(start), start);
}

int TextBox::SelLength() const {
    DWORD start = 0, end = 0;
    if (edit_)
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TextBox::setSelLength(int length) {
    if (length < 0) throw RuntimeError(err::InvalidPropertyValue);
    const int start = SelStart();
    if (edit_) SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::wstring TextBox::SelText() const {
    const std::wstring t = Text();
    const size_t start = static_cast<size_t>(SelStart());
    return start >= t.size() ? std::wstring() : t.substr(start, static_cast<size_t>(SelLength()));
}

void TextBox::setSelText(const std::wstring& text) {
    if (!edit_) return;
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    textChanged();
}

void TextBox::setLocked(bool locked) {
    locked_ = locked;
    if (edit_) SendMessageW(edit_, EM_SETREADONLY, locked, 0);
    PropertyChanged(L"Locked");
}

void TextBox::setMaxLength(int length) {
    if (length < 0) throw RuntimeError(err::InvalidPropertyValue);
    maxLength_ = length;
    if (edit_) SendMessageW(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0);
    PropertyChanged(L"MaxLength");
}

void TextBox::setMultiLine(bool multi) {
    if (loaded()) throw RuntimeError(err::SetNotSupportedAtRuntime);
    multiLine_ = multi;
}

void TextBox::setBorderStyle(int style) {
    if (style < 0 || style > 1) throw RuntimeError(err::InvalidPropertyValue);
    borderStyle_ = style;
    PropertyChanged(L"BorderStyle");
    if (!edit_) return;
    SetWindowLongW(edit_, GWL_EXSTYLE, style ? WS_EX_CLIENTEDGE : 0);
    SetWindowPos(edit_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TextBox::setBackColor(uint32_t colour) {
    backColor_ = controls::checkedColour(colour);
    brush_.reset();
    if (edit_) InvalidateRect(edit_, nullptr, TRUE);
    PropertyChanged(L"BackColor");
}

void TextBox::setForeColor(uint32_t colour) {
    foreColor_ = controls::checkedColour(colour);
    if (edit_) InvalidateRect(edit_, nullptr, TRUE);
    PropertyChanged(L"ForeColor");
}

void TextBox::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw RuntimeError(err::InvalidPropertyValue);
    useFont(std::move(font));
    PropertyChanged(L"Font");
}

void TextBox::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    if (edit_) EnableWindow(edit_, enabled);
}

void TextBox::UserControl_InitProperties() {
    useFont(Ambient().Font->clone());
    setText(Ambient().DisplayName);
}

void TextBox::UserControl_ReadProperties(PropertyBag& bag) {
    backColor_ = bag.ReadProperty(L"BackColor", Variant::colour(0x80000005)).toColour();
    foreColor_ = bag.ReadProperty(L"ForeColor", Variant::colour(0x80000008)).toColour();
    useFont(controls::readFont(bag, L"Font", Ambient().Font));
    locked_ = bag.ReadProperty(L"Locked", false).toBoolean();
    maxLength_ = bag.ReadProperty(L"MaxLength", 0).toLong();
    const bool multi = bag.ReadProperty(L"MultiLine", false).toBoolean();
    text_ = bag.ReadProperty(L"Text", L"").toString();
    if (multi != multiLine_ || locked_) {
        multiLine_ = multi;
        createEdit();
    } else {
        if (maxLength_ > 0) SendMessageW(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
        applyFont();
        SetWindowTextW(edit_, text_.c_str());
    }
}

void TextBox::UserControl_WriteProperties(PropertyBag& bag) {
    bag.WriteProperty(L"BackColor", Variant::colour(backColor_), Variant::colour(0x80000005));
    bag.WriteProperty(L"ForeColor", Variant::colour(foreColor_), Variant::colour(0x80000008));
    controls::writeFont(bag, L"Font", font_, Ambient().Font);
    bag.WriteProperty(L"Locked", locked_, false);
    bag.WriteProperty(L"MaxLength", maxLength_, 0);
    bag.WriteProperty(L"MultiLine", multiLine_, false);
    bag.WriteProperty(L"Text", Text(), L"");
}

void TextBox::UserControl_Resize() {
    if (edit_) MoveWindow(edit_, 0, 0, pixelWidth(), pixelHeight(), TRUE);
}

void TextBox::UserControl_Terminate() {
    controls::releaseChild(edit_, editProc_);
}

void TextBox::windowMessage(MessageFrame& m) {
    switch (m.msg) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(m.lParam) == edit_ && HIWORD(m.wParam) == EN_CHANGE) {
            if (!inSetText_) textChanged();
            m.answer(0);
        }
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        if (reinterpret_cast<HWND>(m.lParam) != edit_) return;
        HDC dc = reinterpret_cast<HDC>(m.wParam);
        COLORREF back = 0, fore = 0;
        tryTranslateColor(backColor_, back);
        tryTranslateColor(foreColor_, fore);
        SetTextColor(dc, fore);
        SetBkColor(dc, back);
        if (!brush_) brush_.reset(CreateSolidBrush(back));
        m.answer(reinterpret_cast<LRESULT>(brush_.get()));
        return;
    }
    case WM_SETFOCUS:
        if (edit_) ::SetFocus(edit_);
        m.answer(0);
        return;
    }
}

LRESULT TextBox::editMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = editProc_;
    auto watch = this->watch();
    Form* form = Parent();
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        const bool down = msg == WM_KEYDOWN;
        int code = static_cast<int>(wParam);
        const int sh = shiftFromKeyboard();
        if (form && form->KeyPreview()) {
            if (down)
                form->previewKeyDown(code, sh);
            else
                form->previewKeyUp(code, sh);
            if (!watch.alive()) return 0;
        }
        if (code != 0) {
            if (!(down ? RaiseEvent(KeyDown, code, sh) : RaiseEvent(KeyUp, code, sh))) return 0;
        }
        if (code == 0) return 0;
        return CallWindowProcW(old, hwnd, msg, static_cast<WPARAM>(code), lParam);
    }
    case WM_CHAR: {
        int ascii = static_cast<int>(wParam);
        if (form && form->KeyPreview()) {
            form->previewKeyPress(ascii);
            if (!watch.alive()) return 0;
        }
        if (ascii != 0 && !RaiseEvent(KeyPress, ascii)) return 0;
        if (ascii == 0) return 0;
        // A single-line box has no use for Enter or Escape; the edit window would beep.
        if (!multiLine_ && (ascii == 13 || ascii == 27)) return 0;
        return CallWindowProcW(old, hwnd, msg, static_cast<WPARAM>(ascii), lParam);
    }
    case WM_SETFOCUS: {
        LRESULT r = CallWindowProcW(old, hwnd, msg, wParam, lParam);
        RaiseEvent(GotFocus);
        return r;
    }
    case WM_KILLFOCUS: {
        LRESULT r = CallWindowProcW(old, hwnd, msg, wParam, lParam);
        RaiseEvent(LostFocus);
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        LRESULT r = CallWindowProcW(old, hwnd, msg, wParam, lParam);
        if (watch.alive())
            RaiseEvent(MouseDown, msg == WM_LBUTTONDOWN ? 1 : 2, shiftFromMouseFlags(wParam),
                       static_cast<float>(GET_X_LPARAM(lParam)), static_cast<float>(GET_Y_LPARAM(lParam)));
        return r;
    }
    case WM_MOUSEMOVE: {
        LRESULT r = CallWindowProcW(old, hwnd, msg, wParam, lParam);
        if (watch.alive())
            RaiseEvent(MouseMove, buttonsFromMouseFlags(wParam), shiftFromMouseFlags(wParam),
                       static_cast<float>(GET_X_LPARAM(lParam)), static_cast<float>(GET_Y_LPARAM(lParam)));
        return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        LRESULT r = CallWindowProcW(old, hwnd, msg, wParam, lParam);
        if (watch.alive() &&
            RaiseEvent(MouseUp, msg == WM_LBUTTONUP ? 1 : 2, shiftFromMouseFlags(wParam),
                       static_cast<float>(GET_X_LPARAM(lParam)), static_cast<float>(GET_Y_LPARAM(lParam))))
            RaiseEvent(Click);
        return r;
    }
    }
    return CallWindowProcW(old, hwnd, msg, wParam, lParam);
}

} // namespace forms
