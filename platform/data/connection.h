#pragma once

#include "platform/data/database.h"

#include <memory>
#include <optional>
#include <string>

namespace data {

// The table in which a database file keeps its password record (salt, rounds, hash).
inline constexpr const wchar_t* kPasswordTable = L"kilid";

// A connection to one database file, opened for one operation and closed at its end. Opening
// checks that the file exists and is a whole database, then checks the password against the
// record the file holds (once per file and process); every failure is a core::RuntimeError and
// leaves the connection closed. A closed connection hands its session back to the session pool,
// and the next Open of the same, unchanged file with the same password goes on with it.
class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() = default; // an open connection closes with the object

    // The user name, password and options are taken as the forms pass them ("", "", -1); the
    // password that counts is the one in the connection string. A connection still open from an
    // operation that an error cut short is closed first.
    void Open(const std::wstring& connectionString, const std::wstring& userId = {},
              const std::wstring& password = {}, long options = -1);
    // The same within a deadline the caller set: the opening and every record set opened on the
    // connection until it closes wait for a lock no longer than that, so an operation that began
    // before the opening (waiting for something else) still ends on time.
    void Open(const std::wstring& connectionString, Deadline deadline);
    void Close();
    bool isOpen() const { return db_ != nullptr; } // kept for the tests

    // The open session; throws RuntimeError when the connection is closed. A record set keeps
    // it weakly, so that it notices when the connection has been closed (or destroyed).
    std::shared_ptr<Database> session();
    // The deadline of an operation on the connection: the caller's, else a fresh one.
    Deadline operationDeadline() const { return deadline_ ? *deadline_ : Deadline(); }

private:
    std::shared_ptr<Database> db_;
    std::optional<Deadline> deadline_;
    void lease(std::shared_ptr<Database> session, const std::wstring& password);
};

// Writes the password record into a database being made (the builder's step).
void storePassword(Database& db, const std::wstring& password, const std::wstring& seed);

} // namespace data
