// When the drop-down closes by itself. The bar never takes the keyboard (it is worked with the
// mouse, and a bar holding the focus would swallow the user's typing), so the loss of its focus
// cannot close the drop-down: a press anywhere else in the program, or the form losing the
// activation, does.
#include "widgets/tool_bar/mc_tool_bar.h"

#include "platform/core/event_log.h"
#include "platform/forms/controls/picture_box.h"

namespace widgets {

namespace {

// One drop-down is open at a time on the thread: opening another closes the first.
thread_local McToolBar* t_open = nullptr;
thread_local HHOOK t_pressHook = nullptr;

bool isPress(WPARAM message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCXBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

bool within(HWND outer, HWND w) {
    return outer && w && (w == outer || IsChild(outer, w));
}

} // namespace

LRESULT CALLBACK McToolBar::pressWatch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && isPress(wParam) && t_open) {
        const HWND target = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->hwnd;
        McToolBar* bar = t_open;
        core::bestEffort(L"McToolBar drop-down", [&] {
            const bool onDropDown = bar->picChevron_ && within(bar->picChevron_->hWnd(), target);
            if (!within(bar->hWnd(), target) && !onDropDown) bar->onHostMovedOrFocusLost();
        });
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK McToolBar::pressWatchHook() {
    return t_pressHook;
}

void McToolBar::watchPressesElsewhere(bool on) {
    if (on) {
        if (t_open && t_open != this) t_open->onHostMovedOrFocusLost();
        t_open = this;
        if (!t_pressHook)
            t_pressHook = SetWindowsHookExW(WH_MOUSE, &McToolBar::pressWatch, nullptr, GetCurrentThreadId());
        return;
    }
    if (t_open != this) return;
    t_open = nullptr;
    if (t_pressHook) UnhookWindowsHookEx(t_pressHook);
    t_pressHook = nullptr;
}

} // namespace widgets
