#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "widgets/shared/vni.h"

using widgets::kVniMarker;
using widgets::vniCombine;
using widgets::VniToUnicode;

namespace {

std::wstring vni(const std::wstring& s) {
    return VniToUnicode(s, kVniMarker);
}

TEST(TextVni, ConvertsCaptions) {
    EXPECT_EQ(vni(L"Nu1t ba61m"), L"N\u00FAt b\u1EA5m");
    EXPECT_EQ(vni(L"Nha4n"), L"Nh\u00E3n");
    EXPECT_EQ(vni(L"Khung"), L"Khung");
    EXPECT_EQ(vni(L"Kho6i phu5c"), L"Kh\u00F4i ph\u1EE5c");
    EXPECT_EQ(vni(L"Di chuye63n"), L"Di chuy\u1EC3n");
    EXPECT_EQ(vni(L"Ke61t thu1c"), L"K\u1EBFt th\u00FAc");
    EXPECT_EQ(vni(L"D9o7i"), L"\u0110\u01A1i");
}

TEST(TextVni, DigitsThatFitNoLetterStay) {
    EXPECT_EQ(vni(L"1a"), L"1a");
    EXPECT_EQ(vni(L"1"), L"1");
    EXPECT_EQ(vni(L"a0"), L"a0");
    EXPECT_EQ(vni(L"b1"), L"b1");
    EXPECT_EQ(vni(L"d9"), L"\u0111");
    EXPECT_EQ(vni(L"D9"), L"\u0110");
    EXPECT_EQ(vni(L"a9"), L"a9");
    // A second tone, or a second shape mark, is refused.
    EXPECT_EQ(vni(L"a12"), L"\u00E12");
    EXPECT_EQ(vni(L"a66"), L"\u00E26");
    EXPECT_EQ(vni(L"o77"), L"\u01A17");
    EXPECT_EQ(vni(L"a88"), L"\u01038");
    EXPECT_EQ(vni(L"a68"), L"\u00E28");
    // Horn only on o and u, breve only on a.
    EXPECT_EQ(vni(L"a7 e8 o8 u8 i6 y7"), L"a7 e8 o8 u8 i6 y7");
    EXPECT_EQ(vni(L""), L"");
}

TEST(TextVni, ToneAndShapeComposeInEitherOrder) {
    EXPECT_EQ(vni(L"A61"), L"\u1EA4");
    EXPECT_EQ(vni(L"A16"), L"\u1EA4");
    EXPECT_EQ(vni(L"u75"), L"\u1EF1");
    EXPECT_EQ(vni(L"u57"), L"\u1EF1");
    EXPECT_EQ(vni(L"a38"), L"\u1EB3");
}

TEST(TextVni, MarkerKeepsTheDigitAndIsRemoved) {
    EXPECT_EQ(vni(L"a\u00A61"), L"a1");
    EXPECT_EQ(vni(L"\u00A6\u00A6x\u00A6"), L"x");
    // A converted letter followed by the marker and a digit keeps the digit too.
    EXPECT_EQ(vni(L"a1\u00A62"), L"\u00E12");
    // Another marker is taken exactly as given.
    EXPECT_EQ(VniToUnicode(L"a#1b", L"#"), L"a1b");
    EXPECT_EQ(VniToUnicode(L"a\u00A61", L""), L"a\u00A61");
}

// Every letter-digit pair that combines gives the precomposed letter for the base letter with its
// shape mark and then its tone, as the platform's normaliser builds it.
using NormalizeFn = int(WINAPI*)(int, LPCWSTR, int, LPWSTR, int);

std::wstring normalize(NormalizeFn fn, int form, const std::wstring& s) {
    wchar_t buf[32];
    int n = fn(form, s.c_str(), int(s.size()), buf, 32);
    return n > 0 ? std::wstring(buf, size_t(n)) : std::wstring();
}

bool isShape(wchar_t m) {
    return m == 0x0302 || m == 0x031B || m == 0x0306;
}

TEST(TextVni, EveryPairMapsToThePrecomposedLetter) {
    auto fn =
        reinterpret_cast<NormalizeFn>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "NormalizeString"));
    if (!fn)
        fn = reinterpret_cast<NormalizeFn>(GetProcAddress(LoadLibraryW(L"normaliz.dll"), "NormalizeString"));
    ASSERT_NE(fn, nullptr);
    const int NormC = 1, NormD = 2;
    const wchar_t marks[] = {0x0301, 0x0300, 0x0309, 0x0303, 0x0323, 0x0302, 0x031B, 0x0306};

    int pairs = 0;
    for (wchar_t letter = 0x20; letter < 0x2000; ++letter) {
        for (wchar_t digit = L'1'; digit <= L'9'; ++digit) {
            wchar_t got = vniCombine(letter, digit);
            if (!got) continue;
            ++pairs;
            if (digit == L'9') {
                EXPECT_TRUE((letter == L'd' && got == 0x0111) || (letter == L'D' && got == 0x0110));
                continue;
            }
            std::wstring d = normalize(fn, NormD, std::wstring(1, letter));
            ASSERT_FALSE(d.empty());
            std::wstring shape, tone;
            for (size_t k = 1; k < d.size(); ++k) (isShape(d[k]) ? shape : tone).push_back(d[k]);
            wchar_t mark = marks[digit - L'1'];
            (isShape(mark) ? shape : tone).push_back(mark);
            EXPECT_LE(shape.size(), 1u);
            EXPECT_LE(tone.size(), 1u);
            std::wstring expected = normalize(fn, NormC, d.substr(0, 1) + shape + tone);
            EXPECT_EQ(expected, std::wstring(1, got)) << std::hex << int(letter) << " + " << char(digit);
        }
    }
    EXPECT_EQ(pairs, 194);
}

} // namespace
