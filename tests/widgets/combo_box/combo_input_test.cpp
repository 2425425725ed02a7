// The combo box on a shown form: the drop-down list window, the mouse, the keys and typed text.
#include "combo_test_support.h"

#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"

#include <commctrl.h>

namespace {

using namespace combotest;
namespace state = widgets::comboState;

void pump(int ms) {
    for (int waited = 0; waited <= ms; waited += 10) {
        forms::DoEvents();
        Sleep(10);
    }
}

RECT screenRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

void click(HWND w, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(w, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
    SendMessageW(w, up, 0, MAKELPARAM(x, y));
}

void key(HWND w, int vk) {
    SendMessageW(w, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    SendMessageW(w, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
}

void type(HWND edit, const std::wstring& text) {
    for (wchar_t ch : text) {
        const int vk = ch == 8 ? VK_BACK : static_cast<int>(towupper(ch));
        SendMessageW(edit, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        SendMessageW(edit, WM_CHAR, ch, 1);
        SendMessageW(edit, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
    }
}

// A real press of the left button at a screen point.
void pressAt(POINT p) {
    SetCursorPos(p.x, p.y);
    pump(30);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    pump(100);
}

// The tooltip window of a window: {owner in, tip out}.
BOOL CALLBACK findTip(HWND w, LPARAM search) {
    auto* pair = reinterpret_cast<HWND*>(search);
    wchar_t name[64];
    GetClassNameW(w, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(w, GW_OWNER) == pair[0]) pair[1] = w;
    return TRUE;
}

class ComboInput : public ComboTest {
protected:
    static void SetUpTestSuite() {
        ComboTest::SetUpTestSuite();
        form->Show();
        pump(100);
    }
    void SetUp() override {
        ComboTest::SetUp();
        combo->setAppearanceCombo(4);
        pump(20);
    }
    HWND list() const { return combo->listWindow()->hWnd(); }
    bool open() const { return combo->listVisible(); }
    void pressButton() { click(combo->hWnd(), combo->surface().widthPixels() - 9, 10); }
};

TEST_F(ComboInput, TheListOpensBelowOrAboveAtItsSize) {
    struct Case {
        int items;
        long position;
        int height;
    } cases[] = {{6, 0, 120}, {6, 1, 120}, {0, 0, 16}, {12, 0, 140}};
    for (const auto& c : cases) {
        auto other = place();
        other->setAppearanceCombo(4);
        for (int i = 0; i < c.items; ++i) other->AddItem(L"item " + std::to_wstring(i));
        other->setListPositionShow(c.position);
        click(other->hWnd(), other->surface().widthPixels() - 9, 10);
        ASSERT_TRUE(other->listVisible());
        const RECT closed = screenRect(other->hWnd()), opened = screenRect(other->listWindow()->hWnd());
        EXPECT_EQ(opened.bottom - opened.top, c.height) << c.items;
        EXPECT_EQ(opened.left, closed.left);
        EXPECT_EQ(opened.right - opened.left, closed.right - closed.left);
        if (c.position == 1)
            EXPECT_EQ(opened.bottom, closed.top - 1);
        else
            EXPECT_EQ(opened.top, closed.bottom + 1);
        EXPECT_EQ(other->listScrollBar()->Visible(), c.items > 7) << c.items;
        EXPECT_TRUE(GetWindowLongW(other->listWindow()->hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(other->listWindow()->hWnd(), GW_OWNER), form->hWnd());
        EXPECT_EQ(other->state().drawState, state::Pressed);
        click(other->hWnd(), 10, 10);
        EXPECT_FALSE(other->listVisible());
        EXPECT_EQ(other->state().drawState, state::Hot);
    }
}

TEST_F(ComboInput, ARowClickChoosesItOnce) {
    fillDirections(*combo);
    combo->list(1);
    events.clear();
    pressButton();
    ASSERT_TRUE(open());
    click(list(), 30, 2 * 20 + 10);
    EXPECT_FALSE(open());
    EXPECT_EQ(events, L"SelectionMade(            Ru - En,3) ");
    EXPECT_EQ(combo->ListIndex(), 3);
    EXPECT_EQ(combo->editBox()->Text(), L"            Ru - En");
    EXPECT_EQ(combo->state().drawState, state::Normal);
    EXPECT_TRUE(combo->hoverTimer()->Enabled());
}

TEST_F(ComboInput, DisabledRowsDoNothingAlsoScrolled) {
    for (int i = 1; i <= 20; ++i) combo->AddItem(L"item " + std::to_wstring(i), 0xC56A31, nullptr, i != 12);
    events.clear();
    pressButton();
    ASSERT_TRUE(combo->listScrollBar()->Visible());
    combo->listScrollBar()->setValue(8);
    EXPECT_EQ(combo->state().scroll, 8);
    click(list(), 30, 3 * 20 + 10); // item 12
    EXPECT_TRUE(open());
    EXPECT_EQ(combo->state().hot, -1);
    EXPECT_EQ(events, L"");
    click(list(), 30, 4 * 20 + 10); // item 13
    EXPECT_EQ(events, L"SelectionMade(item 13,13) ");
}

TEST_F(ComboInput, KeysMoveTheHighlightOnlyAndEnterKeepsTheSelection) {
    combo->setStyle(widgets::ListOnlyStyle);
    for (int i = 1; i <= 30; ++i) combo->AddItem(L"item " + std::to_wstring(i));
    combo->setListIndex(10);
    combo->SetFocus();
    events.clear();
    key(combo->hWnd(), VK_F4);
    ASSERT_TRUE(open());
    EXPECT_EQ(combo->state().scroll, 9); // item 10 shows, at the top
    EXPECT_EQ(SendMessageW(combo->hWnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    // The edit part of the other style asks for Enter too while the list is open, and only then.
    const HWND edit = combo->editBox()->editWindow();
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    key(combo->hWnd(), VK_DOWN);
    EXPECT_EQ(combo->state().cursor, 11);
    EXPECT_EQ(combo->state().hot, 10);
    key(combo->hWnd(), VK_END);
    EXPECT_EQ(combo->state().cursor, 30);
    EXPECT_EQ(combo->state().scroll, 23);
    key(combo->hWnd(), VK_PRIOR);
    EXPECT_EQ(combo->state().cursor, 22);
    EXPECT_GE(combo->state().scroll, 15);
    EXPECT_LE(combo->state().scroll, 21);
    key(combo->hWnd(), VK_HOME);
    EXPECT_EQ(combo->state().cursor, 1);
    EXPECT_EQ(combo->state().scroll, 0);
    key(combo->hWnd(), VK_RETURN);
    EXPECT_FALSE(open());
    EXPECT_EQ(combo->ListIndex(), 10);
    EXPECT_EQ(events, L"");
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    key(combo->hWnd(), VK_F4);
    EXPECT_TRUE(open());
    key(combo->hWnd(), VK_F4);
    EXPECT_FALSE(open());
}

TEST_F(ComboInput, TheEditBoxPassesF4OnlyWhenItGoesDown) {
    fillDirections(*combo);
    HWND edit = combo->editBox()->editWindow();
    EXPECT_FALSE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    SetFocus(edit);
    key(edit, VK_F4);
    EXPECT_TRUE(open());
    key(edit, VK_F4);
    EXPECT_FALSE(open());
}

TEST_F(ComboInput, FocusElsewhereAnOutsidePressAndAnotherWindowCloseIt) {
    fillDirections(*combo);
    auto elsewhere = forms::placeControl<forms::TextBox>(*form, L"elsewhere", 300, 2000, 1500, 300);
    pump(50);
    // Focus moving to another control.
    combo->SetFocus();
    pressButton();
    ASSERT_TRUE(open());
    elsewhere->SetFocus();
    EXPECT_FALSE(open());

    // A real press on the form outside the control and the list.
    combo->SetFocus();
    pressButton();
    ASSERT_TRUE(open());
    const RECT formRect = screenRect(form->hWnd());
    pressAt(POINT{formRect.right - 20, formRect.bottom - 20});
    EXPECT_FALSE(open());
    EXPECT_EQ(combo->state().drawState, state::Normal);

    // Another window activated.
    auto second = std::make_shared<ComboForm>();
    second->Show();
    pump(50);
    form->Show();
    pump(50);
    pressButton();
    ASSERT_TRUE(open());
    SetActiveWindow(second->hWnd());
    pump(300);
    EXPECT_FALSE(open());
    second->Unload();
    form->Show();
    pump(50);
    elsewhere.reset();
}

TEST_F(ComboInput, PressesOnTheListAndItsBarKeepTheFocus) {
    for (int i = 1; i <= 20; ++i) combo->AddItem(L"item " + std::to_wstring(i));
    SetFocus(combo->editBox()->editWindow());
    const HWND focused = GetFocus();
    pressButton();
    SetFocus(focused);
    ASSERT_TRUE(open());
    const RECT bar = screenRect(combo->listScrollBar()->barWindow());
    pressAt(POINT{(bar.left + bar.right) / 2, bar.bottom - 5}); // the down arrow
    EXPECT_TRUE(open());
    EXPECT_EQ(GetFocus(), focused);
    EXPECT_EQ(combo->state().scroll, 1);
    const RECT rows = screenRect(list());
    pressAt(POINT{rows.left + 20, rows.top + 30});
    EXPECT_FALSE(open()); // a row was chosen
    EXPECT_EQ(GetFocus(), focused);
    EXPECT_EQ(combo->ListIndex(), 3);
}

TEST_F(ComboInput, HoverPaintsHotThenNormalAndStopsTheTimer) {
    const RECT r = screenRect(combo->hWnd());
    SetCursorPos(r.left + 5, r.top + 5);
    SendMessageW(combo->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    pump(250);
    EXPECT_EQ(combo->state().drawState, state::Hot);
    EXPECT_TRUE(combo->state().hover);
    SetCursorPos(r.left + 5, r.bottom + 60);
    pump(250);
    EXPECT_EQ(combo->state().drawState, state::Normal);
    EXPECT_FALSE(combo->hoverTimer()->Enabled());
}

TEST_F(ComboInput, TypedTextCompletesFromThePrefix) {
    combo->setAutoCompleteWord(true);
    for (const wchar_t* t : {L"banana", L"blueberry", L"cherry"}) combo->AddItem(t);
    combo->setText(L"");
    HWND edit = combo->editBox()->editWindow();
    SetFocus(edit);
    events.clear();
    type(edit, L"bl");
    EXPECT_EQ(combo->editBox()->Text(), L"blueberry");
    EXPECT_EQ(combo->editBox()->SelStart(), 2);
    EXPECT_EQ(combo->editBox()->SelLength(), 7);
    EXPECT_EQ(combo->state().selected, 2);
    type(edit, L"\b");
    EXPECT_EQ(combo->editBox()->Text(), L"bl");
    EXPECT_EQ(combo->state().selected, -1);
    type(edit, L"x");
    EXPECT_EQ(combo->editBox()->Text(), L"blx");
    EXPECT_EQ(combo->state().selected, -1);
    EXPECT_EQ(combo->Text(), L"");
    EXPECT_EQ(events, L"");

    combo->setAutoCompleteWord(false);
    combo->setText(L"");
    type(edit, L"cherry");
    EXPECT_EQ(combo->editBox()->Text(), L"cherry");
    EXPECT_EQ(combo->state().selected, 3);
    EXPECT_EQ(events, L"");
}

TEST_F(ComboInput, AppearanceTwoShowsThePressedButtonWithoutLettingEventsRun) {
    combo->setAppearanceCombo(2);
    fillDirections(*combo);
    int ticks = 0;
    auto timer = forms::placeControl<forms::Timer>(*form, L"tick", 0, 0, 0, 0);
    timer->setInterval(10);
    timer->Tick.handle([&] { ++ticks; });
    Sleep(30);
    const DWORD start = GetTickCount();
    pressButton();
    EXPECT_GE(GetTickCount() - start, 80u);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(open());
    EXPECT_EQ(combo->state().drawState, state::Normal);
    timer.reset();
}

TEST_F(ComboInput, MovingTheFormClosesTheList) {
    fillDirections(*combo);
    pressButton();
    ASSERT_TRUE(open());
    const RECT r = screenRect(form->hWnd());
    SetWindowPos(form->hWnd(), nullptr, r.left + 10, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump(300);
    EXPECT_FALSE(open());
    SetWindowPos(form->hWnd(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(ComboInput, TheHotRowsTipFollowsThePointer) {
    for (int i = 1; i <= 3; ++i)
        combo->AddItem(L"item " + std::to_wstring(i), 0xC56A31, nullptr, true, L"tip " + std::to_wstring(i));
    pressButton();
    ASSERT_TRUE(open());
    SendMessageW(list(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    SendMessageW(list(), WM_MOUSEMOVE, 0, MAKELPARAM(31, 30));
    EXPECT_EQ(combo->listWindow()->ToolTipText(), L"tip 2");
    HWND search[2] = {list(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findTip, reinterpret_cast<LPARAM>(search));
    const HWND tip = search[1];
    ASSERT_NE(tip, nullptr);
    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = list();
    info.uId = reinterpret_cast<UINT_PTR>(list());
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"tip 2");
}

TEST(ComboUnload, AHostUnloadingItsFormInSelectionMadeIsSafe) {
    auto owner = std::make_shared<ComboForm>();
    owner->Show();
    auto c = forms::placeControl<widgets::SComboBox>(*owner, L"co", 300, 300, 2100, 300);
    for (int i = 1; i <= 3; ++i) c->AddItem(L"item " + std::to_wstring(i));
    int raised = 0;
    c->SelectionMade.handle([&](std::wstring, long) {
        ++raised;
        owner->Unload();
    });
    click(c->hWnd(), c->surface().widthPixels() - 9, 10);
    ASSERT_TRUE(c->listVisible());
    click(c->listWindow()->hWnd(), 30, 30);
    pump(50);
    EXPECT_EQ(raised, 1);
    c.reset();
    owner.reset();
}

} // namespace
