#include "data_fixture.h"

#include "support/child_process.h"

#include "platform/core/variant.h"

#include <vector>

using namespace datatest;
using core::Variant;

namespace {

const wchar_t* const kPassword = L"pim407talo863grube";

} // namespace

// Runs in a child process started by the test below with the C locale; on its own it does nothing.
TEST(DataLocaleChild, ReadsAndWritesNonAsciiText) {
    std::wstring folder = environmentValue(L"VEXA_LOCALE_CHILD");
    if (folder.empty()) GTEST_SKIP() << "started by DataLocale only";
    data::Connection cn;
    cn.Open(connectionString(folder, L"dat.vex", kPassword));
    data::Recordset rs;
    rs.Open(L"select soz from soz where soz like '%<>щука%' ", cn, 1, 3, -1);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(L"soz").Value().toString(), L"n@pike<>щука<>turna balığı@1");
    rs.Close();
    rs.Open(L"select soz from soz where soz like '%<>ağaç%' ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Close();
    rs.Open(L"select * from t", cn, 1, 3, -1);
    rs.Fields(L"t").setValue(core::Variant(L"ёйыщъ çğıİöşü"));
    rs.Update();
}

TEST(DataLocale, TextDoesNotDependOnTheHostLocale) {
    TempFolder folder;
    makeDatabase(folder.file(L"dat.vex"), kPassword,
                 {L"create table soz (soz text)", L"insert into soz values ('n@pike<>щука<>turna balığı@1')",
                  L"insert into soz values ('n@tree<>дерево<>ağaç@2')", L"create table t (t text)",
                  L"insert into t values ('')"});

    // The child's environment: ours with the C locale and the folder to work in.
    EXPECT_EQ(testsupport::runChildTest(L"DataLocaleChild.*", {{L"LC_ALL", L"C"},
                                                               {L"LANG", L"C"},
                                                               {L"LC_CTYPE", std::nullopt},
                                                               {L"VEXA_LOCALE_CHILD", folder.path()}}),
              0)
        << "the child's checks failed";

    data::Database db(folder.file(L"dat.vex"));
    EXPECT_EQ(db.scalar(L"select t from t").toString(), L"ёйыщъ çğıİöşü");
}
