#pragma once

// One table per control lists its stored properties: key, where the value lives, the value a new
// control starts with, the default that is not stored, what a write makes of a value, and what a
// change does. InitProperties,
// ReadProperties and WriteProperties of the control, its plain setters and the tests of its stored
// form all work from that one table.

#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace forms {

// What a control does after a property changed.
enum class OnChange {
    None,     // stored only
    Repaint,  // draw again at the same layout
    Relayout, // measure and lay out again, then draw
};

// How a C++ field type travels as a Variant. Colours are uint32_t and travel as OLE colours.
template <class T>
struct PropertyValue;
template <>
struct PropertyValue<bool> {
    static core::Variant to(bool v) { return core::Variant(v); }
    static bool from(const core::Variant& v) { return v.toBoolean(); }
};
template <>
struct PropertyValue<int16_t> {
    static core::Variant to(int16_t v) { return core::Variant(v); }
    static int16_t from(const core::Variant& v) { return v.toInteger(); }
};
template <>
struct PropertyValue<int32_t> {
    static core::Variant to(int32_t v) { return core::Variant(v); }
    static int32_t from(const core::Variant& v) { return v.toLong(); }
};
template <>
struct PropertyValue<long> {
    static core::Variant to(long v) { return core::Variant(v); }
    static long from(const core::Variant& v) { return v.toLong(); }
};
template <>
struct PropertyValue<uint32_t> {
    static core::Variant to(uint32_t v) { return core::Variant::colour(v); }
    static uint32_t from(const core::Variant& v) { return v.toColour(); }
};
template <>
struct PropertyValue<float> {
    static core::Variant to(float v) { return core::Variant(v); }
    static float from(const core::Variant& v) { return v.toSingle(); }
};
template <>
struct PropertyValue<std::wstring> {
    static core::Variant to(const std::wstring& v) { return core::Variant(v); }
    static std::wstring from(const core::Variant& v) { return v.toString(); }
};
template <>
struct PropertyValue<std::shared_ptr<StdPicture>> {
    static core::Variant to(const std::shared_ptr<StdPicture>& v) { return core::Variant(v); }
    static std::shared_ptr<StdPicture> from(const core::Variant& v) { return v.toPicture(); }
};
template <>
struct PropertyValue<std::shared_ptr<StdFont>> {
    static core::Variant to(const std::shared_ptr<StdFont>& v) { return core::Variant(v); }
    static std::shared_ptr<StdFont> from(const core::Variant& v) { return v.toFont(); }
};

// One stored property of a control of type C.
template <class C>
struct PropertyRow {
    std::wstring key;
    // The value a missing key reads as; a value equal to it is not written.
    std::function<core::Variant(C&)> storedDefault;
    // The value of a new control (InitProperties); most rows start at their stored default.
    std::function<core::Variant(C&)> initial;
    std::function<core::Variant(C&)> get;
    // Stores a value in the control's field, nothing more (no notice, no repaint).
    std::function<void(C&, const core::Variant&)> put;
    OnChange effect = OnChange::Repaint;
    // Written whatever its value: the stored default is only what a missing key reads as.
    bool alwaysWritten = false;
    // The property's write rule where it stores something else than the value given (a floor, a
    // colour made plain). The plain setter and the reading of a stored form both go through it; a
    // control whose stored form is read straight into its fields gives its rows none.
    std::function<core::Variant(C&, const core::Variant&)> writeRule;

    // What a write of the value stores.
    core::Variant taken(C& c, const core::Variant& value) const {
        return writeRule ? writeRule(c, value) : value;
    }
    // Stores the value as a write of the property does (no notice, no repaint).
    void store(C& c, const core::Variant& value) const { put(c, taken(c, value)); }

    // A new control starts at this value instead of the stored default.
    template <class T>
    PropertyRow startsAt(T value) && {
        initial = [v = PropertyValue<T>::to(value)](C&) { return v; };
        return std::move(*this);
    }
    // A new control starts at what start returns (its name, say) instead of the stored default.
    PropertyRow startsFrom(std::function<core::Variant(C&)> start) && {
        initial = std::move(start);
        return std::move(*this);
    }
    // The key is written even when it holds its stored default.
    PropertyRow alwaysStored() && {
        alwaysWritten = true;
        return std::move(*this);
    }
    // Writes of the property, and the reading of a stored form, store rule(value) (a T as the field
    // holds it).
    template <class T, class Rule>
    PropertyRow writesThrough(Rule rule) && {
        writeRule = [rule](C&, const core::Variant& v) {
            return PropertyValue<T>::to(rule(PropertyValue<T>::from(v)));
        };
        return std::move(*this);
    }
};

// A property kept in a field of the control. access(C&) returns a reference to the field.
template <class C, class T, class Access>
PropertyRow<C> field(std::wstring key, Access access, T storedDefault, OnChange effect = OnChange::Repaint) {
    static_assert(std::is_same_v<std::remove_cvref_t<decltype(access(std::declval<C&>()))>, T>,
                  "the field's type and the default's differ");
    const core::Variant def = PropertyValue<T>::to(storedDefault);
    PropertyRow<C> row;
    row.key = std::move(key);
    row.storedDefault = [def](C&) { return def; };
    row.initial = row.storedDefault;
    row.get = [access](C& c) { return PropertyValue<T>::to(access(c)); };
    row.put = [access](C& c, const core::Variant& v) { access(c) = PropertyValue<T>::from(v); };
    row.effect = effect;
    return row;
}

// A property kept elsewhere than in a field of its own (in the control's surface, say): get(C&)
// returns the value, put(C&, T) stores it.
template <class C, class T, class Get, class Put>
PropertyRow<C> property(std::wstring key, Get get, Put put, T storedDefault,
                        OnChange effect = OnChange::Repaint) {
    const core::Variant def = PropertyValue<T>::to(storedDefault);
    PropertyRow<C> row;
    row.key = std::move(key);
    row.storedDefault = [def](C&) { return def; };
    row.initial = row.storedDefault;
    row.get = [get](C& c) { return PropertyValue<T>::to(get(c)); };
    row.put = [put](C& c, const core::Variant& v) { put(c, PropertyValue<T>::from(v)); };
    row.effect = effect;
    return row;
}

// A font property: its default is the host's font (ambientFont() of the control), which is not
// stored; the control always keeps its own copy, so changing it never changes the host's font.
template <class C, class Get, class Put>
PropertyRow<C> fontProperty(std::wstring key, Get get, Put put, OnChange effect = OnChange::Relayout) {
    PropertyRow<C> row;
    row.key = std::move(key);
    row.storedDefault = [](C& c) { return core::Variant(c.ambientFont()); };
    row.initial = row.storedDefault;
    row.get = [get](C& c) { return core::Variant(get(c)); };
    row.put = [put](C& c, const core::Variant& v) {
        std::shared_ptr<StdFont> font = v.toFont();
        const std::shared_ptr<StdFont> ambient = c.ambientFont();
        if (!font || font == ambient) font = ambient ? ambient->clone() : StdFont::create();
        put(c, std::move(font));
    };
    row.effect = effect;
    return row;
}

// A font kept in a field of the control.
template <class C, class Access>
PropertyRow<C> fontField(std::wstring key, Access access, OnChange effect = OnChange::Relayout) {
    return fontProperty<C>(
        std::move(key), [access](C& c) { return access(c); },
        [access](C& c, std::shared_ptr<StdFont> font) { access(c) = std::move(font); }, effect);
}

template <class C>
class PropertyTable {
public:
    PropertyTable(std::initializer_list<PropertyRow<C>> rows) : rows_(rows) {}

    const std::vector<PropertyRow<C>>& rows() const noexcept { return rows_; }

    // The row of a key; a key the table does not hold is a programming error (5).
    const PropertyRow<C>& row(std::wstring_view key) const {
        for (const auto& r : rows_)
            if (r.key == key) return r;
        throw core::RuntimeError(core::err::InvalidProcedureCall, L"No stored property " + std::wstring(key));
    }

    // Every row from its initial value (a new control).
    void init(C& c) const {
        for (const auto& r : rows_) r.put(c, r.initial(c));
    }
    // Every row from the bag, through its write rule; a missing key reads as the stored default.
    void read(C& c, const PropertyBag& bag) const {
        for (const auto& r : rows_) r.store(c, bag.ReadProperty(r.key, r.storedDefault(c)));
    }
    // Every row whose value differs from its stored default, and every row always stored.
    void write(C& c, PropertyBag& bag) const {
        for (const auto& r : rows_)
            bag.WriteProperty(r.key, r.get(c), r.alwaysWritten ? core::Variant() : r.storedDefault(c));
    }

private:
    std::vector<PropertyRow<C>> rows_;
};

} // namespace forms
