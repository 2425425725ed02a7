#pragma once
#include <cstdint>
#include <windows.h>

namespace widgets {

// The RGB value of a colour (system colours allowed) through OleTranslateColor; -1 when it fails.
long TranslateColor(long oClr, HPALETTE hPal = nullptr);

// Channel by channel round(from * Alpha / 255 + to * (255 - Alpha) / 255), halves to even, of the
// two colours translated; Alpha 255 gives the first colour, 0 the second.
long BlendColor(long oColorFrom, long oColorTo, long Alpha);

} // namespace widgets
