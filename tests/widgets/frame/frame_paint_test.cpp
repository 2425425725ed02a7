// The frame's looks drawn on a memory surface, pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/frame/frame_paint.h"
#include "widgets/shared/color_ramp.h"

using namespace widgets;

namespace {

constexpr std::uint32_t kBack = RGB(0, 0, 160); // the surface's background before a paint
constexpr std::uint32_t kGrey = RGB(167, 166, 170);
constexpr std::uint32_t kWhite = RGB(255, 255, 255);
constexpr std::uint32_t kRed = RGB(255, 0, 0);
constexpr std::uint32_t kGreen = RGB(0, 255, 0);
constexpr UINT kCaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;

using Pixels = std::set<std::pair<int, int>>;

int grey(int v) {
    return int(RGB(v, v, v));
}

// The colour between a and b at step i of n - 1 steps, each channel rounded.
std::uint32_t between(std::uint32_t a, std::uint32_t b, int i, int n) {
    std::uint32_t c = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        c |= std::uint32_t(std::lround(x + (y - x) * i / (n - 1))) << shift;
    }
    return c;
}

// Ramps round each channel on their own (blue in single precision): one unit either way is the same.
bool similar(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1) return false;
    return true;
}

class FramePaint : public testing::Test {
protected:
    forms::Surface s{200, 100};
    FrameLook look;
    FrameState state;

    void SetUp() override { make(200, 100); }
    void make(int w, int h) {
        s.resize(w, h);
        s.setFont(forms::StdFont::create(L"Tahoma", 8.25, true));
        s.setBackColor(kBack);
        look = FrameLook{};
        look.Caption = L" ";
        look.TitleHeight = 29;
        look.BorderGradientWidth = 7;
        look.BackFrameColor = RGB(250, 240, 230);
        look.BorderColor = RGB(0, 0, 128);
        state = FrameState{};
    }
    bool paint() {
        const bool stored = FramePainter(s, look, state).Refresh();
        GdiFlush();
        return stored;
    }
    std::uint32_t at(int x, int y) const { return s.pixel(x, y); }
    struct Dot {
        int x, y;
        std::uint32_t colour;
    };
    void expectDots(std::initializer_list<Dot> dots) const {
        for (const Dot& d : dots) EXPECT_EQ(at(d.x, d.y), d.colour) << d.x << "," << d.y;
    }
    // The caption's height and width as the painter measures them.
    int th() const { return int(std::nearbyint(s.TextHeight(look.Caption) + 2)); }
    int tw() {
        SIZE size{};
        GetTextExtentPoint32W(s.hDC(), look.Caption.c_str(), int(look.Caption.size()), &size);
        return size.cx;
    }
    std::vector<std::uint32_t> image() const {
        std::vector<std::uint32_t> px;
        for (int y = 0; y < s.heightPixels(); ++y)
            for (int x = 0; x < s.widthPixels(); ++x) px.push_back(at(x, y));
        return px;
    }
    // The pixels the caption touches: those that change with ForeTitleColor.
    Pixels captionInk() {
        look.ForeTitleColor = kRed;
        paint();
        const std::vector<std::uint32_t> red = image();
        look.ForeTitleColor = kGreen;
        paint();
        const std::vector<std::uint32_t> green = image();
        Pixels p;
        for (size_t i = 0; i < red.size(); ++i)
            if (red[i] != green[i]) p.insert({int(i) % s.widthPixels(), int(i) / s.widthPixels()});
        return p;
    }
    // The caption drawn by DrawTextW itself in the given rectangles and colours, one after the other, on a
    // surface of the same size and font filled with kBack.
    std::vector<std::uint32_t> reference(std::initializer_list<std::pair<RECT, std::uint32_t>> layers) {
        forms::Surface t(s.widthPixels(), s.heightPixels());
        t.setFont(s.Font());
        t.setBackColor(kBack);
        HDC dc = t.hDC();
        SetBkMode(dc, TRANSPARENT);
        const std::wstring& text = look.Caption;
        const UINT align = look.AlignmentText == 0 ? DT_LEFT : look.AlignmentText == 1 ? DT_RIGHT : DT_CENTER;
        for (auto [rect, colour] : layers) {
            SetTextColor(dc, colour);
            DrawTextW(dc, text.c_str(), int(text.size()), &rect, kCaptionFlags | align);
        }
        GdiFlush();
        std::vector<std::uint32_t> px;
        for (int y = 0; y < t.heightPixels(); ++y)
            for (int x = 0; x < t.widthPixels(); ++x) px.push_back(t.pixel(x, y));
        return px;
    }
    Pixels notBack(const std::vector<std::uint32_t>& px) const {
        Pixels p;
        for (size_t i = 0; i < px.size(); ++i)
            if (px[i] != kBack) p.insert({int(i) % s.widthPixels(), int(i) / s.widthPixels()});
        return p;
    }
};

TEST(FrameModel, MixColorsHalvesToEven) {
    EXPECT_EQ(MixColors(0x123456, 0x123456), 0x123456u);
    EXPECT_EQ(MixColors(0x000000, 0xFFFFFF), 0x808080u); // 127.5 goes to 128
    EXPECT_EQ(MixColors(RGB(1, 3, 5), RGB(0, 0, 0)), std::uint32_t(RGB(0, 2, 2)));
    EXPECT_EQ(MixColors(RGB(129, 169, 226), kWhite), std::uint32_t(RGB(192, 212, 240)));
    EXPECT_EQ(MixColors(0, RGB(217, 172, 1)), std::uint32_t(RGB(108, 86, 0)));
    // A system colour is mixed as the colour it names, not as its low bytes.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(MixColors(0x8000000F, 0x8000000F), std::uint32_t(face));
}

TEST(FrameModel, CaptionGapPositions) {
    EXPECT_EQ(captionGapX(0, 200, 40), 6);
    EXPECT_EQ(captionGapX(1, 200, 40), 150); // the gap runs to 150 + 40 + 4 = 194
    EXPECT_EQ(captionGapX(2, 201, 41), 78);
    EXPECT_EQ(captionGapX(-5, 201, 41), 78);
    EXPECT_EQ(captionGapX(1, 200.5f, 40), 150); // 150.5 to the even neighbour
}

TEST_F(FramePaint, EtchedLineLook) {
    look.FrameStyle = frameLook::Etched;
    look.AlignmentText = 1;
    EXPECT_TRUE(paint()); // BackFrameColor became the stored BackColor
    EXPECT_EQ(look.BackColor, look.BackFrameColor);
    EXPECT_EQ(s.BackColor(), look.BackFrameColor);
    const int h2 = th() / 2, w = tw();
    const std::uint32_t body = look.BackFrameColor;
    // The right edge runs from the top line down.
    expectDots({{0, h2, kGrey},
                {198, h2, kGrey},
                {199, h2, kWhite},
                {199, 99, kWhite},
                {0, 50, kGrey},
                {1, 50, kWhite},
                {198, 50, kGrey},
                {50, 99, kWhite},
                {50, 98, kGrey},
                {50, h2 + 1, kWhite},
                {100, h2 - 1, body},
                {100, 50, body}});
    // The blank caption still cuts its gap, Tw + 4 wide, from SW - Tw - 10.
    const int cx = 200 - w - 10;
    for (int y : {h2, h2 + 1}) {
        EXPECT_EQ(at(cx - 1, y), y == h2 ? kGrey : kWhite);
        EXPECT_EQ(at(cx, y), look.BackFrameColor);
        EXPECT_EQ(at(cx + w + 3, y), look.BackFrameColor);
        EXPECT_EQ(at(cx + w + 4, y), y == h2 ? kGrey : kWhite);
    }

    // The caption's rectangle: (7, 1, SW - 9, Th - 1).
    look.Caption = L"Nu1t";
    look.TiengViet = false;
    const Pixels ink = captionInk();
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink, notBack(reference({{{7, 1, 191, th() - 1}, kRed}})));
}

TEST_F(FramePaint, EtchedBoxLook) {
    look.FrameStyle = frameLook::EtchedBox;
    look.AlignmentText = 0;
    look.BackColor = 0x123456;
    EXPECT_FALSE(paint());
    EXPECT_EQ(look.BackColor, 0x123456u); // only the surface's background changes
    EXPECT_EQ(s.BackColor(), look.BackFrameColor);
    const int h2 = th() / 2, w = tw();
    const std::uint32_t body = look.BackFrameColor;
    // The body and all around the box have the frame's colour from the first paint on.
    expectDots({{100, 60, body},
                {100, 0, body},
                {0, 50, kWhite},
                {0, 99, kWhite},
                {1, 50, kGrey},
                {2, 50, kWhite},
                {3, 50, body},
                {199, 50, kWhite},
                {198, 50, kGrey},
                {197, 50, kWhite},
                {50, h2 - 1, kWhite},
                {50, h2, kGrey},
                {50, h2 + 1, kWhite},
                {50, 98, kGrey}});
    // The gap on the left, from x = 6 for Tw + 4 pixels, on all three lines.
    for (int y = h2 - 1; y <= h2 + 1; ++y) {
        EXPECT_NE(at(5, y), look.BackFrameColor) << y;
        EXPECT_EQ(at(6, y), look.BackFrameColor) << y;
        EXPECT_EQ(at(6 + w + 3, y), look.BackFrameColor) << y;
        EXPECT_NE(at(6 + w + 4, y), look.BackFrameColor) << y;
    }
}

TEST_F(FramePaint, RampBorderLook) {
    look.FrameStyle = frameLook::RampBorder;
    look.GradientOutColor = 0;
    look.GradientInColor = kRed;
    paint();
    // The ring runs out - in - out over seven rings: 0, 1/3, 2/3, 1, 2/3, 1/3, 0 of the way.
    const std::uint32_t ring[7] = {0, RGB(85, 0, 0), RGB(170, 0, 0), kRed, RGB(170, 0, 0), RGB(85, 0, 0), 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(at(i, 50), ring[i]) << i;
        EXPECT_EQ(at(i, i), ring[i]) << i;
        EXPECT_EQ(at(199 - i, 99 - i), ring[i]) << i;
    }
    // Under the title the band: rows 22 to 28, darkest at its edges, each row inset by h - i.
    for (int y = 22; y <= 28; ++y) {
        const int i = y <= 25 ? y - 22 : 28 - y;
        EXPECT_EQ(at(100, y), ring[6 - i]) << y;
    }
    EXPECT_EQ(at(6, 23), ring[5]); // the band's row 1 starts at x = 6, over ring 6
    EXPECT_EQ(at(6, 40), ring[6]);
    // Above it the title ramps from white to the inner colour over its 29 rows.
    for (int y : {7, 14, 21}) EXPECT_TRUE(similar(at(100, y), between(kWhite, kRed, y, 29))) << y;
}

TEST_F(FramePaint, BandRowsAndHighlightDots) {
    FramePainter painter(s, look, state);
    // h = 7: rows i = 0 to 3; the middle row (t + 3 = b - 4) is drawn twice.
    painter.GradientBand(0, kWhite, {0, 10, 50, 17});
    GdiFlush();
    const int levels[7] = {0, 85, 170, 255, 170, 85, 0};
    for (int y = 10; y < 17; ++y) {
        const int i = y <= 13 ? y - 10 : 16 - y;
        EXPECT_EQ(at(7 - i, y), std::uint32_t(grey(levels[6 - i]))) << y;
        EXPECT_EQ(at(6 - i, y), kBack) << y;
        EXPECT_EQ(at(42 + i, y), std::uint32_t(grey(levels[6 - i]))) << y;
        EXPECT_EQ(at(43 + i, y), kBack) << y;
    }

    // Nine dots on (0, 0, 200, 7): x0 = 100 - 17 = 83; each dot is two pixels square, reaching up
    // and left of its point.
    painter.DrawHighlight({0, 0, 200, 7}, kRed, 9);
    GdiFlush();
    EXPECT_EQ(s.DrawWidth(), 1);
    for (int i = 0; i < 9; ++i) {
        const int x = 83 + 4 * i;
        EXPECT_EQ(at(x, 2), kRed) << i;
        EXPECT_EQ(at(x - 1, 1), kRed) << i;
        EXPECT_EQ(at(x + 1, 3), kWhite) << i;
        EXPECT_EQ(at(x + 1, 2), kWhite) << i;
        EXPECT_EQ(at(x + 2, 3), kBack) << i;
    }
    EXPECT_EQ(at(81, 2), kBack);
    EXPECT_EQ(at(119, 2), kBack);
    const auto px = image();
    EXPECT_EQ(std::count(px.begin(), px.end(), kRed), 9 * 4);
}

TEST_F(FramePaint, ThemedLooks) {
    const FrameTheme blue = frameTheme(1), gold = frameTheme(5);
    state.ThemeBaseColor = blue.base;
    state.ThemeLightColor = blue.light;
    look.BorderColor = blue.border;
    look.FrameStyle = frameLook::ThemedTitle;
    paint();
    const std::uint32_t body = RGB(204, 203, 218);
    EXPECT_EQ(look.BackFrameColor, body); // the theme's base mixed with white, stored
    expectDots({{0, 14, blue.border}, {100, 28, blue.border}, {100, 3, blue.border}, {100, 25, blue.border}});
    EXPECT_TRUE(similar(at(100, 14), between(blue.light, blue.base, 14, 29)));
    EXPECT_TRUE(similar(at(100, 1), between(blue.light, blue.base, 1, 4)));
    EXPECT_TRUE(similar(at(100, 26), between(blue.light, blue.base, 1, 4)));
    // The body ramps from the light colour under the title to the body colour at four fifths.
    expectDots({{100, 29, blue.light}, {100, 90, body}, {0, 90, blue.border}});
    EXPECT_TRUE(similar(at(100, 79), body));
    EXPECT_TRUE(similar(at(100, 54), between(blue.light, body, 25, 51)));

    state.ThemeBaseColor = gold.base;
    state.ThemeLightColor = gold.light;
    look.BorderColor = gold.border;
    look.FrameStyle = frameLook::ThemedStrip;
    paint();
    EXPECT_EQ(look.BackFrameColor, std::uint32_t(RGB(236, 214, 128)));
    // The strip's outline, its grip in a darker shade of the theme, the title's bottom line.
    expectDots({{100, 0, gold.border},
                {100, 6, gold.border},
                {83, 2, RGB(108, 86, 0)},
                {84, 3, kWhite},
                {100, 28, gold.border},
                {100, 20, look.BackFrameColor},
                {100, 29, gold.light}});
    EXPECT_TRUE(similar(at(20, 4), between(kWhite, gold.base, 4, 7)));
    EXPECT_TRUE(similar(at(100, 79), look.BackFrameColor));
}

TEST_F(FramePaint, PlainTitleAndCorners) {
    look.FrameStyle = frameLook::PlainTitle;
    look.BackTitleColor = RGB(240, 239, 176);
    look.RoundCorner = false;
    paint();
    const std::uint32_t border = look.BorderColor;
    expectDots({{100, 10, look.BackTitleColor},
                {100, 60, look.BackFrameColor},
                {100, 0, border},
                {100, 28, border},
                {0, 60, border},
                {199, 99, border},
                {0, 0, border},
                {0, 99, border}});
    // Rounded: the surface's background shows at the bottom corners (the title bars cover the top ones).
    look.RoundCorner = true;
    for (std::int32_t style : {3, 4, 5}) {
        look.FrameStyle = style;
        look.BackFrameColor = RGB(250, 240, 230);
        paint();
        expectDots({{0, 99, kBack}, {199, 99, kBack}, {0, 50, border}, {100, 99, border}});
    }
}

TEST_F(FramePaint, CaptionAloneAndItsShadow) {
    look.Caption = L"Khung";
    look.TiengViet = false;
    look.FrameStyle = 7;
    look.AlignmentText = 2;
    look.ForeTitleColor = kRed;
    paint();
    // Nothing but the caption, in (4, 2, SW - 4, TitleHeight + 2).
    const RECT rect{4, 2, 196, 31}, shifted{5, 3, 197, 32};
    const auto alone = reference({{rect, kRed}});
    ASSERT_FALSE(notBack(alone).empty());
    EXPECT_EQ(image(), alone);

    // The shadow first, one pixel right and down, then the caption in place over it.
    look.ShadowText = true;
    look.ShadowColor = kGreen;
    paint();
    EXPECT_EQ(image(), reference({{shifted, kGreen}, {rect, kRed}}));
    EXPECT_EQ(s.ForeColor(), kRed);
    EXPECT_EQ(s.FillStyle(), 1);
    EXPECT_EQ(s.DrawWidth(), 1);

    // VNI digits are converted when asked: "Nu1t" is drawn as "N\u00FAt".
    look.Caption = L"N\u00FAt";
    look.ShadowText = false;
    const auto plain = reference({{rect, kRed}});
    look.Caption = L"Nu1t";
    look.TiengViet = true;
    paint();
    EXPECT_EQ(image(), plain);
}

TEST_F(FramePaint, SystemColoursAreDrawnTranslated) {
    const std::uint32_t face = GetSysColor(COLOR_BTNFACE);
    look.FrameStyle = frameLook::RampBorder;
    look.GradientOutColor = 0;
    look.GradientInColor = 0x8000000F;
    look.BackFrameColor = 0x80000005;
    paint();
    EXPECT_EQ(at(3, 50), face);   // the middle ring is the inner colour itself
    EXPECT_EQ(at(100, 25), face); // and so is the band's middle row
    EXPECT_EQ(at(100, 60), std::uint32_t(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(look.GradientInColor, 0x8000000Fu); // the stored value stays as given
}

TEST_F(FramePaint, ExtremeRingWidths) {
    look.FrameStyle = frameLook::RampBorder;
    look.GradientOutColor = kRed;
    look.GradientInColor = kWhite;
    look.BorderColor = kGreen;
    look.BorderGradientWidth = -1; // no ring and no band
    paint();
    // The outline shows, and the title ramp's last row has no band over it.
    expectDots({{0, 50, kGreen}, {100, 50, look.BackFrameColor}, {100, 28, kWhite}});

    // A width far beyond the frame: rings up to half the smaller side, and only their colours built.
    for (std::int32_t width : {1'000'000, 2'147'483'647}) {
        look.BorderGradientWidth = width;
        paint();
        expectDots({{0, 50, kRed}, {49, 50, kRed}, {99, 99, kRed}}); // ring 49 is still near the outer colour
    }
    // Rows of the band that are on the surface are drawn, in the colours of the ramp's end.
    EXPECT_EQ(at(100, 28), kRed);
}

} // namespace
