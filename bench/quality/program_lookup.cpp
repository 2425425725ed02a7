#include "program_lookup.h"

#include "app/lookup.h"
#include "app/settings.h"
#include "platform/data/connection_string.h"
#include "platform/data/recordset.h"
#include "platform/forms/functions.h"
#include "widgets/list_box/list_items.h"

namespace quality {

namespace {

const std::wstring kStoredTail = L"<%S%>-1<%S%>False";

// The row rule of commit 5839e26, which listed a headword from a row without a word in the target
// language.
std::optional<std::wstring> mainSearchRow(int direction, const std::wstring& record, const std::wstring& word,
                                          app::Taken& ya) {
    const app::Direction* d = app::direction(direction);
    auto shown = app::shownWord(record, d->source);
    if (!shown) return std::nullopt;
    const std::wstring part = forms::Split(record, L"<>")[app::partIndex(d->source)];
    if (part.find(word) == std::wstring::npos || !ya.take(part)) return std::nullopt;
    return shown;
}

} // namespace

ProgramLookup::ProgramLookup(const std::wstring& databaseFolder, bool mainLists) : mainLists_(mainLists) {
    // One connection for the whole run; the window opens one per look-up, which the session pool
    // makes as cheap.
    cn_.Open(app::dictionaryConnectionString(databaseFolder), L"", L"", -1);
}

// The lists are stored with SortOrder -1: ascending text order.
std::vector<std::wstring> ProgramLookup::asListed(std::vector<std::wstring> words) const {
    widgets::ListItems items;
    for (auto& w : words) items.add({mainLists_ ? w + kStoredTail : std::move(w)});
    items.sort(-1);
    std::vector<std::wstring> out;
    for (long i = 0; i < items.count(); ++i) {
        std::wstring text = items.at(i).text;
        if (mainLists_) text.resize(text.size() - kStoredTail.size());
        out.push_back(std::move(text));
    }
    return out;
}

template <class Visit>
void ProgramLookup::query(const std::wstring& sql, Visit visit) {
    data::Recordset rs;
    rs.Open(sql, cn_, 1, 3, -1);
    for (; !rs.Eof(); rs.MoveNext()) visit(rs.Fields(L"soz").Value().toString());
    rs.Close();
}

std::vector<std::wstring> ProgramLookup::headwords(int direction, const std::wstring& word) {
    app::Taken ya;
    std::vector<std::wstring> found;
    query(L"select soz from soz where soz like '%" + data::likeKey(app::searchKey(direction, word)) + L"%' ",
          [&](const std::wstring& row) {
              auto h = mainLists_ ? mainSearchRow(direction, row, word, ya)
                                  : app::searchRow(direction, row, word, ya);
              if (h) found.push_back(std::move(*h));
          });
    return asListed(std::move(found));
}

std::vector<std::wstring> ProgramLookup::translations(int direction, const std::wstring& headword) {
    app::Taken ga;
    std::vector<std::wstring> found;
    query(L"select distinct soz from soz where soz like'%" +
              data::likeKey(app::translationKey(direction, headword, L"")) + L"%' ",
          [&](const std::wstring& row) {
              if (auto t = app::translationRow(direction, row, ga)) found.push_back(std::move(*t));
          });
    return asListed(std::move(found));
}

std::vector<std::wstring> ProgramLookup::records() {
    std::vector<std::wstring> out;
    query(L"select soz from soz", [&](const std::wstring& row) { out.push_back(row); });
    return out;
}

} // namespace quality
