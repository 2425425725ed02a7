#include "combo_test_support.h"

#include "platform/core/constants.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "widgets/combo_box/combo_frame.h"

#include <cmath>

namespace {

using namespace combotest;
using widgets::ComboFrame;
using widgets::ComboLook;
using widgets::FrameInput;
using widgets::FrameLayout;
namespace state = widgets::comboState;

constexpr int W = 140;

// The closed combo painted on a memory surface.
struct Painted {
    forms::Surface surface;
    FrameLayout layout;
    Painted(const ComboLook& look, int st, int h = 20, const widgets::ComboItem* selected = nullptr)
        : surface(W, h) {
        auto font = forms::StdFont::create(L"Tahoma", 8);
        const FrameInput in{look, st, W, h, selected, font->hFont(), 13};
        layout = ComboFrame(surface.hDC(), in).DrawCombo();
        GdiFlush();
    }
    uint32_t at(int x, int y) const { return surface.pixel(x, y); }
    // The lowest row that holds a run of at least `run` pixels of a colour.
    int rowWithRun(uint32_t colour, int run, int fromX = 0) const {
        for (int y = surface.heightPixels() - 1; y >= 0; --y) {
            int length = 0;
            for (int x = fromX; x < W; ++x) {
                length = at(x, y) == colour ? length + 1 : 0;
                if (length >= run) return y;
            }
        }
        return -1;
    }
};

ComboLook lookOf(long appearance) {
    ComboLook look;
    look.AppearanceCombo = appearance;
    return look;
}

TEST(ComboColours, LightenMixContrastAndSystemColours) {
    EXPECT_EQ(widgets::LightenColor(0x808080, 176), 0xD7D7D7u);
    EXPECT_EQ(widgets::LightenColor(0xC56A31, 155), 0xE8C4AEu);
    EXPECT_EQ(widgets::LightenColor(0x123456, 0), 0x123456u);
    EXPECT_EQ(widgets::LightenColor(0x123456, 255), 0xFFFFFFu);
    EXPECT_EQ(widgets::MixColors(0x000001, 0x000002), 0x000002u);
    EXPECT_EQ(widgets::MixColors(0x000002, 0x000003), 0x000002u);
    EXPECT_EQ(widgets::MixColors(0xDAB278, 0xFFDD9E), 0xECC88Bu);
    EXPECT_EQ(widgets::SysColorToRGB(core::sysColor::ButtonFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(widgets::SysColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(widgets::ContrastColor(0xDAB278), 0xEDC59Eu);
    EXPECT_EQ(widgets::ContrastColor(0xFFDD9E), 0xFFF0C4u);
}

TEST(ComboColours, ShadeLinesDrawStepsPlusOneRowsAndNothingForNoSteps) {
    forms::Surface s(10, 12);
    widgets::APIFillSolidRect(s.hDC(), RECT{0, 0, 10, 12}, 0xFFFFFF);
    widgets::DrawShadeLine(s.hDC(), 0x000000, 0x0000FF, 0, 2, 5, 4);
    widgets::DrawShadeLine(s.hDC(), 0x000000, 0x000000, 0, 8, 5, 0);
    widgets::DrawShadeLine(s.hDC(), 0x000000, 0x000000, 0, 10, 5, -3);
    GdiFlush();
    EXPECT_EQ(s.pixel(0, 2), 0x000000u);
    EXPECT_EQ(s.pixel(0, 4), 0x000080u);
    EXPECT_EQ(s.pixel(4, 6), 0x0000FFu);
    EXPECT_EQ(s.pixel(5, 6), 0xFFFFFFu); // the end point is not painted
    for (int y : {7, 8, 9, 10, 11}) EXPECT_EQ(s.pixel(0, y), 0xFFFFFFu) << y;
}

TEST(ComboFramePaint, AppearanceFourIsAThinSunkenBoxWithAFlatButton) {
    const ComboLook look = lookOf(4);
    const int bx = W - 16, by = 4; // inside the button, away from the arrow
    Painted normal(look, state::Normal);
    EXPECT_EQ(normal.at(bx, by), 0xF2F7F8u);
    EXPECT_EQ(normal.at(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(normal.at(W - 1, 19), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(normal.at(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(normal.at(W - 19, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(normal.at(W - 18, 2), GetSysColor(COLOR_BTNHIGHLIGHT)); // raised inner line
    EXPECT_EQ(normal.at(W - 10, 11), 0xC56A31u);                      // arrow tip
    EXPECT_EQ(normal.at(20, 10), 0xFFFFFFu);
    EXPECT_EQ(normal.layout.listFrameColor, GetSysColor(COLOR_BTNFACE));

    Painted pressed(look, state::Pressed);
    EXPECT_EQ(pressed.at(W - 18, 2), GetSysColor(COLOR_BTNSHADOW)); // thin sunken line
    EXPECT_EQ(pressed.at(W - 3, 17), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pressed.at(bx, by), 0xF2F7F8u);

    Painted disabled(look, state::Disabled);
    EXPECT_EQ(disabled.at(bx, by), 0xFBFDFDu);
    EXPECT_EQ(disabled.at(W - 10, 11), 0xDDA786u);
}

TEST(ComboFramePaint, AppearanceTwoIsAClassicSunkenBoxWithAnArrowInEveryState) {
    const ComboLook look = lookOf(2);
    Painted normal(look, state::Normal);
    EXPECT_EQ(normal.at(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(normal.at(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(normal.at(W - 18, 2), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(normal.at(W - 15, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(normal.layout.listFrameColor, GetSysColor(COLOR_BTNSHADOW));
    // The arrow: five, three and one pixel rows, the tip at W-10.
    for (int x = W - 13; x <= W - 7; ++x)
        EXPECT_EQ(normal.at(x, 9) == 0xC56A31u, x >= W - 12 && x <= W - 8) << x;
    for (int x = W - 12; x <= W - 8; ++x)
        EXPECT_EQ(normal.at(x, 10) == 0xC56A31u, x >= W - 11 && x <= W - 9) << x;
    EXPECT_EQ(normal.at(W - 10, 11), 0xC56A31u);
    EXPECT_NE(normal.at(W - 11, 11), 0xC56A31u);

    Painted pressed(look, state::Pressed);
    EXPECT_EQ(pressed.at(W - 18, 2), GetSysColor(COLOR_BTNSHADOW));
    Painted disabled(look, state::Disabled);
    EXPECT_EQ(disabled.at(W - 10, 11), 0xC56A31u);

    // Odd heights place the middle row by rounding half to even.
    struct Case {
        int height, topRow;
    } cases[] = {{21, 9}, {22, 10}, {23, 11}};
    for (const auto& c : cases) {
        Painted p(look, state::Normal, c.height);
        EXPECT_EQ(p.at(W - 10, c.topRow), 0xC56A31u) << c.height;
        EXPECT_NE(p.at(W - 10, c.topRow - 1), 0xC56A31u) << c.height;
    }
}

TEST(ComboFramePaint, AnAppearanceOutsideTheLooksDrawsNoLook) {
    for (long a : {0L, 22L}) {
        Painted p(lookOf(a), state::Normal);
        EXPECT_EQ(p.at(0, 0), 0xFFFFFFu);
        EXPECT_EQ(p.at(W - 16, 4), 0xFFFFFFu);
        EXPECT_EQ(p.layout.editLeft, 8);
    }
}

// The stored numbers are what saved forms hold: each must still reach the routine that draws it.
TEST(ComboFramePaint, EveryStoredAppearanceReachesItsOwnLook) {
    using F = ComboFrame;
    const struct {
        long stored;
        F::LookPainter draw;
    } cases[] = {
        {1, &F::DrawAppearance1},
        {2, &F::DrawAppearance2},
        {3, &F::drawSchemeLook},
        {4, &F::DrawAppearance4},
        {5, &F::DrawAppearance5},
        {6, &F::DrawAppearance6},
        {7, &F::DrawAppearance7},
        {8, &F::DrawAppearance8},
        {9, &F::DrawAppearance9},
        {10, &F::DrawAppearance10},
        {11, &F::DrawAppearance11},
        {12, &F::DrawAppearance12},
        {13, &F::DrawAppearance13},
        {14, &F::DrawAppearance14},
        {15, &F::DrawAppearance15},
        {16, &F::DrawAppearance16},
        {17, &F::DrawAppearance17},
        {18, &F::DrawAppearance18},
        {19, &F::DrawAppearance19},
        {20, &F::DrawAppearance20},
        {21, &F::DrawAppearance21},
        {0, nullptr},
        {-1, nullptr},
        {22, nullptr},
    };
    for (const auto& c : cases) EXPECT_TRUE(F::lookFor(c.stored) == c.draw) << c.stored;
}

TEST(ComboFramePaint, ListOnlyStyleDrawsThePrefixedText) {
    for (bool enabled : {true, false}) {
        ComboLook look = lookOf(4);
        look.Style = widgets::ListOnlyStyle;
        look.Text = L"&Wide";
        look.NormalColorText = 0x0000FF;
        look.Enabled = enabled;
        const uint32_t colour = enabled ? 0x0000FFu : look.disabledRead();
        Painted p(look, enabled ? state::Normal : state::Disabled);
        EXPECT_FALSE(p.layout.editVisible);
        const int underline = p.rowWithRun(colour, 4, 8);
        EXPECT_GT(underline, 11) << enabled;
        EXPECT_LT(underline, 20) << enabled;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 8; ++x) EXPECT_NE(p.at(x, y), colour) << x << "," << y;
        EXPECT_EQ(p.at(8, underline), colour);
        EXPECT_EQ(p.rowWithRun(colour, 40, 8), -1) << "one ampersand draws no underline of its own";
    }
}

TEST(ComboFramePaint, SelectedItemPictureAndEditBoxPlace) {
    const uint32_t green = 0x00C000;
    widgets::ComboItem withPicture;
    withPicture.picture = bitmapPicture(50, 12, [&](int, int) { return green; });
    widgets::ComboItem plain;
    struct Case {
        long appearance;
        const widgets::ComboItem* selected;
        int left, width;
    } cases[] = {{4, &withPicture, 27, W - 47}, {4, &plain, 8, W - 47},  {4, nullptr, 8, W - 26},
                 {6, &withPicture, 27, W - 49}, {11, &plain, 8, W - 49}, {2, &withPicture, 27, W - 47}};
    for (const auto& c : cases) {
        Painted p(lookOf(c.appearance), state::Normal, 20, c.selected);
        EXPECT_EQ(p.layout.editLeft, c.left) << c.appearance;
        EXPECT_EQ(p.layout.editWidth, c.width) << c.appearance;
        EXPECT_EQ(p.layout.editTop, 4);
        EXPECT_EQ(p.layout.editHeight, 13);
        EXPECT_EQ(p.layout.cutCorners, c.appearance == 6);
        if (c.selected == &withPicture) {
            EXPECT_EQ(p.at(5, 3), green);
            EXPECT_EQ(p.at(54, 14), green);
            EXPECT_NE(p.at(4, 3), green);
            EXPECT_NE(p.at(55, 3), green);
            EXPECT_NE(p.at(5, 15), green);
        }
    }
}

TEST(ComboFramePaint, CompactingOnlyEverShortens) {
    forms::Surface s(10, 10);
    struct Case {
        std::wstring text, shown;
    } cases[] = {
        {L"abcdefg", L"abcdefg"}, {L"abcdefgh", L"abcd..."}, {L"abcdefghi", L"abcd..."}, {L"abc", L"abc"}};
    for (const auto& c : cases)
        EXPECT_EQ(widgets::CompactItemText(s.hDC(), 1, c.text, L"", 0), c.shown) << c.text;
}

class ComboFrameWindow : public ComboTest {};

TEST_F(ComboFrameWindow, SizeIsKeptInRangeBeforePainting) {
    struct Case {
        long appearance;
        int width, height, keptWidth, keptHeight;
    } cases[] = {{1, 500, 250, 840, 300},
                 {11, 2100, 305, 2100, 310},
                 {4, 2100, 601, 2100, 310},
                 {12, 2100, 601, 2100, 300},
                 {4, 2100, 600, 2100, 600}};
    for (const auto& c : cases) {
        auto other = place(c.width, c.height);
        other->setAppearanceCombo(c.appearance);
        other->Move(other->Left(), other->Top(), c.width, c.height);
        other->setStyle(0);
        EXPECT_EQ(other->Width(), c.keptWidth) << c.appearance << " " << c.height;
        EXPECT_EQ(other->Height(), c.keptHeight) << c.appearance << " " << c.height;
    }
}

TEST_F(ComboFrameWindow, CutCornersOnlyForAppearanceSix) {
    forms::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    combo->setAppearanceCombo(6);
    ASSERT_NE(GetWindowRgn(combo->hWnd(), region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 10, 10));
    combo->setAppearanceCombo(4);
    EXPECT_EQ(GetWindowRgn(combo->hWnd(), region.get()), ERROR);
}

TEST_F(ComboFrameWindow, ASelectionAboveTheCountPaintsAsNone) {
    combo->AddItem(L"one", 0xC56A31, bitmapPicture(50, 12, [](int, int) { return 0x00C000u; }));
    combo->setListIndex(1);
    EXPECT_EQ(pixel(5, 3), 0x00C000u);
    combo->setListIndex(5);
    combo->DrawCombo(widgets::comboState::Normal);
    EXPECT_EQ(pixel(5, 3), 0xFFFFFFu);
}

} // namespace
