#pragma once

#include <array>
#include <string>

namespace app {

// The main window's captions in one interface language.
struct Captions {
    std::array<std::wstring, 5> toolButtons; // language, speech, about, to the notification area, exit
    std::wstring search;                     // the search button
    std::wstring avto;                       // the automatic-search check box, trailing blanks kept
};

// The captions for a stored language code ("az", "tr", "ru", "en", compared exactly). Any other
// code gets the Azerbaijani ones, as the language form falls back to "az": never blank captions.
const Captions& captionsFor(const std::wstring& code);

} // namespace app
