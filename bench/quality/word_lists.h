#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quality {

// The lines of a tab-separated UTF-8 file, split at the tabs, without blank lines and the comments
// that begin with "#".
std::vector<std::vector<std::wstring>> tsv(const std::wstring& file);

// judged.tsv: whether a Russian word and a Turkish word are each other's translation.
using Judgements = std::map<std::pair<std::wstring, std::wstring>, bool>; // (russian, turkish)
Judgements judgements(const std::wstring& file);

// The words of a judged list (heldout.tsv and the like): language ("ru", "tr") and word.
using Sample = std::vector<std::pair<std::wstring, std::wstring>>;
Sample sample(const std::wstring& file);

// The judged lists beside everyday.tsv, in order; the figures name each by its file. The files are
// named "held out" because each was at first; README.md says which of them informed the pairing.
inline constexpr const wchar_t* kJudgedLists[] = {L"heldout.tsv",  L"heldout2.tsv", L"heldout3.tsv",
                                                  L"heldout4.tsv", L"heldout5.tsv", L"heldout6.tsv",
                                                  L"heldout7.tsv", L"heldout8.tsv", L"heldout9.tsv"};

} // namespace quality
