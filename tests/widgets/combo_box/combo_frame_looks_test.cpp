// The looks the frame draws itself: appearances 6, 7, 9, 10, 11, 15 and 19.
#include "combo_paint_support.h"
#include "combo_test_support.h"

namespace {

using namespace combotest;
using widgets::ComboLook;
using widgets::LightenColor;
namespace state = widgets::comboState;

constexpr int W = 140, H = 20;
constexpr uint32_t Parent = 0x3366CC;

TEST(ComboAppearance6, DisabledShowsTheContainerAndGreys) {
    PaintedCombo off(lookOf(6), state::Disabled, {.parentBack = Parent});
    // Entries that take the container's colour: the corners and both outer columns.
    for (const auto& [x, y] : {std::pair{W - 3, 0},
                               {W - 3, H - 4},
                               {W - 2, H - 6},
                               {W - 2, 1},
                               {0, 1},
                               {0, 8},
                               {0, 16},
                               {W - 1, 4},
                               {W - 1, 9},
                               {W - 1, 14}})
        EXPECT_EQ(off.at(x, y), Parent) << x << "," << y;
    EXPECT_EQ(off.at(W - 10, 0), 0x828282u);                 // P4
    EXPECT_EQ(off.at(W - 4, 0), LightenColor(0x808080, 55)); // the top corner pixel
    EXPECT_EQ(off.at(W - 13, 10), 0xB0B0B0u);                // the lower arrowhead
    EXPECT_EQ(off.at(W - 13, 7), 0xB0B0B0u);                 // the upper one
    EXPECT_EQ(off.layout.listFrameColor, GetSysColor(COLOR_BTNSHADOW));

    // Without a container those steps draw nothing.
    PaintedCombo alone(lookOf(6), state::Disabled);
    EXPECT_EQ(alone.at(W - 3, 0), 0xFFFFFFu);
    EXPECT_EQ(alone.at(0, 8), 0xFFFFFFu);

    PaintedCombo on(lookOf(6), state::Normal, {.parentBack = Parent});
    EXPECT_EQ(on.at(W - 4, 0), 0xA76E4Au);
    EXPECT_EQ(on.at(W - 2, 1), 0xB3A49Du);
    EXPECT_EQ(on.at(W - 13, 10), 0x000000u);
    EXPECT_EQ(on.at(W - 10, 0), LightenColor(0xB33A01, 9));
    EXPECT_EQ(on.count(Parent), 0);
    EXPECT_EQ(on.at(1, H - 3), 0x747474u);
}

TEST(ComboAppearance7, DoubleFramesWithCornerAndMixedPixels) {
    const uint32_t shadow = GetSysColor(COLOR_BTNSHADOW), window = GetSysColor(COLOR_WINDOW);
    const uint32_t mixed = widgets::MixColors(window, shadow);
    struct Case {
        int st;
        uint32_t fill, arrow;
    } cases[] = {{state::Normal, 0xDEEDEF, 0xC56A31},
                 {state::Hot, LightenColor(0xDEEDEF, 52), 0xC56A31},
                 {state::Pressed, 0xDEEDEF, 0xC56A31},
                 {state::Disabled, LightenColor(0xDEEDEF, 192), LightenColor(0xC56A31, 166)}};
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(7), c.st);
        EXPECT_EQ(p.at(0, 5), shadow);
        EXPECT_EQ(p.at(1, 5), window);
        EXPECT_EQ(p.at(0, H - 1), window);
        EXPECT_EQ(p.at(W - 1, 0), window);
        EXPECT_EQ(p.at(1, H - 2), mixed);
        EXPECT_EQ(p.at(W - 2, 1), mixed);
        EXPECT_EQ(p.at(W - 18, 5), shadow);
        EXPECT_EQ(p.at(W - 18, 17), window);
        EXPECT_EQ(p.at(W - 3, 2), window);
        EXPECT_EQ(p.at(W - 17, 16), mixed);
        EXPECT_EQ(p.at(W - 4, 3), mixed);
        EXPECT_EQ(p.at(W - 15, 5), c.fill) << c.st;
        EXPECT_EQ(p.at(W - 10, 11), c.arrow) << c.st;
        EXPECT_EQ(p.layout.listFrameColor, shadow);
    }
}

TEST(ComboAppearance9, UserPicturesOverTheContainerStrip) {
    struct Case {
        int st;
        uint32_t frame, list;
    } cases[] = {{state::Normal, 0xDEEDEF, UnsetListFrame},
                 {state::Hot, 0xC56A31, UnsetListFrame},
                 {state::Pressed, 0xC56A31, 0xC56A31},
                 {state::Disabled, 0xDCDCDC, UnsetListFrame}};
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(9), c.st, {.parentBack = Parent});
        for (int x = W - 19; x < W; ++x) EXPECT_EQ(p.at(x, 10), Parent) << x;
        EXPECT_EQ(p.at(0, 10), c.frame) << c.st;
        EXPECT_EQ(p.at(W - 20, 10), c.frame) << c.st;
        EXPECT_EQ(p.at(5, 10), 0xFFFFFFu);
        EXPECT_EQ(p.layout.listFrameColor, c.list) << c.st;
    }
    PaintedCombo alone(lookOf(9), state::Normal);
    EXPECT_EQ(alone.at(W - 10, 10), 0xFFFFFFu);

    ComboLook look = lookOf(9);
    look.HighLightPictureUser = bitmapPicture(17, 18, [](int x, int y) {
        return x >= 6 && x <= 10 && y >= 6 && y <= 11 ? 0x00C000u
                                                      : static_cast<uint32_t>(widgets::PictureKeyColor);
    });
    PaintedCombo hot(look, state::Hot, {.parentBack = Parent});
    EXPECT_EQ(hot.at(W - 18 + 8, 1 + 8), 0x00C000u);
    EXPECT_EQ(hot.at(W - 18 + 2, 1 + 2), Parent);
    EXPECT_EQ(hot.count(0x00C000), 30);
    PaintedCombo normal(look, state::Normal, {.parentBack = Parent});
    EXPECT_EQ(normal.count(0x00C000), 0);
}

TEST(ComboAppearance10, CurvedButtonCorner) {
    for (int st : {state::Normal, state::Hot}) {
        const uint32_t frame = LightenColor(0xC56A31, st == state::Hot ? 113 : 143);
        ComboLook look = lookOf(10);
        look.BackColor = 0x00FFFF;
        PaintedCombo p(look, st);
        const struct {
            int row, firstFrameColumn;
        } rows[] = {{1, W - 14}, {2, W - 15}, {3, W - 16}, {4, W - 17}};
        for (const auto& r : rows) {
            for (int x = W - 17; x < r.firstFrameColumn; ++x) EXPECT_EQ(p.at(x, r.row), 0x00FFFFu) << x;
            EXPECT_EQ(p.at(r.firstFrameColumn, r.row), frame) << r.row;
        }
        EXPECT_EQ(p.at(0, 10), frame);
        EXPECT_EQ(p.layout.listFrameColor, st == state::Hot ? frame : UnsetListFrame);
        EXPECT_EQ(p.at(W - 9, 11), 0xC56A31u); // the arrow one pixel right
    }
    PaintedCombo off(lookOf(10), state::Disabled);
    EXPECT_EQ(off.at(W - 9, 11), LightenColor(0x404040, 166));
    EXPECT_EQ(off.at(0, 10), 0xB0B0B0u);
}

TEST(ComboAppearance11, RoundButtonHotAndPressedAlikeDisabledChevron) {
    PaintedCombo hot(lookOf(11), state::Hot), pressed(lookOf(11), state::Pressed);
    EXPECT_EQ(hot.area(0, 0, W, H), pressed.area(0, 0, W, H));
    EXPECT_EQ(hot.at(W - 16, 10), 0x9F3000u);
    EXPECT_EQ(hot.at(W - 14, 7), 0xFFFFFFu);
    EXPECT_EQ(hot.at(0, 10), 0xAF572Fu);
    PaintedCombo normal(lookOf(11), state::Normal);
    EXPECT_EQ(normal.at(W - 16, 10), 0xCF989Fu);
    EXPECT_EQ(normal.at(W - 11, 2), 0xA07F7Fu); // the outer circle's top
    EXPECT_EQ(normal.at(W - 11, 3), 0xFFFFFFu); // the inner one
    PaintedCombo off(lookOf(11), state::Disabled);
    EXPECT_EQ(off.at(W - 14, 7), LightenColor(0x404040, 166));
    EXPECT_EQ(off.at(W - 14, 11), LightenColor(0x404040, 166));
    for (const PaintedCombo* p : {&hot, &normal, &off})
        EXPECT_EQ(p->layout.listFrameColor, LightenColor(0x9F3000, 45));
}

TEST(ComboAppearance15, DisabledLightensOnlyTheBottomColour) {
    ComboLook look = lookOf(15);
    look.GradientColor1 = look.GradientColor2 = 0x000080;
    PaintedCombo on(look, state::Normal), off(look, state::Disabled);
    EXPECT_TRUE(closeTo(on.at(W - 15, 1), 0x000080));
    EXPECT_TRUE(closeTo(on.at(W - 15, 18), 0x000080));
    EXPECT_TRUE(closeTo(off.at(W - 15, 1), 0x000080));
    // 17 of 18 rows towards 0x00B0B0D7.
    EXPECT_TRUE(closeTo(off.at(W - 15, 18), RGB(210, 166, 166), 4)) << std::hex << off.at(W - 15, 18);
    EXPECT_EQ(off.at(0, 10), 0xB0B0B0u);
    EXPECT_EQ(off.at(W - 10, 8), 0xC6C6C6u);
    EXPECT_EQ(on.at(W - 10, 8), 0xC56A31u);
    EXPECT_EQ(on.at(0, 10), 0xDEEDEFu);
    EXPECT_EQ(on.layout.listFrameColor, 0xDEEDEFu);
}

TEST(ComboAppearance19, FlatButtonFromTheMeanOfTheGradientColours) {
    struct Case {
        int st;
        uint32_t face, frame, list;
    } cases[] = {{state::Normal, 0xEDCD95, 0xDEEDEF, UnsetListFrame},
                 {state::Pressed, LightenColor(0xECC88B, 14), 0xC56A31, 0xC56A31},
                 {state::Disabled, LightenColor(0xECC88B, 176), 0xC0C0C0, UnsetListFrame}};
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(19), c.st);
        EXPECT_EQ(p.at(W - 15, 5), c.face) << c.st;
        EXPECT_EQ(p.at(0, 10), c.frame) << c.st;
        EXPECT_EQ(p.at(W - 18, 10), c.frame) << c.st;
        EXPECT_EQ(p.at(1, 10), LightenColor(c.face, 85)) << c.st;
        EXPECT_EQ(p.layout.listFrameColor, c.list) << c.st;
    }
}

} // namespace
