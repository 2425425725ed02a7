#pragma once

#include <windows.h>

namespace core {

// One message as a control's dispatch sees it, whether it came through the control's window procedure
// or through a window hook. A handler that answers the message sets handled and result; in a hook's
// before call, handled means the window's previous procedure is not called, and changed parameters
// are what that procedure sees.
struct MessageFrame {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool handled = false;
    LRESULT result = 0;

    // Answers the message.
    void answer(LRESULT value) {
        handled = true;
        result = value;
    }
};

} // namespace core
