#pragma once

#include "platform/core/constants.h"

#include <windows.h>

namespace forms {

// What decides the frame of a form's window.
struct FrameSettings {
    int borderStyle = core::formBorder::Sizable;
    bool hasCaption = false; // a Caption that is not empty
    bool controlBox = true;
    bool minButton = true;
    bool maxButton = true;
    bool showInTaskbar = true;
    bool noActivate = false;
    bool topMost = false;
};

struct FrameStyles {
    DWORD style = 0;
    DWORD exStyle = 0;
    bool operator==(const FrameStyles&) const = default;
};

// The window styles of a frame (WS_EX_TOPMOST included: a window that exists takes it through
// SetWindowPos). A fixed form without caption, control box, minimise and maximise buttons has no
// title bar; tool windows and fixed dialogs have no minimise and maximise buttons.
FrameStyles frameStyles(const FrameSettings& frame);

} // namespace forms
