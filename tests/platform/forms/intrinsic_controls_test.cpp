// The run time's own controls on a real form: change events, timers, scroll bars, floating boxes.
#include "forms_test_support.h"
#include "support/message_recorder.h"

#include "platform/core/constants.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/color.h"
#include "platform/forms/controls/command_button.h"
#include "platform/forms/controls/label.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

class QuietForm : public PlainForm {
public:
    QuietForm() {
        setBorderStyle(0);
        setNoActivate(true);
    }
};

class FormsControls : public testing::Test {
protected:
    std::shared_ptr<QuietForm> form = std::make_shared<QuietForm>();
    void SetUp() override { form->Show(); }
    void TearDown() override { form->Unload(); }

    template <class Pred>
    static bool pumpUntil(Pred done, DWORD ms = 2000) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > ms) return false;
            DoEvents();
            Sleep(2);
        }
        return true;
    }
};

TEST_F(FormsControls, TextBoxRaisesChangeOncePerRealChange) {
    auto box = placeControl<TextBox>(*form, L"txt", 0, 0, 2000, 300);
    std::vector<std::wstring> seen;
    box->Change.handle([&] { seen.push_back(box->Text()); });
    box->setText(L"txt"); // what InitProperties already put there
    EXPECT_TRUE(seen.empty());
    box->setText(L"мир");
    box->setText(L"мир");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], L"мир");
    // The edit window reports a change for identical text; it does not count.
    SetWindowTextW(box->editWindow(), L"мир");
    EXPECT_EQ(seen.size(), 1u);
    // Typing changes it synchronously.
    box->setSelStart(3);
    SendMessageW(box->editWindow(), WM_CHAR, L'ə', 1);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], L"мирə");
    // A key the handler cancels changes nothing.
    box->KeyPress.handle([](int& k) {
        if (k == 'x') k = 0;
        if (k == 'a') k = 'b';
    });
    SendMessageW(box->editWindow(), WM_CHAR, L'x', 1);
    SendMessageW(box->editWindow(), WM_CHAR, L'a', 1);
    EXPECT_EQ(box->Text(), L"мирəb");
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(FormsControls, TimerFiresUntilDisabledAndRestartsWhenEnabledAgain) {
    auto timer = placeControl<Timer>(*form, L"tmr", 0, 0, 0, 0);
    int ticks = 0;
    timer->Tick.handle([&] { ++ticks; });
    EXPECT_FALSE(IsWindowVisible(timer->hWnd()));
    timer->setInterval(15);
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 2; }));
    timer->setEnabled(false);
    const int stopped = ticks;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 100) DoEvents();
    EXPECT_EQ(ticks, stopped);
    // Re-enabling a running timer starts its wait afresh: a long interval set again does not fire early.
    timer->setInterval(400);
    timer->setEnabled(true);
    Sleep(250);
    timer->setEnabled(true);
    Sleep(250);
    DoEvents();
    EXPECT_EQ(ticks, stopped);
    ASSERT_TRUE(pumpUntil([&] { return ticks > stopped; }));
    timer->setInterval(0);
    EXPECT_THROW(timer->setInterval(65536), core::RuntimeError);
}

TEST_F(FormsControls, ScrollBarKeepsItsRangeAndReportsChangeAndScroll) {
    auto bar = placeControl<VScrollBar>(*form, L"vs", 0, 0, 255, 1500);
    std::vector<std::wstring> seen;
    bar->Change.handle([&] { seen.push_back(L"C" + std::to_wstring(bar->Value())); });
    bar->Scroll.handle([&] { seen.push_back(L"S" + std::to_wstring(bar->Value())); });
    bar->setMax(10);
    bar->setSmallChange(2);
    bar->setLargeChange(5);
    bar->setValue(3);
    bar->setValue(3);
    SendMessageW(bar->hWnd(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar->barWindow()));
    EXPECT_EQ(joined(seen), L"C3 C5 C10 C8");
    // Dragging the thumb: Scroll for each move, one Change when it is let go.
    seen.clear();
    SendMessageW(bar->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 4),
                 reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 6),
                 reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 6),
                 reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7),
                 reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 6),
                 reinterpret_cast<LPARAM>(bar->barWindow()));
    SendMessageW(bar->hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 6),
                 reinterpret_cast<LPARAM>(bar->barWindow()));
    // A drag that ends where it began changes nothing.
    EXPECT_EQ(joined(seen), L"S4 S6 C6 S7 S6");
    EXPECT_THROW(bar->setValue(11), core::RuntimeError);
    EXPECT_THROW(bar->setMax(40000), core::RuntimeError);
    EXPECT_EQ(bar->Value(), 6);
    // A reversed range: the value follows the new bounds, and towards Max is still down the bar.
    seen.clear();
    bar->setMin(10);
    bar->setMax(0);
    SendMessageW(bar->hWnd(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->barWindow()));
    EXPECT_EQ(joined(seen), L"C10 C8");
    EXPECT_EQ(GetScrollPos(bar->barWindow(), SB_CTL), 2);

    // The bar is drawn with its next paint, once for any number of changes, and not at all for
    // values it has already.
    UpdateWindow(bar->barWindow());
    testsupport::MessageRecorder painted(bar->barWindow());
    bar->setValue(4);
    bar->setValue(3);
    EXPECT_EQ(painted.count(WM_PAINT), 0u);
    UpdateWindow(bar->barWindow());
    EXPECT_EQ(painted.count(WM_PAINT), 1u);
    painted.clear();
    bar->setMax(0);
    SendMessageW(bar->hWnd(), WM_VSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(bar->barWindow()));
    UpdateWindow(bar->barWindow());
    EXPECT_EQ(painted.count(WM_PAINT), 0u);
}

TEST_F(FormsControls, ResizeIsRaisedOncePerRealSizeChangeAndNests) {
    struct Growing : Recorder {
        void UserControl_Resize() override {
            Recorder::UserControl_Resize();
            if (Height() < 900) setHeight(900);
        }
    };
    auto c = placeControl<Growing>(*form, L"g", 0, 0, 1500, 600);
    EXPECT_EQ(std::count(c->log.begin(), c->log.end(), L"Resize"), 2); // the first, and the nested one
    EXPECT_EQ(c->Height(), 900);
    c->log.clear();
    c->Move(0, 0, 1500, 900);
    c->setLeft(300);
    EXPECT_EQ(std::count(c->log.begin(), c->log.end(), L"Resize"), 0);
    c->setWidth(3000);
    EXPECT_EQ(std::count(c->log.begin(), c->log.end(), L"Resize"), 1);
    RECT r;
    GetWindowRect(c->hWnd(), &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 60);
    EXPECT_THROW(c->setWidth(-1), core::RuntimeError);
}

TEST_F(FormsControls, LabelDrawsItsBackgroundOrWhatLiesBehind) {
    form->setBackColor(makeColour(0, 0, 255));
    auto opaque = placeControl<Label>(*form, L"a", 0, 0, 600, 300);
    opaque->setBackColor(makeColour(255, 0, 0));
    auto clear = placeControl<Label>(*form, L"b", 0, 600, 600, 300);
    clear->setCaption(L"");
    clear->setBackStyle(0);
    GdiFlush();
    EXPECT_EQ(opaque->surface().pixel(30, 15), makeColour(255, 0, 0));
    EXPECT_EQ(clear->surface().pixel(30, 15), makeColour(0, 0, 255));
    form->setBackColor(makeColour(0, 128, 0));
    GdiFlush();
    EXPECT_EQ(clear->surface().pixel(30, 15), makeColour(0, 128, 0));
    EXPECT_EQ(opaque->surface().pixel(30, 15), makeColour(255, 0, 0));
    int changes = 0;
    clear->Change.handle([&] { ++changes; });
    clear->setCaption(L"x");
    clear->setCaption(L"x");
    EXPECT_EQ(changes, 1);
}

int darkPixels(Surface& s) {
    GdiFlush();
    int n = 0;
    for (int y = 0; y < s.heightPixels(); ++y)
        for (int x = 0; x < s.widthPixels(); ++x)
            if (colourRed(s.pixel(x, y)) < 128) ++n;
    return n;
}

TEST_F(FormsControls, ControlsFollowChangesOfTheirFontObject) {
    auto font = StdFont::create(L"Tahoma", 8);
    auto box = placeControl<TextBox>(*form, L"txt", 0, 0, 2000, 400);
    auto button = placeControl<CommandButton>(*form, L"cmd", 0, 450, 2000, 400);
    auto label = placeControl<Label>(*form, L"lbl", 0, 900, 2000, 600);
    label->setBackColor(0xFFFFFF);
    label->setForeColor(0);
    label->setCaption(L"Ag");
    box->setFont(font);
    button->setFont(font);
    label->setFont(font);
    const int small = darkPixels(label->surface());
    // One font object, changed through whichever holder: every control shows the change.
    font->setSize(16);
    auto shown = [](HWND w) { return reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)); };
    EXPECT_EQ(shown(box->editWindow()), font->hFont());
    EXPECT_EQ(shown(button->buttonWindow()), font->hFont());
    EXPECT_GT(darkPixels(label->surface()), 2 * small);
    // A font replaced is let go only after the window has the new one.
    auto own = StdFont::create(L"Tahoma", 10);
    HFONT ownHandle = own->hFont();
    box->setFont(own);
    own.reset();
    EXPECT_EQ(shown(box->editWindow()), ownHandle);
    box->setFont(StdFont::create(L"Tahoma", 12));
    EXPECT_EQ(GetObjectType(ownHandle), 0u); // the only holder dropped it
    font->setBold(true);                     // no longer the text box's font
    EXPECT_NE(shown(box->editWindow()), font->hFont());
}

TEST_F(FormsControls, PictureBoxSizedToItsPictureGivesItBackOverItsColour) {
    // A hidden scratch box in a control measured in pixels, as controls use one to convert pictures.
    auto host = placeControl<Recorder>(*form, L"host", 0, 0, 1500, 1500);
    auto box = placeControl<PictureBox>(*host, L"scratch", 0, 0, 40, 40);
    box->setVisible(false);
    box->setScaleMode(core::scale::Pixels);
    box->setAutoSize(true);
    Surface source(7, 5);
    source.setBackColor(0x00C000);
    source.PSet(6, 4, 0x0000FF);
    box->setPicture(source.Image());
    EXPECT_EQ(box->Width(), 9); // the picture inside a one-pixel border
    EXPECT_EQ(box->Height(), 7);
    EXPECT_FLOAT_EQ(box->ScaleWidth(), 7);
    box->setBorderStyle(0);
    EXPECT_EQ(box->Width(), 7);
    box->setBackColor(240);
    auto image = box->surface().Image();
    ASSERT_EQ(image->widthPixels(), 7);
    Surface check(7, 5);
    check.PaintPicture(*image, 0, 0);
    EXPECT_EQ(check.pixel(0, 0), 0x00C000u);
    EXPECT_EQ(check.pixel(6, 4), 0x0000FFu);
    // A smaller picture leaves the key colour around it once the box no longer sizes itself.
    box->setAutoSize(false);
    box->setPicture(StdPicture::fromBitmap(CreateBitmap(2, 2, 1, 32, nullptr)));
    EXPECT_EQ(box->surface().pixel(5, 3), 240u);
    EXPECT_EQ(box->surface().pixel(0, 0), 0u);
}

// Reading a box that is not placed yet makes nothing: it reads as it will start, and its surface is
// made with its window.
TEST_F(FormsControls, AnUnplacedPictureBoxReadsWithoutMakingItsSurface) {
    auto box = makeControl<PictureBox>();
    EXPECT_EQ(box->BackColor(), core::sysColor::ButtonFace);
    EXPECT_EQ(box->ScaleMode(), core::scale::Twips);
    EXPECT_EQ(box->Font(), nullptr);
    EXPECT_EQ(box->Picture(), nullptr);
    EXPECT_EQ(box->madeSurface(), nullptr);
    box->place(*form, L"late", -1, 0, 0, 600, 600);
    EXPECT_NE(box->madeSurface(), nullptr);
    EXPECT_NE(box->Font(), nullptr);
    box->unload();
}

TEST(FormsFloating, FloatingPictureBoxNeverTakesTheActivation) {
    auto form = std::make_shared<PlainForm>();
    form->Show();
    SetForegroundWindow(form->hWnd());
    DoEvents();
    ASSERT_EQ(GetActiveWindow(), form->hWnd());
    auto pic = placeControl<PictureBox>(*form, L"pic", 0, 0, 1500, 1500);
    pic->setFloating(true);
    pic->Move(Screen::pixelsToTwipsX(600), Screen::pixelsToTwipsY(400), 1500, 1500);
    int downs = 0;
    pic->MouseDown.handle([&](int, int, float, float) { ++downs; });
    pic->setVisible(true);
    DoEvents();
    HWND w = pic->hWnd();
    EXPECT_EQ(GetAncestor(w, GA_ROOT), w);
    EXPECT_EQ(GetWindow(w, GW_OWNER), form->hWnd());
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
    // A real click on it.
    SetCursorPos(610, 410);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    const DWORD start = GetTickCount();
    while (downs == 0 && GetTickCount() - start < 1000) {
        DoEvents();
        Sleep(5);
    }
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
    EXPECT_EQ(SendMessageW(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->hWnd()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    pic.reset();
    form->Unload();
}

} // namespace
