// The list box's mouse, wheel, scroll-bar and key input.
#include "widgets/list/mc_list_box.h"

#include "platform/forms/app.h"
#include "platform/forms/surface.h"
#include "platform/forms/functions.h"

#include <algorithm>

namespace widgets {

void McListBox::zSubclass_Proc(bool /*bBefore*/, long& /*bHandled*/, long& /*lReturn*/, long& lng_hWnd,
                               long& uMsg, long& wParam, long& /*lParam*/) {
    auto keep = weak_from_this().lock();
    try {
        const long start = bars_.SB_Value(SB_VERT);
        if (uMsg == WM_HSCROLL || uMsg == WM_VSCROLL || uMsg == WM_MOUSEWHEEL) {
            long bar = uMsg == WM_HSCROLL ? SB_HORZ : SB_VERT;
            long code = LoWord(wParam);
            if (uMsg == WM_MOUSEWHEEL) {
                bar = (LoWord(wParam) & MK_CONTROL) ? SB_HORZ : SB_VERT;
                // One notch moves one line whatever its delta.
                code = static_cast<int16_t>(HiWord(wParam)) < 0 ? SB_LINEDOWN : SB_LINEUP;
            }
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
            if (bars_.SB_Value(SB_VERT) != start) Redraw();
        }
        switch (uMsg) {
        case WM_MOUSEMOVE:
            if (!hoverTracking_) {
                hoverTracking_ = true;
                hooks_.TrackMouseLeave(reinterpret_cast<HWND>(lng_hWnd));
                RaiseEvent(MouseEnter);
            }
            break;
        case WM_MOUSEWHEEL:
            hideCompletePopup();
            break;
        case WM_MOUSELEAVE:
            hoverTracking_ = false;
            hideCompletePopup();
            RaiseEvent(MouseLeave);
            break;
        default:
            break;
        }
    } catch (...) {
        forms::reportUnexpectedError(L"McListBox message callback");
    }
}

void McListBox::UserControl_Click() {
    RaiseEvent(MouseClick);
}

void McListBox::UserControl_DblClick() {
    RaiseEvent(DbClick);
}

void McListBox::UserControl_GotFocus() {
    hasFocus_ = true;
}

void McListBox::UserControl_LostFocus() {
    hasFocus_ = false;
    Redraw();
}

void McListBox::UserControl_KeyDown(int& KeyCode, int /*Shift*/) {
    keyboardMove(KeyCode);
}

void McListBox::UserControl_MouseDown(int Button, int Shift, float X, float Y) {
    pointerDown(static_cast<int16_t>(Button), static_cast<int16_t>(Shift), X, Y);
}

void McListBox::UserControl_MouseMove(int Button, int Shift, float X, float Y) {
    pointerMove(static_cast<int16_t>(Button), static_cast<int16_t>(Shift), X, Y);
}

void McListBox::UserControl_MouseUp(int Button, int Shift, float X, float Y) {
    if (!items_.has(currentIndex_)) return;
    if (multiSelect_ && !RaiseEvent(SelChange)) return;
    int16_t button = static_cast<int16_t>(Button), shift = static_cast<int16_t>(Shift);
    RaiseEvent(MouseUp, button, shift, X, Y);
}

void McListBox::keyboardMove(int keyCode) {
    long n;
    switch (keyCode) {
    case VK_UP:
        n = currentIndex_ - 1;
        break;
    case VK_DOWN:
        n = currentIndex_ + 1;
        break;
    case VK_END:
        n = ListCount() - 1;
        break;
    case VK_HOME:
        n = 0;
        break;
    case VK_NEXT:
        n = currentIndex_ + visibleRows_;
        break;
    case VK_PRIOR:
        n = currentIndex_ - visibleRows_;
        break;
    default:
        return;
    }
    if (n > ListCount() - 1) n = ListCount() - 1;
    if (n < 0) n = 0;
    if (n == currentIndex_) return;
    if (bars_.SB_Visible(SB_VERT)) scrollIntoView(n);
    pointerDown(999, 0, static_cast<float>(n), 0);
}

void McListBox::selectRange(bool nonNegativeOnly) {
    long from = std::min(anchorIndex_, currentIndex_);
    const long to = std::max(anchorIndex_, currentIndex_);
    if (nonNegativeOnly) from = std::max(from, 0L);
    selection_.clear();
    for (long i = from; i <= to; ++i) selection_.push_back(i);
}

void McListBox::pointerDown(int16_t Button, int16_t Shift, float X, float Y) {
    auto keep = weak_from_this().lock();
    if (!items_.has(currentIndex_)) return;
    long n;
    if (Button == 999) {
        n = forms::roundToLong(X);
    } else {
        // A control lower than one row has no rows to press.
        if (visibleRows_ <= 0) return;
        const double rows = Y / rowPitch();
        // Below the last item of a short list, the pixel line at its bottom edge included.
        if (rows >= ListCount()) return;
        n = static_cast<long>(forms::Int(rows)) + bars_.SB_Value(SB_VERT);
        if (n > ListCount() - 1) return;
    }
    currentIndex_ = n;

    if (keyDown(VK_CONTROL) && Button == 1 && multiSelect_) {
        auto at = std::find(selection_.begin(), selection_.end(), currentIndex_);
        if (at != selection_.end())
            selection_.erase(at);
        else
            selection_.insert(std::upper_bound(selection_.begin(), selection_.end(), currentIndex_),
                              currentIndex_);
        anchorIndex_ = currentIndex_;
    } else if (keyDown(VK_SHIFT) && multiSelect_) {
        selectRange(false);
    } else {
        anchorIndex_ = currentIndex_;
        selection_.assign(1, currentIndex_);
    }

    if (!pumpEvents()) return;
    Redraw();
    if (!RaiseEvent(SelChange)) return;
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

bool McListBox::SetListIndexClamped(long value) {
    if (value > ListCount() - 1) {
        currentIndex_ = ListCount() - 1;
        return false;
    }
    if (value >= 0) {
        currentIndex_ = value;
        return true;
    }
    currentIndex_ = 0;
    return false;
}

void McListBox::pointerMove(int16_t Button, int16_t Shift, float X, float Y) {
    auto keep = weak_from_this().lock();
    forms::Surface& s = surface();
    inside_ = !(Y < 0 || Y > s.ScaleHeight());
    // A control lower than one row has no rows to move over.
    if (visibleRows_ <= 0) return;
    const long row = static_cast<long>(forms::Int(Y / rowPitch()));
    ShowCompletePopup(row + 1);

    if (keyDown(VK_LBUTTON) && multiSelect_ && !keyDown(VK_CONTROL) && !keyDown(VK_SHIFT)) {
        const long n = bars_.SB_Value(SB_VERT) + row;
        if (!SetListIndexClamped(n)) {
            // Past the first or last item: the range reaches the clamped item, so the current row is
            // always one of the selected ones.
            if (items_.has(currentIndex_) && currentIndex_ != lastDragIndex_) {
                lastDragIndex_ = currentIndex_;
                if (bars_.SB_Visible(SB_VERT)) scrollIntoView(currentIndex_);
                selectRange(true);
                Redraw();
            }
            return;
        }
        if (n == lastDragIndex_) return;
        if (bars_.SB_Visible(SB_VERT)) {
            const long top = bars_.SB_Value(SB_VERT);
            if (currentIndex_ < top) bars_.SB_Value(SB_VERT, top == 0 ? 0 : top - 1);
            if (forms::Int(s.ScaleHeight() / static_cast<double>(rowHeight_)) + top <= currentIndex_) {
                const long max = bars_.SB_Max(SB_VERT);
                bars_.SB_Value(SB_VERT, top == max ? max : top + 1);
            }
        }
        selectRange(true);
        Redraw();
    }

    while (keyDown(VK_LBUTTON) && !multiSelect_) {
        const long wanted = forms::roundToLong(forms::Int(Y / rowPitch()) + bars_.SB_Value(SB_VERT));
        if (!SetListIndexClamped(wanted)) {
            // Past the first or last item: the clamped item becomes the selected one, so the
            // highlight and the current index never name different rows.
            if (items_.has(currentIndex_) && currentIndex_ != lastDragIndex_) {
                lastDragIndex_ = currentIndex_;
                selection_.assign(1, currentIndex_);
                if (bars_.SB_Visible(SB_VERT)) scrollIntoView(currentIndex_);
                Redraw();
                RaiseEvent(SelChange);
            }
            return;
        }
        if (!items_.has(currentIndex_)) break;
        if (currentIndex_ != lastDragIndex_) {
            lastDragIndex_ = currentIndex_;
            selection_.assign(1, currentIndex_);
            if (bars_.SB_Visible(SB_VERT)) scrollIntoView(currentIndex_);
            Redraw();
            if (!RaiseEvent(SelChange)) return;
        }
        if (!pumpEvents()) return;
        if (inside_) break;
    }

    mousePointer_ = forms::Int(Y / static_cast<double>(rowHeight_)) > ListCount() - 1 ? 1 : 99;
    lastDragIndex_ = currentIndex_;
    RaiseEvent(MouseMove, Button, Shift, X, Y);
}

} // namespace widgets
