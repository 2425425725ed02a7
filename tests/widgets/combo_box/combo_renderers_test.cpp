// The renderers of appearances 5, 8, 12, 13, 14, 18, 20 and 21.
#include "combo_paint_support.h"
#include "combo_test_support.h"

namespace {

using namespace combotest;
using widgets::ComboLook;
using widgets::LightenColor;
namespace state = widgets::comboState;

constexpr int W = 140, H = 20;

TEST(ComboRenderers, PressedPaintsAloneFrameTheList) {
    struct Case {
        long appearance;
        uint32_t pressed;
    } cases[] = {{8, LightenColor(0xB6BFC3, 21)},
                 {12, LightenColor(0xC56A31, 93)},
                 {13, LightenColor(0xC56A31, 93)},
                 {18, 0xC56A31}};
    for (const auto& c : cases) {
        for (int st : {state::Normal, state::Hot, state::Disabled})
            EXPECT_EQ(PaintedCombo(lookOf(c.appearance), st).layout.listFrameColor, UnsetListFrame)
                << c.appearance << "/" << st;
        EXPECT_EQ(PaintedCombo(lookOf(c.appearance), state::Pressed).layout.listFrameColor, c.pressed)
            << c.appearance;
    }
}

TEST(ComboRenderers, TwelveAndThirteenTurnTheSameGradient) {
    for (int st : {state::Normal, state::Hot, state::Pressed, state::Disabled}) {
        PaintedCombo down(lookOf(12), st), across(lookOf(13), st);
        EXPECT_EQ(down.at(0, 10), across.at(0, 10));
        EXPECT_EQ(down.at(W - 18, 10), across.at(0, 10));
        for (int x = W - 16; x <= W - 4; ++x) EXPECT_EQ(down.at(x, 4), down.at(W - 17, 4)) << x;
        for (int y = 3; y <= 8; ++y) EXPECT_EQ(across.at(W - 16, y), across.at(W - 16, 3)) << y;
        EXPECT_NE(down.at(W - 15, 4), down.at(W - 15, 15));
        EXPECT_NE(across.at(W - 16, 5), across.at(W - 5, 5));
        // Both run from the start colour to the end colour.
        EXPECT_TRUE(closeTo(down.at(W - 15, 3), across.at(W - 17, 5), 10)) << st;
    }
    EXPECT_EQ(PaintedCombo(lookOf(12), state::Normal).at(0, 10), LightenColor(0xC56A31, 133));
    EXPECT_EQ(PaintedCombo(lookOf(12), state::Disabled).at(W - 10, 11), LightenColor(0x404040, 166));
}

TEST(ComboRenderers, EightHasItsOwnBackgroundAndADisabledInnerFrame) {
    ComboLook look = lookOf(8);
    look.BackColor = 0x00FFFF;
    PaintedCombo on(look, state::Normal), off(look, state::Disabled);
    EXPECT_EQ(on.layout.editBack, LightenColor(0xDEEAF0, 184));
    EXPECT_EQ(on.at(20, 10), LightenColor(0xDEEAF0, 184));
    EXPECT_EQ(on.at(1, 5), 0xEAF3F7u);
    EXPECT_EQ(on.at(0, 5), LightenColor(0xB6BFC3, 91));
    EXPECT_EQ(on.at(W - 18, 2), on.layout.editBack);
    EXPECT_EQ(on.at(W - 15, 5), 0xEAF3F7u);
    EXPECT_EQ(on.at(W - 18, 5), LightenColor(0xB6BFC3, 162));
    EXPECT_EQ(off.layout.editBack, LightenColor(0xEAF3F7, 124));
    EXPECT_EQ(off.at(20, 10), LightenColor(0xEAF3F7, 124));
    EXPECT_EQ(off.at(1, 5), LightenColor(0xEAF3F7, 124));
    EXPECT_EQ(off.at(0, 5), LightenColor(0xB6BFC3, 84));
    EXPECT_EQ(off.at(W - 10, 11), LightenColor(0x404040, 196));
    EXPECT_EQ(look.BackColor, 0x00FFFFu);
}

TEST(ComboRenderers, FourteenMarksAndItsFramesByState) {
    struct Case {
        int st;
        uint32_t frame, buttonFrame, mark, list;
    } cases[] = {
        {state::Normal, 0xA69182, LightenColor(0xA69182, 5), 0xC56A31, 0xA69182},
        {state::Pressed, 0xA69182, LightenColor(0xA69182, 5), 0xC56A31, 0xA69182},
        {state::Hot, 0xAF9080, 0x53969F, 0x3EB4DE, UnsetListFrame},
        {state::Disabled, LightenColor(0xA69182, 146), 0, LightenColor(0xC0C0C0, 97), UnsetListFrame},
    };
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(14), c.st);
        EXPECT_EQ(p.at(0, 10), c.frame) << c.st;
        if (c.st == state::Disabled)
            EXPECT_TRUE(closeTo(p.at(W - 17, 1), 0xFFFFFF, 12)) << "no button frame, only the gradient";
        else
            EXPECT_EQ(p.at(W - 17, 10), c.buttonFrame) << c.st;
        EXPECT_EQ(p.at(W - 11, 11), c.mark) << c.st; // the downward mark's top row
        EXPECT_EQ(p.at(W - 11, 9), c.mark) << c.st;  // the upward mark's bottom row
        EXPECT_EQ(p.layout.listFrameColor, c.list) << c.st;
    }
    EXPECT_EQ(PaintedCombo(lookOf(14), state::Hot).at(W - 16, 10), 0x92C4D8u);
}

TEST(ComboRenderers, EighteenEditLinesEndAt143FromTheRight) {
    const uint32_t line = LightenColor(0xDEEDEF, 168);
    PaintedCombo wide(lookOf(18), state::Normal, {.width = 200});
    for (int y : {1, H - 2}) {
        EXPECT_EQ(wide.at(200 - 19, y), line) << y;
        EXPECT_EQ(wide.at(200 - 143, y), line) << y;
        EXPECT_EQ(wide.at(200 - 144, y), 0xFFFFFFu) << y;
    }
    PaintedCombo edge(lookOf(18), state::Normal, {.width = 144});
    EXPECT_EQ(edge.at(1, 1), line);
    EXPECT_EQ(edge.at(0, 1), 0xDEEDEFu);
    PaintedCombo narrow(lookOf(18), state::Normal);
    EXPECT_EQ(narrow.at(0, 1), line);
    EXPECT_EQ(narrow.at(0, H - 2), line);
    PaintedCombo off(lookOf(18), state::Disabled);
    EXPECT_EQ(off.at(5, 1), LightenColor(LightenColor(0x808080, 94), 198));
    // The shaded edging over the gradient: its top row ramps from the right.
    EXPECT_EQ(narrow.at(W - 3, 1), LightenColor(0xDAB278, 173));
}

TEST(ComboRenderers, TwentyChevronsAroundTwoDarkRows) {
    PaintedCombo p(lookOf(20), state::Normal);
    for (int x = W - 13; x <= W - 6; ++x) {
        EXPECT_EQ(p.at(x, 10), 0x000000u) << x;
        EXPECT_EQ(p.at(x, 11), 0x000000u) << x;
    }
    EXPECT_EQ(p.at(W - 13, 9), 0x000000u);
    EXPECT_EQ(p.at(W - 6, 9), 0x000000u);
    for (int x = W - 12; x <= W - 7; ++x) {
        EXPECT_EQ(p.at(x, 9), 0xFFFFFFu) << x;
        EXPECT_EQ(p.at(x, 12), 0xFFFFFFu) << x;
    }
    EXPECT_EQ(p.at(W - 10, 6), 0x000000u);
    EXPECT_EQ(p.at(W - 9, 15), 0x000000u);
    EXPECT_NE(p.at(W - 10, 5), 0x000000u);
    EXPECT_EQ(p.at(W - 10, 1), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 10, H - 2), 0x000000u);
    EXPECT_EQ(p.at(0, 10), 0x4A464Bu);
    EXPECT_EQ(p.layout.listFrameColor, 0x4A464Bu);
    PaintedCombo off(lookOf(20), state::Disabled);
    EXPECT_EQ(off.at(W - 13, 10), 0xB0B0B0u);
    EXPECT_EQ(off.layout.listFrameColor, LightenColor(0x4A464B, 176));
}

TEST(ComboRenderers, TwentyOneBarUnderTheArrow) {
    struct Case {
        int st;
        uint32_t ink, face;
    } cases[] = {{state::Normal, 0xC56A31, 0xE0C6AE},
                 {state::Hot, LightenColor(0xC56A31, 89), 0xE0C6AE},
                 {state::Disabled, LightenColor(0xC0C0C0, 85), LightenColor(0xE0C6AE, 176)}};
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(21), c.st);
        EXPECT_EQ(p.at(W - 13, 14), c.ink) << c.st;
        EXPECT_EQ(p.at(W - 7, 14), c.ink) << c.st;
        EXPECT_NE(p.at(W - 6, 14), c.ink) << c.st;
        EXPECT_EQ(p.at(W - 12, 10), c.ink) << c.st;
        EXPECT_EQ(p.at(W - 10, 1), c.face) << c.st;
        EXPECT_EQ(p.at(W - 17, 5), c.face) << c.st;
    }
}

TEST(ComboRenderers, FiveFramesByState) {
    struct Case {
        int st;
        uint32_t frame, arrow;
    } cases[] = {{state::Normal, 0xDEEDEF, 0xC56A31},
                 {state::Hot, 0xC56A31, 0xC56A31},
                 {state::Pressed, 0xC56A31, 0xC56A31},
                 {state::Disabled, 0xC0C0C0, LightenColor(0x404040, 166)}};
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(5), c.st);
        EXPECT_EQ(p.at(0, 10), c.frame) << c.st;
        EXPECT_EQ(p.at(W - 18, 10), c.frame) << c.st;
        EXPECT_EQ(p.at(W - 10, 11), c.arrow) << c.st;
        EXPECT_EQ(p.layout.listFrameColor, c.frame) << c.st;
    }
    EXPECT_TRUE(closeTo(PaintedCombo(lookOf(5), state::Pressed).at(W - 17, 3), 0xFFDD9E, 8));
}

} // namespace
