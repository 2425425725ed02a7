// The option/check box: stored properties, events, keyboard and mouse input, option groups and what
// its window hook reports.
#include "widgets/option_check/morph_option_check.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/hook/exports.h"

#include <utility>

namespace widgets {

using forms::OnChange;

namespace {

constexpr int SpaceKey = VK_SPACE;

} // namespace

const forms::PropertyTable<MorphOptionCheck>& MorphOptionCheck::properties() {
    using C = MorphOptionCheck;
    using forms::field;
    const std::shared_ptr<forms::StdPicture> noPicture;
    // Alphabetical, as the control writes them.
    static const forms::PropertyTable<C> table{
        field<C>(
            L"BackAngle", [](C & c) -> auto& { return c.look_.BackAngle; }, 90.0f),
        field<C>(
            L"BackColor1", [](C & c) -> auto& { return c.look_.BackColor1; }, 0x00004040u),
        field<C>(
            L"BackColor2", [](C & c) -> auto& { return c.look_.BackColor2; }, 0x00C0FFFFu),
        field<C>(
            L"BackMiddleOut", [](C & c) -> auto& { return c.look_.BackMiddleOut; }, true),
        field<C>(
            L"BorderColor", [](C & c) -> auto& { return c.look_.BorderColor; }, 0u),
        field<C>(
            L"BorderCurvature", [](C & c) -> auto& { return c.look_.BorderCurvature; }, std::int16_t(0)),
        field<C>(
            L"BorderIfTransparent", [](C & c) -> auto& { return c.look_.BorderIfTransparent; }, true),
        field<C>(
            L"BorderWidth", [](C & c) -> auto& { return c.look_.BorderWidth; }, std::int32_t(1),
            OnChange::Relayout),
        field<C>(
            L"Caption", [](C & c) -> auto& { return c.look_.Caption; }, std::wstring(L"Option_Check")),
        field<C>(
            L"CaptionColor", [](C & c) -> auto& { return c.look_.CaptionColor; }, 0u),
        field<C>(
            L"CheckBorderColor", [](C & c) -> auto& { return c.look_.CheckBorderColor; }, 0u),
        field<C>(
            L"CheckBoxAlignment", [](C & c) -> auto& { return c.look_.CheckBoxAlignment; }, std::int32_t(0),
            OnChange::Relayout),
        field<C>(
            L"CheckBoxAngle", [](C & c) -> auto& { return c.look_.CheckBoxAngle; }, 90.0f),
        field<C>(
            L"CheckBoxColor1", [](C & c) -> auto& { return c.look_.CheckBoxColor1; }, 0u),
        field<C>(
            L"CheckBoxColor2", [](C & c) -> auto& { return c.look_.CheckBoxColor2; }, 0u),
        field<C>(
            L"CheckBoxMiddleOut", [](C & c) -> auto& { return c.look_.CheckBoxMiddleOut; }, true),
        field<C>(
            L"CheckColor", [](C & c) -> auto& { return c.look_.CheckColor; }, 0x0000FFFFu),
        field<C>(
            L"ContainerName", [](C & c) -> auto& { return c.look_.ContainerName; }, std::wstring()),
        field<C>(
            L"ControlType", [](C & c) -> auto& { return c.look_.ControlType; }, std::int32_t(0),
            OnChange::None),
        field<C>(
            L"DisBackColor1", [](C & c) -> auto& { return c.look_.DisBackColor1; }, 0x00404040u),
        field<C>(
            L"DisBackColor2", [](C & c) -> auto& { return c.look_.DisBackColor2; }, 0x00C0C0C0u),
        field<C>(
            L"DisBorderColor", [](C & c) -> auto& { return c.look_.DisBorderColor; }, 0x00404040u),
        field<C>(
            L"DisCaptionColor", [](C & c) -> auto& { return c.look_.DisCaptionColor; }, 0x00808080u),
        field<C>(
            L"DisCheckBorderColor", [](C & c) -> auto& { return c.look_.DisCheckBorderColor; }, 0x00808080u),
        field<C>(
            L"DisCheckBoxColor1", [](C & c) -> auto& { return c.look_.DisCheckBoxColor1; }, 0x00B0B0B0u),
        field<C>(
            L"DisCheckBoxColor2", [](C & c) -> auto& { return c.look_.DisCheckBoxColor2; }, 0x00B0B0B0u),
        field<C>(
            L"Enabled", [](C & c) -> auto& { return c.look_.Enabled; }, true),
        field<C>(
            L"FocusRectColor", [](C & c) -> auto& { return c.look_.FocusRectColor; }, 0u),
        forms::fontField<C>(
            L"Font", [](C & c) -> auto& { return c.look_.Font; }),
        field<C>(
            L"MouseOverActions", [](C & c) -> auto& { return c.look_.MouseOverActions; }, std::int32_t(0)),
        field<C>(
            L"MOverBorderColor", [](C & c) -> auto& { return c.look_.MOverBorderColor; }, 0u),
        field<C>(
            L"MOverCheckBoxColor", [](C & c) -> auto& { return c.look_.MOverCheckBoxColor; }, 0u),
        field<C>(
            L"PicChecked", [](C & c) -> auto& { return c.look_.PicChecked; }, noPicture, OnChange::Relayout),
        field<C>(
            L"PicForCheck", [](C & c) -> auto& { return c.look_.PicForCheck; }, false, OnChange::Relayout),
        field<C>(
            L"PicUnchecked", [](C & c) -> auto& { return c.look_.PicUnchecked; }, noPicture,
            OnChange::Relayout),
        field<C>(
            L"ShowFocusRect", [](C & c) -> auto& { return c.look_.ShowFocusRect; }, true),
        field<C>(
            L"Transparent", [](C & c) -> auto& { return c.look_.Transparent; }, false),
        field<C>(
            L"Value", [](C & c) -> auto& { return c.look_.Value; }, std::int16_t(0)),
    };
    return table;
}

MorphOptionCheck::MorphOptionCheck() {
    hook_.zRegisterCallback(this);
    hook_.setFailureReport(&MorphOptionCheck::reportHookFailure);
}

MorphOptionCheck::~MorphOptionCheck() = default;

void MorphOptionCheck::registerType() {
    forms::registerControlType<MorphOptionCheck>(L"MorphOptionCheck");
}

// --- Life cycle

void MorphOptionCheck::UserControl_Initialize() {
    // Space reaches the control; arrows and characters are not its business.
    setWantedKeys(DLGC_WANTCHARS);
}

void MorphOptionCheck::UserControl_InitProperties() {
    properties().init(*this);
    surface().setFont(look_.Font);
}

void MorphOptionCheck::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    surface().setFont(look_.Font);
    RefreshColours();
    if (!Ambient().UserMode) return;
    state_.tracking = true;
    if (hook_.sc_Subclass(hWnd(), 0, true, 1)) {
        hook_.sc_AddMsg(hWnd(), WM_MOUSEMOVE, hook::MSG_AFTER);
        hook_.sc_AddMsg(hWnd(), WM_MOUSELEAVE, hook::MSG_AFTER);
        hook_.sc_AddMsg(hWnd(), WM_SETFOCUS, hook::MSG_AFTER);
        hook_.sc_AddMsg(hWnd(), WM_KILLFOCUS, hook::MSG_AFTER);
    }
}

void MorphOptionCheck::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
}

void MorphOptionCheck::UserControl_Show() {
    CheckAreaLayout();
    useColourSet();
    Redraw();
}

void MorphOptionCheck::UserControl_Resize() {
    CheckAreaLayout();
    Redraw();
}

void MorphOptionCheck::UserControl_Terminate() {
    core::bestEffort(L"MorphOptionCheck unhook", [&] { hook_.sc_UnSubclassAll(); });
}

void MorphOptionCheck::RefreshColours() {
    CheckAreaLayout();
    useColourSet();
    Redraw();
}

// --- Property writes

void MorphOptionCheck::propertyEffect(OnChange effect) {
    if (effect == OnChange::Relayout) CheckAreaLayout();
    if (effect != OnChange::None) Redraw();
}

void MorphOptionCheck::setSetColour(const wchar_t* key, std::uint32_t value, bool normalSet,
                                    std::uint32_t OptionCheckColours::*current) {
    if (look_.Enabled == normalSet) state_.colours.*current = value;
    setProperty(properties(), key, value);
}

void MorphOptionCheck::setBackAngle(float v) {
    setProperty(properties(), L"BackAngle", v);
}
void MorphOptionCheck::setBackColor1(std::uint32_t v) {
    setSetColour(L"BackColor1", v, true, &OptionCheckColours::back1);
}
void MorphOptionCheck::setBackColor2(std::uint32_t v) {
    setSetColour(L"BackColor2", v, true, &OptionCheckColours::back2);
}
void MorphOptionCheck::setBackMiddleOut(bool v) {
    setProperty(properties(), L"BackMiddleOut", v);
}
void MorphOptionCheck::setBorderColor(std::uint32_t v) {
    setSetColour(L"BorderColor", v, true, &OptionCheckColours::border);
}
void MorphOptionCheck::setBorderCurvature(std::int16_t v) {
    setProperty(properties(), L"BorderCurvature", v);
}
void MorphOptionCheck::setBorderIfTransparent(bool v) {
    setProperty(properties(), L"BorderIfTransparent", v);
}
void MorphOptionCheck::setBorderWidth(std::int32_t v) {
    setProperty(properties(), L"BorderWidth", v);
}
void MorphOptionCheck::setCaption(std::wstring v) {
    setProperty(properties(), L"Caption", v);
}
void MorphOptionCheck::setCaptionColor(std::uint32_t v) {
    setSetColour(L"CaptionColor", v, true, &OptionCheckColours::caption);
}
void MorphOptionCheck::setCheckBorderColor(std::uint32_t v) {
    setSetColour(L"CheckBorderColor", v, true, &OptionCheckColours::checkBorder);
}
void MorphOptionCheck::setCheckBoxAlignment(std::int32_t v) {
    setProperty(properties(), L"CheckBoxAlignment", v);
}
void MorphOptionCheck::setCheckBoxAngle(float v) {
    setProperty(properties(), L"CheckBoxAngle", v);
}
void MorphOptionCheck::setCheckBoxColor1(std::uint32_t v) {
    setSetColour(L"CheckBoxColor1", v, true, &OptionCheckColours::checkBox1);
}
void MorphOptionCheck::setCheckBoxColor2(std::uint32_t v) {
    setSetColour(L"CheckBoxColor2", v, true, &OptionCheckColours::checkBox2);
}
void MorphOptionCheck::setCheckBoxMiddleOut(bool v) {
    setProperty(properties(), L"CheckBoxMiddleOut", v);
}
void MorphOptionCheck::setCheckColor(std::uint32_t v) {
    setProperty(properties(), L"CheckColor", v);
}
void MorphOptionCheck::setContainerName(std::wstring v) {
    setProperty(properties(), L"ContainerName", v);
}
void MorphOptionCheck::setControlType(std::int32_t v) {
    if (Ambient().UserMode) throw core::RuntimeError(core::err::SetNotSupportedAtRuntime);
    setProperty(properties(), L"ControlType", v);
}
void MorphOptionCheck::setDisBackColor1(std::uint32_t v) {
    setSetColour(L"DisBackColor1", v, false, &OptionCheckColours::back1);
}
void MorphOptionCheck::setDisBackColor2(std::uint32_t v) {
    setSetColour(L"DisBackColor2", v, false, &OptionCheckColours::back2);
}
void MorphOptionCheck::setDisBorderColor(std::uint32_t v) {
    setSetColour(L"DisBorderColor", v, false, &OptionCheckColours::border);
}
void MorphOptionCheck::setDisCaptionColor(std::uint32_t v) {
    setSetColour(L"DisCaptionColor", v, false, &OptionCheckColours::caption);
}
void MorphOptionCheck::setDisCheckBorderColor(std::uint32_t v) {
    setSetColour(L"DisCheckBorderColor", v, false, &OptionCheckColours::checkBorder);
}
void MorphOptionCheck::setDisCheckBoxColor1(std::uint32_t v) {
    setSetColour(L"DisCheckBoxColor1", v, false, &OptionCheckColours::checkBox1);
}
void MorphOptionCheck::setDisCheckBoxColor2(std::uint32_t v) {
    setSetColour(L"DisCheckBoxColor2", v, false, &OptionCheckColours::checkBox2);
}
void MorphOptionCheck::setEnabled(bool v) {
    look_.Enabled = v;
    if (!v) look_.Value = 0;
    useColourSet();
    PropertyChanged(L"Enabled");
    Redraw();
}
void MorphOptionCheck::setFocusRectColor(std::uint32_t v) {
    setProperty(properties(), L"FocusRectColor", v);
}
void MorphOptionCheck::setFont(std::shared_ptr<forms::StdFont> v) {
    // Kept by reference: a later change of the font object shows at the next repaint.
    look_.Font = std::move(v);
    surface().setFont(look_.Font);
    PropertyChanged(L"Font");
    Redraw();
}
void MorphOptionCheck::setMouseOverActions(std::int32_t v) {
    setProperty(properties(), L"MouseOverActions", v);
}
void MorphOptionCheck::setMOverBorderColor(std::uint32_t v) {
    setProperty(properties(), L"MOverBorderColor", v);
}
void MorphOptionCheck::setMOverCheckBoxColor(std::uint32_t v) {
    setProperty(properties(), L"MOverCheckBoxColor", v);
}
void MorphOptionCheck::setPicChecked(std::shared_ptr<forms::StdPicture> v) {
    look_.PicChecked = std::move(v);
    PropertyChanged(L"PicChecked");
    propertyEffect(OnChange::Relayout);
}
void MorphOptionCheck::setPicForCheck(bool v) {
    setProperty(properties(), L"PicForCheck", v);
}
void MorphOptionCheck::setPicUnchecked(std::shared_ptr<forms::StdPicture> v) {
    look_.PicUnchecked = std::move(v);
    PropertyChanged(L"PicUnchecked");
    propertyEffect(OnChange::Relayout);
}
void MorphOptionCheck::setShowFocusRect(bool v) {
    setProperty(properties(), L"ShowFocusRect", v);
}
void MorphOptionCheck::setTransparent(bool v) {
    setProperty(properties(), L"Transparent", v);
}
void MorphOptionCheck::setValue(std::int16_t v) {
    setProperty(properties(), L"Value", v);
}

// --- Input

void MorphOptionCheck::UserControl_KeyDown(int& KeyCode, int Shift) {
    if (!look_.Enabled) return;
    state_.keyDown = true;
    auto code = static_cast<std::int16_t>(KeyCode);
    auto shift = static_cast<std::int16_t>(Shift);
    RaiseEvent(KeyDown, code, shift);
}

void MorphOptionCheck::UserControl_KeyUp(int& KeyCode, int Shift) {
    state_.keyDown = false;
    if (KeyCode != SpaceKey || !look_.Enabled || state_.mouseDown) return;
    auto watch = this->watch();
    toggleOrSelect();
    if (!watch.alive() || !loaded()) return;
    auto code = static_cast<std::int16_t>(KeyCode);
    auto shift = static_cast<std::int16_t>(Shift);
    if (!RaiseEvent(KeyUp, code, shift)) return;
    std::int16_t ascii = code;
    RaiseEvent(KeyPress, ascii);
}

void MorphOptionCheck::UserControl_MouseDown(int Button, int Shift, float X, float Y) {
    if (!look_.Enabled) return;
    state_.mouseDown = true;
    auto button = static_cast<std::int16_t>(Button);
    auto shift = static_cast<std::int16_t>(Shift);
    RaiseEvent(MouseDown, button, shift, X, Y);
}

void MorphOptionCheck::UserControl_MouseUp(int Button, int Shift, float X, float Y) {
    state_.mouseDown = false;
    const HWND under = forms::windowAtPoint(forms::cursorPosition());
    if (under != hWnd() || Button != core::mouse::Left || !look_.Enabled || state_.keyDown) return;
    auto watch = this->watch();
    toggleOrSelect();
    if (!watch.alive() || !loaded()) return;
    auto button = static_cast<std::int16_t>(Button);
    auto shift = static_cast<std::int16_t>(Shift);
    if (!RaiseEvent(MouseUp, button, shift, X, Y)) return;
    RaiseEvent(Click);
}

void MorphOptionCheck::toggleOrSelect() {
    if (look_.isOption()) {
        if (look_.Value != OptionSelected) SelectOption();
        return;
    }
    look_.Value = look_.Value == 1 ? 0 : 1;
    Redraw();
}

void MorphOptionCheck::SelectOption() {
    look_.Value = OptionSelected;
    Redraw();
    forms::Form* form = Parent();
    if (!form || !Container()) return;
    const HWND container = Container()->hWnd();
    for (forms::UserControl* c : form->allControls()) {
        auto* other = dynamic_cast<MorphOptionCheck*>(c);
        if (!other || other == this || !other->loaded() || !other->Container()) continue;
        if (other->Container()->hWnd() != container || other->hWnd() == hWnd()) continue;
        if (other->Value() == OptionSelected) other->setValue(0);
    }
}

// --- The hook's messages

void MorphOptionCheck::zSubclass_Proc(bool bBefore, bool& bHandled, long& lReturn, HWND lng_hWnd, UINT uMsg,
                                      WPARAM wParam, LPARAM lParam, long&) {
    hook::deliverHookMessage(*this, bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
}

void MorphOptionCheck::reportHookFailure(const wchar_t* routine, const std::wstring& message) {
    const std::wstring where = std::wstring(L"MorphOptionCheck.") + routine;
    core::logEvent(where + L": " + message, core::LogError);
    forms::MsgBox(message + L".", forms::mb::Exclamation, L"Error in " + where);
}

// The one dispatch. Hover and focus are learnt after the window's own procedure has run, so only
// through the hook; the window procedure hands the control nothing.
void MorphOptionCheck::hookMessage(core::MessageFrame& m, bool) {
    auto keep = weak_from_this().lock();
    switch (m.msg) {
    case WM_MOUSEMOVE:
        onMouseMove(m.hwnd);
        break;
    case WM_MOUSELEAVE:
        onMouseLeave();
        break;
    case WM_SETFOCUS:
        onSetFocus();
        break;
    case WM_KILLFOCUS:
        onKillFocus();
        break;
    default:
        break;
    }
}

void MorphOptionCheck::onMouseMove(HWND window) {
    if (!look_.Enabled || state_.hover) return;
    state_.hover = true;
    if (state_.tracking) hook::TrackMouseLeave(window);
    if (!RaiseEvent(MouseEnter)) return;
    const std::int32_t actions = look_.MouseOverActions;
    if (actions != HoverBorder && actions != HoverCheckBorder && actions != (HoverBorder | HoverCheckBorder))
        return;
    if (actions & HoverBorder) state_.colours.border = look_.MOverBorderColor;
    if (actions & HoverCheckBorder) state_.colours.checkBorder = look_.MOverCheckBoxColor;
    Redraw();
}

void MorphOptionCheck::onMouseLeave() {
    state_.hover = false;
    if (!RaiseEvent(MouseLeave)) return;
    if (look_.MouseOverActions == 0) return;
    // The borders of the set in use now, so a control disabled under the mouse keeps its disabled
    // border and a border colour written meanwhile is what comes back.
    const OptionCheckColours set = OptionCheckColours::of(look_);
    state_.colours.border = set.border;
    state_.colours.checkBorder = set.checkBorder;
    Redraw();
}

void MorphOptionCheck::onSetFocus() {
    if (!look_.Enabled) return;
    state_.focus = true;
    Redraw();
}

void MorphOptionCheck::onKillFocus() {
    state_.focus = false;
    state_.keyDown = false;
    state_.mouseDown = false;
    Redraw();
}

} // namespace widgets
