#include "widgets/list_box/scroll_bar_layer.h"

#include <algorithm>
#include <iterator>

namespace widgets {

const FlatScrollBars& FlatScrollBars::commonControls() {
    static const FlatScrollBars bars;
    return bars;
}

ScrollBarLayer::ScrollBarLayer(FlatSource flat) : flat_(flat) {}

ScrollBarLayer::~ScrollBarLayer() {
    SB_Destroy();
}

void ScrollBarLayer::SB_Create(HWND window) {
    SB_Attach(window);
    SB_Init();
}

void ScrollBarLayer::SB_Attach(HWND window) {
    SB_Destroy();
    ScrollWindow = window;
}

void ScrollBarLayer::SB_Init() {
    initialised_ = true;
    const FlatScrollBars& bars = flat();
    if (!bars.initialize) {
        UseStandardBars = true;
        return;
    }
    bars.initialize(ScrollWindow);
    if (UseStandardBars) return;
    if (bars.setProp) bars.setProp(ScrollWindow, WSB_PROP_HSTYLE, FlatStyle, TRUE);
}

void ScrollBarLayer::SB_Destroy() {
    if (ScrollWindow && !UseStandardBars && flat().uninitialize) flat().uninitialize(ScrollWindow);
    ScrollWindow = nullptr;
    initialised_ = false;
    pending_[0] = pending_[1] = Pending{};
    drawn_[0] = drawn_[1] = BarLook{};
    sentSincePaint_ = false;
}

bool ScrollBarLayer::windowShows(long bar) const {
    if (!ScrollWindow) return false;
    return (GetWindowLongW(ScrollWindow, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

void ScrollBarLayer::askForPaint() {
    if (ScrollWindow) InvalidateRect(ScrollWindow, nullptr, FALSE);
}

void ScrollBarLayer::SB_Visible(long bar, bool visible) {
    (bar == SB_HORZ ? VisibleH : VisibleV) = visible;
    pending(bar).visible = visible;
}

void ScrollBarLayer::SB_Enabled(long bar, bool enabled) {
    pending(bar).enabled = enabled;
}

void ScrollBarLayer::settle() {
    if (!ScrollWindow) return;
    for (long bar : {long{SB_HORZ}, long{SB_VERT}}) {
        const Pending& p = pending(bar);
        const bool shows = windowShows(bar);
        if (p.visible.value_or(shows) != shows) return askForPaint();
        if (!shows) continue;
        const BarLook now = look(bar);
        // Disabled as a whole, or (as Wine reports it) both arrows.
        const bool disabled =
            ((now.states[0] | (now.states[1] & now.states[5])) & STATE_SYSTEM_UNAVAILABLE) != 0;
        if ((p.enabled && *p.enabled == disabled) ||
            (sentSincePaint_ && !(now == drawn_[bar == SB_HORZ ? 0 : 1])))
            return askForPaint();
    }
}

// The frame is redrawn, with the paint that follows, only when a bar looks other than when it was
// last drawn: a refresh often sets a range and then the one it had.
void ScrollBarLayer::showPending() {
    bool redraw = false;
    for (long bar : {long{SB_HORZ}, long{SB_VERT}}) {
        const bool reframed = applyPending(bar);
        if (!windowShows(bar)) continue;
        const BarLook now = look(bar);
        BarLook& drawn = drawn_[bar == SB_HORZ ? 0 : 1];
        if (sentSincePaint_ && !reframed && !(now == drawn)) redraw = true;
        drawn = now;
    }
    sentSincePaint_ = false;
    if (redraw) RedrawWindow(ScrollWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// A bar already shown or hidden as asked is left alone: showing or hiding changes the window's frame,
// and the platform repaints and resizes the window for it. Enabling is left to the platform, which
// does nothing for a bar already in the state asked for. True when the bar was shown or hidden now:
// the whole frame is then drawn with the next paint.
bool ScrollBarLayer::applyPending(long bar) {
    Pending& p = pending(bar);
    bool reframed = false;
    if (p.visible) {
        const bool visible = *p.visible;
        p.visible.reset();
        if (visible != windowShows(bar)) {
            // The platform would draw the new frame, and put it on the screen, before the rows are
            // drawn for the new width: the window is kept from drawing while its frame changes and
            // is drawn whole with the paint that follows. A window not on the screen draws nothing
            // (and turning its drawing back on would show a window that is hidden).
            const bool onScreen = IsWindowVisible(ScrollWindow) != FALSE;
            if (onScreen) SendMessageW(ScrollWindow, WM_SETREDRAW, FALSE, 0);
            if (!UseStandardBars && flat().show)
                flat().show(ScrollWindow, bar, visible ? TRUE : FALSE);
            else
                ShowScrollBar(ScrollWindow, bar, visible ? 1 : 0);
            if (onScreen) {
                SendMessageW(ScrollWindow, WM_SETREDRAW, TRUE, 0);
                RedrawWindow(ScrollWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
            }
            reframed = true;
        }
    }
    if (p.enabled) {
        const UINT flags = *p.enabled ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        p.enabled.reset();
        if (!UseStandardBars && flat().enable)
            flat().enable(ScrollWindow, bar, flags);
        else
            EnableScrollBar(ScrollWindow, bar, flags);
    }
    return reframed;
}

void ScrollBarLayer::SB_SmallChange(long bar, long value) {
    (bar == SB_HORZ ? SmallChangeH : SmallChangeV) = value;
}

void ScrollBarLayer::SB_GetInfo(long bar, SCROLLINFO& info, UINT mask) {
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = mask;
    if (!UseStandardBars && flat().getInfo)
        flat().getInfo(ScrollWindow, bar, &info);
    else
        GetScrollInfo(ScrollWindow, bar, &info);
}

void ScrollBarLayer::SB_SetInfo(long bar, SCROLLINFO& info, UINT mask) {
    SCROLLINFO now{};
    SB_GetInfo(bar, now, mask & SIF_ALL);
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = mask;
    const bool sameRange = !(mask & SIF_RANGE) || (now.nMin == info.nMin && now.nMax == info.nMax);
    const bool samePage = !(mask & SIF_PAGE) || now.nPage == info.nPage;
    const bool samePos = !(mask & SIF_POS) || now.nPos == info.nPos;
    if (sameRange && samePage && samePos) return;
    if (mask & (SIF_RANGE | SIF_PAGE)) applyPending(bar);
    if (!UseStandardBars && flat().setInfo)
        flat().setInfo(ScrollWindow, bar, &info, FALSE);
    else
        SetScrollInfo(ScrollWindow, bar, &info, FALSE);
    if (windowShows(bar)) sentSincePaint_ = true;
}

// Where the window draws the bar's parts, and in which state; unknown when it cannot say.
ScrollBarLayer::BarLook ScrollBarLayer::look(long bar) const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    BarLook l;
    if (!ScrollWindow ||
        !GetScrollBarInfo(ScrollWindow, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info))
        return l;
    l.known = true;
    l.bar = info.rcScrollBar;
    l.thumbTop = info.xyThumbTop;
    l.thumbBottom = info.xyThumbBottom;
    std::copy(std::begin(info.rgstate), std::end(info.rgstate), l.states);
    return l;
}

bool ScrollBarLayer::BarLook::operator==(const BarLook& o) const {
    return known && o.known && EqualRect(&bar, &o.bar) && thumbTop == o.thumbTop &&
           thumbBottom == o.thumbBottom &&
           std::equal(std::begin(states), std::end(states), std::begin(o.states));
}

long ScrollBarLayer::SB_Min(long bar) {
    SCROLLINFO info{};
    SB_GetInfo(bar, info, SIF_RANGE);
    return info.nMin;
}

long ScrollBarLayer::SB_Max(long bar) {
    SCROLLINFO info{};
    SB_GetInfo(bar, info, SIF_RANGE | SIF_PAGE);
    return info.nMax;
}

void ScrollBarLayer::SB_Max(long bar, long value) {
    SCROLLINFO info{};
    SB_GetInfo(bar, info, SIF_ALL);
    info.nMax = value + static_cast<long>(info.nPage);
    SB_SetInfo(bar, info, SIF_RANGE);
}

long ScrollBarLayer::SB_Value(long bar) {
    SCROLLINFO info{};
    SB_GetInfo(bar, info, SIF_POS);
    return info.nPos;
}

void ScrollBarLayer::SB_Value(long bar, long value) {
    SCROLLINFO info{};
    info.nPos = value;
    SB_SetInfo(bar, info, SIF_POS);
}

long ScrollBarLayer::SB_LargeChange(long bar) {
    SCROLLINFO info{};
    SB_GetInfo(bar, info, SIF_PAGE);
    return static_cast<long>(info.nPage);
}

void ScrollBarLayer::SB_LargeChange(long bar, long value) {
    SCROLLINFO info{};
    SB_GetInfo(bar, info, SIF_ALL);
    info.nMax = info.nMax - static_cast<long>(info.nPage) + value;
    info.nPage = static_cast<UINT>(value);
    SB_SetInfo(bar, info, SIF_RANGE | SIF_PAGE);
}

} // namespace widgets
