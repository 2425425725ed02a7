#pragma once

// The numbers forms and controls exchange with their hosts and stored layouts, by name. Values are
// the ones stored forms hold, so they never change.

#include <cstdint>

namespace core {

// ScaleMode: the unit of a surface's or container's coordinates.
namespace scale {
inline constexpr int16_t User = 0;
inline constexpr int16_t Twips = 1;
inline constexpr int16_t Points = 2;
inline constexpr int16_t Pixels = 3;
inline constexpr int16_t Himetric = 8;
} // namespace scale

// BorderStyle of a form.
namespace formBorder {
inline constexpr int16_t None = 0;
inline constexpr int16_t FixedSingle = 1;
inline constexpr int16_t Sizable = 2;
inline constexpr int16_t FixedDialog = 3;
inline constexpr int16_t FixedToolWindow = 4;
inline constexpr int16_t SizableToolWindow = 5;
} // namespace formBorder

// BorderStyle and Appearance of a control.
namespace controlBorder {
inline constexpr int16_t None = 0;
inline constexpr int16_t FixedSingle = 1;
inline constexpr int16_t Flat = 0;   // Appearance
inline constexpr int16_t ThreeD = 1; // Appearance
} // namespace controlBorder

// BorderStyle of the captioned label.
namespace labelBorder {
inline constexpr int32_t None = 0;
inline constexpr int32_t Single = 1;  // BorderSize nested rectangles in BorderColor
inline constexpr int32_t Outline = 2; // no border; the text outlined in OutlineColor
inline constexpr int32_t Sunken = 3;
inline constexpr int32_t Raised = 4;
inline constexpr int32_t Triple = 5; // white, grey, white
} // namespace labelBorder

// WindowState of a form.
namespace windowState {
inline constexpr int16_t Normal = 0;
inline constexpr int16_t Minimized = 1;
inline constexpr int16_t Maximized = 2;
} // namespace windowState

// MousePointer.
namespace pointer {
inline constexpr int Default = 0;
inline constexpr int Arrow = 1;
inline constexpr int Cross = 2;
inline constexpr int IBeam = 3;
inline constexpr int Icon = 4;
inline constexpr int Size = 5;
inline constexpr int SizeNESW = 6;
inline constexpr int SizeNS = 7;
inline constexpr int SizeNWSE = 8;
inline constexpr int SizeWE = 9;
inline constexpr int UpArrow = 10;
inline constexpr int Hourglass = 11;
inline constexpr int NoDrop = 12;
inline constexpr int ArrowHourglass = 13;
inline constexpr int ArrowQuestion = 14;
inline constexpr int SizeAll = 15;
inline constexpr int Custom = 99; // MouseIcon
} // namespace pointer

// Mouse buttons and shift keys as events report them, and the button code a control passes to its
// own pointer handlers for a call no mouse button made: the list box's keyboard move, the tool bar's
// moves over its drop-down.
namespace mouse {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
inline constexpr int PseudoButton = 999;
} // namespace mouse
namespace shift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace shift

// OLE colours that name a system colour (top bit set, the GetSysColor index below it).
namespace sysColor {
inline constexpr uint32_t ScrollBars = 0x80000000;
inline constexpr uint32_t Desktop = 0x80000001;
inline constexpr uint32_t ActiveTitleBar = 0x80000002;
inline constexpr uint32_t InactiveTitleBar = 0x80000003;
inline constexpr uint32_t MenuBar = 0x80000004;
inline constexpr uint32_t WindowBackground = 0x80000005;
inline constexpr uint32_t WindowFrame = 0x80000006;
inline constexpr uint32_t MenuText = 0x80000007;
inline constexpr uint32_t WindowText = 0x80000008;
inline constexpr uint32_t TitleBarText = 0x80000009;
inline constexpr uint32_t ActiveBorder = 0x8000000A;
inline constexpr uint32_t InactiveBorder = 0x8000000B;
inline constexpr uint32_t ApplicationWorkspace = 0x8000000C;
inline constexpr uint32_t Highlight = 0x8000000D;
inline constexpr uint32_t HighlightText = 0x8000000E;
inline constexpr uint32_t ButtonFace = 0x8000000F;
inline constexpr uint32_t ButtonShadow = 0x80000010;
inline constexpr uint32_t GrayText = 0x80000011;
inline constexpr uint32_t ButtonText = 0x80000012;
inline constexpr uint32_t InactiveCaptionText = 0x80000013;
inline constexpr uint32_t ButtonHighlight = 0x80000014;
inline constexpr uint32_t DarkShadow3D = 0x80000015;
inline constexpr uint32_t Light3D = 0x80000016;
inline constexpr uint32_t InfoText = 0x80000017;
inline constexpr uint32_t InfoBackground = 0x80000018;
inline constexpr uint32_t Flag = 0x80000000;
} // namespace sysColor

} // namespace core
