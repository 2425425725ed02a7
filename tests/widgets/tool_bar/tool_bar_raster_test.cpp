// The tool bar's gradients, tiling and grey-scale pictures, by pixels on a memory surface.
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/tool_bar/mc_tool_bar_raster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>
#include <windows.h>

namespace {

using widgets::toolbar::DrawGradient;

constexpr uint32_t Blue = 0xFF0000, White = 0xFFFFFF;

struct Canvas {
    forms::Surface surface{40, 30};
    Canvas() { surface.setBackColor(Blue); }
    HDC dc() { return surface.hDC(); }
    uint32_t at(int x, int y) {
        GdiFlush();
        return surface.pixel(x, y);
    }
};

uint32_t grey(int v) {
    return static_cast<uint32_t>(v * 0x010101);
}

// A bitmap of one colour (0x00BBGGRR), made with GDI.
HBITMAP solidBitmap(int w, int h, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ was = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, was);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST(ToolBarRaster, GradientRampsAndTheirFigures) {
    Canvas c;
    DrawGradient(c.dc(), 0, 0, 3, 1, 0, 0xFFFFFF, 1, false);
    EXPECT_EQ(c.at(0, 0), grey(0));
    EXPECT_EQ(c.at(1, 0), grey(127));
    EXPECT_EQ(c.at(2, 0), grey(255));
    DrawGradient(c.dc(), 0, 2, 1, 1, 0, 0xFFFFFF, 1, false); // a ramp of one entry is the middle
    EXPECT_EQ(c.at(0, 2), grey(0x7F));

    // Vertical, swapped as the bar always passes it: the second colour at the top.
    DrawGradient(c.dc(), 10, 10, 4, 2, 0x0000FF, 0x00FF00, 3, true);
    EXPECT_EQ(c.at(10, 10), 0x00FF00u);
    EXPECT_EQ(c.at(13, 11), 0x0000FFu);
    EXPECT_EQ(c.at(14, 11), Blue);

    // Mirrored over width 10: halves of 5 at x and x + 4, the first colour at both sides.
    Canvas m;
    DrawGradient(m.dc(), 20, 0, 10, 1, 0, 0xFFFFFF, 2, false);
    EXPECT_EQ(m.at(20, 0), grey(0));
    EXPECT_EQ(m.at(24, 0), grey(255));
    EXPECT_EQ(m.at(28, 0), grey(0));
    EXPECT_EQ(m.at(29, 0), Blue); // the halves overlap by one pixel

    // Type 0 draws nothing, an unknown type paints black.
    DrawGradient(m.dc(), 0, 5, 5, 5, 0, White, 0, true);
    EXPECT_EQ(m.at(2, 7), Blue);
    DrawGradient(m.dc(), 0, 5, 5, 5, 0x123456, White, 9, true);
    EXPECT_EQ(m.at(2, 7), 0u);
}

TEST(ToolBarRaster, EqualColoursFillASolidRectangle) {
    for (uint32_t colour : {0x3366CCu, 0x8000000Fu, 0x80000005u}) {
        Canvas c;
        DrawGradient(c.dc(), 5, 6, 4, 3, static_cast<long>(colour), static_cast<long>(colour), 3, true);
        const uint32_t expected =
            colour & 0x80000000u ? GetSysColor(static_cast<int>(colour & 0xFF)) : colour;
        for (auto [x, y] : {std::pair{5, 6}, {8, 6}, {5, 8}, {8, 8}, {6, 7}})
            EXPECT_EQ(c.at(x, y), expected) << std::hex << colour << " at " << x << "," << y;
        EXPECT_EQ(c.at(9, 6), Blue);
        EXPECT_EQ(c.at(5, 9), Blue);
    }
}

TEST(ToolBarRaster, GreyScaleOfAMaskedIconKeepsItsBackground) {
    // Red where the mask is clear (the right half), transparent on the left.
    HBITMAP colour = solidBitmap(16, 16, RGB(255, 0, 0));
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ was = SelectObject(dc, colour);
        RECT left{0, 0, 8, 16};
        FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(dc, was);
        DeleteDC(dc);
    }
    std::vector<WORD> maskRows(16, 0);
    for (WORD& row : maskRows) row = 0x00FF; // first byte of each row: the left 8 pixels transparent
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskRows.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    ASSERT_TRUE(icon);

    Canvas c;
    EXPECT_TRUE(widgets::toolbar::PaintGrayScale(c.dc(), icon, 2, 3, -1, -1));
    EXPECT_EQ(c.at(2, 3), Blue);  // transparent
    EXPECT_EQ(c.at(9, 18), Blue); // transparent, last row
    EXPECT_EQ(c.at(10, 3), grey(85));
    EXPECT_EQ(c.at(17, 18), grey(85)); // the last pixel
    EXPECT_EQ(c.at(18, 18), Blue);
    DestroyIcon(icon);
}

TEST(ToolBarRaster, GreyScaleOfABitmapWithPaddedRows) {
    HBITMAP bitmap = solidBitmap(15, 4, RGB(30, 60, 90));
    Canvas c;
    EXPECT_TRUE(widgets::toolbar::PaintGrayScale(c.dc(), bitmap, 1, 1, -1, -1));
    for (int y = 1; y <= 4; ++y)
        for (int x = 1; x <= 15; ++x) ASSERT_EQ(c.at(x, y), grey(60)) << x << "," << y;
    EXPECT_EQ(c.at(16, 1), Blue);
    // Stretched to the size asked for.
    EXPECT_TRUE(widgets::toolbar::PaintGrayScale(c.dc(), bitmap, 0, 10, 30, 8));
    EXPECT_EQ(c.at(29, 17), grey(60));
    DeleteObject(bitmap);
}

TEST(ToolBarRaster, TilesStartAtTheRectanglesCorner) {
    // Two columns: white, then black.
    HBITMAP bitmap = solidBitmap(2, 1, RGB(255, 255, 255));
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ was = SelectObject(dc, bitmap);
        SetPixel(dc, 1, 0, RGB(0, 0, 0));
        SelectObject(dc, was);
        DeleteDC(dc);
    }
    auto picture = forms::StdPicture::fromBitmap(bitmap);
    Canvas c;
    EXPECT_FALSE(widgets::toolbar::TilePicture(picture.get(), c.dc(), 3, 5, 10, 8));
    EXPECT_EQ(c.at(3, 5), White);
    EXPECT_EQ(c.at(4, 5), 0u);
    EXPECT_EQ(c.at(5, 7), White);
    EXPECT_EQ(c.at(8, 7), 0u);
    EXPECT_EQ(c.at(10, 7), Blue);
    EXPECT_EQ(c.at(3, 8), Blue);

    // An icon, or no picture, tiles nothing.
    auto icon = forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_INFORMATION));
    Canvas d;
    widgets::toolbar::TilePicture(icon.get(), d.dc(), 0, 0, 40, 30);
    widgets::toolbar::TilePicture(nullptr, d.dc(), 0, 0, 40, 30);
    EXPECT_EQ(d.at(20, 15), Blue);
}

} // namespace
