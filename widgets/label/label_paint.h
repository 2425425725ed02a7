// The painting of the captioned label: background (plain or gradient), shadow layers, text, border
// or outline, on any device context of a given pixel size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/core/constants.h"
#include "platform/forms/gdi.h"
#include "widgets/shared/gdi_helpers.h"

namespace widgets {

// The see-through colour: what still shows it after painting is not part of the label.
inline constexpr std::uint32_t kLabelMaskColor = core::sysColor::ButtonFace;

// The direction of the shadow from the text (ShadowStyle); the numbers are the stored ones, any
// other draws every layer under the text.
namespace shadowDirection {
inline constexpr std::int32_t UpLeft = 0;
inline constexpr std::int32_t UpRight = 1;
inline constexpr std::int32_t DownLeft = 2;
inline constexpr std::int32_t DownRight = 3;
} // namespace shadowDirection

// The gradient backgrounds (GradientBackColorStyle), named for where the start colour lies.
namespace labelGradient {
inline constexpr std::int32_t StartLeft = 0;
inline constexpr std::int32_t StartRight = 1;
inline constexpr std::int32_t StartTop = 2;
inline constexpr std::int32_t StartBottom = 3;
inline constexpr std::int32_t StartTopLeft = 4;
inline constexpr std::int32_t StartBottomLeft = 5;
inline constexpr std::int32_t StartMiddleColumn = 6;
inline constexpr std::int32_t StartMiddleRow = 7;
inline constexpr std::int32_t StartRisingDiagonal = 8;
inline constexpr std::int32_t StartFallingDiagonal = 9;
} // namespace labelGradient

struct LabelLook {
    std::uint32_t BackColor = core::sysColor::ButtonFace;
    std::uint32_t Forecolor = 0;
    std::uint32_t BorderColor = 0;
    std::int32_t BorderStyle = 0;
    std::int32_t BorderSize = 1;
    bool WordWrap = false;
    bool Transparent = false;
    std::int32_t EdgeSpace = 1;
    std::uint32_t OutlineColor = 0xFFFFFF;
    bool Shadow = true;
    std::int16_t ShadowDepth = 1;
    std::int32_t ShadowStyle = 0;
    std::uint32_t ShadowColorStart = 0;
    std::uint32_t ShadowColorEnd = 0xFFFFFF;
    std::int32_t Alignment = 0;
    std::int32_t BackColorStyle = 0;
    std::int32_t GradientBackColorStyle = 0;
    std::uint32_t GradientBackColorStart = 0;
    std::uint32_t GradientBackColorEnd = 0;

    // The shadow's depth as drawn and laid out: none without a shadow or with a depth below 1.
    int shadowExtent() const { return Shadow && ShadowDepth > 0 ? ShadowDepth : 0; }
    // The border size a repaint leaves behind: the frames of styles 3 to 5 have their own.
    std::int32_t borderSizeAfterPaint() const {
        using namespace core::labelBorder;
        return BorderStyle == Triple ? 3 : (BorderStyle == Sunken || BorderStyle == Raised) ? 2 : BorderSize;
    }
};

class LabelPainter {
public:
    // dc has the label's font selected; width and height are the surface's pixel size.
    LabelPainter(HDC dc, int width, int height, LabelLook& look)
        : dc_(dc), width_(width), height_(height), look_(look) {}

    // Repaints everything; returns the number of text lines drawn. Border styles 3 to 5 store their
    // own border size in the look for the next repaint.
    int Redraw(const std::wstring& text);

    // The text in the current text colour; the height drawn, 0 for a blank text.
    int DrawTextOut(const std::wstring& text, RECT rect, bool wrap);
    void DrawOutlineText(const std::wstring& text, RECT rect, bool wrap, int w);
    void DrawShadowText(const std::wstring& text, RECT rect, bool wrap, std::uint32_t nearColor,
                        std::uint32_t farColor, std::int16_t depth, std::int32_t style);
    void DrawGradientBack(std::int32_t style);

private:
    HDC dc_;
    int width_, height_;
    LabelLook& look_;

    void foreColor(std::uint32_t color);
    void line(int x1, int y1, int x2, int y2, std::uint32_t color);
    void point(int x, int y, std::uint32_t color);
    void rectangle(int l, int t, int r, int b);
    COLORREF fore_ = 0;
};

// The part of a top-down 0x00RRGGBB image that does not show the colour, as a window region (empty
// when every pixel shows it).
forms::GdiRegion regionWithout(const std::uint32_t* pixels, int width, int height, COLORREF color);

} // namespace widgets
