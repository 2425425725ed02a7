#include "platform/core/rounding.h"
#include "platform/forms/color.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/functions.h"

#include "support/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

using namespace forms;

namespace {

using testsupport::errorOf;

} // namespace

TEST(FormsFunctions, RoundingAndDivision) {
    EXPECT_EQ(core::roundHalfEven(2.5), 2);
    EXPECT_EQ(core::roundHalfEven(3.5), 4);
    EXPECT_EQ(core::roundHalfEven(-2.5), -2);
    EXPECT_EQ(core::roundHalfEven(-3.5), -4);
    EXPECT_EQ(core::roundHalfEven(0.49999999), 0);
    EXPECT_EQ(roundToLong(2.5), 2);
    EXPECT_EQ(roundToLong(-3.5), -4);
    EXPECT_EQ(roundToLong(1e12), INT32_MAX);
    EXPECT_EQ(roundToLong(-1e12), INT32_MIN);
    EXPECT_EQ(roundToLong(std::nan("")), 0);
    EXPECT_EQ(CInt(32767.49), 32767);
    EXPECT_EQ(errorOf([] { CInt(32767.5); }), 6);
    EXPECT_EQ(CLng(-2147483648.4), INT32_MIN);
    EXPECT_EQ(errorOf([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Int(2.9), 2);
    EXPECT_EQ(intDiv(-7, 2), -3);
    EXPECT_EQ(intDiv(7, -2), -3);
    EXPECT_EQ(errorOf([] { intDiv(1, 0); }), 11);
    EXPECT_EQ(errorOf([] { intDiv(INT32_MIN, -1); }), 6);
}

TEST(FormsFunctions, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim(L"  a b  "), L"a b");
    EXPECT_EQ(LTrim(L"  a "), L"a ");
    EXPECT_EQ(RTrim(L" a  "), L" a");
    EXPECT_EQ(Trim(L"\ta\t"), L"\ta\t");
    EXPECT_EQ(Trim(L"\u00A0a"), L"\u00A0a");
    EXPECT_EQ(Trim(L"    "), L"");
    EXPECT_EQ(Len(L"\U0001F600"), 2); // UTF-16 units
}

TEST(FormsFunctions, CaseMappingForEveryScript) {
    EXPECT_EQ(LCase(L"ABC Мир ƏÇŞĞÜÖ"), L"abc мир əçşğüö");
    EXPECT_EQ(UCase(L"abc мир əçşğüö"), L"ABC МИР ƏÇŞĞÜÖ");
    // The Turkish dotted capital and dotless small i fold to the plain Latin letters.
    EXPECT_EQ(LCase(L"\u0130stanbul"), L"istanbul");
    EXPECT_EQ(UCase(L"\u0131s\u0131k"), L"ISIK");
    EXPECT_EQ(UCase(L"i"), L"I");
    EXPECT_EQ(LCase(L"I"), L"i");
    EXPECT_EQ(LCase(L""), L"");
}

TEST(FormsFunctions, InStrIsBinaryAndOneBased) {
    EXPECT_EQ(InStr(L"abcabc", L"c"), 3);
    EXPECT_EQ(InStr(4, L"abcabc", L"c"), 6);
    EXPECT_EQ(InStr(7, L"abcabc", L"c"), 0);
    EXPECT_EQ(InStr(L"abc", L"C"), 0);
    EXPECT_EQ(InStr(L"abc", L"x"), 0);
    EXPECT_EQ(InStr(2, L"abc", L""), 2);
    EXPECT_EQ(InStr(L"", L""), 0);
    EXPECT_EQ(InStr(L"мир<>world", L"<>"), 4);
    EXPECT_EQ(errorOf([] { InStr(0, L"abc", L"a"); }), 5);
}

TEST(FormsFunctions, SplitPieces) {
    EXPECT_TRUE(Split(L"", L"@").empty());
    EXPECT_EQ(Split(L"a@b@@c", L"@"), (std::vector<std::wstring>{L"a", L"b", L"", L"c"}));
    EXPECT_EQ(Split(L"en<>ru<>tr", L"<>"), (std::vector<std::wstring>{L"en", L"ru", L"tr"}));
    EXPECT_EQ(Split(L"@", L"@"), (std::vector<std::wstring>{L"", L""}));
    EXPECT_EQ(Split(L"abc", L""), (std::vector<std::wstring>{L"abc"}));
    EXPECT_EQ(Split(L"a b"), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(FormsFunctions, MidLeftRightClampAndReject) {
    EXPECT_EQ(Mid(L"abcdef", 2, 3), L"bcd");
    EXPECT_EQ(Mid(L"abcdef", 4), L"def");
    EXPECT_EQ(Mid(L"abcdef", 5, 10), L"ef");
    EXPECT_EQ(Mid(L"abc", 4), L"");
    EXPECT_EQ(Mid(L"abc", 2, 0), L"");
    EXPECT_EQ(errorOf([] { Mid(L"abc", 0); }), 5);
    EXPECT_EQ(errorOf([] { Mid(L"abc", 1, -2); }), 5);
    EXPECT_EQ(Left(L"abc", 2), L"ab");
    EXPECT_EQ(Left(L"abc", 9), L"abc");
    EXPECT_EQ(Right(L"abc", 2), L"bc");
    EXPECT_EQ(Right(L"abc", 9), L"abc");
    EXPECT_EQ(Right(L"abc", 0), L"");
    EXPECT_EQ(errorOf([] { Left(L"abc", -1); }), 5);
    EXPECT_EQ(errorOf([] { Right(L"abc", -1); }), 5);
}

TEST(FormsFunctions, ReplaceDoesNotRescan) {
    EXPECT_EQ(Replace(L"a.b.c", L".", L".."), L"a..b..c");
    EXPECT_EQ(Replace(L"aaa", L"aa", L"b"), L"ba");
    EXPECT_EQ(Replace(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(Replace(L"abc", L"b", L""), L"ac");
}

TEST(FormsColor, TranslationOfPlainAndSystemColours) {
    EXPECT_EQ(translateColor(0x00123456), 0x00123456u);
    EXPECT_EQ(translateColor(systemColour(COLOR_BTNFACE)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(translateColor(0x80000005), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(errorOf([] { translateColor(0x800000FF); }), 380);
    COLORREF c = 1;
    EXPECT_FALSE(tryTranslateColor(0x800000FF, c));
    // A palette colour is the system's own translation's, loaded when first asked for.
    EXPECT_TRUE(tryTranslateColor(0x02123456, c));
    EXPECT_EQ(c & 0x00FFFFFFu, 0x00123456u);
    EXPECT_TRUE(isValidColour(0x8000000F));
    EXPECT_EQ(makeColour(1, 2, 3), 0x00030201u);
    EXPECT_EQ(colourRed(0x00030201), 1);
    EXPECT_EQ(colourGreen(0x00030201), 2);
    EXPECT_EQ(colourBlue(0x00030201), 3);
}
