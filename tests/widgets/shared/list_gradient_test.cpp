#include "platform/core/constants.h"
#include "platform/forms/surface.h"
#include "widgets/shared/list_gradient.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <windows.h>

namespace {

uint32_t at(forms::Surface& s, int x, int y) {
    GdiFlush();
    return s.pixel(x, y);
}

constexpr long Red = 0x0000FF, Blue = 0xFF0000, Grey = 0x808080;

TEST(ListGradient, RampsByStyle) {
    forms::Surface s(40, 20);
    s.setBackColor(Grey);
    widgets::DrawGradientBits(s.hDC(), 0, 0, 11, 5, Red, Blue, 1);
    EXPECT_EQ(at(s, 0, 0), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 10, 4), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 5, 2), static_cast<uint32_t>(255 - 255 * 5 / 10 + ((255 * 5 / 10) << 16)));
    EXPECT_EQ(at(s, 11, 0), static_cast<uint32_t>(Grey));

    s.Cls();
    widgets::DrawGradientBits(s.hDC(), 2, 3, 4, 6, Red, Blue, 3);
    EXPECT_EQ(at(s, 2, 3), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 5, 3), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 3, 8), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 2, 2), static_cast<uint32_t>(Grey));

    s.Cls();
    widgets::DrawGradientBits(s.hDC(), 0, 0, 5, 5, Red, Blue, 5);
    EXPECT_EQ(at(s, 0, 0), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 4, 4), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 4, 0), at(s, 0, 4));
    widgets::DrawGradientBits(s.hDC(), 10, 0, 5, 5, Red, Blue, 6);
    EXPECT_EQ(at(s, 10, 4), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 14, 0), static_cast<uint32_t>(Blue));

    // A style the filler does not know is black; an empty rectangle draws nothing.
    widgets::DrawGradientBits(s.hDC(), 20, 0, 3, 3, Red, Blue, 7);
    EXPECT_EQ(at(s, 21, 1), 0u);
    widgets::DrawGradientBits(s.hDC(), 30, 0, 0, 3, Red, Blue, 1);
    widgets::DrawGradientBits(s.hDC(), 30, 0, 3, 0, Red, Blue, 1);
    EXPECT_EQ(at(s, 30, 0), static_cast<uint32_t>(Grey));

    // A one-pixel ramp is the halves of both colours.
    widgets::DrawGradientBits(s.hDC(), 35, 0, 1, 1, 0x0000FF, 0x000003, 1);
    EXPECT_EQ(at(s, 35, 0), 0x7Fu + 1u);
}

TEST(ListGradient, SwappedAndMirroredStyles) {
    forms::Surface s(20, 20);
    s.setBackColor(Grey);
    // Swapped: the second colour at the left.
    widgets::DrawGradient(s.hDC(), 0, 0, 10, 2, Red, Blue, 1, true);
    EXPECT_EQ(at(s, 0, 0), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 9, 0), static_cast<uint32_t>(Red));

    // Mirrored on 7 pixels: halves of round(3.5) = 4, the second starting at round(2.5) = 2.
    s.Cls();
    widgets::DrawGradient(s.hDC(), 0, 5, 7, 3, Red, Blue, 2, true);
    EXPECT_EQ(at(s, 0, 5), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 2, 5), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 5, 5), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 6, 5), static_cast<uint32_t>(Grey));

    s.Cls();
    widgets::DrawGradient(s.hDC(), 0, 0, 3, 10, Red, Blue, 4, true);
    EXPECT_EQ(at(s, 1, 0), static_cast<uint32_t>(Blue));
    EXPECT_EQ(at(s, 1, 4), static_cast<uint32_t>(Red));
    EXPECT_EQ(at(s, 1, 8), static_cast<uint32_t>(Blue));

    // System colours are translated; style 0 draws nothing.
    s.Cls();
    widgets::DrawGradient(s.hDC(), 0, 0, 4, 4, static_cast<long>(core::sysColor::WindowBackground),
                          static_cast<long>(core::sysColor::WindowBackground), 1, true);
    EXPECT_EQ(at(s, 2, 2), static_cast<uint32_t>(GetSysColor(COLOR_WINDOW)));
    widgets::DrawGradient(s.hDC(), 10, 0, 4, 4, Red, Blue, 0, true);
    EXPECT_EQ(at(s, 11, 1), static_cast<uint32_t>(Grey));
}

} // namespace
