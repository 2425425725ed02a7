#include "widgets/list/list_gradient.h"

#include "platform/forms/functions.h"
#include "widgets/list/list_color.h"

#include <cstdint>
#include <vector>

namespace widgets {

void DrawGradientBits(HDC hDC, long X, long Y, long Width, long Height, long ColorA, long ColorB,
                      long Style) {
    if (Width < 1 || Height < 1) return;
    const long aRed = ColorA & 0xFF, aGreen = (ColorA >> 8) & 0xFF, aBlue = (ColorA >> 16) & 0xFF;
    const long bRed = ColorB & 0xFF, bGreen = (ColorB >> 8) & 0xFF, bBlue = (ColorB >> 16) & 0xFF;
    const long n = Style == 1 ? Width - 1 : Style == 3 ? Height - 1 : Width + Height - 2;

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
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0);
    for (long row = 0; row < Height; ++row) {
        const long fromTop = Height - 1 - row;
        std::uint32_t* line = bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(Width);
        for (long x = 0; x < Width; ++x) {
            switch (Style) {
            case 1:
                line[x] = ramp[static_cast<std::size_t>(x)];
                break;
            case 3:
                line[x] = ramp[static_cast<std::size_t>(fromTop)];
                break;
            case 5:
                line[x] = ramp[static_cast<std::size_t>(x + fromTop)];
                break;
            case 6:
                line[x] = ramp[static_cast<std::size_t>(x + row)];
                break;
            default:
                break;
            }
        }
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(hDC, X, Y, Width, Height, 0, 0, Width, Height, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void DrawGradient(HDC hDC, long X, long Y, long Width, long Height, long Color1, long Color2, long Style,
                  bool swap) {
    if (Style == 0) return;
    long start = swap ? Color2 : Color1;
    long end = swap ? Color1 : Color2;
    if (start < 0) start = TranslateColor(start);
    if (end < 0) end = TranslateColor(end);
    if (Style == 2) {
        DrawGradientBits(hDC, X, Y, forms::roundToLong(Width / 2.0), Height, start, end, 1);
        DrawGradientBits(hDC, forms::roundToLong(X + Width / 2.0 - 1), Y, forms::roundToLong(Width / 2.0),
                         Height, end, start, 1);
    } else if (Style == 4) {
        DrawGradientBits(hDC, X, Y, Width, forms::roundToLong(Height / 2.0), start, end, 3);
        DrawGradientBits(hDC, X, forms::roundToLong(Y + Height / 2.0 - 1), Width,
                         forms::roundToLong(Height / 2.0), end, start, 3);
    } else {
        DrawGradientBits(hDC, X, Y, Width, Height, start, end, Style);
    }
}

} // namespace widgets
