#include "platform/forms/msgbox.h"

#include "platform/forms/app.h"

#include <windows.h>

#include <bitset>
#include <utility>
#include <vector>

namespace forms {

namespace {

MsgBoxHandler& handlerSlot() {
    static MsgBoxHandler handler;
    return handler;
}

// Keys typed before a message box is on the screen were meant for what the user saw before it: they
// neither close the box nor act in it. The box takes a key only when the key goes down once the box
// and everything in it are painted; a key pressed earlier (still held, or on its way while the box
// was made) waits, with its repeats and its release. When the box closes, the keys that waited go to
// the window that had the keyboard, except those that would act there instead of typing (Enter,
// Escape, Tab, and keys with Alt).
class EarlyKeys {
public:
    EarlyKeys() : outer_(current_), focus_(GetFocus()) {
        current_ = this;
        // One pair of hooks serves a box shown from within another: they ask for the innermost.
        if (outer_) return;
        const DWORD thread = GetCurrentThreadId();
        filter_ = SetWindowsHookExW(WH_MSGFILTER, onFilter, nullptr, thread);
        sent_ = SetWindowsHookExW(WH_CALLWNDPROCRET, onSent, nullptr, thread);
    }
    ~EarlyKeys() {
        if (filter_) UnhookWindowsHookEx(filter_);
        if (sent_) UnhookWindowsHookEx(sent_);
        current_ = outer_;
    }
    EarlyKeys(const EarlyKeys&) = delete;
    EarlyKeys& operator=(const EarlyKeys&) = delete;

    // Hands the keys that waited to the window they were meant for.
    void giveBack() {
        for (MSG m : std::exchange(held_, {})) {
            if (!typing(m)) continue;
            if (!IsWindow(m.hwnd) || GetAncestor(m.hwnd, GA_ROOT) == box_) m.hwnd = focus_;
            if (!IsWindow(m.hwnd)) continue;
            DispatchMessageW(&m);
        }
    }

private:
    static inline thread_local EarlyKeys* current_ = nullptr;
    EarlyKeys* outer_;
    HWND focus_;
    HHOOK filter_ = nullptr;
    HHOOK sent_ = nullptr;
    HWND box_ = nullptr;
    bool shown_ = false;
    DWORD shownAt_ = 0;
    std::bitset<256> pressedInBox_;
    std::vector<MSG> held_;

    static bool isKey(UINT m) { return m >= WM_KEYDOWN && m <= WM_SYSDEADCHAR; }
    static bool typing(const MSG& m) {
        if (m.message == WM_CHAR)
            return m.wParam != L'\r' && m.wParam != L'\n' && m.wParam != 27 && m.wParam != L'\t';
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP)
            return m.wParam != VK_RETURN && m.wParam != VK_ESCAPE && m.wParam != VK_TAB;
        return false;
    }

    // The box is on the screen once it and every window in it have painted themselves.
    bool painted() const {
        if (!box_ || !IsWindowVisible(box_) || GetUpdateRect(box_, nullptr, FALSE)) return false;
        bool whole = true;
        EnumChildWindows(box_, childPainted, reinterpret_cast<LPARAM>(&whole));
        return whole;
    }
    static BOOL CALLBACK childPainted(HWND child, LPARAM whole) {
        if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
        *reinterpret_cast<bool*>(whole) = false;
        return FALSE;
    }
    void notePaint() {
        if (!shown_ && painted()) {
            shown_ = true;
            shownAt_ = GetTickCount();
        }
    }
    bool inBox(HWND w) const { return box_ && (w == box_ || IsChild(box_, w)); }

    // Whether the box may have the key; one that may not is kept for giveBack.
    bool boxTakes(const MSG& m) {
        const size_t key = m.wParam & 0xFF;
        const bool early = !shown_ || static_cast<LONG>(m.time - shownAt_) < 0;
        switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (early || ((m.lParam & (1 << 30)) && !pressedInBox_.test(key))) return false;
            pressedInBox_.set(key);
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (!pressedInBox_.test(key)) return false;
            pressedInBox_.reset(key);
            return true;
        default:
            return !early;
        }
    }

    // A key kept goes with the characters it types, made now, while the keyboard's state is the
    // key's own.
    void hold(const MSG& m) {
        held_.push_back(m);
        if (m.message != WM_KEYDOWN) return;
        MSG c = m;
        c.message = WM_CHAR;
        if (m.wParam == VK_PACKET) {
            c.wParam = HIWORD(m.lParam);
            held_.push_back(c);
            return;
        }
        BYTE state[256];
        wchar_t typed[8];
        if (!GetKeyboardState(state)) return;
        const int n = ToUnicode(static_cast<UINT>(m.wParam), (m.lParam >> 16) & 0xFF, state, typed, 8, 0);
        for (int i = 0; i < n; ++i) {
            c.wParam = typed[i];
            held_.push_back(c);
        }
    }

    static LRESULT CALLBACK onFilter(int code, WPARAM wParam, LPARAM lParam) {
        EarlyKeys* self = current_;
        auto* m = reinterpret_cast<MSG*>(lParam);
        if (self && code == MSGF_DIALOGBOX && m) {
            if (m->message == WM_PAINT && self->inBox(m->hwnd)) {
                // Painted here, so that the moment the box is whole on the screen is known at once.
                DispatchMessageW(m);
                self->notePaint();
                return 1;
            }
            if (isKey(m->message) && !self->boxTakes(*m)) {
                self->hold(*m);
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK onSent(int code, WPARAM wParam, LPARAM lParam) {
        EarlyKeys* self = current_;
        const auto* s = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (self && code == HC_ACTION && s) {
            if (s->message == WM_INITDIALOG && !self->box_) self->box_ = s->hwnd;
            if (s->message == WM_PAINT && self->inBox(s->hwnd)) self->notePaint();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

int& openBoxes() {
    static int open = 0;
    return open;
}

} // namespace

int MsgBox(const std::wstring& prompt, int buttons, const std::wstring& title) {
    const std::wstring t = title.empty() ? App::Title() : title;
    struct Open {
        Open() { ++openBoxes(); }
        ~Open() { --openBoxes(); }
    } open;
    if (MsgBoxHandler h = handlerSlot()) return h(prompt, buttons, t);
    EarlyKeys early;
    const int answer =
        MessageBoxW(GetActiveWindow(), prompt.c_str(), t.c_str(), static_cast<UINT>(buttons) | MB_TASKMODAL);
    early.giveBack();
    return answer;
}

bool MsgBoxOpen() {
    return openBoxes() > 0;
}

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler) {
    MsgBoxHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

} // namespace forms
