#pragma once

#include <string>

namespace tools {

// A Russian or Turkish word in one plain Latin spelling: the Russian letters as a Turkish reader
// would write their sounds, the Turkish letters folded to the same ("телефон" and "telefon" both
// "telefon", "чай" and "çay" both "chay").
std::wstring plainLatin(const std::wstring& word);

// True when two plain Latin spellings differ in at most a quarter of the letters of the longer.
bool alikeInPlainLatin(const std::wstring& a, const std::wstring& b);

// Whether a Russian and a Turkish word are near enough in length to be spelled alike at all (three
// letters apart at most): the cheap test before their plain spellings are made.
bool lengthsMaySpellAlike(const std::wstring& russian, const std::wstring& turkish);

// True when a Russian and a Turkish word are spelled alike ("банк" and "banka", "такси" and
// "taksi"); both are lower case, as the record keeps them. Kept for the tests: the pairing makes each
// word's plain spelling once and compares those.
bool spelledAlike(const std::wstring& russian, const std::wstring& turkish);

} // namespace tools
