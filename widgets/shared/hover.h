// What the captioned controls share when the pointer moves over them: the tooltip hand-over, the
// test whether the pointer is really over the control, and taking and giving up the mouse capture.
#pragma once

#include <windows.h>

#include "platform/core/message_frame.h"
#include "platform/forms/user_control.h"

namespace widgets::hover {

// A move without a button hands the host's tooltip text to the shared tooltip window (which
// ignores repeats).
void handOverTip(forms::UserControl& control, bool tiengViet);

// Inside the control's scale, both bounds included, and the window under the cursor is the
// control's own (not a window above it).
bool pointerOver(forms::UserControl& control, float x, float y);

// Takes the capture unless the window holds it already.
void capture(HWND window);

// Releases the capture when the window holds it.
void releaseCapture(HWND window);

// A message telling the control it is hidden or disabled from outside (its form, EnableWindow).
bool hidesOrDisables(const core::MessageFrame& m);

} // namespace widgets::hover
