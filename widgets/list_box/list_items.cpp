#include "widgets/list_box/list_items.h"

#include "platform/core/runtime_error.h"

#include <algorithm>
#include <cstring>
#include <windows.h>

namespace widgets {

namespace {

// The platform's text comparison: case, kana type and width ignored, in the user's locale.
constexpr DWORD TextCompareFlags = NORM_IGNORECASE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;

} // namespace

void ListItems::check(long index) const {
    if (!has(index)) throw core::RuntimeError(core::err::SubscriptOutOfRange);
}

const ListItem& ListItems::at(long index) const {
    check(index);
    return items_[static_cast<std::size_t>(index)].item;
}

void ListItems::setText(long index, std::wstring text) {
    check(index);
    Entry& e = items_[static_cast<std::size_t>(index)];
    e.item.text = std::move(text);
    e.key.clear();
}

void ListItems::setIcon(long index, long icon) {
    check(index);
    items_[static_cast<std::size_t>(index)].item.icon = icon;
}

void ListItems::setBold(long index, bool bold) {
    check(index);
    items_[static_cast<std::size_t>(index)].item.bold = bold;
}

void ListItems::add(ListItem item, long index) {
    if (index == -1) {
        items_.push_back({std::move(item), {}});
        return;
    }
    // Any other index names the item to insert before, which must exist.
    check(index);
    items_.insert(items_.begin() + index, Entry{std::move(item), {}});
}

void ListItems::remove(long index) {
    check(index);
    items_.erase(items_.begin() + index);
}

void ListItems::clear() {
    items_.clear();
}

const std::string& ListItems::keyOf(const Entry& entry) {
    if (!entry.key.empty()) return entry.key;
    // A collation key orders exactly as CompareString does, and compares as plain bytes, so a sort
    // of thousands of rows costs one key per changed row instead of a locale comparison per step.
    // Only the text counts: compared with the separator and the icon and bold parts behind it,
    // "bank" would sort after "bank clerk", since a blank sorts before the separator's "<".
    const std::wstring& text = entry.item.text;
    const int size =
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | TextCompareFlags, text.c_str(), -1, nullptr, 0);
    entry.key.assign(static_cast<std::size_t>(std::max(size, 1)), '\0');
    if (size > 0)
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | TextCompareFlags, text.c_str(), -1,
                     reinterpret_cast<LPWSTR>(entry.key.data()), size);
    return entry.key;
}

void ListItems::sort(long sortOrder) {
    if (sortOrder != -1 && sortOrder != 1) return;
    // Inserting each item before the first one it compares to as sortOrder is a stable sort.
    auto compare = [sortOrder](const Entry& a, const Entry& b) {
        const int c = std::strcmp(keyOf(a).c_str(), keyOf(b).c_str());
        return sortOrder == -1 ? c < 0 : c > 0;
    };
    std::stable_sort(items_.begin(), items_.end(), compare);
}

} // namespace widgets
