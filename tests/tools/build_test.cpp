#include "platform/core/runtime_error.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "platform/data/connection_string.h"
#include "platform/data/data_fixture.h"
#include "platform/data/errors.h"
#include "platform/data/text.h"
#include "tools/builder.h"

#include <map>
#include <set>
#include <stdexcept>

using namespace datatest;
using namespace tools;
using data::Connection;
using data::Recordset;

TEST(ToolsBuild, BuildingTwiceGivesTheSameFile) {
    TempFolder folder;
    writeDictionary(folder.file(L"a.vex"), sampleDictionaryRows());
    writeDictionary(folder.file(L"b.vex"), sampleDictionaryRows());
    writeSettings(folder.file(L"la.vex"));
    writeSettings(folder.file(L"lb.vex"));
    // The salt comes from the file's name, so the copies are made under the same name.
    std::string a = fileBytes(folder.file(L"a.vex"));
    writeDictionary(folder.file(L"a.vex"), sampleDictionaryRows());
    EXPECT_EQ(fileBytes(folder.file(L"a.vex")), a);
    std::string la = fileBytes(folder.file(L"la.vex"));
    writeSettings(folder.file(L"la.vex"));
    EXPECT_EQ(fileBytes(folder.file(L"la.vex")), la);
    EXPECT_EQ(folder.listing().find(L".part"), std::wstring::npos);
}

TEST(ToolsBuild, AFailedBuildLeavesTheOldFileAndNoPart) {
    TempFolder folder;
    writeDictionary(folder.file(L"dat.vex"), {L"x@one<>один<>bir@1"});
    std::string before = fileBytes(folder.file(L"dat.vex"));
    EXPECT_THROW(writeDictionary(folder.file(L"dat.vex"), {L"x@two<>два<>iki@2", L"no separators"}),
                 std::runtime_error);
    EXPECT_EQ(fileBytes(folder.file(L"dat.vex")), before);
    // A failure inside the database step, too: the folder to write in does not exist.
    EXPECT_THROW(writeDictionary(folder.file(L"none\\dat.vex"), {L"x@two<>два<>iki@2"}), core::RuntimeError);
    EXPECT_EQ(folder.listing(), L"dat.vex ");
    // And one in the middle of the writing: the database refuses the second row.
    EXPECT_THROW(writeDictionary(folder.file(L"dat.vex"),
                                 {L"x@two<>два<>iki@2", std::wstring(L"x@three<>три<>\0üç@3", 19)}),
                 core::RuntimeError);
    EXPECT_EQ(fileBytes(folder.file(L"dat.vex")), before);
    EXPECT_EQ(folder.listing(), L"dat.vex ");
}

TEST(ToolsBuild, SettingsHoldTheirDefaults) {
    TempFolder folder;
    writeSettings(folder.file(L"lang.vex"));
    Connection cn;
    EXPECT_EQ(errorOf([&] { cn.Open(connectionString(folder.path(), L"lang.vex", L"pim407talo863grube")); }),
              data::err::WrongPassword);
    cn.Open(connectionString(folder.path(), L"lang.vex", kSettingsPassword), L"", L"", -1);
    Recordset rs;
    rs.Open(L"select ses from ses ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"ses").Value().type(), core::VariantType::Boolean);
    EXPECT_TRUE(rs.Fields(L"ses").Value().toBoolean());
    rs.Close();
    rs.Open(L"select adam from adam ", cn, 1, 3, -1);
    std::wstring adam = rs.Fields(L"adam").Value().toString();
    EXPECT_EQ(std::count(adam.begin(), adam.end(), L'$'), 4);
    rs.Close();
    for (const wchar_t* query : {L"select deyer from esu ", L"select deyer from rsu "}) {
        rs.Open(query, cn, 1, 3, -1);
        EXPECT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.Fields(L"deyer").Value().toString(), L"160");
        rs.Close();
    }
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"en");
    rs.Close();
    // Written back as the language form does.
    rs.Open(L"select * from dil", cn, 1, 3, -1);
    rs.Fields(L"dil").setValue(core::Variant(L"az"));
    rs.Update();
    rs.Close();
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"az");
}

namespace {

// The hand-made dictionary in a program folder, queried as the main window does.
class ToolsSampleQueries : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempFolder;
        writeSampleDatabases(folder->path());
    }
    static void TearDownTestSuite() {
        DeleteFileW(folder->file(L"oracle\\dat.vex").c_str());
        DeleteFileW(folder->file(L"oracle\\lang.vex").c_str());
        RemoveDirectoryW(folder->file(L"oracle").c_str());
        delete folder;
        folder = nullptr;
    }
    void SetUp() override {
        cn.Open(L"Provider=Microsoft.jet.oledb.4.0; Data Source=" + folder->path() +
                    L"/oracle/\\dat.vex;Jet Oledb:Database Password =pim407talo863grube",
                L"", L"", -1);
    }
    // Every row of a query, in the order given.
    std::vector<std::wstring> rows(const std::wstring& query) {
        Recordset rs;
        rs.Open(query, cn, 1, 3, -1);
        std::vector<std::wstring> out;
        while (!rs.Eof()) {
            out.push_back(rs.Fields(L"soz").Value().toString());
            rs.MoveNext();
        }
        EXPECT_EQ(static_cast<long>(out.size()), rs.RecordCount());
        rs.Close();
        return out;
    }
    std::vector<std::wstring> headwordSearch(const std::wstring& key) {
        return rows(L"select soz from soz where soz like '%" + data::likeKey(key) + L"%' ");
    }
    std::vector<std::wstring> translations(const std::wstring& key) {
        return rows(L"select distinct soz from soz where soz like'%" + data::likeKey(key) + L"%' ");
    }
    static TempFolder* folder;
    Connection cn;
};

TempFolder* ToolsSampleQueries::folder = nullptr;

using Rows = std::vector<std::wstring>;

} // namespace

TEST_F(ToolsSampleQueries, EnglishHeadwordAndTranslations) {
    // A Turkish word is followed by "@": "bank" is also the Turkish for a bench.
    EXPECT_EQ(headwordSearch(L"<>bank@"), Rows{L"@bench<>скамья<>bank@"});
    // "берег" and "kıyı", joined, share a row under every headword both translate.
    Rows bank = headwordSearch(L"@bank");
    EXPECT_EQ(bank, (Rows{L"@bank<>банк<>banka@", L"@bank<>берег<>kıyı@"}));
    EXPECT_EQ(translations(L"@bank<>"), bank);
    // The noun and the verb: every word of both has its row.
    EXPECT_EQ(headwordSearch(L"@run").size(), 5u);
    // Containment: "@bank" also starts "@banker"-like words; here nothing else starts so.
    EXPECT_EQ(headwordSearch(L"@ban").size(), 2u);
}

TEST_F(ToolsSampleQueries, RussianAndTurkishKeys) {
    EXPECT_EQ(headwordSearch(L"<>берег"), (Rows{L"@bank<>берег<>kıyı@", L"@shore<>берег<>kıyı@"}));
    EXPECT_EQ(headwordSearch(L"<>щ").size(), 4u) << "a key of two characters still searches (slowly)";
    EXPECT_EQ(headwordSearch(L"<>ёж").size(), 1u);
    EXPECT_EQ(headwordSearch(L"<>ъ").size(), 0u);
    EXPECT_EQ(headwordSearch(L"<>kıyı").size(), 2u);
    EXPECT_EQ(headwordSearch(L"<>çam ağacı").size(), 1u);
    EXPECT_EQ(headwordSearch(L"<>şeker").size(), 1u);
    EXPECT_EQ(translations(L"<>dondurma@").size(), 1u);
    // Letters outside ASCII are compared exactly: the capital İ is not found by its small letter.
    EXPECT_EQ(headwordSearch(L"<>İzmir").size(), 1u);
    EXPECT_EQ(headwordSearch(L"<>izmir").size(), 0u);
    EXPECT_EQ(headwordSearch(L"<>измир").size(), 0u);
    // ASCII letters are compared without case, as a like pattern always did.
    EXPECT_EQ(headwordSearch(L"@BANK").size(), 2u);
}

TEST_F(ToolsSampleQueries, PatternCharactersAndQuotes) {
    EXPECT_EQ(headwordSearch(L"@o'clock"), (Rows{L"@o'clock<>час<>saat@", L"@o'clock<>по часам<>@"}));
    EXPECT_EQ(headwordSearch(L"@ship's boat").size(), 1u);
    EXPECT_EQ(headwordSearch(L"'").size(), 4u);
    // "%" and "_" keep their meaning in the key.
    EXPECT_EQ(headwordSearch(L"@100%<>").size(), 1u);
    EXPECT_EQ(headwordSearch(L"@snake_case"), (Rows{L"@snake_case<>змеиный_регистр<>yılan_biçimi@",
                                                    L"@snakexcase<>змеиный регистр<>yılan biçimi@"}));
    EXPECT_EQ(headwordSearch(L"@per%ent<>").size(), 1u);
    EXPECT_EQ(headwordSearch(L"%").size(), sampleDictionaryRows().size());
}

TEST_F(ToolsSampleQueries, AThirdEnglishPieceHidesTheRowFromTranslations) {
    EXPECT_EQ(headwordSearch(L"@island").size(), 1u);
    EXPECT_TRUE(translations(L"@island<>").empty());
}

TEST_F(ToolsSampleQueries, RowsWithOneLanguageAreFoundByTheKeysOfThatLanguage) {
    Rows seal = {L"@seal<><>mühür@"};
    EXPECT_EQ(headwordSearch(L"@seal"), seal);
    EXPECT_EQ(translations(L"@seal<>"), seal);
    EXPECT_EQ(headwordSearch(L"<>mühür"), seal);
    EXPECT_EQ(translations(L"<>mühür@"), seal);
    Rows lonely = {L"@lonely<>одинокий<>@"};
    EXPECT_EQ(headwordSearch(L"<>одинокий"), lonely);
    EXPECT_EQ(translations(L"<>одинокий<>"), lonely);
    EXPECT_EQ(translations(L"@lonely<>"), lonely);
    // The empty part leaves two separators side by side, which a key of separators alone finds.
    Rows withoutRussian;
    for (const auto& row : sampleDictionaryRows())
        if (row.find(L"<><>") != std::wstring::npos) withoutRussian.push_back(row);
    EXPECT_EQ(headwordSearch(L"<><>"), withoutRussian);
    EXPECT_GT(withoutRussian.size(), 10u);
}

TEST_F(ToolsSampleQueries, EveryRowHasTheRecordLayout) {
    for (const auto& row : rows(L"select soz from soz ")) {
        size_t a = row.find(L"<>"), b = row.find(L"<>", a + 2);
        ASSERT_NE(b, std::wstring::npos) << std::string(row.begin(), row.end());
        EXPECT_EQ(row.find(L"<>", b + 2), std::wstring::npos);
        EXPECT_NE(row.substr(0, a).find(L'@'), std::wstring::npos);
        EXPECT_EQ(row.substr(a + 2, b - a - 2).find(L'@'), std::wstring::npos);
        EXPECT_NE(row.substr(b + 2).find(L'@'), std::wstring::npos);
        EXPECT_EQ(row.find(L'$'), std::wstring::npos);
    }
}

TEST(ToolsBuild, EveryShownWordHasOneSourcePart) {
    // The look-up lists a word once per source part: English piece 1, the Russian part and Turkish
    // piece 0 are shown, the pieces around them are not, so they must not differ between the rows
    // of one word.
    std::map<std::wstring, std::set<std::wstring>> parts[3];
    for (const auto& row : sampleDictionaryRows()) {
        size_t a = row.find(L"<>"), b = row.find(L"<>", a + 2);
        const std::wstring english = row.substr(0, a), russian = row.substr(a + 2, b - a - 2),
                           turkish = row.substr(b + 2);
        std::wstring shownEnglish = english.substr(english.find(L'@') + 1);
        parts[0][shownEnglish.substr(0, shownEnglish.find(L'@'))].insert(english);
        if (!russian.empty()) parts[1][russian].insert(russian);
        if (turkish != L"@") parts[2][turkish.substr(0, turkish.find(L'@'))].insert(turkish);
    }
    for (const auto& language : parts)
        for (const auto& [word, sources] : language) EXPECT_EQ(sources.size(), 1u) << core::toUtf8(word);
    EXPECT_GT(parts[0].size(), 150u);
    EXPECT_GT(parts[2].size(), 150u);
}
