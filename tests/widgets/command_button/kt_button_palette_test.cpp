#include "platform/core/constants.h"
#include "widgets/command_button/kt_button_palette.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace widgets::ktbutton;

constexpr std::int32_t grey(int v) {
    return v | (v << 8) | (v << 16);
}

TEST(KtButtonPalette, ShiftAndBlendRoundSinglePrecisionFactorsHalvesToEven) {
    // 0.1 in single precision is a hair above 0.1: 127 + 25.5000004 rounds up.
    EXPECT_EQ(ShiftColor(grey(127), 0.1f), grey(153));
    // 0.5 adds 127.5: the even neighbour wins.
    EXPECT_EQ(ShiftColor(grey(100), 0.5f), grey(228));
    EXPECT_EQ(ShiftColor(grey(101), 0.5f), grey(228));
    EXPECT_EQ(ShiftColor(grey(0), 0.5f), grey(128));
    EXPECT_EQ(ShiftColor(grey(250), 0.2f), grey(255));
    EXPECT_EQ(ShiftColor(grey(10), -0.15f), grey(0));
    EXPECT_EQ(ShiftColor(0x00102030, -0.05f), 0x00031323);
    EXPECT_EQ(BlendColor(0x000000FF, 0x00FF0000, 0.0f), 0x000000FF);
    EXPECT_EQ(BlendColor(0x000000FF, 0x00FF0000, 1.0f), 0x00FF0000);
    EXPECT_EQ(BlendColor(grey(0), grey(255), 0.6f), grey(153));
    EXPECT_EQ(Clamp(150, 10, 100), 100.0f);
    EXPECT_EQ(Clamp(5, 10, 100), 10.0f);
    EXPECT_EQ(Clamp(55, 10, 100), 55.0f);
}

TEST(KtButtonPalette, StylesDeriveTheirSlotsFromBackAndFore) {
    Palette p{};
    SetColors(p, 0, grey(128), 0, 0x00C0C0C0);
    EXPECT_EQ(p[0], grey(115));
    EXPECT_EQ(p[4], grey(115));
    EXPECT_EQ(p[1], grey(90));
    EXPECT_EQ(p[6], grey(154));
    EXPECT_EQ(p[8], NoColour);
    EXPECT_EQ(p[3], 0);
    EXPECT_EQ(p[5], grey(153));
    EXPECT_EQ(p[7], 0x00C0C0C0);

    SetColors(p, 5, 0x00FFFFFF, 0, 0);
    EXPECT_EQ(p[8], White);
    EXPECT_EQ(p[4], White);
    EXPECT_EQ(p[6], 0x00E6FFFF);

    SetColors(p, 6, grey(200), 0, 0);
    EXPECT_EQ(p[2], grey(128));
    EXPECT_EQ(p[5], grey(153));
    EXPECT_EQ(p[1], grey(200));

    // Style 5 leaves P1 and P2 as style 3 set them.
    SetColors(p, 3, grey(200), 0, 0);
    SetColors(p, 5, grey(200), 0, 0);
    EXPECT_EQ(p[1], 0x004E91FE);
    EXPECT_EQ(p[2], 0x00CCF4FF);

    // A system colour is translated; an unknown style gets the common slots only.
    SetColors(p, 42, core::sysColor::ButtonFace, core::sysColor::ButtonText, 0x00C0C0C0);
    EXPECT_EQ(p[0], static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(p[3], static_cast<std::int32_t>(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(p[8], White);
    EXPECT_EQ(TranslateColor(0x80000FFF), 0);
}

TEST(KtButtonPalette, SchemeColoursAndOverrideSlots) {
    std::uint32_t c = 0;
    ASSERT_TRUE(schemeColour(1, c));
    EXPECT_EQ(c, 0x00FF9B48u);
    ASSERT_TRUE(schemeColour(6, c));
    EXPECT_EQ(c, core::sysColor::ButtonFace);
    c = 7;
    EXPECT_FALSE(schemeColour(12, c));
    EXPECT_EQ(c, 7u);
    EXPECT_EQ(overrideSlot(0), 1);
    EXPECT_EQ(overrideSlot(5), 8);
    EXPECT_EQ(overrideSlot(6), -1);
    EXPECT_EQ(overrideSlot(-1), -1);
}

TEST(KtButtonPalette, AccessKeyIsReadAsDrawTextReadsTheCaption) {
    const struct {
        const wchar_t* caption;
        const wchar_t* key;
    } cases[] = {
        {L"&Axtar", L"a"}, {L"a&&b&C", L"c"}, {L"x&&&y", L"y"}, {L"&&", L""},        {L"ab&", L""},
        {L"&", L""},       {L"a&&b", L""},    {L"&a&b", L"b"},  {L"&Закрыть", L"з"}, {L"Hə", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(SetAccessKey(c.caption), c.key) << std::wstring(c.caption).size();
}

RECT rectOf(long l, long t, long r, long b) {
    return RECT{l, t, r, b};
}
bool same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

TEST(KtButtonPalette, LayoutPlacesPictureAndCaptionByAlignment) {
    // 75 x 23, a 16 x 16 picture at the left margin; the caption starts after a 2-pixel gap and is then
    // centred in what is left.
    const SIZE pic{16, 16};
    Layout l = CalcLayout(75, 23, 4, 4, SIZE{20, 13}, true, true, pic, 3);
    EXPECT_TRUE(same(l.picture, rectOf(4, 3, 20, 19)));
    EXPECT_EQ(l.caption.left, 22 + (75 - 4 - 42) / 2);
    EXPECT_TRUE(same(l.inner, rectOf(4, 4, 71, 19)));
    // The 2-pixel gap before centring shows when the caption fills the room.
    l = CalcLayout(75, 23, 4, 4, SIZE{49, 13}, true, true, pic, 3);
    EXPECT_EQ(l.caption.left, 22);

    // Without a caption the group alignments centre the picture, the others keep their margin.
    const RECT centred = rectOf(29, 3, 45, 19);
    for (int a : {0, 2, 4, 6, 8}) {
        l = CalcLayout(75, 23, 4, 4, SIZE{0, 0}, false, true, pic, a);
        EXPECT_TRUE(same(l.picture, centred)) << a;
    }
    EXPECT_EQ(CalcLayout(75, 40, 4, 4, SIZE{0, 0}, false, true, pic, 1).picture.bottom, 36);
    EXPECT_EQ(CalcLayout(75, 40, 4, 4, SIZE{0, 0}, false, true, pic, 3).picture.left, 4);
    EXPECT_EQ(CalcLayout(75, 40, 4, 4, SIZE{0, 0}, false, true, pic, 5).picture.right, 71);
    EXPECT_EQ(CalcLayout(75, 40, 4, 4, SIZE{0, 0}, false, true, pic, 7).picture.top, 4);

    // Stacked groups touch: picture above the caption, centred as one.
    l = CalcLayout(80, 60, 4, 4, SIZE{30, 13}, true, true, pic, 8);
    EXPECT_EQ(l.caption.top, l.picture.bottom);
    EXPECT_EQ(l.picture.top, (60 - 29) / 2);
    // Caption above the picture.
    l = CalcLayout(80, 60, 4, 4, SIZE{30, 13}, true, true, pic, 2);
    EXPECT_EQ(l.picture.top, l.caption.bottom);
    // Picture right of the caption with the gap.
    l = CalcLayout(80, 30, 4, 4, SIZE{30, 13}, true, true, pic, 6);
    EXPECT_EQ(l.picture.left, l.caption.right + 2);
    // An unknown alignment leaves the picture at the corner and the caption centred.
    l = CalcLayout(80, 30, 4, 4, SIZE{30, 13}, true, true, pic, 9);
    EXPECT_TRUE(same(l.picture, rectOf(0, 0, 16, 16)));
    EXPECT_TRUE(same(l.caption, rectOf(25, 8, 55, 21)));
}

} // namespace
