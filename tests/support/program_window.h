#pragma once
// A running vexa.exe seen and driven from another program, as a user drives it: keys as the keyboard
// gives them, the search box's text, and how long the window keeps one waiting for an answer.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

// A key's press and release, as the keyboard gives them.
inline void addKey(std::vector<INPUT>& in, WORD vk) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = vk;
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(down);
    in.push_back(up);
}

// Keys as the keyboard gives them, to whatever window has it: "\n" is Enter, "\t" Tab, "\b" Backspace,
// "\x1b" Escape.
inline void typeKeys(const std::wstring& keys) {
    std::vector<INPUT> in;
    for (wchar_t c : keys)
        addKey(in, c == L'\n'     ? VK_RETURN
                   : c == L'\t'   ? VK_TAB
                   : c == L'\b'   ? VK_BACK
                   : c == L'\x1b' ? VK_ESCAPE
                                  : static_cast<WORD>(VkKeyScanW(c) & 0xFF));
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// One key pressed and let go.
inline void pressKey(WORD vk) {
    std::vector<INPUT> in;
    addKey(in, vk);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

inline BOOL CALLBACK findEditWindow(HWND h, LPARAM p) {
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (_wcsicmp(cls, L"Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(p) = h;
    return FALSE;
}

// The main window's one edit window: the search box's.
inline HWND searchBox(HWND main) {
    HWND edit = nullptr;
    EnumChildWindows(main, findEditWindow, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

// The search box's text, once the window answers.
inline std::wstring searchBoxText(HWND main) {
    wchar_t text[64] = {};
    DWORD_PTR copied = 0;
    if (HWND edit = searchBox(main))
        SendMessageTimeoutW(edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 30000,
                            &copied);
    return text;
}

// Where the search box's caret stands, in characters, once the window answers; -1 without a box.
inline int searchBoxCaret(HWND main) {
    HWND edit = searchBox(main);
    DWORD end = 0;
    if (!edit ||
        !SendMessageTimeoutW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end), SMTO_NORMAL, 30000, nullptr))
        return -1;
    return static_cast<int>(end);
}

// Waits until the window has handled every key given so far: keys are handled in the order given, so
// once a Left given after them has moved the caret, they are done (End puts it back). False when the
// caret did not move.
inline bool keysHandled(HWND main) {
    const int at = searchBoxCaret(main);
    if (at <= 0) return false;
    for (auto [key, to] : {std::pair{WORD(VK_LEFT), at - 1}, std::pair{WORD(VK_END), at}}) {
        pressKey(key);
        int i = 0;
        while (searchBoxCaret(main) != to && i++ < 1000) Sleep(10);
        if (i > 1000) return false;
    }
    return true;
}

inline BOOL CALLBACK findUnpainted(HWND h, LPARAM p) {
    if (!IsWindowVisible(h) || !GetUpdateRect(h, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(p) = false;
    return FALSE;
}

// Waits, up to about five seconds, until a window is on the screen as a user sees it: shown, and
// painted with every window in it. A message box takes only the keys pressed from then on.
inline bool onScreen(HWND window) {
    for (int i = 0; i < 500; ++i, Sleep(10)) {
        bool whole = IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE);
        if (whole) EnumChildWindows(window, findUnpainted, reinterpret_cast<LPARAM>(&whole));
        // Once the window's thread is back in its message loop it is done with what its paint began,
        // and a key given from now on comes after the window was on the screen.
        if (whole) return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
    }
    return false;
}

// Asks a window without pause whether it answers, from a thread of its own, until stopped; every wait
// for an answer is a time the window could not have taken a key or drawn a letter.
class AnswerWatch {
public:
    explicit AnswerWatch(HWND window)
        : thread_([this, window] {
              LARGE_INTEGER frequency;
              QueryPerformanceFrequency(&frequency);
              while (!stop_) {
                  LARGE_INTEGER asked, answered;
                  QueryPerformanceCounter(&asked);
                  DWORD_PTR answer = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
                  QueryPerformanceCounter(&answered);
                  waits_.push_back(double(answered.QuadPart - asked.QuadPart) * 1000.0 /
                                   double(frequency.QuadPart));
                  Sleep(1);
              }
          }) {}
    ~AnswerWatch() { stop(); }
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

    // Stops asking; every wait, in milliseconds, in the order asked.
    const std::vector<double>& stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return waits_;
    }
    // The longest wait, once stopped.
    double longest() const { return waits_.empty() ? 0 : *std::max_element(waits_.begin(), waits_.end()); }

private:
    std::atomic<bool> stop_{false};
    std::vector<double> waits_;
    std::thread thread_;
};

} // namespace testsupport
