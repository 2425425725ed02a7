#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace app {

// The languages of a dictionary record "@<english><><russian><><turkish>@", numbered as the parts it
// splits into at "<>".
enum class RecordLanguage { English = 0, Russian = 1, Turkish = 2 };

// The index of the language's part in a record split at "<>".
constexpr size_t partIndex(RecordLanguage language) {
    return static_cast<size_t>(language);
}

// One translation direction, numbered 1 to 6 as the direction chooser lists them.
struct Direction {
    int number;
    RecordLanguage source;
    RecordLanguage target;
    const wchar_t* ddd; // source language name
    const wchar_t* ddi; // target language name
};

// The row of the direction table; nullptr outside 1 to 6.
const Direction* direction(int number);

// The key of the headword search: "@" + word for directions below 3, "<>" + word otherwise.
std::wstring searchKey(int direction, const std::wstring& word);

// The key that finds the rows of headword h; for a direction outside 1 to 6 the previous key stays.
std::wstring translationKey(int direction, const std::wstring& h, const std::wstring& previous);

// The word a record shows for a language: English piece 1, the whole Russian part, Turkish piece 0.
// Nothing when the record lacks that part or piece, or it is empty: such a record serves only the
// directions of the languages it has.
std::optional<std::wstring> shownWord(const std::wstring& record, RecordLanguage language);

// The entries a list already holds: a hash set, so a search that lists thousands of words stays
// fast. text() is the "#" + entry + "$" buffer the window's state labels show, made once at the end.
class Taken {
public:
    // False when the entry was taken before.
    bool take(const std::wstring& entry);
    std::wstring text() const;
    // How many entries were taken. For the tests.
    size_t size() const { return order_.size(); }

private:
    std::unordered_set<std::wstring> seen_;
    std::vector<const std::wstring*> order_;
};

// One row of the headword search for the (lower-cased, trimmed) word: the headword to add to the
// list, or nothing when the row's source part does not contain the word or is already listed, or
// the row has no word in the target language. ya holds the source parts the headword list has
// taken and is extended by this row's.
std::optional<std::wstring> searchRow(int direction, const std::wstring& record, const std::wstring& word,
                                      Taken& ya);

// One row of the translations of a chosen headword: the translation to add, or nothing when the row
// has none in the target language or it is already listed (ga holds that list's entries).
std::optional<std::wstring> translationRow(int direction, const std::wstring& record, Taken& ga);

} // namespace app
