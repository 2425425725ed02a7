#pragma once

#include "platform/core/unique_handle.h"
#include "platform/core/variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace data {

// How long an operation waits for a database that another connection holds, in milliseconds.
// Short, so a locked file fails soon instead of hanging the interface; tests shorten it further.
int busyTimeout();
void setBusyTimeout(int milliseconds);

// The moment by which one operation (an open, a read or a save) gives up waiting for a lock,
// whatever the number of steps inside it.
class Deadline {
public:
    explicit Deadline(int milliseconds = busyTimeout());
    int remaining() const; // milliseconds, never below 0
    // Kept for the tests.
    bool passed() const { return remaining() == 0; }
    // Sleeps a short while (20 ms at most, never past the end) before the next try at a file that
    // another program holds; false, at once, when the deadline has passed. Every wait of this
    // layer for a lock is one of these.
    bool waitAgain() const;

private:
    unsigned long long end_;
};

// How many times waitAgain has slept in this process (kept for the tests, which count the waits for
// a lock rather than time them).
unsigned long lockWaits();

// The ODBC driver's name. "SQLite3" under Wine (as the host's driver registers itself) and
// "SQLite3 ODBC Driver" on Windows; the environment variable VEXA_ODBC_DRIVER overrides both.
std::wstring driverName();

class Database;

// Owners of the driver's handles, each freed with SQLFreeHandle of its kind.
struct FreeEnvironment {
    void operator()(void* handle) const noexcept;
};
struct FreeConnection {
    void operator()(void* handle) const noexcept;
};
struct FreeStatement {
    void operator()(void* handle) const noexcept;
};
using EnvironmentHandle = core::UniqueHandle<void*, FreeEnvironment>;
using ConnectionHandle = core::UniqueHandle<void*, FreeConnection>;
using StatementHandle = core::UniqueHandle<void*, FreeStatement>;

// One statement of a database session: bind parameters, run, then fetch rows. Values come back as
// Variants by the column's declared type: integers as Long, reals as Double, bits as Boolean,
// everything else as String, NULL as Null. The driver runs a query without parameters at its first
// fetch, and one with bound values at once when it is executed, where it tries a held file once more
// on its own (about 10 ms) whatever the deadline: a read that must never wait binds nothing.
class Statement {
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // Parameters are numbered from 1, as the markers "?" appear. The statement keeps a bound
    // value until that parameter is bound again, so it can run several times. Text holding NUL is
    // refused: the driver would store it cut short.
    void bind(int index, const core::Variant& value);
    void execute();
    // Moves to the next row of the result; false at its end.
    bool fetch();
    int columnCount() const;
    const std::wstring& columnName(int column) const;
    core::Variant value(int column);
    void reset();
    // Rows changed by the last insert, update or delete.
    long rowsAffected();

private:
    friend class Database;
    Statement(Database& db, StatementHandle handle, std::wstring sql);
    void describe();
    core::Variant readValue(int column);

    Database* db_ = nullptr;
    StatementHandle handle_;
    std::wstring sql_;
    struct Column {
        std::wstring name;
        short type = 0;
    };
    std::vector<Column> columns_;
    // Values already read from the current row: the driver hands each out only once.
    std::vector<core::Variant> values_;
    std::vector<bool> read_;
    long fetched_ = 0; // rows fetched since the statement last ran
    struct Param;
    std::vector<std::unique_ptr<Param>> params_;
};

// A session on one SQLite file through ODBC. Opening checks that the file exists (never creates
// one, unless asked to) and gives a RuntimeError for every failure, naming the file. A file marked
// read-only is opened for reading only. Every step waits for another connection's lock only until
// the deadline of the current operation; errors are sorted by the engine's own result code.
class Database {
public:
    enum class Mode { Existing, Create };
    Database(const std::wstring& windowsPath, Mode mode = Mode::Existing, Deadline deadline = Deadline());
    Database(Database&&) = delete;
    Database& operator=(Database&&) = delete;
    ~Database();

    const std::wstring& file() const { return file_; }
    // Whether the file was opened for reading only (kept for the tests).
    bool readOnly() const { return readOnly_; }
    // Starts the next operation: its steps share this deadline. Connection and Recordset start one
    // for each open, read and save; a session used directly keeps the one it was made with.
    void startOperation(Deadline deadline = Deadline()) { deadline_ = deadline; }

    // The query text may not hold NUL (the driver would cut the statement there).
    Statement prepare(const std::wstring& sql);
    void execute(const std::wstring& sql);
    // Runs a query and gives the first column of its first row (Null when there is none).
    core::Variant scalar(const std::wstring& sql);

    // Begins a write: refused when the file is marked read-only, and waits for the write lock only
    // until the deadline.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }

    // Throws the RuntimeError for the last failure on a handle (kind is an ODBC handle type).
    [[noreturn]] void raise(short handleType, void* handle, const std::wstring& what) const;

    // Runs a step again while the engine reports the file busy and the deadline allows.
    short patiently(short handleType, void* handle, const std::function<short()>& step);

private:
    void connect(const std::wstring& hostPath, Mode mode);
    StatementHandle newStatement();
    void disconnect();

    std::wstring file_;
    EnvironmentHandle env_;
    ConnectionHandle dbc_;
    bool connected_ = false;
    bool inTransaction_ = false;
    bool readOnly_ = false;
    Deadline deadline_;
};

} // namespace data
