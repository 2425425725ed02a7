#include "widgets/combo_box/combo_color.h"

#include "platform/forms/color.h"
#include "platform/forms/functions.h"

#include <windows.h>

#include <algorithm>

namespace widgets {

using forms::colourBlue;
using forms::colourGreen;
using forms::colourRed;
using forms::makeColour;

uint32_t LightenColor(uint32_t colour, int amount) {
    auto channel = [amount](int c) { return std::min(255, c * (255 - amount) / 255 + amount); };
    return makeColour(channel(colourRed(colour)), channel(colourGreen(colour)), channel(colourBlue(colour)));
}

uint32_t SysColorToRGB(uint32_t colour) {
    if (!forms::isSystemColour(colour)) return colour;
    return GetSysColor(static_cast<int>(colour & 0x7FFFFFFFu));
}

uint32_t TranslateColor(uint32_t colour) {
    COLORREF plain = 0;
    return forms::tryTranslateColor(colour, plain) ? plain : 0;
}

uint32_t ContrastColor(uint32_t colour) {
    auto channel = [](int c) { return c + 76 - 19 * ((c + 32) / 64); };
    return makeColour(channel(colourRed(colour)), channel(colourGreen(colour)), channel(colourBlue(colour)));
}

} // namespace widgets
