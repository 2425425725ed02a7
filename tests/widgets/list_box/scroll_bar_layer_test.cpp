#include "widgets/list_box/scroll_bar_layer.h"

#include "support/message_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <windows.h>

namespace {

using widgets::ScrollBarLayer;

// A flat scroll-bar family that records what reaches it.
struct FakeFlat {
    std::vector<std::string> calls;
    SCROLLINFO bars[2]{};
    HWND lastWindow = nullptr;
} fake;

BOOL WINAPI fakeInit(HWND w) {
    fake.calls.push_back("init");
    fake.lastWindow = w;
    return TRUE;
}
HRESULT WINAPI fakeUninit(HWND) {
    fake.calls.push_back("uninit");
    return S_OK;
}
// Showing and hiding change the window's scroll-bar style, as the real bars do.
BOOL WINAPI fakeShow(HWND w, int bar, BOOL show) {
    fake.calls.push_back("show " + std::to_string(bar) + " " + std::to_string(show));
    const LONG style = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    const LONG now = GetWindowLongW(w, GWL_STYLE);
    SetWindowLongW(w, GWL_STYLE, show ? now | style : now & ~style);
    return TRUE;
}
BOOL WINAPI fakeEnable(HWND, int bar, UINT flags) {
    fake.calls.push_back("enable " + std::to_string(bar) + " " + std::to_string(flags));
    return TRUE;
}
BOOL WINAPI fakeGet(HWND, int bar, LPSCROLLINFO info) {
    const SCROLLINFO& s = fake.bars[bar];
    if (info->fMask & SIF_RANGE) info->nMin = s.nMin, info->nMax = s.nMax;
    if (info->fMask & SIF_PAGE) info->nPage = s.nPage;
    if (info->fMask & SIF_POS) info->nPos = s.nPos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.nTrackPos;
    return TRUE;
}
int WINAPI fakeSet(HWND, int bar, LPSCROLLINFO info, BOOL redraw) {
    fake.calls.push_back("set " + std::to_string(bar) + " mask " + std::to_string(info->fMask) + " redraw " +
                         std::to_string(redraw));
    SCROLLINFO& s = fake.bars[bar];
    if (info->fMask & SIF_RANGE) s.nMin = info->nMin, s.nMax = info->nMax;
    if (info->fMask & SIF_PAGE) s.nPage = info->nPage;
    if (info->fMask & SIF_POS) s.nPos = info->nPos;
    return s.nPos;
}
BOOL WINAPI fakeProp(HWND, UINT index, INT_PTR value, BOOL) {
    fake.calls.push_back("prop " + std::to_string(index) + " " + std::to_string(value));
    return TRUE;
}

const widgets::FlatScrollBars& fakeFlat() {
    static const widgets::FlatScrollBars bars{&fakeInit, &fakeUninit, &fakeShow, &fakeEnable,
                                              &fakeGet,  &fakeSet,    &fakeProp};
    return bars;
}

const widgets::FlatScrollBars& noFlatLibrary() {
    static const widgets::FlatScrollBars none{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return none;
}

HWND scrollWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 0, 100, 100, nullptr,
                           nullptr, nullptr, nullptr);
}

class ListScrollBars : public ::testing::Test {
protected:
    void SetUp() override {
        fake = FakeFlat{};
        window = scrollWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }
    HWND window = nullptr;
};

TEST_F(ListScrollBars, RangePageAndPositionRulesOnAStandardBar) {
    // Flat bars asked for, but the library cannot give them: standard bars for the layer's life.
    ScrollBarLayer layer(&noFlatLibrary);
    layer.UseStandardBars = false;
    layer.SB_Create(window);
    EXPECT_TRUE(layer.UseStandardBars);

    SCROLLINFO info{};
    info.nMin = 0;
    info.nMax = 20;
    info.nPage = 5;
    layer.SB_SetInfo(SB_VERT, info, SIF_RANGE | SIF_PAGE);
    EXPECT_EQ(layer.SB_Max(SB_VERT), 20);
    EXPECT_EQ(layer.SB_LargeChange(SB_VERT), 5);

    // A new page keeps the largest position (nMax - nPage).
    layer.SB_LargeChange(SB_VERT, 8);
    EXPECT_EQ(layer.SB_Max(SB_VERT), 23);
    EXPECT_EQ(layer.SB_LargeChange(SB_VERT), 8);

    // Max as set is the largest position; as read it is nMax.
    layer.SB_Max(SB_VERT, 30);
    EXPECT_EQ(layer.SB_Max(SB_VERT), 38);
    EXPECT_EQ(layer.SB_Min(SB_VERT), 0);

    layer.SB_Value(SB_VERT, 12);
    SCROLLINFO real{sizeof real, SIF_ALL};
    GetScrollInfo(window, SB_VERT, &real);
    EXPECT_EQ(real.nPos, 12);
    EXPECT_EQ(real.nMax, 38);
    layer.SB_Value(SB_VERT, 500); // the window keeps the position within its range
    EXPECT_EQ(layer.SB_Value(SB_VERT), 31);

    layer.SB_SmallChange(SB_VERT, 3);
    layer.SB_SmallChange(SB_HORZ, 7);
    EXPECT_EQ(layer.SmallChangeV, 3);
    EXPECT_EQ(layer.SB_SmallChange(SB_HORZ), 7);

    // Visibility reports what was last set through the layer, not the window's state.
    EXPECT_FALSE(layer.SB_Visible(SB_VERT));
    layer.SB_Visible(SB_VERT, true);
    EXPECT_TRUE(layer.SB_Visible(SB_VERT));
    ShowScrollBar(window, SB_VERT, FALSE);
    EXPECT_TRUE(layer.SB_Visible(SB_VERT));
    EXPECT_FALSE(layer.SB_Visible(SB_HORZ));
}

TEST_F(ListScrollBars, FlatFamilyIsUsedWhenItCanBeBound) {
    {
        ScrollBarLayer layer(&fakeFlat);
        layer.UseStandardBars = false;
        layer.SB_Create(window);
        EXPECT_FALSE(layer.UseStandardBars);
        EXPECT_EQ(fake.lastWindow, window);
        EXPECT_EQ(fake.calls, (std::vector<std::string>{"init", "prop 512 0"}));
        fake.calls.clear();
        layer.SB_Value(SB_VERT, 6);
        EXPECT_EQ(fake.calls, (std::vector<std::string>{"set 1 mask 4 redraw 0"}));
        EXPECT_EQ(layer.SB_Value(SB_VERT), 6);
        fake.calls.clear();
    }
    // Destroying a flat layer uninitialises the flat bars.
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"uninit"}));

    // Standard bars still initialise the flat library but never use it.
    fake.calls.clear();
    ScrollBarLayer standard(&fakeFlat);
    standard.SB_Create(window);
    standard.SB_Value(SB_VERT, 3);
    standard.SB_Destroy();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"init"}));
    EXPECT_EQ(standard.ScrollWindow, nullptr);

    // The real library binds (under Wine it behaves as standard bars).
    ScrollBarLayer realFlat;
    realFlat.UseStandardBars = false;
    realFlat.SB_Create(window);
    EXPECT_FALSE(realFlat.UseStandardBars);
    EXPECT_EQ(realFlat.SB_Value(SB_VERT), GetScrollPos(window, SB_VERT));
}

// What one handler asks of the bar, and what reaches the window: nothing that changes nothing, no
// redraw with a call, showing and enabling only when the window is painted (or, before a change of
// range, what was asked before it), and a bar hidden and shown again by one handler left alone.
TEST_F(ListScrollBars, OnlyRealChangesReachTheWindowAndShowingWaitsForThePaint) {
    struct Case {
        const char* what;
        void (*handler)(ScrollBarLayer&);
        std::vector<std::string> during, atPaint;
    };
    const Case cases[] = {
        {"equal values",
         [](ScrollBarLayer& l) {
             l.SB_Value(SB_VERT, 4), l.SB_LargeChange(SB_VERT, 5), l.SB_Max(SB_VERT, 15);
         },
         {},
         {}},
        {"new values",
         [](ScrollBarLayer& l) { l.SB_Value(SB_VERT, 6), l.SB_LargeChange(SB_VERT, 8); },
         {"set 1 mask 4 redraw 0", "set 1 mask 3 redraw 0"},
         {}},
        {"shown as it is", [](ScrollBarLayer& l) { l.SB_Visible(SB_VERT, true); }, {}, {}},
        {"hidden, shown again",
         [](ScrollBarLayer& l) { l.SB_Visible(SB_VERT, false), l.SB_Visible(SB_VERT, true); },
         {},
         {}},
        {"hidden, enabled",
         [](ScrollBarLayer& l) { l.SB_Visible(SB_VERT, false), l.SB_Enabled(SB_VERT, false); },
         {},
         {"show 1 0", "enable 1 3"}},
        {"hidden, then a new range",
         [](ScrollBarLayer& l) {
             l.SB_Visible(SB_VERT, false), l.SB_Max(SB_VERT, 30), l.SB_Visible(SB_VERT, true);
         },
         {"show 1 0", "set 1 mask 1 redraw 0"},
         {"show 1 1"}},
    };
    for (const Case& c : cases) {
        fake = FakeFlat{};
        SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_VSCROLL);
        ScrollBarLayer layer(&fakeFlat);
        layer.UseStandardBars = false;
        layer.SB_Create(window);
        fake.bars[1] = SCROLLINFO{sizeof(SCROLLINFO), 0, 0, 20, 5, 4, 0};
        fake.calls.clear();
        c.handler(layer);
        EXPECT_EQ(fake.calls, c.during) << c.what;
        fake.calls.clear();
        layer.showPending();
        EXPECT_EQ(fake.calls, c.atPaint) << c.what;
        fake.calls.clear();
        layer.showPending();
        EXPECT_TRUE(fake.calls.empty()) << c.what << ": a second paint sends nothing";
    }
}

// On a real window on the screen the frame is not drawn by the calls: it is drawn once, with the
// window's paint, and not at all when the bar looks as it did at the last paint.
TEST_F(ListScrollBars, TheFrameIsDrawnOnceWithThePaintAndOnlyWhenTheBarLooksDifferent) {
    ShowWindow(window, SW_SHOWNA);
    ScrollBarLayer layer;
    layer.SB_Create(window);
    SCROLLINFO info{};
    info.nMax = 20;
    info.nPage = 5;
    layer.SB_SetInfo(SB_VERT, info, SIF_RANGE | SIF_PAGE);
    // What the list box does when it is done with the bars, and when its window is painted.
    auto asksForPaint = [&] {
        layer.settle();
        return GetUpdateRect(window, nullptr, FALSE) != FALSE;
    };
    auto paint = [&] {
        layer.showPending();
        UpdateWindow(window);
    };
    paint();
    testsupport::MessageRecorder seen(window);

    layer.SB_Max(SB_VERT, 40);
    layer.SB_Value(SB_VERT, 3);
    layer.SB_LargeChange(SB_VERT, 6);
    EXPECT_EQ(seen.count(WM_NCPAINT), 0u);
    EXPECT_TRUE(asksForPaint());
    paint();
    EXPECT_EQ(seen.count(WM_NCPAINT), 1u);

    // On a long range the thumb keeps its place and least size for a small move.
    layer.SB_Max(SB_VERT, 100000);
    layer.SB_Value(SB_VERT, 1);
    paint();
    seen.clear();
    layer.SB_Value(SB_VERT, 2);
    layer.SB_Max(SB_VERT, 100001);
    EXPECT_FALSE(asksForPaint());
    paint();
    EXPECT_EQ(seen.count(WM_NCPAINT), 0u);
    EXPECT_EQ(layer.SB_Value(SB_VERT), 2);

    // A range changed and set back by one handler, as a refresh of an unchanged list does.
    layer.SB_Max(SB_VERT, 10);
    layer.SB_Max(SB_VERT, 100001);
    EXPECT_FALSE(asksForPaint());
    paint();
    EXPECT_EQ(seen.count(WM_NCPAINT), 0u);

    // Hiding, or disabling a shown bar, asks for the paint that applies it.
    layer.SB_Enabled(SB_VERT, false);
    EXPECT_TRUE(asksForPaint());
    paint();
    layer.SB_Enabled(SB_VERT, false);
    EXPECT_FALSE(asksForPaint());
    layer.SB_Visible(SB_VERT, false);
    EXPECT_TRUE(asksForPaint());
    paint();
    EXPECT_FALSE(layer.windowShows(SB_VERT));
}

} // namespace
