#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace forms {
class StdFont;
class StdPicture;
} // namespace forms

namespace core {

// What a variant needs of the objects it holds by reference: the run time's fonts and pictures.
class VariantObject {
public:
    virtual ~VariantObject() = default;
    // A font reads as its name and a picture as its handle when text is asked for.
    virtual std::wstring variantText() const = 0;
    virtual bool sameValue(const VariantObject& other) const { return this == &other; }
};

enum class VariantType { Empty, Null, Boolean, Integer, Long, Single, Double, String, Colour, Font, Picture };

// A typed value as property bags, layouts and records hold it.
//
// Construction picks the type from the C++ type: bool → Boolean, int16_t → Integer, int/long → Long,
// float → Single, double → Double, text → String, shared_ptr<StdFont> → Font, shared_ptr<StdPicture>
// → Picture. Colours are made with colour(), Null with null(); the default is Empty.
//
// The to...() conversions follow the platform's rules and throw RuntimeError:
//   - numbers to integers round halves to even (2.5 → 2, 3.5 → 4, -2.5 → -2); out of range → 6;
//   - text is read as a number ("  12.5 ", "-3", "1E3", "&HFF") or, for Boolean, "True"/"False"
//     in any case; anything else → 13;
//   - Boolean is -1 for True and 0 for False as a number, "True"/"False" as text;
//   - Empty is 0, "" or False; Null converts to nothing (94); a font or picture only to itself (13),
//     except that a font reads as its name and a picture as its handle when text is asked for.
class Variant {
public:
    Variant() = default;
    Variant(bool value);
    Variant(int16_t value);
    Variant(int value);
    Variant(long value);
    Variant(float value);
    Variant(double value);
    Variant(std::wstring value);
    Variant(const wchar_t* value);
    // Defined by the forms run time, which knows its fonts and pictures.
    Variant(std::shared_ptr<forms::StdFont> value);
    Variant(std::shared_ptr<forms::StdPicture> value);

    static Variant null();
    // An OLE colour: RGB in the low three bytes, or a system colour index with the top bit set.
    static Variant colour(uint32_t oleColour);

    VariantType type() const noexcept { return type_; }
    bool isEmpty() const noexcept { return type_ == VariantType::Empty; }
    bool isNull() const noexcept { return type_ == VariantType::Null; }
    bool isNumeric() const noexcept;

    bool toBoolean() const;
    int16_t toInteger() const;
    int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    std::wstring toString() const;
    uint32_t toColour() const;
    std::shared_ptr<forms::StdFont> toFont() const;
    std::shared_ptr<forms::StdPicture> toPicture() const;

    // Same kind and same value. Numbers (Boolean, Integer, Long, Single, Double, Colour) compare by
    // value across their types; text exactly; fonts by their properties; pictures by identity.
    // Empty equals only Empty and Null only Null.
    friend bool operator==(const Variant& a, const Variant& b);
    friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

private:
    VariantType type_ = VariantType::Empty;
    union {
        int16_t i16;
        int32_t i32;
        uint32_t u32;
        float f;
        double d;
    } n_{};
    std::wstring text_;
    std::shared_ptr<VariantObject> object_;

    double numberValue() const;
    void checkObject(VariantType type) const;
};

// Text read as a number the way conversions do; throws RuntimeError 13 when it is not one.
double parseNumber(const std::wstring& text);
// A number as the platform prints it: up to 15 significant digits for doubles, 7 for singles,
// exponent form for very large or small values ("1E+15", "1E-05").
std::wstring formatNumber(double value, bool single = false);

} // namespace core
