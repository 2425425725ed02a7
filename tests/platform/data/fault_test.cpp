// The databases under another program's locks and after a writer was killed: every operation ends
// within the promised wait, and an interrupted write is rolled back instead of refused for ever.
#include "data_fixture.h"

#include "support/child_process.h"

#include "platform/core/host_path.h"
#include "platform/core/variant.h"
#include "platform/data/errors.h"
#include "platform/data/host_path.h"

#include <thread>

using namespace datatest;
using data::Connection;
using data::Recordset;

namespace {

const wchar_t* const kPassword = L"47mivo582terobalk";

// A second process (this program started again) that holds a database the way another program
// would: "exclusive", "reserved" (an uncommitted write), "read" (an open read transaction) or
// "crash" (killed in the middle of a write that grows the file). It holds until released, or for
// the given milliseconds.
class Holder {
public:
    Holder(const std::wstring& mode, const std::wstring& file, int holdMs = 60000)
        : base_(L"vexa-holder-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter_)),
          ready_(CreateEventW(nullptr, TRUE, FALSE, (base_ + L"-ready").c_str())),
          release_(CreateEventW(nullptr, TRUE, FALSE, (base_ + L"-release").c_str())),
          child_(testsupport::thisProgram(), L"--gtest_filter=DataLockHolder.*",
                 {{L"VEXA_HOLDER", mode + L"|" + std::to_wstring(holdMs) + L"|" + base_ + L"|" + file}}) {
        HANDLE both[] = {ready_, child_.process()};
        holding_ = child_.started() && WaitForMultipleObjects(2, both, FALSE, 60000) == WAIT_OBJECT_0;
    }
    ~Holder() {
        SetEvent(release_);
        child_.ended(60000);
        for (HANDLE h : {ready_, release_})
            if (h) CloseHandle(h);
    }
    bool holding() const { return holding_; }
    // Waits for the process to end (a "crash" holder ends by itself).
    bool ended() { return child_.ended(60000); }

private:
    static inline int counter_ = 0;
    std::wstring base_;
    HANDLE ready_ = nullptr, release_ = nullptr;
    testsupport::ChildProcess child_;
    bool holding_ = false;
};

// Runs an operation and gives its error number and how long it took.
template <class F>
std::pair<int, DWORD> timed(F&& f) {
    DWORD start = GetTickCount();
    int number = errorOf(f);
    return {number, GetTickCount() - start};
}

class DataFaults : public ::testing::Test {
protected:
    void SetUp() override {
        data::setBusyTimeout(3000); // as the program runs
        makeDatabase(
            file(), kPassword,
            {L"create table dil (dil text)", L"insert into dil values ('en')", L"create table pad (p blob)"});
    }
    std::wstring file() const { return folder.file(L"lang.vex"); }
    std::wstring source() const { return connectionString(folder.path(), L"lang.vex", kPassword); }
    std::wstring stored() {
        Connection cn;
        cn.Open(source());
        Recordset rs;
        rs.Open(L"select dil from dil ", cn, 1, 3, -1);
        return rs.Fields(L"dil").Value().toString();
    }
    TempFolder folder;
};

} // namespace

// Runs in the process a Holder starts; on its own it does nothing.
TEST(DataLockHolder, HoldsTheDatabase) {
    std::wstring order = environmentValue(L"VEXA_HOLDER");
    if (order.empty()) GTEST_SKIP() << "started by the fault tests only";
    size_t a = order.find(L'|'), b = order.find(L'|', a + 1), c = order.find(L'|', b + 1);
    std::wstring mode = order.substr(0, a), base = order.substr(b + 1, c - b - 1), file = order.substr(c + 1);
    int holdMs = std::stoi(order.substr(a + 1, b - a - 1));
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (base + L"-ready").c_str());
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, (base + L"-release").c_str());
    ASSERT_TRUE(ready && release);

    data::Database db(file);
    if (mode == L"crash") {
        // A small cache makes the write spill into the file before it commits.
        db.execute(L"pragma cache_size = 10");
        db.execute(L"begin");
        for (int i = 0; i < 300; ++i) db.execute(L"insert into pad values (randomblob(3000))");
        TerminateProcess(GetCurrentProcess(), 0);
    }
    std::unique_ptr<data::Statement> reading;
    if (mode == L"exclusive") {
        db.execute(L"begin exclusive");
    } else if (mode == L"reserved") {
        db.execute(L"begin immediate");
        db.execute(L"update dil set dil = 'zz'");
    } else {
        db.execute(L"begin");
        reading = std::make_unique<data::Statement>(db.prepare(L"select dil from dil"));
        reading->execute();
        ASSERT_TRUE(reading->fetch());
    }
    SetEvent(ready);
    WaitForSingleObject(release, holdMs);
    reading.reset();
    db.execute(L"rollback");
}

TEST_F(DataFaults, AnotherProgramsLockEndsEachOperationWithinTheWait) {
    // Which operations a lock of each kind stops: reading needs no more than a shared lock.
    struct Case {
        const wchar_t* mode;
        bool openFails, readFails, saveFails;
    } cases[] = {
        {L"exclusive", true, true, true}, {L"reserved", false, false, true}, {L"read", false, false, true}};
    for (const auto& c : cases) {
        const std::string mode(c.mode, c.mode + wcslen(c.mode));
        Connection cn;
        cn.Open(source());
        Recordset toSave;
        toSave.Open(L"select * from dil", cn, 1, 3, -1);
        toSave.Fields(L"dil").setValue(core::Variant(std::wstring(L"tr")));

        Holder holder(c.mode, file());
        ASSERT_TRUE(holder.holding());
        Connection other;
        Recordset rs;
        auto results = {timed([&] { other.Open(source()); }),
                        timed([&] { rs.Open(L"select dil from dil ", cn, 1, 3, -1); }),
                        timed([&] { toSave.Update(); })};
        bool fails[] = {c.openFails, c.readFails, c.saveFails};
        int i = 0;
        for (auto [number, took] : results) {
            const std::string step = mode + " lock, operation " + std::to_string(i);
            if (fails[i]) {
                EXPECT_EQ(number, data::err::Locked) << step;
                EXPECT_GE(took, 2500u) << step << ": gave up before the wait";
                EXPECT_LE(took, 4000u) << step << ": waited longer than the promised three seconds";
            } else {
                EXPECT_EQ(number, 0) << step;
            }
            ++i;
        }
    }
    EXPECT_EQ(stored(), L"en") << "a failed save changed the file";
}

TEST_F(DataFaults, ALockReleasedSoonLetsEveryOperationSucceed) {
    Connection cn;
    cn.Open(source());
    Recordset toSave;
    toSave.Open(L"select * from dil", cn, 1, 3, -1);
    toSave.Fields(L"dil").setValue(core::Variant(std::wstring(L"tr")));
    std::function<void()> operations[] = {
        [&] {
            Connection other;
            other.Open(source());
        },
        [&] {
            Recordset rs;
            rs.Open(L"select dil from dil ", cn, 1, 3, -1);
        },
        [&] { toSave.Update(); },
    };
    for (auto& operation : operations) {
        Holder holder(L"exclusive", file(), 1000);
        ASSERT_TRUE(holder.holding());
        auto [number, took] = timed(operation);
        EXPECT_EQ(number, 0);
        EXPECT_GE(took, 300u) << "the lock was not held";
        EXPECT_LT(took, 2900u);
    }
    EXPECT_EQ(stored(), L"tr");
}

TEST_F(DataFaults, AFileHeldWithoutSharingIsInUseNotDamaged) {
    for (DWORD holdMs : {0u, 1000u}) {
        HANDLE h =
            CreateFileW(file().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        std::thread closer([&] {
            Sleep(holdMs ? holdMs : 4500);
            CloseHandle(h);
        });
        Connection cn;
        std::wstring text;
        DWORD start = GetTickCount();
        int number = errorOf([&] { cn.Open(source()); }, &text);
        DWORD took = GetTickCount() - start;
        closer.join();
        if (holdMs) {
            EXPECT_EQ(number, 0) << std::string(text.begin(), text.end());
        } else {
            EXPECT_EQ(number, data::err::Locked) << std::string(text.begin(), text.end());
            EXPECT_GE(took, 2500u);
            EXPECT_LE(took, 4000u);
        }
    }
}

TEST_F(DataFaults, AWriteKilledWhileGrowingTheFileIsRolledBack) {
    std::string before = fileBytes(file());
    std::wstring journal = file() + L"-journal";
    {
        Holder writer(L"crash", file());
        ASSERT_TRUE(writer.ended());
    }
    ASSERT_TRUE(core::fileExists(journal)) << "the killed writer left no journal";
    // As a commit cut short leaves it: page 1 already counts the new pages, the file lacks some.
    std::string bytes = fileBytes(file());
    unsigned pageSize = (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
    unsigned pages = static_cast<unsigned>(bytes.size() / pageSize) + 5;
    for (int i = 0; i < 4; ++i) bytes[28 + i] = static_cast<char>(pages >> (24 - 8 * i));
    writeBytes(file(), bytes);

    EXPECT_EQ(stored(), L"en");
    EXPECT_TRUE(fileBytes(file()) == before) << "the file was not restored exactly";
    EXPECT_FALSE(core::fileExists(journal));
}

// The driver steps the engine only when the first row is fetched, so a lock taken between running a
// query and reading its rows meets the fetch: it waits like every other step.
TEST_F(DataFaults, ALockTakenBeforeTheFirstRowIsWaitedFor) {
    struct Case {
        int holdMs;
        int number;
        DWORD atLeast, atMost;
    } cases[] = {{1000, 0, 300, 2900}, {60000, data::err::Locked, 2500, 4000}};
    for (const auto& c : cases) {
        data::Database db(file());
        db.startOperation(data::Deadline(3000));
        data::Statement st = db.prepare(L"select dil from dil");
        st.execute();
        Holder holder(L"exclusive", file(), c.holdMs);
        ASSERT_TRUE(holder.holding());
        std::wstring value;
        auto [number, took] = timed([&] {
            ASSERT_TRUE(st.fetch());
            value = st.value(0).toString();
        });
        EXPECT_EQ(number, c.number) << "held " << c.holdMs << " ms";
        EXPECT_GE(took, c.atLeast) << "held " << c.holdMs << " ms: gave up before the wait";
        EXPECT_LE(took, c.atMost) << "held " << c.holdMs << " ms";
        if (c.number == 0) {
            EXPECT_EQ(value, L"en");
        }
    }
}
