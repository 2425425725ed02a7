#pragma once

#include "tools/witnesses.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace tools {

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

// The four sources merged through English (builder.h's add functions make it).
using Lexicon = std::map<std::wstring, Headword>;

// The records, in headword order: "@<english><><russian><><turkish>@", every kept translation in
// at least one row. The hidden pieces (before the English word, after the Turkish one) are empty,
// so all rows of a shown word have the same source part. A Russian and a Turkish word the pairing
// joins share a row under every headword both translate; every other word gets a row with the
// other part empty ("@seal<><>mühür@", "@word<>слово<>@"). Which words it joins, and why, is in
// pairing.cpp and docs/pairing.md.
std::vector<std::wstring> pivotRows(const Lexicon& lexicon, const Witnesses& witnesses = {});

} // namespace tools
