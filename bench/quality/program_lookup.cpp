#include "program_lookup.h"

#include "app/lookup.h"
#include "app/settings.h"
#include "platform/data/connection_string.h"
#include "platform/data/recordset.h"
#include "widgets/list/list_items.h"

namespace quality {

namespace {

// The lists are stored with SortOrder -1: ascending text order.
std::vector<std::wstring> asListed(std::vector<std::wstring> words) {
    widgets::ListItems items;
    for (auto& w : words) items.add({std::move(w)});
    items.sort(-1);
    std::vector<std::wstring> out;
    for (long i = 0; i < items.count(); ++i) out.push_back(items.at(i).text);
    return out;
}

} // namespace

ProgramLookup::ProgramLookup(const std::wstring& databaseFolder) {
    // One connection for the whole run; the window opens one per look-up, which the session pool
    // makes as cheap.
    cn_.Open(app::dictionaryConnectionString(databaseFolder), L"", L"", -1);
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
              if (auto h = app::searchRow(direction, row, word, ya)) found.push_back(std::move(*h));
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

} // namespace quality
