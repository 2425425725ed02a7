#include "widgets/shared/list_color.h"

#include "platform/core/ole_color.h"
#include "platform/forms/functions.h"

namespace widgets {

long TranslateColor(long colour, HPALETTE palette) {
    COLORREF rgb = 0;
    if (core::oleTranslateColor(static_cast<std::uint32_t>(colour), palette, &rgb) != S_OK) return -1;
    return static_cast<long>(rgb);
}

long BlendColor(long colourFrom, long colourTo, long alpha, ColourTranslation translate) {
    const auto from = static_cast<std::uint32_t>(translate(colourFrom, nullptr));
    const auto to = static_cast<std::uint32_t>(translate(colourTo, nullptr));
    long result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = static_cast<double>((from >> shift) & 0xFF);
        const double b = static_cast<double>((to >> shift) & 0xFF);
        const double c = a * alpha / 255 + b * (255 - alpha) / 255;
        result += forms::roundToLong(c) << shift;
    }
    return result;
}

} // namespace widgets
