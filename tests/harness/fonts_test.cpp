// The prefix must draw every Azerbaijani, Turkish and Russian letter the forms show whole, in the
// faces and weights they use: not as the missing-glyph box, and with its mark (breve, diaeresis, dot,
// cedilla). A bold face made up from the regular one has drawn "й" as "и"; one made by widening every
// row of the regular bitmaps has merged the dots of "ü" and drawn "м" as "н"; one that gave each letter
// a single advance for all the captions' sizes left a hole after "m"; one that widened "м" only where
// its gaps allowed drew it a pixel off "и". Wine's regular face drew "м" and "б" a blank column further
// from their neighbours than "m" and "o", "ş" and "ə" too, and the search box, which places letters by
// their measure, set "д" two columns further on than it is drawn.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int W = 64, H = 48, kBaseline = 36, kOrigin = 4;

struct Ink {
    std::vector<bool> mask;
    int count = 0;
    int top = -1, bottom = -1; // rows of the first and last dark pixel
    int left = W, right = -1;  // the first and last columns with a dark pixel
    bool operator==(const Ink& o) const { return mask == o.mask; }

    bool at(int x, int y) const { return x >= 0 && x < W && y >= 0 && y < H && mask[y * W + x]; }

    // Separate pieces of ink (pixels touching at a corner are one piece), or with ink false, the
    // holes the ink encloses (a hole's pixels meet at their sides).
    int pieces(bool ink) const {
        std::vector<bool> seen(mask.size());
        int found = 0;
        for (int i = 0; i < W * H; ++i) {
            if (mask[i] != ink || seen[i]) continue;
            bool open = false;
            std::vector<int> stack{i};
            seen[i] = true;
            while (!stack.empty()) {
                const int x = stack.back() % W, y = stack.back() / W;
                stack.pop_back();
                open |= x == 0 || y == 0 || x == W - 1 || y == H - 1;
                for (int v = std::max(y - 1, 0); v <= std::min(y + 1, H - 1); ++v)
                    for (int u = std::max(x - 1, 0); u <= std::min(x + 1, W - 1); ++u)
                        if (mask[v * W + u] == ink && !seen[v * W + u] && (ink || u == x || v == y)) {
                            seen[v * W + u] = true;
                            stack.push_back(v * W + u);
                        }
            }
            found += ink || !open;
        }
        return found;
    }

    int runs(int y) const {
        int found = 0;
        for (int x = 0; x < W; ++x) found += at(x, y) && !at(x - 1, y);
        return found;
    }
};

// The first row where the bold letter has fewer runs of ink than the regular one, where a gap
// closed; -1 if none.
int closedRow(const Ink& bold, const Ink& regular) {
    for (int y = 0; y < H; ++y)
        if (bold.runs(y) < regular.runs(y)) return y;
    return -1;
}

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
        // On a common baseline, so that the rows of two weights can be compared.
        SetTextAlign(dc_, TA_BASELINE);
        TextOutW(dc_, kOrigin, kBaseline, text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc_, of);
        GdiFlush();
        Ink ink;
        ink.mask.resize(W * H);
        for (int i = 0; i < W * H; ++i) {
            bool dark = (bits_[i] & 0xFF) < 128;
            ink.mask[i] = dark;
            ink.count += dark;
            if (dark) {
                if (ink.top < 0) ink.top = i / W;
                ink.bottom = i / W;
                ink.left = std::min(ink.left, i % W);
                ink.right = std::max(ink.right, i % W);
            }
        }
        return ink;
    }

    int measure(HFONT font, const std::wstring& text) {
        HGDIOBJ of = SelectObject(dc_, font);
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc_, of);
        return size.cx;
    }

    // How far the letter moves the next one along, as drawn.
    int advance(HFONT font, wchar_t letter) {
        return draw(font, std::wstring(1, letter) + L"l").right - draw(font, L"l").right;
    }

private:
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

// Where a letter's mark sits beside the plain letter it is made from: above it, below it, or, for the
// dotless ı, the dot of i missing.
enum class Mark { Above, Below, NoDot, Own };

struct Letter {
    wchar_t letter;
    wchar_t plain; // the letter without its mark; for Own, a letter it must differ from
    Mark mark;
};

// Every letter with a mark in the captions of the four interface languages, and the schwa.
const Letter kLetters[] = {
    {L'й', L'и', Mark::Above}, {L'Й', L'И', Mark::Above}, {L'ё', L'е', Mark::Above},
    {L'Ё', L'Е', Mark::Above}, {L'ğ', L'g', Mark::Above}, {L'Ğ', L'G', Mark::Above},
    {L'İ', L'I', Mark::Above}, {L'ö', L'o', Mark::Above}, {L'Ö', L'O', Mark::Above},
    {L'ü', L'u', Mark::Above}, {L'Ü', L'U', Mark::Above}, {L'ş', L's', Mark::Below},
    {L'Ş', L'S', Mark::Below}, {L'ç', L'c', Mark::Below}, {L'Ç', L'C', Mark::Below},
    {L'ı', L'i', Mark::NoDot}, {L'ə', L'e', Mark::Own},   {L'Ə', L'E', Mark::Own},
};

// The other letters of the Russian, Turkish and Azerbaijani captions, which need only be real glyphs.
const wchar_t kPlainLetters[] = L"абвгдежзиклмнопрстуфхцчшщъыьэюяАБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯxqXQ";

// Letters whose marks, strokes or eye stand a pixel apart at the captions' sizes: the bold letter must
// keep each gap of the regular one.
const wchar_t kGapLetters[] = L"üöşğıiмйёəÜÖŞĞİЙЁƏ";

struct Face {
    const wchar_t* name;
    double points;
    bool bold;
    BYTE charset;
};

// Tahoma in the weights and sizes of the forms' captions (Turkish character set, as they store it), and
// the lists' Times New Roman, regular and bold (a row may be bold).
const Face kFaces[] = {
    {L"Tahoma", 8.25, false, TURKISH_CHARSET},        {L"Tahoma", 8.25, true, TURKISH_CHARSET},
    {L"Tahoma", 9.75, true, TURKISH_CHARSET},         {L"Tahoma", 8.25, true, DEFAULT_CHARSET},
    {L"Times New Roman", 12, false, TURKISH_CHARSET}, {L"Times New Roman", 12, true, TURKISH_CHARSET},
};

std::wstring hex(wchar_t c) {
    wchar_t text[8];
    swprintf(text, 8, L"U+%04X", unsigned(c));
    return text;
}

std::wstring describe(const Face& f, wchar_t c) {
    return std::wstring(f.name) + L" " + std::to_wstring(f.points) + (f.bold ? L" bold" : L"") +
           L" charset " + std::to_wstring(f.charset) + L", " + hex(c) + L" " + std::wstring(1, c);
}

std::string narrow(const std::wstring& s) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, out.data(), int(out.size()), nullptr, nullptr);
    out.pop_back();
    return out;
}

TEST(Fonts, EveryCaptionLetterIsWholeInRegularAndBold) {
    Canvas canvas;
    for (const Face& face : kFaces) {
        HFONT font = makeFont(face.name, face.points, face.bold, face.charset);
        ASSERT_NE(font, nullptr);
        // U+0378 is unassigned: every face draws it as the missing-glyph box.
        const Ink box = canvas.draw(font, L"\x0378");
        auto real = [&](wchar_t c) {
            const Ink ink = canvas.draw(font, std::wstring(1, c));
            EXPECT_GT(ink.count, 0) << narrow(describe(face, c)) << ": no ink";
            EXPECT_FALSE(ink == box) << narrow(describe(face, c)) << ": the missing-glyph box";
            return ink;
        };
        for (const wchar_t* c = kPlainLetters; *c; ++c) real(*c);
        for (const Letter& l : kLetters) {
            const Ink ink = real(l.letter);
            const Ink plain = canvas.draw(font, std::wstring(1, l.plain));
            const std::string what = narrow(describe(face, l.letter));
            EXPECT_FALSE(ink == plain) << what << ": drawn as " << narrow(std::wstring(1, l.plain));
            switch (l.mark) {
            case Mark::Above:
                EXPECT_LT(ink.top, plain.top) << what << ": no mark above";
                break;
            case Mark::Below:
                EXPECT_GT(ink.bottom, plain.bottom) << what << ": no mark below";
                break;
            case Mark::NoDot:
                EXPECT_GT(ink.top, plain.top) << what << ": has a dot";
                break;
            case Mark::Own:
                break;
            }
        }
        EXPECT_GT(canvas.draw(font, L"Səsləndirmə Русский Çıkış").count, 0);
        // The captions' bold is drawn from bitmaps made for it; the lists' bold is drawn in grey.
        if (face.bold && std::wstring(face.name) == L"Tahoma") {
            HFONT regular = makeFont(face.name, face.points, false, face.charset);
            for (const wchar_t* c = kGapLetters; *c; ++c) {
                const Ink bold = canvas.draw(font, std::wstring(1, *c));
                const Ink thin = canvas.draw(regular, std::wstring(1, *c));
                const std::string what = narrow(describe(face, *c));
                EXPECT_EQ(bold.pieces(true), thin.pieces(true)) << what << ": pieces of ink";
                EXPECT_GE(bold.pieces(false), thin.pieces(false)) << what << ": holes filled in";
                EXPECT_EQ(closedRow(bold, thin), -1)
                    << what << ": a gap of the regular letter closed in that row";
            }
            DeleteObject(regular);
        }
        DeleteObject(font);
    }
}

// Every letter of the captions' alphabets.
const wchar_t kAlphabets[] = L"abcçdeəfgğhxıijkqlmnoöprsştuüvyzâîûABCÇDEƏFGĞHXIİJKQLMNOÖPRSŞTUÜVYZÂÎÛ"
                             L"абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";

// The bold captions' sizes, where the bold face is drawn from bitmaps. A bold letter must leave as many
// blank columns before and after it as the regular one, so that bold captions are spaced as evenly, and
// be measured as it is drawn, or centred and right-aligned captions stand askew.
const double kBoldCaptionPoints[] = {8.25, 9, 9.75};

TEST(Fonts, BoldCaptionLettersAreSpacedAsTheRegularOnes) {
    Canvas canvas;
    for (double points : kBoldCaptionPoints) {
        HFONT bold = makeFont(L"Tahoma", points, true, TURKISH_CHARSET);
        HFONT regular = makeFont(L"Tahoma", points, false, TURKISH_CHARSET);
        auto blanks = [&](HFONT font, wchar_t c) {
            const Ink ink = canvas.draw(font, std::wstring(1, c));
            return std::pair(ink.left - kOrigin, kOrigin + canvas.advance(font, c) - 1 - ink.right);
        };
        for (const wchar_t* c = kAlphabets; *c; ++c) {
            const std::string what = narrow(describe({L"Tahoma", points, true, TURKISH_CHARSET}, *c));
            EXPECT_EQ(blanks(bold, *c), blanks(regular, *c)) << what << ": blank columns before and after";
            EXPECT_EQ(canvas.measure(bold, std::wstring(1, *c)), canvas.advance(bold, *c))
                << what << ": measured otherwise";
        }
        DeleteObject(regular);
        DeleteObject(bold);
    }
}

// The search box's and the regular captions' sizes (10 and 8.25 points), and 9 points, whose bitmaps
// the bold is made from.
const double kRegularPoints[] = {8.25, 9, 10};

// Every other letter of the alphabets, with the Latin letters whose left edges and whose right edges
// have its shape (a stem, a bowl, an arm, the end of a bar): it may leave no more blank columns before
// it than the first leave, nor after it than the second.
struct Alike {
    const wchar_t *letters, *left, *right;
};
const Alike kAlike[] = {
    {L"аâ", L"a", L"a"},
    {L"б", L"o", L"b"},
    {L"в", L"b", L"b"},
    {L"г", L"r", L"r"},
    {L"дийлнпцчшщ", L"nu", L"nu"},
    {L"м", L"m", L"m"},
    {L"еёə", L"e", L"e"},
    {L"ж", L"kx", L"kx"},
    {L"зэ", L"s", L"o"},
    {L"к", L"k", L"kx"},
    {L"оöф", L"o", L"o"},
    {L"р", L"p", L"p"},
    {L"сç", L"c", L"c"},
    {L"т", L"tz", L"tz"},
    {L"у", L"y", L"y"},
    {L"х", L"x", L"x"},
    {L"ъ", L"tz", L"b"},
    {L"ы", L"b", L"l"},
    {L"ь", L"b", L"b"},
    {L"ю", L"b", L"o"},
    {L"я", L"d", L"d"},
    {L"ğ", L"g", L"g"},
    {L"ıî", L"i", L"i"},
    {L"ş", L"s", L"s"},
    {L"üû", L"u", L"u"},
    {L"АÂ", L"A", L"A"},
    {L"Б", L"B", L"BE"},
    {L"В", L"B", L"B"},
    {L"Г", L"F", L"F"},
    {L"Д", L"AH", L"H"},
    {L"ЕЁ", L"E", L"E"},
    {L"Ж", L"KX", L"KX"},
    {L"ЗЭ", L"S", L"O"},
    {L"ИЙНПЦЧШЩ", L"HNU", L"HNU"},
    {L"К", L"K", L"K"},
    {L"Л", L"AH", L"H"},
    {L"М", L"M", L"M"},
    {L"ОÖФƏ", L"O", L"O"},
    {L"Р", L"P", L"P"},
    {L"СÇ", L"C", L"C"},
    {L"Т", L"T", L"T"},
    {L"У", L"Y", L"Y"},
    {L"Х", L"X", L"X"},
    {L"Ъ", L"T", L"B"},
    {L"Ы", L"B", L"H"},
    {L"Ь", L"B", L"B"},
    {L"Ю", L"H", L"O"},
    {L"Я", L"O", L"H"},
    {L"Ğ", L"G", L"G"},
    {L"İÎ", L"I", L"I"},
    {L"Ş", L"S", L"S"},
    {L"ÜÛ", L"U", L"U"},
};

// How far the search box, an edit control, sets the next letter on from this one.
int boxAdvance(HWND edit, wchar_t letter) {
    SetWindowTextW(edit, std::wstring{letter, L'l'}.c_str());
    return LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 1, 0)) -
           LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 0, 0));
}

// A letter standing a blank column further from its neighbours than the Latin letters of its shape
// reads as the end of a word ("хле б"), in the captions and in the search box, which places the letters
// by their measure: it must be the advance they are drawn with.
TEST(Fonts, RegularLettersAreSpacedAsTheLatinLettersOfTheirShape) {
    Canvas canvas;
    HWND box = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 30, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    for (double points : kRegularPoints) {
        HFONT font = makeFont(L"Tahoma", points, false, TURKISH_CHARSET);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        auto blanks = [&](wchar_t c) {
            const Ink ink = canvas.draw(font, std::wstring(1, c));
            return std::pair(ink.left - kOrigin, kOrigin + canvas.advance(font, c) - 1 - ink.right);
        };
        auto most = [&](const wchar_t* alike, bool after) {
            int found = 0;
            for (; *alike; ++alike)
                found = std::max(found, after ? blanks(*alike).second : blanks(*alike).first);
            return found;
        };
        for (const wchar_t* c = kAlphabets; *c; ++c) {
            const std::string what = narrow(describe({L"Tahoma", points, false, TURKISH_CHARSET}, *c));
            EXPECT_EQ(boxAdvance(box, *c), canvas.advance(font, *c))
                << what << ": placed otherwise in the search box";
            if (*c < 0x80) continue;
            const Alike* alike = std::find_if(std::begin(kAlike), std::end(kAlike),
                                              [&](const Alike& a) { return std::wcschr(a.letters, *c); });
            ASSERT_NE(alike, std::end(kAlike)) << what << ": no Latin letter of its shape named";
            const auto [before, after] = blanks(*c);
            EXPECT_LE(before, most(alike->left, false))
                << what << ": blank columns before it, beside " << narrow(alike->left);
            EXPECT_LE(after, most(alike->right, true))
                << what << ": blank columns after it, beside " << narrow(alike->right);
        }
        SendMessageW(box, WM_SETFONT, 0, FALSE);
        DeleteObject(font);
    }
    DestroyWindow(box);
}

// A letter's rows of ink from its first column, a bit a pixel.
std::vector<std::uint64_t> shapeOf(const Ink& ink) {
    std::vector<std::uint64_t> rows(H);
    for (int y = 0; y < H; ++y)
        for (int x = ink.left; x < W; ++x) rows[y] |= std::uint64_t(ink.at(x, y)) << (x - ink.left);
    return rows;
}

int pixelsApart(const std::vector<std::uint64_t>& a, const std::vector<std::uint64_t>& b) {
    int found = 0;
    for (int y = 0; y < H; ++y) found += std::popcount(a[y] ^ b[y]);
    return found;
}

// A bold letter a pixel off another reads as that one: letters more than a pixel apart in regular must
// stay so in bold.
TEST(Fonts, BoldCaptionLettersAreToldApart) {
    Canvas canvas;
    const std::wstring letters = kAlphabets;
    for (double points : kBoldCaptionPoints) {
        const Face face{L"Tahoma", points, true, TURKISH_CHARSET};
        HFONT bold = makeFont(L"Tahoma", points, true, TURKISH_CHARSET);
        HFONT regular = makeFont(L"Tahoma", points, false, TURKISH_CHARSET);
        std::vector<std::vector<std::uint64_t>> thin, thick;
        for (wchar_t c : letters) {
            thin.push_back(shapeOf(canvas.draw(regular, std::wstring(1, c))));
            thick.push_back(shapeOf(canvas.draw(bold, std::wstring(1, c))));
        }
        for (size_t i = 0; i < letters.size(); ++i)
            for (size_t j = i + 1; j < letters.size(); ++j) {
                const int regularly = pixelsApart(thin[i], thin[j]);
                if (regularly < 2) continue;
                EXPECT_GT(pixelsApart(thick[i], thick[j]), 1)
                    << narrow(describe(face, letters[i]) + L" and " + hex(letters[j]) + L" " + letters[j])
                    << ": " << regularly << " pixels apart in regular";
            }
        DeleteObject(regular);
        DeleteObject(bold);
    }
}

} // namespace
