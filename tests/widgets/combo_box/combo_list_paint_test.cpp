#include "combo_test_support.h"

#include "platform/forms/std_font.h"
#include "widgets/combo_box/combo_list_painter.h"

#include <functional>

namespace {

using namespace combotest;
using widgets::ComboItems;
using widgets::ComboListPainter;
using widgets::ComboLook;
using widgets::ComboState;
using widgets::ListInput;

constexpr int W = 150;

struct ListPicture {
    ComboLook look;
    ComboItems items;
    ComboState state;
    // Crisp glyphs, so colours can be told apart pixel by pixel.
    forms::GdiFont font{CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                    NONANTIALIASED_QUALITY, 0, L"Tahoma")};
    bool scrollBar = false;
    long rows = 7;
    forms::Surface surface{W, 100};

    ListPicture() {
        state.listFrameColor = 0x123456;
        state.listDrawn = true;
    }
    void add(const std::wstring& text, bool enabled = true, bool separator = false, bool shadow = false) {
        widgets::ComboItem item;
        item.text = text;
        item.enabled = enabled;
        item.separator = separator;
        item.textShadow = shadow;
        items.add(item, -1);
    }
    void paint(int height) {
        surface.resize(W, height);
        const ListInput in{look, items, state, L"", items.count(), rows, scrollBar, W, height, font.get()};
        ComboListPainter(surface.hDC(), in).DrawList(state.scroll, rows);
        GdiFlush();
    }
    uint32_t at(int x, int y) const { return surface.pixel(x, y); }
    // The bounding box of the pixels that pass a test.
    RECT box(const std::function<bool(uint32_t)>& is) const {
        RECT r{10000, 10000, -1, -1};
        for (int y = 0; y < surface.heightPixels(); ++y)
            for (int x = 0; x < W; ++x)
                if (is(at(x, y))) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x);
                    r.bottom = std::max<LONG>(r.bottom, y);
                }
        return r;
    }
    int count(uint32_t colour, int top, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < W; ++x) n += at(x, y) == colour;
        return n;
    }
};

bool reddish(uint32_t c) {
    return (c & 0xFF) > 150 && ((c >> 16) & 0xFF) < 100;
}
bool bluish(uint32_t c) {
    return ((c >> 16) & 0xFF) > 150 && (c & 0xFF) < 100;
}

TEST(ComboListPaint, GradientEndsAndFrame) {
    ListPicture p;
    p.look.ListGradient = true;
    p.paint(60); // no items: background and frame only
    EXPECT_EQ(p.at(0, 0), 0x123456u);
    EXPECT_EQ(p.at(W - 1, 59), 0x123456u);
    EXPECT_TRUE(closeTo(p.at(1, 30), 0xEDC59E)) << std::hex << p.at(1, 30);
    EXPECT_TRUE(closeTo(p.at(W - 2, 30), 0xFFF0C4)) << std::hex << p.at(W - 2, 30);
}

TEST(ComboListPaint, ASingleItemSitsHigherAndIsFramedWhole) {
    ListPicture one;
    one.look.NormalColorText = 0;
    one.add(L"Wy");
    one.state.hot = -1;
    one.paint(20);
    ListPicture two;
    two.add(L"Wy");
    two.add(L"Wy");
    two.state.hot = -1;
    two.paint(40);
    auto ink = [](uint32_t c) { return c == 0xC56A31u; };
    EXPECT_EQ(one.box(ink).top + 1, two.box(ink).top);

    one.state.hot = 0;
    one.paint(20);
    const uint32_t border = one.look.SelectListBorderColor;
    EXPECT_EQ(one.at(0, 10), border);
    EXPECT_EQ(one.at(W - 1, 10), border);
    EXPECT_EQ(one.at(10, 0), border);
    EXPECT_EQ(one.at(10, 19), border);
}

TEST(ComboListPaint, DisabledRowsAreNeverHighlightedAndPaintGrey) {
    ListPicture p;
    p.add(L"one");
    p.add(L"two", false);
    p.look.SelectListColor = 0x00AA00;
    p.state.hot = 1;
    p.paint(40);
    EXPECT_EQ(p.count(p.look.SelectListColor, 0, 40), 0);
    EXPECT_GT(p.count(p.look.disabledRead(), 20, 40), 5);
    p.state.hot = 0;
    p.paint(40);
    EXPECT_GT(p.count(p.look.SelectListColor, 0, 20), 500);
    // Enabled again, the row has its own colour back.
    p.items.at(2).enabled = true;
    p.state.hot = -1;
    p.paint(40);
    EXPECT_EQ(p.count(p.look.disabledRead(), 20, 40), 0);
    EXPECT_GT(p.count(0xC56A31, 20, 40), 5);
}

TEST(ComboListPaint, SeparatorsExceptUnderTheHighlight) {
    const uint32_t shadow = GetSysColor(COLOR_BTNSHADOW);
    ListPicture p;
    p.add(L"one", true, true);
    p.add(L"two");
    p.state.hot = -1;
    p.paint(40);
    EXPECT_GT(p.count(shadow, 10, 30), 100);
    p.state.hot = 0;
    p.paint(40);
    EXPECT_EQ(p.count(shadow, 10, 30), 0);
}

TEST(ComboListPaint, ShadowsSitUpLeftOrUp) {
    struct Case {
        long alignment;
        int dx;
    } cases[] = {{widgets::rowAlign::Left, 1}, {widgets::rowAlign::Right, 0}, {widgets::rowAlign::Centre, 0}};
    for (const auto& c : cases) {
        ListPicture p;
        p.look.Alignment = c.alignment;
        p.look.ShadowColorText = 0x0000FF;
        p.add(L"IIII", true, false, true);
        p.add(L"x");
        p.items.at(2).colour = 0;
        p.state.hot = -1;
        widgets::ComboItem& item = p.items.at(1);
        item.colour = 0xFF0000;
        p.paint(40);
        const RECT shadow = p.box(reddish), text = p.box(bluish);
        EXPECT_EQ(text.left - shadow.left, c.dx) << c.alignment;
        EXPECT_EQ(text.top - shadow.top, 1) << c.alignment;
    }
}

TEST(ComboListPaint, RightAlignedRowsKeepTheirMargin) {
    int right[2] = {};
    for (bool scrolls : {false, true}) {
        ListPicture p;
        p.look.Alignment = widgets::rowAlign::Right;
        for (int i = 0; i < 3; ++i) p.add(L"HHH");
        p.rows = scrolls ? 2 : 3;
        p.state.hot = -1;
        p.paint(60);
        right[scrolls] = p.box([](uint32_t c) { return c == 0xC56A31u; }).right + 1;
    }
    // 120 twips to the edge when the list fits (less the glyphs' own spacing); 650 less the bar's
    // width (17, added to twips as written) when it scrolls.
    EXPECT_LE(right[0], W - 120 / 15);
    EXPECT_GE(right[0], W - 120 / 15 - 5);
    EXPECT_NEAR(right[0] - right[1], (650 - 17 - 120) / 15, 1);
}

} // namespace
