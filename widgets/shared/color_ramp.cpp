#include "widgets/shared/color_ramp.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/forms/color.h"
#include "platform/forms/functions.h"
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

std::uint32_t entry(const Channels& a, const Steps& s, int i) {
    int r = forms::roundToLong(a.r + i * s.r);
    int g = forms::roundToLong(a.g + i * s.g);
    int b = forms::roundToLong(a.b + i * double(s.b));
    return std::uint32_t(r) + 256u * std::uint32_t(g) + 65536u * std::uint32_t(b);
}

// Entries [from, to) of the n-colour segment from c1 to c2, written to out[k - offset].
void segmentEntries(std::uint32_t c1, std::uint32_t c2, std::int32_t n, std::int64_t from, std::int64_t to,
                    std::int64_t offset, Ramp& out) {
    Channels a = split(c1);
    Steps s = n == 1 ? Steps{0, 0, 0} : steps(a, split(c2), n - 1);
    for (std::int64_t i = from; i < to; ++i) out[size_t(i - offset)] = entry(a, s, int(i));
}

// The part [first, first + count) of a ramp of `size` entries, clipped to what exists.
struct Part {
    std::int64_t first, end;
};
Part clip(std::int64_t size, std::int64_t first, std::int64_t count) {
    const std::int64_t from = std::max<std::int64_t>(first, 0);
    const std::int64_t end = std::min<std::int64_t>(first + std::max<std::int64_t>(count, 0), size);
    return {from, std::max(from, end)};
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

void GradientSegment(std::uint32_t c1, std::uint32_t c2, std::int32_t n, Ramp& ramp) {
    if (n < 1) return;
    GradientSegmentPart(c1, c2, n, 0, n, ramp);
}

void GradientSegmentPart(std::uint32_t c1, std::uint32_t c2, std::int32_t n, std::int32_t first,
                         std::int32_t count, Ramp& ramp) {
    if (n < 1) return;
    const Part part = clip(n, first, count);
    ramp.assign(size_t(part.end - part.first), 0);
    segmentEntries(c1, c2, n, part.first, part.end, part.first, ramp);
}

void MultiGradientColors(const std::vector<std::uint32_t>& stops, std::int32_t total, Ramp& ramp) {
    MultiGradientPart(stops, total, 0, total, ramp);
}

void MultiGradientPart(const std::vector<std::uint32_t>& stops, std::int32_t total, std::int32_t first,
                       std::int32_t count, Ramp& ramp) {
    if (total <= 0) {
        ramp.clear();
        return;
    }
    if (stops.size() < 2) throw core::RuntimeError(11, L"Division by zero");
    const Part part = clip(total, first, count);
    ramp.assign(size_t(part.end - part.first), 0);
    const std::int32_t segments = std::int32_t(stops.size()) - 1;
    const std::int32_t per = total / segments, rem = total % segments;
    // Counts stay 32-bit: a total above 32767 must not wrap. Segment i fills the entries from base on;
    // its first colour overwrites the last of the previous segment (the shared stop).
    std::int64_t base = 0;
    for (std::int32_t i = 0; i < segments && base < part.end; ++i) {
        std::int32_t n = per + 1;
        if (rem >= 2 && i < rem - 1)
            n = per + 2;
        else if (i == segments - 1 && rem == 0)
            n = per;
        const std::int64_t from = std::max(base, part.first), to = std::min(base + n, part.end);
        if (from < to)
            segmentEntries(stops[size_t(i)], stops[size_t(i) + 1], n, from - base, to - base,
                           part.first - base, ramp);
        base += n - 1;
    }
}

std::uint32_t MixColors(std::uint32_t c1, std::uint32_t c2) {
    c1 = plainColor(c1);
    c2 = plainColor(c2);
    std::uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = int((c1 >> shift) & 0xFF), b = int((c2 >> shift) & 0xFF);
        mixed |= std::uint32_t(forms::roundToLong((a + b) / 2.0)) << shift;
    }
    return mixed;
}

} // namespace widgets
