#include "list_box_test_support.h"

#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"

#include <cmath>

namespace {

using namespace listtest;

const std::wstring LongText = L"a headword with a translation far too long for the row of this list";

class ListBoxPopup : public ListBoxTest {
protected:
    void SetUp() override {
        ListBoxTest::SetUp();
        list->AddItem(L"short");
        list->AddItem(LongText);
        list->AddItem(LongText, -1, -1, true);
        list->Refresh();
    }
    const widgets::CompletePopup& popup() { return *list->completePopup(); }
    RECT popupRect() {
        RECT r{};
        GetWindowRect(popup().hWnd(), &r);
        return r;
    }
    RECT listRect() {
        RECT r{};
        GetWindowRect(list->hWnd(), &r);
        return r;
    }
    void moveTo(int x, int y) { send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    long widthOf(const std::wstring& text, bool bold) {
        forms::Surface s(10, 10);
        auto font = list->Font()->clone();
        font->setBold(bold);
        s.setFont(font);
        return std::lround(s.TextWidth(text));
    }
};

TEST_F(ListBoxPopup, MadeOverTheFirstCutRowAndShownThereOnlyOnce) {
    // Not made for a list that only shows, nor over a row whose text fits.
    EXPECT_EQ(list->completePopup(), nullptr);
    moveTo(20, 5);
    EXPECT_EQ(list->completePopup(), nullptr);
    EXPECT_EQ(list->popupRow(), -100);

    moveTo(20, 30); // row 2 is cut
    ASSERT_NE(list->completePopup(), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(popup().hWnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(popup().hWnd(), GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    EXPECT_EQ(GetWindow(popup().hWnd(), GW_OWNER), form->hWnd());
    ASSERT_TRUE(popup().Visible());
    EXPECT_EQ(list->popupRow(), 2);
    const RECT box = popupRect(), row = listRect();
    EXPECT_EQ(box.left, row.left + 2);
    EXPECT_EQ(box.top, row.top + 25 + 3);
    EXPECT_EQ(box.right - box.left, widthOf(LongText, false) + 12);
    EXPECT_EQ(box.bottom - box.top, 24); // one pixel lower than the row pitch
    EXPECT_NE(GetForegroundWindow(), popup().hWnd());

    // Resting on the same row does not draw the box again.
    const_cast<widgets::CompletePopup&>(popup()).surface().PSet(1, 1, 0x0000FF);
    moveTo(40, 35);
    GdiFlush();
    EXPECT_EQ(const_cast<widgets::CompletePopup&>(popup()).surface().pixel(1, 1), 0x0000FFu);

    moveTo(20, 5);
    EXPECT_FALSE(popup().Visible());
    EXPECT_EQ(list->popupRow(), -100);
    moveTo(20, 90); // below the items
    EXPECT_FALSE(popup().Visible());
}

TEST_F(ListBoxPopup, BoldRowsAreMeasuredBoldAndWheelOrLeaveHideTheBox) {
    moveTo(20, 55);
    ASSERT_TRUE(popup().Visible());
    const RECT box = popupRect();
    EXPECT_EQ(box.right - box.left, widthOf(LongText, true) + 12);
    EXPECT_GT(widthOf(LongText, true), widthOf(LongText, false));
    EXPECT_FALSE(list->Font()->Bold()); // the font object itself stays regular

    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_FALSE(popup().Visible());
    EXPECT_EQ(list->popupRow(), -100);
    moveTo(20, 55);
    EXPECT_TRUE(popup().Visible());
    send(WM_MOUSELEAVE);
    EXPECT_FALSE(popup().Visible());

    // New rows under the resting pointer take the box away; the next move on the row shows the new
    // text.
    moveTo(20, 30);
    ASSERT_TRUE(popup().Visible());
    list->Clear();
    list->AddItem(L"short");
    list->AddItem(L"another " + LongText);
    list->Refresh();
    EXPECT_FALSE(popup().Visible());
    EXPECT_EQ(list->popupRow(), -100);
    moveTo(25, 30);
    ASSERT_TRUE(popup().Visible());
    EXPECT_EQ(popupRect().right - popupRect().left, widthOf(L"another " + LongText, false) + 12);
}

TEST_F(ListBoxPopup, NearTheScreenEdgeTheBoxWraps) {
    const int screen = forms::Screen::pixelWidth();
    RECT frame;
    GetWindowRect(form->hWnd(), &frame);
    const RECT before = listRect();
    const int shift = (screen - 150) - before.left;
    form->Move(form->Left() + shift * 15, form->Top(), form->Width(), form->Height());
    forms::DoEvents();
    const RECT row = listRect();
    ASSERT_EQ(row.left, screen - 150);

    moveTo(20, 30);
    ASSERT_TRUE(popup().Visible());
    const RECT box = popupRect();
    EXPECT_EQ(box.right - box.left, 150 - 10);
    // The wrapped text's height plus 10.
    const auto lines = list->SplitToLines(LongText, 150 - 15, true);
    EXPECT_GE(lines.size(), 3u);
    std::wstring wrapped;
    for (const auto& l : lines) wrapped += (wrapped.empty() ? L"" : L"\r\n") + l;
    EXPECT_EQ(box.bottom - box.top, std::lround(list->surface().TextHeight(wrapped)) + 10);
    EXPECT_LE(box.right, screen);

    // No room for a single character: no box.
    form->Move(form->Left() + (140 - 5) * 15, form->Top(), form->Width(), form->Height());
    forms::DoEvents();
    moveTo(20, 5);
    moveTo(20, 30);
    EXPECT_FALSE(popup().Visible());
    form->Move(frame.left * 15, frame.top * 15, form->Width(), form->Height());
}

// The real pointer resting and moving on the box: the list must not see it leave (the box would
// flicker).
TEST_F(ListBoxPopup, NoLeaveWhileThePointerRestsOnTheBox) {
    form->Show();
    SetForegroundWindow(form->hWnd());
    const RECT row = listRect();
    SetCursorPos(row.left + 20, row.top + 30);
    int leaves = 0, shows = 0;
    list->MouseLeave.handle([&] { ++leaves; });
    bool wasVisible = false;
    for (int i = 0; i < 30; ++i) { // several times the 50 ms a leave takes to arrive
        SetCursorPos(row.left + 20 + i % 4, row.top + 30);
        forms::DoEvents();
        const bool visible = popup().Visible();
        if (visible && !wasVisible) ++shows;
        wasVisible = visible;
        Sleep(10);
    }
    EXPECT_TRUE(popup().Visible());
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(leaves, 0);

    SetCursorPos(row.right + 300, row.bottom + 300);
    for (int i = 0; i < 60 && leaves == 0; ++i) {
        forms::DoEvents();
        Sleep(10);
    }
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(popup().Visible());
}

} // namespace
