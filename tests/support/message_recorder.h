#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A message a window is expected to receive. An optional entry may be missing (the system sends
// some messages only sometimes); a given wParam must match too.
struct ExpectedMessage {
    // A plain message number in a table is a required entry.
    ExpectedMessage(UINT message, bool isOptional = false, std::optional<WPARAM> withWParam = {})
        : msg(message), optional(isOptional), wParam(withWParam) {}
    UINT msg;
    bool optional;
    std::optional<WPARAM> wParam;
};
inline ExpectedMessage optionalMessage(UINT msg) {
    return ExpectedMessage(msg, true);
}
inline ExpectedMessage messageWith(UINT msg, WPARAM wParam) {
    return ExpectedMessage(msg, false, wParam);
}

// A readable name for the messages tests are about, else the number.
inline std::string messageName(UINT msg) {
    struct Name {
        UINT msg;
        const char* name;
    };
    static const Name names[] = {
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_CREATE, "WM_CREATE"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_SIZE, "WM_SIZE"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_GETDLGCODE, "WM_GETDLGCODE"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_CLOSE, "WM_CLOSE"},
    };
    for (const Name& n : names)
        if (n.msg == msg) return n.name;
    char text[16];
    wsprintfA(text, "0x%04X", msg);
    return text;
}

// Subclasses a window for its lifetime and writes down every message the window receives before
// its own procedure sees it; the window's procedure is given back when the recorder goes.
class MessageRecorder {
public:
    struct Seen {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit MessageRecorder(HWND hwnd) : hwnd_(hwnd) {
        SetPropW(hwnd_, propName(), this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageRecorder::proc)));
    }
    ~MessageRecorder() {
        if (!IsWindow(hwnd_)) return;
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(hwnd_, propName());
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<Seen>& seen() const { return seen_; }
    void clear() { seen_.clear(); }
    size_t count(UINT msg) const {
        return static_cast<size_t>(
            std::count_if(seen_.begin(), seen_.end(), [msg](const Seen& s) { return s.msg == msg; }));
    }

    // Compares the messages seen with the table, in order. Messages whose number the table does not
    // name are left out of the comparison; an optional entry may be missing.
    testing::AssertionResult matches(std::initializer_list<ExpectedMessage> table) const {
        std::vector<Seen> relevant;
        for (const Seen& s : seen_)
            if (std::any_of(table.begin(), table.end(),
                            [&](const ExpectedMessage& e) { return e.msg == s.msg; }))
                relevant.push_back(s);
        size_t at = 0;
        for (const ExpectedMessage& e : table) {
            const bool here = at < relevant.size() && relevant[at].msg == e.msg &&
                              (!e.wParam || *e.wParam == relevant[at].wParam);
            if (here) {
                ++at;
                continue;
            }
            if (e.optional) continue;
            return testing::AssertionFailure() << "expected " << describe(e) << " at position " << at
                                               << "; saw " << describeSeen(relevant);
        }
        if (at != relevant.size())
            return testing::AssertionFailure() << "more messages than expected after position " << at
                                               << "; saw " << describeSeen(relevant);
        return testing::AssertionSuccess();
    }

private:
    HWND hwnd_;
    WNDPROC previous_ = nullptr;
    std::vector<Seen> seen_;

    static const wchar_t* propName() { return L"testsupport.MessageRecorder"; }
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<MessageRecorder*>(GetPropW(hwnd, propName()));
        if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
        self->seen_.push_back(Seen{msg, wParam, lParam});
        const WNDPROC previous = self->previous_;
        if (msg == WM_NCDESTROY) {
            // The window goes: its own procedure gets the last message and the recorder lets go.
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            RemovePropW(hwnd, propName());
        }
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    static std::string describe(const ExpectedMessage& e) {
        std::string s = messageName(e.msg);
        if (e.wParam) s += "(" + std::to_string(*e.wParam) + ")";
        return s;
    }
    static std::string describeSeen(const std::vector<Seen>& list) {
        std::string s;
        for (const Seen& x : list) s += (s.empty() ? "" : " ") + messageName(x.msg);
        return s.empty() ? "nothing" : s;
    }
};

} // namespace testsupport
