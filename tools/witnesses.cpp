#include "tools/witnesses.h"

#include "tools/clean.h"
#include "platform/data/text.h"

#include <algorithm>
#include <stdexcept>

namespace tools {

namespace {

// Lower case, single blanks, no stress marks.
std::wstring plain(const std::wstring& text) {
    std::wstring out = data::lowerCase(text);
    std::erase_if(out, [](wchar_t c) { return c == 0x0301 || c == 0x0300; });
    return collapseBlanks(out);
}

bool digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// A language's headwords and the words one dictionary gives for them, each word once.
using Articles = std::unordered_map<std::wstring, std::vector<std::wstring>>;

void give(Articles& into, const std::wstring& headword, std::wstring word) {
    auto& words = into[headword];
    if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(std::move(word));
}

} // namespace

std::wstring Witnesses::folded(std::wstring russian) {
    for (auto& c : russian)
        if (c == L'ё') c = L'е';
    return russian;
}

std::vector<std::wstring> witnessTranslations(const std::wstring& text) {
    std::vector<std::wstring> out;
    size_t start = text.find(L'\n');
    for (bool first = true; start != std::wstring::npos; first = false) {
        size_t end = text.find(L'\n', start + 1);
        std::wstring line = text.substr(start + 1, end == std::wstring::npos ? end : end - start - 1);
        start = end;
        size_t number = 0;
        while (number < line.size() && digit(line[number])) ++number;
        const bool numbered = number > 0 && line.compare(number, 2, L". ") == 0;
        if (numbered)
            line.erase(0, number + 2);
        else if (!first)
            continue;
        // "банк 2.": the number of the sense the next line explains.
        size_t tail = line.size();
        if (tail > 0 && line[tail - 1] == L'.') {
            size_t k = tail - 1;
            while (k > 0 && digit(line[k - 1])) --k;
            if (k < tail - 1 && k > 0 && line[k - 1] == L' ') line.erase(k - 1);
        }
        const std::wstring bare = dropBrackets(line);
        size_t from = 0;
        for (;;) {
            size_t cut = bare.find_first_of(L",;", from);
            std::wstring word = plain(bare.substr(from, cut == std::wstring::npos ? cut : cut - from));
            if (!word.empty()) out.push_back(std::move(word));
            if (cut == std::wstring::npos) break;
            from = cut + 1;
        }
    }
    return out;
}

void Witnesses::addLanguage(const std::vector<DictdEntry>& intoRussian,
                            const std::vector<DictdEntry>& intoTurkish,
                            const std::vector<DictdEntry>& fromTurkish) {
    if (count_ == kMaxLanguages) throw std::logic_error("too many witness languages");
    Articles turkish;
    for (const auto& entry : intoTurkish) {
        const std::wstring headword = plain(entry.headword);
        for (auto& word : witnessTranslations(entry.text)) give(turkish, headword, std::move(word));
    }
    for (const auto& entry : fromTurkish) {
        const std::wstring word = plain(entry.headword);
        for (const auto& headword : witnessTranslations(entry.text)) give(turkish, headword, word);
    }
    // Only the headwords both dictionaries have can give a pair.
    Articles russian;
    for (const auto& entry : intoRussian) {
        const std::wstring headword = plain(entry.headword);
        if (!turkish.contains(headword)) continue;
        for (auto& word : witnessTranslations(entry.text)) give(russian, headword, folded(std::move(word)));
    }
    const auto bit = static_cast<std::uint8_t>(1u << count_++);
    std::wstring key;
    for (const auto& [headword, russianWords] : russian) {
        const auto& turkishWords = turkish.at(headword);
        for (const auto& r : russianWords)
            for (const auto& t : turkishWords) pairs_[key.assign(r).append(1, L'\t').append(t)] |= bit;
    }
}

namespace {

// Each language's dictionaries into Russian and into Turkish, and where there is one, from Turkish.
struct Language {
    const wchar_t* code;
    bool fromTurkish;
};
constexpr Language kLanguages[] = {
    {L"deu", true}, {L"fra", false}, {L"ita", false}, {L"pol", false}, {L"swe", false}};

std::wstring dictionary(const wchar_t* from, const wchar_t* to) {
    return std::wstring(L"freedict-") + from + L"-" + to;
}

} // namespace

std::vector<std::wstring> witnessDictionaries() {
    std::vector<std::wstring> names;
    for (const auto& language : kLanguages) {
        names.push_back(dictionary(language.code, L"rus"));
        names.push_back(dictionary(language.code, L"tur"));
        if (language.fromTurkish) names.push_back(dictionary(L"tur", language.code));
    }
    return names;
}

Witnesses witnessesFromDictd(const std::wstring& folder) {
    const DictdFolder dictionaries(folder, witnessDictionaries());
    Witnesses witnesses;
    for (const auto& language : kLanguages)
        witnesses.addLanguage(dictionaries.read(dictionary(language.code, L"rus")),
                              dictionaries.read(dictionary(language.code, L"tur")),
                              language.fromTurkish ? dictionaries.read(dictionary(L"tur", language.code))
                                                   : std::vector<DictdEntry>{});
    return witnesses;
}

} // namespace tools
