// Two small drawing helpers shared by the captioned widgets.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace widgets {

// Moves the rectangle by (n, n); a coordinate that would leave 32 bits raises the overflow error.
void ShiftRect(RECT& rect, std::int16_t n);

// Width of the text in the context's current font, in logical units (0 when the call fails).
int TextWidthW(HDC dc, std::wstring_view text);

} // namespace widgets
