#pragma once

#include "app/passwords.h"
#include "tools/clean.h"
#include "tools/dictd.h"
#include "tools/pairing.h"

#include <string>
#include <vector>

namespace tools {

using app::kDictionaryPassword;
using app::kSettingsPassword;

// Each article of the four sources goes into the lexicon (pairing.h) through one of these.
// Articles whose headword is not a clean English word are skipped; a translation repeated by a
// later sense or source is kept once. An English-Russian article comes from mueller7 unless the
// source says otherwise.
void addEnglishRussian(Lexicon& lexicon, const std::wstring& headword,
                       const std::vector<Translation>& russian, Source source = Source::Mueller);
void addEnglishTurkish(Lexicon& lexicon, const std::wstring& headword,
                       const std::vector<Translation>& turkish);
// A Turkish-English article read the other way round: each English translation gets the headword.
void addTurkishEnglish(Lexicon& lexicon, const std::wstring& turkishHeadword,
                       const std::vector<Translation>& english);

// A translation as the record keeps it, or "" when the cleaning drops it.
std::wstring keptRussian(const Translation& t);
std::wstring keptTurkish(const std::wstring& englishHeadword, const Translation& t);

// The headwords an article is written for. The index keeps only the letters of some ("afterdinner"
// for "after-dinner", "acclimateacclimatize" for "acclimate,acclimatize"); the article's own first
// line has them as written, and is taken when it holds the same letters.
std::vector<std::wstring> articleHeadwords(const DictdEntry& entry);

struct BuildCounts {
    size_t headwords = 0;
    size_t rows = 0;
    size_t russian = 0; // distinct words, empty parts not counted
    size_t turkish = 0;
};
BuildCounts countRows(const std::vector<std::wstring>& rows);

// Reads the four dictionaries from a folder of dictd files and makes their records, with the other
// languages' dictionaries as witnesses. Throws std::runtime_error naming the package and the file
// when one is not installed, cannot be read or is damaged (DictdFolder).
std::vector<std::wstring> rowsFromDictd(const std::wstring& folder);
// Every dictionary rowsFromDictd reads, by file name.
std::vector<std::wstring> builderDictionaries();

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
