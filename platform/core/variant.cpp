#include "platform/core/variant.h"

#include "platform/core/rounding.h"
#include "platform/core/runtime_error.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

namespace core {

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool equalsNoCase(const std::wstring& text, const wchar_t* word) {
    size_t i = 0;
    for (; i < text.size() && word[i]; ++i)
        if (std::towlower(text[i]) != std::towlower(word[i])) return false;
    return i == text.size() && word[i] == 0;
}

std::wstring trimmed(const std::wstring& text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

// &H / &O literals: up to 4 hex digits (or 6 octal) give a 16-bit pattern, longer ones 32 bits.
bool parseRadix(const std::wstring& t, double& out) {
    if (t.size() < 3 || t[0] != L'&') return false;
    wchar_t kind = static_cast<wchar_t>(std::towupper(t[1]));
    int radix = kind == L'H' ? 16 : kind == L'O' ? 8 : 0;
    if (!radix) return false;
    uint64_t value = 0;
    for (size_t i = 2; i < t.size(); ++i) {
        wchar_t c = t[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        if (digit < 0 || digit >= radix) return false;
        value = value * radix + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) throw RuntimeError(err::Overflow);
    }
    if (value <= 0xFFFF)
        out = static_cast<int16_t>(static_cast<uint16_t>(value));
    else
        out = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
}

[[noreturn]] void overflow() {
    throw RuntimeError(err::Overflow);
}
[[noreturn]] void mismatch() {
    throw RuntimeError(err::TypeMismatch);
}

double roundEven(double v) {
    if (std::isnan(v)) overflow();
    return roundHalfEven(v);
}

} // namespace

double parseNumber(const std::wstring& text) {
    std::wstring t = trimmed(text);
    double radix = 0;
    if (parseRadix(t, radix)) return radix;
    // sign, digits with an optional point, optional exponent (E or D); nothing else.
    std::string ascii;
    size_t i = 0;
    if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) ascii += static_cast<char>(t[i++]);
    size_t digits = 0;
    while (i < t.size() && t[i] >= L'0' && t[i] <= L'9') ascii += static_cast<char>(t[i++]), ++digits;
    if (i < t.size() && t[i] == L'.') {
        ascii += '.';
        ++i;
        while (i < t.size() && t[i] >= L'0' && t[i] <= L'9') ascii += static_cast<char>(t[i++]), ++digits;
    }
    if (digits == 0) mismatch();
    if (i < t.size() && (t[i] == L'e' || t[i] == L'E' || t[i] == L'd' || t[i] == L'D')) {
        ascii += 'e';
        ++i;
        if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) ascii += static_cast<char>(t[i++]);
        size_t expDigits = 0;
        while (i < t.size() && t[i] >= L'0' && t[i] <= L'9') ascii += static_cast<char>(t[i++]), ++expDigits;
        if (expDigits == 0) mismatch();
    }
    if (i != t.size()) mismatch();
    double value = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(value)) overflow();
    return value;
}

std::wstring formatNumber(double value, bool single) {
    if (value == 0) return L"0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, single ? "%.7G" : "%.15G", value);
    std::wstring out;
    for (const char* p = buffer; *p; ++p) out += static_cast<wchar_t>(*p);
    return out;
}

Variant::Variant(bool value) : type_(VariantType::Boolean) {
    n_.i16 = value ? -1 : 0;
}
Variant::Variant(int16_t value) : type_(VariantType::Integer) {
    n_.i16 = value;
}
Variant::Variant(int value) : type_(VariantType::Long) {
    n_.i32 = value;
}
Variant::Variant(long value) : type_(VariantType::Long) {
    if (value < INT32_MIN || value > INT32_MAX) overflow();
    n_.i32 = static_cast<int32_t>(value);
}
Variant::Variant(float value) : type_(VariantType::Single) {
    n_.f = value;
}
Variant::Variant(double value) : type_(VariantType::Double) {
    n_.d = value;
}
Variant::Variant(std::wstring value) : type_(VariantType::String), text_(std::move(value)) {}
Variant::Variant(const wchar_t* value) : type_(VariantType::String), text_(value ? value : L"") {}

Variant Variant::null() {
    Variant v;
    v.type_ = VariantType::Null;
    return v;
}

Variant Variant::colour(uint32_t oleColour) {
    Variant v;
    v.type_ = VariantType::Colour;
    v.n_.u32 = oleColour;
    return v;
}

bool Variant::isNumeric() const noexcept {
    switch (type_) {
    case VariantType::Boolean:
    case VariantType::Integer:
    case VariantType::Long:
    case VariantType::Single:
    case VariantType::Double:
    case VariantType::Colour:
        return true;
    default:
        return false;
    }
}

// The value as a double, for every type that has one.
double Variant::numberValue() const {
    switch (type_) {
    case VariantType::Empty:
        return 0;
    case VariantType::Null:
        throw RuntimeError(err::InvalidUseOfNull);
    case VariantType::Boolean:
    case VariantType::Integer:
        return n_.i16;
    case VariantType::Long:
        return n_.i32;
    case VariantType::Colour:
        return static_cast<int32_t>(n_.u32);
    case VariantType::Single:
        return n_.f;
    case VariantType::Double:
        return n_.d;
    case VariantType::String:
        return parseNumber(text_);
    default:
        mismatch();
    }
}

bool Variant::toBoolean() const {
    if (type_ == VariantType::String) {
        std::wstring t = trimmed(text_);
        if (equalsNoCase(t, L"True")) return true;
        if (equalsNoCase(t, L"False")) return false;
    }
    double v = numberValue();
    if (std::isnan(v)) mismatch();
    return v != 0;
}

int16_t Variant::toInteger() const {
    if (type_ == VariantType::Boolean || type_ == VariantType::Integer) return n_.i16;
    double r = roundEven(numberValue());
    if (r < INT16_MIN || r > INT16_MAX) overflow();
    return static_cast<int16_t>(r);
}

int32_t Variant::toLong() const {
    if (type_ == VariantType::Long) return n_.i32;
    if (type_ == VariantType::Colour) return static_cast<int32_t>(n_.u32);
    double r = roundEven(numberValue());
    if (r < INT32_MIN || r > INT32_MAX) overflow();
    return static_cast<int32_t>(r);
}

float Variant::toSingle() const {
    if (type_ == VariantType::Single) return n_.f;
    double v = numberValue();
    if (std::isfinite(v) && std::fabs(v) > FLT_MAX) overflow();
    return static_cast<float>(v);
}

double Variant::toDouble() const {
    return numberValue();
}

std::wstring Variant::toString() const {
    switch (type_) {
    case VariantType::Empty:
        return {};
    case VariantType::Null:
        throw RuntimeError(err::InvalidUseOfNull);
    case VariantType::Boolean:
        return n_.i16 ? L"True" : L"False";
    case VariantType::Integer:
        return std::to_wstring(n_.i16);
    case VariantType::Long:
        return std::to_wstring(n_.i32);
    case VariantType::Colour:
        return std::to_wstring(static_cast<int32_t>(n_.u32));
    case VariantType::Single:
        return formatNumber(n_.f, true);
    case VariantType::Double:
        return formatNumber(n_.d);
    case VariantType::String:
        return text_;
    case VariantType::Font:
    case VariantType::Picture:
        if (!object_) throw RuntimeError(err::ObjectNotSet);
        return object_->variantText();
    }
    mismatch();
}

uint32_t Variant::toColour() const {
    if (type_ == VariantType::Colour) return n_.u32;
    return static_cast<uint32_t>(toLong());
}

// What toFont and toPicture check before they hand the object out; Empty gives no object.
void Variant::checkObject(VariantType type) const {
    if (type_ == type || type_ == VariantType::Empty) return;
    if (type_ == VariantType::Null) throw RuntimeError(err::InvalidUseOfNull);
    mismatch();
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.isNumeric() && b.isNumeric()) return a.numberValue() == b.numberValue();
    if (a.type_ != b.type_) return false;
    switch (a.type_) {
    case VariantType::String:
        return a.text_ == b.text_;
    case VariantType::Font:
    case VariantType::Picture:
        if (!a.object_ || !b.object_) return a.object_ == b.object_;
        return a.object_ == b.object_ || a.object_->sameValue(*b.object_);
    default:
        return true; // Empty, Null
    }
}

} // namespace core
