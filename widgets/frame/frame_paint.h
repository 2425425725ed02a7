// The painting of the captioned frame: six looks, from etched group-box lines to title bars with
// colour ramps, and the caption, drawn on a control's surface (which needs no window).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace forms {
class Surface;
}

namespace widgets {

// FrameStyle: the frame's looks. Any other value draws only the caption.
namespace frameLook {
inline constexpr std::int32_t Etched = 0;      // one etched line at half the caption's height
inline constexpr std::int32_t EtchedBox = 1;   // etched double rectangle
inline constexpr std::int32_t RampBorder = 2;  // ramp ring round the whole frame, band under the title
inline constexpr std::int32_t ThemedTitle = 3; // title bar and body in ramps of the theme
inline constexpr std::int32_t PlainTitle = 4;  // title bar filled with BackTitleColor
inline constexpr std::int32_t ThemedStrip = 5; // thin themed strip with grip dots over the title
} // namespace frameLook

// The stored look: every stored property but the font.
struct FrameLook {
    std::wstring Caption;
    bool TiengViet = false;
    std::int32_t FrameStyle = frameLook::Etched;
    std::int32_t AlignmentText = 0;
    bool ShadowText = false;
    std::uint32_t ShadowColor = 0;
    std::int32_t ThemeColor = 0;
    std::uint32_t BorderColor = 0;
    std::uint32_t BackTitleColor = 0;
    std::uint32_t ForeTitleColor = 0;
    std::uint32_t BackFrameColor = 0;
    std::int16_t TitleHeight = 0;
    bool RoundCorner = false;
    std::uint32_t BackColor = 0;
    std::int32_t BorderGradientWidth = 0;
    std::uint32_t GradientOutColor = 0;
    std::uint32_t GradientInColor = 0;
};

// Run-time state, never stored.
struct FrameState {
    // While set, Refresh returns at once: a flag, not a count.
    bool PaintHeld = false;
    // The current theme's colours, set only when a theme is applied.
    std::uint32_t ThemeBaseColor = 0;
    std::uint32_t ThemeLightColor = 0;
};

// The colours of a theme (ThemeColor 1, 2, 3 and 5; any other value is the default theme).
struct FrameTheme {
    std::uint32_t base, light, border;
};
FrameTheme frameTheme(std::int32_t themeColor);

// Where the caption's gap in the top line of the etched looks begins; it is textWidth + 4 wide.
int captionGapX(std::int32_t alignment, float scaleWidth, int textWidth);

// A rectangle of the drawing routines, wide enough for any sum of the stored sizes.
struct FrameBox {
    std::int64_t l, t, r, b;
};

class FramePainter {
public:
    FramePainter(forms::Surface& surface, FrameLook& look, const FrameState& state);

    // Clears the surface and draws the look and the caption. Looks 3 and 5 store their body colour
    // in BackFrameColor; look 0 stores BackFrameColor as BackColor and returns true, so that the
    // control reports that change.
    bool Refresh();

    // The caption in the surface's font and current colour, on one line, centred vertically.
    void DrawTextOut(HDC dc, const std::wstring& text, const RECT& rect);
    // Rows from c1 at the top to c2 at the bottom, and the outline in p when asked.
    void BlendBorder(std::uint32_t c1, std::uint32_t c2, const FrameBox& box, std::uint32_t p, bool outline);
    // A ring of w nested rectangles round the whole surface, running cOut - cIn - cOut.
    void GradientBorder(std::uint32_t cOut, std::uint32_t cIn, std::int32_t w);
    // A band whose rows grow from its top and bottom edges towards its middle, with tapered ends.
    void GradientBand(std::uint32_t c1, std::uint32_t c2, const FrameBox& box);
    // n embossed dots 4 pixels apart, centred in the box measured from its own origin.
    void DrawHighlight(const FrameBox& box, std::uint32_t c, std::int16_t n);

private:
    forms::Surface& s_;
    FrameLook& look_;
    const FrameState& state_;
    HDC dc_;
    int width_, height_; // SW and SH as whole pixels

    void foreColor(std::uint32_t color);
    void solidBrush(std::uint32_t color);
    void hollowBrush();
    void rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);
    void roundRectangle(int corner);
    void line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::uint32_t color);
};

} // namespace widgets
