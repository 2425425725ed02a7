#pragma once
#include <windows.h>

namespace widgets {

// Gradient styles: 0 none, 1 horizontal, 2 horizontal mirrored, 3 vertical, 4 vertical mirrored,
// 5 and 6 diagonal. With swap the ramp runs from Color2 to Color1.
void DrawGradient(HDC hDC, long X, long Y, long Width, long Height, long Color1, long Color2, long Style,
                  bool swap);

// One device-independent bitmap copy of a colour ramp from ColorA to ColorB (plain RGB colours):
// style 1 left to right, 3 top to bottom, 5 top-left to bottom-right, 6 bottom-left to top-right;
// any other style is black. Nothing for an empty rectangle.
void DrawGradientBits(HDC hDC, long X, long Y, long Width, long Height, long ColorA, long ColorB, long Style);

} // namespace widgets
