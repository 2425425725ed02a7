#include "widgets/text/color_ramp.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "platform/forms/color.h"
#include "platform/core/runtime_error.h"

namespace widgets {

namespace {

struct Channels {
    int r, g, b;
};

Channels split(std::uint32_t color) {
    color = plainColor(color);
    return {int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF)};
}

// Per-channel steps over `divisor` intervals; blue's step is kept in single precision, as the
// drawn ramps have always been.
struct Steps {
    double r, g;
    float b;
};

Steps steps(const Channels& a, const Channels& z, int divisor) {
    auto step = [&](int from, int to) {
        double s = std::abs(to - from) / double(divisor);
        return to < from ? -s : s;
    };
    return {step(a.r, z.r), step(a.g, z.g), float(step(a.b, z.b))};
}

// Halves go to the even neighbour (the default rounding mode).
int roundEven(double v) {
    return int(std::nearbyint(v));
}

std::uint32_t entry(const Channels& a, const Steps& s, int i) {
    int r = roundEven(a.r + i * s.r);
    int g = roundEven(a.g + i * s.g);
    int b = roundEven(a.b + i * double(s.b));
    return std::uint32_t(r) + 256u * std::uint32_t(g) + 65536u * std::uint32_t(b);
}

// n colours from c1 to c2; n < 1 leaves the ramp as it is.
void segment(std::uint32_t c1, std::uint32_t c2, std::int32_t n, Ramp& ramp) {
    if (n < 1) return;
    Channels a = split(c1);
    if (n == 1) {
        ramp.assign(1, entry(a, {0, 0, 0}, 0));
        return;
    }
    Steps s = steps(a, split(c2), n - 1);
    ramp.resize(size_t(n));
    for (std::int32_t i = 0; i < n; ++i) ramp[size_t(i)] = entry(a, s, i);
}

} // namespace

std::uint32_t plainColor(std::uint32_t color) {
    if (!forms::isSystemColour(color)) return color;
    COLORREF c = 0;
    forms::tryTranslateColor(color, c);
    return std::uint32_t(c) & 0xFFFFFFu;
}

void GradientColors(std::uint32_t c1, std::uint32_t c2, std::int16_t n, Ramp& ramp) {
    Channels a = split(c1);
    if (n <= 0) {
        ramp.assign(1, entry(a, {0, 0, 0}, 0));
        return;
    }
    Steps s = steps(a, split(c2), n);
    ramp.resize(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) ramp[size_t(i)] = entry(a, s, i);
}

void GradientSegment(std::uint32_t c1, std::uint32_t c2, std::int16_t n, Ramp& ramp) {
    segment(c1, c2, n, ramp);
}

void MultiGradientColors(const std::vector<std::uint32_t>& stops, std::int32_t total, Ramp& ramp) {
    if (total <= 0) {
        ramp.clear();
        return;
    }
    if (stops.size() < 2) throw forms::RuntimeError(11, L"Division by zero");
    const std::int32_t segments = std::int32_t(stops.size()) - 1;
    const std::int32_t per = total / segments, rem = total % segments;
    ramp.assign(1, 0);
    Ramp scratch;
    // Counts stay 32-bit: a total above 32767 must not wrap.
    for (std::int32_t i = 0; i < segments; ++i) {
        std::int32_t count = per + 1;
        if (rem >= 2 && i < rem - 1)
            count = per + 2;
        else if (i == segments - 1 && rem == 0)
            count = per;
        segment(stops[size_t(i)], stops[size_t(i) + 1], count, scratch);
        // The first colour of a segment overwrites the last of the previous one: the shared stop.
        size_t base = ramp.size() - 1;
        ramp.resize(base + scratch.size());
        for (size_t k = 0; k < scratch.size(); ++k) ramp[base + k] = scratch[k];
    }
}

} // namespace widgets
