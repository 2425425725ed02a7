// The slider's values and thumb: what a write of Min, Max or Value does, where the thumb sits, and
// how a press, a drag and a release move it. The control lends it a surface to measure, draw on and
// raise events through, so all of it runs without a window.
#pragma once

#include "platform/core/constants.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace forms {
class StdPicture;
}

namespace widgets {

namespace sliderOrientation {
inline constexpr int32_t Horizontal = 0; // Min at the left
inline constexpr int32_t Vertical = 1;   // Min at the bottom
} // namespace sliderOrientation

namespace railStyle {
inline constexpr int32_t Sunken = 0;
inline constexpr int32_t Raised = 1;
inline constexpr int32_t ThinSunken = 2;
inline constexpr int32_t ThinRaised = 3;
inline constexpr int32_t Flat = 4;
inline constexpr int32_t Picture = 99;
} // namespace railStyle

// The thumb without a picture: 240 twips square.
inline constexpr int kThumbPixels = 16;

// The stored properties.
struct SliderLook {
    uint32_t BackColor = core::sysColor::ButtonFace;
    int32_t MousePointer = core::pointer::Default;
    std::shared_ptr<forms::StdPicture> MouseIcon;
    bool Enabled = true;
    int32_t Orientation = sliderOrientation::Vertical;
    int32_t RailStyle = railStyle::Sunken;
    bool ShowValueTip = true;
    int32_t Min = 0;
    int32_t Max = 10;
    int32_t Value = 0;
    std::shared_ptr<forms::StdPicture> SliderImage;
    std::shared_ptr<forms::StdPicture> RailImage;

    bool horizontal() const { return Orientation == sliderOrientation::Horizontal; }
    bool vertical() const { return Orientation == sliderOrientation::Vertical; }
    bool laidOut() const { return horizontal() || vertical(); }
    bool pictureRail() const { return RailStyle == railStyle::Picture && RailImage != nullptr; }
};

// What the control works out and keeps between messages.
struct SliderState {
    int64_t range = 10;
    int32_t lastValue = 0;
    bool dragging = false;
    float grabX = 0, grabY = 0;
    // The thumb holder: position as floats, size in whole pixels.
    float thumbLeft = 0, thumbTop = 0;
    int thumbWidth = kThumbPixels, thumbHeight = kThumbPixels;
    // The rail picture's size (0 without one).
    int railWidth = 0, railHeight = 0;
    RECT rail{};
    RECT thumb{};
};

enum class SliderEvent { Click, ArrivedFirst, ArrivedLast, Change, MouseDown, MouseUp };

// What the model needs of its control.
class SliderSurface {
public:
    virtual ~SliderSurface() = default;
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    // Clears and paints rail and thumb.
    virtual void paint() = 0;
    // Raises an event; false when the control is no longer loaded afterwards.
    virtual bool raise(SliderEvent event, int16_t shift = 0) = 0;
    virtual void showTip() = 0;
    virtual void closeTip() = 0;
};

// Whole number nearest to x, halves to the even neighbour.
double whole(double x);

class SliderModel {
public:
    explicit SliderModel(SliderSurface& surface) : surface_(surface) {}

    SliderLook look;
    SliderState state;

    // A new slider: the defaults, thumb at the Min end, nothing drawn.
    void initNew();
    // After the stored values were read: error 6 when the range does not fit in 32 bits.
    void afterRead();

    // Error 380 outside [Min, Max]; a changed value moves the thumb, draws and raises
    // Change, then ArrivedLast or ArrivedFirst. False when the control went during an event.
    bool writeValue(int32_t value);
    // Error 380 unless Min < Max afterwards, 6 when Max - Min does not fit in 32 bits.
    bool writeMin(int32_t value);
    void writeMax(int32_t value);

    // The thumb at the Min end; Value stays.
    void resetThumb();
    // The thumb where Value puts it along the axis, kept on the track.
    void placeAlongAxis();
    // The thumb across the axis and the rail's groove, for the current size.
    void layOut();
    // The value at the thumb's position, snapping the thumb to it; the current Value when there is
    // no range or no track.
    int32_t PositionToValue();
    // Paints, and while dragging refreshes the tip.
    void DrawRail();

    void press(int button, int shift, float x, float y);
    bool move(float x, float y);
    void release(int button, int shift, float x, float y);
    // Capture went to another window: the drag ends without a release.
    void captureLost();

    float trackX() const { return surface_.scaleWidth() - static_cast<float>(state.thumbWidth); }
    float trackY() const { return surface_.scaleHeight() - static_cast<float>(state.thumbHeight); }

private:
    SliderSurface& surface_;

    // How far along [Min, Max] a value lies, kept within 0..1; 0 without a range.
    double fraction(int32_t value) const;
    bool tipAllowed() const { return look.ShowValueTip && look.laidOut(); }
};

// Max - Min as the range, error 6 when it does not fit in 32 bits.
int64_t checkedRange(int32_t min, int32_t max);

} // namespace widgets
