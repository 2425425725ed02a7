#include "platform/data/connection.h"

#include "platform/data/connection_string.h"
#include "platform/data/errors.h"
#include "platform/data/host_path.h"
#include "platform/data/password.h"
#include "platform/core/runtime_error.h"

#include <windows.h>

#include <cstring>

namespace data {

namespace {

struct FileHead {
    bool readable = false;
    long long size = 0;
    unsigned char bytes[100] = {};
};

FileHead readHead(const std::wstring& file) {
    FileHead head;
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return head;
    LARGE_INTEGER size{};
    GetFileSizeEx(h, &size);
    head.size = size.QuadPart;
    DWORD read = 0;
    head.readable = ReadFile(h, head.bytes, sizeof head.bytes, &read, nullptr) && read == sizeof head.bytes;
    CloseHandle(h);
    return head;
}

// A damaged file must fail here, before the driver touches it.
void checkWhole(const std::wstring& file) {
    FileHead head = readHead(file);
    static const char magic[] = "SQLite format 3";
    if (!head.readable || std::memcmp(head.bytes, magic, sizeof magic) != 0)
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

std::string asciiOf(const forms::Variant& value) {
    if (value.isNull() || value.isEmpty()) return {};
    std::wstring text = value.toString();
    return std::string(text.begin(), text.end());
}

} // namespace

void Connection::Open(const std::wstring& connectionString, const std::wstring&, const std::wstring&, long) {
    db_.reset();
    auto target = parseConnectionString(connectionString);
    if (!target) fail(err::BadConnectionString, L"The connection string names no data source", L"");
    if (!fileExists(target->file)) fail(err::FileNotFound, L"The database file does not exist", target->file);
    checkWhole(target->file);

    auto db = std::make_shared<Database>(target->file);
    PasswordRecord record;
    try {
        Statement st = db->prepare(std::wstring(L"select salt, rounds, hash from ") + kPasswordTable);
        st.execute();
        if (st.fetch()) {
            record.salt = asciiOf(st.value(0));
            record.rounds = st.value(1).isNull() ? 0 : st.value(1).toLong();
            record.hash = asciiOf(st.value(2));
        }
    } catch (const forms::RuntimeError& e) {
        if (e.number() != err::Driver) throw;
        fail(err::WrongPassword, L"The database holds no password record", target->file);
    }
    if (!passwordMatches(target->password, record))
        fail(err::WrongPassword, L"The password of the database is wrong", target->file);
    db_ = std::move(db);
}

void Connection::Close() {
    db_.reset();
}

std::shared_ptr<Database> Connection::session() {
    if (!db_) fail(err::NotOpen, L"The connection is closed", L"");
    return db_;
}

void storePassword(Database& db, const std::wstring& password, const std::wstring& seed) {
    PasswordRecord record = makePasswordRecord(password, seed);
    db.execute(std::wstring(L"create table ") + kPasswordTable + L" (salt text, rounds integer, hash text)");
    Statement st = db.prepare(std::wstring(L"insert into ") + kPasswordTable + L" values (?, ?, ?)");
    st.bind(1, forms::Variant(std::wstring(record.salt.begin(), record.salt.end())));
    st.bind(2, forms::Variant(static_cast<int>(record.rounds)));
    st.bind(3, forms::Variant(std::wstring(record.hash.begin(), record.hash.end())));
    st.execute();
}

} // namespace data
