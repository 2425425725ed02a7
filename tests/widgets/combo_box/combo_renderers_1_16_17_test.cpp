// The default look in its three variants, appearances 16 and 17, and every look painted on a real
// control.
#include "combo_paint_support.h"
#include "combo_test_support.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/rounding.h"
#include "platform/core/variant.h"
#include "platform/forms/functions.h"
#include "platform/forms/property_bag.h"

#include <set>

namespace {

using namespace combotest;
using widgets::ComboLook;
using widgets::LightenColor;
namespace state = widgets::comboState;

constexpr int W = 140, H = 20;
constexpr uint32_t Parent = 0x3366CC;

TEST(ComboAppearance1, OfficeZeroFramesTheEditAreaAndTheButton) {
    PaintedCombo p(lookOf(1, 0), state::Normal);
    for (const auto& [x, y] : {std::pair{0, 0}, {W - 1, H - 1}, {0, 10}, {W - 15, 10}, {W - 15, 0}})
        EXPECT_EQ(p.at(x, y), 0xDEEDEFu) << x << "," << y;
    for (int x = W - 13; x <= W - 3; ++x) EXPECT_EQ(p.at(x, 3), 0xDEEDEFu) << x;
    EXPECT_EQ(p.at(W - 14, 3), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 2, 3), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 13, 1), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 8, 11), 0xC56A31u); // two pixels right of appearance 2's arrow
    EXPECT_EQ(p.layout.listFrameColor, UnsetListFrame);

    PaintedCombo hot(lookOf(1, 0), state::Hot);
    EXPECT_EQ(hot.at(0, 10), 0xC56A31u);
    EXPECT_EQ(hot.at(W - 14, 1), LightenColor(0xC56A31, 185));
    EXPECT_EQ(hot.at(W - 2, H - 2), LightenColor(0xC56A31, 185));
    PaintedCombo pressed(lookOf(1, 0), state::Pressed);
    EXPECT_EQ(pressed.at(W - 10, 3), LightenColor(0xC56A31, 125));
    EXPECT_EQ(pressed.layout.listFrameColor, 0xC56A31u);
}

TEST(ComboAppearance1, DisabledArrowsAndFramesOfTheThreeVariants) {
    struct Case {
        long office;
        int tip;
        uint32_t arrow, frame;
    } cases[] = {
        {0, W - 8, 0xC56A31, LightenColor(0xDEEDEF, 41)},
        {1, W - 9, LightenColor(0xC0C0C0, 36), LightenColor(0xC0C0C0, 36)},
        {2, W - 8, GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_GRAYTEXT)},
    };
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(1, c.office), state::Disabled);
        EXPECT_EQ(p.at(c.tip, 11), c.arrow) << c.office;
        EXPECT_EQ(p.at(0, 10), c.frame) << c.office;
    }
}

TEST(ComboAppearance1, OfficeOneNormalHasNoFrame) {
    PaintedCombo p(lookOf(1, 1), state::Normal);
    EXPECT_EQ(p.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(p.at(0, 10), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 1, 10), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 13, 5), LightenColor(0xDEEDEF, 175));
    EXPECT_EQ(p.at(W - 14, 5), 0xFFFFFFu);
    EXPECT_EQ(p.at(W - 9, 11), 0xC56A31u);
    PaintedCombo pressed(lookOf(1, 1), state::Pressed);
    EXPECT_EQ(pressed.at(W - 12, 5), LightenColor(0xC56A31, 176));
    EXPECT_EQ(pressed.layout.listFrameColor, LightenColor(0xC56A31, 176));
    EXPECT_EQ(PaintedCombo(lookOf(1, 1), state::Hot).layout.listFrameColor, UnsetListFrame);
}

TEST(ComboAppearance1, OfficeTwoUsesSystemColours) {
    ComboLook look = lookOf(1, 2);
    look.BackColor = 0x00FFFF;
    PaintedCombo on(look, state::Normal), hot(look, state::Hot), off(look, state::Disabled);
    EXPECT_EQ(on.layout.editBack, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(on.at(0, 10), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(on.layout.listFrameColor, UnsetListFrame);
    EXPECT_EQ(hot.at(0, 10), GetSysColor(COLOR_HOTLIGHT));
    EXPECT_EQ(hot.at(W - 15, 10), GetSysColor(COLOR_HOTLIGHT));
    EXPECT_EQ(hot.layout.listFrameColor, GetSysColor(COLOR_HOTLIGHT));
    EXPECT_EQ(off.layout.editBack, LightenColor(GetSysColor(COLOR_BTNFACE), 176));
    EXPECT_EQ(off.at(20, 10), LightenColor(GetSysColor(COLOR_BTNFACE), 176));
    EXPECT_EQ(off.layout.editFore, GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(look.BackColor, 0x00FFFFu);
}

// The arrow's pixels relative to (W, H/2 - 2).
std::set<std::pair<int, int>> arrow16(int height) {
    PaintedCombo p(lookOf(16), state::Normal, {.height = height});
    const int y0 = static_cast<int>(core::roundHalfEven(height / 2.0 - 2));
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < height; ++y)
        for (int x = W - 18; x < W; ++x)
            if (p.at(x, y) == 0xC56A31u) lit.insert({x - W, y - y0});
    return lit;
}

TEST(ComboAppearance16, ArrowRowsDependOnlyOnTheHeight) {
    const auto shape = arrow16(20);
    EXPECT_EQ(shape.size(), 34u);
    EXPECT_TRUE(shape.count({-14, -1}) && shape.count({-13, -1}) && shape.count({-6, -1}) &&
                shape.count({-5, -1}));
    EXPECT_FALSE(shape.count({-9, -1}));
    EXPECT_TRUE(shape.count({-10, 6}) && shape.count({-9, 6}));
    for (int height : {21, 24, 40}) EXPECT_EQ(arrow16(height), shape) << height;
    PaintedCombo off(lookOf(16), state::Disabled);
    EXPECT_EQ(off.at(W - 10, 14), LightenColor(LightenColor(0x808080, 94), 166));
    EXPECT_EQ(off.at(0, 10), LightenColor(LightenColor(0x808080, 94), 156));
    EXPECT_EQ(PaintedCombo(lookOf(16), state::Pressed).layout.listFrameColor, 0xC56A31u);
}

TEST(ComboAppearance17, CornerRunsOverAColouredContainer) {
    ComboLook look = lookOf(17);
    look.BackColor = 0x00FFFF;
    const uint32_t k2 = LightenColor(0xC56A31, 143);
    PaintedCombo p(look, state::Normal, {.parentBack = Parent});
    const struct {
        int x, y;
        uint32_t colour;
    } pixels[] = {{W - 5, 0, k2},         {W - 4, 0, Parent},
                  {W - 1, 0, Parent},     {W - 4, 1, k2},
                  {W - 3, 1, Parent},     {W - 2, 3, k2},
                  {W - 1, 3, Parent},     {W - 1, 4, k2},
                  {W - 4, H - 1, Parent}, {W - 1, H - 1, Parent},
                  {W - 4, H - 2, k2},     {W - 3, H - 2, Parent},
                  {W - 3, H - 3, k2},     {W - 17, 1, 0x00FFFF},
                  {W - 15, 1, 0x00FFFF},  {W - 14, 1, k2},
                  {W - 17, 4, k2},        {W - 17, H - 2, 0x00FFFF},
                  {W - 14, H - 2, k2},    {0, 10, k2}};
    for (const auto& px : pixels) EXPECT_EQ(p.at(px.x, px.y), px.colour) << px.x - W << "," << px.y;
    EXPECT_EQ(p.at(W - 9, 11), 0xC56A31u);
    EXPECT_EQ(p.layout.listFrameColor, UnsetListFrame);
    PaintedCombo alone(look, state::Normal);
    EXPECT_EQ(alone.count(Parent), 0);
    EXPECT_EQ(alone.at(W - 14, 1), k2);
    PaintedCombo hot(look, state::Hot, {.parentBack = Parent});
    EXPECT_EQ(hot.layout.listFrameColor, LightenColor(0xC56A31, 113));
}

class ComboEveryLook : public ComboTest {};

TEST_F(ComboEveryLook, PaintsInEveryStateAtTheSmallestAndTallestSizesWithoutError) {
    std::wstring logged;
    auto previous = core::setLogHandler([&](const std::wstring& text, int) { logged += text + L"\n"; });
    for (int height : {300, 600}) {
        auto c = place(840, height);
        c->setBackColor(0x00FFFF);
        for (long appearance = 0; appearance <= 22; ++appearance)
            for (long variant : {0L, 1L, 2L, 9L}) {
                c->setAppearanceCombo(appearance);
                c->setOfficeAppearance(variant);
                c->setXpAppearance(variant);
                c->Move(c->Left(), c->Top(), 840, height);
                for (int st : {state::Disabled, state::Normal, state::Hot, state::Pressed}) c->DrawCombo(st);
            }
    }
    core::setLogHandler(previous);
    EXPECT_EQ(logged, L"");
}

TEST_F(ComboEveryLook, PaintingKeepsTheHostsBackColor) {
    combo->setBackColor(0x00FFFF);
    const struct { long appearance, office, xp; } looks[] = {{3, 0, 1}, {3, 0, 0}, {8, 0, 1}, {1, 2, 1}};
    for (const auto& l : looks) {
        combo->setAppearanceCombo(l.appearance);
        combo->setOfficeAppearance(l.office);
        combo->setXpAppearance(l.xp);
        for (int st : {state::Normal, state::Hot, state::Pressed, state::Disabled}) combo->DrawCombo(st);
        EXPECT_EQ(combo->BackColor(), 0x00FFFFu) << l.appearance;
        EXPECT_NE(pixel(20, 10), 0x00FFFFu) << l.appearance;
        forms::PropertyBag written;
        combo->save(written);
        EXPECT_TRUE(written.ReadProperty(L"BackColor") == core::Variant::colour(0x00FFFF)) << l.appearance;
    }
}

TEST_F(ComboEveryLook, AppearanceEighteenFollowsTheContainer) {
    combo->setAppearanceCombo(18);
    combo->DrawCombo(state::Hot);
    EXPECT_EQ(pixel(0, 10), 0xC56A31u);
    form->setBackColor(0x00FFFF);
    EXPECT_EQ(pixel(0, 10), 0xDEEDEFu) << "repainted in the normal state";
    form->setBackColor(core::sysColor::ButtonFace);
}

} // namespace
