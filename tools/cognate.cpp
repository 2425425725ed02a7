#include "tools/cognate.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace tools {

namespace {

// The Russian letters а to я.
const wchar_t* const kCyrillic[32] = {L"a",  L"b",  L"v",  L"g",  L"d", L"e", L"j", L"z", L"i",  L"y", L"k",
                                      L"l",  L"m",  L"n",  L"o",  L"p", L"r", L"s", L"t", L"u",  L"f", L"h",
                                      L"ts", L"ch", L"sh", L"sh", L"",  L"i", L"",  L"e", L"yu", L"ya"};

size_t editDistance(const std::wstring& a, const std::wstring& b) {
    thread_local std::vector<size_t> row;
    row.resize(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::wstring plainLatin(const std::wstring& word) {
    // ё, and the Turkish letters as a Russian ear takes them: ç as ч, ş as ш, c as ж; the soft g
    // is not heard.
    struct Latin {
        wchar_t letter;
        const wchar_t* plain;
    };
    static constexpr Latin kOtherLetters[] = {
        {L'\u0451', L"yo"}, {L'\u00E7', L"ch"}, {L'\u015F', L"sh"}, {L'\u011F', L""},
        {L'\u0131', L"i"},  {L'\u00EE', L"i"},  {L'\u00F6', L"o"},  {L'\u00FC', L"u"},
        {L'\u00FB', L"u"},  {L'\u00E2', L"a"},  {L'c', L"j"},
    };
    std::wstring out;
    for (wchar_t c : word) {
        if (c >= 0x430 && c <= 0x44F) {
            out += kCyrillic[c - 0x430];
            continue;
        }
        auto found = std::find_if(std::begin(kOtherLetters), std::end(kOtherLetters),
                                  [c](const Latin& l) { return l.letter == c; });
        if (found != std::end(kOtherLetters))
            out += found->plain;
        else
            out += c;
    }
    return out;
}

bool alikeInPlainLatin(const std::wstring& a, const std::wstring& b) {
    if (a.empty() || b.empty()) return false;
    size_t longer = std::max(a.size(), b.size());
    size_t gap = longer - std::min(a.size(), b.size());
    return 4 * gap <= longer && 4 * editDistance(a, b) <= longer;
}

bool lengthsMaySpellAlike(const std::wstring& russian, const std::wstring& turkish) {
    return russian.size() <= turkish.size() + 3 && turkish.size() <= russian.size() + 3;
}

bool spelledAlike(const std::wstring& russian, const std::wstring& turkish) {
    return lengthsMaySpellAlike(russian, turkish) &&
           alikeInPlainLatin(plainLatin(russian), plainLatin(turkish));
}

} // namespace tools
