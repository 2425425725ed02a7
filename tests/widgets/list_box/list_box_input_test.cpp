#include "list_box_test_support.h"

namespace {

using namespace listtest;

class ListBoxInput : public ListBoxTest {
protected:
    void click(int x, int y, bool right = false) {
        send(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
        send(right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    long top() { return list->scrollBars().SB_Value(SB_VERT); }
};

TEST_F(ListBoxInput, NavigationKeysMoveAndReportAsButton999) {
    fill(20); // 4 rows of 25 pixels visible
    list->setListIndex(0);
    events.clear();
    key(VK_HOME); // already first: nothing
    key(VK_UP);
    EXPECT_EQ(log(), L"");

    key(VK_NEXT);
    EXPECT_EQ(list->ListIndex(), 4);
    EXPECT_EQ(log(), L"SelChange, MouseDown 999 0 4 0");
    EXPECT_GE(top(), 1); // scrolled so that row 4 shows
    key(VK_DOWN);
    EXPECT_EQ(list->ListIndex(), 5);
    key(VK_END);
    EXPECT_EQ(list->ListIndex(), 19);
    EXPECT_EQ(top(), 16);
    events.clear();
    key(VK_DOWN);
    key(VK_NEXT);
    EXPECT_EQ(log(), L"");
    key(VK_PRIOR);
    EXPECT_EQ(list->ListIndex(), 15);
    key(VK_HOME);
    EXPECT_EQ(list->ListIndex(), 0);
    EXPECT_EQ(top(), 0);
    key('A');
    EXPECT_EQ(list->ListIndex(), 0);
}

TEST_F(ListBoxInput, ShiftAndCtrlSelectionWithMultiSelect) {
    fill(10);
    list->setMultiSelect(true);
    click(20, 30); // row 1: anchor
    keys[VK_SHIFT] = -128;
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(list->ListIndex(), 3);
    ASSERT_EQ(list->SelCount(), 3);
    EXPECT_EQ(list->SelItem(0), 1);
    EXPECT_EQ(list->SelItem(2), 3);
    keys[VK_SHIFT] = 0;

    // Ctrl with a key does not toggle; Ctrl with a left click does.
    keys[VK_CONTROL] = -128;
    key(VK_DOWN);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->SelItem(0), 4);
    EXPECT_EQ(top(), 1); // item 4 scrolled into view
    send(WM_VSCROLL, SB_TOP, 0);
    click(20, 55); // row 2 added
    click(20, 5);  // row 0 added
    EXPECT_EQ(list->SelCount(), 3);
    EXPECT_EQ(list->SelItem(0), 0);
    click(20, 55); // row 2 removed, stays current
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->ListIndex(), 2);
    keys[VK_CONTROL] = 0;

    // Without MultiSelect a modifier changes nothing.
    list->setMultiSelect(false);
    keys[VK_SHIFT] = -128;
    click(20, 80);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->SelItem(0), 3);
}

TEST_F(ListBoxInput, ClickOrderAndRightClicks) {
    fill(3);
    list->setListIndex(0);
    events.clear();
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    EXPECT_EQ(log(), L"SelChange, MouseDown 1 0 20 30");
    send(WM_LBUTTONUP, 0, MAKELPARAM(20, 30));
    EXPECT_EQ(log(), L"SelChange, MouseDown 1 0 20 30, MouseUp 1, MouseClick");
    EXPECT_EQ(list->ListIndex(), 1);

    events.clear();
    click(20, 55, true);
    EXPECT_EQ(log(), L"SelChange, MouseDown 2 0 20 55, MouseUp 2, MouseClick");
    EXPECT_EQ(list->Text(), L"item 2");

    // Below the last item of a short list, the line just under it included, the press selects
    // nothing; the release and the platform's click still come.
    events.clear();
    click(20, 75);
    click(20, 90);
    EXPECT_EQ(log(), L"MouseUp 1, MouseClick, MouseUp 1, MouseClick");
    EXPECT_EQ(list->ListIndex(), 2);

    events.clear();
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 5));
    send(WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    EXPECT_NE(log().find(L"DbClick"), std::wstring::npos);
}

TEST_F(ListBoxInput, WheelScrollsOneRowAndHidesThePopup) {
    fill(30);
    list->Refresh();
    EXPECT_EQ(top(), 0);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0); // toward the user, three notches
    EXPECT_EQ(top(), 1);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(top(), 2);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(top(), 1);
    send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0); // the horizontal bar
    EXPECT_EQ(top(), 1);

    send(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(top(), 26);
    send(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(top(), 21);
    send(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(top(), 0);
    send(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(top(), 0);
    // The rows follow the position.
    send(WM_VSCROLL, SB_LINEDOWN, 0);
    list->setListIndex(1);
    EXPECT_NE(pixel(150, 12), 0xFFFFFFu); // item 1 is the first row shown
}

// The hook's callback under its own name reaches the same dispatch and only watches: it never
// answers a message nor changes its parameters.
TEST_F(ListBoxInput, TheCallbackHandsItsMessageToTheDispatch) {
    fill(30);
    long handled = 0, result = 42, window = static_cast<long>(reinterpret_cast<std::uintptr_t>(list->hWnd()));
    long message = WM_VSCROLL, wParam = SB_BOTTOM, lParam = 0;
    list->zSubclass_Proc(false, handled, result, window, message, wParam, lParam);
    EXPECT_EQ(top(), 26);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(message, static_cast<long>(WM_VSCROLL));
    EXPECT_EQ(wParam, static_cast<long>(SB_BOTTOM));

    message = WM_MOUSELEAVE;
    list->zSubclass_Proc(true, handled, result, window, message, wParam, lParam); // before: not watched
    EXPECT_EQ(log(), L"");
    list->zSubclass_Proc(false, handled, result, window, message, wParam, lParam);
    EXPECT_EQ(log(), L"MouseLeave");
}

TEST_F(ListBoxInput, DraggingBelowTheControlSelectsUpToTheLastItem) {
    fill(12);
    list->setListIndex(0);
    click(20, 5);
    send(WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
    events.clear();
    keys[VK_LBUTTON] = -128;
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 30));
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(log(), L"SelChange");
    // Below the control: the list keeps scrolling until the last item is selected.
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 130));
    EXPECT_EQ(list->ListIndex(), 11);
    ASSERT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->SelItem(0), 11);
    EXPECT_EQ(top(), 8);
    EXPECT_EQ(events.entries().back(), L"SelChange");
    keys[VK_LBUTTON] = 0;

    // A multi-select drag selects the range from the anchor.
    list->setMultiSelect(true);
    send(WM_VSCROLL, SB_TOP, 0);
    click(20, 5);
    keys[VK_LBUTTON] = -128;
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 60));
    EXPECT_EQ(list->ListIndex(), 2);
    EXPECT_EQ(list->SelCount(), 3);
    // Far past the end: the range reaches the last item, which is current and shown.
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 400));
    EXPECT_EQ(list->ListIndex(), 11);
    EXPECT_EQ(list->SelCount(), 12);
    EXPECT_EQ(top(), 8);
    keys[VK_LBUTTON] = 0;
}

TEST_F(ListBoxInput, EnterOnceAndLeave) {
    fill(3);
    events.clear();
    send(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    send(WM_MOUSEMOVE, 0, MAKELPARAM(25, 20));
    EXPECT_EQ(log(), L"MouseEnter");
    send(WM_MOUSELEAVE);
    send(WM_MOUSEMOVE, 0, MAKELPARAM(25, 20));
    EXPECT_EQ(log(), L"MouseEnter, MouseLeave, MouseEnter");
}

TEST_F(ListBoxInput, AHostThatUnloadsTheListInsideAnEventStopsIt) {
    fill(5);
    list->SelChange.handle([this] { list->unload(); });
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    EXPECT_FALSE(list->loaded());
    EXPECT_EQ(log(), L""); // no MouseDown after the control went
    send(WM_MOUSELEAVE);
}

} // namespace
