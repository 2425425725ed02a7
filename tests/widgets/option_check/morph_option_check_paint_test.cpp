#include "option_check_test_support.h"

#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/option_check/morph_option_check_paint.h"

#include <set>
#include <vector>

namespace {

using namespace widgets;

constexpr std::uint32_t Back = 0x00202020;
constexpr std::uint32_t Mark = 0x00FF00FF;

// A memory surface with the painter's inputs: flat background, flat green box, black frame.
struct Canvas {
    forms::Surface surface;
    OptionCheckLook look;
    OptionCheckState state;
    explicit Canvas(int w = 100, int h = 20) : surface(w, h) {
        look.BackColor1 = look.BackColor2 = Back;
        look.CheckBoxColor1 = look.CheckBoxColor2 = 0x0000C000;
        look.CheckColor = Mark;
        look.Caption.clear();
        state.colours = OptionCheckColours::normal(look);
    }
    OptionCheckPainter painter() {
        return OptionCheckPainter(surface.hDC(), surface.widthPixels(), surface.heightPixels(), look, state);
    }
    void paint() {
        state.colours = OptionCheckColours::normal(look);
        auto p = painter();
        p.CheckAreaLayout();
        p.PaintBackground();
        p.DrawCheckArea();
        p.DrawCaption();
        GdiFlush();
    }
    std::uint32_t at(int x, int y) const { return surface.pixel(x, y); }
    std::vector<std::pair<int, int>> pixelsOf(std::uint32_t colour) const {
        std::vector<std::pair<int, int>> out;
        for (int y = 0; y < surface.heightPixels(); ++y)
            for (int x = 0; x < surface.widthPixels(); ++x)
                if (at(x, y) == colour) out.emplace_back(x, y);
        return out;
    }
};

int red(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

TEST(OptionCheckPaint, GradientRunsBottomToTopAtNinetyAndLeftToRightAtZero) {
    forms::Surface s(100, 20);
    DrawGradient(s.hDC(), 0, 0, 100, 20, 0x000000, 190, 90, false);
    GdiFlush();
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(red(s.pixel(0, y)), 10 * (19 - y)) << y;
        EXPECT_EQ(s.pixel(99, y), s.pixel(0, y)) << y;
    }
    DrawGradient(s.hDC(), 0, 0, 100, 20, 0x000000, 198, 0, false);
    GdiFlush();
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(red(s.pixel(x, 0)), 2 * x) << x;
        EXPECT_EQ(s.pixel(x, 19), s.pixel(x, 0)) << x;
    }
}

TEST(OptionCheckPaint, MiddleOutRisesAndComesBack) {
    EXPECT_EQ(middleOutOrder(4), (std::vector<int>{0, 2, 3, 1}));
    EXPECT_EQ(middleOutOrder(5), (std::vector<int>{0, 2, 4, 3, 1}));
    EXPECT_EQ(middleOutOrder(1), (std::vector<int>{0}));
    forms::Surface s(100, 20);
    DrawGradient(s.hDC(), 0, 0, 100, 20, 0x000000, 190, 90, true);
    GdiFlush();
    const std::vector<int> order = middleOutOrder(20);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(red(s.pixel(50, 19 - k)), 10 * order[k]) << k;
    EXPECT_EQ(red(s.pixel(0, 19)), 0);
    EXPECT_EQ(red(s.pixel(0, 9)), 190);
}

// 864 x 404 at 186 degrees reaches one step past the ramp without the clamp.
TEST(OptionCheckPaint, EveryPixelOfAWideTiltedGradientComesFromTheRamp) {
    forms::Surface s(864, 404);
    const std::uint32_t c1 = 0x00323232, c2 = 0x00C8C8C8;
    DrawGradient(s.hDC(), 0, 0, 864, 404, c1, c2, 186, false);
    GdiFlush();
    std::set<std::uint32_t> seen;
    for (int y = 0; y < 404; y += 3)
        for (int x = 0; x < 864; x += 3) {
            const std::uint32_t p = s.pixel(x, y);
            ASSERT_GE(red(p), 0x32) << x << "," << y;
            ASSERT_LE(red(p), 0xC8) << x << "," << y;
            seen.insert(p);
        }
    EXPECT_GT(seen.size(), 100u);
}

TEST(OptionCheckPaint, TickSitsAtItsOffsetsForBothAlignments) {
    for (int align : {0, 1}) {
        Canvas c;
        c.look.Value = 1;
        c.look.CheckBoxAlignment = align;
        c.paint();
        const int x = align == 0 ? 5 : 100 - 1 - 19;
        EXPECT_EQ(c.state.checkAreaX, x);
        const auto ink = c.pixelsOf(Mark);
        EXPECT_EQ(ink.size(), 41u) << align;
        // Rows 3 to 11 of the tick below yb = 10 - 7.
        EXPECT_EQ(c.at(x + 1 + 9, 3 + 3), Mark);
        EXPECT_EQ(c.at(x + 1 + 12, 3 + 3), Mark);
        EXPECT_EQ(c.at(x + 1 + 4, 3 + 11), Mark);
        EXPECT_EQ(c.at(x + 1 + 3, 3 + 6), c.at(x + 7, 9 - 2)); // the gap of row 6 shows the box
    }
    // A check box holding -1 shows no tick, an option holding 1 its triangle.
    Canvas minus;
    minus.look.Value = -1;
    minus.paint();
    EXPECT_TRUE(minus.pixelsOf(Mark).empty());
}

TEST(OptionCheckPaint, TriangleColumnsShrinkFromElevenToOneTowardsItsPoint) {
    for (int align : {0, 1}) {
        Canvas c;
        c.look.ControlType = OptionButtonType;
        c.look.Value = 1;
        c.look.CheckBoxAlignment = align;
        c.paint();
        const int x0 = c.state.checkAreaX + (align == 0 ? 5 : 9), step = align == 0 ? 1 : -1;
        for (int k = 0; k <= 5; ++k) {
            int column = 0, top = -1;
            for (int y = 0; y < 20; ++y)
                if (c.at(x0 + k * step, y) == Mark) {
                    if (top < 0) top = y;
                    ++column;
                }
            EXPECT_EQ(column, 11 - 2 * k) << align << " " << k;
            EXPECT_EQ(top, 5 + k) << align << " " << k;
        }
        EXPECT_EQ(c.pixelsOf(Mark).size(), 36u);
    }
}

TEST(OptionCheckPaint, BoxAndItsFrameAtHeightTwenty) {
    Canvas c;
    c.look.CheckBorderColor = 0x000000FF;
    c.paint();
    const int x = c.state.checkAreaX;
    forms::GdiRegion outer(CreateRoundRectRgn(x, 2, x + 15, 18, 0, 0));
    forms::GdiRegion inner(CreateRoundRectRgn(x + 1, 3, x + 14, 17, 0, 0));
    CombineRgn(outer.get(), outer.get(), inner.get(), RGN_XOR);
    for (int y = 0; y < 20; ++y)
        for (int px = x - 2; px < x + 18; ++px) {
            const bool frame = PtInRegion(outer.get(), px, y) != FALSE;
            EXPECT_EQ(c.at(px, y) == 0x000000FFu, frame) << px << "," << y;
        }
    // The box's gradient covers rows 2 to 16 (its last column lies outside the frame).
    for (int y = 0; y < 20; ++y) EXPECT_EQ(c.at(x + 14, y) == 0x0000C000u, y >= 2 && y <= 16) << y;
}

TEST(OptionCheckPaint, BorderRingFollowsTheRegionAndGoesAtWidthZero) {
    for (int width : {1, 0, 3}) {
        Canvas c;
        c.look.BorderWidth = width;
        c.look.BorderCurvature = width == 3 ? 8 : 0;
        c.state.colours = OptionCheckColours::normal(c.look);
        c.state.colours.border = 0x000000FF;
        auto p = c.painter();
        p.PaintBackground();
        forms::GdiRegion region = p.borderRegion();
        GdiFlush();
        ASSERT_TRUE(region);
        forms::GdiRegion outer(
            CreateRoundRectRgn(0, 0, 100, 20, c.look.BorderCurvature, c.look.BorderCurvature));
        forms::GdiRegion inner(CreateRoundRectRgn(width, width, 100 - width, 20 - width,
                                                  c.look.BorderCurvature, c.look.BorderCurvature));
        CombineRgn(outer.get(), outer.get(), inner.get(), RGN_XOR);
        int ring = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool in = PtInRegion(outer.get(), x, y) != FALSE;
                ring += in;
                EXPECT_EQ(c.at(x, y) == 0x000000FFu, in) << width << ": " << x << "," << y;
            }
        if (width == 0) {
            EXPECT_EQ(ring, 0);
        }
        if (width == 1) {
            EXPECT_EQ(c.at(0, 0), 0x000000FFu);
        }
        EXPECT_TRUE(PtInRegion(region.get(), 50, 10));
    }
}

TEST(OptionCheckPaint, FocusFrameOnlyWithFocusAndShowFocusRect) {
    const auto font = forms::StdFont::create(L"Tahoma", 8);
    for (int mode = 0; mode < 3; ++mode) {
        Canvas c(150, 20);
        c.surface.setFont(font);
        c.look.Font = font;
        c.look.Caption = L"Avtomatik";
        c.look.FocusRectColor = 0x00FFFF00;
        c.look.ShowFocusRect = mode != 1;
        c.state.focus = mode != 2;
        c.paint();
        const RECT r = c.painter().captionRect();
        const auto frame = c.pixelsOf(0x00FFFF00);
        if (mode == 0) {
            ASSERT_FALSE(frame.empty());
            EXPECT_EQ(c.at(r.left - 1, r.top - 1), 0x00FFFF00u);
            // Expected from the regions: the system's rounded rectangles leave out their far edges.
            forms::GdiRegion ring(CreateRoundRectRgn(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1, 0, 0));
            forms::GdiRegion inside(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, 0, 0));
            CombineRgn(ring.get(), ring.get(), inside.get(), RGN_XOR);
            for (auto [x, y] : frame) EXPECT_TRUE(PtInRegion(ring.get(), x, y)) << x << "," << y;
            EXPECT_GT(frame.size(), 2u * (r.right - r.left));
        } else {
            EXPECT_TRUE(frame.empty()) << mode;
        }
    }
}

TEST(OptionCheckPaint, PicturesTakeTheCheckAreaOnEitherSide) {
    const auto font = forms::StdFont::create(L"Tahoma", 8);
    auto picture = [](COLORREF colour, int w, int h) {
        HDC screen = GetDC(nullptr);
        HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
        HDC mem = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(mem, bmp);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r{0, 0, w, h};
        FillRect(mem, &r, brush);
        DeleteObject(brush);
        SelectObject(mem, old);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        return forms::StdPicture::fromBitmap(bmp);
    };
    for (int align : {0, 1}) {
        Canvas c;
        c.surface.setFont(font);
        c.look.Font = font;
        c.look.Caption = L"Text";
        c.look.PicForCheck = true;
        c.look.PicChecked = picture(RGB(255, 0, 255), 10, 12);
        c.look.PicUnchecked = picture(RGB(0, 255, 255), 8, 12);
        c.look.Value = 1;
        c.look.CheckBoxAlignment = align;
        c.paint();
        const int x = align == 0 ? 5 : 100 - 1 - 10 - 1;
        EXPECT_EQ(c.state.pictureWidth, 10);
        EXPECT_EQ(c.state.checkAreaX, x);
        EXPECT_EQ(c.at(x, 4), Mark);
        EXPECT_EQ(c.at(x + 9, 15), Mark);
        EXPECT_NE(c.at(x, 3), Mark);
        EXPECT_NE(c.at(x + 10, 4), Mark);
        RECT i{0, 0, 0, 0};
        DrawTextW(c.surface.hDC(), L"i", -1, &i, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const RECT r = c.painter().captionRect();
        if (align == 0) {
            EXPECT_EQ(r.right, 100 - 1 - (i.right + 1));
        } else {
            EXPECT_EQ(r.left, 1 + i.right + 1);
        }

        c.look.Value = 0;
        c.paint();
        EXPECT_EQ(c.at(x, 4), 0x00FFFF00u);
    }
}

TEST(OptionCheckPaint, UntranslatableColoursPaintWhite) {
    EXPECT_EQ(paintColour(0x8000FFFF), 0x00FFFFFFu);
    EXPECT_EQ(paintColour(0x00123456), 0x00123456u);
    EXPECT_EQ(paintColour(0x8000000F), GetSysColor(COLOR_BTNFACE));
}

class OptionCheckOnForm : public ::testing::Test {
protected:
    void SetUp() override { MorphOptionCheck::registerType(); }
};

TEST_F(OptionCheckOnForm, ATransparentControlCopiesTheFormsImageAtItsPosition) {
    auto form = std::make_shared<optiontest::HostForm>(forms::Layout{optiontest::optionEntry(
        L"see", 0, 30, 20, 150, 20, L"",
        {{L"Caption", core::Variant(L"")}, {L"BorderIfTransparent", core::Variant(false)}})});
    form->load();
    forms::Surface& back = form->surface();
    HDC dc = back.hDC();
    for (int x = 0; x < 400; x += 4) {
        forms::GdiBrush brush(CreateSolidBrush(RGB(x % 256, (x * 7) % 256, 90)));
        RECT r{x, 0, x + 4, 300};
        FillRect(dc, &r, brush.get());
    }
    auto& see = form->control<MorphOptionCheck>(L"see");
    see.setTransparent(true);
    GdiFlush();
    for (int x : {40, 80, 140})
        for (int y : {1, 10, 18})
            EXPECT_EQ(see.surface().pixel(x, y), back.pixel(30 + x, 20 + y)) << x << "," << y;
    form->Unload();
}

} // namespace
