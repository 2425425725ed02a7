// The tool bar's stored look, its run-time state and the face styles.
#pragma once

#include "platform/core/constants.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

#include <commctrl.h>

namespace forms {
class StdFont;
class StdPicture;
} // namespace forms

namespace widgets {

// ButtonsMode: the face each button draws.
namespace faceMode {
inline constexpr long HotEdge = 0;       // a one-pixel edge while hot or pressed
inline constexpr long Edge = 1;          // a one-pixel edge always
inline constexpr long BlackTopLeft = 2;  // a two-pixel edge, black outside at the top left
inline constexpr long BlackBottom = 3;   // a two-pixel edge, black outside at the bottom right
inline constexpr long HoverRect = 4;     // a flat rectangle while hot or pressed
inline constexpr long Round = 5;         // a rounded face with a hot ring
inline constexpr long RoundGradient = 6; // a rounded gradient face
} // namespace faceMode

// BorderStyle of the bar: the painted frame.
namespace barBorder {
inline constexpr int16_t None = 0;
inline constexpr int16_t Raised = 1;
inline constexpr int16_t Sunken = 2;
} // namespace barBorder

// Button_Index at run time beside the button numbers.
inline constexpr long NoButton = -1;
inline constexpr long ChevronButton = 0;

// TooTipStyle: 1 is a rectangle, every other value a balloon.
inline constexpr long RectangleTip = 1;

// The stored properties, under their keys' names; the property table's rows point into them.
struct ToolBarLook {
    int16_t Appearance = 0;
    uint32_t BackColor = core::sysColor::ButtonFace;
    int16_t BorderStyle = barBorder::None;
    bool Enabled = true;
    std::shared_ptr<forms::StdFont> Font;
    uint32_t Forecolor = 0;
    long Button_Count = 1;
    long Button_Index = 1;
    std::shared_ptr<forms::StdPicture> BackGround;
    long ButtonsWidth = 32;
    long ButtonsHeight = 32;
    long ButtonsPerRow = 3;
    uint32_t HoverColor = core::sysColor::ButtonFace;
    long TooTipStyle = 0;
    uint32_t ToolTipBackCol = 0xE6FDFD;
    uint32_t ToolTipForeCol = 0;
    long BackGradient = 0;
    uint32_t BackGradientCol = 0xFFFFFF;
    long ButtonsMode = faceMode::BlackBottom;
    long ButtonsSeperatorWidth = 10;
    bool ShowSeperator = true;
    uint32_t ButtonsBackColor = core::sysColor::ButtonFace;
    uint32_t ButtonsGradientCol = 0xFFFFFF;
    long ButtonsGradient = 0;
    long ButtonsPerRow_Chev = 3;
    bool ShowChevron = false;
};

// The colours and frame a face mode brings with it; other modes change nothing.
void applyButtonsMode(ToolBarLook& look, long mode);

// What the tool bar knows at run time.
struct ToolBarState {
    bool IsMouseDown = false;
    // Each surface keeps its rendered background until it is invalidated.
    bool BackgroundCached = false;
    bool DropDownBackgroundCached = false;
    void invalidateBackground() { BackgroundCached = DropDownBackgroundCached = false; }
    // The buttons the last layout moved into the drop-down, in button order.
    std::vector<long> ChevronButtons;
    // The drop-down is the surface every repaint draws on.
    bool drawOnChevron = false;
    long chevronWidth = 0, chevronHeight = 0; // pixels
    bool laying = false;

    // Hover tracking.
    bool IsHovering = false;
    long LastMouseX = -1, LastMouseY = -1;
    long HoverTicks = 0;
    HWND ToolTipWindow = nullptr;
    TTTOOLINFOW ToolTipInfo{};
    // The tip's texts, kept while it shows: the record may change meanwhile.
    std::wstring toolTipText, toolTipTitle;
};

} // namespace widgets
