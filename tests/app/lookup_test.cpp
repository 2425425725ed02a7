// The look-up's work on the rows a query returns: which headwords and translations each row adds,
// in every direction, including rows that have a word in only one of the two languages.
#include "app/lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::wstring>;

// The rows of a query as the main window visits them.
const Words kRows = {
    L"@seal<><>mühür@",        // no Russian
    L"@word<>слово<>@",        // no Turkish
    L"@seal<>тюлень<>fok@",    // both
    L"@word<>слово<>söz@",     // a later row of a word whose first row had no Turkish
    L"@broken<>сломан",        // no Turkish part at all
    L"@<>пусто<>@",            // neither English nor Turkish
    L"@stamp<>печать<>mühür@", // the Turkish word of the first row, now with a Russian one
};

Words search(int direction, const std::wstring& word) {
    app::Taken ya;
    Words listed;
    for (const auto& row : kRows)
        if (auto h = app::searchRow(direction, row, word, ya)) listed.push_back(*h);
    return listed;
}

Words translations(int direction) {
    app::Taken ga;
    Words listed;
    for (const auto& row : kRows)
        if (auto t = app::translationRow(direction, row, ga)) listed.push_back(*t);
    return listed;
}

} // namespace

TEST(AppLookup, DirectionTable) {
    struct Case {
        int number;
        const wchar_t* search;
        const wchar_t* translation;
        const wchar_t* ddd;
        const wchar_t* ddi;
    };
    const wchar_t* ru = L"Русский язык";
    const wchar_t* tr = L"Türkçe";
    const Case cases[] = {
        {1, L"@ses", L"@h<>", L"English", tr},   {2, L"@ses", L"@h<>", L"English", ru},
        {3, L"<>ses", L"<>h<>", ru, L"English"}, {4, L"<>ses", L"<>h<>", ru, tr},
        {5, L"<>ses", L"<>h@", tr, L"English"},  {6, L"<>ses", L"<>h@", tr, ru},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::searchKey(c.number, L"ses"), c.search) << c.number;
        EXPECT_EQ(app::translationKey(c.number, L"h", L"old"), c.translation) << c.number;
        ASSERT_NE(app::direction(c.number), nullptr);
        EXPECT_EQ(app::direction(c.number)->ddd, std::wstring(c.ddd)) << c.number;
        EXPECT_EQ(app::direction(c.number)->ddi, std::wstring(c.ddi)) << c.number;
    }
    EXPECT_EQ(app::direction(0), nullptr);
    EXPECT_EQ(app::searchKey(0, L"ses"), L"@ses");
    EXPECT_EQ(app::searchKey(7, L"ses"), L"<>ses");
    EXPECT_EQ(app::translationKey(7, L"h", L"old"), L"old");
}

TEST(AppLookup, AHeadwordIsListedOnlyFromRowsWithAWordInBothLanguagesOfTheDirection) {
    struct Case {
        int direction;
        const wchar_t* word;
        Words headwords;
        Words translations;
    };
    // An empty search word (three blanks typed) is contained in every part. A row without the
    // source or the target word adds nothing and marks nothing, so a later row of the same word
    // lists it ("seal" in En - Ru, "слово" in Ru - Tr, "mühür" in Tr - Ru).
    const Words english = {L"seal", L"word", L"broken", L"stamp"};
    const Words russian = {L"слово", L"тюлень", L"сломан", L"пусто", L"печать"};
    const Words turkish = {L"mühür", L"fok", L"söz"};
    const Case cases[] = {
        {1, L"", {L"seal", L"word", L"stamp"}, turkish},
        {2, L"", {L"word", L"seal", L"broken", L"stamp"}, russian},
        {3, L"", {L"слово", L"тюлень", L"сломан", L"печать"}, english},
        {4, L"", {L"тюлень", L"слово", L"печать"}, turkish},
        {5, L"", {L"mühür", L"fok", L"söz"}, english},
        {6, L"", {L"fok", L"söz", L"mühür"}, russian},
        {2, L"eal", {L"seal"}, russian},
        {4, L"ло", {L"слово"}, turkish},
        {6, L"ü", {L"mühür"}, russian},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search(c.direction, c.word), c.headwords) << "direction " << c.direction;
        EXPECT_EQ(translations(c.direction), c.translations) << "direction " << c.direction;
    }
}

TEST(AppLookup, SearchComparesWholeSourcePartsCaseSensitively) {
    app::Taken ya;
    // Two rows with the same English word but another first piece are both listed.
    EXPECT_EQ(app::searchRow(1, L"n@bank<>банк<>banka@1", L"bank", ya), L"bank");
    EXPECT_EQ(app::searchRow(1, L"v@bank<>класть<>yatırmak@1", L"bank", ya), L"bank");
    EXPECT_EQ(app::searchRow(1, L"n@bank<>берег<>kıyı@1", L"bank", ya), std::nullopt);
    EXPECT_EQ(app::searchRow(1, L"n@Bank<>банк<>banka@1", L"bank", ya), std::nullopt);
    EXPECT_EQ(ya.text(), L"#n@bank$#v@bank$");
    // A direction outside the table searches the English part.
    app::Taken other;
    EXPECT_EQ(app::searchRow(9, L"n@bank<>банк<>banka@1", L"ban", other), L"bank");
    EXPECT_EQ(app::translationRow(9, L"n@bank<>банк<>banka@1", other), std::nullopt);
}

TEST(AppLookup, TakenEntriesAreWholeEntriesNotPiecesOfTheBuffer) {
    app::Taken taken;
    EXPECT_TRUE(taken.take(L"ab$#cd"));
    EXPECT_TRUE(taken.take(L"cd")); // "#cd$" stands inside the buffer's text, but was never taken
    EXPECT_TRUE(taken.take(L""));
    EXPECT_FALSE(taken.take(L"cd"));
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken.text(), L"#ab$#cd$#cd$#$");
}
