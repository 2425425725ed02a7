// Vietnamese typed with VNI digits ("Nha4n") turned into precomposed Unicode letters.
#pragma once

#include <string>
#include <string_view>

namespace widgets {

// The escape character callers put between a letter and a digit that must stay a digit.
inline constexpr wchar_t kVniMarker[] = L"\u00A6";

// Each digit 1-9 after a letter that can take that mark replaces the letter; a digit at the start
// or after a letter that cannot take it stays. Every occurrence of the marker is then removed.
std::wstring VniToUnicode(std::wstring_view text, std::wstring_view marker);

// The letter that `letter` becomes with the mark of `digit`, or 0 when the pair does not combine.
wchar_t vniCombine(wchar_t letter, wchar_t digit);

} // namespace widgets
