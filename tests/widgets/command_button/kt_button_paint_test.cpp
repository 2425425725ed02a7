#include "kt_button_test_support.h"

#include "platform/core/constants.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/command_button/kt_button_paint.h"

#include <cstdlib>
#include <vector>

namespace {

using namespace widgets;
using widgets::ktbutton::NoColour;

constexpr std::uint32_t grey(int v) {
    return static_cast<std::uint32_t>(v | (v << 8) | (v << 16));
}
constexpr std::uint32_t Red = 0x000000FF, Blue = 0x00FF0000, Green = 0x0000FF00;

// A memory surface with the painter's inputs; captions are empty unless a test sets one.
struct Canvas {
    forms::Surface surface;
    KtButtonLook look;
    KtButtonState state;
    KtButtonCache cache;
    explicit Canvas(int w = 75, int h = 23, std::int32_t style = 6, std::uint32_t back = grey(128))
        : surface(w, h) {
        look.ButtonStyle = style;
        look.BackColor = back;
        look.Forecolor = 0;
        look.Caption.clear();
        state.parentActive = true;
        colours();
    }
    void colours() {
        ktbutton::SetColors(cache.P, look.ButtonStyle, look.BackColor, look.Forecolor, look.MaskColor);
    }
    KtButtonPainter painter() {
        return KtButtonPainter(surface.hDC(), surface.widthPixels(), surface.heightPixels(), look, state,
                               cache);
    }
    long paint(long requested) {
        look.State = static_cast<std::int32_t>(requested);
        cache.layoutDirty = true;
        auto p = painter();
        p.Cls();
        long drawn = requested;
        p.paint(drawn);
        GdiFlush();
        return drawn;
    }
    std::uint32_t at(int x, int y) const { return surface.pixel(x, y); }
    int W() const { return surface.widthPixels(); }
    int H() const { return surface.heightPixels(); }
    // Where a colour first shows, scanning rows.
    POINT find(std::uint32_t colour) const {
        for (int y = 0; y < H(); ++y)
            for (int x = 0; x < W(); ++x)
                if (at(x, y) == colour) return POINT{x, y};
        return POINT{-1, -1};
    }
};

bool closeTo(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance)
            return false;
    return true;
}

TEST(KtButtonPaint, PrimitivesIncludeBothEndsAndTheGradientSplitsWhereAsked) {
    Canvas c(30, 23);
    c.paint(0);
    auto p = c.painter();
    p.FillFace(0);
    p.DrawLine(Red, 5, 3, 5, 3);
    p.DrawLine(Blue, 1, 1, 10, 1);
    GdiFlush();
    EXPECT_EQ(c.at(5, 3), Red);
    EXPECT_EQ(c.at(5, 4), 0u);
    EXPECT_EQ(c.at(4, 3), 0u);
    EXPECT_EQ(c.at(1, 1), Blue);
    EXPECT_EQ(c.at(10, 1), Blue);
    EXPECT_EQ(c.at(11, 1), 0u);
    EXPECT_EQ(c.at(0, 1), 0u);

    // 150 draws as 100 and hands back the split row: 100 * (22 - 0 - 1) / 100 + 0.
    float percent = 150;
    p.DrawGradient(0, grey(200), percent, 0, 0, -1, -1);
    GdiFlush();
    EXPECT_EQ(percent, 21.0f);
    EXPECT_EQ(c.at(3, 0), 0u);
    EXPECT_EQ(c.at(3, 21), grey(100));
    EXPECT_EQ(c.at(3, 22), grey(200));
    // One row: above percent 0 the split lies above it (Colour2); at 0 on row 0 it is Colour1.
    percent = 50;
    p.DrawGradient(Red, Blue, percent, 0, 5, 10, 5);
    percent = 0;
    p.DrawGradient(Red, Blue, percent, 0, 0, 10, 0);
    GdiFlush();
    EXPECT_EQ(c.at(4, 5), Blue);
    EXPECT_EQ(c.at(4, 0), Red);
    EXPECT_EQ(percent, 1.0f);
    // A single column is set pixel by pixel.
    percent = 50;
    p.DrawGradient(Green, Green, percent, 7, 2, 7, 9);
    GdiFlush();
    EXPECT_EQ(c.at(7, 9), Green);
    EXPECT_EQ(c.at(8, 9), grey(43)); // 9 / 21 of the way to the middle colour 100
}

TEST(KtButtonPaint, RegionOutlineAndHighlightBandFollowTheRegion) {
    // Square shape: a rectangular window and an outline of its four corners.
    Canvas square(75, 23, 0);
    square.look.ButtonShape = 3;
    square.paint(0);
    ASSERT_TRUE(square.cache.region);
    EXPECT_TRUE(PtInRegion(square.cache.region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(square.cache.region.get(), 74, 22));
    const std::vector<POINT> corners{{0, 0}, {0, 22}, {74, 22}, {74, 0}, {0, 0}};
    ASSERT_EQ(square.cache.outline.size(), corners.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        EXPECT_EQ(square.cache.outline[i].x, corners[i].x) << i;
        EXPECT_EQ(square.cache.outline[i].y, corners[i].y) << i;
    }

    // Style 1: corners of 13, so the top-left arc scans rows 0 to 5 only.
    Canvas one(75, 23, 1);
    one.paint(0);
    const auto& pts = one.cache.outline;
    ASSERT_GT(pts.size(), 8u);
    EXPECT_EQ(pts.front().y, 0);
    EXPECT_EQ(pts.back().x, pts.front().x);
    EXPECT_EQ(pts.back().y, pts.front().y);
    HRGN region = one.cache.region.get();
    long x = 6;
    while (x > -1 && PtInRegion(region, x, 0)) --x;
    EXPECT_EQ(pts.front().x, x + 1);
    size_t i = 0;
    while (i < pts.size() && pts[i].y <= 6) ++i;
    EXPECT_GT(i, 0u);
    EXPECT_GE(pts[i].y, 23 - 6 - 1); // the next points belong to the bottom-left arc
    for (const POINT& pt : pts) {
        EXPECT_TRUE(pt.x >= 0 && pt.x < 75 && pt.y >= 0 && pt.y < 23) << pt.x << "," << pt.y;
    }

    // Style 0 at 75 x 23: the band is (10, 1, 64, 12); its first row is the highlight, which P8 = -1
    // derives from the face: 200 + 55 x 0.8 = 244.
    Canvas zero(75, 23, 0, grey(213));
    ASSERT_EQ(zero.cache.P[0], static_cast<std::int32_t>(grey(200)));
    zero.paint(0);
    EXPECT_EQ(zero.cache.inner.left, 10);
    EXPECT_EQ(zero.cache.inner.top, 1);
    EXPECT_EQ(zero.cache.inner.right, 64);
    EXPECT_EQ(zero.cache.inner.bottom, 12);
    EXPECT_EQ(zero.at(37, 1), 0x00F4F4F4u);

    // A band of one row paints that row in its top colour only.
    Canvas band(40, 20, 4);
    band.paint(0);
    auto p = band.painter();
    p.FillFace(0);
    SetRect(&band.cache.inner, 5, 4, 30, 4);
    p.DrawRoundEdge(Red, Blue);
    GdiFlush();
    // The platform's one-row region may hold nothing; whatever shows is row 4 in the top colour.
    if (band.find(Red).x != -1) {
        EXPECT_EQ(band.find(Red).y, 4);
    }
    EXPECT_EQ(band.find(Blue).x, -1);
    EXPECT_EQ(band.at(15, 5), 0u);
    EXPECT_EQ(band.at(15, 3), 0u);
}

TEST(KtButtonPaint, PicturesClipMaskBlendAndCastRelief) {
    Canvas c(60, 30, 4, grey(255));
    c.look.UseMaskColor = false;
    c.paint(0);
    auto p = c.painter();
    // A 20-pixel picture at x = -5 in own size keeps its right 15 columns.
    auto striped = kttest::solidPicture(20, 8, RGB(255, 0, 0));
    {
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, striped->hBitmap());
        RECT right{5, 0, 20, 8};
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(mem, &right, b);
        DeleteObject(b);
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    c.look.PictureNormal = striped;
    c.look.PictureSize = 0;
    SetRect(&c.cache.picture, -5, 2, 15, 10);
    p.FillFace(static_cast<std::int32_t>(grey(255)));
    p.DrawPicture(striped, 0, 0, NoColour);
    GdiFlush();
    EXPECT_EQ(c.at(0, 2), Blue);
    EXPECT_EQ(c.at(14, 9), Blue);
    EXPECT_EQ(c.at(15, 2), grey(255));
    EXPECT_EQ(c.at(0, 10), grey(255));

    // Mask colour: the picture's blue ground takes the background, its green centre stays; without
    // the mask at full opacity it is copied unchanged.
    auto masked = kttest::solidPicture(10, 10, RGB(0, 0, 255), 4, RGB(0, 255, 0));
    c.look.PictureNormal = masked;
    SetRect(&c.cache.picture, 20, 5, 30, 15);
    c.look.MaskColor = Blue;
    c.look.UseMaskColor = true;
    p.FillFace(static_cast<std::int32_t>(grey(255)));
    p.DrawPicture(masked, 0, 0, NoColour);
    GdiFlush();
    EXPECT_EQ(c.at(20, 5), grey(255));
    EXPECT_EQ(c.at(25, 10), Green);
    c.look.UseMaskColor = false;
    p.DrawPicture(masked, 0, 0, NoColour);
    GdiFlush();
    EXPECT_EQ(c.at(20, 5), Blue);
    // A silhouette is one colour; disabled draws at 20 % over the background.
    c.look.UseMaskColor = true;
    p.FillFace(static_cast<std::int32_t>(grey(255)));
    p.DrawPicture(masked, 0, 0, static_cast<std::int32_t>(Red));
    GdiFlush();
    EXPECT_EQ(c.at(25, 10), Red);
    EXPECT_EQ(c.at(20, 5), grey(255));
    c.look.State = ktState::Disabled;
    p.FillFace(static_cast<std::int32_t>(grey(255)));
    p.DrawPicture(masked, 0, 0, NoColour);
    GdiFlush();
    EXPECT_EQ(c.at(25, 10), 0x00CCFFCCu); // 255 + (0 - 255) x 0.2 = 204 where green has none
    c.look.State = ktState::Normal;
    c.look.PicOpacity = 0.5f;
    p.FillFace(static_cast<std::int32_t>(grey(255)));
    p.DrawPicture(masked, 0, 0, NoColour);
    GdiFlush();
    EXPECT_EQ(c.at(25, 10), 0x0080FF80u);
    c.look.PicOpacity = 1;

    // Effect 3: one dark copy one pixel right and down, 128 - 25.5 = 102.
    c.look.SpecialEffect = 3;
    p.FillFace(static_cast<std::int32_t>(grey(128)));
    p.DrawStatePicture(static_cast<std::int32_t>(grey(128)), 0, 0, NoColour);
    GdiFlush();
    // The copy is of the centre only: the masked ground stays transparent.
    EXPECT_EQ(c.at(27, 12), grey(102));
    EXPECT_EQ(c.at(24, 12), grey(102));
    EXPECT_EQ(c.at(26, 11), Green);
    EXPECT_EQ(c.at(23, 8), Green);
    EXPECT_EQ(c.at(20, 5), grey(128));
}

// An icon without the mask colour keeps its own transparency over what the surface holds; a style
// outside 0..11 only clears to the translated BackColor.
TEST(KtButtonPaint, IconWithoutMaskColourAndUnknownStyle) {
    Canvas c(40, 20, 99, core::sysColor::ButtonFace);
    c.paint(0);
    EXPECT_EQ(c.at(20, 10), GetSysColor(COLOR_BTNFACE));
    // 8 x 8: the left half transparent, the right half red.
    BYTE andBits[8 * 4], xorBits[8 * 8 * 4] = {};
    for (int y = 0; y < 8; ++y) {
        andBits[y * 4] = 0xF0;
        andBits[y * 4 + 1] = andBits[y * 4 + 2] = andBits[y * 4 + 3] = 0;
        for (int x = 4; x < 8; ++x) xorBits[(y * 8 + x) * 4 + 2] = 0xFF;
    }
    ICONINFO ii{TRUE, 0, 0, CreateBitmap(8, 8, 1, 1, andBits), CreateBitmap(8, 8, 1, 32, xorBits)};
    auto icon = forms::StdPicture::fromIcon(CreateIconIndirect(&ii));
    DeleteObject(ii.hbmMask);
    DeleteObject(ii.hbmColor);
    c.look.PictureNormal = icon;
    c.look.UseMaskColor = false;
    SetRect(&c.cache.picture, 4, 4, 12, 12);
    auto p = c.painter();
    p.FillFace(static_cast<std::int32_t>(Green));
    p.DrawPicture(icon, 0, 0, NoColour);
    GdiFlush();
    EXPECT_EQ(c.at(5, 6), Green);
    EXPECT_EQ(c.at(10, 6), Red);
}

// The parts of the styles the painters are told to draw, one look at a time.
TEST(KtButtonPaint, StylesDrawTheirFacesFramesAndCues) {
    const auto picture = kttest::solidPicture(8, 8, RGB(255, 0, 0));
    auto withPicture = [&](Canvas& c) {
        c.look.PictureNormal = picture;
        c.look.PictureSize = 0;
        c.look.PictureSizeW = c.look.PictureSizeH = 8;
        c.look.PictureAlignment = 0;
    };

    // Round, checked: the down face, the picture one pixel off, two while pressed.
    Canvas round(75, 23, 0);
    withPicture(round);
    round.look.CheckBoxMode = round.look.Value = true;
    EXPECT_EQ(round.paint(0), 2);
    const POINT checkedAt = round.find(Red);
    EXPECT_EQ(round.paint(1), 2);
    round.paint(2);
    const POINT pressedAt = round.find(Red);
    round.look.Value = false;
    EXPECT_EQ(round.paint(0), 0);
    const POINT plainAt = round.find(Red);
    EXPECT_EQ(checkedAt.x - plainAt.x, 1);
    EXPECT_EQ(pressedAt.x - plainAt.x, 2);
    EXPECT_EQ(pressedAt.y - plainAt.y, 2);

    // Style 3: checked and idle grades P6 to P1 inside a P3 frame; unchecked idle P8 to P0, no frame.
    Canvas three(75, 23, 3, grey(200));
    three.look.CheckBoxMode = three.look.Value = true;
    three.paint(0);
    EXPECT_EQ(three.at(0, 0), 0u);
    EXPECT_TRUE(closeTo(three.at(30, 1), 0x008BCFFF, 8));
    EXPECT_TRUE(closeTo(three.at(30, 21), 0x004E91FE, 4));
    three.look.Value = false;
    three.paint(0);
    EXPECT_EQ(three.at(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(three.at(0, 22), grey(200));

    // Style 4 hot without a hot picture: a grey silhouette right and down, the picture left and up.
    Canvas four(60, 30, 4, grey(255));
    withPicture(four);
    four.paint(1);
    const RECT pic = four.cache.picture;
    EXPECT_EQ(four.at(pic.left - 1, pic.top - 1), Red);
    EXPECT_EQ(four.at(pic.left + 7, pic.top + 7), 0x00C0C0C0u);
    EXPECT_EQ(four.at(0, 0), grey(217)); // the frame in P2 = 255 - 38.25

    // Style 5: the default button of an active form shows the double bevel and the P3 frame.
    Canvas five(75, 23, 5, grey(128));
    five.look.Forecolor = 0x00000040;
    five.colours();
    five.paint(0);
    EXPECT_EQ(five.at(0, 0), grey(167)); // single bevel of the face: 141 + 25.5
    five.state.defaultButton = true;
    five.paint(0);
    EXPECT_EQ(five.at(0, 0), 0x00000040u);
    EXPECT_EQ(five.at(1, 1), grey(167));

    // Style 6 pressed: content one pixel off, a P3 frame with a P2 frame inside.
    Canvas six(75, 23, 6, grey(200));
    withPicture(six);
    six.paint(0);
    const POINT upAt = six.find(Red);
    six.paint(2);
    const POINT downAt = six.find(Red);
    EXPECT_EQ(downAt.x - upAt.x, 1);
    EXPECT_EQ(six.at(0, 10), 0u);
    EXPECT_EQ(six.at(1, 10), grey(128)); // P2 = Shift(black, 0.5)
    // Checked and disabled: checkered face and a sunken edge.
    six.look.CheckBoxMode = six.look.Value = true;
    six.look.Enabled = false;
    six.paint(3);
    EXPECT_EQ(six.at(10, 10), 0x00FFFFFFu);
    EXPECT_EQ(six.at(11, 10), grey(200));
    EXPECT_NE(six.at(0, 0), six.at(10, 10));
    // Focused on an active form: a frame, the edge inset and a dotted rectangle on the inner one.
    Canvas focused(75, 23, 6, grey(200));
    focused.state.focus = true;
    focused.paint(0);
    EXPECT_EQ(focused.at(0, 5), 0u);
    int dotted = 0;
    for (int x = 4; x < 71; ++x)
        if (focused.at(x, 4) != grey(200)) ++dotted;
    EXPECT_GT(dotted, 10);

    // Style 7, shape 1: corner pixels only on the right, in Blend(P2, black, 0.5).
    Canvas seven(75, 23, 7, grey(236));
    seven.look.ButtonShape = 1;
    seven.paint(0);
    EXPECT_EQ(seven.at(73, 1), 0x00725644u);
    EXPECT_EQ(seven.at(73, 21), 0x00725644u);
    EXPECT_NE(seven.at(1, 1), 0x00725644u);
    EXPECT_EQ(seven.at(0, 10), 0x00725644u);

    // Style 9 checked and hot: the pressed gradient with a white frame at (1, 1), no hot ring.
    Canvas nine(75, 23, 9, grey(200));
    nine.look.CheckBoxMode = nine.look.Value = true;
    EXPECT_EQ(nine.paint(1), 2);
    EXPECT_EQ(nine.at(30, 1), 0x00FFFFFFu);
    EXPECT_EQ(nine.at(1, 12), 0x00FFFFFFu);
    EXPECT_EQ(nine.at(73, 12), 0x00FFFFFFu);
    EXPECT_TRUE(closeTo(nine.at(30, 2), grey(174), 6)); // P1 = 200 - 25.5

    // Style 10: the hot face needs the hot flag; without it (held outside) only the corners show.
    Canvas ten(75, 23, 10, grey(128));
    ten.state.hot = true;
    ten.paint(1);
    EXPECT_EQ(ten.at(37, 11), 0x00F3F7F8u);
    EXPECT_EQ(ten.at(0, 11), 0x00C0C4C5u);
    ten.state.hot = false;
    ten.paint(1);
    EXPECT_EQ(ten.at(37, 11), grey(128));
    EXPECT_EQ(ten.at(0, 11), grey(128));
    EXPECT_EQ(ten.at(1, 1), grey(77));

    // Style 11 focused, shape 3: the inner frame has its top and bottom lines only.
    Canvas eleven(75, 23, 11, grey(128));
    eleven.look.ButtonShape = 3;
    eleven.state.focus = true;
    eleven.paint(0);
    EXPECT_EQ(eleven.at(37, 1), grey(128));
    EXPECT_EQ(eleven.at(37, 21), grey(128));
    EXPECT_NE(eleven.at(1, 11), grey(128));
}

TEST(KtButtonPaint, CaptionEffectThreeCastsAShadowOnePixelRightAndDown) {
    Canvas c(80, 30, 4, grey(128));
    c.look.Caption = L"Hə";
    c.look.SpecialEffect = 3;
    c.look.Forecolor = 0x000000FF;
    c.colours();
    HDC dc = c.surface.hDC();
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy(lf.lfFaceName, L"Tahoma");
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    c.look.State = 0;
    c.cache.layoutDirty = true;
    KtButtonPainter p(dc, 80, 30, c.look, c.state, c.cache);
    p.FillFace(static_cast<std::int32_t>(grey(128)));
    p.CalcLayout(4, 4);
    p.DrawCaption(0x000000FF, static_cast<std::int32_t>(grey(128)), 0, 0);
    GdiFlush();
    SelectObject(dc, old);
    DeleteObject(font);
    int shadows = 0, matched = 0;
    for (int y = 1; y < 30; ++y)
        for (int x = 1; x < 80; ++x) {
            if (c.at(x, y) != grey(102)) continue;
            ++shadows;
            if (c.at(x - 1, y - 1) == Red) ++matched;
        }
    EXPECT_GT(shadows, 5);
    EXPECT_GT(matched, 0);
}

class KtButtonRedraw : public ::testing::Test {
protected:
    std::shared_ptr<kttest::HostForm> form;
    void SetUp() override {
        ktButton::registerType();
        form = std::make_shared<kttest::HostForm>(forms::Layout{kttest::buttonEntry(L"b", 10, 10)});
        form->load();
        form->Show();
    }
    void TearDown() override { form->Unload(); }
};

TEST_F(KtButtonRedraw, SkipsWhenNothingChangedAndNothingWhileHidden) {
    auto& b = form->control<ktButton>(L"b");
    const int paints = b.paintCount();
    b.Redraw(-1, false);
    EXPECT_EQ(b.paintCount(), paints);
    b.Redraw(-1, true);
    EXPECT_EQ(b.paintCount(), paints + 1);
    b.Redraw(1, false);
    EXPECT_EQ(b.paintCount(), paints + 2);
    EXPECT_EQ(b.look().State, 1);
    // The focus alone repaints.
    SendMessageW(b.hWnd(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(b.paintCount(), paints + 3);
    EXPECT_TRUE(b.state().paintedFocus);
    b.setVisible(false);
    b.Redraw(2, true);
    EXPECT_EQ(b.paintCount(), paints + 3);
    EXPECT_EQ(b.look().State, 0);
    // An empty caption on style 0 draws only the face: the window takes the pill region.
    b.setVisible(true);
    b.setButtonStyle(0);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(b.hWnd(), r), ERROR);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_TRUE(PtInRegion(r, 37, 11));
    DeleteObject(r);
}

} // namespace
