#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/caption_button/button_kdq.h"
#include "widgets/caption_button/button_kdq_paint.h"

using namespace widgets;

namespace {

constexpr COLORREF kBack = RGB(10, 20, 30);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A memory surface to paint a button on, and a picture to paint with it.
struct Canvas {
    forms::Surface surface;
    ButtonLook look;
    ButtonState state;
    Canvas(int w, int h) : surface(w, h) {
        look.Caption = L"";
        surface.setFont(forms::StdFont::create(L"Tahoma", 9));
    }
    ButtonPainter painter() {
        return ButtonPainter(surface.hDC(), surface.widthPixels(), surface.heightPixels(), look, state);
    }
    void paint(const ButtonPictureSource& picture = {}, const std::wstring& caption = L"") {
        painter().Redraw(kBack, picture, caption);
        GdiFlush();
    }
    COLORREF at(int x, int y) const { return surface.pixel(x, y); }
    int count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < surface.heightPixels(); ++y)
            for (int x = 0; x < surface.widthPixels(); ++x) n += surface.pixel(x, y) == c;
        return n;
    }
};

// A bitmap of the given size, white with a red square in its middle half, selected in its own DC.
struct Picture {
    forms::MemoryDC dc = forms::MemoryDC::compatibleWith(nullptr);
    forms::Surface image;
    Picture(int w, int h) : image(w, h) {
        image.setBackColor(kWhite);
        image.Line(float(w / 4), float(h / 4), float(3 * w / 4 - 1), float(3 * h / 4 - 1), kRed,
                   forms::LineShape::FilledBox);
        GdiFlush();
    }
    ButtonPictureSource source() {
        ButtonPictureSource s;
        s.bitmap = HBITMAP(GetCurrentObject(image.hDC(), OBJ_BITMAP));
        s.dc = image.hDC();
        s.width = image.widthPixels();
        s.height = image.heightPixels();
        return s;
    }
};

TEST(ButtonPaint, FacePaletteAndMirrorsPerLook) {
    struct Case {
        int look, mouse;
        bool focus;
        COLORREF p1, p2, p5, p6, p9, p13, row3;
    };
    const Case cases[] = {
        {0, 0, false, RGB(168, 183, 202), RGB(84, 115, 150), RGB(43, 79, 130), RGB(213, 222, 236),
         RGB(144, 168, 205), RGB(249, 253, 255), RGB(243, 248, 255)},
        {1, 0, true, RGB(168, 183, 202), RGB(45, 86, 176), RGB(45, 86, 176), RGB(139, 192, 234),
         RGB(63, 109, 177), RGB(163, 185, 224), RGB(243, 248, 255)},
        {2, 2, false, RGB(168, 183, 202), RGB(84, 115, 150), RGB(43, 79, 130), RGB(245, 232, 169),
         RGB(218, 121, 38), RGB(239, 207, 134), RGB(243, 248, 255)},
        // Pressed: no inner ramps and no row 3 of its own; row 2 is p17, row 3 the top band.
        {3, 3, false, RGB(168, 183, 202), RGB(84, 115, 150), RGB(43, 79, 130), RGB(213, 222, 236),
         RGB(249, 253, 255), RGB(119, 146, 186), 0},
    };
    for (const Case& c : cases) {
        Canvas cv(60, 30);
        cv.state.MouseState = c.mouse;
        cv.state.HasFocus = c.focus;
        ASSERT_EQ(cv.state.look(), c.look);
        cv.paint();
        SCOPED_TRACE(c.look);
        for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 29}, {59, 29}}) EXPECT_EQ(cv.at(x, y), c.p1);
        EXPECT_EQ(cv.at(1, 0), c.p2);
        EXPECT_EQ(cv.at(58, 29), c.p2) << "mirror of (1, 0)";
        EXPECT_EQ(cv.at(10, 0), c.p5);
        EXPECT_EQ(cv.at(10, 29), c.p5);
        EXPECT_EQ(cv.at(57, 0), c.p5) << "the border ends before SW - 2";
        EXPECT_EQ(cv.at(10, 1), c.p6);
        EXPECT_EQ(cv.at(10, 28), c.p9);
        EXPECT_EQ(cv.at(10, 2), c.p13) << "row 2";
        if (c.row3) {
            EXPECT_EQ(cv.at(10, 3), c.row3);
        }
    }
    // Rows 2 and SH - 3 of the focused look come from its own entries.
    Canvas cv(60, 30);
    cv.state.HasFocus = true;
    cv.paint();
    EXPECT_EQ(cv.at(10, 27), RGB(94, 129, 188));
    EXPECT_EQ(cv.at(1, 2), RGB(113, 161, 217)) << "outer ramp starts at p7";
    EXPECT_EQ(cv.at(2, 2), RGB(163, 185, 224)) << "inner ramp starts at p10";
}

TEST(ButtonPaint, NoFaceDisabledFaceAndLowButtons) {
    Canvas none(60, 30);
    none.look.ButtonStyle = 1;
    none.paint({}, L"Ok");
    EXPECT_EQ(none.at(0, 0), kBack);
    EXPECT_EQ(none.at(10, 1), kBack);
    EXPECT_EQ(none.at(10, 15) == kBack || none.count(kBack) > 60 * 30 / 2, true);

    Canvas off(80, 30);
    off.look.Enabled = false;
    off.look.Forecolor = kRed;
    off.look.ShadowColor = RGB(0, 0, 255);
    off.paint({}, L"Disabled");
    EXPECT_EQ(off.at(0, 0), RGB(228, 233, 238));
    EXPECT_EQ(off.at(79, 29), RGB(228, 233, 238));
    EXPECT_EQ(off.at(10, 0), RGB(198, 197, 201));
    EXPECT_EQ(off.at(79, 10), RGB(198, 197, 201));
    EXPECT_EQ(off.at(3, 3), kWhite) << "filled white";
    EXPECT_GT(off.count(0xC0C0C0), 0) << "grey caption";
    EXPECT_GT(off.count(0xE0E0E0), 0) << "light shadow";
    EXPECT_EQ(off.count(kRed) + off.count(RGB(0, 0, 255)), 0) << "its own colours are not used";

    // 16 pixels high: no middle band, the bottom band starts at row 7.
    Canvas low(40, 16);
    low.paint();
    EXPECT_EQ(low.at(10, 7), RGB(208, 220, 235));
    EXPECT_EQ(low.at(10, 2), RGB(249, 253, 255));
}

TEST(ButtonPaint, PicturePlaceAndPressedOffset) {
    Picture pic(16, 16);
    Canvas cv(80, 40);
    cv.look.PictureSize = buttonPicture::Size16;
    cv.look.TransPicture = false;
    cv.paint(pic.source());
    // PicTop = (40 - 16) / 2 = 12; the red square is the picture's middle half.
    EXPECT_EQ(cv.at(7, 12), kWhite);
    EXPECT_EQ(cv.at(6, 12) == kWhite, false);
    EXPECT_EQ(cv.at(11, 16), kRed);
    cv.state.MouseState = buttonMouse::Pressed;
    cv.paint(pic.source());
    EXPECT_EQ(cv.at(8, 13), kWhite);
    EXPECT_EQ(cv.at(12, 17), kRed);
    EXPECT_NE(cv.at(7, 12), kWhite);
    cv.state.MouseState = buttonMouse::Normal;
    cv.paint(pic.source());
    EXPECT_EQ(cv.at(7, 12), kWhite);

    // A kept position (AlignmentPicture 5) does not drift over pressed repaints.
    Canvas kept(80, 40);
    kept.look.PictureSize = buttonPicture::Size16;
    kept.look.AlignmentPicture = 5;
    kept.look.TransPicture = false;
    kept.state.PicLeft = 20;
    kept.state.PicTop = 10;
    kept.state.MouseState = buttonMouse::Pressed;
    for (int i = 0; i < 10; ++i) kept.paint(pic.source());
    EXPECT_EQ(kept.state.PicLeft, 20);
    EXPECT_EQ(kept.at(21, 11), kWhite);
    EXPECT_EQ(kept.at(25, 15), kRed);

    // The key colour is left out only when asked for; off, white is drawn.
    Canvas keyed(80, 40);
    keyed.look.ButtonStyle = 1;
    keyed.look.PictureSize = buttonPicture::Size16;
    keyed.look.TransColor = kWhite;
    keyed.paint(pic.source());
    EXPECT_EQ(keyed.at(7, 12), kBack);
    EXPECT_EQ(keyed.at(11, 16), kRed);
    keyed.look.TransPicture = false;
    keyed.paint(pic.source());
    EXPECT_EQ(keyed.at(7, 12), kWhite);

    // Fitted: 100 x 50 into 94 x 64 less the margins.
    Picture wide(100, 50);
    Canvas fitted(94, 64);
    fitted.look.PictureSize = buttonPicture::Fitted;
    fitted.look.AlignmentPicture = buttonPicture::Centre;
    fitted.paint(wide.source());
    EXPECT_EQ(fitted.state.PicWidth, 80);
    EXPECT_EQ(fitted.state.PicHeight, 40);
}

TEST(ButtonPaint, IconsAreDrawnAsIcons) {
    // Left half opaque red, right half see-through.
    std::vector<std::uint32_t> colour(16 * 16, 0);
    for (size_t i = 0; i < colour.size(); ++i)
        if (i % 16 < 8) colour[i] = 0x00FF0000;
    std::vector<std::uint16_t> mask(16, 0xFF00); // 16-bit rows, first byte the left 8 pixels: 0 is opaque
    HBITMAP colourBmp = CreateBitmap(16, 16, 1, 32, colour.data());
    HBITMAP maskBmp = CreateBitmap(16, 16, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, maskBmp, colourBmp};
    auto icon = forms::StdPicture::fromIcon(CreateIconIndirect(&info));
    DeleteObject(colourBmp);
    DeleteObject(maskBmp);
    Canvas cv(80, 40);
    cv.look.ButtonStyle = 1;
    cv.look.PictureSize = buttonPicture::Size16;
    ButtonPictureSource src;
    src.isIcon = true;
    src.icon = icon->hIcon();
    src.width = src.height = 16;
    cv.paint(src);
    EXPECT_EQ(cv.at(8, 14), kRed);
    EXPECT_EQ(cv.at(20, 14), kBack) << "the icon's mask applies";
}

TEST(ButtonPaint, SignPicAndPixelRoutines) {
    struct Case {
        int ws, hs, wd, hd, w, h;
    };
    const Case cases[] = {{100, 50, 80, 50, 80, 40}, {50, 100, 80, 50, 25, 50},
                          {5, 2, 100, 1, 2, 1},      {0, 50, 80, 50, 0, 0},
                          {50, 0, 80, 50, 0, 0},     {60000, 60000, 70000, 70000, 70000, 70000}};
    for (const Case& c : cases) {
        std::int32_t w = -1, h = -1;
        Button_KDQ::SignPic(c.ws, c.hs, c.wd, c.hd, w, h);
        EXPECT_EQ(w, c.w) << c.ws << "x" << c.hs;
        EXPECT_EQ(h, c.h) << c.ws << "x" << c.hs;
    }

    Canvas cv(20, 10);
    cv.look.ButtonStyle = 1;
    cv.paint();
    ButtonPainter p = cv.painter();
    p.PSetR(2, 3, kRed);
    p.LineXG(1, 8, 6, kRed, RGB(0, 0, 255));
    p.LineYG(15, 1, 5, RGB(0, 255, 0), RGB(0, 0, 255));
    GdiFlush();
    for (auto [x, y] : {std::pair{2, 3}, {17, 3}, {2, 6}, {17, 6}})
        EXPECT_EQ(cv.at(x, y), kRed) << x << "," << y;
    EXPECT_EQ(cv.at(1, 8), kRed);
    EXPECT_NE(cv.at(5, 8), kBack);
    EXPECT_EQ(cv.at(6, 8), kBack) << "the end is left out";
    EXPECT_EQ(cv.at(15, 1), RGB(0, 255, 0));
    EXPECT_NE(cv.at(15, 4), kBack);
    EXPECT_EQ(cv.at(15, 5), kBack);
}

TEST(ButtonPaint, TheConstituentPictureIsNeverDrawnOn) {
    Button_KDQ::registerType();
    class Host : public forms::Form {
    public:
        Host() {
            setBorderStyle(0);
            setNoActivate(true);
            setClientSize(200 * 15, 100 * 15);
        }
    };
    auto form = std::make_shared<Host>();
    form->load();
    form->Show();
    auto b = forms::placeControl<Button_KDQ>(*form, L"b", 0, 0, 120 * 15, 40 * 15);
    Picture pic(24, 24);
    b->setPicture(pic.image.Image());
    b->setCaption(L"Measured caption that wraps over two lines");
    forms::Surface& src = b->PSrc()->surface();
    GdiFlush();
    const std::vector<std::uint32_t> before(src.pixels(), src.pixels() + 24 * 24);
    for (int i = 0; i < 5; ++i) b->setShadow(i % 2 == 0);
    GdiFlush();
    EXPECT_EQ(std::vector<std::uint32_t>(src.pixels(), src.pixels() + 24 * 24), before);
    EXPECT_EQ(src.widthPixels(), 24);
    b->unload();
    form->Unload();
}

} // namespace
