#pragma once

#include <windows.h>

namespace forms {

// Watches focus changes of the thread so that controls hear EnterFocus when the focus enters them
// or a window inside them, and ExitFocus when it leaves. Installed once per thread.
void installFocusHook();
// The window that has, or is just receiving, the focus.
HWND focusWindowNow();

// While a form makes its controls the focus does not move, and the hook would only be called for
// every window made (under Wine a round trip to the server each time): it is off meanwhile, and
// on again (or installed, when a control asked for it) at the end.
class FocusHookPause {
public:
    FocusHookPause();
    ~FocusHookPause();
    FocusHookPause(const FocusHookPause&) = delete;
    FocusHookPause& operator=(const FocusHookPause&) = delete;
};

} // namespace forms
