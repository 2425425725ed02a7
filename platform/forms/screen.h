#pragma once

namespace forms {

// The screen the program runs on. Sizes in twips use the screen's own twips-per-pixel factors.
namespace Screen {
int TwipsPerPixelX();
int TwipsPerPixelY();
int Width();  // twips
int Height(); // twips
int pixelWidth();
int pixelHeight();

inline int pixelsToTwipsX(int px) {
    return px * TwipsPerPixelX();
}
inline int pixelsToTwipsY(int px) {
    return px * TwipsPerPixelY();
}
// Twips to pixels, rounded to the nearest pixel (halves to even).
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
} // namespace Screen

} // namespace forms
