#include "platform/forms/controls/vscroll_bar.h"

#include "platform/core/message_frame.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"

#include <algorithm>

namespace forms {

namespace {
void check16(int v) {
    if (v < -32768 || v > 32767) throw core::RuntimeError(core::err::InvalidPropertyValue);
}
} // namespace

VScrollBar::VScrollBar() {
    setUsesSurface(false);
    setWantedKeys(DLGC_WANTARROWS);
}

// Min, Max and Value keep Value within the range and raise Change.
const PropertyTable<VScrollBar>& VScrollBar::properties() {
    using V = VScrollBar;
    static const PropertyTable<V> table{
        field<V>(
            L"Min", [](V & c) -> auto& { return c.min_; }, int16_t(0)),
        field<V>(
            L"Max", [](V & c) -> auto& { return c.max_; }, int16_t(32767)),
        field<V>(
            L"SmallChange", [](V & c) -> auto& { return c.smallChange_; }, int16_t(1), OnChange::None),
        field<V>(
            L"LargeChange", [](V & c) -> auto& { return c.largeChange_; }, int16_t(1), OnChange::None),
        field<V>(
            L"Value", [](V & c) -> auto& { return c.value_; }, int16_t(0)),
    };
    return table;
}

void VScrollBar::UserControl_Initialize() {
    RECT rc;
    GetClientRect(hWnd(), &rc);
    bar_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, rc.right, rc.bottom,
                           hWnd(), reinterpret_cast<HMENU>(1), GetModuleHandleW(nullptr), nullptr);
    applyRange();
}

int VScrollBar::clampValue(int v) const {
    return std::clamp<int>(v, std::min(min_, max_), std::max(min_, max_));
}

// The bar's own position runs from the lower to the higher bound; a reversed range is mirrored.
// Values the bar has already are not sent again, and the bar is drawn with its next paint, once
// however many changes a handler makes: each drawing of a scroll bar is slow under Wine.
void VScrollBar::applyRange() {
    if (!bar_) return;
    SCROLLINFO si{sizeof si};
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    si.nMin = std::min(min_, max_);
    si.nMax = std::max(min_, max_);
    si.nPage = 0;
    si.nPos = min_ <= max_ ? value_ : min_ + max_ - value_;
    SCROLLINFO now{sizeof now};
    now.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    if (GetScrollInfo(bar_, SB_CTL, &now) && now.nMin == si.nMin && now.nMax == si.nMax &&
        now.nPage == si.nPage && now.nPos == si.nPos)
        return;
    SetScrollInfo(bar_, SB_CTL, &si, FALSE);
    InvalidateRect(bar_, nullptr, FALSE);
}

void VScrollBar::setMin(int value) {
    check16(value);
    min_ = static_cast<int16_t>(value);
    const int v = clampValue(value_);
    const bool changed = v != value_;
    value_ = static_cast<int16_t>(v);
    applyRange();
    PropertyChanged(L"Min");
    if (changed) RaiseEvent(Change);
}

void VScrollBar::setMax(int value) {
    check16(value);
    max_ = static_cast<int16_t>(value);
    const int v = clampValue(value_);
    const bool changed = v != value_;
    value_ = static_cast<int16_t>(v);
    applyRange();
    PropertyChanged(L"Max");
    if (changed) RaiseEvent(Change);
}

void VScrollBar::setValue(int value) {
    check16(value);
    if (value != clampValue(value)) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (value == value_) return;
    value_ = static_cast<int16_t>(value);
    applyRange();
    PropertyChanged(L"Value");
    RaiseEvent(Change);
}

void VScrollBar::setSmallChange(int value) {
    if (value < 0 || value > 32767) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"SmallChange", static_cast<int16_t>(value));
}

void VScrollBar::setLargeChange(int value) {
    if (value < 0 || value > 32767) throw core::RuntimeError(core::err::InvalidPropertyValue);
    setProperty(properties(), L"LargeChange", static_cast<int16_t>(value));
}

void VScrollBar::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    if (bar_) EnableWindow(bar_, enabled);
}

void VScrollBar::UserControl_InitProperties() {
    properties().init(*this);
    applyRange();
}

void VScrollBar::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    value_ = static_cast<int16_t>(clampValue(value_));
    applyRange();
}

void VScrollBar::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

void VScrollBar::UserControl_Resize() {
    if (bar_) MoveWindow(bar_, 0, 0, pixelWidth(), pixelHeight(), TRUE);
}

void VScrollBar::moveTo(int v, bool scrolling) {
    v = clampValue(v);
    if (v == value_) {
        if (!scrolling) applyRange();
        return;
    }
    value_ = static_cast<int16_t>(v);
    applyRange();
    RaiseEvent(scrolling ? Scroll : Change);
}

void VScrollBar::windowMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_SETFOCUS:
        if (!bar_) return;
        ::SetFocus(bar_);
        m.answer(0);
        return;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(m.lParam) != bar_) return;
        onVScroll(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)));
        m.answer(0);
        return;
    }
}

void VScrollBar::onVScroll(int code, int track) {
    // Towards Max is "down" on the bar whichever way the range runs.
    const int dir = min_ <= max_ ? 1 : -1;
    switch (code) {
    case SB_LINEUP:
        moveTo(value_ - dir * smallChange_, false);
        break;
    case SB_LINEDOWN:
        moveTo(value_ + dir * smallChange_, false);
        break;
    case SB_PAGEUP:
        moveTo(value_ - dir * largeChange_, false);
        break;
    case SB_PAGEDOWN:
        moveTo(value_ + dir * largeChange_, false);
        break;
    case SB_TOP:
        moveTo(min_, false);
        break;
    case SB_BOTTOM:
        moveTo(max_, false);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The bar's range lies within 16 bits, so the position in the message is exact.
        const int pos = min_ <= max_ ? track : min_ + max_ - track;
        if (code == SB_THUMBTRACK) {
            if (!dragging_) {
                dragging_ = true;
                dragFrom_ = value_;
            }
            moveTo(pos, true);
            break;
        }
        // The drag ends: one Change when it moved the value.
        const int from = dragging_ ? dragFrom_ : value_;
        dragging_ = false;
        value_ = static_cast<int16_t>(clampValue(pos));
        applyRange();
        if (value_ != from) RaiseEvent(Change);
        break;
    }
    case SB_ENDSCROLL:
        break;
    }
}

} // namespace forms
