#pragma once

// Number and text helpers with the meaning forms code expects. Text is UTF-16; positions are 1-based.

#include "platform/core/rounding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// The same as a whole number for drawing arithmetic: never raises, clamps to the 32-bit range
// (NaN gives 0).
long roundToLong(double value);
// Nearest 16- or 32-bit integer, halves to even; RuntimeError 6 when out of range.
int16_t CInt(double value);
int32_t CLng(double value);
// The whole number at or below (Int(-2.5) = -3).
double Int(double value);
// Whole-number division toward zero (-7 \ 2 = -3); RuntimeError 11 when dividing by zero.
int32_t intDiv(int32_t dividend, int32_t divisor);

// Length in UTF-16 units.
inline int32_t Len(const std::wstring& text) {
    return static_cast<int32_t>(text.size());
}
// Remove blanks (U+0020) only; tabs and other spaces stay.
std::wstring Trim(const std::wstring& text);
std::wstring LTrim(const std::wstring& text);
std::wstring RTrim(const std::wstring& text);
// Case mapping for every script, one unit for one unit, independent of the user's locale.
std::wstring LCase(const std::wstring& text);
std::wstring UCase(const std::wstring& text);

// Position of find in text at or after start, comparing units exactly; 0 when absent. An empty find
// is found at start (within the text). RuntimeError 5 when start < 1.
int32_t InStr(int32_t start, const std::wstring& text, const std::wstring& find);
inline int32_t InStr(const std::wstring& text, const std::wstring& find) {
    return InStr(1, text, find);
}
// Pieces between delimiters; an empty text gives no pieces, an empty delimiter the whole text.
std::vector<std::wstring> Split(const std::wstring& text, const std::wstring& delimiter = L" ");
// Length units from start (all the rest when length is negative one / omitted); start past the end gives
// "". RuntimeError 5 when start < 1 or length < -1.
std::wstring Mid(const std::wstring& text, int32_t start, int32_t length = -1);
// The first or last count units (all of them when count is larger); RuntimeError 5 when count < 0.
std::wstring Left(const std::wstring& text, int32_t count);
std::wstring Right(const std::wstring& text, int32_t count);
// Every occurrence of find replaced, left to right, without rescanning the replacement.
std::wstring Replace(const std::wstring& text, const std::wstring& find, const std::wstring& replacement);

} // namespace forms
