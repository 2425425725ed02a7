#include "platform/forms/controls/text_box.h"

#include "platform/core/message_frame.h"
#include "platform/core/variant.h"
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

const PropertyTable<TextBox>& TextBox::properties() {
    using T = TextBox;
    static const PropertyTable<T> table{
        field<T>(
            L"BackColor", [](T & c) -> auto& { return c.backColor_; }, core::sysColor::WindowBackground),
        field<T>(
            L"ForeColor", [](T & c) -> auto& { return c.foreColor_; }, core::sysColor::WindowText),
        fontField<T>(
            L"Font", [](T & c) -> auto& { return c.font_; }),
        field<T>(
            L"BorderStyle", [](T & c) -> auto& { return c.borderStyle_; }, core::controlBorder::FixedSingle),
        field<T>(
            L"Locked", [](T & c) -> auto& { return c.locked_; }, false),
        field<T>(
            L"MaxLength", [](T & c) -> auto& { return c.maxLength_; }, 0),
        field<T>(
            L"MultiLine", [](T & c) -> auto& { return c.multiLine_; }, false),
        // The text lives in the edit window; a new box starts with its name.
        property<T>(
            L"Text", [](T& c) { return c.Text(); }, [](T& c, std::wstring v) { c.text_ = std::move(v); },
            std::wstring(), OnChange::None)
            .startsFrom([](T& c) { return core::Variant(c.Ambient().DisplayName); }),
    };
    return table;
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
    if (!edit_)
        throw core::RuntimeError(core::err::InvalidProcedureCall, L"The edit window could not be created");
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
    if (start < 0) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (edit_) SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(start), start);
}

int TextBox::SelLength() const {
    DWORD start = 0, end = 0;
    if (edit_)
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TextBox::setSelLength(int length) {
    if (length < 0) throw core::RuntimeError(core::err::InvalidPropertyValue);
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
    if (length < 0) throw core::RuntimeError(core::err::InvalidPropertyValue);
    maxLength_ = length;
    if (edit_) SendMessageW(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0);
    PropertyChanged(L"MaxLength");
}

void TextBox::setMultiLine(bool multi) {
    if (loaded()) throw core::RuntimeError(core::err::SetNotSupportedAtRuntime);
    multiLine_ = multi;
}

void TextBox::setBorderStyle(int style) {
    if (style < core::controlBorder::None || style > core::controlBorder::FixedSingle)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    borderStyle_ = static_cast<int16_t>(style);
    PropertyChanged(L"BorderStyle");
    if (!edit_) return;
    SetWindowLongW(edit_, GWL_EXSTYLE, style ? WS_EX_CLIENTEDGE : 0);
    SetWindowPos(edit_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TextBox::setBackColor(uint32_t colour) {
    setProperty(properties(), L"BackColor", controls::checkedColour(colour));
}

void TextBox::setForeColor(uint32_t colour) {
    setProperty(properties(), L"ForeColor", controls::checkedColour(colour));
}

void TextBox::propertyEffect(OnChange effect) {
    if (effect == OnChange::None) return;
    brush_.reset();
    if (edit_) InvalidateRect(edit_, nullptr, TRUE);
}

void TextBox::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    useFont(std::move(font));
    PropertyChanged(L"Font");
}

void TextBox::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    if (edit_) EnableWindow(edit_, enabled);
}

void TextBox::UserControl_InitProperties() {
    const bool multi = multiLine_, locked = locked_;
    properties().init(*this);
    applyStored(multi != multiLine_ || locked != locked_);
}

void TextBox::UserControl_ReadProperties(PropertyBag& bag) {
    const bool multi = multiLine_, locked = locked_;
    properties().read(*this, bag);
    applyStored(multi != multiLine_ || locked != locked_);
}

void TextBox::applyStored(bool styleChanged) {
    useFont(font_);
    brush_.reset();
    if (styleChanged) {
        createEdit();
        return;
    }
    SendMessageW(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    inSetText_ = true;
    SetWindowTextW(edit_, text_.c_str());
    inSetText_ = false;
}

void TextBox::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

void TextBox::UserControl_Resize() {
    if (edit_) MoveWindow(edit_, 0, 0, pixelWidth(), pixelHeight(), TRUE);
}

void TextBox::UserControl_Terminate() {
    controls::releaseChild(edit_, editProc_);
}

void TextBox::windowMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_COMMAND:
        onCommand(m);
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        onControlColour(m);
        return;
    case WM_SETFOCUS:
        onSetFocus(m);
        return;
    }
}

void TextBox::onCommand(core::MessageFrame& m) {
    if (reinterpret_cast<HWND>(m.lParam) != edit_ || HIWORD(m.wParam) != EN_CHANGE) return;
    if (!inSetText_) textChanged();
    m.answer(0);
}

void TextBox::onControlColour(core::MessageFrame& m) {
    if (reinterpret_cast<HWND>(m.lParam) != edit_) return;
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    COLORREF back = 0, fore = 0;
    tryTranslateColor(backColor_, back);
    tryTranslateColor(foreColor_, fore);
    SetTextColor(dc, fore);
    SetBkColor(dc, back);
    if (!brush_) brush_.reset(CreateSolidBrush(back));
    m.answer(reinterpret_cast<LRESULT>(brush_.get()));
}

void TextBox::onSetFocus(core::MessageFrame& m) {
    if (edit_) ::SetFocus(edit_);
    m.answer(0);
}

void TextBox::editMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        onEditKey(m);
        return;
    case WM_CHAR:
        onEditChar(m);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        onEditFocus(m);
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        onEditMouse(m);
        return;
    case WM_GETDLGCODE:
        onEditDialogCode(m);
        return;
    case EM_SETWORDBREAKPROC:
        // The run time sets no word-break procedure: one that arrives comes from another program,
        // and the edit window would call its address, which means nothing here, at the next
        // double click.
        m.answer(0);
        return;
    }
}

// A text box inside a control (a combo box's edit part) takes every key whenever that control asks
// for them, so Enter and Escape reach the control instead of the form's default and cancel buttons.
void TextBox::onEditDialogCode(core::MessageFrame& m) {
    LRESULT code = controls::callPrevious(editProc_, m);
    if (auto* owner = dynamic_cast<UserControl*>(Container()); owner && owner->hWnd())
        code |= SendMessageW(owner->hWnd(), WM_GETDLGCODE, m.wParam, m.lParam) & DLGC_WANTALLKEYS;
    m.answer(code);
}

// The form sees the key first when it previews keys; a handler may change it or cancel it (0).
void TextBox::onEditKey(core::MessageFrame& m) {
    const bool down = m.msg == WM_KEYDOWN;
    int code = static_cast<int>(m.wParam);
    const int sh = shiftFromKeyboard();
    if (!previewKey(m.msg, code)) return m.answer(0);
    keyRepeats_ = down && (m.lParam & (1 << 30)) != 0;
    if (code != 0 && !(down ? RaiseEvent(KeyDown, code, sh) : RaiseEvent(KeyUp, code, sh)))
        return m.answer(0);
    if (code == 0) return m.answer(0);
    m.wParam = static_cast<WPARAM>(code);
}

void TextBox::onEditChar(core::MessageFrame& m) {
    int ascii = static_cast<int>(m.wParam);
    if (!previewKey(m.msg, ascii)) return m.answer(0);
    if (ascii != 0 && !RaiseEvent(KeyPress, ascii)) return m.answer(0);
    if (ascii == 0) return m.answer(0);
    // A single-line box has no use for Enter or Escape; the edit window would beep.
    if (!multiLine_ && (ascii == 13 || ascii == 27)) return m.answer(0);
    m.wParam = static_cast<WPARAM>(ascii);
}

void TextBox::onEditFocus(core::MessageFrame& m) {
    m.answer(controls::callPrevious(editProc_, m));
    RaiseEvent(m.msg == WM_SETFOCUS ? GotFocus : LostFocus);
}

void TextBox::onEditMouse(core::MessageFrame& m) {
    auto watch = this->watch();
    m.answer(controls::callPrevious(editProc_, m));
    if (!watch.alive()) return;
    const bool down = m.msg == WM_LBUTTONDOWN || m.msg == WM_RBUTTONDOWN;
    const int button =
        m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONUP ? core::mouse::Left : core::mouse::Right;
    const int sh = shiftFromMouseFlags(m.wParam);
    const float x = static_cast<float>(GET_X_LPARAM(m.lParam)),
                y = static_cast<float>(GET_Y_LPARAM(m.lParam));
    if (m.msg == WM_MOUSEMOVE)
        RaiseEvent(MouseMove, buttonsFromMouseFlags(m.wParam), sh, x, y);
    else if (down)
        RaiseEvent(MouseDown, button, sh, x, y);
    else if (RaiseEvent(MouseUp, button, sh, x, y))
        RaiseEvent(Click);
}

} // namespace forms
