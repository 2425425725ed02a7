#include "platform/forms/screen.h"

#include <windows.h>

#include <cmath>

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

int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
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
    return roundEven(twips / TwipsPerPixelX());
}
int twipsToPixelsY(double twips) {
    return roundEven(twips / TwipsPerPixelY());
}

} // namespace forms::Screen
