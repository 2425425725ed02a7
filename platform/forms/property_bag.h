#pragma once

#include "platform/core/variant.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace forms {

// The key/value store in which a control keeps its properties. Keys are exact strings ("Caption",
// "FontName.FontName", "Item3"); entries keep the order in which they were first written.
//
// Fonts are copied going in and coming out, so a control that changes the font it read does not
// change the bag (or the layout table the bag came from); pictures are shared.
class PropertyBag {
public:
    using Entry = std::pair<std::wstring, core::Variant>;

    PropertyBag() = default;
    // Stored values, as a layout table lists them (a later duplicate key replaces the value).
    PropertyBag(std::initializer_list<Entry> entries);

    // The stored value, or the default when the key was never written.
    core::Variant ReadProperty(const std::wstring& key, const core::Variant& defaultValue = {}) const;
    // Stores the value unless it equals the default; a value equal to the default also removes
    // what an earlier write of the key stored.
    void WriteProperty(const std::wstring& key, const core::Variant& value,
                       const core::Variant& defaultValue = {});

    bool contains(const std::wstring& key) const;
    size_t size() const noexcept { return entries_.size(); }
    bool empty() const noexcept { return entries_.empty(); }
    const std::vector<Entry>& entries() const noexcept { return entries_; }
    void clear() noexcept { entries_.clear(); }

    // The same keys with equal values (Variant equality), in any order.
    friend bool operator==(const PropertyBag& a, const PropertyBag& b);
    friend bool operator!=(const PropertyBag& a, const PropertyBag& b) { return !(a == b); }

private:
    std::vector<Entry> entries_;

    const core::Variant* find(const std::wstring& key) const;
    // Stores a copy of the value under the key, in place of an earlier one.
    void put(const std::wstring& key, const core::Variant& value);
};

} // namespace forms
