// The tool bar's pointer: hover, presses and clicks, the drop-down and the tooltips, driven by
// messages to its real windows.
#include "tool_bar_test_support.h"

#include "platform/core/text.h"
#include "platform/forms/controls/text_box.h"
#include "widgets/label/label_kdq.h"
#include "widgets/list_box/mc_list_box.h"

#include <commctrl.h>
#include <functional>
#include <vector>

namespace {

using namespace toolbartest;

class ToolBarInput : public ToolBarTest {
protected:
    // Five 32-pixel buttons in one row without a border: button i spans x 32(i-1) to 32i.
    void SetUp() override {
        ToolBarTest::SetUp();
        bar = load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ButtonsPerRow", 5L}});
        events.clear();
    }
    HWND main() const { return bar->picMain()->hWnd(); }
    // Pumps messages until the condition holds or about a second has passed.
    template <class F>
    bool waitFor(F condition) {
        for (int i = 0; i < 100 && !condition(); ++i) {
            forms::DoEvents();
            Sleep(10);
        }
        return condition();
    }
};

// Real pointer input: an absolute move to a point of a window, and the left button.
INPUT pointerTo(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}
INPUT key(wchar_t ch, DWORD up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = ch;
    in.ki.dwFlags = KEYEVENTF_UNICODE | up;
    return in;
}
INPUT leftButton(DWORD flag) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    return in;
}
void realInput(std::vector<INPUT> in) {
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

TEST_F(ToolBarInput, HoverEventsAndThePointer) {
    moveOnBar(40, 10);
    EXPECT_EQ(log(), L"Hover 2, MouseMove 2 0, MouseEnter"); // the hook's enter comes after
    EXPECT_EQ(bar->picMain()->MousePointer(), 99);
    events.clear();
    moveOnBar(70, 10);
    moveOnBar(75, 12);
    EXPECT_EQ(log(), L"Hover 3, MouseMove 3 0, MouseMove 3 0");
    events.clear();
    send(main(), WM_MOUSELEAVE);
    EXPECT_EQ(log(), L"MouseLeave");
    EXPECT_EQ(bar->Button_Index(), -1);
    EXPECT_FALSE(bar->isHovering());
}

// A window hidden under the pointer gets no leave notice: the form's hiding, and its showing after a
// hover it could not see end, both end the hover, in the state and on the screen.
TEST_F(ToolBarInput, HidingOrShowingTheFormEndsTheHover) {
    bar = load(applicationBag(), 640);
    form->Show();
    forms::DoEvents();
    const uint32_t plain = barPixel(251, 6); // where button 3's hover frame is drawn
    for (bool hiding : {true, false}) {
        moveOnBar(260, 40);
        ASSERT_EQ(bar->Button_Index(), 3);
        ASSERT_NE(barPixel(251, 6), plain);
        events.clear();
        if (hiding)
            form->Hide();
        else
            form->Show();
        EXPECT_EQ(bar->Button_Index(), -1) << hiding;
        EXPECT_FALSE(bar->isHovering()) << hiding;
        EXPECT_EQ(barPixel(251, 6), plain) << hiding;
        EXPECT_EQ(log(), L"") << hiding;
    }
    form->Hide();
}

// A pen or a touch screen jumps from a hot button straight to the lists below, with no move over the
// bar between. The hover ends, on the screen too, however the button became hot: a rest on it, a rest
// on the very point where the last hover began, a tap handled when the pointer had gone on already
// (Wine sends no leave notice asked for then), and a press with no move before it.
TEST_F(ToolBarInput, AJumpFromAHotButtonEndsItsHover) {
    useRealPointer();
    bar = load(applicationBag(), 640);
    auto list = forms::makeControl<widgets::McListBox>();
    list->place(*form, L"list", -1, 10 * 15, 150 * 15, 300 * 15, 100 * 15);
    list->initNew();
    form->Show();
    SetForegroundWindow(form->hWnd());
    forms::DoEvents();
    const uint32_t plain = barPixel(251, 6); // where button 3's hover frame is drawn
    const auto away = [&](int x) { return pointerTo(list->hWnd(), x, 50); };
    const auto restOnButton = [&] {
        realInput({pointerTo(main(), 260, 40)});
        return waitFor([&] { return bar->Button_Index() == 3 && barPixel(251, 6) != plain; });
    };
    struct Case {
        const char* what;
        std::function<bool()> onButton; // true once the button was hot
        std::function<void()> jump;
    };
    const Case cases[] = {
        {"a rest", restOnButton, [&] { realInput({away(20)}); }},
        {"a rest on the same point", restOnButton, [&] { realInput({away(30)}); }},
        {"a tap and the jump at once",
         [&] {
             realInput({pointerTo(main(), 265, 40), leftButton(MOUSEEVENTF_LEFTDOWN),
                        leftButton(MOUSEEVENTF_LEFTUP), away(40)});
             return waitFor([&] { return events.count(L"Click 3") == 1; });
         },
         [] {}},
        {"a press with no move",
         [&] {
             forms::setCursorSource({[] { return POINT{0, 0}; }, [&](POINT) { return list->hWnd(); }});
             clickOn(main(), 260, 40);
             return events.count(L"Click 3") == 1;
         },
         [] {}},
    };
    for (const Case& c : cases) {
        events.clear();
        ASSERT_TRUE(c.onButton()) << c.what;
        c.jump();
        EXPECT_TRUE(waitFor([&] { return bar->Button_Index() == -1; })) << c.what;
        EXPECT_FALSE(bar->isHovering()) << c.what;
        EXPECT_EQ(barPixel(251, 6), plain) << c.what;
        EXPECT_EQ(events.count(L"MouseEnter"), events.count(L"MouseLeave")) << c.what;
    }
    useRealPointer();
    list->unload();
    form->Hide();
}

TEST_F(ToolBarInput, UnusableCellsGiveNoButton) {
    bar->SetButtonValue(2, 0, 1L);    // a separator
    bar->SetButtonValue(4, 2, false); // disabled
    bar->setButton_Count(5);
    bar->setButtonsSeperatorWidth(32); // keeps the cells where they were
    events.clear();
    for (int x : {40, 110, 200}) {
        moveOnBar(x, 10);
        EXPECT_EQ(bar->Button_Index(), -1) << x;
        EXPECT_EQ(bar->picMain()->MousePointer(), 0);
    }
    EXPECT_EQ(events.count(L"Hover 2") + events.count(L"Hover 4"), 0u);

    // On a bordered bar of three per row, the third cell ends past three button widths: its last
    // pixels count as a column beyond the row.
    bar = load(forms::PropertyBag{{L"Button_Count", 3L}, {L"BorderStyle", int16_t{1}}});
    events.clear();
    moveOnBar(97, 20);
    EXPECT_EQ(bar->Button_Index(), -1);
    moveOnBar(90, 20);
    EXPECT_EQ(bar->Button_Index(), 3);
}

TEST_F(ToolBarInput, PressAndReleaseRaiseClickOnlyOverAButton) {
    moveOnBar(70, 10);
    events.clear();
    clickOn(main(), 70, 10);
    EXPECT_EQ(log(), L"MouseDown 3 1, MouseUp 3 1, Click 3");
    EXPECT_FALSE(bar->isMouseDown());
    send(main(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(70, 10));
    send(main(), WM_RBUTTONUP, 0, MAKELPARAM(70, 10));
    EXPECT_EQ(events.count(L"Click 3"), 2u); // the run time's click rule

    bar = load(forms::PropertyBag{{L"Button_Count", 2L}, {L"ButtonsPerRow", 5L}});
    events.clear();
    moveOnBar(200, 10); // empty space
    clickOn(main(), 200, 10);
    EXPECT_EQ(log(), L"MouseEnter");
}

TEST_F(ToolBarInput, TheChevronAreaOpensTheDropDownWithoutEvents) {
    bar =
        load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ButtonsPerRow", 5L}, {L"ShowChevron", true}}, 100);
    moveOnBar(10, 10);
    events.clear();
    moveOnBar(95, 20);
    EXPECT_EQ(bar->Button_Index(), 0);
    clickOn(main(), 95, 20);
    EXPECT_EQ(log(), L"");
    EXPECT_TRUE(IsWindowVisible(bar->picChevron()->hWnd()));

    // The drop-down's second cell is button 4.
    moveOnDropDown(40, 20);
    EXPECT_EQ(bar->Button_Index(), 4);
    EXPECT_EQ(log(), L"Hover 4, MouseMove 4 999"); // still inside: no leave came
    events.clear();
    clickOn(bar->picChevron()->hWnd(), 40, 20);
    EXPECT_EQ(log(), L"MouseDown 4 1, MouseUp 4 1, Click 4");
    // Neither the bar nor its drop-down takes the keyboard.
    EXPECT_NE(GetFocus(), main());
    EXPECT_NE(GetFocus(), bar->picChevron()->hWnd());
}

TEST_F(ToolBarInput, MovingSizingOrLosingTheFocusClosesTheDropDown) {
    bar =
        load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ButtonsPerRow", 5L}, {L"ShowChevron", true}}, 100);
    form->Show();
    for (UINT message : {WM_MOVE, WM_SIZE, WM_KILLFOCUS, WM_ACTIVATE}) {
        moveOnBar(95, 20);
        clickOn(main(), 95, 20);
        moveOnDropDown(40, 20);
        ASSERT_TRUE(IsWindowVisible(bar->picChevron()->hWnd()));
        ASSERT_TRUE(bar->drawsOnDropDown());
        bar->SetButtonValue(1, 1, std::wstring(L"new")); // drawn on the drop-down only
        send(message == WM_KILLFOCUS ? main() : form->hWnd(), message, WA_INACTIVE, 0);
        EXPECT_FALSE(IsWindowVisible(bar->picChevron()->hWnd())) << message;
        EXPECT_FALSE(bar->drawsOnDropDown()) << message;
        send(bar->picChevron()->hWnd(), WM_MOUSELEAVE);
    }
    form->Hide();
}

TEST_F(ToolBarInput, DropDownColumnsBeyondTheBarsRowAreUsable) {
    bar = load(forms::PropertyBag{{L"Button_Count", 12L},
                                  {L"ButtonsPerRow", 3L},
                                  {L"ButtonsPerRow_Chev", 4L},
                                  {L"ShowChevron", true}},
               50);
    ASSERT_EQ(bar->chevronButtons(), (std::vector<long>{2, 3, 5, 6, 8, 9, 11, 12}));
    moveOnBar(45, 100);
    clickOn(main(), 45, 100);
    ASSERT_TRUE(IsWindowVisible(bar->picChevron()->hWnd()));
    events.clear();
    moveOnDropDown(110, 20); // fourth column: button 6
    EXPECT_EQ(bar->Button_Index(), 6);
    clickOn(bar->picChevron()->hWnd(), 110, 20);
    EXPECT_EQ(events.count(L"Click 6"), 1u);
}

TEST_F(ToolBarInput, TipsOpenAfterARestAndCloseOnAMove) {
    bar->SetButtonValue(2, 6, std::wstring(L"a tip"));
    moveOnBar(40, 10);
    ASSERT_TRUE(waitFor([&] { return bar->toolTipWindow() != nullptr; }));
    HWND tip = bar->toolTipWindow();
    EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);
    moveOnBar(40, 10); // the same position: nothing happens
    EXPECT_EQ(bar->toolTipWindow(), tip);
    EXPECT_TRUE(IsWindow(tip));
    moveOnBar(41, 10);
    EXPECT_EQ(bar->toolTipWindow(), nullptr);
    EXPECT_FALSE(IsWindow(tip));

    bar->setTooTipStyle(1);
    ASSERT_TRUE(waitFor([&] { return bar->toolTipWindow() != nullptr; }));
    EXPECT_FALSE(GetWindowLongW(bar->toolTipWindow(), GWL_STYLE) & TTS_BALLOON);

    // A button without a tip text shows none.
    moveOnBar(10, 10);
    for (int i = 0; i < 20; ++i) {
        forms::DoEvents();
        Sleep(10);
    }
    EXPECT_EQ(bar->toolTipWindow(), nullptr);
    send(main(), WM_MOUSELEAVE);
}

// A captioned label holds the capture while the pointer is over it, so the one move of a quick jump
// from it onto the bar goes to the label, and the press reaches the bar before any move over it. The
// click acts on the button under the pointer, not on the one hovered last.
TEST_F(ToolBarInput, AJumpAndClickActsOnTheButtonUnderThePointer) {
    useRealPointer();
    auto caption = forms::makeControl<widgets::Label_KDQ>();
    caption->place(*form, L"caption", -1, 10 * 15, 150 * 15, 150 * 15, 20 * 15);
    caption->initNew();
    form->Show();
    SetForegroundWindow(form->hWnd());
    const auto jumpAndClick = [&](int x) {
        realInput(
            {pointerTo(main(), x, 10), leftButton(MOUSEEVENTF_LEFTDOWN), leftButton(MOUSEEVENTF_LEFTUP)});
    };
    jumpAndClick(10);
    ASSERT_TRUE(waitFor([&] { return events.count(L"Click 1") == 1; }));
    realInput({pointerTo(caption->hWnd(), 20, 10)});
    ASSERT_TRUE(waitFor([&] { return GetCapture() == caption->hWnd(); }));
    // As a change of the interface language re-sets the five captions under the pointer.
    for (long i = 1; i <= 5; ++i) bar->SetButtonValue(i, 1, L"b" + std::to_wstring(i));
    events.clear();
    jumpAndClick(100);
    EXPECT_TRUE(waitFor([&] { return events.count(L"Click 4") == 1; })) << core::toUtf8(log());
    EXPECT_EQ(log().substr(0, 44), L"Hover 4, MouseDown 4 1, MouseUp 4 1, Click 4");
    EXPECT_EQ(events.count(L"Click 1"), 0u);

    // The same order on the drop-down: a press on a cell and on the chevron hot area, no move first.
    bar =
        load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ButtonsPerRow", 5L}, {L"ShowChevron", true}}, 100);
    clickOn(main(), 95, 20);
    ASSERT_TRUE(IsWindowVisible(bar->picChevron()->hWnd()));
    events.clear();
    clickOn(bar->picChevron()->hWnd(), 40, 20);
    EXPECT_EQ(log(), L"Hover 4, MouseDown 4 1, MouseUp 4 1, Click 4");
    send(bar->picChevron()->hWnd(), WM_MOUSELEAVE);
    caption->unload();
    form->Hide();
}

// The bar is worked with the mouse only: a click on a button or on the empty band beside the buttons,
// Tab and Shift+Tab leave the keyboard with the search box, so typed keys reach it. Its drop-down
// closes on a press elsewhere, since the bar has no focus whose loss would close it.
TEST_F(ToolBarInput, TheBarNeverTakesTheKeyboard) {
    useRealPointer();
    auto box = forms::makeControl<forms::TextBox>();
    box->place(*form, L"box", -1, 10 * 15, 150 * 15, 150 * 15, 22 * 15);
    box->initNew();
    box->setText(L"");
    form->Show();
    SetForegroundWindow(form->hWnd());
    box->SetFocus();
    const auto inBox = [&] { return GetFocus() && IsChild(box->hWnd(), GetFocus()); };
    ASSERT_TRUE(waitFor(inBox));
    const auto clickBar = [&](int x, int y) {
        realInput(
            {pointerTo(main(), x, y), leftButton(MOUSEEVENTF_LEFTDOWN), leftButton(MOUSEEVENTF_LEFTUP)});
    };
    clickBar(10, 10);  // a button
    clickBar(300, 10); // the band beside the buttons
    ASSERT_TRUE(waitFor([&] { return events.count(L"Click 1") == 1; }));
    for (int i = 0; i < 10; ++i) forms::DoEvents();
    EXPECT_TRUE(inBox());
    realInput({key(L'o', 0), key(L'o', KEYEVENTF_KEYUP), key(L'k', 0), key(L'k', KEYEVENTF_KEYUP)});
    EXPECT_TRUE(waitFor([&] { return box->Text() == L"ok"; })) << core::toUtf8(box->Text());
    for (bool forward : {true, false}) {
        form->tabFocus(forward);
        EXPECT_TRUE(inBox()) << forward;
    }

    bar =
        load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ButtonsPerRow", 5L}, {L"ShowChevron", true}}, 100);
    clickBar(95, 20);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(bar->picChevron()->hWnd()); }));
    EXPECT_TRUE(inBox());
    realInput(
        {pointerTo(box->hWnd(), 20, 10), leftButton(MOUSEEVENTF_LEFTDOWN), leftButton(MOUSEEVENTF_LEFTUP)});
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(bar->picChevron()->hWnd()); }));
    EXPECT_FALSE(bar->drawsOnDropDown());
    box->unload();
    form->Hide();
}

// The drop-down's watch for presses elsewhere goes with it, whether it closes or the bar is unloaded
// while it is open: its hook is removed (a second removal fails), and a later press anywhere finds no
// bar to close.
TEST_F(ToolBarInput, TheDropDownsPressWatchGoesWhenItClosesAndWhenTheBarGoes) {
    useRealPointer();
    form->Show();
    for (bool unloaded : {false, true}) {
        bar = load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ButtonsPerRow", 5L}, {L"ShowChevron", true}},
                   100);
        moveOnBar(95, 20);
        clickOn(main(), 95, 20);
        ASSERT_TRUE(IsWindowVisible(bar->picChevron()->hWnd())) << unloaded;
        const HHOOK hook = widgets::McToolBar::pressWatchHook();
        ASSERT_NE(hook, nullptr) << unloaded;
        if (unloaded)
            bar->unload();
        else
            send(form->hWnd(), WM_ACTIVATE, WA_INACTIVE, 0);
        EXPECT_EQ(widgets::McToolBar::pressWatchHook(), nullptr) << unloaded;
        EXPECT_FALSE(UnhookWindowsHookEx(hook)) << unloaded << ": the hook was left in place";
        realInput({pointerTo(form->hWnd(), 300, 200), leftButton(MOUSEEVENTF_LEFTDOWN),
                   leftButton(MOUSEEVENTF_LEFTUP)});
        for (int i = 0; i < 10; ++i) forms::DoEvents();
    }
    form->Hide();
}

TEST_F(ToolBarInput, AHostThatUnloadsTheBarInsideAnEventStopsIt) {
    bar->Hover.handle([this](long) { bar->unload(); });
    moveOnBar(40, 10);
    EXPECT_FALSE(bar->loaded());
    EXPECT_EQ(log(), L""); // no MouseMove after the control went
}

} // namespace
