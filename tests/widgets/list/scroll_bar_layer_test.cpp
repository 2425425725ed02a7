#include "widgets/list/scroll_bar_layer.h"

#include <gtest/gtest.h>

#include <cstring>
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
BOOL WINAPI fakeShow(HWND, int bar, BOOL show) {
    fake.calls.push_back("show " + std::to_string(bar) + " " + std::to_string(show));
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

FARPROC fakeResolver(const char* name) {
    const std::pair<const char*, FARPROC> table[] = {
        {"InitializeFlatSB", reinterpret_cast<FARPROC>(&fakeInit)},
        {"UninitializeFlatSB", reinterpret_cast<FARPROC>(&fakeUninit)},
        {"FlatSB_ShowScrollBar", reinterpret_cast<FARPROC>(&fakeShow)},
        {"FlatSB_EnableScrollBar", reinterpret_cast<FARPROC>(&fakeEnable)},
        {"FlatSB_GetScrollInfo", reinterpret_cast<FARPROC>(&fakeGet)},
        {"FlatSB_SetScrollInfo", reinterpret_cast<FARPROC>(&fakeSet)},
        {"FlatSB_SetScrollProp", reinterpret_cast<FARPROC>(&fakeProp)},
    };
    for (const auto& [n, f] : table)
        if (std::strcmp(n, name) == 0) return f;
    return nullptr;
}

FARPROC noFlatLibrary(const char*) {
    return nullptr;
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

TEST_F(ListScrollBars, FlatFamilyIsUsedWhenItCanBeBoundAndAnEqualValueSendsNothing) {
    {
        ScrollBarLayer layer(&fakeResolver);
        layer.UseStandardBars = false;
        layer.SB_Create(window);
        EXPECT_FALSE(layer.UseStandardBars);
        EXPECT_EQ(fake.lastWindow, window);
        EXPECT_EQ(fake.calls, (std::vector<std::string>{"init", "prop 512 0"}));
        fake.calls.clear();

        fake.bars[1].nMax = 20;
        fake.bars[1].nPage = 5;
        fake.bars[1].nPos = 4;
        layer.SB_Value(SB_VERT, 4);
        EXPECT_TRUE(fake.calls.empty());
        layer.SB_Value(SB_VERT, 6);
        layer.SB_LargeChange(SB_VERT, 8);
        layer.SB_Visible(SB_VERT, true);
        layer.SB_Enabled(SB_VERT, false);
        layer.SB_Enabled(SB_HORZ, true);
        EXPECT_EQ(fake.calls, (std::vector<std::string>{"set 1 mask 4 redraw 1", "set 1 mask 3 redraw 1",
                                                        "show 1 1", "enable 1 3", "enable 0 0"}));
        EXPECT_EQ(fake.bars[1].nMax, 23);
        EXPECT_EQ(layer.SB_Value(SB_VERT), 6);
        fake.calls.clear();
    }
    // Destroying a flat layer uninitialises the flat bars.
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"uninit"}));

    // Standard bars still initialise the flat library but never use it.
    fake.calls.clear();
    ScrollBarLayer standard(&fakeResolver);
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

} // namespace
