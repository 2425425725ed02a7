#include "platform/forms/screen.h"

#include "platform/core/rounding.h"
#include "platform/forms/functions.h"

#include <windows.h>

namespace forms::Screen {

namespace {

int readDpi(int index) {
    HDC dc = GetDC(nullptr);
    int v = dc ? GetDeviceCaps(dc, index) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return v > 0 ? v : 96;
}

// The screen's DPI does not change while the program runs; every twips conversion asks for it.
int dpi(int index) {
    static const int x = readDpi(LOGPIXELSX), y = readDpi(LOGPIXELSY);
    return index == LOGPIXELSX ? x : y;
}

} // namespace

int TwipsPerPixelX() {
    return 1440 / dpi(LOGPIXELSX);
}
int TwipsPerPixelY() {
    return 1440 / dpi(LOGPIXELSY);
}
int pixelWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int pixelHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}
int Width() {
    return pixelWidth() * TwipsPerPixelX();
}
int Height() {
    return pixelHeight() * TwipsPerPixelY();
}
int twipsToPixelsX(double twips) {
    return static_cast<int>(core::roundHalfEven(twips / TwipsPerPixelX()));
}
int twipsToPixelsY(double twips) {
    return static_cast<int>(core::roundHalfEven(twips / TwipsPerPixelY()));
}

} // namespace forms::Screen
