// The painter draws from a look, a state and a cache on a memory surface, without a window.
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/list_box/list_box_paint.h"
#include "widgets/list_box/list_items.h"

#include <gtest/gtest.h>

namespace {

using widgets::ListBoxCache;
using widgets::ListBoxLook;
using widgets::ListBoxPainter;
using widgets::ListBoxState;

constexpr uint32_t White = 0xFFFFFF;

class ListBoxPainterTest : public ::testing::Test {
protected:
    forms::Surface surface{120, 60};
    ListBoxLook look;
    ListBoxState state;
    ListBoxCache cache;
    widgets::ListItems items;

    void SetUp() override {
        look.Font = forms::StdFont::create(L"Tahoma", 8);
        look.FocusRectangle = false;
        cache.visibleRows = 2;
        cache.rowPitch = 30;
        for (const wchar_t* text : {L"one", L"two", L"three"}) items.add({text, -1, false});
        surface.setBackColor(White);
    }
    bool paint(long top = 0) {
        surface.Cls();
        ListBoxPainter painter(surface, look, state, cache);
        const bool bottom = painter.paint(items, nullptr, top);
        GdiFlush();
        return bottom;
    }
    int inkOnRow(int from, int to, uint32_t background) {
        int n = 0;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < 120; ++x) n += surface.pixel(x, y) != background;
        return n;
    }
};

TEST_F(ListBoxPainterTest, SelectedRowsAndTheirBlendsWithAndWithoutFocus) {
    state.selection = {1};
    state.currentIndex = 1;
    // SelColor FF8C1A blended with white: 75 without the focus, 150 with it; the outline with black at 250.
    struct Case {
        bool focus;
        uint32_t fill;
    };
    for (const Case c : {Case{false, 0xFFDDBC}, Case{true, 0xFFBB78}}) {
        state.hasFocus = c.focus;
        EXPECT_TRUE(paint());
        EXPECT_EQ(surface.pixel(100, 40), c.fill) << c.focus;
        EXPECT_EQ(surface.pixel(100, 31), 0xFA8919u) << c.focus; // the outline's top edge
        EXPECT_EQ(surface.pixel(100, 10), White) << c.focus;     // row 0 is not selected
    }
    look.SelectionStyle = 0; // plain SelColor
    paint();
    EXPECT_EQ(surface.pixel(100, 40), 0xFF8C1Au);
}

TEST_F(ListBoxPainterTest, TextFontAndTheEndOfTheItems) {
    look.Forecolor = 0x0000FF;
    EXPECT_TRUE(paint());
    EXPECT_GT(inkOnRow(0, 30, White), 10);
    EXPECT_EQ(surface.Font(), cache.drawFont); // the font property's copy, not the property itself
    EXPECT_NE(cache.drawFont, look.Font);

    // From row 2 on only one item is left: it is drawn, the rows end, no bottom line.
    EXPECT_FALSE(paint(2));
    EXPECT_GT(inkOnRow(0, 30, White), 10);
    EXPECT_EQ(inkOnRow(30, 60, White), 0);

    look.ShowIcon = true;
    paint();
    EXPECT_EQ(cache.iconColumnWidth, 33); // round(pitch + 3)
}

} // namespace
