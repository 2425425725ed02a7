// The slider's picture: back colour, the rail as a 3-D groove or a picture, and the thumb as a raised
// button-face square or a picture, on any device context of a given pixel size.
#pragma once

#include "widgets/slider/slider_model.h"

#include <windows.h>

namespace widgets {

class SliderPainter {
public:
    SliderPainter(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}

    // Paints everything; the thumb's drawn rectangle goes to state.thumb.
    void paint(const SliderLook& look, SliderState& state);

private:
    HDC dc_;
    int width_, height_;

    void clear(const SliderLook& look);
    void rail(const SliderLook& look, const SliderState& state);
    void thumb(const SliderLook& look, SliderState& state);
};

} // namespace widgets
