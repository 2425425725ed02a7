#include "platform/forms/property_bag.h"

#include "platform/forms/std_font.h"

#include <algorithm>

namespace forms {

namespace {

core::Variant ownCopy(const core::Variant& value) {
    if (value.type() == core::VariantType::Font) {
        auto font = value.toFont();
        return core::Variant(font ? font->clone() : nullptr);
    }
    return value;
}

} // namespace

PropertyBag::PropertyBag(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries) put(key, value);
}

void PropertyBag::put(const std::wstring& key, const core::Variant& value) {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.first == key; });
    if (it != entries_.end())
        it->second = ownCopy(value);
    else
        entries_.emplace_back(key, ownCopy(value));
}

const core::Variant* PropertyBag::find(const std::wstring& key) const {
    for (const auto& entry : entries_)
        if (entry.first == key) return &entry.second;
    return nullptr;
}

bool PropertyBag::contains(const std::wstring& key) const {
    return find(key) != nullptr;
}

core::Variant PropertyBag::ReadProperty(const std::wstring& key, const core::Variant& defaultValue) const {
    const core::Variant* value = find(key);
    return ownCopy(value ? *value : defaultValue);
}

void PropertyBag::WriteProperty(const std::wstring& key, const core::Variant& value,
                                const core::Variant& defaultValue) {
    if (!(value == defaultValue)) {
        put(key, value);
        return;
    }
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.first == key; });
    if (it != entries_.end()) entries_.erase(it);
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
    if (a.entries_.size() != b.entries_.size()) return false;
    for (const auto& [key, value] : a.entries_) {
        const core::Variant* other = b.find(key);
        if (!other || !(value == *other)) return false;
    }
    return true;
}

} // namespace forms
