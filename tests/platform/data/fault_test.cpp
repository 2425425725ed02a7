// The databases under another program's locks and after a writer was killed: every operation ends
// within the promised wait (one with no time left waits not at all), and an interrupted write is
// rolled back instead of refused for ever.
#include "data_fixture.h"

#include "support/child_process.h"
#include "support/dictionary_lock.h"

#include "platform/core/host_path.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "platform/data/errors.h"
#include "platform/data/host_path.h"
#include "platform/data/session_pool.h"

#include <optional>
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

// How another program holds the file: an exclusive transaction of its connection, or the file opened
// without sharing (a backup, a virus scanner), which only an opening meets.
enum class Hold { Lock, NoSharing };

// The file held from the making until the milliseconds have passed, or until the object goes (-1).
class Held {
public:
    Held(Hold how, const std::wstring& file, int letGoAfter) {
        if (how == Hold::Lock) {
            lock_.emplace(file);
            if (letGoAfter >= 0) lock_->letGoAfter(letGoAfter);
            return;
        }
        file_ =
            CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        closer_ = std::thread([this, letGoAfter] {
            WaitForSingleObject(release_, letGoAfter < 0 ? INFINITE : static_cast<DWORD>(letGoAfter));
            CloseHandle(file_);
        });
    }
    ~Held() {
        if (!closer_.joinable()) return;
        SetEvent(release_);
        closer_.join();
        CloseHandle(release_);
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    bool holding() const { return lock_ || file_ != INVALID_HANDLE_VALUE; }

private:
    std::optional<testsupport::DictionaryLock> lock_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE release_ = nullptr;
    std::thread closer_;
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
    // The word as a look-up of the program reads it: the file opened within the deadline, then read.
    std::wstring stored(const data::Deadline& deadline = data::Deadline()) {
        Connection cn;
        cn.Open(source(), deadline);
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
    for (int holdMs : {-1, 1000}) {
        Held held(Hold::NoSharing, file(), holdMs);
        ASSERT_TRUE(held.holding());
        Connection cn;
        std::wstring text;
        DWORD start = GetTickCount();
        int number = errorOf([&] { cn.Open(source()); }, &text);
        DWORD took = GetTickCount() - start;
        if (holdMs >= 0) {
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

// A look-up's deadline is all it waits for a file another program holds: with no time left it gives up
// at once, without a single wait, and with time it waits until the hold goes or its deadline ends.
TEST_F(DataFaults, ALookUpWaitsForAHeldFileOnlyWithinItsDeadline) {
    struct Case {
        const char* what;
        Hold hold;
        bool kept;      // the session of an earlier look-up goes on; else a new one is made
        int deadline;   // milliseconds
        int letGoAfter; // milliseconds; -1 holds the file throughout
    } cases[] = {
        {"locked, session kept, no time", Hold::Lock, true, 0, -1},
        {"locked, new session, no time", Hold::Lock, false, 0, -1},
        {"held without sharing, no time", Hold::NoSharing, false, 0, -1},
        {"locked, session kept, held throughout", Hold::Lock, true, 300, -1},
        {"locked, new session, held throughout", Hold::Lock, false, 300, -1},
        {"held without sharing throughout", Hold::NoSharing, false, 300, -1},
        {"locked, session kept, let go", Hold::Lock, true, 3000, 300},
        {"locked, new session, let go", Hold::Lock, false, 3000, 300},
        {"held without sharing, let go", Hold::NoSharing, false, 3000, 300},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(stored(data::Deadline()), L"en") << c.what; // checked, and its session kept
        if (!c.kept) data::sessionPool::clear();
        Held held(c.hold, file(), c.letGoAfter);
        ASSERT_TRUE(held.holding()) << c.what;
        const unsigned long before = data::lockWaits();
        const data::Deadline deadline(c.deadline);
        std::wstring word, why;
        const int number = errorOf([&] { word = stored(deadline); }, &why);
        const unsigned long waits = data::lockWaits() - before;
        if (c.letGoAfter >= 0) {
            EXPECT_EQ(number, 0) << c.what << ": " << core::toUtf8(why);
            EXPECT_EQ(word, L"en") << c.what;
            EXPECT_GT(waits, 0u) << c.what << ": the hold was not met";
            continue;
        }
        EXPECT_EQ(number, data::err::Locked) << c.what << ": " << core::toUtf8(why);
        EXPECT_TRUE(deadline.passed()) << c.what << ": gave up before its deadline";
        if (c.deadline == 0) {
            EXPECT_EQ(waits, 0u) << c.what << ": waited with no time left";
        } else {
            EXPECT_GT(waits, 0u) << c.what;
        }
    }
}

// The driver's own busy handler sleeps inside a step, where no count of this layer sees it (about
// 10 ms a sleep, 50 ms in all for one look-up): so look-ups with no time left on a locked file, their
// session kept, are set against the same look-ups on the free file, which do more. A sleep of the
// driver's in each would put them at least 10 ms a look-up behind; half of that is allowed.
TEST_F(DataFaults, NoTimeLeftMeansNoWaitInsideTheDriverEither) {
    constexpr int kLookUps = 20;
    ASSERT_EQ(stored(data::Deadline()), L"en");
    const auto take = [&](int expected) {
        return timed([&] {
                   for (int i = 0; i < kLookUps; ++i)
                       EXPECT_EQ(errorOf([&] { stored(data::Deadline(0)); }), expected);
               })
            .second;
    };
    const DWORD free = take(0);
    Held held(Hold::Lock, file(), -1);
    const DWORD locked = take(data::err::Locked);
    EXPECT_LT(locked, free + kLookUps * 5) << "free " << free << " ms, locked " << locked << " ms";
}
