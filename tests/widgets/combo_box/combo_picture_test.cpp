#include "combo_test_support.h"

#include "widgets/combo_box/combo_frame.h"
#include "widgets/combo_box/combo_picture.h"

namespace {

using namespace combotest;

constexpr uint32_t Back = 0x00FF00;
constexpr uint32_t Key = widgets::PictureKeyColor;

struct Canvas {
    forms::Surface surface{80, 30};
    Canvas() { widgets::APIFillSolidRect(surface.hDC(), RECT{0, 0, 80, 30}, Back); }
    void draw(const forms::StdPicture& p, bool enabled, int x = 10, int y = 5, int w = 50, int h = 12) {
        widgets::DrawTransparentPicture(p, surface.hDC(), x, y, enabled, h, w);
        GdiFlush();
    }
    uint32_t at(int x, int y) const { return surface.pixel(x, y); }
};

bool saturated(uint32_t c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return std::max({r, g, b}) - std::min({r, g, b}) > 24;
}

TEST(ComboPictures, KeyColourShowsTheBackgroundAndNothingLeavesTheDestination) {
    // Left half key colour, right half blue; drawn at its own size.
    auto picture = bitmapPicture(50, 12, [](int x, int) { return x < 25 ? Key : 0xFF0000u; });
    Canvas c;
    c.draw(*picture, true);
    EXPECT_EQ(c.at(10, 5), Back);
    EXPECT_EQ(c.at(34, 16), Back);
    EXPECT_EQ(c.at(35, 5), 0xFF0000u);
    EXPECT_EQ(c.at(59, 16), 0xFF0000u);
    for (auto [x, y] : {std::pair{60, 5}, {59, 17}, {35, 4}, {9, 10}})
        EXPECT_EQ(c.at(x, y), Back) << x << "," << y;
}

TEST(ComboPictures, AnIconShowsTheBackgroundAroundItsShape) {
    auto icon = forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_INFORMATION));
    for (bool enabled : {true, false}) {
        Canvas c;
        c.draw(*icon, enabled, 10, 5, 32, 32);
        EXPECT_EQ(c.at(10, 5), Back) << enabled; // the icon's corner is not part of its shape
        int ink = 0;
        for (int y = 5; y < 30; ++y)
            for (int x = 10; x < 42; ++x) {
                if (c.at(x, y) != Back) ++ink;
                if (!enabled && c.at(x, y) != Back) {
                    EXPECT_FALSE(saturated(c.at(x, y))) << x << "," << y;
                }
            }
        EXPECT_GT(ink, 50) << enabled;
    }
}

TEST(ComboPictures, ADisabledBitmapIsGreyAndStillSeeThrough) {
    auto picture =
        bitmapPicture(50, 12, [](int x, int y) { return x < 10 ? Key : (y < 6 ? 0x0000FFu : 0xFF0000u); });
    Canvas c;
    c.draw(*picture, false);
    for (int y = 5; y < 17; ++y)
        for (int x = 10; x < 60; ++x) {
            if (x < 20)
                EXPECT_EQ(c.at(x, y), Back) << x << "," << y;
            else
                EXPECT_FALSE(saturated(c.at(x, y))) << x << "," << y;
        }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    EXPECT_EQ(GetFileAttributesW((std::wstring(temp) + L"~ConvIconToBmp.tmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

} // namespace
