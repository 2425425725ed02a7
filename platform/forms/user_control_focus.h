#pragma once

#include <windows.h>

namespace forms {

// Watches focus changes of the thread so that controls hear EnterFocus when the focus enters them
// or a window inside them, and ExitFocus when it leaves. Installed once per thread.
void installFocusHook();
// The window that has, or is just receiving, the focus.
HWND focusWindowNow();

} // namespace forms
