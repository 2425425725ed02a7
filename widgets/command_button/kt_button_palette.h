// The command button's colour arithmetic, nine-colour palette, caption and picture layout and access
// key: pure routines, so they are tested without a window.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace widgets::ktbutton {

// The drawing styles (ButtonStyle), named for what they draw; the numbers are the stored ones.
namespace style {
inline constexpr std::int32_t RoundGlossy = 0;
inline constexpr std::int32_t RoundGlossyBlue = 1;
inline constexpr std::int32_t RoundGlossyGrey = 2;
inline constexpr std::int32_t GradientFramed = 3;
inline constexpr std::int32_t Flat = 4;
inline constexpr std::int32_t GradientBevel = 5;
inline constexpr std::int32_t Classic3D = 6;
inline constexpr std::int32_t SoftCornersBlue = 7;
inline constexpr std::int32_t SoftCornersGreen = 8;
inline constexpr std::int32_t SoftCornersFramed = 9;
inline constexpr std::int32_t FlatSoftBevel = 10;
inline constexpr std::int32_t GradientFocusFrame = 11;
inline constexpr bool isRound(std::int32_t s) {
    return s >= RoundGlossy && s <= RoundGlossyGrey;
}
} // namespace style

inline constexpr std::int32_t White = 0x00FFFFFF;
inline constexpr std::int32_t Black = 0x00000000;
inline constexpr std::int32_t NoColour = -1; // P8 of the round styles: derive the highlight

// Halves to the even neighbour, as the run time rounds.
long Round(double x);

// Factors are single precision; each is widened to double before it multiplies.
std::int32_t ShiftColor(std::int32_t colour, float factor);
std::int32_t BlendColor(std::int32_t from, std::int32_t to, float fraction);
// A plain colour for an OLE colour (system colours translated); black for a value naming none.
std::int32_t TranslateColor(std::uint32_t colour);
float Clamp(float value, long minimum, long maximum);

// P0 face, P3 caption, P5 disabled caption, P7 transparent colour, P8 white or NoColour; P1, P2, P4
// and P6 by style. Slots a style does not set keep what they held.
using Palette = std::array<std::int32_t, 9>;
void SetColors(Palette& p, std::int32_t style, std::uint32_t backColor, std::uint32_t foreColor,
               std::uint32_t maskColor);
// The BackColor ColorScheme gives a style; false for a style outside 0..11.
bool schemeColour(std::int32_t style, std::uint32_t& colour);
// The palette slot OverrideColor's Property names (P1, P2, P4, P5, P6, P8); -1 for none.
int overrideSlot(long property);

// The key the caption's "&" marks, lower case, read left to right as DrawText does: "&&" is a
// literal ampersand and the last single "&" before a character wins. Empty when none.
std::wstring SetAccessKey(const std::wstring& caption);

struct Layout {
    RECT inner{};
    RECT caption{};
    RECT picture{};
};
// Places caption and picture in a W x H client area. captionSize is the measured (wrapped) caption,
// (0, 0) without a caption; hasPicture with its drawn size.
Layout CalcLayout(int W, int H, int marginV, int marginH, SIZE captionSize, bool hasCaption, bool hasPicture,
                  SIZE pictureSize, std::int32_t alignment);

} // namespace widgets::ktbutton
