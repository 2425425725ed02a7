#include <gtest/gtest.h>
#include <windows.h>

#include "platform/core/runtime_error.h"
#include "support/errors.h"
#include "widgets/shared/color_ramp.h"
#include "widgets/shared/gdi_helpers.h"

using namespace widgets;

namespace {

int blue(std::uint32_t c) {
    return int((c >> 16) & 0xFF);
}

TEST(TextRamps, GradientColorsRoundsHalvesToEven) {
    Ramp r;
    GradientColors(0x000000, 0xFFFFFF, 2, r);
    EXPECT_EQ(r, (Ramp{0x000000, 0x808080, 0xFFFFFF}));

    GradientColors(0xFF0000, 0x000000, 4, r);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(blue(r[0]), 255);
    EXPECT_EQ(blue(r[1]), 191);
    EXPECT_EQ(blue(r[2]), 128);
    EXPECT_EQ(blue(r[3]), 64);
    EXPECT_EQ(blue(r[4]), 0);
    for (auto c : r) EXPECT_EQ(c & 0xFFFF, 0u);
}

TEST(TextRamps, EndpointsAreTheColoursGiven) {
    const std::uint32_t pairs[][2] = {{0x123456, 0xFEDCBA}, {0xFFFFFF, 0x000001}, {0x00FF00, 0x0000FF}};
    for (auto& p : pairs) {
        for (std::int16_t n : {1, 3, 7, 100, 255, 1000}) {
            Ramp r;
            GradientColors(p[0], p[1], n, r);
            ASSERT_EQ(r.size(), size_t(n) + 1);
            EXPECT_EQ(r.front(), p[0]);
            EXPECT_EQ(r.back(), p[1]) << n;
            if (n >= 2) {
                GradientSegment(p[0], p[1], n, r);
                ASSERT_EQ(r.size(), size_t(n));
                EXPECT_EQ(r.front(), p[0]);
                EXPECT_EQ(r.back(), p[1]);
            }
        }
    }
}

TEST(TextRamps, GuardedCounts) {
    Ramp r{1, 2, 3};
    GradientColors(0x0000FF, 0xFFFFFF, 0, r);
    EXPECT_EQ(r, (Ramp{0x0000FF}));
    GradientColors(0x00FF00, 0xFFFFFF, -5, r);
    EXPECT_EQ(r, (Ramp{0x00FF00}));

    r = {7, 8};
    GradientSegment(0, 0xFFFFFF, 0, r);
    EXPECT_EQ(r, (Ramp{7, 8}));
    GradientSegment(0, 0xFFFFFF, -1, r);
    EXPECT_EQ(r, (Ramp{7, 8}));
    GradientSegment(0x112233, 0xFFFFFF, 1, r);
    EXPECT_EQ(r, (Ramp{0x112233}));
    GradientSegment(0x112233, 0xFFFFFF, 2, r);
    EXPECT_EQ(r, (Ramp{0x112233, 0xFFFFFF}));

    MultiGradientColors({0, 0xFFFFFF}, 0, r);
    EXPECT_TRUE(r.empty());
    MultiGradientColors({0, 0xFFFFFF}, -3, r);
    EXPECT_TRUE(r.empty());
    EXPECT_EQ(testsupport::errorOf([&] { MultiGradientColors({0}, 5, r); }), 11);
}

TEST(TextRamps, SystemColoursAreTranslatedFirst) {
    const std::uint32_t face = GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    Ramp r;
    GradientColors(0x8000000F, 0x8000000F, 3, r);
    for (auto c : r) EXPECT_EQ(c, face);
    MultiGradientColors({0x8000000F, 0, 0x8000000F}, 9, r);
    EXPECT_EQ(r.front(), face);
    EXPECT_EQ(r.back(), face);
    EXPECT_EQ(plainColor(0x00123456), 0x123456u);
}

TEST(TextRamps, MultiGradientSegmentCounts) {
    const std::uint32_t k = 0x000000, w = 0xFFFFFF;
    Ramp r;
    MultiGradientColors({k, w, k}, 7, r);
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[0], k);
    EXPECT_EQ(r[3], w);
    EXPECT_EQ(r[6], k);

    MultiGradientColors({k, w, k}, 8, r);
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r[4], w); // segments of 5 and 4
    EXPECT_EQ(r[7], k);

    MultiGradientColors({k, w, k, w}, 11, r);
    ASSERT_EQ(r.size(), 11u);
    EXPECT_EQ(r[4], w); // segments of 5, 4 and 4
    EXPECT_EQ(r[7], k);
    EXPECT_EQ(r[10], w);

    MultiGradientColors({k, w, k}, 111, r);
    ASSERT_EQ(r.size(), 111u);
    EXPECT_EQ(r[0], k);
    EXPECT_EQ(r[55], w);
    EXPECT_EQ(r[110], k);
}

TEST(TextRamps, MultiGradientHasExactlyTotalEntries) {
    const std::uint32_t palette[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
    for (size_t stops = 2; stops <= 6; ++stops) {
        std::vector<std::uint32_t> s(palette, palette + stops);
        for (std::int32_t total : {1, 2, 3, 4, 5, 6, 7, 10, 31, 111, 500, 40000, 70001}) {
            Ramp r;
            MultiGradientColors(s, total, r);
            ASSERT_EQ(r.size(), size_t(total)) << stops << " stops, total " << total;
            if (total >= std::int32_t(stops)) {
                EXPECT_EQ(r.front(), s.front());
                EXPECT_EQ(r.back(), s.back()) << stops << " stops, total " << total;
            }
        }
    }
}

TEST(TextRamps, ShiftRectAndTextWidth) {
    RECT rc{1, 2, 30, 40};
    ShiftRect(rc, 5);
    EXPECT_EQ(rc.left, 6);
    EXPECT_EQ(rc.top, 7);
    EXPECT_EQ(rc.right, 35);
    EXPECT_EQ(rc.bottom, 45);
    ShiftRect(rc, -10);
    EXPECT_EQ(rc.left, -4);
    EXPECT_EQ(rc.bottom, 35);
    RECT edge{0, 0, 0x7FFFFFFF, 0};
    EXPECT_EQ(testsupport::errorOf([&] { ShiftRect(edge, 1); }), core::err::Overflow);

    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_EQ(TextWidthW(dc, L""), 0);
    const int one = TextWidthW(dc, L"\u0259");
    EXPECT_GT(one, 0);
    EXPECT_GT(TextWidthW(dc, L"\u0259\u0259\u0259"), 2 * one);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

} // namespace
