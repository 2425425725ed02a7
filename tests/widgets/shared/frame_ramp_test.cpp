// The parts of a ramp a painter builds when it shows only a few of its lines.
#include <gtest/gtest.h>

#include <vector>

#include "widgets/shared/color_ramp.h"

using namespace widgets;

namespace {

TEST(FrameRampParts, AreTheEntriesOfTheWholeRamp) {
    const std::vector<std::uint32_t> stops{0x102030, 0xF0E0D0, 0x102030};
    for (std::int32_t total : {1, 2, 3, 7, 8, 29, 300}) {
        Ramp whole, part;
        MultiGradientColors(stops, total, whole);
        ASSERT_EQ(whole.size(), size_t(total));
        for (std::int32_t first : {-3, 0, 1, total / 2, total - 1, total + 4})
            for (std::int32_t count : {0, 1, 5, total + 10}) {
                MultiGradientPart(stops, total, first, count, part);
                Ramp expected;
                for (std::int32_t i = first; i < first + count; ++i)
                    if (i >= 0 && i < total) expected.push_back(whole[size_t(i)]);
                EXPECT_EQ(part, expected) << total << " " << first << " " << count;
            }
        GradientSegment(0x000000, 0xFFFFFF, total, whole);
        GradientSegmentPart(0x000000, 0xFFFFFF, total, total - 2, 9, part);
        EXPECT_EQ(part, Ramp(whole.end() - std::min<std::int32_t>(2, total), whole.end())) << total;
    }
    // A segment of no entries leaves the ramp as it is, a part of one as well.
    Ramp untouched{5, 6};
    GradientSegmentPart(0, 0xFFFFFF, 0, 0, 3, untouched);
    EXPECT_EQ(untouched, (Ramp{5, 6}));
}

TEST(FrameRampParts, AHugeRampCostsOnlyItsPart) {
    // Counts beyond 16 bits do not wrap, and a few entries of a ramp of two billion come at once.
    Ramp part;
    MultiGradientPart({0, 0xFFFFFF, 0}, 2'000'000'000, 0, 3, part);
    EXPECT_EQ(part, (Ramp{0, 0, 0}));
    MultiGradientPart({0, 0xFFFFFF, 0}, 2'000'000'000, 999'999'999, 2, part);
    EXPECT_EQ(part, (Ramp{0xFFFFFF, 0xFFFFFF}));
    GradientSegmentPart(0, 0xFFFFFF, 40'000, 39'999, 1, part);
    EXPECT_EQ(part, (Ramp{0xFFFFFF}));
}

} // namespace
