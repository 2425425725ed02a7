#include "data_fixture.h"

#include "platform/core/variant.h"
#include "platform/data/errors.h"

using namespace datatest;
using data::Connection;
using data::Recordset;

namespace {

class DataConnection : public ::testing::Test {
protected:
    void SetUp() override {
        data::setBusyTimeout(300);
        makeDatabase(folder.file(L"lang.vex"), L"47mivo582terobalk",
                     {L"create table dil (dil text)", L"insert into dil values ('en')"});
    }
    void TearDown() override { data::setBusyTimeout(3000); }
    std::wstring settings(const std::wstring& password = L"47mivo582terobalk") {
        return connectionString(folder.path(), L"lang.vex", password);
    }
    TempFolder folder;
};

} // namespace

TEST_F(DataConnection, OpensWithTheRightPasswordAndReads) {
    Connection cn;
    cn.Open(settings(), L"", L"", -1);
    ASSERT_TRUE(cn.isOpen());
    Recordset rs;
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"en");
    rs.Close();
    cn.Close();
    EXPECT_FALSE(cn.isOpen());
    // Opened again for the next operation.
    cn.Open(settings(), L"", L"", -1);
    EXPECT_TRUE(cn.isOpen());
}

TEST_F(DataConnection, AMissingFileIsAnErrorAndNoFileIsMade) {
    std::wstring before = folder.listing();
    Connection cn;
    std::wstring text;
    EXPECT_EQ(
        errorOf([&] { cn.Open(connectionString(folder.path(), L"dat.vex", L"x"), L"", L"", -1); }, &text),
        data::err::DatabaseMissing);
    EXPECT_NE(text.find(L"dat.vex"), std::wstring::npos) << "the message names the file";
    EXPECT_FALSE(cn.isOpen());
    EXPECT_EQ(folder.listing(), before);
    // A missing folder, and a session opened below the layer, do not make one either.
    EXPECT_EQ(errorOf([&] { data::Database db(folder.file(L"none\\x.vex")); }), data::err::DatabaseMissing);
    EXPECT_EQ(errorOf([&] { data::Database db(folder.file(L"x.vex")); }), data::err::DatabaseMissing);
    EXPECT_EQ(folder.listing(), before);
}

TEST_F(DataConnection, AWrongPasswordFailsAndReadsNothing) {
    Connection cn;
    for (const wchar_t* wrong : {L"47mivo582terobal", L"", L"47MIVO582TEROBALK", L"pim407talo863grube"}) {
        std::wstring text;
        EXPECT_EQ(errorOf([&] { cn.Open(settings(wrong), L"", L"", -1); }, &text), data::err::WrongPassword)
            << wrong;
        EXPECT_FALSE(cn.isOpen());
    }
    Recordset rs;
    EXPECT_EQ(errorOf([&] { rs.Open(L"select dil from dil ", cn, 1, 3, -1); }), data::err::NotOpen);
    EXPECT_FALSE(rs.isOpen());
}

TEST_F(DataConnection, AFileWithoutPasswordRecordIsRefused) {
    {
        data::Database db(folder.file(L"plain.vex"), data::Database::Mode::Create);
        db.execute(L"create table dil (dil text)");
    }
    Connection cn;
    EXPECT_EQ(errorOf([&] { cn.Open(connectionString(folder.path(), L"plain.vex", L""), L"", L"", -1); }),
              data::err::WrongPassword);
}

TEST_F(DataConnection, ALockedFileFailsWithinTheWait) {
    data::Database holder(folder.file(L"lang.vex"));
    holder.execute(L"begin exclusive");
    holder.execute(L"update dil set dil = 'ru'");

    Connection cn;
    DWORD start = GetTickCount();
    std::wstring text;
    int number = errorOf([&] { cn.Open(settings(), L"", L"", -1); }, &text);
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(number, data::err::Locked) << std::string(text.begin(), text.end());
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 3000u);
    EXPECT_FALSE(cn.isOpen());

    holder.execute(L"rollback");
    cn.Open(settings(), L"", L"", -1);
    Recordset rs;
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"en");
}

TEST_F(DataConnection, DamagedFilesFailAndStayAsTheyWere) {
    std::string whole = fileBytes(folder.file(L"lang.vex"));
    ASSERT_GT(whole.size(), 4096u);

    std::string noise(8192, '\0');
    unsigned seed = 12345;
    for (auto& c : noise) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    struct Case {
        const wchar_t* name;
        std::string bytes;
    } cases[] = {
        {L"noise.vex", noise},
        {L"empty.vex", ""},
        {L"half.vex", whole.substr(0, whole.size() / 2)},
        {L"short.vex", whole.substr(0, 100)},
        {L"ragged.vex", whole.substr(0, whole.size() - 10)},
    };
    for (const auto& c : cases) {
        writeBytes(folder.file(c.name), c.bytes);
        Connection cn;
        std::wstring text;
        EXPECT_EQ(
            errorOf([&] { cn.Open(connectionString(folder.path(), c.name, L"47mivo582terobalk")); }, &text),
            data::err::NotADatabase)
            << std::string(text.begin(), text.end());
        EXPECT_FALSE(cn.isOpen());
        EXPECT_EQ(fileBytes(folder.file(c.name)), c.bytes) << "the file was changed";
    }
    std::wstring listing = folder.listing();
    EXPECT_EQ(listing.find(L"journal"), std::wstring::npos);
}

TEST_F(DataConnection, AMissingTableIsAnErrorNamingTheFile) {
    Connection cn;
    cn.Open(settings(), L"", L"", -1);
    Recordset rs;
    std::wstring text;
    EXPECT_EQ(errorOf([&] { rs.Open(L"select deyer from esu ", cn, 1, 3, -1); }, &text), data::err::Driver);
    EXPECT_NE(text.find(L"esu"), std::wstring::npos);
    EXPECT_NE(text.find(L"lang.vex"), std::wstring::npos);
    EXPECT_FALSE(rs.isOpen());
}

TEST_F(DataConnection, AnOperationCutShortCanBeOpenedAgain) {
    // The objects live as long as their form; an error leaves them open and the next operation
    // opens them again.
    Connection cn;
    Recordset rs;
    cn.Open(settings(), L"", L"", -1);
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    cn.Open(settings(), L"", L"", -1);
    rs.Open(L"select dil from dil ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"en");
    // A failed open leaves both closed.
    EXPECT_NE(errorOf([&] { cn.Open(settings(L"wrong"), L"", L"", -1); }), 0);
    EXPECT_FALSE(cn.isOpen());
    EXPECT_NE(errorOf([&] { rs.Open(L"select dil from dil ", cn, 1, 3, -1); }), 0);
    EXPECT_FALSE(rs.isOpen());
}

TEST_F(DataConnection, AFolderWithNonAsciiLettersIsFound) {
    std::wstring sub = folder.file(L"Словарь ğış");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    makeDatabase(sub + L"\\lang.vex", L"47mivo582terobalk",
                 {L"create table dil (dil text)", L"insert into dil values ('tr')"});
    {
        Connection cn;
        cn.Open(connectionString(sub, L"lang.vex", L"47mivo582terobalk"), L"", L"", -1);
        Recordset rs;
        rs.Open(L"select dil from dil ", cn, 1, 3, -1);
        EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"tr");
    }
    DeleteFileW((sub + L"\\lang.vex").c_str());
    RemoveDirectoryW(sub.c_str());
}

TEST_F(DataConnection, AReadOnlyFileIsReadButNeverWritten) {
    std::wstring file = folder.file(L"lang.vex");
    std::string bytes = fileBytes(file);
    std::wstring before = folder.listing();
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        Connection cn;
        cn.Open(settings(), L"", L"", -1);
        Recordset rs;
        rs.Open(L"select * from dil", cn, 1, 3, -1);
        EXPECT_EQ(rs.Fields(L"dil").Value().toString(), L"en");
        EXPECT_EQ(folder.listing(), before) << "no journal while reading";
        // The tests run as an administrator, whom the file system would let write.
        rs.Fields(L"dil").setValue(core::Variant(std::wstring(L"ru")));
        std::wstring text;
        EXPECT_EQ(errorOf([&] { rs.Update(); }, &text), data::err::ReadOnly);
        EXPECT_NE(text.find(L"lang.vex"), std::wstring::npos);
        EXPECT_EQ(errorOf([&] { cn.session()->execute(L"delete from dil"); }), data::err::ReadOnly)
            << "the engine itself refuses to write";
    }
    EXPECT_EQ(folder.listing(), before);
    EXPECT_TRUE(fileBytes(file) == bytes) << "reading changed the file";
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DataConnection, APasswordRecordUnlikeTheBuildersIsRefusedAtOnce) {
    // Each would otherwise be derived (2,147,483,647 rounds take half an hour) or misread.
    for (const wchar_t* change :
         {L"update kilid set rounds = 2147483647", L"update kilid set rounds = 200001",
          L"update kilid set rounds = 0", L"update kilid set rounds = -5",
          L"update kilid set rounds = 'many'", L"update kilid set rounds = 20000.5",
          L"update kilid set salt = ''", L"update kilid set salt = substr(salt, 1, 30)",
          L"update kilid set salt = salt || salt || salt || salt || salt",
          L"update kilid set salt = 'zz' || substr(salt, 3)", L"update kilid set hash = substr(hash, 1, 63)",
          L"update kilid set hash = null"}) {
        const std::string what(change, change + wcslen(change));
        makeDatabase(folder.file(L"bad.vex"), L"47mivo582terobalk", {change});
        Connection cn;
        std::wstring text;
        DWORD start = GetTickCount();
        EXPECT_EQ(errorOf([&] { cn.Open(connectionString(folder.path(), L"bad.vex", L"47mivo582terobalk")); },
                          &text),
                  data::err::WrongPassword)
            << what;
        EXPECT_LT(GetTickCount() - start, 20000u) << what;
        EXPECT_NE(text.find(L"bad.vex"), std::wstring::npos)
            << what << ": " << std::string(text.begin(), text.end());
        DeleteFileW(folder.file(L"bad.vex").c_str());
    }
}

TEST_F(DataConnection, ErrorsAreSortedByTheEnginesCodeNotByWords) {
    Connection cn;
    cn.Open(settings());
    Recordset rs;
    // Driver messages echo the query, so these words reach the message text.
    for (const wchar_t* sql :
         {L"select * from \"database is locked\"", L"select * from busy",
          L"select * from \"file is not a database\"", L"select * from malformed_corrupt",
          L"select * from dil where readonly_full = 1"}) {
        EXPECT_EQ(errorOf([&] { rs.Open(sql, cn, 1, 3, -1); }), data::err::Driver)
            << std::string(sql, sql + wcslen(sql));
    }
    // The driver would cut the statement at the NUL and run what stands before it.
    std::wstring key = std::wstring(L"select dil from dil where dil like '%busy") + L'\0' + L"x%' ";
    EXPECT_EQ(errorOf([&] { rs.Open(key, cn, 1, 3, -1); }), data::err::NulText);
    EXPECT_FALSE(rs.isOpen());
}

TEST_F(DataConnection, DamagePastTheHeaderIsFoundOnTheFirstOpen) {
    data::Database db(folder.file(L"lang.vex"));
    db.execute(L"create table pad (p text)");
    db.begin();
    for (int i = 0; i < 40; ++i) db.execute(L"insert into pad values (printf('%.2000c', 'x'))");
    db.commit();
    std::string whole = fileBytes(folder.file(L"lang.vex"));
    size_t pageSize = (static_cast<unsigned char>(whole[16]) << 8) | static_cast<unsigned char>(whole[17]);
    size_t pages = whole.size() / pageSize;
    ASSERT_GT(pages, 10u);
    // The password record and the settings stay readable: only a whole check finds these.
    struct Case {
        size_t offset;
        std::string bytes;
    } cases[] = {
        {(pages - 1) * pageSize, std::string(8, '\xff')},     // the last page's header
        {(pages / 2) * pageSize, std::string(4, '\x0d')},     // a page in the middle
        {(pages - 2) * pageSize + 8, std::string(2, '\xff')}, // a cell pointer past the page's end
    };
    int n = 0;
    for (const auto& c : cases) {
        std::wstring name = L"damaged" + std::to_wstring(++n) + L".vex";
        std::string bytes = whole;
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        writeBytes(folder.file(name), bytes);
        Connection cn;
        std::wstring text;
        EXPECT_EQ(
            errorOf([&] { cn.Open(connectionString(folder.path(), name, L"47mivo582terobalk")); }, &text),
            data::err::NotADatabase)
            << n;
        EXPECT_NE(text.find(name), std::wstring::npos);
        EXPECT_TRUE(fileBytes(folder.file(name)) == bytes) << "the check changed the file";
    }
}
