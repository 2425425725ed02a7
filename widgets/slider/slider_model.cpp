#include "widgets/slider/slider_model.h"

#include "platform/core/rounding.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/functions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace widgets {

double whole(double x) {
    return core::roundHalfEven(x);
}

int64_t checkedRange(int32_t min, int32_t max) {
    const int64_t range = int64_t{max} - int64_t{min};
    if (range > std::numeric_limits<int32_t>::max() || range < std::numeric_limits<int32_t>::min())
        throw core::RuntimeError(core::err::Overflow);
    return range;
}

void SliderModel::initNew() {
    state.range = int64_t{look.Max} - look.Min;
    state.lastValue = look.Value;
    state.dragging = false;
    resetThumb();
}

void SliderModel::afterRead() {
    state.lastValue = look.Value;
    state.dragging = false;
    state.range = checkedRange(look.Min, look.Max);
    // Both axes at once; the layout that follows sets the cross axis again.
    const double f = fraction(look.Value);
    const float tx = trackX(), ty = trackY();
    state.thumbLeft = tx > 0 ? static_cast<float>(tx * f) : 0.0f;
    state.thumbTop = ty > 0 ? static_cast<float>(ty - ty * f) : 0.0f;
}

double SliderModel::fraction(int32_t value) const {
    if (state.range <= 0) return 0.0;
    const double f = (double(value) - double(look.Min)) / double(state.range);
    return std::clamp(f, 0.0, 1.0);
}

bool SliderModel::writeValue(int32_t value) {
    if (value < look.Min || value > look.Max) throw core::RuntimeError(core::err::InvalidPropertyValue);
    look.Value = value;
    if (value == state.lastValue) return true;
    if (!state.dragging) placeAlongAxis();
    DrawRail();
    state.lastValue = value;
    if (!surface_.raise(SliderEvent::Change)) return false;
    if (value == look.Max && !surface_.raise(SliderEvent::ArrivedLast)) return false;
    if (value == look.Min && !surface_.raise(SliderEvent::ArrivedFirst)) return false;
    return true;
}

bool SliderModel::writeMin(int32_t value) {
    if (value >= look.Max) throw core::RuntimeError(core::err::InvalidPropertyValue);
    const int64_t range = checkedRange(value, look.Max);
    look.Min = value;
    state.range = range;
    if (!writeValue(value)) return false;
    // Also when Value already was the new Min: the thumb belongs at the Min end now.
    placeAlongAxis();
    DrawRail();
    return true;
}

void SliderModel::writeMax(int32_t value) {
    if (value <= look.Min) throw core::RuntimeError(core::err::InvalidPropertyValue);
    const int64_t range = checkedRange(look.Min, value);
    look.Max = value;
    state.range = range;
    // Value may now lie above Max; it stays, and the thumb is drawn at the Max end.
    placeAlongAxis();
    DrawRail();
}

void SliderModel::resetThumb() {
    if (look.horizontal()) {
        state.thumbLeft = 0;
        state.thumbTop = 0;
    } else if (look.vertical()) {
        state.thumbLeft = 0;
        state.thumbTop = std::max(0.0f, trackY());
    }
}

void SliderModel::placeAlongAxis() {
    const double f = fraction(look.Value);
    if (look.horizontal()) {
        const float track = trackX();
        state.thumbLeft = track > 0 ? static_cast<float>(track * f) : 0.0f;
    } else if (look.vertical()) {
        const float track = trackY();
        state.thumbTop = track > 0 ? static_cast<float>(track - track * f) : 0.0f;
    }
}

void SliderModel::layOut() {
    if (!look.laidOut()) return;
    const int w = state.thumbWidth, h = state.thumbHeight;
    const double sw = surface_.scaleWidth(), sh = surface_.scaleHeight();
    if (look.horizontal()) {
        // Centred across a rail picture thicker than the thumb.
        state.thumbTop = look.pictureRail() && h < state.railHeight ? (state.railHeight - h) / 2 : 0;
        placeAlongAxis();
        state.rail.top = (h - 4) / 2;
        state.rail.bottom = state.rail.top + 4;
        state.rail.left = w / 2 - 2;
        state.rail.right = static_cast<LONG>(whole(sw + state.rail.left - w + 4));
    } else {
        state.thumbLeft = look.pictureRail() && w < state.railWidth ? (state.railWidth - w) / 2 : 0;
        placeAlongAxis();
        state.rail.top = h / 2 - 2;
        state.rail.bottom = static_cast<LONG>(whole(sh + state.rail.top - h + 4));
        state.rail.left = (w - 4) / 2;
        state.rail.right = state.rail.left + 4;
    }
}

int32_t SliderModel::PositionToValue() {
    if (state.range <= 0 || !look.laidOut()) return look.Value;
    const double range = double(state.range), min = look.Min;
    double v;
    if (look.horizontal()) {
        const double track = trackX();
        if (track <= 0) return look.Value;
        v = whole(state.thumbLeft / track * range + min);
        if (!std::isfinite(v)) return look.Value;
        v = std::clamp(v, min, double(look.Max));
        state.thumbLeft = static_cast<float>(track * (v - min) / range);
    } else {
        const double track = trackY();
        if (track <= 0) return look.Value;
        v = whole((track - state.thumbTop) / track * range + min);
        if (!std::isfinite(v)) return look.Value;
        v = std::clamp(v, min, double(look.Max));
        state.thumbTop = static_cast<float>(track - track * (v - min) / range);
    }
    return static_cast<int32_t>(v);
}

void SliderModel::DrawRail() {
    surface_.paint();
    if (state.dragging && tipAllowed()) surface_.showTip();
}

void SliderModel::press(int button, int shift, float x, float y) {
    if (!look.Enabled || button != core::mouse::Left) return;
    if (look.laidOut()) {
        state.dragging = true;
        const float l = state.thumbLeft, t = state.thumbTop;
        const float w = static_cast<float>(state.thumbWidth), h = static_cast<float>(state.thumbHeight);
        if (x >= l && x < l + w && y >= t && y < t + h) {
            state.grabX = x - l;
            state.grabY = y - t;
        } else {
            state.grabX = static_cast<float>(state.thumbWidth / 2);
            state.grabY = static_cast<float>(state.thumbHeight / 2);
            if (!move(x, y)) return;
        }
        if (tipAllowed()) surface_.showTip();
    }
    surface_.raise(SliderEvent::MouseDown, static_cast<int16_t>(shift));
}

bool SliderModel::move(float x, float y) {
    if (!state.dragging || !look.laidOut()) return true;
    if (!std::isfinite(x) || !std::isfinite(y)) return true;
    const bool h = look.horizontal();
    const float p = h ? x - state.grabX : y - state.grabY;
    const float track = h ? trackX() : trackY();
    const float at = track <= 0 || p < 0 ? 0.0f : std::min(p, track);
    (h ? state.thumbLeft : state.thumbTop) = at;
    const int32_t v = PositionToValue();
    // No range or no track gives back Value itself, which need not lie in [Min, Max]: nothing to write.
    if (v == look.Value) return true;
    return writeValue(v);
}

void SliderModel::release(int button, int shift, float x, float y) {
    // The drag is over before the host hears of the release, so a Value it writes moves the thumb.
    const bool wasDragging = state.dragging;
    state.dragging = false;
    const bool inside = x >= 0 && x < surface_.scaleWidth() && y >= 0 && y < surface_.scaleHeight();
    bool alive = true;
    if (button == core::mouse::Left && inside) alive = surface_.raise(SliderEvent::Click);
    if (alive && wasDragging) surface_.raise(SliderEvent::MouseUp, static_cast<int16_t>(shift));
    surface_.closeTip();
}

void SliderModel::captureLost() {
    if (!state.dragging) return;
    state.dragging = false;
    surface_.closeTip();
}

} // namespace widgets
