#include "platform/core/constants.h"
#include "platform/forms/color.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include "support/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace forms;

namespace {

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t red = 0x0000FF;
constexpr uint32_t green = 0x00FF00;
constexpr uint32_t blue = 0xFF0000;

// A white surface, black ForeColor, Tahoma 8.25.
struct FormsSurface : testing::Test {
    Surface s{40, 30};
    FormsSurface() {
        s.setBackColor(white);
        s.setForeColor(0);
        s.setFont(StdFont::create(L"Tahoma", 8.25));
    }
    int count(uint32_t colour) const {
        int n = 0;
        for (int y = 0; y < s.heightPixels(); ++y)
            for (int x = 0; x < s.widthPixels(); ++x) n += s.pixel(x, y) == colour;
        return n;
    }
    // Pixels that are not white in a rectangle.
    int ink(int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += s.pixel(x, y) != white;
        return n;
    }
};

using testsupport::errorOf;

} // namespace

TEST(FormsSurfaceStart, NewSurfaceHasTheButtonFaceAndPixelScale) {
    Surface s(20, 10);
    EXPECT_EQ(s.BackColor(), systemColour(COLOR_BTNFACE));
    EXPECT_EQ(s.ForeColor(), systemColour(COLOR_BTNTEXT));
    EXPECT_EQ(s.FillStyle(), 1);
    EXPECT_EQ(s.DrawWidth(), 1);
    EXPECT_TRUE(s.FontTransparent());
    EXPECT_EQ(s.pixel(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(s.pixel(19, 9), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(s.pixel(20, 0), Surface::defaultColour);
    EXPECT_FLOAT_EQ(s.ScaleWidth(), 20);
    EXPECT_FLOAT_EQ(s.ScaleHeight(), 10);
    s.setScaleMode(core::scale::Twips);
    EXPECT_FLOAT_EQ(s.ScaleWidth(), 300);
    EXPECT_FLOAT_EQ(s.ScaleHeight(), 150);
    EXPECT_FLOAT_EQ(s.ScaleY(2540, core::scale::Himetric, core::scale::Pixels), 96);
    Surface none;
    EXPECT_EQ(none.pixels(), nullptr);
    EXPECT_FLOAT_EQ(none.ScaleWidth(), 0);
}

TEST_F(FormsSurface, LineLeavesOutItsEndPoint) {
    s.Line(2, 5, 8, 5, red);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(s.pixel(x, 5), red) << x;
    EXPECT_EQ(s.pixel(8, 5), white);
    EXPECT_EQ(s.pixel(1, 5), white);
    EXPECT_FLOAT_EQ(s.CurrentX(), 8);
    EXPECT_FLOAT_EQ(s.CurrentY(), 5);
    s.Line(0, 0, 0, 3); // no colour: ForeColor
    EXPECT_EQ(s.pixel(0, 2), 0u);
    EXPECT_EQ(s.pixel(0, 3), white);
}

TEST_F(FormsSurface, BoxIncludesBothCornersAndFilledBoxUsesTheLineColour) {
    s.Line(2, 2, 6, 5, blue, LineShape::Box);
    EXPECT_EQ(s.pixel(2, 2), blue);
    EXPECT_EQ(s.pixel(6, 5), blue);
    EXPECT_EQ(s.pixel(6, 2), blue);
    EXPECT_EQ(s.pixel(2, 5), blue);
    EXPECT_EQ(s.pixel(4, 3), white); // hollow by default
    EXPECT_EQ(s.pixel(7, 5), white);
    EXPECT_EQ(count(blue), 2 * 5 + 2 * 2);

    s.setFillStyle(0);
    s.setFillColor(green);
    s.Line(10, 10, 14, 14, red, LineShape::Box); // a box is filled by FillStyle and FillColor
    EXPECT_EQ(s.pixel(10, 10), red);
    EXPECT_EQ(s.pixel(12, 12), green);

    s.Line(24, 24, 20, 20, red, LineShape::FilledBox); // corners in any order
    for (int y = 20; y <= 24; ++y)
        for (int x = 20; x <= 24; ++x) EXPECT_EQ(s.pixel(x, y), red);
    EXPECT_EQ(s.pixel(25, 24), white);
    EXPECT_EQ(s.pixel(24, 25), white);
}

TEST_F(FormsSurface, BackColorErasesAndClsResetsThePosition) {
    s.Line(0, 0, 10, 10, red);
    s.setBackColor(green);
    EXPECT_EQ(count(green), 40 * 30);
    s.PSet(3, 3, red);
    s.setCurrentX(7);
    s.Cls();
    EXPECT_EQ(count(green), 40 * 30);
    EXPECT_FLOAT_EQ(s.CurrentX(), 0);
    EXPECT_FLOAT_EQ(s.CurrentY(), 0);
    s.setBackColor(systemColour(COLOR_WINDOW));
    EXPECT_EQ(s.pixel(5, 5), GetSysColor(COLOR_WINDOW));
}

TEST_F(FormsSurface, PSetHonoursDrawWidth) {
    s.PSet(5, 5, red);
    EXPECT_EQ(count(red), 1);
    EXPECT_EQ(s.pixel(5, 5), red);
    s.setDrawWidth(3);
    s.PSet(20, 20, blue);
    for (int y = 19; y <= 21; ++y)
        for (int x = 19; x <= 21; ++x) EXPECT_EQ(s.pixel(x, y), blue) << x << "," << y;
    EXPECT_EQ(count(blue), 9);
    EXPECT_FLOAT_EQ(s.CurrentX(), 20);
    s.PSet(0, 0, blue); // clipped at the edge, no stray writes
    EXPECT_EQ(count(blue), 13);
    EXPECT_EQ(s.Point(0, 0), static_cast<int32_t>(blue));
    EXPECT_EQ(s.Point(-1, 0), -1);
    EXPECT_EQ(s.Point(40, 0), -1);
}

TEST_F(FormsSurface, EvenDrawWidthsReachUpAndLeft) {
    // Width 2 covers x - 1..x and y - 1..y; width 4 is a round dot over x - 2..x + 1.
    s.setDrawWidth(2);
    s.PSet(10, 10, red);
    for (int y = 9; y <= 10; ++y)
        for (int x = 9; x <= 10; ++x) EXPECT_EQ(s.pixel(x, y), red) << x << "," << y;
    EXPECT_EQ(count(red), 4);
    s.setDrawWidth(4);
    s.PSet(30, 20, blue);
    EXPECT_EQ(count(blue), 12);
    for (int y = 18; y <= 21; ++y)
        for (int x = 28; x <= 31; ++x) {
            const bool corner = (x == 28 || x == 31) && (y == 18 || y == 21);
            EXPECT_EQ(s.pixel(x, y) == blue, !corner) << x << "," << y;
        }
}

TEST_F(FormsSurface, PrintAdvancesCurrentY) {
    float line = s.TextHeight(L"A");
    ASSERT_GT(line, 8);
    s.setCurrentX(3);
    s.Print(L"Ag");
    EXPECT_FLOAT_EQ(s.CurrentX(), 0);
    EXPECT_FLOAT_EQ(s.CurrentY(), line);
    EXPECT_GT(ink(3, 0, 40, static_cast<int>(line)), 5);
    EXPECT_EQ(ink(0, 0, 3, 30), 0); // starts at CurrentX
    s.Print(L"A", true);            // the trailing semicolon: stays on the line
    EXPECT_FLOAT_EQ(s.CurrentX(), s.TextWidth(L"A"));
    EXPECT_FLOAT_EQ(s.CurrentY(), line);
    s.Print(L"a\r\nb");
    EXPECT_FLOAT_EQ(s.CurrentY(), 3 * line);
}

TEST_F(FormsSurface, PrintInTwipsAndOnABackground) {
    float pixels = s.TextHeight(L"A");
    s.setScaleMode(core::scale::Twips);
    float line = s.TextHeight(L"A");
    EXPECT_FLOAT_EQ(line, pixels * Surface::twipsPerPixel());
    s.setCurrentY(150); // 10 pixels
    s.Print(L"W");
    EXPECT_FLOAT_EQ(s.CurrentY(), 150 + line);
    EXPECT_EQ(ink(0, 0, 40, 10), 0);
    s.setScaleMode(core::scale::Pixels);
    s.setFontTransparent(false);
    s.setBackColor(green);
    s.setCurrentY(0);
    s.Print(L"i");
    // the text box is filled with BackColor, which is green here; the ink is ForeColor
    EXPECT_EQ(s.pixel(0, 0), green);
    EXPECT_GT(count(0), 0);
}

TEST_F(FormsSurface, TextSizeOfSeveralLines) {
    float shortLine = s.TextWidth(L"ab");
    float longLine = s.TextWidth(L"abcdefgh");
    ASSERT_GT(longLine, shortLine);
    EXPECT_FLOAT_EQ(s.TextWidth(L"ab\r\nabcdefgh"), longLine);
    EXPECT_FLOAT_EQ(s.TextWidth(L"abcdefgh\nab"), longLine);
    EXPECT_FLOAT_EQ(s.TextHeight(L"ab\r\nabcdefgh"), 2 * s.TextHeight(L"ab"));
    EXPECT_FLOAT_EQ(s.TextHeight(L""), s.TextHeight(L"A"));
    EXPECT_FLOAT_EQ(s.TextWidth(L""), 0);
    s.setScaleMode(core::scale::Twips);
    EXPECT_FLOAT_EQ(s.TextWidth(L"ab"), shortLine * Surface::twipsPerPixel());
}

TEST_F(FormsSurface, FollowsChangesOfItsSharedFont) {
    auto font = StdFont::create(L"Tahoma", 8.25);
    s.setFont(font);
    float before = s.TextHeight(L"A");
    HDC dc = s.hDC();  // kept by the caller
    font->setSize(20); // a control changes its font object
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics); // the DC follows before any surface method runs
    EXPECT_GT(static_cast<float>(metrics.tmHeight), before + 5);
    EXPECT_FLOAT_EQ(static_cast<float>(metrics.tmHeight), s.TextHeight(L"A"));
    s.Print(L"A");
    EXPECT_GT(s.CurrentY(), before + 5);
    EXPECT_EQ(errorOf([&] { s.setFont(nullptr); }), 380);
}

TEST_F(FormsSurface, PaintPictureOfABitmapNaturalAndStretched) {
    auto picture = std::make_unique<Surface>(4, 2);
    picture->setBackColor(red);
    picture->PSet(3, 1, blue);
    auto image = picture->Image();
    ASSERT_EQ(image->Type(), PictureType::Bitmap);
    EXPECT_EQ(image->widthPixels(), 4);
    picture.reset(); // the snapshot does not depend on its surface
    s.PaintPicture(*image, 1, 1);
    EXPECT_EQ(s.pixel(1, 1), red);
    EXPECT_EQ(s.pixel(4, 2), blue);
    EXPECT_EQ(s.pixel(5, 1), white);
    EXPECT_EQ(s.pixel(1, 3), white);
    s.PaintPicture(*image, 10, 10, 8.0f, 4.0f); // doubled
    EXPECT_EQ(s.pixel(10, 10), red);
    EXPECT_EQ(s.pixel(16, 12), blue);
    EXPECT_EQ(s.pixel(17, 13), blue);
    EXPECT_EQ(s.pixel(18, 13), white);
    s.PaintPicture(*image, 30, 0, {}, {}, 3.0f, 1.0f, 1.0f, 1.0f); // one source pixel
    EXPECT_EQ(s.pixel(30, 0), blue);
    EXPECT_EQ(s.pixel(31, 0), white);
    s.PaintPicture(*StdPicture::empty(), 0, 0); // nothing
    EXPECT_EQ(s.pixel(0, 0), white);
}

TEST_F(FormsSurface, PaintPictureOfAnIconKeepsItsTransparentPart) {
    // 8 x 8 icon: the left half opaque red, the right half transparent.
    uint8_t maskBits[8 * 2];
    for (int y = 0; y < 8; ++y) maskBits[y * 2] = 0x0F, maskBits[y * 2 + 1] = 0; // 1 = transparent
    GdiBitmap mask(CreateBitmap(8, 8, 1, 1, maskBits));
    Surface colourImage(8, 8);
    colourImage.setBackColor(0);
    colourImage.Line(0, 0, 3, 7, red, LineShape::FilledBox);
    auto colour = colourImage.Image();
    ICONINFO info{TRUE, 0, 0, mask.get(), colour->hBitmap()};
    auto icon = StdPicture::fromIcon(CreateIconIndirect(&info));
    ASSERT_EQ(icon->Type(), PictureType::Icon);
    ASSERT_EQ(icon->widthPixels(), 8);
    s.setBackColor(green);
    s.PaintPicture(*icon, 2, 2);
    EXPECT_EQ(s.pixel(2, 2), red);
    EXPECT_EQ(s.pixel(5, 9), red);
    EXPECT_EQ(s.pixel(6, 2), green);
    EXPECT_EQ(s.pixel(9, 9), green);
    s.PaintPicture(*icon, 20, 0, 16.0f, 16.0f); // stretched
    EXPECT_EQ(s.pixel(27, 15), red);
    EXPECT_EQ(s.pixel(28, 0), green);
    s.PaintPicture(*icon, 0, 20, {}, {}, 2.0f, 0.0f, 4.0f, 8.0f); // a part: two red, two clear columns
    EXPECT_EQ(s.pixel(1, 20), red);
    EXPECT_EQ(s.pixel(2, 20), green);
}

TEST_F(FormsSurface, ResizeKeepsTheImage) {
    s.PSet(1, 1, red);
    s.PSet(39, 29, blue);
    s.resize(60, 50);
    EXPECT_EQ(s.widthPixels(), 60);
    EXPECT_EQ(s.pixel(1, 1), red);
    EXPECT_EQ(s.pixel(39, 29), blue);
    EXPECT_EQ(s.pixel(59, 49), white);
    EXPECT_EQ(s.pixel(50, 10), white);
    EXPECT_EQ(s.pixel(10, 45), white);
    s.resize(20, 20); // shrink then grow: the cut part comes back as back colour
    s.resize(60, 50);
    EXPECT_EQ(s.pixel(1, 1), red);
    EXPECT_EQ(s.pixel(39, 29), white);
}

TEST_F(FormsSurface, HdcDrawsWithForeColorPenAndHollowBrush) {
    s.setForeColor(red);
    HDC dc = s.hDC();
    Rectangle(dc, 2, 2, 10, 10);
    EXPECT_EQ(s.pixel(2, 2), red);
    EXPECT_EQ(s.pixel(9, 9), red);
    EXPECT_EQ(s.pixel(5, 5), white);
    s.setFillStyle(0);
    s.setFillColor(blue);
    s.setDrawWidth(1);
    Rectangle(s.hDC(), 12, 2, 20, 10);
    EXPECT_EQ(s.pixel(15, 5), blue);
    // text: ForeColor, no background box
    s.setBackColor(green);
    TextOutW(s.hDC(), 0, 0, L"W", 1);
    GdiFlush();
    EXPECT_GT(count(red), 0);
    EXPECT_EQ(count(white), 0);
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(s.hDC(), OBJ_FONT), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
}

TEST_F(FormsSurface, PictureIsTheBackgroundOfCls) {
    Surface source(5, 5);
    source.setBackColor(red);
    s.setPicture(source.Image());
    EXPECT_EQ(s.pixel(4, 4), red);
    EXPECT_EQ(s.pixel(5, 5), white);
    s.Line(0, 0, 10, 10, blue, LineShape::FilledBox);
    s.Cls();
    EXPECT_EQ(s.pixel(0, 0), red);
    EXPECT_EQ(s.pixel(6, 6), white);
    s.resize(50, 40); // a picture wider than the old size would show in the new area too
    EXPECT_EQ(s.pixel(45, 35), white);
    s.setPicture(nullptr);
    EXPECT_EQ(s.pixel(0, 0), white);
}

TEST_F(FormsSurface, CircleOutlineAndFill) {
    s.Circle(15, 15, 8, red);
    EXPECT_EQ(s.pixel(15, 7), red);
    EXPECT_EQ(s.pixel(23, 15), red);
    EXPECT_EQ(s.pixel(15, 15), white);
    EXPECT_EQ(s.pixel(7, 7), white);
    s.setFillStyle(0);
    s.setFillColor(blue);
    s.Circle(15, 15, 4, red);
    EXPECT_EQ(s.pixel(15, 15), blue);
    EXPECT_EQ(s.pixel(15, 11), red);
}

TEST_F(FormsSurface, OwnerHearsOfEveryChange) {
    int changes = 0;
    s.onChanged = [&] { ++changes; };
    s.Line(0, 0, 5, 5);
    s.PSet(1, 1);
    s.Print(L"x");
    s.Cls();
    s.hDC();
    s.Refresh();
    s.resize(10, 10);
    EXPECT_EQ(changes, 7);
}

TEST_F(FormsSurface, RejectsInvalidPropertyValues) {
    EXPECT_EQ(errorOf([&] { s.setDrawWidth(0); }), 380);
    EXPECT_EQ(errorOf([&] { s.setFillStyle(8); }), 380);
    EXPECT_EQ(errorOf([&] { s.setScaleMode(2); }), 380);
    EXPECT_EQ(errorOf([&] { s.setBackColor(0x800000FF); }), 380);
    EXPECT_EQ(s.BackColor(), white);
    EXPECT_EQ(s.pixel(0, 0), white);
}

TEST(FormsSurfaceLifetime, ReplacedAndFinalObjectsAreDeleted) {
    auto font = StdFont::create(L"Tahoma", 9);
    HGDIOBJ firstPen, firstBitmap, lastPen, lastBrush, lastBitmap;
    HDC dc;
    {
        Surface s(30, 20);
        s.setFont(font);
        dc = s.hDC();
        firstPen = GetCurrentObject(dc, OBJ_PEN);
        firstBitmap = GetCurrentObject(dc, OBJ_BITMAP);
        s.setForeColor(0xFF); // a new pen; the old one is gone
        s.setFillStyle(0);
        s.setFillColor(0xFF00);
        s.resize(40, 30); // a new bitmap; the old one is gone
        EXPECT_EQ(GetObjectType(firstPen), 0u);
        EXPECT_EQ(GetObjectType(firstBitmap), 0u);
        lastPen = GetCurrentObject(dc, OBJ_PEN);
        lastBrush = GetCurrentObject(dc, OBJ_BRUSH);
        lastBitmap = GetCurrentObject(dc, OBJ_BITMAP);
        EXPECT_NE(GetObjectType(lastPen), 0u);
        EXPECT_NE(GetObjectType(lastBrush), 0u);
    }
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(lastPen), 0u);
    EXPECT_EQ(GetObjectType(lastBrush), 0u);
    EXPECT_EQ(GetObjectType(lastBitmap), 0u);
    EXPECT_NE(GetObjectType(font->hFont()), 0u); // the font belongs to the font object
    font->setBold(true);                         // the surface that followed it is gone: nothing to tell
    EXPECT_TRUE(font->Bold());
}

TEST_F(FormsSurface, PaintCopiesTheAskedPartOfTheImageOnly) {
    s.setBackColor(red);
    Surface target(60, 60);
    target.setBackColor(green);
    RECT area{30, 20, 100, 100}; // larger than the image (40 x 30)
    s.paint(target.hDC(), &area);
    EXPECT_EQ(target.pixel(30, 20), red);
    EXPECT_EQ(target.pixel(39, 29), red);
    EXPECT_EQ(target.pixel(29, 20), green); // outside the area
    EXPECT_EQ(target.pixel(40, 20), green); // outside the image
    EXPECT_EQ(target.pixel(30, 30), green);
    s.paint(target.hDC());
    EXPECT_EQ(target.pixel(0, 0), red);
    EXPECT_EQ(target.pixel(45, 0), green);
}
