// Where the tool bar's buttons stand, the drop-down of the ones that do not fit, and the hit test.
#include "tool_bar_test_support.h"

#include "widgets/tool_bar/mc_tool_bar_layout.h"

#include <utility>
#include <vector>

namespace {

using namespace toolbartest;
using Places = std::vector<std::pair<long, long>>;

Places placesOf(const widgets::ToolBarButtons& buttons) {
    Places p;
    for (long i = 1; i <= buttons.count(); ++i) p.emplace_back(buttons.at(i).Left, buttons.at(i).Top);
    return p;
}

TEST(ToolBarLayout, RowsCellsAndHeights) {
    struct Case {
        long count, perRow;
        int16_t border;
        long separatorAt; // 0: none
        Places places;
        long height;
    };
    const Case cases[] = {
        {3, 3, 0, 0, {{0, 0}, {32, 0}, {64, 0}}, 32},
        {3, 3, 1, 0, {{2, 5}, {34, 5}, {66, 5}}, 39},
        {5, 3, 1, 0, {{2, 5}, {34, 5}, {66, 5}, {2, 37}, {34, 37}}, 71},
        {3, 3, 0, 2, {{0, 0}, {32, 0}, {42, 0}}, 32},
        {4, 2, 0, 0, {{0, 0}, {32, 0}, {0, 32}, {32, 32}}, 64},
    };
    for (const Case& c : cases) {
        widgets::ToolBarLook look;
        look.ButtonsPerRow = c.perRow;
        look.BorderStyle = c.border;
        widgets::ToolBarButtons buttons;
        buttons.resize(c.count);
        if (c.separatorAt) buttons.at(c.separatorAt).Type = 2;
        const widgets::ToolBarLayout layout = widgets::layOutButtons(look, buttons, 1000, true);
        EXPECT_EQ(placesOf(buttons), c.places) << c.count << " " << c.perRow << " " << c.border;
        ASSERT_TRUE(layout.height);
        EXPECT_EQ(*layout.height, c.height);
        EXPECT_TRUE(layout.chevron.empty());
    }
}

TEST(ToolBarLayout, ButtonsPastTheChevronAreaGoToTheDropDownAtRunTime) {
    widgets::ToolBarLook look;
    look.ButtonsPerRow = 5;
    look.ShowChevron = true;
    widgets::ToolBarButtons buttons;
    buttons.resize(5);
    widgets::ToolBarLayout layout = widgets::layOutButtons(look, buttons, 100, true);
    EXPECT_EQ(layout.chevron, (std::vector<long>{3, 4, 5}));
    EXPECT_EQ(placesOf(buttons), (Places{{0, 0}, {32, 0}, {2, 5}, {34, 5}, {66, 5}}));
    for (long i = 1; i <= 5; ++i) EXPECT_EQ(buttons.at(i).InChevron, i >= 3);
    EXPECT_EQ(layout.dropDownWidth, 100);
    EXPECT_EQ(layout.dropDownHeight, 39);

    // A separator keeps its bar place even past the edge; the drop-down wraps at its own row length.
    buttons.at(3).Type = 1;
    look.ButtonsPerRow_Chev = 1;
    layout = widgets::layOutButtons(look, buttons, 100, true);
    EXPECT_EQ(layout.chevron, (std::vector<long>{4, 5}));
    EXPECT_FALSE(buttons.at(3).InChevron);
    EXPECT_EQ(placesOf(buttons)[4], (std::pair<long, long>{2, 37}));
    EXPECT_EQ(layout.dropDownWidth, 36);
    EXPECT_EQ(layout.dropDownHeight, 71);

    // In a designer everything stays on the bar.
    layout = widgets::layOutButtons(look, buttons, 100, false);
    EXPECT_TRUE(layout.chevron.empty());
    EXPECT_EQ(placesOf(buttons)[4], (std::pair<long, long>{106, 0}));
}

TEST(ToolBarLayout, NoRowLengthSkipsOnlyWhatNeedsIt) {
    widgets::ToolBarLook look;
    widgets::ToolBarButtons buttons;
    buttons.resize(3);
    widgets::layOutButtons(look, buttons, 1000, true);
    look.ButtonsPerRow = 0;
    look.ButtonsWidth = 50;
    const widgets::ToolBarLayout layout = widgets::layOutButtons(look, buttons, 1000, true);
    EXPECT_FALSE(layout.height);
    EXPECT_EQ(placesOf(buttons), (Places{{0, 0}, {32, 0}, {64, 0}})); // as before
    EXPECT_EQ(widgets::HitTest(look, buttons, 10, 10, false), -1);
}

TEST(ToolBarLayout, HitTestCountsOnlyTheInsideOfACell) {
    widgets::ToolBarLook look;
    look.BorderStyle = 1;
    widgets::ToolBarButtons buttons;
    buttons.resize(4);
    buttons.at(2).Type = 2;
    struct Case {
        long x, y, cell;
    };
    for (const Case& c : {Case{3, 6, 1},
                          {2, 6, -1},
                          {34, 6, -1},
                          {35, 6, 2},
                          {43, 6, 2},
                          {45, 6, 3},
                          {60, 6, 3},
                          {33, 36, 1},
                          {33, 37, -1},
                          {3, 38, 4},
                          {200, 6, -1},
                          {3, 100, -1}})
        EXPECT_EQ(widgets::HitTest(look, buttons, c.x, c.y, false), c.cell) << c.x << "," << c.y;
    // In the drop-down every cell has the button's width.
    EXPECT_EQ(widgets::HitTest(look, buttons, 60, 6, true), 2);
}

class ToolBarDropDown : public ToolBarTest {};

TEST_F(ToolBarDropDown, OpensRightAlignedBelowTheBarAndStaysOnTheScreen) {
    forms::PropertyBag bag{{L"ShowChevron", true}, {L"ButtonsPerRow", 5L}, {L"Button_Count", 5L}};
    bar = load(bag, 100);
    form->Show();
    ASSERT_EQ(bar->chevronButtons(), (std::vector<long>{3, 4, 5}));
    EXPECT_EQ(bar->Height(), 32 * 15);
    moveOnBar(95, 20);
    EXPECT_EQ(bar->Button_Index(), 0);
    events.clear();
    send(bar->picMain()->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(95, 20));
    ASSERT_TRUE(IsWindowVisible(bar->picChevron()->hWnd()));
    EXPECT_TRUE(bar->drawsOnDropDown());
    RECT barRect, drop;
    GetWindowRect(bar->hWnd(), &barRect);
    GetWindowRect(bar->picChevron()->hWnd(), &drop);
    EXPECT_EQ(drop.right, barRect.right);
    EXPECT_EQ(drop.top, barRect.bottom + 1);
    EXPECT_EQ(drop.right - drop.left, 100);
    EXPECT_EQ(drop.bottom - drop.top, 39);
    send(bar->picMain()->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(95, 20));
    EXPECT_EQ(log(), L""); // the chevron raises none of the button events

    // A re-layout while the drop-down is current sizes the bar, not the drop-down.
    bar->setButtonsHeight(40);
    EXPECT_EQ(bar->picMain()->Height(), 40);
    GetWindowRect(bar->picChevron()->hWnd(), &drop);
    EXPECT_EQ(drop.bottom - drop.top, 47);
    form->Hide();
}

TEST_F(ToolBarDropDown, ANarrowBarAtTheScreensEdgeKeepsItsDropDownOnTheScreen) {
    forms::PropertyBag bag{{L"ShowChevron", true},
                           {L"ButtonsPerRow", 5L},
                           {L"Button_Count", 5L},
                           {L"ButtonsWidth", 60L},
                           {L"ButtonsPerRow_Chev", 4L}};
    bar = load(bag, 100, 0, 0);
    form->Show();
    SetWindowPos(form->hWnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(bar->chevronButtons(), (std::vector<long>{2, 3, 4, 5}));
    moveOnBar(95, 20);
    send(bar->picMain()->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(95, 20));
    send(bar->picMain()->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(95, 20));
    RECT drop, barRect;
    GetWindowRect(bar->picChevron()->hWnd(), &drop);
    GetWindowRect(bar->hWnd(), &barRect);
    EXPECT_EQ(drop.right - drop.left, 244);
    EXPECT_EQ(drop.left, 0); // not barRect.right - 244, which lies off the screen
    EXPECT_EQ(drop.top, barRect.bottom + 1);
    form->Hide();
}

} // namespace
