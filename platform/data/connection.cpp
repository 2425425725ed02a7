#include "platform/data/connection.h"
#include "platform/core/system_handles.h"

#include "platform/core/host_path.h"
#include "platform/core/variant.h"
#include "platform/data/connection_string.h"
#include "platform/data/content_digest.h"
#include "platform/data/errors.h"
#include "platform/data/file_open.h"
#include "platform/data/host_path.h"
#include "platform/data/password.h"
#include "platform/data/session_pool.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/data/text.h"

#include <windows.h>

#include <cstring>
#include <mutex>
#include <set>

namespace data {

namespace {

struct FileHead {
    bool whole = false; // the first 100 bytes could be read
    long long size = 0;
    unsigned char bytes[100] = {};
};

// Reads the header.
FileHead readHead(const std::wstring& file, const Deadline& deadline) {
    FileHead head;
    core::FileHandle h = openToRead(file, deadline);
    LARGE_INTEGER size{};
    GetFileSizeEx(h.get(), &size);
    head.size = size.QuadPart;
    DWORD read = 0;
    BOOL ok = ReadFile(h.get(), head.bytes, sizeof head.bytes, &read, nullptr);
    DWORD error = GetLastError();
    h.reset();
    if (!ok) fail(err::FileError, L"The database file cannot be read: " + systemMessage(error), file);
    head.whole = read == sizeof head.bytes;
    return head;
}

// A damaged file must fail here, before the driver touches it. A file with a journal beside it is
// left to the engine, which finishes or rolls back the interrupted write; the check after opening
// judges it then.
void checkWhole(const std::wstring& file, const Deadline& deadline) {
    FileHead head = readHead(file, deadline);
    if (core::fileExists(file + L"-journal") || core::fileExists(file + L"-wal")) return;
    static const char magic[] = "SQLite format 3";
    if (!head.whole || std::memcmp(head.bytes, magic, sizeof magic) != 0)
        fail(err::NotADatabase, L"The file is not a database", file);
    unsigned pageSize = (head.bytes[16] << 8) | head.bytes[17];
    if (pageSize == 1) pageSize = 65536;
    unsigned long long pages = (static_cast<unsigned long long>(head.bytes[28]) << 24) |
                               (head.bytes[29] << 16) | (head.bytes[30] << 8) | head.bytes[31];
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        fail(err::NotADatabase, L"The file is not a database", file);
    if (static_cast<unsigned long long>(head.size) < pages * pageSize || head.size % pageSize != 0)
        fail(err::NotADatabase, L"The database file is truncated", file);
}

// A file is checked through once per process (and again when it has changed since): damage past
// the header does not show in the header.
std::mutex gCheckedLock;
std::set<std::wstring> gChecked;

void checkThrough(Database& db, const Deadline& deadline) {
    std::wstring identity = fileIdentity(db.file());
    {
        std::lock_guard<std::mutex> guard(gCheckedLock);
        if (!identity.empty() && gChecked.count(identity)) return;
    }
    Statement st = db.prepare(L"pragma quick_check");
    st.execute();
    // The engine's verdict lists pages and cells: it helps no reader, so only its outcome counts.
    const bool whole = st.fetch() && st.value(0).toString() == L"ok";
    st.reset();
    if (!whole) fail(err::NotADatabase, L"The database file is damaged", db.file());
    checkContent(db.file(), deadline);
    identity = fileIdentity(db.file());
    std::lock_guard<std::mutex> guard(gCheckedLock);
    if (gChecked.size() > 64) gChecked.clear();
    if (!identity.empty()) gChecked.insert(identity);
}

std::string asciiOf(const core::Variant& value) {
    if (value.isNull() || value.isEmpty()) return {};
    std::wstring text = value.toString();
    return std::string(text.begin(), text.end());
}

// The stored rounds, or 0 when the value is not a whole number.
int32_t roundsOf(const core::Variant& value) {
    using core::VariantType;
    switch (value.type()) {
    case core::VariantType::Integer:
    case core::VariantType::Long:
        return value.toLong();
    case core::VariantType::Double: {
        double d = value.toDouble();
        return d >= 1 && d <= 2147483647.0 && d == static_cast<double>(static_cast<int32_t>(d))
                   ? static_cast<int32_t>(d)
                   : 0;
    }
    default:
        return 0;
    }
}

void checkPassword(Database& db, const std::wstring& file, const std::wstring& password) {
    PasswordRecord record;
    try {
        Statement st = db.prepare(std::wstring(L"select salt, rounds, hash from ") + kPasswordTable);
        st.execute();
        if (st.fetch()) {
            record.salt = asciiOf(st.value(0));
            record.rounds = roundsOf(st.value(1));
            record.hash = asciiOf(st.value(2));
        }
    } catch (const core::RuntimeError& e) {
        if (e.number() != err::Driver) throw;
        fail(err::WrongPassword, L"The database holds no password record", file);
    }
    if (!plausiblePasswordRecord(record))
        fail(err::WrongPassword,
             L"The password record of the database is damaged or not one this program writes", file);
    if (!passwordMatches(password, record))
        fail(err::WrongPassword, L"The password of the database is wrong", file);
}

} // namespace

void Connection::Open(const std::wstring& connectionString, const std::wstring&, const std::wstring&, long) {
    Open(connectionString, Deadline());
    deadline_.reset();
}

void Connection::Open(const std::wstring& connectionString, Deadline deadline) {
    Close();
    auto target = parseConnectionString(connectionString);
    if (!target) fail(err::BadConnectionString, L"The connection string names no data source", L"");
    if (auto kept = sessionPool::take(target->file, target->password)) {
        kept->startOperation(deadline);
        lease(std::move(kept), target->password);
        deadline_ = deadline;
        return;
    }
    if (!core::fileExists(target->file))
        fail(err::DatabaseMissing, L"The database file does not exist", target->file);
    checkWhole(target->file, deadline);

    auto db = std::make_shared<Database>(target->file, Database::Mode::Existing, deadline);
    checkThrough(*db, deadline);
    if (!sessionPool::passwordChecked(target->file, target->password)) {
        checkPassword(*db, target->file, target->password);
        sessionPool::notePasswordChecked(target->file, target->password);
    }
    lease(std::move(db), target->password);
    deadline_ = deadline;
}

// The connection and its record sets hold a lease on the session: when the last of them lets go,
// the session goes back to the pool, and a record set that outlives its connection finds it closed.
void Connection::lease(std::shared_ptr<Database> session, const std::wstring& password) {
    Database* raw = session.get();
    db_ = std::shared_ptr<Database>(raw, [session = std::move(session), password](Database*) mutable {
        core::bestEffort(L"Keeping a database session",
                         [&] { sessionPool::give(std::move(session), password); });
    });
}

void Connection::Close() {
    db_.reset();
    deadline_.reset();
}

std::shared_ptr<Database> Connection::session() {
    if (!db_) fail(err::NotOpen, L"The connection is closed", L"");
    return db_;
}

void storePassword(Database& db, const std::wstring& password, const std::wstring& seed) {
    PasswordRecord record = makePasswordRecord(password, seed);
    db.execute(std::wstring(L"create table ") + kPasswordTable + L" (salt text, rounds integer, hash text)");
    Statement st = db.prepare(std::wstring(L"insert into ") + kPasswordTable + L" values (?, ?, ?)");
    st.bind(1, core::Variant(std::wstring(record.salt.begin(), record.salt.end())));
    st.bind(2, core::Variant(static_cast<int>(record.rounds)));
    st.bind(3, core::Variant(std::wstring(record.hash.begin(), record.hash.end())));
    st.execute();
}

} // namespace data
