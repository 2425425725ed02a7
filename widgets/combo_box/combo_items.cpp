#include "widgets/combo_box/combo_items.h"

#include "platform/core/runtime_error.h"

#include <windows.h>

#include <numeric>

namespace widgets {

std::wstring upperCase(const std::wstring& text) {
    std::wstring s = text;
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

const ComboItem& ComboItems::at(long number) const {
    if (!exists(number)) throw core::RuntimeError(core::err::SubscriptOutOfRange);
    return items_[static_cast<size_t>(number - 1)];
}

ComboItem& ComboItems::at(long number) {
    return const_cast<ComboItem&>(static_cast<const ComboItems&>(*this).at(number));
}

bool ComboItems::keyExists(long key) const {
    for (const auto& item : items_)
        if (item.key == key) return true;
    return false;
}

long ComboItems::add(ComboItem item, long requestedKey) {
    if (item.text.empty()) item.text = L" ";
    const long number = count() + 1;
    item.key = requestedKey >= 1 && requestedKey < number && !keyExists(requestedKey) ? requestedKey : number;
    if (item.text.size() > longest_.size()) longest_ = item.text;
    items_.push_back(std::move(item));
    return number;
}

void ComboItems::change(long number, ComboItem item, long requestedKey) {
    ComboItem& slot = at(number);
    item.textShadow = slot.textShadow;
    item.key =
        requestedKey >= 1 && requestedKey < count() && !keyExists(requestedKey) ? requestedKey : slot.key;
    slot = std::move(item);
}

bool ComboItems::remove(long number) {
    if (!exists(number)) return false;
    items_.erase(items_.begin() + (number - 1));
    for (long i = 0; i < count(); ++i) items_[static_cast<size_t>(i)].key = i + 1;
    return true;
}

void ComboItems::clear() {
    items_.clear();
}

long ComboItems::find(const std::wstring& text, long compare) const {
    if (text.empty() || compare < itemMatch::Contains || compare > itemMatch::Exact) return -1;
    const std::wstring upper = compare == itemMatch::Exact ? text : upperCase(text);
    for (long i = 0; i < count(); ++i) {
        const std::wstring& t = items_[static_cast<size_t>(i)].text;
        const bool hit = compare == itemMatch::Contains ? upperCase(t).find(upper) != std::wstring::npos
                         : compare == itemMatch::EqualIgnoringCase ? upperCase(t) == upper
                                                                   : t == text;
        if (hit) return i + 1;
    }
    return -1;
}

long ComboItems::findPrefix(const std::wstring& typed) const {
    if (typed.empty()) return -1;
    const std::wstring upper = upperCase(typed);
    for (long i = 0; i < count(); ++i) {
        const std::wstring& t = items_[static_cast<size_t>(i)].text;
        if (t.size() >= typed.size() && upperCase(t.substr(0, typed.size())) == upper) return i + 1;
    }
    return -1;
}

long ComboItems::order(int order, long follow) {
    if (order != itemOrder::Ascending && order != itemOrder::Descending) return follow;
    // Exchange sort over positions, as the control always sorted; a position list lets the
    // selected record be followed.
    std::vector<size_t> at(items_.size());
    std::iota(at.begin(), at.end(), size_t{0});
    for (size_t i = 0; i < at.size(); ++i)
        for (size_t j = i + 1; j < at.size(); ++j) {
            const std::wstring& ti = items_[at[i]].text;
            const std::wstring& tj = items_[at[j]].text;
            if (order == itemOrder::Ascending ? tj < ti : tj > ti) std::swap(at[i], at[j]);
        }
    std::vector<ComboItem> sorted;
    sorted.reserve(items_.size());
    long followed = follow;
    for (size_t i = 0; i < at.size(); ++i) {
        if (exists(follow) && at[i] == static_cast<size_t>(follow - 1)) followed = static_cast<long>(i) + 1;
        sorted.push_back(std::move(items_[at[i]]));
    }
    items_ = std::move(sorted);
    return followed;
}

} // namespace widgets
