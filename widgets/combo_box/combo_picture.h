// Item and user pictures drawn with one colour as see-through, stretched, and greyed on request.
#pragma once

#include <windows.h>

#include <cstdint>

namespace forms {
class StdPicture;
}

namespace widgets {

// The colour that shows what lies behind a picture (pure red of intensity 240).
inline constexpr COLORREF PictureKeyColor = 0x000000F0;

// Draws the picture at (x, y) stretched to width x height; the key colour and whatever an icon
// leaves uncovered keep the destination's pixels. Disabled draws the greyed picture.
void DrawTransparentPicture(const forms::StdPicture& picture, HDC dc, int x, int y, bool enabled, int height,
                            int width);

} // namespace widgets
