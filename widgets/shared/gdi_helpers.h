// Small drawing helpers shared by the captioned widgets.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace widgets {

// Moves the rectangle by (n, n); a coordinate that would leave 32 bits raises the overflow error.
void ShiftRect(RECT& rect, std::int16_t n);

// Width of the text in the context's current font, in logical units (0 when the call fails).
int TextWidthW(HDC dc, std::wstring_view text);

// True when the text is empty or only spaces.
bool isBlank(std::wstring_view text);

// A caption in the context's current font and text colour on a transparent background: DrawTextW
// with the caller's flags and the alignment (0 left, 1 right, any other value centred). A blank
// caption draws nothing. Returns the height drawn, 0 for nothing.
int DrawCaption(HDC dc, const std::wstring& text, RECT rect, std::int32_t alignment, UINT flags);

} // namespace widgets
