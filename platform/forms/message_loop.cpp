#include "platform/forms/message_loop.h"

#include "platform/core/event_log.h"
#include "platform/forms/app.h"
#include "platform/forms/form.h"
#include "platform/forms/user_control.h"

#include <cwctype>

namespace forms {

namespace {

UINT dialogCode(const MSG& msg) {
    MSG copy = msg;
    return static_cast<UINT>(
        SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy)));
}

// A key or a button (not a mere move), which may reach any control through the handlers it runs.
bool pressOrKey(UINT m) {
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) ||
           (m > WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
}

bool usable(UserControl* c) {
    return c && c->loaded() && IsWindowVisible(c->hWnd()) && IsWindowEnabled(c->hWnd());
}

bool accessKey(Form& form, wchar_t ch) {
    const wchar_t up = static_cast<wchar_t>(std::towupper(ch));
    for (UserControl* c : form.allControls()) {
        if (!usable(c)) continue;
        for (wchar_t k : c->AccessKeys()) {
            if (static_cast<wchar_t>(std::towupper(k)) != up) continue;
            auto keep = c->weak_from_this().lock();
            if (c->CanGetFocus()) c->SetFocus();
            if (c->loaded()) c->accessKeyPress(static_cast<int>(ch));
            return true;
        }
    }
    return false;
}

} // namespace

bool MessageLoop::dialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR) return false;
    Form* form = Form::fromWindow(msg.hwnd);
    if (!form || !form->loaded()) return false;
    auto keep = form->shared_from_this();
    if (msg.message == WM_SYSCHAR) return accessKey(*form, static_cast<wchar_t>(msg.wParam));
    const bool ctrlOrAlt = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    switch (msg.wParam) {
    case VK_TAB: {
        if (ctrlOrAlt) return false;
        if (dialogCode(msg) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
        form->tabFocus(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    case VK_RETURN: {
        if (dialogCode(msg) & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        UserControl* focused = UserControl::fromWindow(GetFocus());
        UserControl* target = nullptr;
        if (focused && focused->Parent() == form && focused->DefaultCancel())
            target = focused;
        else if (UserControl* d = form->defaultControl(); usable(d))
            target = d;
        if (!target) return false;
        auto hold = target->weak_from_this().lock();
        target->accessKeyPress(VK_RETURN);
        return true;
    }
    case VK_ESCAPE: {
        if (dialogCode(msg) & DLGC_WANTALLKEYS) return false;
        UserControl* c = form->cancelControl();
        if (!usable(c)) return false;
        auto hold = c->weak_from_this().lock();
        c->accessKeyPress(VK_ESCAPE);
        return true;
    }
    }
    return false;
}

void MessageLoop::process(MSG& msg) {
    try {
        core::HandlingMessage handling; // handlers run from here as from a window procedure
        // What waits for the first paint is there before the key or button is handled. The forms
        // report what fails there themselves, so the message still goes on.
        if (pressOrKey(msg.message)) Forms::finishDeferred();
        if (dialogKey(msg)) return;
    } catch (...) {
        core::reportUnexpectedError(L"Dialog keys");
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    Forms::releaseUnloaded();
}

bool MessageLoop::runUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (r < 0) return false;
        process(msg);
    }
    return true;
}

int MessageLoop::runProgram(Form& startForm) {
    startForm.Show();
    MSG msg{};
    while (!Forms::loaded().empty()) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) return static_cast<int>(msg.wParam);
        if (r < 0) return 1;
        process(msg);
    }
    return 0;
}

} // namespace forms
