#include "widgets/list/scroll_bar_layer.h"

#include <commctrl.h>

namespace widgets {

namespace {

using InitializeFlatSBFn = BOOL(WINAPI*)(HWND);
using UninitializeFlatSBFn = HRESULT(WINAPI*)(HWND);
using ShowFn = BOOL(WINAPI*)(HWND, int, BOOL);
using EnableFn = BOOL(WINAPI*)(HWND, int, UINT);
using GetInfoFn = BOOL(WINAPI*)(HWND, int, LPSCROLLINFO);
using SetInfoFn = int(WINAPI*)(HWND, int, LPSCROLLINFO, BOOL);
using SetPropFn = BOOL(WINAPI*)(HWND, UINT, INT_PTR, BOOL);

} // namespace

FARPROC ScrollBarLayer::commonControlsResolver(const char* name) {
    static const HMODULE library = LoadLibraryW(L"comctl32.dll");
    return library ? GetProcAddress(library, name) : nullptr;
}

ScrollBarLayer::ScrollBarLayer(Resolver resolver) : resolver_(resolver) {}

ScrollBarLayer::~ScrollBarLayer() {
    SB_Destroy();
}

template <typename Fn>
Fn ScrollBarLayer::flat(const char* name) {
    return resolver_ ? reinterpret_cast<Fn>(resolver_(name)) : nullptr;
}

void ScrollBarLayer::SB_Create(HWND window) {
    SB_Destroy();
    ScrollWindow = window;
    SB_Init();
}

void ScrollBarLayer::SB_Init() {
    const auto initialize = flat<InitializeFlatSBFn>("InitializeFlatSB");
    if (!initialize) {
        UseStandardBars = true;
        return;
    }
    initialize(ScrollWindow);
    if (UseStandardBars) return;
    if (const auto setProp = flat<SetPropFn>("FlatSB_SetScrollProp"))
        setProp(ScrollWindow, WSB_PROP_HSTYLE, FlatStyle, TRUE);
}

void ScrollBarLayer::SB_Destroy() {
    if (ScrollWindow && !UseStandardBars)
        if (const auto uninitialize = flat<UninitializeFlatSBFn>("UninitializeFlatSB"))
            uninitialize(ScrollWindow);
    ScrollWindow = nullptr;
}

void ScrollBarLayer::SB_Visible(long bar, bool visible) {
    (bar == SB_HORZ ? VisibleH : VisibleV) = visible;
    const auto show = UseStandardBars ? nullptr : flat<ShowFn>("FlatSB_ShowScrollBar");
    if (show)
        show(ScrollWindow, bar, visible ? TRUE : FALSE);
    else
        ShowScrollBar(ScrollWindow, bar, visible ? 1 : 0);
}

void ScrollBarLayer::SB_Enabled(long bar, bool enabled) {
    const UINT flags = enabled ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
    const auto enable = UseStandardBars ? nullptr : flat<EnableFn>("FlatSB_EnableScrollBar");
    if (enable)
        enable(ScrollWindow, bar, flags);
    else
        EnableScrollBar(ScrollWindow, bar, flags);
}

void ScrollBarLayer::SB_SmallChange(long bar, long value) {
    (bar == SB_HORZ ? SmallChangeH : SmallChangeV) = value;
}

void ScrollBarLayer::SB_GetInfo(long bar, SCROLLINFO& info, UINT mask) {
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = mask;
    const auto get = UseStandardBars ? nullptr : flat<GetInfoFn>("FlatSB_GetScrollInfo");
    if (get)
        get(ScrollWindow, bar, &info);
    else
        GetScrollInfo(ScrollWindow, bar, &info);
}

void ScrollBarLayer::SB_SetInfo(long bar, SCROLLINFO& info, UINT mask) {
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = mask;
    const auto set = UseStandardBars ? nullptr : flat<SetInfoFn>("FlatSB_SetScrollInfo");
    if (set)
        set(ScrollWindow, bar, &info, TRUE);
    else
        SetScrollInfo(ScrollWindow, bar, &info, TRUE);
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
    SB_GetInfo(bar, info, SIF_POS);
    if (info.nPos == value) return;
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
