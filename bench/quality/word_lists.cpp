#include "word_lists.h"

#include "platform/core/text.h"
#include "tools/dictd.h"

#include <stdexcept>

namespace quality {

std::vector<std::vector<std::wstring>> tsv(const std::wstring& file) {
    std::vector<std::vector<std::wstring>> rows;
    std::wstring text = core::fromUtf8(tools::readFileBytes(file));
    std::vector<std::wstring> row(1);
    for (wchar_t c : text) {
        if (c == L'\t') {
            row.emplace_back();
        } else if (c == L'\n') {
            if (!row.front().empty() && row.front()[0] != L'#') rows.push_back(row);
            row.assign(1, L"");
        } else if (c != L'\r') {
            row.back() += c;
        }
    }
    if (!row.front().empty() && row.front()[0] != L'#') rows.push_back(row);
    return rows;
}

Judgements judgements(const std::wstring& file) {
    Judgements right;
    for (const auto& row : tsv(file)) {
        if (row.size() < 3 || (row[2] != L"+" && row[2] != L"-"))
            throw std::runtime_error("judged.tsv: a line needs a Russian word, a Turkish word and + or -");
        right[{row[0], row[1]}] = row[2] == L"+";
    }
    return right;
}

Sample sample(const std::wstring& file) {
    Sample out;
    for (const auto& row : tsv(file))
        if (row.size() >= 2) out.emplace_back(row[0], row[1]);
    return out;
}

} // namespace quality
