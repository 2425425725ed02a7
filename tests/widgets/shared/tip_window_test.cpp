#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/core/variant.h"
#include "platform/forms/screen.h"
#include "widgets/shared/tip_window.h"

using widgets::FTip;
using widgets::TipTimer;

namespace {

class TextTooltip : public testing::Test {
protected:
    POINT cursor{100, 100};
    HWND under = nullptr;
    HWND owner = nullptr, other = nullptr;
    std::vector<TipTimer> started;
    std::unique_ptr<FTip> tip;

    void SetUp() override {
        owner =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
        other =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
        under = owner;
        tip = std::make_unique<FTip>(widgets::TipSeams{[this] { return cursor; },
                                                       [this](POINT) { return under; },
                                                       [this](TipTimer t) { started.push_back(t); }});
    }
    void TearDown() override {
        tip.reset();
        DestroyWindow(owner);
        DestroyWindow(other);
    }
    RECT place() const {
        RECT r;
        GetWindowRect(tip->hWnd(), &r);
        return r;
    }
    void showNow(const std::wstring& text) {
        tip->SetTip(owner, text);
        tip->tmWaitStart_Timer();
        tip->tmWaitStart_Timer();
        ASSERT_TRUE(tip->visible());
    }
};

TEST_F(TextTooltip, EmptyTextIsNeverShown) {
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitStart));
    EXPECT_FALSE(tip->timerEnabled(TipTimer::Process));
    auto font = tip->Font();
    tip->SetTip(owner, L"", 0, -1, false, core::Variant(L"Verdana"), 120);
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitStart));
    EXPECT_FALSE(tip->timerEnabled(TipTimer::Process));
    EXPECT_EQ(tip->Font(), font);
    EXPECT_EQ(tip->TipMaxWidth(), 500);
    EXPECT_FALSE(tip->visible());
}

TEST_F(TextTooltip, ShownOnTheSecondWaitTickAndHiddenAfterTheEleventhEndTick) {
    tip->SetTip(owner, L"Hello");
    EXPECT_TRUE(tip->timerEnabled(TipTimer::WaitStart));
    EXPECT_TRUE(tip->timerEnabled(TipTimer::Process));
    tip->tmWaitStart_Timer();
    EXPECT_FALSE(tip->visible());
    tip->tmWaitStart_Timer();
    EXPECT_TRUE(tip->visible());
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitStart));
    EXPECT_TRUE(tip->timerEnabled(TipTimer::WaitEnd));
    EXPECT_EQ(place().left, 101);
    EXPECT_EQ(place().top, 122);
    for (int i = 0; i < 10; ++i) tip->tmWaitEnd_Timer();
    EXPECT_TRUE(tip->visible());
    tip->tmWaitEnd_Timer();
    EXPECT_FALSE(tip->visible());
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitEnd));
    EXPECT_FALSE(tip->timerEnabled(TipTimer::Process));
}

TEST_F(TextTooltip, TheWindowsTimerMessagesDriveIt) {
    HWND w = tip->hWnd();
    tip->SetTip(owner, L"Hello");
    SendMessageW(w, WM_TIMER, UINT_PTR(TipTimer::WaitStart), 0);
    SendMessageW(w, WM_TIMER, UINT_PTR(TipTimer::WaitStart), 0);
    EXPECT_TRUE(tip->visible());
    for (int i = 0; i < 11; ++i) SendMessageW(w, WM_TIMER, UINT_PTR(TipTimer::WaitEnd), 0);
    EXPECT_FALSE(tip->visible());
    showNow(L"Again");
    under = other;
    SendMessageW(w, WM_TIMER, UINT_PTR(TipTimer::Process), 0);
    EXPECT_FALSE(tip->visible());

    // The program's instance goes with the program's forms and comes back on the next use.
    HWND first = FTip::instance().hWnd();
    FTip::Unload();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(FTip::instance().hWnd()));
    FTip::Unload();
}

// A pending tip shows on the second tick of the free-running wait timer after the pointer came to
// rest: a move starts the count over, not the timer, so the tip waits 400 to 800 ms.
TEST_F(TextTooltip, MovesRestartTheCountButNotTheWaitTimer) {
    const HWND w = tip->hWnd();
    const auto tick = [&] { SendMessageW(w, WM_TIMER, UINT_PTR(TipTimer::WaitStart), 0); };
    tip->SetTip(owner, L"Hello");
    EXPECT_EQ(started, (std::vector<TipTimer>{TipTimer::Process, TipTimer::WaitStart}));
    tick();
    cursor = {120, 110};
    tip->SetTip(owner, L"Hello");
    tick();
    cursor = {140, 120};
    tip->SetTip(owner, L"Hello");
    EXPECT_EQ(started.size(), 2u); // neither timer set going again
    tick();
    EXPECT_FALSE(tip->visible());
    tick();
    EXPECT_TRUE(tip->visible());
    EXPECT_EQ(place().left, 141);

    // Once shown the wait timer stops; the next pending tip sets it going again.
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitStart));
    tip->HideTip();
    started.clear();
    tip->SetTip(owner, L"Next");
    EXPECT_EQ(started, (std::vector<TipTimer>{TipTimer::Process, TipTimer::WaitStart}));
}

TEST_F(TextTooltip, RepeatsAreIgnoredAndMovesRestartAPendingTip) {
    tip->SetTip(owner, L"Hello");
    tip->tmWaitStart_Timer();
    tip->SetTip(owner, L"Hello"); // same owner, text and place: nothing
    tip->tmWaitStart_Timer();
    EXPECT_TRUE(tip->visible());
    tip->HideTip();

    tip->SetTip(owner, L"Again");
    tip->tmWaitStart_Timer();
    cursor = {130, 140};
    tip->SetTip(owner, L"Again"); // the pointer moved: waiting starts over
    tip->tmWaitStart_Timer();
    EXPECT_FALSE(tip->visible());
    tip->tmWaitStart_Timer();
    EXPECT_TRUE(tip->visible());
    EXPECT_EQ(place().left, 131);
}

TEST_F(TextTooltip, WhileShownMovesAreIgnoredAndANewTextReshowsAtOnce) {
    showNow(L"First");
    for (int i = 0; i < 5; ++i) tip->tmWaitEnd_Timer();
    cursor = {300, 200};
    tip->SetTip(owner, L"First");
    EXPECT_EQ(place().left, 101);
    for (int i = 0; i < 6; ++i) tip->tmWaitEnd_Timer();
    EXPECT_FALSE(tip->visible()); // not re-timed by the move

    showNow(L"First");
    for (int i = 0; i < 5; ++i) tip->tmWaitEnd_Timer();
    cursor = {400, 300};
    tip->SetTip(owner, L"Second");
    EXPECT_TRUE(tip->visible());
    EXPECT_EQ(place().left, 401);
    EXPECT_EQ(place().top, 322);
    for (int i = 0; i < 10; ++i) tip->tmWaitEnd_Timer();
    EXPECT_TRUE(tip->visible()); // the count started again
    tip->tmWaitEnd_Timer();
    EXPECT_FALSE(tip->visible());
}

TEST_F(TextTooltip, PointerOverAnotherWindowHidesTheTip) {
    showNow(L"Tip");
    tip->tmProcess_Timer();
    EXPECT_TRUE(tip->visible());
    under = other;
    tip->tmProcess_Timer();
    EXPECT_FALSE(tip->visible());
    EXPECT_FALSE(tip->timerEnabled(TipTimer::Process));
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitEnd));

    // A pending tip is dropped the same way.
    under = owner;
    tip->SetTip(other, L"Pending");
    tip->tmWaitStart_Timer();
    tip->tmProcess_Timer();
    EXPECT_FALSE(tip->timerEnabled(TipTimer::WaitStart));
    EXPECT_FALSE(tip->visible());
}

TEST_F(TextTooltip, ColoursAndFonts) {
    tip->SetTip(owner, L"A", 0, -1);
    EXPECT_EQ(tip->TipBackColor(), RGB(255, 255, 225));
    tip->SetTip(owner, L"B", 0x0000FF, 0);
    EXPECT_EQ(tip->TipBackColor(), 0u);
    EXPECT_EQ(tip->TipTextColor(), 0x0000FFu);
    tip->tmWaitStart_Timer();
    tip->tmWaitStart_Timer();
    EXPECT_EQ(GetPixel(tip->hDC(), 2, 2), RGB(0, 0, 0));

    EXPECT_EQ(tip->Font()->Name(), L"Arial");
    tip->SetTip(owner, L"C", 0, -1, false, core::Variant(L"Verdana"));
    auto verdana = tip->Font();
    EXPECT_EQ(verdana->Name(), L"Verdana");
    EXPECT_DOUBLE_EQ(verdana->Size(), 10);
    tip->SetTip(owner, L"D", 0, -1, false, core::Variant(L"Verdana"));
    EXPECT_EQ(tip->Font(), verdana); // kept, not made again
    auto big = forms::StdFont::create(L"Tahoma", 14, true);
    tip->SetTip(owner, L"E", 0, -1, false, core::Variant(big));
    EXPECT_EQ(tip->Font(), big);
    tip->SetTip(owner, L"F");
    EXPECT_EQ(tip->Font()->Name(), L"Arial");

    auto f = FTip::StandFont();
    EXPECT_EQ(f->Name(), L"Arial");
    EXPECT_DOUBLE_EQ(f->Size(), 10);
    EXPECT_FALSE(f->Bold() || f->Italic() || f->Underline() || f->Strikethrough());
}

TEST_F(TextTooltip, SizeWrappingAndTheRightScreenEdge) {
    tip->TiengViet(false);
    showNow(L"Nha4n");
    HDC dc = tip->hDC();
    int width;
    {
        HGDIOBJ old = SelectObject(dc, tip->Font()->hFont());
        width = FTip::TextWidthW(dc, L"Nha4n");
        SelectObject(dc, old);
    }
    RECT r = place();
    EXPECT_EQ(r.right - r.left, width + 6);
    const int lineHeight = r.bottom - r.top - 6;
    EXPECT_GT(lineHeight, 8);

    // A VNI tip is converted before it is measured.
    tip->HideTip();
    cursor = {100, 101};
    tip->SetTip(owner, L"Nha4n", 0, -1, true);
    tip->tmWaitStart_Timer();
    tip->tmWaitStart_Timer();
    ASSERT_TRUE(tip->visible());
    EXPECT_LT(place().right - place().left, width + 6);

    // Wider than the maximum: wrapped, and the window is the maximum plus 9 wide. The tip shown
    // before was one line high; every wrapped line must fit now.
    std::wstring longText;
    for (int i = 0; i < 30; ++i) longText += L"word ";
    tip->SetTip(owner, longText, 0, -1, false, std::nullopt, 120);
    r = place();
    EXPECT_EQ(r.right - r.left, 129);
    const int lines = (r.bottom - r.top - 6) / lineHeight;
    EXPECT_GE(lines, 5);
    // Ink on the last text line.
    bool ink = false;
    const int lastLine = r.bottom - r.top - 3 - lineHeight / 2;
    for (int x = 3; x < 126; ++x) ink = ink || GetPixel(dc, x, lastLine) == RGB(0, 0, 0);
    EXPECT_TRUE(ink);
    // Border: light top and left, black bottom and right.
    EXPECT_EQ(GetPixel(dc, 5, 0), RGB(220, 223, 228));
    EXPECT_EQ(GetPixel(dc, 128, 5), RGB(0, 0, 0));

    const int screen = forms::Screen::Width() / 15;
    cursor = {screen - 10, 50};
    tip->SetTip(owner, L"At the edge");
    r = place();
    EXPECT_EQ(r.right, screen);
    EXPECT_EQ(r.top, 72);
}

TEST_F(TextTooltip, ListItemsAndObjects) {
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_NOINTEGRALHEIGHT, 0, 0, 120, 200, nullptr,
                                nullptr, nullptr, nullptr);
    SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"Birinci"));
    SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"\u0130kinci"));
    const int item = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const float tw = float(forms::Screen::TwipsPerPixelX());

    tip->SetListTooltip(list, 1, 5 * tw, (item + 2) * tw, 200); // a pressed button: nothing
    EXPECT_EQ(tip->TipOwner(), nullptr);
    tip->SetListTooltip(list, 0, 5 * tw, (item + 2) * tw, 200);
    EXPECT_EQ(tip->TipOwner(), list);
    EXPECT_EQ(tip->TipText(), L"\u0130kinci");
    EXPECT_EQ(tip->TipMaxWidth(), 200);
    // Below the last item: no text, so nothing is asked for.
    tip->SetListTooltip(list, 0, 5 * tw, (item * 5) * tw, 100);
    EXPECT_EQ(tip->TipText(), L"\u0130kinci");
    EXPECT_EQ(tip->TipMaxWidth(), 200);
    DestroyWindow(list);

    struct Obj : widgets::TipObject {
        HWND h;
        HWND Hwnd() const override { return h; }
        std::wstring Tag() const override { return L"From the tag"; }
    } obj;
    obj.h = other;
    tip->SetTipObject(obj);
    EXPECT_EQ(tip->TipOwner(), other);
    EXPECT_EQ(tip->TipText(), L"From the tag");
}

} // namespace
