#include "platform/forms/form_frame.h"

namespace forms {

FrameStyles frameStyles(const FrameSettings& frame) {
    FrameStyles out;
    DWORD& s = out.style;
    s = WS_CLIPCHILDREN;
    const bool titleless = !frame.hasCaption && !frame.controlBox && !frame.minButton && !frame.maxButton;
    const bool toolWindow = frame.borderStyle == core::formBorder::FixedToolWindow ||
                            frame.borderStyle == core::formBorder::SizableToolWindow;
    switch (frame.borderStyle) {
    case core::formBorder::None:
        s |= WS_POPUP;
        break;
    case core::formBorder::FixedSingle:
        s |= titleless ? (WS_POPUP | WS_BORDER) : (WS_OVERLAPPED | WS_CAPTION);
        break;
    case core::formBorder::FixedDialog:
        s |= titleless ? (WS_POPUP | WS_DLGFRAME) : (WS_OVERLAPPED | WS_CAPTION | WS_DLGFRAME);
        break;
    case core::formBorder::FixedToolWindow:
        s |= WS_OVERLAPPED | WS_CAPTION;
        break;
    case core::formBorder::SizableToolWindow:
        s |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
        break;
    default:
        s |= titleless ? (WS_POPUP | WS_THICKFRAME) : (WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME);
        break;
    }
    if (frame.borderStyle != core::formBorder::None && frame.controlBox && !titleless) {
        s |= WS_SYSMENU;
        if (frame.borderStyle != core::formBorder::FixedDialog && !toolWindow) {
            if (frame.minButton) s |= WS_MINIMIZEBOX;
            if (frame.maxButton) s |= WS_MAXIMIZEBOX;
        }
    }
    DWORD& ex = out.exStyle;
    if (frame.borderStyle == core::formBorder::FixedDialog) ex |= WS_EX_DLGMODALFRAME;
    if (toolWindow) ex |= WS_EX_TOOLWINDOW;
    if (frame.noActivate) ex |= WS_EX_NOACTIVATE;
    if (frame.topMost) ex |= WS_EX_TOPMOST;
    if (frame.showInTaskbar && frame.borderStyle != core::formBorder::None && !toolWindow)
        ex |= WS_EX_APPWINDOW;
    return out;
}

} // namespace forms
