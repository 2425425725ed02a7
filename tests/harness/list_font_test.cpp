// The lists draw every letter of a word in one weight, as Windows draws Times New Roman: each
// vertical stem of their font, drawn as a list row draws it, is as wide as the stem of "l". A face
// whose hinting fitted only some stems drew "k", "ff", "н", "к", "в", "ы", "и", "й" (and "п") two
// pixels wide beside the one-pixel "l" and "т", so "банковский" and "kırmızı" read half bold.
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int W = 640, H = 40, kLeft = 5;

// The lists' font as the main window stores it: Times New Roman 12 pt in the Turkish character set.
std::shared_ptr<forms::StdFont> listFont() {
    auto font = forms::StdFont::create(L"Times New Roman", 12);
    font->setCharset(162);
    return font;
}

struct Stem {
    size_t letter; // index in the word
    int width;     // pixels
};

// A word drawn as a list row draws its text, and the vertical stems of its ink: runs of adjacent
// columns each holding a vertical line of ink at least two thirds of the height of "x".
class Row {
public:
    Row() : surface_(W, H) {
        surface_.setBackColor(0xFFFFFF);
        surface_.setForeColor(0);
        surface_.setFont(listFont());
        draw(L"x");
        const auto [top, bottom] = inkRows();
        tallRun_ = (bottom - top + 1) * 2 / 3;
    }

    std::vector<Stem> stems(const std::wstring& word) {
        draw(word);
        std::vector<bool> tall(W);
        for (int x = 0; x < W; ++x) {
            int run = 0;
            for (int y = 0; y < H && !tall[x]; ++y) {
                run = ink(x, y) ? run + 1 : 0;
                tall[x] = run >= tallRun_;
            }
        }
        std::vector<Stem> found;
        for (int x = 0; x < W; ++x) {
            if (!tall[x] || (x > 0 && tall[x - 1])) continue;
            int width = 1;
            while (x + width < W && tall[x + width]) ++width;
            found.push_back({letterAt(word, x), width});
        }
        return found;
    }

private:
    forms::Surface surface_;
    int tallRun_ = 0;

    void draw(const std::wstring& text) {
        surface_.Cls();
        RECT area{kLeft, 4, W, H};
        DrawTextW(surface_.hDC(), text.c_str(), -1, &area, DT_SINGLELINE | DT_NOPREFIX);
        GdiFlush();
    }

    bool ink(int x, int y) const { return (surface_.pixel(x, y) & 0xFF) < 128; }

    std::pair<int, int> inkRows() const {
        int top = H, bottom = -1;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (ink(x, y)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return {top, bottom};
    }

    // The letter whose advance holds the column.
    size_t letterAt(const std::wstring& word, int x) {
        for (size_t i = 1; i <= word.size(); ++i) {
            SIZE size{};
            GetTextExtentPoint32W(surface_.hDC(), word.c_str(), static_cast<int>(i), &size);
            if (x < kLeft + size.cx) return i - 1;
        }
        return word.size() - 1;
    }
};

std::string utf8(const std::wstring& s) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
    out.pop_back();
    return out;
}

// Words of the lists' languages with the letters that came out heavy, and the alphabets of the four
// interface languages. The capital schwa is left out: it comes without hints (scripts/list-serif.py).
const wchar_t* const kWords[] = {
    L"bankbook",
    L"staff offer",
    L"kırmızı",
    L"банковский",
    L"выйти",
    L"синий",
    L"abcçdeəfgğhxıijkqlmnoöprsştuüvwyzâîû",
    L"ABCÇDEFGĞHXIİJKQLMNOÖPRSŞTUÜVWYZÂÎÛ",
    L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
    L"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
};

// The letters reported heavy, each of which must show a stem to be judged.
const std::wstring kNamed = L"kfнквыий";

TEST(ListFont, EveryStemOfAWordIsAsWideAsTheStemOfL) {
    Row row;
    const std::vector<Stem> l = row.stems(L"l");
    ASSERT_EQ(l.size(), 1u) << "the stems of \"l\"";
    const int width = l[0].width;
    for (const wchar_t* reference : {L"i", L"п", L"т"})
        for (const Stem& stem : row.stems(reference))
            EXPECT_EQ(stem.width, width) << utf8(reference) << ": a stem unlike the stem of \"l\"";

    std::wstring judged;
    for (const std::wstring word : kWords)
        for (const Stem& stem : row.stems(word)) {
            const wchar_t letter = word[stem.letter];
            judged += letter;
            EXPECT_EQ(stem.width, width)
                << utf8(word) << ", letter " << stem.letter + 1 << " \"" << utf8(std::wstring(1, letter))
                << "\": a stem " << stem.width << " pixels wide, the stem of \"l\" " << width;
        }
    for (wchar_t letter : kNamed)
        EXPECT_NE(judged.find(letter), std::wstring::npos)
            << utf8(std::wstring(1, letter)) << ": no stem found";
}

} // namespace
