#include "list_box_test_support.h"

#include "platform/forms/std_picture.h"

namespace {

using namespace listtest;

class ListBoxPaint : public ListBoxTest {
protected:
    // Pixels of a row that differ from the colour, over the row's width.
    int inkOnRow(int y, uint32_t background) {
        int n = 0;
        for (int x = 0; x < 180; ++x)
            if (pixel(x, y) != background) ++n;
        return n;
    }
};

TEST_F(ListBoxPaint, RowsStretchToFillTheHeight) {
    list->setRowHeight(22);
    EXPECT_EQ(list->RowHeight(), 22);
    EXPECT_EQ(list->visibleRowCount(), 4);
    fill(3);
    const uint32_t white = 0xFFFFFF;
    list->setListIndex(-1); // nothing selected
    list->ClearSelection();
    list->setFocusRectangle(false);
    list->setSelColor(0xFFFFFF);
    // Text of row 1 sits inside rows 25..49 (pitch 25), nothing below the last item.
    int ink1 = 0;
    for (int y = 25; y < 50; ++y) ink1 += inkOnRow(y, white);
    EXPECT_GT(ink1, 20);
    for (int y = 76; y < 100; ++y) EXPECT_EQ(inkOnRow(y, white), 0) << y;

    list->setGridLines(true);
    EXPECT_EQ(pixel(100, 25), GetSysColor(COLOR_BTNFACE)); // the default grid colour
    EXPECT_EQ(pixel(100, 50), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel(100, 75), white); // no row 3: no line at its top
}

TEST_F(ListBoxPaint, SelectionFillFollowsFocusAndStyle) {
    fill(3);
    list->setMultiSelect(true);
    list->SelectAll();
    list->setListIndex(0);
    list->SelectAll();
    // SelColor FF8C1A blended with white (75 without the focus; 150 for the current row and 100 for
    // the others with it) and with black (250) for the outline.
    const uint32_t unfocused = 0xFFDDBC, outline = 0xFA8919;
    EXPECT_EQ(pixel(150, 12), unfocused);
    EXPECT_EQ(pixel(150, 37), unfocused);
    EXPECT_EQ(pixel(0, 12), 0xFFFFFFu); // left of the rectangle
    EXPECT_EQ(pixel(1, 12), outline);
    EXPECT_EQ(pixel(150, 1), outline);

    SetFocus(list->hWnd());
    ASSERT_TRUE(list->hasFocus());
    list->ClearSelection();
    list->SelectAll(); // repaint with the focus
    EXPECT_EQ(pixel(150, 12), 0xFFBB78u);
    EXPECT_EQ(pixel(150, 37), 0xFFD2A5u);

    SetFocus(nullptr);
    EXPECT_FALSE(list->hasFocus());
    EXPECT_EQ(pixel(150, 12), unfocused); // LostFocus repaints

    list->setSelectionStyle(0);
    EXPECT_EQ(pixel(150, 12), 0xFF8C1Au);
    EXPECT_EQ(pixel(1, 12), 0xFF8C1Au);
}

TEST_F(ListBoxPaint, GradientsAndTheFocusRectangle) {
    fill(3);
    list->setListIndex(0);
    list->setSelGradient(1);
    // Swapped: the gradient colour at the left, the selection colour at the right.
    EXPECT_NEAR(static_cast<int>(pixel(0, 10) & 0xFF), 0xFF, 2); // SelGradientCol FFFFFF
    EXPECT_NEAR(static_cast<int>(pixel(list->surface().ScaleWidth() - 1, 10) & 0xFF), 0x1A, 8); // SelColor

    list->setBackGradient(3);
    // From the gradient colour at the top to the back colour at the bottom: entry 80 of 0..99.
    EXPECT_EQ(pixel(100, 99), 0xFFFFFFu); // BackColor
    EXPECT_EQ(pixel(100, 80) & 0xFF, 0xC0u + (0xFFu - 0xC0u) * 80u / 99u);

    list->setBackGradient(7); // a style the filler does not know: black
    EXPECT_EQ(pixel(100, 90), 0u);
    list->setBackGradient(0);

    list->setSelGradient(0);
    list->setSelectionStyle(0);
    list->setSelColor(0xFFFFFF);
    list->setForecolor(0xFFFFFF);
    list->setSelForeColor(0xFFFFFF);
    list->setFocusRectangle(false);
    EXPECT_EQ(inkOnRow(0, 0xFFFFFF), 0);
    list->setFocusRectangle(true);
    EXPECT_GT(inkOnRow(0, 0xFFFFFF), 50);  // dotted top edge of the current row
    EXPECT_GT(inkOnRow(25, 0xFFFFFF), 50); // and its bottom edge
    EXPECT_EQ(inkOnRow(26, 0xFFFFFF), 0);
}

TEST_F(ListBoxPaint, IconsFromTheImageListOrNone) {
    forms::Surface red(8, 8);
    red.setBackColor(0x0000FF);
    auto images = std::make_shared<widgets::PictureList>();
    images->add(red.Image());
    list->AddItem(L"no such image", -1, 5);
    list->AddItem(L"red", -1, 1);
    list->AddItem(L"none");
    list->setShowIcon(true); // no image list yet: rows go without icons
    EXPECT_EQ(list->iconColumnWidth(), 28);
    EXPECT_EQ(pixel(14, 37), 0xFFFFFFu);
    list->setImageList(images);
    list->Refresh();
    // Natural size, centred in the icon cell of row 1: (21 - 8) / 2 + 2 = 8.5 → 8.
    EXPECT_EQ(pixel(8, 27 + 8), 0x0000FFu);
    EXPECT_EQ(pixel(15, 27 + 14), 0x0000FFu);
    EXPECT_EQ(pixel(16, 27 + 15), 0xFFFFFFu);
    EXPECT_EQ(pixel(12, 12), 0xFFFFFFu); // the missing image draws nothing
    list->setStrechIcon(true);
    EXPECT_EQ(pixel(3, 28), 0x0000FFu);
    EXPECT_EQ(pixel(21, 46), 0x0000FFu);
}

TEST_F(ListBoxPaint, ShortControlsAndDesignTimeSample) {
    auto low = place(120, 15, 10, 200);
    low->setBackColor(0x00FFFF);
    low->AddItem(L"hidden");
    low->Refresh();
    EXPECT_EQ(low->visibleRowCount(), 0);
    GdiFlush();
    EXPECT_EQ(low->surface().pixel(20, 7), 0x00FFFFu);
    // Presses and moves on it are ignored.
    SendMessageW(low->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageW(low->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    SendMessageW(low->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(low->ListIndex(), 0);
    low.reset();

    forms::UserControl::setDefaultUserMode(false);
    auto design = place(120, 60, 10, 200);
    forms::UserControl::setDefaultUserMode(true);
    EXPECT_EQ(design->ListCount(), 1);
    EXPECT_EQ(design->list(0), L"McListBox");
    EXPECT_EQ(design->hooks().SubclassRecords().size(), 0u); // nothing hooked at design time
    EXPECT_NE(design->scrollBars().ScrollWindow, nullptr);
}

} // namespace

namespace {

using namespace listtest;

class ListBoxText : public ListBoxTest {};

TEST_F(ListBoxText, AlignmentFlagsThatMeasureOrWriteAreIgnored) {
    list->setFocusRectangle(false);
    list->AddItem(L"centred");
    list->Refresh();
    list->ClearSelection();
    list->setSelColor(0xFFFFFF);
    list->setSelectionStyle(0);
    list->setSelForeColor(0);
    auto inkColumns = [this](int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 3; y < 22; ++y)
                if (pixel(x, y) != 0xFFFFFFu) {
                    ++n;
                    break;
                }
        return n;
    };
    const int width = static_cast<int>(list->surface().ScaleWidth());
    EXPECT_GT(inkColumns(5, 60), 10);
    // Measuring only would draw nothing; writing into the text would change the row.
    list->setTextAlignment(DT_CENTER | DT_CALCRECT | DT_MODIFYSTRING | DT_END_ELLIPSIS);
    EXPECT_EQ(inkColumns(2, 60), 0);
    EXPECT_GT(inkColumns(width / 2 - 20, width / 2 + 20), 10);
    EXPECT_EQ(list->list(0), L"centred");
}

TEST_F(ListBoxText, UnloadTakesTheHookAway) {
    HWND window = list->hWnd();
    ASSERT_EQ(list->hooks().SubclassRecords().size(), 1u);
    EXPECT_EQ(list->hooks().SubclassRecords()[0].WindowHandle, window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(list->hooks().SubclassRecords()[0].CodeBlock));
    EXPECT_EQ(list->hooks().SubclassRecords()[0].AfterCount, 5);
    list->unload();
    EXPECT_EQ(list->hooks().SubclassRecords()[0].WindowHandle, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(list->ListCount(), 0);
}

// While its form is not on the screen (still loading) each refresh gives the window its bar at once,
// so the frame is already right when the form shows it; a list box that is itself hidden stays
// hidden through that.
TEST_F(ListBoxPaint, OffTheScreenTheBarFollowsEachRefreshAtOnce) {
    const auto style = [&] { return GetWindowLongW(list->hWnd(), GWL_STYLE); };
    ASSERT_FALSE(IsWindowVisible(form->hWnd()));
    list->setAutoHideScrollBars(true);
    for (bool shown : {true, false}) {
        list->setVisible(shown);
        fill(50);
        EXPECT_TRUE(style() & WS_VSCROLL) << "a long list, shown " << shown;
        list->Clear();
        list->Refresh();
        EXPECT_FALSE(style() & WS_VSCROLL) << "an empty list, shown " << shown;
        EXPECT_EQ((style() & WS_VISIBLE) != 0, shown);
    }
}

} // namespace
