// The settings database as the forms read and write it: the first row of each table counts, and
// missing rows, NULLs and short values give the defaults instead of ending the program.
#include "app/settings.h"

#include "platform/core/variant.h"
#include "platform/data/database.h"
#include "platform/core/runtime_error.h"
#include "support/temp_folder.h"
#include "tools/builder.h"

#include <gtest/gtest.h>

namespace {

class AppSettings : public testing::Test {
protected:
    void SetUp() override { tools::writeSampleDatabases(folder.path()); }
    void run(const wchar_t* sql) {
        data::Database db(folder.path() + L"\\oracle\\lang.vex");
        db.execute(sql);
    }
    app::Settings read() { return app::readSettings(cn, rs, folder.path()); }

    testsupport::TempFolder folder{L"vexa-app-"};
    data::Connection cn;
    data::Recordset rs;
};

TEST_F(AppSettings, ReadsTheStoredValuesAndClosesEverything) {
    run(L"update adam set adam = 'x$a$b$c$d$e'");
    run(L"update dil set dil = 'az'");
    run(L"update esu set deyer = 180");
    app::Settings s = read();
    EXPECT_TRUE(s.ses);
    EXPECT_EQ(s.adam[0], L"a");
    EXPECT_EQ(s.adam[3], L"d");
    EXPECT_EQ(s.esu, L"180");
    EXPECT_EQ(s.rsu, L"160");
    EXPECT_EQ(s.dil, L"az");
    EXPECT_FALSE(cn.isOpen());
    EXPECT_FALSE(rs.isOpen());
}

TEST_F(AppSettings, OnlyTheFirstRowCounts) {
    run(L"insert into dil values ('tr')");
    EXPECT_EQ(read().dil, L"en");
}

TEST_F(AppSettings, EmptyTablesNullsAndShortValuesGiveTheDefaults) {
    run(L"delete from dil");
    run(L"delete from ses");
    run(L"update esu set deyer = null");
    run(L"update adam set adam = 'only$two'");
    app::Settings s = read();
    EXPECT_EQ(s.dil, L"en");
    EXPECT_FALSE(s.ses);
    EXPECT_EQ(s.esu, L"160");
    EXPECT_EQ(s.adam[0], L"two");
    EXPECT_EQ(s.adam[1], L"");
    EXPECT_EQ(s.adam[3], L"");
}

TEST_F(AppSettings, StoringWritesTheFirstRowOrAddsOne) {
    app::storeSetting(cn, rs, folder.path(), L"dil", L"dil", core::Variant(std::wstring(L"ru")));
    EXPECT_EQ(read().dil, L"ru");
    run(L"delete from rsu");
    app::storeSetting(cn, rs, folder.path(), L"rsu", L"deyer", core::Variant(int32_t(200)));
    EXPECT_EQ(read().rsu, L"200");
    EXPECT_FALSE(cn.isOpen());
}

TEST_F(AppSettings, AMissingFileOrTableIsAnErrorThatLeavesNothingOpen) {
    run(L"drop table rsu");
    EXPECT_THROW(read(), core::RuntimeError);
    EXPECT_FALSE(cn.isOpen());
    EXPECT_FALSE(rs.isOpen());
    DeleteFileW((folder.path() + L"\\oracle\\lang.vex").c_str());
    EXPECT_THROW(read(), core::RuntimeError);
    EXPECT_EQ(GetFileAttributesW((folder.path() + L"\\oracle\\lang.vex").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(AppSettingsFolder, AFolderNamedWithSeparatorsAndLettersOfEveryLanguageWorks) {
    testsupport::TempFolder base{L"vexa-app-"};
    for (const wchar_t* name : {L"a;b}c{d=e Словарь ğış ə", L"x}y{z=Söz"}) {
        std::wstring folder = base.path() + L"\\" + name;
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        tools::writeSampleDatabases(folder);
        data::Connection cn;
        data::Recordset rs;
        app::storeSetting(cn, rs, folder, L"dil", L"dil", core::Variant(std::wstring(L"az")));
        EXPECT_EQ(app::readSettings(cn, rs, folder).dil, L"az");
        cn.Open(app::dictionaryConnectionString(folder + L"/oracle/"));
        EXPECT_TRUE(cn.isOpen());
    }
}

TEST(AppConnectionStrings, AreBuiltAsTheFormsBuildThem) {
    EXPECT_EQ(app::settingsConnectionString(L"C:\\Vexa"),
              L"Provider=Microsoft.jet.oledb.4.0; Data Source=C:\\Vexa\\oracle\\lang.vex;"
              L"Jet Oledb:Database Password =47mivo582terobalk");
    EXPECT_EQ(app::dictionaryConnectionString(L"C:\\Vexa/oracle/"),
              L"Provider=Microsoft.jet.oledb.4.0; Data Source=C:\\Vexa/oracle/\\dat.vex;"
              L"Jet Oledb:Database Password =pim407talo863grube");
}

} // namespace
