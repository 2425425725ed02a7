#include "platform/data/like_pattern.h"

#include <cstddef>

namespace data {

namespace {

bool isNameChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
           c == L'$' || c >= 0x80;
}

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool wordAt(const std::wstring& s, size_t i, const wchar_t* word) {
    size_t n = 0;
    for (; word[n]; ++n) {
        if (i + n >= s.size()) return false;
        wchar_t c = s[i + n];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
        if (c != word[n]) return false;
    }
    return (i == 0 || !isNameChar(s[i - 1])) && (i + n >= s.size() || !isNameChar(s[i + n]));
}

// True when a run of the pattern between wildcards takes three or more UTF-8 bytes but holds
// fewer than three characters.
bool hasShortWideRun(const std::wstring& pattern) {
    size_t bytes = 0, chars = 0;
    for (size_t i = 0; i <= pattern.size(); ++i) {
        wchar_t c = i < pattern.size() ? pattern[i] : L'%';
        if (c == L'%' || c == L'_') {
            if (bytes >= 3 && chars < 3) return true;
            bytes = chars = 0;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < pattern.size() && pattern[i + 1] >= 0xDC00 &&
            pattern[i + 1] <= 0xDFFF) {
            bytes += 4;
            ++i;
        } else {
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
        ++chars;
    }
    return false;
}

// The start of the operand that ends just before position end (blanks and a "not" skipped), or
// npos when it is not a plain or dotted column name.
size_t operandStart(const std::wstring& s, size_t end) {
    size_t i = end;
    while (i > 0 && isBlank(s[i - 1])) --i;
    if (i >= 3 && wordAt(s, i - 3, L"not")) {
        i -= 3;
        while (i > 0 && isBlank(s[i - 1])) --i;
    }
    size_t stop = i;
    while (i > 0 && (isNameChar(s[i - 1]) || s[i - 1] == L'.')) --i;
    if (i == stop || wordAt(s, i, L"where") || wordAt(s, i, L"and") || wordAt(s, i, L"or"))
        return std::wstring::npos;
    return i;
}

} // namespace

std::wstring likeWithoutShortRuns(const std::wstring& sql) {
    std::wstring out = sql;
    size_t i = 0;
    while (i < out.size()) {
        wchar_t c = out[i];
        if (c == L'\'' || c == L'"') { // skip a literal or a quoted name
            for (++i; i < out.size(); ++i)
                if (out[i] == c) {
                    if (i + 1 < out.size() && out[i + 1] == c)
                        ++i;
                    else
                        break;
                }
            ++i;
            continue;
        }
        if (!wordAt(out, i, L"like")) {
            ++i;
            continue;
        }
        size_t at = i;
        size_t q = i + 4;
        while (q < out.size() && isBlank(out[q])) ++q;
        i = q;
        if (q >= out.size() || out[q] != L'\'') continue;
        std::wstring pattern;
        size_t e = q + 1;
        for (; e < out.size(); ++e) {
            if (out[e] == L'\'') {
                if (e + 1 < out.size() && out[e + 1] == L'\'') {
                    pattern += L'\'';
                    ++e;
                    continue;
                }
                break;
            }
            pattern += out[e];
        }
        i = e + 1;
        if (!hasShortWideRun(pattern)) continue;
        size_t operand = operandStart(out, at);
        if (operand == std::wstring::npos || (operand > 0 && out[operand - 1] == L'+')) continue;
        out.insert(operand, 1, L'+');
        ++i;
    }
    return out;
}

} // namespace data
