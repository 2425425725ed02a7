// The pieces several looks share (button edging, arrows, themed parts) and appearance 3.
#include "combo_paint_support.h"
#include "combo_test_support.h"

namespace {

using namespace combotest;
using widgets::ComboFrame;
using widgets::ComboLook;
using widgets::FrameInput;
namespace state = widgets::comboState;

constexpr int W = 140, H = 20;

// A frame on a white memory surface whose shared pieces are called one by one.
struct Pieces {
    forms::Surface surface{W, H};
    ComboLook look;
    std::optional<FrameInput> in;
    std::optional<ComboFrame> frame;
    explicit Pieces(int st) {
        widgets::APIFillSolidRect(surface.hDC(), RECT{0, 0, W, H}, 0xFFFFFF);
        in.emplace(FrameInput{look, st, W, H, nullptr, nullptr, 13});
        frame.emplace(surface.hDC(), *in);
    }
    uint32_t at(int x, int y) {
        GdiFlush();
        return surface.pixel(x, y);
    }
};

TEST(ComboButtonFace, PlainDrawsBothColoursUnchanged) {
    Pieces p(state::Normal);
    p.frame->DrawButtonFace(0x0000FF, 0x00FF00, false);
    for (int x = W - 16; x <= W - 3; ++x) {
        EXPECT_EQ(p.at(x, 1), 0x0000FFu) << x;
        EXPECT_EQ(p.at(x, H - 2), 0x00FF00u) << x;
    }
    for (int y = 2; y <= 17; ++y) {
        EXPECT_EQ(p.at(W - 17, y), 0x0000FFu) << y;
        EXPECT_EQ(p.at(W - 2, y), 0x00FF00u) << y;
    }
    EXPECT_EQ(p.at(W - 10, 10), 0xFFFFFFu);
}

TEST(ComboButtonFace, ShadedRampsAndTheDisabledLowerEdge) {
    for (int st : {state::Normal, state::Disabled}) {
        Pieces p(st);
        p.frame->DrawButtonFace(0x000000, 0x000000, true);
        const bool off = st == state::Disabled;
        for (int i = 2; i <= 15; ++i) {
            EXPECT_EQ(p.at(W - 1 - i, 1), grey(178 - 5 * (i - 1))) << i;
            EXPECT_EQ(p.at(W - 1 - i, H - 2), grey(off ? 178 - 5 * (i - 1) : 10 + 5 * (i - 1))) << i;
        }
        // Each column carries its ramp at the top and the last step's colour below.
        for (int y = 2; y <= 13; ++y) {
            EXPECT_EQ(p.at(W - 17, y), grey(128 + 5 * (y - 1))) << y;
            EXPECT_EQ(p.at(W - 2, y), grey(off ? 128 + 5 * (y - 1) : 70 - 5 * (y - 1))) << y;
        }
        EXPECT_EQ(p.at(W - 17, 17), grey(188));
        EXPECT_EQ(p.at(W - 2, 17), grey(off ? 188 : 10));
    }
}

TEST(ComboButtonFace, LaterStepsSeeTheLoweredBottom) {
    Pieces plain(state::Normal);
    plain.frame->DrawArrowLines(0x0000FF);
    EXPECT_EQ(plain.at(W - 12, 10), 0x0000FFu);
    Pieces lowered(state::Normal);
    lowered.frame->DrawButtonFace(0xFFFFFF, 0xFFFFFF, false);
    lowered.frame->DrawArrowLines(0x0000FF);
    EXPECT_EQ(lowered.at(W - 12, 5), 0x0000FFu);
    EXPECT_EQ(lowered.at(W - 12, 10), 0xFFFFFFu);
}

TEST(ComboArrow, ShiftsRightForTheDefaultLookAndItsKin) {
    struct Case {
        long appearance, office;
        int tip;
    } cases[] = {{2, 0, W - 10}, {4, 1, W - 10}, {1, 0, W - 8},  {1, 2, W - 8},
                 {1, 1, W - 9},  {10, 0, W - 9}, {17, 0, W - 9}, {1, 3, W - 10}};
    for (const auto& c : cases) {
        forms::Surface s(W, H);
        widgets::APIFillSolidRect(s.hDC(), RECT{0, 0, W, H}, 0xFFFFFF);
        widgets::DrawArrow(s.hDC(), RECT{W - 18, 2, W - 2, H - 2}, 0x0000FF, lookOf(c.appearance, c.office));
        GdiFlush();
        EXPECT_EQ(s.pixel(c.tip, 11), 0x0000FFu) << c.appearance << "/" << c.office;
        EXPECT_EQ(s.pixel(c.tip - 1, 11), 0xFFFFFFu) << c.appearance << "/" << c.office;
        EXPECT_EQ(s.pixel(c.tip + 1, 11), 0xFFFFFFu) << c.appearance << "/" << c.office;
    }
}

// A provider that records what it is asked and fills what it draws.
class FakeTheme : public widgets::ThemeProvider {
public:
    bool opens = true;
    bool comboDraws = true;
    mutable std::wstring calls;
    mutable int closed = 0;
    HANDLE open(HWND, const wchar_t* classList) const override {
        calls += std::wstring(L"open ") + classList + L"; ";
        return opens ? reinterpret_cast<HANDLE>(classList[0] == L'E' ? 1 : 2) : nullptr;
    }
    HRESULT draw(HANDLE theme, HDC dc, int part, int st, const RECT& r, const RECT& clip) const override {
        calls += L"draw " + std::to_wstring(part) + L" " + std::to_wstring(st) + L" " +
                 std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) +
                 L"," + std::to_wstring(r.bottom) + (EqualRect(&r, &clip) ? L"" : L" clipped elsewhere") +
                 L"; ";
        const bool combo = theme == reinterpret_cast<HANDLE>(2);
        if (combo && !comboDraws) return E_FAIL;
        widgets::APIFillSolidRect(dc, r, combo ? 0x00FF00 : 0xFF0000);
        return S_OK;
    }
    void close(HANDLE) const override { ++closed; }
};

TEST(ComboThemePart, EveryFailureIsFalseAndOnlyRealHandlesAreClosed) {
    forms::Surface s(W, H);
    const RECT r{0, 0, 10, 10};
    EXPECT_FALSE(widgets::DrawThemePart(nullptr, nullptr, s.hDC(), L"Edit", 2, 1, r));
    FakeTheme none;
    none.opens = false;
    EXPECT_FALSE(widgets::DrawThemePart(&none, nullptr, s.hDC(), L"Edit", 2, 1, r));
    EXPECT_EQ(none.closed, 0);
    FakeTheme failing;
    failing.comboDraws = false;
    EXPECT_FALSE(widgets::DrawThemePart(&failing, nullptr, s.hDC(), L"ComboBox", 1, 1, r));
    EXPECT_EQ(failing.closed, 1);
    FakeTheme working;
    EXPECT_TRUE(widgets::DrawThemePart(&working, nullptr, s.hDC(), L"ComboBox", 1, 1, r));
    EXPECT_EQ(working.closed, 1);
}

TEST(ComboAppearance3, ThemedStopsAfterTheThemePartsAndKeepsTheListFrame) {
    struct Case {
        int st, id;
    } cases[] = {{state::Normal, 1}, {state::Hot, 2}, {state::Pressed, 3}, {state::Disabled, 4}};
    for (const auto& c : cases) {
        FakeTheme theme;
        PaintedCombo p(lookOf(3, 0, 0), c.st, {.theme = &theme});
        const std::wstring id = std::to_wstring(c.id);
        EXPECT_EQ(theme.calls, L"open Edit; draw 2 " + id + L" 0,0,140,20; open ComboBox; draw 1 " + id +
                                   L" 121,1,139,19; ")
            << c.st;
        EXPECT_EQ(p.layout.listFrameColor, UnsetListFrame);
        EXPECT_EQ(p.at(W - 10, 10), 0x00FF00u);
        EXPECT_EQ(p.at(0, 0), 0xFF0000u);
        EXPECT_EQ(p.at(W - 18, 2), 0x00FF00u) << "no corner pixels";
    }
}

TEST(ComboAppearance3, ThemelessThemedIsSchemeSevenOverTheWindowColour) {
    ComboLook themed = lookOf(3, 0, 0);
    themed.BackColor = 0x00FFFF;
    ComboLook seven = lookOf(3, 0, 7);
    seven.BackColor = GetSysColor(COLOR_WINDOW);
    for (int st : {state::Normal, state::Hot, state::Pressed, state::Disabled}) {
        PaintedCombo b(themed, st), c(seven, st);
        // No frame and no corner pixels; everything else as scheme 7 draws it.
        EXPECT_EQ(b.at(0, 0), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(b.at(0, 10), GetSysColor(COLOR_WINDOW));
        EXPECT_NE(c.at(0, 10), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(b.area(W - 17, 2, W - 3, H - 2), c.area(W - 17, 2, W - 3, H - 2)) << st;
        EXPECT_EQ(b.layout.listFrameColor, c.layout.listFrameColor) << st;
        EXPECT_EQ(b.layout.editBack, GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(themed.BackColor, 0x00FFFFu);
    }
}

TEST(ComboAppearance3, SchemesByState) {
    struct Case {
        long xp;
        int st;
        uint32_t frame, list, arrow, top, bottom;
    } cases[] = {
        {1, state::Normal, 0xB99D7F, 0xC56A31, 0x85614D, 0xFFFFFF, 0xF5C8B3},
        {1, state::Pressed, 0xB99D7F, 0xC56A31, 0x85614D, 0xFFFFFF, 0xF9A477},
        {2, state::Hot, 0x94CCBC, 0x668C7D, 0xFFFFFF, 0xFFFFFF, 0xA7D7CA},
        {3, state::Hot, 0xA29594, 0xA29594, 0x48483E, 0xFFFFFF, 0xE2D7D6}, // 0xDACCCB lightened by 58
        {4, state::Normal, 0xF09F5F, 0xF09F5F, 0x906A3A, 0xFFE7CF, 0xF0AF70},
        {5, state::Pressed, 0xBFE7F0, 0xBFE7F0, 0x887547, 0xBFE8FF, 0xCFFFFF},
        {6, state::Pressed, 0xCDB093, 0xCDB093, 0x6F5820, 0xEEC2B4, 0xF1946E},
        {7, state::Normal, 0xDEEDEF, 0xC56A31, 0xC56A31, 0xFFFFFF, 0xDEEDEF},
        {7, state::Hot, 0xC56A31, 0xC56A31, 0xC56A31, 0xFFFFFF, 0xC56A31},
        {12, state::Pressed, 0xC56A31, 0xC56A31, 0xC56A31, 0xFFFFFF, 0xC56A31}, // draws as 7
        {-3, state::Normal, 0xDEEDEF, 0xC56A31, 0xC56A31, 0xFFFFFF, 0xDEEDEF},
    };
    for (const auto& c : cases) {
        PaintedCombo p(lookOf(3, 0, c.xp), c.st);
        EXPECT_EQ(p.at(0, 10), c.frame) << c.xp << "/" << c.st;
        EXPECT_EQ(p.at(1, 10), GetSysColor(COLOR_WINDOW)) << c.xp;
        EXPECT_EQ(p.at(W - 18, 10), c.frame) << "the button edge " << c.xp;
        EXPECT_EQ(p.layout.listFrameColor, c.list) << c.xp;
        EXPECT_EQ(p.at(W - 12, 10), c.arrow) << c.xp;
        const auto mid = [](uint32_t a, uint32_t b, int shift) {
            return static_cast<int>((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2);
        };
        EXPECT_TRUE(closeTo(p.at(W - 15, 10),
                            RGB(mid(c.top, c.bottom, 0), mid(c.top, c.bottom, 8), mid(c.top, c.bottom, 16)),
                            4))
            << c.xp << "/" << c.st << " " << std::hex << p.at(W - 15, 10);
        for (const auto& [x, y] : {std::pair{W - 18, 2}, {W - 3, 2}, {W - 18, H - 3}, {W - 3, H - 3}})
            EXPECT_EQ(p.at(x, y), p.layout.editBack) << x << "," << y;
        EXPECT_EQ(p.layout.editBack, c.xp >= 0 && c.xp <= 6 ? GetSysColor(COLOR_WINDOW) : 0xFFFFFFu);
    }
}

TEST(ComboAppearance3, DisabledFillsExactlyBetweenTheButtonEdges) {
    for (long xp : {1L, 7L}) {
        ComboLook look = lookOf(3, 0, xp);
        look.BackColor = 0x00FFFF;
        PaintedCombo p(look, state::Disabled);
        EXPECT_EQ(p.at(0, 10), 0xDEE7E7u);
        EXPECT_EQ(p.at(W - 15, 1), GetSysColor(COLOR_WINDOW));
        for (int y = 2; y <= H - 3; ++y) EXPECT_EQ(p.at(W - 15, y), 0xE5ECECu) << y;
        EXPECT_EQ(p.at(W - 15, H - 2), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(p.at(W - 12, 10), 0xC2C9C9u);
    }
}

class ComboThemeWindow : public ComboTest {};

TEST_F(ComboThemeWindow, TheSystemThemeDrawsOtherThanSchemeSeven) {
    if (!widgets::ThemeProvider::system().open(combo->hWnd(), L"ComboBox"))
        GTEST_SKIP() << "no visual styles";
    NoTheme none;
    combo->setAppearanceCombo(3);
    combo->setXpAppearance(0);
    const int w = combo->surface().widthPixels();
    auto button = [&] {
        GdiFlush();
        std::vector<uint32_t> px;
        for (int y = 2; y < 18; ++y)
            for (int x = w - 18; x < w - 2; ++x) px.push_back(combo->surface().pixel(x, y));
        return px;
    };
    const auto themed = button();
    combo->useThemeProvider(&none);
    combo->DrawCombo(state::Normal);
    EXPECT_NE(themed, button());
    EXPECT_EQ(combo->BackColor(), 0xFFFFFFu);
}

} // namespace
