#pragma once

#include "platform/data/connection.h"

#include <string>
#include <vector>

namespace quality {

// The main window's look-up on the dat.vex of a folder: the same queries, the same row rules and
// the same sort as the lists show, without the window. With mainLists, the lists as the program of
// commit 5839e26 made them: a headword listed from a row without a word in the target language, and
// the lists sorted by the whole stored item string ("text<%S%>-1<%S%>False").
class ProgramLookup {
public:
    ProgramLookup(const std::wstring& databaseFolder, bool mainLists);

    // The headwords a search for the word lists, in the order the list shows them.
    std::vector<std::wstring> headwords(int direction, const std::wstring& word);
    // The translations a click on a listed headword shows, in the order the list shows them.
    std::vector<std::wstring> translations(int direction, const std::wstring& headword);
    // Every record of the dictionary.
    std::vector<std::wstring> records();

private:
    data::Connection cn_;
    bool mainLists_;
    std::vector<std::wstring> asListed(std::vector<std::wstring> words) const;
    template <class Visit>
    void query(const std::wstring& sql, Visit visit);
};

} // namespace quality
