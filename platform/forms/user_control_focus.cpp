#include "platform/forms/user_control_focus.h"

#include "platform/core/event_log.h"
#include "platform/forms/app.h"
#include "platform/forms/form.h"
#include "platform/forms/user_control.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace forms {

namespace {

thread_local HHOOK t_hook = nullptr;
thread_local int t_paused = 0;
thread_local bool t_wanted = false;
thread_local HWND t_receiving = nullptr;
thread_local bool t_moving = false;

// The controls that contain a window, innermost first.
std::vector<std::shared_ptr<UserControl>> chainOf(HWND hwnd) {
    std::vector<std::shared_ptr<UserControl>> chain;
    HWND w = hwnd;
    while (w) {
        UserControl* c = UserControl::fromWindow(w);
        if (!c) break;
        auto p = c->weak_from_this().lock();
        if (!p) break;
        chain.push_back(std::move(p));
        HWND cw = c->hWnd();
        if (!(GetWindowLongW(cw, GWL_STYLE) & WS_CHILD)) break;
        w = GetParent(cw);
    }
    return chain;
}

bool contains(const std::vector<std::shared_ptr<UserControl>>& chain, const UserControl* c) {
    return std::any_of(chain.begin(), chain.end(), [c](const auto& p) { return p.get() == c; });
}

void focusMoving(HWND to, HWND from) {
    auto oldChain = chainOf(from);
    auto newChain = chainOf(to);
    for (auto& c : oldChain)
        if (!contains(newChain, c.get()) && c->loaded()) c->raiseExitFocus();
    for (auto it = newChain.rbegin(); it != newChain.rend(); ++it)
        if (!contains(oldChain, it->get()) && (*it)->loaded()) (*it)->raiseEnterFocus();
    // The default button shows as default unless another button-like control takes the focus.
    UserControl* fromCtl = UserControl::fromWindow(from);
    UserControl* toCtl = UserControl::fromWindow(to);
    const bool fromButton = fromCtl && fromCtl->DefaultCancel();
    const bool toButton = toCtl && toCtl->DefaultCancel();
    if (fromButton != toButton || fromCtl != toCtl) {
        HWND any = to ? to : from;
        UserControl* probe = UserControl::fromWindow(any);
        if (probe && probe->Parent()) probe->Parent()->defaultDisplayChanged();
    }
}

LRESULT CALLBACK focusHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS) {
        core::HandlingMessage handling;
        // Events raised here run before the focus has moved: they must see where it is going.
        const HWND savedTarget = t_receiving;
        const bool savedMoving = t_moving;
        t_receiving = reinterpret_cast<HWND>(wParam);
        t_moving = true;
        try {
            focusMoving(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        } catch (...) {
            core::reportUnexpectedError(L"Focus hook");
        }
        t_receiving = savedTarget;
        t_moving = savedMoving;
    }
    return CallNextHookEx(t_hook, code, wParam, lParam);
}

} // namespace

HWND focusWindowNow() {
    return t_moving ? t_receiving : GetFocus();
}

void installFocusHook() {
    if (t_paused) {
        t_wanted = true;
        return;
    }
    if (t_hook) return;
    t_hook = SetWindowsHookExW(WH_CBT, focusHook, nullptr, GetCurrentThreadId());
}

FocusHookPause::FocusHookPause() {
    if (t_paused++ || !t_hook) return;
    UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
    t_wanted = true;
}

FocusHookPause::~FocusHookPause() {
    if (--t_paused || !std::exchange(t_wanted, false)) return;
    installFocusHook();
}

} // namespace forms
