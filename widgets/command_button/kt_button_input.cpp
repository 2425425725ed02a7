// The command button's input: mouse, keys, focus, hover through its window hook, the host form's
// activation and popup mode. After every raised event (and DoEvents) a handler checks that the
// control is still loaded: a Click handler may unload the form.
#include "widgets/command_button/kt_button.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/send_keys.h"
#include "platform/hook/exports.h"
#include "widgets/shared/hover.h"

namespace widgets {

namespace {

constexpr int SpaceKey = VK_SPACE;
constexpr int EnterKey = VK_RETURN;
constexpr int EscapeKey = VK_ESCAPE;
constexpr int DoubleClickButton = 8; // the release that ends a double click
// TPM_ alignment flags the placements add.
constexpr long AlignRight = TPM_RIGHTALIGN;
constexpr long AlignBottom = TPM_BOTTOMALIGN;

} // namespace

void ktButton::hookWindows() {
    if (hook_.sc_Subclass(hWnd(), 0, 1, nullptr, true))
        hook_.sc_AddMsg(hWnd(), WM_MOUSELEAVE, hook::MSG_AFTER);
    forms::Form* form = Parent();
    if (!form || !form->hWnd()) return;
    hostForm_ = form->hWnd();
    if (!hook_.sc_Subclass(hostForm_, 0, 1, nullptr, true)) return;
    const LONG exStyle = GetWindowLongW(hostForm_, GWL_EXSTYLE);
    hook_.sc_AddMsg(hostForm_, (exStyle & WS_EX_MDICHILD) ? WM_NCACTIVATE : WM_ACTIVATE, hook::MSG_AFTER);
}

void ktButton::loadHandCursor() {
    if (!state_.handCursor) state_.handCursor = LoadCursorW(nullptr, IDC_HAND);
    look_.HandPointer = state_.handCursor != nullptr;
}

void ktButton::showHand() const {
    if (state_.handCursor) SetCursor(state_.handCursor);
}

// --- Mouse

void ktButton::UserControl_MouseDown(int Button, int Shift, float X, float Y) {
    if (look_.HandPointer) showHand();
    state_.lastButton = Button;
    if (Button == core::mouse::Left) {
        state_.focus = state_.pressed = state_.mouseHeld = true;
        if (!state_.spaceHeld) {
            Redraw(ktState::Down, false);
        } else if (!state_.hot) {
            state_.mouseHeld = false;
            Redraw(ktState::Normal, false);
            state_.mouseHeld = true;
        }
    }
    if (!state_.popupMode) {
        auto button = static_cast<std::int16_t>(Button);
        auto shift = static_cast<std::int16_t>(Shift);
        RaiseEvent(MouseDown, button, shift, X, Y);
    } else if (state_.menuClosedOver) {
        state_.menuClosedOver = state_.menuShowing = false;
    } else {
        ShowPopupMenu();
    }
}

void ktButton::UserControl_MouseMove(int Button, int Shift, float X, float Y) {
    if (look_.HandPointer)
        showHand();
    else
        UserControl::setMousePointer(UserControl::MousePointer());
    const HWND under = forms::windowAtPoint(forms::cursorPosition());
    if (under == hWnd()) {
        state_.hot = true;
        if (state_.spaceHeld) {
            if (state_.mouseHeld) Redraw(ktState::Down, false);
        } else {
            Redraw(state_.pressed ? ktState::Down : ktState::Hot, false);
        }
        if (!loaded()) return;
        if (state_.tracking) {
            auto button = static_cast<std::int16_t>(Button);
            auto shift = static_cast<std::int16_t>(Shift);
            RaiseEvent(MouseMove, button, shift, X, Y);
            return;
        }
        state_.tracking = true;
        hook::TrackMouseLeave(hWnd(), trackInUser32_);
        RaiseEvent(MouseEnter);
        return;
    }
    if (state_.hot) {
        state_.hot = false;
        if (!state_.spaceHeld && !state_.mouseHeld) Redraw(ktState::Normal, false);
        if (!RaiseEvent(MouseLeave)) return;
    } else if (state_.mouseHeld) {
        Redraw(ktState::Hot, false);
    }
    state_.menuClosedOver = false;
}

void ktButton::UserControl_MouseUp(int Button, int Shift, float X, float Y) {
    if (look_.HandPointer && state_.hot) showHand();
    if (Button != core::mouse::Left && !state_.popupMode && !state_.menuClosedOver) return;
    state_.mouseHeld = false;
    state_.pressed = state_.spaceHeld;
    if (state_.spaceHeld && !state_.hot)
        Redraw(ktState::Down, false);
    else if (state_.lastButton == DoubleClickButton)
        Redraw(state_.hot ? ktState::Hot : ktState::Normal, false);
    hover::releaseCapture(hWnd());
    if (state_.popupMode) {
        if (!state_.hot) Redraw(ktState::Normal, false);
        state_.menuShowing = state_.menuClosedOver = false;
        return;
    }
    auto button = static_cast<std::int16_t>(Button);
    auto shift = static_cast<std::int16_t>(Shift);
    RaiseEvent(MouseUp, button, shift, X, Y);
}

void ktButton::handleClick() {
    if (state_.pressed || state_.lastButton != core::mouse::Left) return;
    state_.mouseHeld = state_.spaceHeld = false;
    auto watch = this->watch();
    if (look_.CheckBoxMode) {
        setValue(!look_.Value);
        if (!watch.alive() || !loaded()) return;
    }
    if (state_.hot)
        Redraw(ktState::Hot, look_.CheckBoxMode);
    else
        Redraw(ktState::Normal, true);
    if (!state_.popupMode && !RaiseEvent(Click)) return;
    if (!look_.CheckBoxMode) look_.Value = false;
}

void ktButton::UserControl_DblClick() {
    if (look_.HandPointer) showHand();
    if (state_.lastButton != core::mouse::Left) return;
    state_.pressed = state_.mouseHeld = true;
    Redraw(ktState::Down, false);
    state_.lastButton = DoubleClickButton;
    hover::capture(hWnd());
    if (!state_.popupMode)
        RaiseEvent(DblClick);
    else if (state_.menuClosedOver)
        state_.menuClosedOver = false;
    else
        ShowPopupMenu();
}

// --- Keys

void ktButton::UserControl_KeyDown(int& KeyCode, int Shift) {
    auto code = static_cast<std::int16_t>(KeyCode);
    auto shift = static_cast<std::int16_t>(Shift);
    if (KeyCode == SpaceKey) {
        if (Shift != core::shift::Alt) {
            state_.pressed = state_.spaceHeld = true;
            hover::capture(hWnd());
            if (!state_.mouseHeld) Redraw(ktState::Down, false);
        }
        RaiseEvent(KeyDown, code, shift);
        return;
    }
    if (KeyCode >= VK_LEFT && KeyCode <= VK_DOWN) {
        auto watch = this->watch();
        if (Shift == 0) {
            const bool back = KeyCode == VK_LEFT || KeyCode == VK_UP;
            core::bestEffort(L"ktButton focus keys", [&] { forms::SendKeys(back ? L"+{TAB}" : L"{TAB}"); });
        }
        if (!state_.spaceHeld) return;
        hover::releaseCapture(hWnd());
        // The focus change clears the pressed flag through LostFocus.
        forms::DoEvents();
        if (!watch.alive() || !loaded()) return;
        state_.lastButton = core::mouse::Left;
        handleClick();
        return;
    }
    if (state_.spaceHeld) {
        state_.spaceHeld = state_.pressed = false;
        hover::releaseCapture(hWnd());
        Redraw(state_.hot ? ktState::Hot : ktState::Normal, false);
    }
    RaiseEvent(KeyDown, code, shift);
}

void ktButton::UserControl_KeyPress(int& KeyAscii) {
    auto ascii = static_cast<std::int16_t>(KeyAscii);
    RaiseEvent(KeyPress, ascii);
}

void ktButton::UserControl_KeyUp(int& KeyCode, int Shift) {
    auto code = static_cast<std::int16_t>(KeyCode);
    auto shift = static_cast<std::int16_t>(Shift);
    if (KeyCode != SpaceKey) {
        RaiseEvent(KeyUp, code, shift);
        return;
    }
    auto watch = this->watch();
    state_.pressed = state_.mouseHeld;
    if (state_.spaceHeld) {
        state_.spaceHeld = false;
        if (!state_.popupMode) {
            state_.lastButton = core::mouse::Left;
            handleClick();
        } else if (!state_.menuClosedOver) {
            ShowPopupMenu();
            state_.menuShowing = false;
        }
        if (!watch.alive() || !loaded()) return;
    }
    if (state_.pressed)
        hover::capture(hWnd());
    else
        hover::releaseCapture(hWnd());
    if (state_.popupMode) return;
    RaiseEvent(KeyUp, code, shift);
}

void ktButton::UserControl_AccessKeyPress(int KeyAscii) {
    if (!look_.Enabled) return;
    if (state_.spaceHeld) hover::releaseCapture(hWnd());
    if (look_.CheckBoxMode && (KeyAscii == EnterKey || KeyAscii == EscapeKey)) return;
    state_.pressed = false;
    state_.lastButton = core::mouse::Left;
    if (!state_.popupMode) {
        handleClick();
    } else if (KeyAscii != EscapeKey && !state_.menuClosedOver) {
        ShowPopupMenu();
        if (!loaded()) return;
        state_.pressed = state_.mouseHeld = state_.menuShowing = state_.spaceHeld = false;
    }
}

// --- Focus and ambient

void ktButton::UserControl_GotFocus() {
    state_.focus = true;
    if (!state_.pressed) Redraw(ktState::Normal, false);
}

void ktButton::UserControl_LostFocus() {
    state_.focus = state_.pressed = state_.mouseHeld = state_.spaceHeld = false;
    if (look_.Enabled && state_.parentActive) Redraw(ktState::Normal, true);
}

void ktButton::UserControl_AmbientChanged(const std::wstring& PropertyName) {
    state_.defaultButton = Ambient().DisplayAsDefault;
    if (PropertyName != L"DisplayAsDefault") return;
    state_.pressed = state_.mouseHeld = state_.spaceHeld = false;
    if (look_.Enabled && !state_.hot && !state_.focus) Redraw(ktState::Current, true);
}

// --- Popup mode

void ktButton::ShowPopupMenu() {
    state_.menuShowing = true;
    const int W = pixelWidth(), H = pixelHeight();
    int x = 0, y = 0;
    long added = 0;
    switch (state_.popupAlign) {
    case 0:
        y = H;
        break;
    case 1:
        added = AlignRight;
        break;
    case 2:
        y = H;
        added = AlignRight;
        break;
    case 3:
        x = W;
        break;
    case 4:
        x = W;
        y = H;
        break;
    case 5:
        added = AlignBottom;
        break;
    case 6:
        added = AlignRight + AlignBottom;
        break;
    case 7:
        x = W;
        added = AlignBottom;
        break;
    default:
        state_.menuShowing = false;
        return;
    }
    Redraw(ktState::Down, false);
    forms::Form* form = Parent();
    auto watch = this->watch();
    if (form && state_.popupMenu)
        form->PopupMenu(state_.popupMenu, static_cast<UINT>(state_.popupFlags + added), *this, x, y,
                        state_.popupDefault);
    if (!watch.alive() || !loaded()) return;
    if (forms::windowAtPoint(forms::cursorPosition()) == hWnd()) {
        // The press or leave that closed the menu over the button must not open it again.
        state_.menuClosedOver = true;
        return;
    }
    state_.pressed = state_.mouseHeld = state_.hot = state_.spaceHeld = false;
    Redraw(ktState::Normal, false);
    state_.menuShowing = state_.menuClosedOver = false;
}

// --- Messages

void ktButton::zSubclass_Proc(bool bBefore, bool& bHandled, long& lReturn, HWND lng_hWnd, UINT uMsg,
                              WPARAM wParam, LPARAM lParam, long&) {
    hook::deliverHookMessage(*this, bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
}

void ktButton::hookMessage(core::MessageFrame& m, bool) {
    auto keep = weak_from_this().lock();
    dispatch(m, true);
}

void ktButton::windowMessage(core::MessageFrame& m) {
    dispatch(m, false);
}

// The leave and the form's activation are learnt after the windows' own procedures: only the hook's
// frames.
void ktButton::dispatch(core::MessageFrame& m, bool hooked) {
    switch (m.msg) {
    case WM_SETCURSOR:
        if (!hooked && onSetCursor(m.lParam)) m.answer(TRUE);
        break;
    case WM_MOUSELEAVE:
        if (hooked && m.hwnd == hWnd()) onMouseLeave();
        break;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        if (hooked && m.hwnd == hostForm_) onFormActivation(m.wParam);
        break;
    default:
        break;
    }
}

bool ktButton::onSetCursor(LPARAM lParam) {
    if (!look_.HandPointer || !state_.handCursor || LOWORD(lParam) != HTCLIENT) return false;
    showHand();
    return true;
}

void ktButton::onMouseLeave() {
    state_.hot = state_.tracking = false;
    if (state_.popupMode) {
        if (state_.menuShowing) {
            state_.menuShowing = false;
            state_.menuClosedOver = true;
            return;
        }
        state_.menuClosedOver = false;
    }
    if (state_.spaceHeld) return;
    if (look_.Enabled) Redraw(ktState::Normal, state_.lastButton == core::mouse::Left);
    if (!loaded()) return;
    RaiseEvent(MouseLeave);
}

void ktButton::onFormActivation(WPARAM wParam) {
    state_.parentActive = wParam != 0;
    if (wParam != 0) {
        if (look_.Enabled && (state_.focus || state_.defaultButton)) Redraw(ktState::Normal, true);
        return;
    }
    // An inactive form shows its buttons without focus and default cues; the control still knows
    // it has the focus.
    const bool focus = state_.focus;
    const bool cue = state_.focus || state_.hot || state_.defaultButton;
    state_.focus = state_.pressed = state_.mouseHeld = state_.hot = state_.spaceHeld = false;
    state_.defaultButton = false;
    if (look_.Enabled) Redraw(ktState::Normal, cue);
    if (!loaded()) return;
    state_.defaultButton = Ambient().DisplayAsDefault;
    state_.focus = focus;
}

} // namespace widgets
