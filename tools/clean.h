#pragma once

#include <string>
#include <vector>

namespace tools {

// A translation taken out of an article: a word or short phrase, in lower case, the part of speech
// of the sense it came from ("n", "v", "a", "adv", ... or "" when the article does not say), and
// that sense's number in the article (counted from 0 in the order of the text; numbers may be
// skipped where a sense gives nothing).
struct Translation {
    std::wstring word;
    std::wstring pos;
    int sense = 0;
};

// The English-Russian articles: senses numbered "1)", grouped under "1. _n.", homonyms "_I", labels
// "_разг.", transcriptions in brackets. Keeps the Cyrillic words and short phrases of each sense up
// to its first example (the first piece holding Latin letters); drops notes in parentheses.
std::vector<Translation> cleanRussianArticle(const std::wstring& text);

// The articles with a headword line ("word /ipa/") and senses "1. a, b (note)": keeps the words and
// short phrases of each sense up to its first full stop or colon (phrases, examples and glosses
// follow). Works for Turkish, Russian and English translations alike.
std::vector<Translation> cleanNumberedArticle(const std::wstring& text);

// An English headword as the dictionary keeps it: lower case, letters with blanks, hyphens and
// apostrophes, at most three words. Empty when the headword is not one.
std::wstring cleanHeadword(const std::wstring& headword);

// False for a Turkish translation that is evidently not one: a stray letter, a word with letters the
// Turkish alphabet lacks ("with ile uymak"), or an English derivative written with a stress mark
// ("hydrolog'ic"). Suffixes after a proper name ("afrika'ya") are kept.
bool plausibleTurkish(const std::wstring& text);

// The text with each run of blanks (tabs, line ends and no-break spaces too) as one space, and none at
// either end.
std::wstring collapseBlanks(const std::wstring& text);

// The text without what stands in (), [] and {} (nested too); each group leaves a blank.
std::wstring dropBrackets(const std::wstring& text);

// True when the text can be a piece of a dictionary record (no separator or marker inside).
bool fitsInPiece(const std::wstring& text);

} // namespace tools
