#pragma once
#include <cstdint>
#include <windows.h>

namespace widgets {

// The RGB value of a colour (system colours allowed) through OleTranslateColor; -1 when it fails.
long TranslateColor(long colour, HPALETTE palette = nullptr);

// How a control turns an OLE colour into RGB.
using ColourTranslation = long (*)(long colour, HPALETTE palette);

// Channel by channel round(from * alpha / 255 + to * (255 - alpha) / 255), halves to even, of the
// two colours translated; alpha 255 gives the first colour, 0 the second.
long BlendColor(long colourFrom, long colourTo, long alpha, ColourTranslation translate = &TranslateColor);

} // namespace widgets
