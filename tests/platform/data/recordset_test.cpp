#include "data_fixture.h"

#include "platform/core/variant.h"
#include "platform/data/errors.h"

using namespace datatest;
using core::Variant;
using core::VariantType;
using data::Connection;
using data::Recordset;

namespace {

const wchar_t* const kPassword = L"47mivo582terobalk";

class DataRecordset : public ::testing::Test {
protected:
    void SetUp() override {
        makeDatabase(folder.file(L"lang.vex"), kPassword,
                     {L"create table ses (ses bit)", L"insert into ses values (-1)",
                      L"create table adam (adam text)", L"insert into adam values ('a$b$c$d$e')",
                      L"create table esu (deyer integer)", L"insert into esu values (160)",
                      L"insert into esu values (999)", L"create table rsu (deyer integer)",
                      L"create table dil (dil text)", L"insert into dil values (null)",
                      L"create table many (n integer, t text, r real)"});
        data::Database db(folder.file(L"lang.vex"));
        db.begin();
        auto st = db.prepare(L"insert into many values (?, ?, ?)");
        for (int i = 1; i <= 250; ++i) {
            st.bind(1, core::Variant(i));
            st.bind(2, core::Variant(L"row " + std::to_wstring(i)));
            st.bind(3, core::Variant(i / 4.0));
            st.execute();
        }
        db.commit();
    }
    void open() { cn.Open(connectionString(folder.path(), L"lang.vex", kPassword), L"", L"", -1); }
    TempFolder folder;
    Connection cn;
};

} // namespace

TEST_F(DataRecordset, CountsAndVisitsEveryRow) {
    open();
    Recordset rs;
    rs.Open(L"select * from rsu", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Eof());
    rs.Close();

    rs.Open(L"select adam from adam ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_FALSE(rs.Eof());
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(data::err::NotUpdatable, errorOf([&] { rs.MoveNext(); }));
    rs.Close();

    rs.Open(L"select n, t from many where n > 10", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 240);
    long sum = 0, visited = 0;
    while (!rs.Eof()) {
        sum += rs.Fields(L"n").Value().toLong();
        ++visited;
        rs.MoveNext();
    }
    EXPECT_EQ(visited, 240);
    EXPECT_EQ(sum, 250 * 251 / 2 - 55);
}

TEST_F(DataRecordset, ValuesKeepTheirTypesAndNullStaysNull) {
    open();
    Recordset rs;
    rs.Open(L"select ses from ses ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"ses").Value().type(), core::VariantType::Boolean);
    EXPECT_TRUE(rs.Fields(L"SES").Value().toBoolean());
    rs.Close();

    rs.Open(L"select deyer from esu ", cn, 1, 3, -1);
    core::Variant speed = rs.Fields(L"deyer").Value();
    EXPECT_EQ(speed.type(), core::VariantType::Long);
    EXPECT_EQ(speed.toString(), L"160"); // the first row only is read
    EXPECT_EQ(speed.toInteger(), 160);
    rs.Close();

    rs.Open(L"select * from many where n = 7", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"r").Value().type(), core::VariantType::Double);
    EXPECT_DOUBLE_EQ(rs.Fields(L"r").Value().toDouble(), 1.75);
    EXPECT_EQ(rs.Fields(L"t").Value().toString(), L"row 7");
    EXPECT_EQ(data::err::NoSuchField, errorOf([&] { rs.Fields(L"nothing"); }));
    rs.Close();

    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_TRUE(rs.Fields(L"dil").Value().isNull());
    rs.Close();

    // A table with no row reads as Null too, so the reader falls back to its default.
    rs.Open(L"select deyer from rsu ", cn, 1, 3, -1);
    EXPECT_TRUE(rs.Fields(L"deyer").Value().isNull());
}

TEST_F(DataRecordset, UpdateStoresTheCurrentRowAndSurvivesReopening) {
    open();
    Recordset rs;
    rs.Open(L"select * from esu", cn, 1, 3, -1);
    rs.Fields(L"deyer").setValue(core::Variant(19 * 4 + 120));
    EXPECT_EQ(rs.Fields(L"deyer").Value().toLong(), 196);
    rs.Update();
    rs.Close();
    rs.Open(L"select * from dil", cn, 1, 3, -1);
    rs.Fields(L"dil").setValue(core::Variant(L"ru"));
    rs.Update();
    rs.Close();
    cn.Close();

    open();
    rs.Open(L"select deyer from esu ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Fields(L"deyer").Value().toLong(), 196);
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(L"deyer").Value().toLong(), 999) << "only the current row changes";
    rs.Close();
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"ru");
}

TEST_F(DataRecordset, WritingToAnEmptyTableInsertsTheRow) {
    open();
    Recordset rs;
    rs.Open(L"select * from rsu", cn, 1, 3, -1);
    ASSERT_TRUE(rs.Eof());
    rs.Fields(L"deyer").setValue(core::Variant(140));
    rs.Update();
    rs.Close();
    rs.Open(L"select deyer from rsu ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(L"deyer").Value().toLong(), 140);
}

TEST_F(DataRecordset, AFailedUpdateChangesNothing) {
    data::setBusyTimeout(200);
    open();
    Recordset rs;
    rs.Open(L"select * from dil", cn, 1, 3, -1);
    rs.Fields(L"dil").setValue(core::Variant(L"tr"));
    {
        data::Database holder(folder.file(L"lang.vex"));
        holder.execute(L"begin exclusive");
        EXPECT_EQ(data::err::Locked, errorOf([&] { rs.Update(); }));
        holder.execute(L"rollback");
    }
    data::setBusyTimeout(3000);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"tr") << "the change stays pending";
    Connection other;
    other.Open(connectionString(folder.path(), L"lang.vex", kPassword));
    Recordset check;
    check.Open(L"select dil from dil ", other, 1, 3, -1);
    EXPECT_TRUE(check.Fields(L"dil").Value().isNull());
    check.Close();
    // The pending change can still be stored once the file is free.
    rs.Update();
    check.Open(L"select dil from dil ", other, 1, 3, -1);
    EXPECT_EQ(check.Fields(L"dil").Value().toString(), L"tr");
}

TEST_F(DataRecordset, ARowRemovedMeanwhileIsNotWrittenElsewhere) {
    open();
    Recordset rs;
    rs.Open(L"select * from esu", cn, 1, 3, -1);
    {
        data::Database other(folder.file(L"lang.vex"));
        other.execute(L"delete from esu where deyer = 160");
    }
    rs.Fields(L"deyer").setValue(core::Variant(200));
    EXPECT_EQ(data::err::NotUpdatable, errorOf([&] { rs.Update(); }));
    rs.Close();
    rs.Open(L"select deyer from esu ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(L"deyer").Value().toLong(), 999);
}

TEST_F(DataRecordset, OnlySingleTableResultsCanBeWritten) {
    open();
    Recordset rs;
    rs.Open(L"select distinct deyer from esu", cn, 1, 3, -1);
    rs.Fields(L"deyer").setValue(core::Variant(1));
    EXPECT_EQ(data::err::NotUpdatable, errorOf([&] { rs.Update(); }));
    rs.Close();
    rs.Open(L"select count(*) as c from esu", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"c").Value().toLong(), 2);
    rs.Fields(L"c").setValue(core::Variant(1));
    EXPECT_EQ(data::err::NotUpdatable, errorOf([&] { rs.Update(); }));
}

TEST_F(DataRecordset, ClosedObjectsRaiseErrors) {
    Recordset rs;
    EXPECT_EQ(data::err::NotOpen, errorOf([&] { rs.Open(L"select * from dil", cn, 1, 3, -1); }));
    EXPECT_EQ(data::err::NotOpen, errorOf([&] { (void)rs.Eof(); }));
    EXPECT_EQ(data::err::NotOpen, errorOf([&] { rs.Fields(L"dil"); }));
    open();
    rs.Open(L"select * from dil", cn, 1, 3, -1);
    rs.Fields(L"dil").setValue(core::Variant(L"az"));
    cn.Close();
    EXPECT_EQ(data::err::NotOpen, errorOf([&] { rs.Update(); }));

    // A record set that outlives its connection object cannot write either.
    {
        Connection shortLived;
        shortLived.Open(connectionString(folder.path(), L"lang.vex", kPassword), L"", L"", -1);
        rs.Open(L"select * from dil", shortLived, 1, 3, -1);
    }
    rs.Fields(L"dil").setValue(core::Variant(L"tr"));
    EXPECT_EQ(data::err::NotOpen, errorOf([&] { rs.Update(); }));
}

TEST_F(DataRecordset, AValueHoldingNulIsRefusedAndNothingIsWritten) {
    open();
    Recordset rs;
    rs.Open(L"select * from dil", cn, 1, 3, -1);
    rs.Fields(L"dil").setValue(core::Variant(std::wstring(L"a\0b", 3)));
    EXPECT_EQ(data::err::NulText, errorOf([&] { rs.Update(); }));
    rs.Close();
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_TRUE(rs.Fields(L"dil").Value().isNull()) << "a cut value was stored";
}

TEST(DataTrigramLike, ShortKeysOfWideCharactersMatchAsOnAPlainTable) {
    TempFolder folder;
    makeDatabase(folder.file(L"dat.vex"), kPassword,
                 {L"create virtual table soz_fts using fts5(soz, tokenize='trigram')",
                  L"create view soz as select rowid as id, soz from soz_fts",
                  L"create table plain (soz text)",
                  L"insert into soz_fts values ('n@smile<>улыбка<>gülüş😀@1'), ('n@soap<>мыло<>sabun@2'), "
                  L"('n@😀😀<>ыы<>x@3'), ('n@o''clock<>час<>saat@4')",
                  L"insert into plain select soz from soz_fts"});
    Connection cn;
    cn.Open(connectionString(folder.path(), L"dat.vex", kPassword));
    Recordset rs;
    auto count = [&](const std::wstring& table, const std::wstring& where) {
        rs.Open(L"select soz from " + table + L" where " + where + L" ", cn, 1, 3, -1);
        long n = rs.RecordCount();
        rs.Close();
        return n;
    };
    struct Case {
        const wchar_t* where;
        long hits;
    } cases[] = {
        {L"soz like '%😀%'", 2},
        {L"soz like '%😀😀%'", 1},
        {L"soz like '%ыл%'", 1},
        {L"soz like'%ş😀%'", 1},
        {L"soz like '%мыло%'", 1},
        {L"soz not like '%ы%'", 1},
        {L"soz like '%ы%' and soz like '%@2'", 1},
        {L"soz like '%o''c%'", 1},
        {L"soz like '%<>ы_<>%'", 1},
    };
    for (const auto& c : cases) {
        const std::string where(c.where, c.where + wcslen(c.where));
        EXPECT_EQ(count(L"plain", c.where), c.hits) << where;
        EXPECT_EQ(count(L"soz", c.where), c.hits) << where;
    }
}
