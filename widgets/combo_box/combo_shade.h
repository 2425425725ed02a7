// The colours of the closed combo's looks as data: where a colour comes from (a fixed value, one of
// the control's colour properties, the container's back colour) and how much it is
// lightened, and a look's rows by paint state.
#pragma once

#include "widgets/combo_box/combo_look.h"

#include <cstdint>

namespace widgets {

enum class ShadeSource : uint8_t {
    Fixed,
    Arrow,
    NormalBorder,
    HighLightBorder,
    SelectBorder,
    Gradient1,
    Gradient2,
    GradientMix, // the mean of the two gradient colours
    Disabled,    // as DisabledColor reads
    Parent,      // the container's back colour
};

struct Shade {
    ShadeSource source = ShadeSource::Fixed;
    uint32_t value = 0; // the fixed colour
    int lighten = 0;
};

namespace shade {
constexpr Shade fixed(uint32_t colour, int lighten = 0) {
    return {ShadeSource::Fixed, colour, lighten};
}
constexpr Shade arrow(int lighten = 0) {
    return {ShadeSource::Arrow, 0, lighten};
}
constexpr Shade normal(int lighten = 0) {
    return {ShadeSource::NormalBorder, 0, lighten};
}
constexpr Shade highLight(int lighten = 0) {
    return {ShadeSource::HighLightBorder, 0, lighten};
}
constexpr Shade select(int lighten = 0) {
    return {ShadeSource::SelectBorder, 0, lighten};
}
constexpr Shade gradient1(int lighten = 0) {
    return {ShadeSource::Gradient1, 0, lighten};
}
constexpr Shade gradient2(int lighten = 0) {
    return {ShadeSource::Gradient2, 0, lighten};
}
constexpr Shade gradientMix(int lighten = 0) {
    return {ShadeSource::GradientMix, 0, lighten};
}
constexpr Shade disabled(int lighten = 0) {
    return {ShadeSource::Disabled, 0, lighten};
}
constexpr Shade parent() {
    return {ShadeSource::Parent, 0, 0};
}
} // namespace shade

// A look's rows by paint state. A look whose table has no row for other states uses its normal row.
template <class Row>
struct ByState {
    Row normal, hot, pressed, disabled, other;
    constexpr ByState(Row n, Row h, Row p, Row d) : normal(n), hot(h), pressed(p), disabled(d), other(n) {}
    constexpr ByState(Row n, Row h, Row p, Row d, Row o)
        : normal(n), hot(h), pressed(p), disabled(d), other(o) {}
    constexpr const Row& operator[](int state) const {
        switch (state) {
        case comboState::Normal:
            return normal;
        case comboState::Hot:
            return hot;
        case comboState::Pressed:
            return pressed;
        case comboState::Disabled:
            return disabled;
        default:
            return other;
        }
    }
};

} // namespace widgets
