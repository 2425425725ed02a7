#include "app/captions.h"

namespace app {

namespace {

// Letters outside the 8-bit code page are written by their code points.
const Captions kAzerbaijani = {
    {L"Dil se\u00E7imi", L"S\u0259sl\u0259ndirm\u0259", L"Haqq\u0131nda", L"A\u015Fa\u011F\u0131 sal",
     L"\u00C7\u0131x\u0131\u015F"},
    L"Axtar",
    L"Avtomatik axtar\u0131\u015F            ",
};
const Captions kTurkish = {
    {L"Dil se\u00E7imi", L"Seslendirme", L"Hakk\u0131nda", L"Systray'e indir", L"\u00C7\u0131k\u0131\u015F"},
    L"Ara",
    L"Otomatik arama               ",
};
const Captions kRussian = {
    {L"\u042F\u0437\u044B\u043A", L"\u0420\u0430\u0437\u0433\u043E\u0432\u043E\u0440",
     L"\u041E \u043F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0435",
     L"\u0421\u0432\u0435\u0440\u043D\u0443\u0442\u044C", L"\u0412\u044B\u0445\u043E\u0434"},
    L"\u041F\u043E\u0438\u0441\u043A",
    L"\u0410\u0432\u0442\u043E\u043C\u0430\u0442\u0438\u0447\u0435\u0441\u043A\u0438\u0439 "
    L"\u043F\u043E\u0438\u0441\u043A",
};
const Captions kEnglish = {
    {L"Language", L"Speech", L"About", L"Sys tray", L"Exit"},
    L"Search",
    L"Automatic search            ",
};

} // namespace

const Captions& captionsFor(const std::wstring& code) {
    if (code == L"tr") return kTurkish;
    if (code == L"ru") return kRussian;
    if (code == L"en") return kEnglish;
    return kAzerbaijani;
}

} // namespace app
