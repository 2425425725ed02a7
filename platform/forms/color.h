#pragma once

#include <windows.h>

#include <cstdint>

namespace forms {

// Colours are 0x00BBGGRR. A value with the top bit set names a system colour (0x80000000 + COLOR_...),
// which must be translated before GDI can draw with it.

// The plain colour for an OLE colour; throws RuntimeError 380 for a value that names no colour.
COLORREF translateColor(uint32_t oleColour);
// The same without throwing: false (and black) when the value names no colour.
bool tryTranslateColor(uint32_t oleColour, COLORREF& colour) noexcept;
// True for 0x00BBGGRR values and valid system colours.
bool isValidColour(uint32_t oleColour) noexcept;

constexpr uint32_t makeColour(int red, int green, int blue) noexcept {
    return static_cast<uint32_t>(red & 0xFF) | (static_cast<uint32_t>(green & 0xFF) << 8) |
           (static_cast<uint32_t>(blue & 0xFF) << 16);
}
constexpr int colourRed(uint32_t colour) noexcept {
    return static_cast<int>(colour & 0xFF);
}
constexpr int colourGreen(uint32_t colour) noexcept {
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int colourBlue(uint32_t colour) noexcept {
    return static_cast<int>((colour >> 16) & 0xFF);
}
constexpr bool isSystemColour(uint32_t colour) noexcept {
    return (colour & 0x80000000u) != 0;
}
// The OLE colour of a system colour index (COLOR_BTNFACE → 0x8000000F).
constexpr uint32_t systemColour(int index) noexcept {
    return 0x80000000u | static_cast<uint32_t>(index);
}

} // namespace forms
