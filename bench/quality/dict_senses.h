#pragma once

#include <string>
#include <vector>

namespace quality {

// How a source lays out its articles in dict's output.
enum class Layout {
    Numbered, // "1. kedi, (zool.) Felis domestica", one sense a line; no number: the article is one sense
    Mueller, // "_I [kæt]", "1. _n.", "1) кот; кошка", lines wrapped; unnumbered homonyms are one sense
};

// The first translation of every sense of every article in the output of "dict -d <database>
// <headword>": the sense's text up to its first ",", ";", ":" or ".", without the notes in
// brackets, the labels ("_разг.", "ing.", "ABD") and a leading dot, in lower case. A sense counts only when
// that text is a word or a phrase of up to four words in the alphabet of the translations (Cyrillic or Latin
// with the Turkish letters): an example, a cross-reference ("= reference") or an ellipsis
// ("...eğiliminde olan") gives none.
std::vector<std::wstring> firstTranslations(const std::wstring& output, Layout layout, bool cyrillic);

// The headwords the articles of dict's output are written for, as their first lines give them
// ("dinky, dinkey /ˈdɪŋki/"): the index of a source may join them into one key ("dinkydinkey").
std::vector<std::wstring> articleNames(const std::wstring& output);

} // namespace quality
