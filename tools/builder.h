#pragma once

#include "app/passwords.h"
#include "tools/clean.h"
#include "tools/dictd.h"
#include "tools/witnesses.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace tools {

using app::kDictionaryPassword;
using app::kSettingsPassword;

// The translations one sense of one article gives, in the article's order, each word kept once per
// headword and language. pos is the sense's part of speech, "" when the source does not say; a
// Turkish sense is "v" when its words are infinitives.
struct Sense {
    std::wstring pos;
    std::vector<std::wstring> words;
};

// The four sources, in the order the builder reads them.
enum class Source { Mueller, EnglishRussian, EnglishTurkish, TurkishEnglish };
constexpr size_t kSourceCount = 4;

// Everything known about one English headword: the senses of every article of every source, in the
// order read (sources in turn, articles as the index lists them, senses as numbered), and the
// Turkish words whose Turkish-English article gives this headword as their first translation.
// bySource keeps each source's own senses apart, each word once per source (the Turkish-English
// source gives a sense of one word per article that lists the headword): where a word stands in
// each source, and in how many, is what the pairing weighs.
struct Headword {
    std::vector<Sense> russian;
    std::vector<Sense> turkish;
    std::vector<std::wstring> turkishFirst;
    std::array<std::vector<Sense>, kSourceCount> bySource;
};

using Lexicon = std::map<std::wstring, Headword>;

// The four sources merged through English. Articles whose headword is not a clean English word are
// skipped; a translation repeated by a later sense or source is kept once. An English-Russian
// article comes from mueller7 unless the source says otherwise.
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

// The records, in headword order: "@<english><><russian><><turkish>@", every kept translation in
// at least one row. The hidden pieces (before the English word, after the Turkish one) are empty,
// so all rows of a shown word have the same source part. A Russian and a Turkish word the pairing
// joins (pairing.cpp says how) share a row under every headword both translate; every other word
// gets a row with the other part empty ("@seal<><>mühür@", "@word<>слово<>@").
std::vector<std::wstring> pivotRows(const Lexicon& lexicon, const Witnesses& witnesses = {});

// What the pairing weighs for a Russian and a Turkish word that meet, and whether it joins them.
// bench/pairing_ceiling fits rules of its own to this evidence.
struct PairEvidence {
    std::wstring russian, turkish;
    double weight = 0;                               // the products summed over the headwords both translate
    double russianShare = 0, turkishShare = 0;       // of each word's own weight, alike spellings counted
    int headwords = 0, distinct = 0;                 // of a kind; English headwords
    int agreed = 0;                                  // headwords whose first senses agree on the pair
    int bothRussianSources = 0;                      // headwords where both English-Russian sources give it
    int turkishEnglish = 0, turkishEnglishFirst = 0; // headwords the Turkish word's own articles give (first)
    int russianRank = 0, turkishRank = 0;            // among each word's partners, its best first
    int russianPartners = 0, turkishPartners = 0;
    size_t russianSpread = 0, turkishSpread = 0; // headwords each word translates
    bool firstBoth = false, alike = false, candidate = false, joined = false;
};
std::vector<PairEvidence> pairEvidence(const Lexicon& lexicon, const Witnesses& witnesses = {});

struct BuildCounts {
    size_t headwords = 0;
    size_t rows = 0;
    size_t russian = 0; // distinct words, empty parts not counted
    size_t turkish = 0;
};
BuildCounts countRows(const std::vector<std::wstring>& rows);

// Reads the four dictionaries from a folder of dictd files; rowsFromDictd makes their records,
// with the other languages' dictionaries as witnesses. Both throw std::runtime_error naming the
// missing package when one is not installed.
Lexicon lexiconFromDictd(const std::wstring& folder);
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
