#pragma once

#include "platform/data/connection.h"

#include <string>
#include <vector>

namespace quality {

// The main window's look-up on the dat.vex of a folder: the same queries, the same row rules and
// the same sort as the lists show, without the window.
class ProgramLookup {
public:
    explicit ProgramLookup(const std::wstring& databaseFolder);

    // The headwords a search for the word lists, in the order the list shows them.
    std::vector<std::wstring> headwords(int direction, const std::wstring& word);
    // The translations a click on a listed headword shows, in the order the list shows them.
    std::vector<std::wstring> translations(int direction, const std::wstring& headword);

private:
    data::Connection cn_;
    template <class Visit>
    void query(const std::wstring& sql, Visit visit);
};

} // namespace quality
