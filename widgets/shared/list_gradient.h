#pragma once
#include <windows.h>

namespace widgets {

// The stored gradient styles of BackGradient and SelGradient.
namespace gradient {
inline constexpr long None = 0;
inline constexpr long Horizontal = 1;
inline constexpr long HorizontalMirrored = 2;
inline constexpr long Vertical = 3;
inline constexpr long VerticalMirrored = 4;
inline constexpr long Diagonal = 5;   // top-left to bottom-right
inline constexpr long DiagonalUp = 6; // bottom-left to top-right
} // namespace gradient

// A gradient of any style over the rectangle; the mirrored styles have the start colour at both
// edges. With swap the ramp runs from colour2 to colour1. System colours are translated.
void DrawGradient(HDC dc, long left, long top, long width, long height, long colour1, long colour2,
                  long style, bool swap);

// The ramp of DrawGradient between two RGB colours: the mirrored styles are two halves that overlap
// by about a pixel, every other style one DrawGradientBits.
void DrawGradientRamp(HDC dc, long left, long top, long width, long height, long start, long end, long style);

// One device-independent bitmap copy of a colour ramp from colourA to colourB (plain RGB colours):
// horizontal left to right, vertical top to bottom, the diagonals from their named corner; any other
// style is black. Nothing for an empty rectangle.
void DrawGradientBits(HDC dc, long left, long top, long width, long height, long colourA, long colourB,
                      long style);

} // namespace widgets
