#include "platform/forms/functions.h"

#include "platform/core/runtime_error.h"

#include <windows.h>

#include <cmath>

namespace forms {

long roundToLong(double value) {
    const double r = core::roundHalfEven(value);
    if (!(r == r)) return 0;
    if (r <= static_cast<double>(INT32_MIN)) return INT32_MIN;
    if (r >= static_cast<double>(INT32_MAX)) return INT32_MAX;
    return static_cast<long>(r);
}

int16_t CInt(double value) {
    double r = core::roundHalfEven(value);
    if (!(r >= INT16_MIN && r <= INT16_MAX)) throw core::RuntimeError(core::err::Overflow);
    return static_cast<int16_t>(r);
}

int32_t CLng(double value) {
    double r = core::roundHalfEven(value);
    if (!(r >= INT32_MIN && r <= INT32_MAX)) throw core::RuntimeError(core::err::Overflow);
    return static_cast<int32_t>(r);
}

double Int(double value) {
    return std::floor(value);
}

int32_t intDiv(int32_t dividend, int32_t divisor) {
    if (divisor == 0) throw core::RuntimeError(core::err::DivisionByZero);
    if (dividend == INT32_MIN && divisor == -1) throw core::RuntimeError(core::err::Overflow);
    return dividend / divisor;
}

std::wstring LTrim(const std::wstring& text) {
    size_t b = text.find_first_not_of(L' ');
    return b == std::wstring::npos ? std::wstring() : text.substr(b);
}

std::wstring RTrim(const std::wstring& text) {
    size_t e = text.find_last_not_of(L' ');
    return e == std::wstring::npos ? std::wstring() : text.substr(0, e + 1);
}

std::wstring Trim(const std::wstring& text) {
    return LTrim(RTrim(text));
}

namespace {

std::wstring mapCase(const std::wstring& text, DWORD flag) {
    if (text.empty()) return text;
    std::wstring out(text.size(), L'\0');
    int n = LCMapStringW(LOCALE_INVARIANT, flag, text.data(), static_cast<int>(text.size()), out.data(),
                         static_cast<int>(out.size()));
    if (n != static_cast<int>(text.size())) {
        // Mapping never changes the length for these flags; keep the text if it somehow does.
        out = text;
        if (flag == LCMAP_LOWERCASE)
            CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
        else
            CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    }
    return out;
}

} // namespace

// The dotted capital I and the dotless small i map to the plain Latin letters, as Windows' own
// case tables do; Wine's tables leave them as they are.
std::wstring LCase(const std::wstring& text) {
    std::wstring out = mapCase(text, LCMAP_LOWERCASE);
    for (wchar_t& c : out)
        if (c == L'\u0130') c = L'i';
    return out;
}
std::wstring UCase(const std::wstring& text) {
    std::wstring out = mapCase(text, LCMAP_UPPERCASE);
    for (wchar_t& c : out)
        if (c == L'\u0131') c = L'I';
    return out;
}

int32_t InStr(int32_t start, const std::wstring& text, const std::wstring& find) {
    if (start < 1) throw core::RuntimeError(core::err::InvalidProcedureCall);
    if (text.empty() || static_cast<size_t>(start) > text.size()) return 0;
    if (find.empty()) return start;
    size_t at = text.find(find, static_cast<size_t>(start - 1));
    return at == std::wstring::npos ? 0 : static_cast<int32_t>(at + 1);
}

std::vector<std::wstring> Split(const std::wstring& text, const std::wstring& delimiter) {
    std::vector<std::wstring> pieces;
    if (text.empty()) return pieces;
    if (delimiter.empty()) {
        pieces.push_back(text);
        return pieces;
    }
    size_t from = 0;
    for (;;) {
        size_t at = text.find(delimiter, from);
        if (at == std::wstring::npos) break;
        pieces.push_back(text.substr(from, at - from));
        from = at + delimiter.size();
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

std::wstring Mid(const std::wstring& text, int32_t start, int32_t length) {
    if (start < 1 || length < -1) throw core::RuntimeError(core::err::InvalidProcedureCall);
    if (static_cast<size_t>(start) > text.size()) return {};
    return text.substr(static_cast<size_t>(start - 1),
                       length < 0 ? std::wstring::npos : static_cast<size_t>(length));
}

std::wstring Left(const std::wstring& text, int32_t count) {
    if (count < 0) throw core::RuntimeError(core::err::InvalidProcedureCall);
    return text.substr(0, static_cast<size_t>(count));
}

std::wstring Right(const std::wstring& text, int32_t count) {
    if (count < 0) throw core::RuntimeError(core::err::InvalidProcedureCall);
    size_t n = static_cast<size_t>(count);
    return n >= text.size() ? text : text.substr(text.size() - n);
}

std::wstring Replace(const std::wstring& text, const std::wstring& find, const std::wstring& replacement) {
    if (find.empty() || text.empty()) return text;
    std::wstring out;
    size_t from = 0;
    for (;;) {
        size_t at = text.find(find, from);
        if (at == std::wstring::npos) break;
        out.append(text, from, at - from);
        out += replacement;
        from = at + find.size();
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

} // namespace forms
