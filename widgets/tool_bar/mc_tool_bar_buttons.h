// The tool bar's button records and their 1-based store.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace forms {
class StdPicture;
}

namespace widgets {

// Type of a record: a button; any other value is a separator.
inline constexpr long ButtonTypeButton = 0;
// The separator that hovering passes over.
inline constexpr long ButtonTypeSeparator = 1;

// Where a button's icon stands beside its caption.
namespace iconPlace {
inline constexpr long Above = 0;
inline constexpr long Below = 1;
inline constexpr long Left = 2;
inline constexpr long Right = 3;
inline constexpr long Over = 4;
} // namespace iconPlace

struct ToolBarButton {
    std::wstring Caption = L"b";
    std::shared_ptr<forms::StdPicture> Icon;
    bool Enabled = true;
    long Type = ButtonTypeButton;
    std::wstring ToolTip;
    long ToolTipIcon = 1;
    bool Pressed = false;
    long IconAllignment = iconPlace::Over;
    // Written by the layout only.
    long Left = 0;
    long Top = 0;
    bool InChevron = false;
};

// The error a button number outside 1 to the count raises, with its description.
inline constexpr int ButtonIndexError = 33;
inline constexpr wchar_t ButtonIndexMessage[] = L"Index out or range!!";

// The records 1 to count(). Moving and removing records checks both indexes first and raises
// ButtonIndexError before anything changes.
class ToolBarButtons {
public:
    ToolBarButtons() : records_(1) {}

    long count() const { return static_cast<long>(records_.size()); }
    bool has(long index) const { return index >= 1 && index <= count(); }
    // The record of a number; 9 for a number outside the store.
    ToolBarButton& at(long index);
    const ToolBarButton& at(long index) const;
    // Keeps the records that remain; records added take the new-record values.
    void resize(long count);

    // The last record is never removed.
    void remove(long index);
    // Moves one record to newIndex; the records between shift by one place.
    void insertTo(long index, long newIndex);
    // Swaps two records.
    void moveTo(long index, long newIndex);

private:
    std::vector<ToolBarButton> records_;
    void checkIndex(long index) const;
};

} // namespace widgets
