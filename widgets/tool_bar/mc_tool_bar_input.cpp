// The tool bar's pointer: hover tracking through the window hook, the surfaces' presses and clicks,
// the drop-down and the tooltips.
#include "widgets/tool_bar/mc_tool_bar.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/forms/controls/common_controls.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/functions.h"
#include "platform/forms/std_picture.h"
#include "widgets/tool_bar/mc_tool_bar_layout.h"
#include "widgets/tool_bar/mc_tool_bar_raster.h"

#include <commctrl.h>

#include <cmath>
#include <optional>

namespace widgets {

namespace {

// A tip opens after this many ticks of the hover timer at rest.
constexpr UINT HoverInterval = 1;
constexpr long TicksToTip = 5;

} // namespace

void McToolBar::zSubclass_Proc(bool bBefore, long& bHandled, long& lReturn, long& lng_hWnd, long& uMsg,
                               long& wParam, long& lParam) {
    hook::deliverHookMessage(*this, bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
}

void McToolBar::hookMessage(core::MessageFrame& m, bool before) {
    if (!before) dispatch(m);
}

// The hook hands the tool bar its messages; only where it could not be put on the control's own
// window at run time does the window procedure hand over the timer.
void McToolBar::windowMessage(core::MessageFrame& m) {
    if (m.msg == WM_TIMER && hooks_.TrackAvailable && !hooks_.isHooked(m.hwnd)) dispatch(m);
}

// The one dispatch from message to handler. The tool bar only watches its messages.
void McToolBar::dispatch(core::MessageFrame& m) {
    auto keep = weak_from_this().lock();
    switch (m.msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_KILLFOCUS:
        onHostMovedOrFocusLost();
        break;
    case WM_ACTIVATE:
        if (LOWORD(m.wParam) == WA_INACTIVE) onHostMovedOrFocusLost();
        break;
    case WM_TIMER:
        if (m.wParam == HoverTimer) onTimer();
        break;
    case WM_MOUSEMOVE:
        onMouseMove(m.hwnd, hook::LoWord(static_cast<long>(m.lParam)),
                    hook::HiWord(static_cast<long>(m.lParam)));
        break;
    case WM_MOUSELEAVE:
        onMouseLeave();
        break;
    default:
        break;
    }
}

// The drop-down closes, and the bar shows again what changed while it was open.
void McToolBar::onHostMovedOrFocusLost() {
    if (!picChevron_) return;
    const bool open = picChevron_->Visible();
    hideChevron();
    if (!open && !state_.drawOnChevron) return;
    state_.drawOnChevron = false;
    if (look_.Button_Index == ChevronButton) state_.IsMouseDown = false;
    DrawToolBar();
}

void McToolBar::hideChevron() {
    watchPressesElsewhere(false);
    if (picChevron_ && picChevron_->Visible()) picChevron_->setVisible(false);
}

void McToolBar::onTimer() {
    if (++state_.HoverTicks != TicksToTip) return;
    KillTimer(hWnd(), HoverTimer);
    if (state_.IsHovering) ShowToolTip();
}

// A move to a new position restarts the rest count and hides the tip. Any move, even to where the
// last one was (a pen or a touch screen taps the same point again), begins the hover when none is on.
void McToolBar::onMouseMove(HWND window, long x, long y) {
    if (!beginHover(window)) return;
    if (x == state_.LastMouseX && y == state_.LastMouseY) return;
    state_.LastMouseX = x;
    state_.LastMouseY = y;
    SetTimer(hWnd(), HoverTimer, HoverInterval, nullptr);
    state_.HoverTicks = 0;
    HideToolTip();
}

// The hover ends with the leave notice of the window under the pointer, asked for here, however the
// pointer came: a jump away from a hot button gives no move over the bar that could end it. When the
// pointer has left already (a tap on a button and a jump away, handled after both), Wine never sends
// the notice it is asked for: the bar posts it, as Windows does. False when a handler unloaded the
// bar.
bool McToolBar::beginHover(HWND window) {
    if (state_.IsHovering) return true;
    state_.IsHovering = true;
    if (forms::windowAtPoint(forms::cursorPosition()) == window)
        hooks_.TrackMouseLeave(window);
    else if (hooks_.TrackAvailable)
        PostMessageW(window, WM_MOUSELEAVE, 0, 0);
    return RaiseEvent(MouseEnter);
}

void McToolBar::onMouseLeave() {
    clearHover();
    RaiseEvent(MouseLeave);
}

// A window hidden under the pointer gets no leave notice, and the pointer is elsewhere when it shows
// again (the bar sends its own window to the notification area): at run time the hover ends with the
// hiding and the showing. The leave notice still due, if any, raises MouseLeave. At design time
// nothing is hovered, and Button_Index addresses the button the per-button properties show.
void McToolBar::UserControl_Show() {
    if (userMode()) endHover();
}

void McToolBar::UserControl_Hide() {
    if (userMode()) endHover();
}

void McToolBar::endHover() {
    if (state_.IsHovering || look_.Button_Index != NoButton) clearHover();
}

void McToolBar::clearHover() {
    state_.IsHovering = false;
    state_.IsMouseDown = false;
    look_.Button_Index = NoButton;
    HideToolTip();
    DrawToolBar();
}

// --- The surfaces

void McToolBar::watchSurface(forms::PictureBox& box, bool onBar) {
    box.Click.handle([this] { surfaceClick(); });
    box.DblClick.handle([this] { surfaceDblClick(); });
    box.MouseDown.handle(
        [this, onBar](int b, int s, float x, float y) { surfaceMouseDown(onBar, b, s, x, y); });
    box.MouseUp.handle([this, onBar](int b, int s, float x, float y) { surfaceMouseUp(onBar, b, s, x, y); });
}

void McToolBar::picChevron_MouseMove(int, int shift, float x, float y) {
    // The pseudo button marks a move over the drop-down for the bar's handler.
    picMain_MouseMove(core::mouse::PseudoButton, shift, x, y);
}

// Which button the pointer is over and whether it can be used: the hover, the pointer's shape and
// the move event follow from it. A place of the drop-down without a cell changes nothing.
void McToolBar::picMain_MouseMove(int button, int shift, float x, float y) {
    auto keep = weak_from_this().lock();
    const bool onBar = button != core::mouse::PseudoButton;
    state_.drawOnChevron = !onBar && picChevron_;
    const std::optional<long> index = buttonAt(onBar, x, y);
    if (!index || !hover(onBar, *index)) return;
    if (look_.Button_Index > 0) {
        int16_t b = static_cast<int16_t>(button), s = static_cast<int16_t>(shift);
        RaiseEvent(MouseMove, look_.Button_Index, b, s, x, y);
    }
}

// The button at a place of the bar or the drop-down: ChevronButton in the chevron hot area, NoButton
// where none can be used, nothing where the drop-down has no cell.
std::optional<long> McToolBar::buttonAt(bool onBar, float x, float y) const {
    if (onBar && x > pixelWidth() - ChevronArea && y > pixelHeight() - look_.ButtonsHeight &&
        !state_.ChevronButtons.empty())
        return ChevronButton;
    const long px = forms::roundToLong(x), py = forms::roundToLong(y);
    long index;
    if (onBar) {
        index = HitTest(px, py, false);
    } else {
        const long cell = HitTest(px, py, true);
        if (cell < 1 || cell > static_cast<long>(state_.ChevronButtons.size())) return std::nullopt;
        index = state_.ChevronButtons[static_cast<std::size_t>(cell - 1)];
    }
    const long perRow = onBar ? look_.ButtonsPerRow : look_.ButtonsPerRow_Chev;
    const bool usable = look_.ButtonsWidth != 0 && std::floor(x / look_.ButtonsWidth) < perRow &&
                        buttons_.has(index) && buttons_.at(index).Enabled &&
                        buttons_.at(index).Type != ButtonTypeSeparator &&
                        !(onBar && buttons_.at(index).InChevron);
    return usable ? index : NoButton;
}

// The pointer is over index on the surface picDraw names: its shape, and on a change the repaint and
// Hover. False when a handler unloaded the bar.
bool McToolBar::hover(bool onBar, long index) {
    forms::PictureBox* surface = picDraw();
    if (!surface) return false;
    if (index != ChevronButton) {
        const bool hand = index != NoButton;
        // The hand is loaded when first shown: under Wine the first load of a cursor reads the
        // cursor theme, which the bar's start does not need.
        if (hand && !surface->MouseIcon())
            surface->setMouseIcon(
                forms::StdPicture::copyOfIcon(reinterpret_cast<HICON>(LoadCursorW(nullptr, IDC_HAND))));
        surface->setMousePointer(hand ? core::pointer::Custom : core::pointer::Default);
    }
    if (index == look_.Button_Index) return true;
    look_.Button_Index = index;
    DrawToolBar();
    if (index <= 0) return true;
    if (!buttons_.at(index).InChevron && onBar) hideChevron();
    return RaiseEvent(Hover, index);
}

// A press or a release acts on the button under the pointer then, whatever the moves before told:
// the one move of a quick jump may come after the press, or go to a window that held the capture.
// It begins the hover too, which no move may have begun.
bool McToolBar::pointerAt(bool onBar, float x, float y) {
    const long index = buttonAt(onBar, x, y).value_or(NoButton);
    if (index != look_.Button_Index) {
        state_.drawOnChevron = !onBar && picChevron_;
        if (!hover(onBar, index)) return false;
    }
    forms::PictureBox* surface = picDraw();
    return surface && beginHover(surface->hWnd());
}

void McToolBar::surfaceClick() {
    if (look_.Button_Index > 0) RaiseEvent(Click, look_.Button_Index);
}

void McToolBar::surfaceDblClick() {
    auto keep = weak_from_this().lock();
    state_.IsMouseDown = true;
    DrawToolBar();
    if (look_.Button_Index > 0) RaiseEvent(DblClick, look_.Button_Index);
}

// Pressing the chevron button draws it down, which opens the drop-down.
void McToolBar::surfaceMouseDown(bool onBar, int button, int shift, float x, float y) {
    auto keep = weak_from_this().lock();
    if (!pointerAt(onBar, x, y) || look_.Button_Index == NoButton) return;
    state_.IsMouseDown = true;
    DrawToolBar();
    if (look_.Button_Index > 0) {
        int16_t b = static_cast<int16_t>(button), s = static_cast<int16_t>(shift);
        RaiseEvent(MouseDown, look_.Button_Index, b, s, x, y);
    }
}

void McToolBar::surfaceMouseUp(bool onBar, int button, int shift, float x, float y) {
    auto keep = weak_from_this().lock();
    state_.IsMouseDown = false;
    if (!pointerAt(onBar, x, y) || look_.Button_Index == NoButton) return;
    DrawToolBar();
    if (look_.Button_Index > 0) {
        int16_t b = static_cast<int16_t>(button), s = static_cast<int16_t>(shift);
        RaiseEvent(MouseUp, look_.Button_Index, b, s, x, y);
    }
}

// --- The drop-down

// Right-aligned one pixel below the bar; moved just enough to stay inside the work area of the bar's
// monitor.
void McToolBar::ShowChevronPopup() {
    if (userMode()) CreateChevronPopup();
    if (!picChevron_ || !picChevron_->hWnd()) return;
    RECT bar{};
    GetWindowRect(hWnd(), &bar);
    const long w = state_.chevronWidth, h = state_.chevronHeight;
    long left = bar.right - w, top = bar.bottom + 1;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(hWnd(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (left + w > work.right) left = work.right - w;
        if (left < work.left) left = work.left;
        if (top + h > work.bottom) top = work.bottom - h;
        if (top < work.top) top = work.top;
    }
    SetWindowPos(picChevron_->hWnd(), HWND_TOP, left, top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    watchPressesElsewhere(true);
    state_.drawOnChevron = true;
    DrawToolBar();
    picChevron_->setVisible(true);
}

// --- Tooltips

void McToolBar::ShowToolTip() {
    HideToolTip();
    if (look_.Button_Index < 1 || !buttons_.has(look_.Button_Index)) return;
    const ToolBarButton& record = buttons_.at(look_.Button_Index);
    forms::PictureBox* surface = picDraw();
    if (record.ToolTip.empty() || !surface || !surface->hWnd()) return;
    forms::initCommonControls();
    const DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX | (look_.TooTipStyle == RectangleTip ? 0 : TTS_BALLOON);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, surface->hWnd(), nullptr, instance, nullptr);
    if (!tip) return;
    state_.ToolTipWindow = tip;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    state_.toolTipText = record.ToolTip;
    state_.toolTipTitle = record.Caption;
    TTTOOLINFOW& info = state_.ToolTipInfo;
    info = TTTOOLINFOW{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = surface->hWnd();
    info.uId = 0;
    GetClientRect(surface->hWnd(), &info.rect);
    info.hinst = instance;
    info.lpszText = state_.toolTipText.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(TranslateColor(look_.ToolTipForeCol)), 0);
    SendMessageW(tip, TTM_SETTIPBKCOLOR, static_cast<WPARAM>(TranslateColor(look_.ToolTipBackCol)), 0);
    SendMessageW(tip, TTM_SETTITLEW, static_cast<WPARAM>(record.ToolTipIcon),
                 reinterpret_cast<LPARAM>(state_.toolTipTitle.c_str()));
    // The tip starts its delay at a move it sees; the pointer rests, so it is shown the one it rested at.
    MSG rest{};
    rest.hwnd = surface->hWnd();
    rest.message = WM_MOUSEMOVE;
    rest.lParam = MAKELPARAM(state_.LastMouseX, state_.LastMouseY);
    rest.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&rest.pt);
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&rest));
}

void McToolBar::HideToolTip() {
    HWND tip = state_.ToolTipWindow;
    if (!tip) return;
    state_.ToolTipWindow = nullptr;
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&state_.ToolTipInfo));
    DestroyWindow(tip);
}

} // namespace widgets
