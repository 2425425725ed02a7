// The tool bar's colour helpers and raster routines: gradients, a tiled picture and a picture in grey.
#pragma once

#include <string>
#include <windows.h>

namespace forms {
class StdPicture;
}

namespace widgets::toolbar {

// The RGB value of an OLE colour (system colours allowed); 0 when it cannot be translated.
long TranslateColor(long colour, HPALETTE palette = nullptr);
// The list box's blend with this translation.
long BlendColor(long colourFrom, long colourTo, long alpha);
// Half way to white, and half way to black.
inline long lightOf(long colour) {
    return BlendColor(colour, 0xFFFFFF, 128);
}
inline long darkOf(long colour) {
    return BlendColor(colour, 0, 128);
}

// False for A-Z, underscore and a-z (by UTF-16 code), True for every other character. 5 for an
// empty text.
bool IsDelim(const std::wstring& character);

// A gradient of any style (two equal colours fill a solid rectangle) over the rectangle; with swap
// the second colour starts the ramp. Style 0 draws nothing.
void DrawGradient(HDC dc, long x, long y, long width, long height, long colour1, long colour2, long style,
                  bool swap);

// Repeats a bitmap over the rectangle from its top-left corner. An icon or no picture paints
// nothing. Always False.
bool TilePicture(const forms::StdPicture* picture, HDC dc, long left, long top, long right, long bottom);

// Draws a bitmap or an icon (keeping its transparent parts) in grey at the place and size given;
// -1 takes the picture's own width or height. True when the last transfer succeeded.
bool PaintGrayScale(HDC dc, HANDLE picture, long left, long top, long width, long height);

} // namespace widgets::toolbar
