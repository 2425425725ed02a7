#pragma once

namespace forms {

// Watches focus changes of the thread so that controls hear EnterFocus when the focus enters them
// or a window inside them, and ExitFocus when it leaves. Installed once per thread.
void installFocusHook();

} // namespace forms
