#include "platform/forms/controls/command_button.h"

#include "platform/core/message_frame.h"
#include "platform/core/variant.h"
#include "platform/forms/app.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"
#include "platform/forms/user_control_mouse.h"

namespace forms {

CommandButton::CommandButton() {
    setUsesSurface(false);
    setDefaultCancel(true);
}

CommandButton::~CommandButton() {
    controls::releaseChild(button_, buttonProc_);
}

void CommandButton::UserControl_Terminate() {
    controls::releaseChild(button_, buttonProc_);
}

void CommandButton::UserControl_Initialize() {
    RECT rc;
    GetClientRect(hWnd(), &rc);
    button_ =
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY, 0, 0, rc.right,
                        rc.bottom, hWnd(), reinterpret_cast<HMENU>(1), GetModuleHandleW(nullptr), nullptr);
    if (button_)
        buttonProc_ =
            controls::subclassChild(button_,
                                    &controls::childWindowProc<CommandButton, &CommandButton::buttonMessage,
                                                               &CommandButton::buttonProc_>,
                                    this);
}

const PropertyTable<CommandButton>& CommandButton::properties() {
    using B = CommandButton;
    static const PropertyTable<B> table{
        field<B>(
            L"Caption", [](B & c) -> auto& { return c.caption_; }, std::wstring())
            .startsFrom([](B& c) { return core::Variant(c.Ambient().DisplayName); }),
        fontField<B>(
            L"Font", [](B & c) -> auto& { return c.font_; }),
    };
    return table;
}

void CommandButton::setCaption(std::wstring caption) {
    caption_ = std::move(caption);
    applyCaption();
    PropertyChanged(L"Caption");
}

void CommandButton::applyCaption() {
    if (button_) SetWindowTextW(button_, caption_.c_str());
    std::wstring keys;
    for (size_t i = 0; i + 1 < caption_.size(); ++i) {
        if (caption_[i] != L'&') continue;
        if (caption_[i + 1] != L'&') {
            keys = caption_.substr(i + 1, 1);
            break;
        }
        ++i;
    }
    setAccessKeys(keys);
}

void CommandButton::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    useFont(std::move(font));
    PropertyChanged(L"Font");
}

void CommandButton::useFont(std::shared_ptr<StdFont> font) {
    auto previous = std::exchange(font_, std::move(font));
    fontWatch_.watch(font_, [this] { applyFont(); });
    applyFont();
}

void CommandButton::applyFont() {
    if (button_ && font_) SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->hFont()), TRUE);
}

void CommandButton::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    if (button_) EnableWindow(button_, enabled);
}

void CommandButton::click() {
    auto keep = weak_from_this().lock();
    RaiseEvent(Click);
}

void CommandButton::UserControl_InitProperties() {
    properties().init(*this);
    useFont(font_);
    applyCaption();
}

void CommandButton::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    useFont(font_);
    applyCaption();
    showDefault();
}

void CommandButton::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

void CommandButton::UserControl_Resize() {
    if (button_) MoveWindow(button_, 0, 0, pixelWidth(), pixelHeight(), TRUE);
}

void CommandButton::UserControl_AccessKeyPress(int) {
    click();
}

void CommandButton::UserControl_AmbientChanged(const std::wstring& name) {
    if (name == L"DisplayAsDefault") showDefault();
}

void CommandButton::showDefault() {
    if (!button_) return;
    const LONG style = GetWindowLongW(button_, GWL_STYLE) & ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON);
    SendMessageW(button_, BM_SETSTYLE,
                 static_cast<WPARAM>(style | (Ambient().DisplayAsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                 TRUE);
}

void CommandButton::windowMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_COMMAND:
        onCommand(m);
        return;
    case WM_SETFOCUS:
        onSetFocus(m);
        return;
    }
}

void CommandButton::onCommand(core::MessageFrame& m) {
    if (reinterpret_cast<HWND>(m.lParam) != button_) return;
    if (HIWORD(m.wParam) == BN_CLICKED) click();
    m.answer(0);
}

void CommandButton::onSetFocus(core::MessageFrame& m) {
    if (button_) ::SetFocus(button_);
    m.answer(0);
}

void CommandButton::buttonMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        onButtonKey(m);
        return;
    }
}

void CommandButton::onButtonKey(core::MessageFrame& m) {
    int code = static_cast<int>(m.wParam);
    if (!previewKey(m.msg, code) || code == 0) return m.answer(0);
    m.wParam = static_cast<WPARAM>(code);
}

} // namespace forms
