// The session pool: a closed connection's session serves the next Open of the same unchanged file
// with the same password, and nothing else.
#include "data_fixture.h"

#include "platform/data/errors.h"
#include "platform/data/session_pool.h"

using namespace datatest;
using data::Connection;
using data::Recordset;

namespace {

class DataSessionPool : public ::testing::Test {
protected:
    void SetUp() override {
        data::sessionPool::clear();
        makeDatabase(folder.file(L"lang.vex"), kPassword,
                     {L"create table dil (dil text)", L"insert into dil values ('en')"});
    }
    void TearDown() override {
        data::sessionPool::setLifetime(30000);
        data::sessionPool::clear();
    }
    std::wstring settings(const std::wstring& password = kPassword) {
        return connectionString(folder.path(), L"lang.vex", password);
    }
    // Opens, leaves a mark in the session (a temporary table lives as long as the session), closes.
    void openAndMark(Connection& cn) {
        cn.Open(settings());
        cn.session()->execute(L"create temp table if not exists mark (x)");
        cn.Close();
    }
    bool marked(Connection& cn) {
        return errorOf([&] { cn.session()->scalar(L"select count(*) from temp.mark"); }) == 0;
    }
    static constexpr const wchar_t* kPassword = L"47mivo582terobalk";
    TempFolder folder;
};

} // namespace

TEST_F(DataSessionPool, TheNextOpenOfTheSameFileGoesOnWithTheClosedSession) {
    Connection cn;
    openAndMark(cn);
    EXPECT_EQ(data::sessionPool::size(), 1u);
    cn.Open(settings());
    EXPECT_EQ(data::sessionPool::size(), 0u);
    EXPECT_TRUE(marked(cn));
    // Two connections at once get two sessions.
    Connection second;
    second.Open(settings());
    EXPECT_FALSE(marked(second));
    Recordset rs;
    rs.Open(L"select dil from dil ", second);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"en");
    rs.Close();
    second.Close();
    cn.Close();
    EXPECT_EQ(data::sessionPool::size(), 2u);
}

TEST_F(DataSessionPool, ARecordSetOutlivingItsConnectionFindsItClosed) {
    Connection cn;
    cn.Open(settings());
    Recordset rs;
    rs.Open(L"select * from dil", cn);
    cn.Close();
    EXPECT_EQ(errorOf([&] {
                  rs.Fields(L"dil").setValue(core::Variant(L"tr"));
                  rs.Update();
              }),
              data::err::NotOpen);
}

TEST_F(DataSessionPool, OtherPasswordsChangedFilesAndOldSessionsAreNotReused) {
    Connection cn;
    struct Case {
        const char* what;
        std::function<void()> between;
        int openError;
    };
    const Case cases[] = {
        {"a wrong password is checked, not let through", [] {}, data::err::WrongPassword},
        {"a file written since",
         [&] {
             Sleep(20);
             data::Database db(folder.file(L"lang.vex"));
             db.execute(L"update dil set dil = 'tr'");
         },
         0},
        {"a file replaced by one that is not a database",
         [&] { writeBytes(folder.file(L"lang.vex"), std::string(4096, 'x')); }, data::err::NotADatabase},
    };
    for (const auto& c : cases) {
        openAndMark(cn);
        c.between();
        const std::wstring cs = c.openError == data::err::WrongPassword ? settings(L"wrong") : settings();
        EXPECT_EQ(errorOf([&] { cn.Open(cs); }), c.openError) << c.what;
        if (cn.isOpen()) {
            EXPECT_FALSE(marked(cn)) << c.what;
        }
        cn.Close();
    }
    // A session kept longer than the pool's time is closed, not handed out.
    makeDatabase(folder.file(L"other.vex"), kPassword, {L"create table t (x)"});
    data::sessionPool::setLifetime(1);
    cn.Open(connectionString(folder.path(), L"other.vex", kPassword));
    cn.session()->execute(L"create temp table if not exists mark (x)");
    cn.Close();
    Sleep(20);
    cn.Open(connectionString(folder.path(), L"other.vex", kPassword));
    EXPECT_FALSE(marked(cn));
}

TEST_F(DataSessionPool, ASessionInsideATransactionIsNeverKept) {
    Connection cn;
    cn.Open(settings());
    cn.session()->begin();
    cn.Close();
    EXPECT_EQ(data::sessionPool::size(), 0u);
}
