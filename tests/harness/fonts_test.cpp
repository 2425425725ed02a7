// The prefix must draw Azerbaijani, Turkish and Cyrillic letters with real glyphs in the faces the
// forms use; a face that lacks one shows the missing-glyph box instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Ink {
    std::vector<bool> mask;
    int count = 0;
    bool operator==(const Ink& o) const { return mask == o.mask; }
};

class Canvas {
public:
    Canvas() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = W;
        bi.bmiHeader.biHeight = -H;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }

    Ink draw(HFONT font, const std::wstring& text) {
        RECT r{0, 0, W, H};
        FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HGDIOBJ of = SelectObject(dc_, font);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(0, 0, 0));
        TextOutW(dc_, 4, 4, text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc_, of);
        GdiFlush();
        Ink ink;
        ink.mask.resize(W * H);
        for (int i = 0; i < W * H; ++i) {
            bool dark = (bits_[i] & 0xFF) < 128;
            ink.mask[i] = dark;
            ink.count += dark;
        }
        return ink;
    }

private:
    static constexpr int W = 64, H = 48;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

HFONT makeFont(const wchar_t* face, double points, bool bold, BYTE charset) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(static_cast<int>(points * 100 + 0.5), dpi, 7200);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = charset;
    wcscpy_s(lf.lfFaceName, face);
    return CreateFontIndirectW(&lf);
}

void expectRealGlyphs(HFONT font) {
    Canvas canvas;
    // U+0378 is unassigned: every face draws it as the missing-glyph box.
    Ink box = canvas.draw(font, L"\x0378");
    const std::wstring letters = L"əışçИоПкКÇ";
    for (wchar_t c : letters) {
        Ink ink = canvas.draw(font, std::wstring(1, c));
        EXPECT_GT(ink.count, 0) << "no ink for U+" << std::hex << int(c);
        EXPECT_FALSE(ink == box) << "missing-glyph box for U+" << std::hex << int(c);
    }
    Ink line = canvas.draw(font, L"Səsləndirmə Поиск Çıkış");
    EXPECT_GT(line.count, 0);
}

TEST(Fonts, TahomaBoldDrawsAzerbaijaniTurkishAndCyrillic) {
    HFONT f = makeFont(L"Tahoma", 8.25, true, DEFAULT_CHARSET);
    ASSERT_NE(f, nullptr);
    expectRealGlyphs(f);
    DeleteObject(f);
}

TEST(Fonts, TimesNewRomanTurkishCharsetDrawsAllLetters) {
    HFONT f = makeFont(L"Times New Roman", 12, false, TURKISH_CHARSET);
    ASSERT_NE(f, nullptr);
    expectRealGlyphs(f);
    DeleteObject(f);
}

} // namespace
