// The tool bar's painting, by pixels of its surface.
#include "tool_bar_test_support.h"

#include "platform/forms/std_picture.h"
#include "widgets/tool_bar/mc_tool_bar_paint.h"
#include "widgets/tool_bar/mc_tool_bar_raster.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>
#include <windows.h>

namespace {

using namespace toolbartest;

constexpr uint32_t Grey = 0xC0C0C0, White = 0xFFFFFF, Black = 0;

long light(long c) {
    return widgets::toolbar::BlendColor(c, 0xFFFFFF, 128);
}
long dark(long c) {
    return widgets::toolbar::BlendColor(c, 0, 128);
}

// A painter over a memory surface with records laid out as given.
struct Paint {
    forms::Surface surface{200, 60};
    widgets::ToolBarLook look;
    widgets::ToolBarButtons buttons;
    widgets::ToolBarState state;
    bool userMode = true;

    Paint() {
        look.BackColor = Grey;
        look.ButtonsBackColor = Grey;
        look.Font = forms::StdFont::create(L"Tahoma", 8.25);
        buttons.resize(3);
        for (long i = 1; i <= 3; ++i) {
            buttons.at(i).Left = 4 + (i - 1) * 40;
            buttons.at(i).Top = 10;
            buttons.at(i).Caption = L"";
        }
        look.ButtonsWidth = 40;
        look.ButtonsHeight = 40;
    }
    widgets::ToolBarPainter painter() { return {surface, look, buttons, state, userMode, false, 200, 60}; }
    bool draw() { return painter().drawToolBar(); }
    uint32_t at(int x, int y) {
        GdiFlush();
        return surface.pixel(x, y);
    }
};

TEST(ToolBarPaint, Mode0ShowsAnEdgeOnlyWhileHotOrPressedAndMovesTheIcon) {
    Paint p;
    p.look.ButtonsMode = 0;
    auto icon =
        forms::StdPicture::fromBitmap(CreateBitmap(4, 4, 1, 32, std::vector<uint32_t>(16, 0x0000FF).data()));
    p.buttons.at(2).Icon = icon;
    p.look.Button_Index = -1;
    p.draw();
    EXPECT_EQ(p.at(44, 10), Grey); // idle: no face
    // Icon centred in the 40 x 40 box: (44 + 18, 10 + 18).
    EXPECT_EQ(p.at(62, 28), 0xFF0000u);
    EXPECT_EQ(p.at(61, 27), Grey);

    p.look.Button_Index = 2;
    p.draw();
    EXPECT_EQ(p.at(44, 10), static_cast<uint32_t>(light(Grey))); // raised: light top-left
    EXPECT_EQ(p.at(83, 49), static_cast<uint32_t>(dark(Grey)));  // dark bottom-right
    EXPECT_EQ(p.at(62, 28), 0xFF0000u);

    p.state.IsMouseDown = true;
    p.draw();
    EXPECT_EQ(p.at(44, 10), static_cast<uint32_t>(dark(Grey))); // sunken
    EXPECT_EQ(p.at(83, 49), static_cast<uint32_t>(light(Grey)));
    EXPECT_EQ(p.at(62, 28), Grey); // the icon moved one pixel right and down
    EXPECT_EQ(p.at(63, 29), 0xFF0000u);
}

TEST(ToolBarPaint, Mode4HoverRectangleNeverMovesTheIcon) {
    Paint p;
    p.look.ButtonsMode = 4;
    p.look.HoverColor = 0xFF8080;
    p.look.Button_Index = 1;
    p.draw();
    // Outline from (x + 1, y + 1) to (x + 38, y + 38) in dark, inside light.
    EXPECT_EQ(p.at(5, 11), static_cast<uint32_t>(dark(0xFF8080)));
    EXPECT_EQ(p.at(41, 47), static_cast<uint32_t>(dark(0xFF8080)));
    EXPECT_EQ(p.at(42, 48), Grey);
    EXPECT_EQ(p.at(20, 30), static_cast<uint32_t>(light(0xFF8080)));
    EXPECT_EQ(p.at(4, 10), Grey);
    p.state.IsMouseDown = true;
    p.draw();
    EXPECT_EQ(p.at(20, 30), 0xFF8080u);
}

TEST(ToolBarPaint, Mode5RingAndGradient) {
    Paint p;
    p.look.ButtonsMode = 5;
    widgets::applyButtonsMode(p.look, 5);
    p.look.BackColor = Grey;
    p.look.Button_Index = 2;
    p.draw();
    // The ring inside the rounded outline, then a vertical ramp from white at the top.
    EXPECT_EQ(p.at(64, 11), 0x80C0FFu);
    EXPECT_EQ(p.at(64, 13), White);
    const uint32_t bottom = p.at(64, 44);
    EXPECT_NEAR(static_cast<int>(bottom & 0xFF), 0xF2, 2);
    EXPECT_NEAR(static_cast<int>((bottom >> 16) & 0xFF), 0xE1, 2);
    // An idle face has no ring: its fill starts two pixels in.
    EXPECT_EQ(p.at(24, 12), White);
}

TEST(ToolBarPaint, NoFaceFillAtTheSurfacesEdge) {
    Paint p;
    p.look.ButtonsMode = 1;
    p.look.ButtonsGradient = 3;
    p.look.ButtonsBackColor = 0x0000FF;
    p.look.ButtonsGradientCol = 0x00FF00;
    p.buttons.at(1).Left = 0;
    p.buttons.at(1).Top = 0;
    p.draw();
    EXPECT_EQ(p.at(20, 20), Grey); // the button at (0, 0): lines only
    EXPECT_NE(p.at(64, 30), Grey); // the next one is filled
    EXPECT_EQ(p.at(0, 0), static_cast<uint32_t>(light(0x0000FF)));
}

TEST(ToolBarPaint, CaptionsCentredAndGreyWhenDisabled) {
    Paint p;
    p.look.ButtonsMode = 1;
    p.buttons.at(1).Caption = L"WWW";
    p.buttons.at(2).Caption = L"WWW";
    p.buttons.at(2).Enabled = false;
    p.look.Forecolor = 0x0000FF;
    p.draw();
    auto ink = [&](long left, uint32_t colour) {
        int n = 0, minX = 1000, maxX = -1, minY = 1000;
        for (int y = 11; y < 49; ++y)
            for (int x = left + 1; x < left + 39; ++x)
                if (p.at(x, y) == colour) {
                    ++n;
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                }
        return std::tuple{n, minX, maxX, minY};
    };
    const auto [n1, l1, r1, top1] = ink(4, 0x0000FF);
    ASSERT_GT(n1, 0);
    EXPECT_NEAR((l1 + r1) / 2.0, 4 + 20, 2); // centred across
    const uint32_t greyText = GetSysColor(COLOR_GRAYTEXT);
    const auto [n2, l2, r2, top2] = ink(44, greyText);
    EXPECT_GT(n2, 0);
    EXPECT_EQ(std::get<0>(ink(44, 0x0000FF)), 0);
    EXPECT_EQ(top1, top2);

    // One line of height 13 in a box 40 high at y 10, a line lifted by bias 1: its top at 17.
    forms::Surface s(100, 80);
    s.setBackColor(White);
    s.setFont(forms::StdFont::create(L"Tahoma", 8.25));
    widgets::ToolBarLook look;
    widgets::ToolBarButtons buttons;
    widgets::ToolBarState state;
    widgets::ToolBarPainter painter(s, look, buttons, state, true, false, 100, 80);
    const long lineHeight = std::lround(s.TextHeight(L"A"));
    painter.drawCaption(L"I", 0, 10, 100, 40, true, 1);
    GdiFlush();
    int top = -1;
    for (int y = 0; y < 80 && top < 0; ++y)
        for (int x = 0; x < 100; ++x)
            if (s.pixel(x, y) != White) {
                top = y;
                break;
            }
    // The glyph's first ink lies at or a little below its line's top.
    const long lineTop = std::lround((40 - 2.0 * lineHeight) / 2 + 10);
    EXPECT_GE(top, lineTop);
    EXPECT_LT(top, lineTop + lineHeight);
}

TEST(ToolBarPaint, DisabledIconsInGrey) {
    Paint p;
    auto icon =
        forms::StdPicture::fromBitmap(CreateBitmap(4, 4, 1, 32, std::vector<uint32_t>(16, 0x0000FF).data()));
    p.buttons.at(1).Icon = icon;
    p.look.Enabled = false;
    p.draw();
    EXPECT_EQ(p.at(22, 28), 0x555555u); // blue 255 / 3
}

TEST(ToolBarPaint, SeparatorsAndTheDesignersMarks) {
    Paint p;
    p.look.ButtonsMode = 0;
    p.look.ButtonsSeperatorWidth = 10;
    p.buttons.at(2).Type = 1;
    p.look.Button_Index = 1;
    p.draw();
    EXPECT_EQ(p.at(49, 12), static_cast<uint32_t>(dark(Grey)));  // 44 + 10/2 = 49, from y 12
    EXPECT_EQ(p.at(50, 45), static_cast<uint32_t>(light(Grey))); // to y 12 + 34 - 1
    EXPECT_EQ(p.at(49, 46), Grey);
    p.look.ShowSeperator = false;
    p.draw();
    EXPECT_EQ(p.at(49, 12), Grey);

    // In a designer: a bar over the selected button and the numbers.
    p.userMode = false;
    p.draw();
    EXPECT_EQ(p.at(6, 12), Black);
    int ink = 0;
    for (int x = 44; x < 54; ++x)
        for (int y = 12; y < 26; ++y) ink += p.at(x, y) != Grey;
    EXPECT_GT(ink, 0); // the separator's number "2"
}

class ToolBarPaintOnForm : public ToolBarTest {};

TEST_F(ToolBarPaintOnForm, TheApplicationsBarAsStored) {
    bar = load(applicationBag(), 640);
    EXPECT_EQ(bar->Height(), 89 * 15);
    for (long i = 1; i <= 5; ++i) {
        EXPECT_EQ(bar->button(i).Left, 2 + (i - 1) * 124);
        EXPECT_EQ(bar->button(i).Top, 5);
        EXPECT_EQ(bar->button(i).Caption, L"b");
    }
    // The raised frame, drawn in &HE0E0E0's light and dark over the white-to-grey background.
    EXPECT_EQ(barPixel(0, 0), static_cast<uint32_t>(light(0xE0E0E0)));
    EXPECT_EQ(barPixel(639, 88), static_cast<uint32_t>(dark(0xE0E0E0)));
    EXPECT_EQ(barPixel(300, 1), White);
    EXPECT_NEAR(static_cast<int>(barPixel(300, 87) & 0xFF), 0xE0, 4);
    // Button 3 hot: mode 4's rectangle in dark and light of &HF0E0E0.
    moveOnBar(260, 40);
    EXPECT_EQ(bar->Button_Index(), 3);
    EXPECT_EQ(barPixel(251, 6), static_cast<uint32_t>(dark(0xF0E0E0)));
    EXPECT_EQ(barPixel(252, 30), static_cast<uint32_t>(light(0xF0E0E0)));
    EXPECT_EQ(barPixel(371, 30), static_cast<uint32_t>(dark(0xF0E0E0)));
    EXPECT_NE(barPixel(372, 30), static_cast<uint32_t>(dark(0xF0E0E0)));
    send(bar->picMain()->hWnd(), WM_MOUSELEAVE);
}

} // namespace
