#include "widgets/shared/list_gradient.h"

#include "platform/forms/functions.h"
#include "widgets/shared/list_color.h"

#include <cstdint>
#include <vector>

namespace widgets {

void DrawGradientBits(HDC dc, long left, long top, long width, long height, long colourA, long colourB,
                      long style) {
    if (width < 1 || height < 1) return;
    const long aRed = colourA & 0xFF, aGreen = (colourA >> 8) & 0xFF, aBlue = (colourA >> 16) & 0xFF;
    const long bRed = colourB & 0xFF, bGreen = (colourB >> 8) & 0xFF, bBlue = (colourB >> 16) & 0xFF;
    const long n = style == gradient::Horizontal ? width - 1
                   : style == gradient::Vertical ? height - 1
                                                 : width + height - 2;

    std::vector<std::uint32_t> ramp(static_cast<std::size_t>(n + 1));
    auto pack = [](long r, long g, long b) { return static_cast<std::uint32_t>(r * 65536 + g * 256 + b); };
    if (n == 0) {
        ramp[0] = pack(aRed / 2 + bRed / 2, aGreen / 2 + bGreen / 2, aBlue / 2 + bBlue / 2);
    } else {
        for (long k = 0; k <= n; ++k)
            ramp[static_cast<std::size_t>(k)] =
                pack(aRed + (bRed - aRed) * k / n, aGreen + (bGreen - aGreen) * k / n,
                     aBlue + (bBlue - aBlue) * k / n);
    }

    // Bottom row first, as a bottom-up bitmap stores it.
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (long row = 0; row < height; ++row) {
        const long fromTop = height - 1 - row;
        std::uint32_t* line = bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        for (long x = 0; x < width; ++x) {
            switch (style) {
            case gradient::Horizontal:
                line[x] = ramp[static_cast<std::size_t>(x)];
                break;
            case gradient::Vertical:
                line[x] = ramp[static_cast<std::size_t>(fromTop)];
                break;
            case gradient::Diagonal:
                line[x] = ramp[static_cast<std::size_t>(x + fromTop)];
                break;
            case gradient::DiagonalUp:
                line[x] = ramp[static_cast<std::size_t>(x + row)];
                break;
            default:
                break;
            }
        }
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, left, top, width, height, 0, 0, width, height, bits.data(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

void DrawGradient(HDC dc, long left, long top, long width, long height, long colour1, long colour2,
                  long style, bool swap) {
    if (style == gradient::None) return;
    long start = swap ? colour2 : colour1;
    long end = swap ? colour1 : colour2;
    if (start < 0) start = TranslateColor(start);
    if (end < 0) end = TranslateColor(end);
    DrawGradientRamp(dc, left, top, width, height, start, end, style);
}

void DrawGradientRamp(HDC dc, long left, long top, long width, long height, long start, long end,
                      long style) {
    if (style == gradient::HorizontalMirrored) {
        DrawGradientBits(dc, left, top, forms::roundToLong(width / 2.0), height, start, end,
                         gradient::Horizontal);
        DrawGradientBits(dc, forms::roundToLong(left + width / 2.0 - 1), top, forms::roundToLong(width / 2.0),
                         height, end, start, gradient::Horizontal);
    } else if (style == gradient::VerticalMirrored) {
        DrawGradientBits(dc, left, top, width, forms::roundToLong(height / 2.0), start, end,
                         gradient::Vertical);
        DrawGradientBits(dc, left, forms::roundToLong(top + height / 2.0 - 1), width,
                         forms::roundToLong(height / 2.0), end, start, gradient::Vertical);
    } else {
        DrawGradientBits(dc, left, top, width, height, start, end, style);
    }
}

} // namespace widgets
