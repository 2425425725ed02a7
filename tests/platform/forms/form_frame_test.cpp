// A form's window styles follow from its frame settings alone.
#include "platform/forms/form_frame.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

struct FrameCase {
    const char* what;
    FrameSettings frame;
    DWORD style;
    DWORD exStyle;
};

FrameSettings with(int border, bool caption = true) {
    FrameSettings f;
    f.borderStyle = border;
    f.hasCaption = caption;
    return f;
}

FrameSettings bare(int border) {
    FrameSettings f = with(border, false);
    f.controlBox = f.minButton = f.maxButton = false;
    return f;
}

TEST(FormsFrame, StylesFollowTheSettings) {
    constexpr DWORD clip = WS_CLIPCHILDREN, titled = WS_OVERLAPPED | WS_CAPTION;
    constexpr DWORD buttons = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    FrameSettings noTaskbar = with(2);
    noTaskbar.showInTaskbar = false;
    FrameSettings quiet = with(0);
    quiet.noActivate = quiet.topMost = true;
    FrameSettings noMax = with(1);
    noMax.maxButton = false;
    FrameSettings noBox = with(2);
    noBox.controlBox = false;
    const FrameCase cases[] = {
        {"borderless", with(0), clip | WS_POPUP, 0},
        {"borderless, on top, never active", quiet, clip | WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOPMOST},
        {"fixed single", with(1), clip | titled | buttons, WS_EX_APPWINDOW},
        {"fixed single without maximise", noMax, clip | titled | WS_SYSMENU | WS_MINIMIZEBOX,
         WS_EX_APPWINDOW},
        {"fixed single, nothing on the title", bare(1), clip | WS_POPUP | WS_BORDER, WS_EX_APPWINDOW},
        {"sizable", with(2), clip | titled | WS_THICKFRAME | buttons, WS_EX_APPWINDOW},
        {"sizable without control box", noBox, clip | titled | WS_THICKFRAME, WS_EX_APPWINDOW},
        {"sizable, nothing on the title", bare(2), clip | WS_POPUP | WS_THICKFRAME, WS_EX_APPWINDOW},
        {"sizable, not in the task bar", noTaskbar, clip | titled | WS_THICKFRAME | buttons, 0},
        {"fixed dialog", with(3), clip | titled | WS_DLGFRAME | WS_SYSMENU,
         WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW},
        {"fixed dialog, nothing on the title", bare(3), clip | WS_POPUP | WS_DLGFRAME,
         WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW},
        {"fixed tool window", with(4), clip | titled | WS_SYSMENU, WS_EX_TOOLWINDOW},
        {"sizable tool window", with(5), clip | titled | WS_THICKFRAME | WS_SYSMENU, WS_EX_TOOLWINDOW},
    };
    for (const FrameCase& c : cases) {
        const FrameStyles got = frameStyles(c.frame);
        EXPECT_EQ(got.style, c.style) << c.what;
        EXPECT_EQ(got.exStyle, c.exStyle) << c.what;
    }
}

} // namespace
