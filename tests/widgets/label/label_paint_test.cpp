#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "widgets/label/label_paint.h"
#include "widgets/shared/color_ramp.h"

using namespace widgets;

namespace {

// A label-sized image on a memory DC with a label font selected.
class TextLabelPaint : public testing::Test {
protected:
    int w = 80, h = 30;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    const std::uint32_t* bits = nullptr;
    HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
    HFONT font = nullptr;
    LabelLook look;

    void SetUp() override { make(80, 30); }
    void TearDown() override { free(); }
    void make(int width, int height) {
        free();
        w = width, h = height;
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
        void* image = nullptr;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &image, nullptr, 0);
        bits = static_cast<const std::uint32_t*>(image);
        oldBitmap = SelectObject(dc, bitmap);
        font = CreateFontW(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                           L"Tahoma");
        oldFont = SelectObject(dc, font);
        look = LabelLook{};
        look.Shadow = false;
        look.BackColor = RGB(0, 0, 128);
    }
    void free() {
        if (!dc) return;
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(font);
        DeleteObject(bitmap);
        DeleteDC(dc);
        dc = nullptr;
    }
    int paint(const std::wstring& text) {
        const int lines = LabelPainter(dc, w, h, look).Redraw(text);
        GdiFlush();
        return lines;
    }
    COLORREF at(int x, int y) { return GetPixel(dc, x, y); }
    std::set<COLORREF> colours() {
        std::set<COLORREF> s;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) s.insert(at(x, y));
        return s;
    }
    // Leftmost-topmost and rightmost-bottommost pixel of a colour, as (x + y).
    std::pair<int, int> reach(COLORREF c) {
        int lo = 1 << 20, hi = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (at(x, y) == c) lo = std::min(lo, x + y), hi = std::max(hi, x + y);
        return {lo, hi};
    }
};

bool closeTo(COLORREF a, std::uint32_t b, int tolerance = 2) {
    return std::abs(GetRValue(a) - int(b & 0xFF)) <= tolerance &&
           std::abs(GetGValue(a) - int((b >> 8) & 0xFF)) <= tolerance &&
           std::abs(GetBValue(a) - int((b >> 16) & 0xFF)) <= tolerance;
}

TEST_F(TextLabelPaint, Borders) {
    look.BorderStyle = 1;
    look.BorderSize = 2;
    look.BorderColor = RGB(255, 0, 0);
    paint(L"");
    EXPECT_EQ(at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(at(2, 2), RGB(0, 0, 128));
    EXPECT_EQ(at(w - 1, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(w - 2, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(w - 3, 10), RGB(0, 0, 128));
    EXPECT_EQ(at(10, h - 2), RGB(255, 0, 0));

    look.BorderStyle = 3;
    look.BorderSize = 1;
    paint(L"");
    EXPECT_EQ(look.BorderSize, 2);
    EXPECT_EQ(at(5, 0), RGB(167, 166, 170));
    EXPECT_EQ(at(0, 5), RGB(167, 166, 170));
    EXPECT_EQ(at(5, 1), RGB(133, 135, 140));
    EXPECT_EQ(at(w - 1, 5), RGB(255, 255, 255));
    EXPECT_EQ(at(5, h - 1), RGB(255, 255, 255));
    EXPECT_EQ(at(w - 2, 5), RGB(220, 223, 228));
    EXPECT_EQ(at(5, h - 2), RGB(220, 223, 228));
    EXPECT_EQ(at(5, 5), RGB(0, 0, 128));

    // The frame's own size takes effect from the next repaint: the first lays the text out with
    // the old size.
    make(80, 30);
    look.BorderStyle = 3;
    look.BorderSize = 1;
    look.Forecolor = RGB(0, 0, 0);
    paint(L"I");
    const int first = reach(RGB(0, 0, 0)).first;
    paint(L"I");
    EXPECT_EQ(reach(RGB(0, 0, 0)).first - first, 2);

    look.BorderStyle = 4;
    paint(L"");
    EXPECT_EQ(at(5, 1), RGB(255, 255, 255));
    EXPECT_EQ(at(w - 2, 5), RGB(167, 166, 170));

    look.BorderStyle = 5;
    paint(L"");
    EXPECT_EQ(look.BorderSize, 3);
    EXPECT_EQ(at(5, 0), RGB(255, 255, 255));
    EXPECT_EQ(at(5, 1), RGB(167, 166, 170));
    EXPECT_EQ(at(5, 2), RGB(255, 255, 255));
    EXPECT_EQ(at(w - 2, 5), RGB(167, 166, 170));
    EXPECT_EQ(at(5, 3), RGB(0, 0, 128));

    look.BorderStyle = 6;
    paint(L"");
    EXPECT_EQ(colours(), (std::set<COLORREF>{RGB(0, 0, 128)}));
}

TEST_F(TextLabelPaint, StraightGradients) {
    look.BackColorStyle = 1;
    look.GradientBackColorStart = RGB(255, 0, 0);
    look.GradientBackColorEnd = RGB(0, 0, 255);
    Ramp ramp;
    GradientColors(look.GradientBackColorStart, look.GradientBackColorEnd, std::int16_t(w), ramp);
    look.GradientBackColorStyle = 0;
    paint(L"");
    EXPECT_EQ(at(0, 5), ramp[0]);
    EXPECT_EQ(at(40, h - 1), ramp[40]);
    EXPECT_EQ(at(w - 1, 5), ramp[size_t(w - 1)]);
    look.GradientBackColorStyle = 1;
    paint(L"");
    EXPECT_EQ(at(w - 1, 5), ramp[0]);
    EXPECT_EQ(at(0, 5), ramp[size_t(w - 1)]);

    GradientColors(look.GradientBackColorStart, look.GradientBackColorEnd, std::int16_t(h), ramp);
    look.GradientBackColorStyle = 2;
    paint(L"");
    EXPECT_EQ(at(5, 0), ramp[0]);
    EXPECT_EQ(at(w - 1, h - 1), ramp[size_t(h - 1)]);
    look.GradientBackColorStyle = 3;
    paint(L"");
    EXPECT_EQ(at(5, h - 1), ramp[0]);

    look.GradientBackColorStyle = 4;
    paint(L"");
    EXPECT_TRUE(closeTo(at(0, 0), look.GradientBackColorStart, 8));
    EXPECT_TRUE(closeTo(at(w - 1, h - 1), look.GradientBackColorEnd, 8));
    look.GradientBackColorStyle = 5;
    paint(L"");
    EXPECT_TRUE(closeTo(at(0, h - 1), look.GradientBackColorStart, 8));
    EXPECT_TRUE(closeTo(at(w - 1, 0), look.GradientBackColorEnd, 8));

    // No gradient for unknown styles, nor under a see-through background.
    look.GradientBackColorStyle = 10;
    paint(L"");
    EXPECT_EQ(colours(), (std::set<COLORREF>{RGB(0, 0, 128)}));
    look.GradientBackColorStyle = 0;
    look.Transparent = true;
    paint(L"");
    EXPECT_EQ(colours(), (std::set<COLORREF>{GetSysColor(COLOR_BTNFACE)}));
}

TEST_F(TextLabelPaint, CentreOutGradients) {
    make(5, 4);
    look.BackColorStyle = 1;
    look.GradientBackColorStart = RGB(0, 0, 0);
    look.GradientBackColorEnd = RGB(240, 240, 240);
    look.GradientBackColorStyle = 6;
    Ramp ramp;
    GradientColors(0, RGB(240, 240, 240), 3, ramp);
    paint(L"");
    const size_t cols[] = {2, 1, 0, 1, 2};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(at(x, 1), ramp[cols[x]]) << x;

    make(6, 5);
    look.BackColorStyle = 1;
    look.GradientBackColorEnd = RGB(240, 240, 240);
    look.GradientBackColorStyle = 7;
    paint(L"");
    const size_t rows[] = {2, 1, 0, 1, 2};
    for (int y = 0; y < 5; ++y) EXPECT_EQ(at(3, y), ramp[rows[y]]) << y;

    // Along the diagonals: the start colour on the diagonal itself, the end towards the corners.
    make(20, 20);
    look.BackColorStyle = 1;
    look.GradientBackColorEnd = RGB(240, 240, 240);
    look.GradientBackColorStyle = 8;
    paint(L"");
    EXPECT_LT(GetRValue(at(10, 9)), 40);
    EXPECT_GT(GetRValue(at(0, 0)), 180);
    EXPECT_GT(GetRValue(at(19, 19)), 180);
    look.GradientBackColorStyle = 9;
    paint(L"");
    EXPECT_LT(GetRValue(at(10, 10)), 40);
    EXPECT_GT(GetRValue(at(19, 0)), 180);
    EXPECT_GT(GetRValue(at(0, 19)), 180);
}

TEST_F(TextLabelPaint, ShadowLayersRunFromFarToNear) {
    make(120, 40);
    look.Forecolor = RGB(0, 0, 0);
    look.Shadow = true;
    look.ShadowDepth = 3;
    look.ShadowStyle = 0;
    look.ShadowColorEnd = RGB(255, 0, 0);
    look.ShadowColorStart = RGB(0, 255, 0);
    look.BorderSize = 0;
    look.EdgeSpace = 0;
    paint(L"IIII");
    Ramp ramp;
    GradientColors(RGB(255, 0, 0), RGB(0, 255, 0), 4, ramp);
    const auto outer = reach(ramp[0]), mid = reach(ramp[1]), nearest = reach(ramp[2]),
               text = reach(RGB(0, 0, 0));
    ASSERT_GE(outer.second, 0);
    ASSERT_GE(mid.second, 0);
    ASSERT_GE(nearest.second, 0);
    // Each layer is one pixel further up and left than the next; the text is moved by the depth.
    EXPECT_EQ(mid.first - outer.first, 2);
    EXPECT_EQ(nearest.first - mid.first, 2);
    EXPECT_EQ(text.first - nearest.first, 2);
    EXPECT_EQ(colours().count(ramp[3]), 0u);

    // Depth 0 or below: no layers, the text where it would be without a shadow.
    look.ShadowDepth = 0;
    paint(L"IIII");
    const auto plain = reach(RGB(0, 0, 0));
    EXPECT_EQ(colours(), (std::set<COLORREF>{RGB(0, 0, 128), RGB(0, 0, 0)}));
    look.ShadowDepth = -4;
    paint(L"IIII");
    EXPECT_EQ(reach(RGB(0, 0, 0)), plain);
    look.Shadow = false;
    look.ShadowDepth = 3;
    paint(L"IIII");
    EXPECT_EQ(reach(RGB(0, 0, 0)), plain);
    EXPECT_EQ(text.first - plain.first, 6);
}

TEST_F(TextLabelPaint, OutlineAndLineCount) {
    make(160, 60);
    look.Forecolor = RGB(0, 0, 0);
    look.OutlineColor = RGB(255, 255, 0);
    look.BorderStyle = 2;
    look.BorderSize = 1;
    EXPECT_EQ(paint(L"Outline"), 1);
    EXPECT_EQ(colours().count(RGB(255, 255, 0)), 1u);
    EXPECT_EQ(colours().count(RGB(0, 0, 0)), 1u);
    look.BorderSize = 0;
    paint(L"Outline");
    EXPECT_EQ(colours().count(RGB(255, 255, 0)), 0u);

    look.BorderStyle = 0;
    look.WordWrap = true;
    make(60, 80);
    look.WordWrap = true;
    EXPECT_EQ(paint(L"one two"), 2);
    EXPECT_EQ(paint(L"one two three four"), 4);
    look.WordWrap = false;
    EXPECT_EQ(paint(L"one two three four"), 1);
    EXPECT_EQ(paint(L""), 0);
    EXPECT_EQ(paint(L"    "), 0);
    EXPECT_EQ(colours(), (std::set<COLORREF>{RGB(0, 0, 128)}));
}

} // namespace
