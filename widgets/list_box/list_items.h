#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace widgets {

// One row of the list box: its text, icon number (-1 none) and bold flag.
struct ListItem {
    std::wstring text;
    long icon = -1;
    bool bold = false;
};

// The list box's items, 0-based. Items are kept as records, so an item's text may hold anything.
class ListItems {
public:
    long count() const { return static_cast<long>(items_.size()); }
    bool empty() const { return items_.empty(); }
    bool has(long index) const { return index >= 0 && index < count(); }

    // The item at an index; RuntimeError 9 (subscript out of range) for an index without an item.
    const ListItem& at(long index) const;
    void setText(long index, std::wstring text);
    void setIcon(long index, long icon);
    void setBold(long index, bool bold);

    // index -1 appends; any other index inserts before the item now there (RuntimeError 9 if none).
    void add(ListItem item, long index = -1);
    void remove(long index);
    void clear();

    // The text comparison of the items' texts: -1 ascending, 1 descending, any other non-zero value
    // keeps the order, 0 leaves the store untouched. Stable: items whose texts compare equal keep
    // their order; icon and bold flag play no part.
    void sort(long sortOrder);

private:
    struct Entry {
        ListItem item;
        mutable std::string key; // collation key of the text, made on first sort
    };
    std::vector<Entry> items_;

    void check(long index) const;
    static const std::string& keyOf(const Entry& entry);
};

} // namespace widgets
