// The combo box's own item list: records numbered from 1, searching, sorting and the longest text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace forms {
class StdPicture;
}

namespace widgets {

struct ComboItem {
    uint32_t colour = 0xC56A31;
    bool enabled = true;
    std::shared_ptr<forms::StdPicture> picture;
    long key = 0;
    std::shared_ptr<forms::StdPicture> mouseIcon;
    bool separator = false;
    std::wstring tag;
    std::wstring text;
    bool textShadow = false;
    std::wstring toolTip;
};

// How FindItemText compares.
namespace itemMatch {
inline constexpr long Contains = 0;
inline constexpr long EqualIgnoringCase = 1;
inline constexpr long Exact = 2;
} // namespace itemMatch

// How OrderList sorts.
namespace itemOrder {
inline constexpr int Ascending = 1;
inline constexpr int Descending = 2;
} // namespace itemOrder

class ComboItems {
public:
    long count() const { return static_cast<long>(items_.size()); }
    bool exists(long number) const { return number >= 1 && number <= count(); }
    // Slots as the control counts them: the unused slot 0 and the items, none when empty.
    long slotCount() const { return items_.empty() ? 0 : count() + 1; }
    // Item 1..n; error 9 otherwise.
    const ComboItem& at(long number) const;
    ComboItem& at(long number);

    // Appends a record; its key is the requested one when that is free and below the new count,
    // else its number. Returns the new count.
    long add(ComboItem item, long requestedKey);
    // Rewrites item number (error 9 outside 1..n) keeping its shadow flag and, unless the requested
    // key is free and below the count, its key.
    void change(long number, ComboItem item, long requestedKey);
    // False (and nothing changed) outside 1..n. The remaining items take their positions as keys.
    bool remove(long number);
    void clear();

    // The first item that matches, -1 for none, an empty text or an unknown comparison.
    long find(const std::wstring& text, long compare) const;
    // The first enabled or disabled item whose text starts with the typed text, ignoring case.
    long findPrefix(const std::wstring& typed) const;
    // Sorts by text (character codes); returns where the record at number `follow` went (follow
    // itself when it names no item or nothing was sorted).
    long order(int order, long follow);

    bool keyExists(long key) const;
    const std::wstring& longestText() const { return longest_; }

private:
    std::vector<ComboItem> items_;
    std::wstring longest_;
};

std::wstring upperCase(const std::wstring& text);

} // namespace widgets
