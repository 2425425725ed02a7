#pragma once

#include "tools/dictd.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tools {

// Russian and Turkish words that a third language's dictionaries give for one of its headwords
// (German "Bank": "банк" and "banka"). Each language is a witness of its own, apart from English:
// a pair two or three of them give is almost always a translation, where meeting through English
// alone often is not.
class Witnesses {
public:
    static constexpr int kMaxLanguages = 8;

    // Adds a language: its dictionary into Russian, its dictionary into Turkish, and a Turkish one
    // into it (read the other way round) where there is one.
    void addLanguage(const std::vector<DictdEntry>& intoRussian, const std::vector<DictdEntry>& intoTurkish,
                     const std::vector<DictdEntry>& fromTurkish = {});

    int languageCount() const { return count_; }

    // Calls f(russian, turkish, languages) for every pair some language gives, with the number of
    // languages that give both words for one headword; its Russian word as folded() writes it.
    template <class F>
    void forEachPair(F f) const {
        for (const auto& [key, bits] : pairs_) {
            const std::wstring_view both = key;
            const size_t tab = both.find(L'\t');
            f(both.substr(0, tab), both.substr(tab + 1), std::popcount(bits));
        }
    }

    // A Russian word as the pairs keep it: "ё" is written "е" as often as not.
    static std::wstring folded(std::wstring russian);

private:
    std::unordered_map<std::wstring, std::uint8_t> pairs_; // a key of both words, a bit per language
    int count_ = 0;
};

// The translations of one article: the line after the headword line, and each line that opens with
// a sense number ("2. банк"); the other lines explain the sense in the headword's language. Notes in
// brackets are dropped ("(argo)", "[pays]"); words are parted at commas and semicolons, in lower case,
// without stress marks. Declared here for the tests.
std::vector<std::wstring> witnessTranslations(const std::wstring& text);

// Reads the other languages' dictionaries (German, French, Italian, Polish and Swedish) from a folder
// of dictd files. Throws std::runtime_error naming the missing package when one is not installed.
Witnesses witnessesFromDictd(const std::wstring& folder);
// Their file names.
std::vector<std::wstring> witnessDictionaries();

} // namespace tools
