#pragma once

#include "platform/core/variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace data {

// How long an operation waits for a database that another connection holds, in milliseconds.
// Short, so a locked file fails soon instead of hanging the interface; tests shorten it further.
int busyTimeout();
void setBusyTimeout(int milliseconds);

// The ODBC driver's name. "SQLite3" under Wine (as the host's driver registers itself) and
// "SQLite3 ODBC Driver" on Windows; the environment variable VEXA_ODBC_DRIVER overrides both.
std::wstring driverName();

class Database;

// One statement of a database session: bind parameters, run, then fetch rows. Values come back as
// Variants by the column's declared type: integers as Long, reals as Double, bits as Boolean,
// everything else as String, NULL as Null.
class Statement {
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // Parameters are numbered from 1, as the markers "?" appear. The statement keeps a bound
    // value until that parameter is bound again, so it can run several times.
    void bind(int index, const forms::Variant& value);
    void execute();
    // Moves to the next row of the result; false at its end.
    bool fetch();
    int columnCount() const;
    const std::wstring& columnName(int column) const;
    forms::Variant value(int column);
    void reset();
    // Rows changed by the last insert, update or delete.
    long rowsAffected();

private:
    friend class Database;
    Statement(Database& db, void* handle, std::wstring sql);
    void describe();
    forms::Variant readValue(int column);

    Database* db_ = nullptr;
    void* handle_ = nullptr;
    std::wstring sql_;
    struct Column {
        std::wstring name;
        short type = 0;
    };
    std::vector<Column> columns_;
    // Values already read from the current row: the driver hands each out only once.
    std::vector<forms::Variant> values_;
    std::vector<bool> read_;
    struct Param;
    std::vector<std::unique_ptr<Param>> params_;
};

// A session on one SQLite file through ODBC. Opening checks that the file exists (never creates
// one, unless asked to) and gives a RuntimeError for every failure, naming the file.
class Database {
public:
    enum class Mode { Existing, Create };
    Database(const std::wstring& windowsPath, Mode mode = Mode::Existing);
    Database(Database&&) = delete;
    Database& operator=(Database&&) = delete;
    ~Database();

    const std::wstring& file() const { return file_; }

    Statement prepare(const std::wstring& sql);
    void execute(const std::wstring& sql);
    // Runs a query and gives the first column of its first row (Null when there is none).
    forms::Variant scalar(const std::wstring& sql);

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }

    // Throws the RuntimeError for the last failure on a handle (kind is an ODBC handle type).
    [[noreturn]] void raise(short handleType, void* handle, const std::wstring& what) const;

private:
    std::wstring file_;
    void* env_ = nullptr;
    void* dbc_ = nullptr;
    bool connected_ = false;
    bool inTransaction_ = false;
};

} // namespace data
