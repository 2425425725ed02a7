// The list box's mouse, wheel, scroll-bar and key input.
#include "widgets/list_box/mc_list_box.h"

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/forms/app.h"
#include "platform/forms/surface.h"
#include "platform/forms/functions.h"

#include <algorithm>

namespace widgets {

void McListBox::zSubclass_Proc(bool bBefore, long& bHandled, long& lReturn, long& lng_hWnd, long& uMsg,
                               long& wParam, long& lParam) {
    hook::deliverHookMessage(*this, bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
}

void McListBox::hookMessage(core::MessageFrame& m, bool before) {
    if (!before) dispatch(m);
}

// The hook hands the list box its messages after the run time has raised its own events for them (a
// pointer move's MouseMove comes before MouseEnter). Only where the hook could not be put on the
// window at run time does the window procedure hand them over. The paint is the run time's own;
// before it the list box draws what the handlers since the last paint changed.
void McListBox::windowMessage(core::MessageFrame& m) {
    if (m.msg == WM_PAINT) onPaint();
    if (hooks_.TrackAvailable && !hooks_.isHooked(m.hwnd)) dispatch(m);
}

// The one dispatch from message to handler, for both roads. The list box only watches its messages:
// it never answers one.
void McListBox::dispatch(core::MessageFrame& m) {
    auto keep = weak_from_this().lock();
    switch (m.msg) {
    case WM_VSCROLL:
        onVScroll(hook::LoWord(static_cast<long>(m.wParam)));
        break;
    case WM_HSCROLL:
        onHScroll(hook::LoWord(static_cast<long>(m.wParam)));
        break;
    case WM_MOUSEWHEEL:
        onMouseWheel(GET_KEYSTATE_WPARAM(m.wParam), GET_WHEEL_DELTA_WPARAM(m.wParam));
        break;
    case WM_MOUSEMOVE:
        onMouseMove(m.hwnd);
        break;
    case WM_MOUSELEAVE:
        onMouseLeave();
        break;
    default:
        break;
    }
}

void McListBox::onVScroll(long code) {
    scrollBy(SB_VERT, code);
}

void McListBox::onHScroll(long code) {
    scrollBy(SB_HORZ, code);
}

// One notch moves one line whatever its delta; with Ctrl held it moves the horizontal bar.
void McListBox::onMouseWheel(long keys, long delta) {
    scrollBy((keys & MK_CONTROL) ? SB_HORZ : SB_VERT, delta < 0 ? SB_LINEDOWN : SB_LINEUP);
    hideCompletePopup();
}

void McListBox::onMouseMove(HWND window) {
    if (state_.hoverTracking) return;
    state_.hoverTracking = true;
    hooks_.TrackMouseLeave(window);
    RaiseEvent(MouseEnter);
}

void McListBox::onMouseLeave() {
    state_.hoverTracking = false;
    hideCompletePopup();
    RaiseEvent(MouseLeave);
}

// Moves a bar by a scroll request; the rows are repainted when the vertical position changed.
void McListBox::scrollBy(long bar, long code) {
    const long start = bars_.SB_Value(SB_VERT);
    const long step = bars_.SB_SmallChange(bar);
    switch (code) {
    case SB_LINEUP:
        if (bars_.SB_Visible(bar))
            bars_.SB_Value(bar, std::max(bars_.SB_Min(bar), bars_.SB_Value(bar) - step));
        break;
    case SB_LINEDOWN:
        if (bars_.SB_Visible(bar))
            bars_.SB_Value(bar, std::min(bars_.SB_Max(bar), bars_.SB_Value(bar) + step));
        break;
    case SB_PAGEUP:
        bars_.SB_Value(bar, bars_.SB_Value(bar) - bars_.SB_LargeChange(bar));
        break;
    case SB_PAGEDOWN:
        bars_.SB_Value(bar, bars_.SB_Value(bar) + bars_.SB_LargeChange(bar));
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        bars_.SB_GetInfo(bar, info, SIF_TRACKPOS);
        bars_.SB_Value(bar, info.nTrackPos);
        break;
    }
    case SB_TOP:
        bars_.SB_Value(bar, bars_.SB_Min(bar));
        break;
    case SB_BOTTOM:
        bars_.SB_Value(bar, bars_.SB_Max(bar));
        break;
    default:
        break;
    }
    if (bars_.SB_Value(SB_VERT) != start) redraw();
}

void McListBox::UserControl_Click() {
    RaiseEvent(MouseClick);
}

void McListBox::UserControl_DblClick() {
    RaiseEvent(DbClick);
}

void McListBox::UserControl_GotFocus() {
    state_.hasFocus = true;
}

void McListBox::UserControl_LostFocus() {
    state_.hasFocus = false;
    redraw();
}

void McListBox::UserControl_KeyDown(int& keyCode, int /*shift*/) {
    keyboardMove(keyCode);
}

void McListBox::UserControl_MouseDown(int button, int shift, float x, float y) {
    pointerDown(static_cast<int16_t>(button), static_cast<int16_t>(shift), x, y);
}

void McListBox::UserControl_MouseMove(int button, int shift, float x, float y) {
    pointerMove(static_cast<int16_t>(button), static_cast<int16_t>(shift), x, y);
}

void McListBox::UserControl_MouseUp(int button, int shift, float x, float y) {
    if (!items_.has(state_.currentIndex)) return;
    if (look_.MultiSelect && !RaiseEvent(SelChange)) return;
    int16_t pressed = static_cast<int16_t>(button), keys = static_cast<int16_t>(shift);
    RaiseEvent(MouseUp, pressed, keys, x, y);
}

void McListBox::keyboardMove(int keyCode) {
    long n;
    switch (keyCode) {
    case VK_UP:
        n = state_.currentIndex - 1;
        break;
    case VK_DOWN:
        n = state_.currentIndex + 1;
        break;
    case VK_END:
        n = ListCount() - 1;
        break;
    case VK_HOME:
        n = 0;
        break;
    case VK_NEXT:
        n = state_.currentIndex + cache_.visibleRows;
        break;
    case VK_PRIOR:
        n = state_.currentIndex - cache_.visibleRows;
        break;
    default:
        return;
    }
    if (n > ListCount() - 1) n = ListCount() - 1;
    if (n < 0) n = 0;
    if (n == state_.currentIndex) return;
    if (bars_.SB_Visible(SB_VERT)) scrollIntoView(n);
    pointerDown(core::mouse::PseudoButton, 0, static_cast<float>(n), 0);
}

void McListBox::selectRange(bool nonNegativeOnly) {
    long from = std::min(state_.anchorIndex, state_.currentIndex);
    const long to = std::max(state_.anchorIndex, state_.currentIndex);
    if (nonNegativeOnly) from = std::max(from, 0L);
    state_.selection.clear();
    for (long i = from; i <= to; ++i) state_.selection.push_back(i);
}

void McListBox::pointerDown(int16_t button, int16_t shift, float x, float y) {
    auto keep = weak_from_this().lock();
    if (!items_.has(state_.currentIndex)) return;
    long n;
    if (button == core::mouse::PseudoButton) {
        n = forms::roundToLong(x);
    } else {
        // A control lower than one row has no rows to press.
        if (cache_.visibleRows <= 0) return;
        const double rows = y / rowPitch();
        // Below the last item of a short list, the pixel line at its bottom edge included.
        if (rows >= ListCount()) return;
        n = static_cast<long>(forms::Int(rows)) + bars_.SB_Value(SB_VERT);
        if (n > ListCount() - 1) return;
    }
    state_.currentIndex = n;

    if (keyDown(VK_CONTROL) && button == core::mouse::Left && look_.MultiSelect) {
        auto at = std::find(state_.selection.begin(), state_.selection.end(), state_.currentIndex);
        if (at != state_.selection.end())
            state_.selection.erase(at);
        else
            state_.selection.insert(
                std::upper_bound(state_.selection.begin(), state_.selection.end(), state_.currentIndex),
                state_.currentIndex);
        state_.anchorIndex = state_.currentIndex;
    } else if (keyDown(VK_SHIFT) && look_.MultiSelect) {
        selectRange(false);
    } else {
        state_.anchorIndex = state_.currentIndex;
        state_.selection.assign(1, state_.currentIndex);
    }

    if (!pumpEvents()) return;
    redraw();
    if (!RaiseEvent(SelChange)) return;
    RaiseEvent(MouseDown, button, shift, x, y);
}

bool McListBox::setListIndexClamped(long value) {
    if (value > ListCount() - 1) {
        state_.currentIndex = ListCount() - 1;
        return false;
    }
    if (value >= 0) {
        state_.currentIndex = value;
        return true;
    }
    state_.currentIndex = 0;
    return false;
}

void McListBox::pointerMove(int16_t button, int16_t shift, float x, float y) {
    auto keep = weak_from_this().lock();
    forms::Surface& s = surface();
    state_.inside = !(y < 0 || y > s.ScaleHeight());
    // A control lower than one row has no rows to move over.
    if (cache_.visibleRows <= 0) return;
    const long row = static_cast<long>(forms::Int(y / rowPitch()));
    showCompletePopup(row + 1);

    if (keyDown(VK_LBUTTON) && look_.MultiSelect && !keyDown(VK_CONTROL) && !keyDown(VK_SHIFT)) {
        const long n = bars_.SB_Value(SB_VERT) + row;
        if (!setListIndexClamped(n)) {
            // Past the first or last item: the range reaches the clamped item, so the current row is
            // always one of the selected ones.
            if (items_.has(state_.currentIndex) && state_.currentIndex != state_.lastDragIndex) {
                state_.lastDragIndex = state_.currentIndex;
                if (bars_.SB_Visible(SB_VERT)) scrollIntoView(state_.currentIndex);
                selectRange(true);
                redraw();
            }
            return;
        }
        if (n == state_.lastDragIndex) return;
        if (bars_.SB_Visible(SB_VERT)) {
            const long top = bars_.SB_Value(SB_VERT);
            if (state_.currentIndex < top) bars_.SB_Value(SB_VERT, top == 0 ? 0 : top - 1);
            if (forms::Int(s.ScaleHeight() / static_cast<double>(look_.RowHeight)) + top <=
                state_.currentIndex) {
                const long max = bars_.SB_Max(SB_VERT);
                bars_.SB_Value(SB_VERT, top == max ? max : top + 1);
            }
        }
        selectRange(true);
        redraw();
    }

    while (keyDown(VK_LBUTTON) && !look_.MultiSelect) {
        const long wanted = forms::roundToLong(forms::Int(y / rowPitch()) + bars_.SB_Value(SB_VERT));
        if (!setListIndexClamped(wanted)) {
            // Past the first or last item: the clamped item becomes the selected one, so the
            // highlight and the current index never name different rows.
            if (items_.has(state_.currentIndex) && state_.currentIndex != state_.lastDragIndex) {
                state_.lastDragIndex = state_.currentIndex;
                state_.selection.assign(1, state_.currentIndex);
                if (bars_.SB_Visible(SB_VERT)) scrollIntoView(state_.currentIndex);
                redraw();
                RaiseEvent(SelChange);
            }
            return;
        }
        if (!items_.has(state_.currentIndex)) break;
        if (state_.currentIndex != state_.lastDragIndex) {
            state_.lastDragIndex = state_.currentIndex;
            state_.selection.assign(1, state_.currentIndex);
            if (bars_.SB_Visible(SB_VERT)) scrollIntoView(state_.currentIndex);
            redraw();
            if (!RaiseEvent(SelChange)) return;
        }
        if (!pumpEvents()) return;
        if (state_.inside) break;
    }

    look_.MousePointer = forms::Int(y / static_cast<double>(look_.RowHeight)) > ListCount() - 1
                             ? core::pointer::Arrow
                             : core::pointer::Custom;
    state_.lastDragIndex = state_.currentIndex;
    RaiseEvent(MouseMove, button, shift, x, y);
}

} // namespace widgets
