// The value tip all sliders share: a small borderless window beside the thumb that shows the value
// while the thumb is dragged. It never takes the activation and is not topmost.
#pragma once

#include "platform/forms/form.h"

#include <windows.h>

#include <cstdint>

namespace forms {
class Label;
}

namespace widgets {

class ucSliderTip : public forms::Form {
public:
    ucSliderTip();

    forms::Label& lblTip();
    // Moves and sizes the window (twips) and draws its border for the new size, also while the
    // window is still hidden.
    void place(int left, int top, int width, int height);

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
    void Form_Resize() override { drawBorder(); }

private:
    void drawBorder();
};

// What the tip needs of the slider being dragged: its window, value, orientation and thumb (pixels),
// and its twips-per-pixel factors.
struct SliderTipRequest {
    HWND slider;
    int32_t value;
    int32_t orientation;
    float thumbLeft, thumbTop;
    int thumbWidth, thumbHeight;
    int tppX, tppY;
};

// Fills, sizes, places and shows the tip, loading it first if needed; a step that fails is skipped.
// An orientation other than 0 or 1 shows nothing.
void ShowTip(const SliderTipRequest& request);
// Unloads the tip; nothing when it is not loaded.
void CloseSliderTip() noexcept;

} // namespace widgets
