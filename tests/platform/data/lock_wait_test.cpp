// A look-up's deadline is all it waits for a file another program holds: with no time left it gives
// up at once, without a single wait, and with time it waits until the hold goes or its deadline ends.
#include "data_fixture.h"

#include "support/dictionary_lock.h"

#include "platform/core/text.h"
#include "platform/data/errors.h"
#include "platform/data/session_pool.h"

#include <optional>
#include <thread>

using namespace datatest;
using data::Connection;
using data::Recordset;

namespace {

const wchar_t* const kPassword = L"47mivo582terobalk";

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

double milliseconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

class DataLockWait : public ::testing::Test {
protected:
    void SetUp() override {
        data::setBusyTimeout(3000);
        data::sessionPool::clear();
        makeDatabase(file(), kPassword, {L"create table dil (dil text)", L"insert into dil values ('en')"});
    }
    void TearDown() override { data::sessionPool::clear(); }
    std::wstring file() const { return folder.file(L"lang.vex"); }
    // One look-up as the program makes it: the file opened within the deadline, then its word read.
    std::wstring lookUp(const data::Deadline& deadline) {
        Connection cn;
        cn.Open(connectionString(folder.path(), L"lang.vex", kPassword), deadline);
        Recordset rs;
        rs.Open(L"select dil from dil ", cn, 1, 3, -1);
        return rs.Fields(L"dil").Value().toString();
    }
    TempFolder folder;
};

} // namespace

TEST_F(DataLockWait, ALookUpWaitsForAHeldFileOnlyWithinItsDeadline) {
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
        ASSERT_EQ(lookUp(data::Deadline()), L"en") << c.what; // checked, and its session kept
        if (!c.kept) data::sessionPool::clear();
        Held held(c.hold, file(), c.letGoAfter);
        ASSERT_TRUE(held.holding()) << c.what;
        const unsigned long before = data::lockWaits();
        const data::Deadline deadline(c.deadline);
        std::wstring word, why;
        const int number = errorOf([&] { word = lookUp(deadline); }, &why);
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
TEST_F(DataLockWait, NoTimeLeftMeansNoWaitInsideTheDriverEither) {
    constexpr int kLookUps = 20;
    ASSERT_EQ(lookUp(data::Deadline()), L"en");
    const auto take = [&](int expected) {
        const double start = milliseconds();
        for (int i = 0; i < kLookUps; ++i) EXPECT_EQ(errorOf([&] { lookUp(data::Deadline(0)); }), expected);
        return milliseconds() - start;
    };
    const double free = take(0);
    Held held(Hold::Lock, file(), -1);
    const double locked = take(data::err::Locked);
    EXPECT_LT(locked, free + kLookUps * 5.0) << "free " << free << " ms, locked " << locked << " ms";
}
