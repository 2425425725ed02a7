#pragma once

#include "app/passwords.h"
#include "tools/clean.h"
#include "tools/dictd.h"

#include <map>
#include <string>
#include <vector>

namespace tools {

using app::kDictionaryPassword;
using app::kSettingsPassword;

// Everything known about one English headword: its Russian and Turkish translations in the order
// the sources give them (best first).
struct Headword {
    std::vector<Translation> russian;
    std::vector<std::wstring> turkish;
};

using Lexicon = std::map<std::wstring, Headword>;

// At most this many translations of each language are kept per headword.
inline constexpr size_t kTranslationsPerWord = 10;

// The four sources merged through English. Articles whose headword is not a clean English word are
// skipped; a translation repeated by a later source is kept once.
void addEnglishRussian(Lexicon& lexicon, const std::wstring& headword,
                       const std::vector<Translation>& russian);
void addEnglishTurkish(Lexicon& lexicon, const std::wstring& headword,
                       const std::vector<Translation>& turkish);
// A Turkish-English article read the other way round: each English translation gets the headword.
void addTurkishEnglish(Lexicon& lexicon, const std::wstring& turkishHeadword,
                       const std::vector<Translation>& english);

// The headwords an article is written for. The index keeps only the letters of some ("afterdinner"
// for "after-dinner", "acclimateacclimatize" for "acclimate,acclimatize"); the article's own first
// line has them as written, and is taken when it holds the same letters.
std::vector<std::wstring> articleHeadwords(const DictdEntry& entry);

// The records for the headwords that have both Russian and Turkish translations, in headword
// order: "<pos>@<english><><russian><><turkish>@<id>". Each headword gets as many rows as its longer
// list (the shorter list is cycled), so every kept translation appears in a row.
std::vector<std::wstring> pivotRows(const Lexicon& lexicon);

struct BuildCounts {
    size_t headwords = 0;
    size_t rows = 0;
    size_t russian = 0;
    size_t turkish = 0;
};
BuildCounts countRows(const std::vector<std::wstring>& rows);

// Reads the four dictionaries from a folder of dictd files. Throws std::runtime_error naming the
// missing package when one is not installed.
std::vector<std::wstring> rowsFromDictd(const std::wstring& folder);

// Writes the dictionary database: a trigram full-text table with the view "soz" over it and the
// password record. The file appears only when it is complete: it is written under another name
// and moved into place, replacing an older one; on failure nothing is left behind.
void writeDictionary(const std::wstring& file, const std::vector<std::wstring>& rows,
                     const std::wstring& password = kDictionaryPassword);

// Writes the settings database with its five tables and their defaults, the same way.
void writeSettings(const std::wstring& file, const std::wstring& password = kSettingsPassword);

// The dictionary made by hand for the tests (a few hundred rows).
const std::vector<std::wstring>& sampleDictionaryRows();

// Writes "oracle\dat.vex" (the hand-made rows) and "oracle\lang.vex" under a folder, creating the
// "oracle" folder when needed.
void writeSampleDatabases(const std::wstring& programFolder);

} // namespace tools
