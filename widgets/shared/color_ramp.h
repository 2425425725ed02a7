// Colour ramps: the colours between two colours, or through a list of stops, one per drawn line.
#pragma once

#include <cstdint>
#include <vector>

namespace widgets {

using Ramp = std::vector<std::uint32_t>;

// A system colour (top bit set) as the plain colour it stands for; other values pass unchanged.
std::uint32_t plainColor(std::uint32_t color);
// Channel by channel the average of two colours, halves to even; system colours are translated first.
std::uint32_t MixColors(std::uint32_t c1, std::uint32_t c2);

// ramp becomes n + 1 colours from c1 (index 0) to c2 (index n). With n <= 0 it is c1 alone.
void GradientColors(std::uint32_t c1, std::uint32_t c2, std::int16_t n, Ramp& ramp);

// ramp becomes n colours from c1 (index 0) to c2 (index n - 1); n < 1 leaves ramp untouched.
void GradientSegment(std::uint32_t c1, std::uint32_t c2, std::int32_t n, Ramp& ramp);

// ramp becomes exactly total colours running through every stop in turn; empty when total <= 0.
// Fewer than two stops raise the run time's division-by-zero error.
void MultiGradientColors(const std::vector<std::uint32_t>& stops, std::int32_t total, Ramp& ramp);

// Only the entries first to first + count - 1 of those ramps (as many of them as exist; ramp[0] is
// entry first): a painter that shows a few lines of a long ramp builds only what it draws.
void GradientSegmentPart(std::uint32_t c1, std::uint32_t c2, std::int32_t n, std::int32_t first,
                         std::int32_t count, Ramp& ramp);
void MultiGradientPart(const std::vector<std::uint32_t>& stops, std::int32_t total, std::int32_t first,
                       std::int32_t count, Ramp& ramp);

} // namespace widgets
