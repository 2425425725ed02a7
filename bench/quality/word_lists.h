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

// The words of a held-out list: language ("ru", "tr") and word.
using Sample = std::vector<std::pair<std::wstring, std::wstring>>;
Sample sample(const std::wstring& file);

// The held-out lists of the folder, in order, with the names the figures give them.
struct HeldOut {
    const wchar_t* file;
    const char* label;
};
inline constexpr HeldOut kHeldOut[] = {
    {L"heldout.tsv", "held-out words"},
    {L"heldout2.tsv", "held-out words of the second set"},
    {L"heldout3.tsv", "held-out words of the third set"},
    {L"heldout4.tsv", "held-out words of the fourth set"},
    {L"heldout5.tsv", "held-out words of the fifth set"},
    {L"heldout6.tsv", "held-out words of the sixth set"},
    {L"heldout7.tsv", "held-out words of the seventh set"},
    {L"heldout8.tsv", "held-out words of the eighth set"},
    {L"heldout9.tsv", "held-out words of the ninth set"},
};

} // namespace quality
