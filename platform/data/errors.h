#pragma once

#include "platform/core/runtime_error.h"

#include <string>

namespace data {

// Error numbers of database failures, raised as core::RuntimeError. The description names the
// file and carries the driver's own message where there is one.
namespace err {
inline constexpr int DatabaseMissing = 3001; // the database file does not exist
inline constexpr int WrongPassword = 3002;   // the password does not match the one stored in the file
inline constexpr int Locked = 3003;       // another connection or program holds the file longer than the wait
inline constexpr int NotADatabase = 3004; // the file is damaged, truncated or not a database
inline constexpr int Driver = 3005;       // any other failure reported by the driver
inline constexpr int NotOpen = 3006;      // the object is closed (or already open)
inline constexpr int NoSuchField = 3007;  // Fields(name) names no column of the result
inline constexpr int NotUpdatable = 3008; // the result cannot be written back (no single table)
inline constexpr int BadConnectionString = 3009;
inline constexpr int ReadOnly = 3010;  // the file is marked read-only (or the engine refused to write)
inline constexpr int FileError = 3011; // the file cannot be read or written (I/O failure, no access)
inline constexpr int DiskFull = 3012;  // the disk holding the file is full
inline constexpr int NulText = 3013;   // a value or query text holds a NUL character
} // namespace err

// A database failure: a core::RuntimeError that also names the file, so that a message to the user
// can name it in the user's language.
class DatabaseError : public core::RuntimeError {
public:
    DatabaseError(int number, const std::wstring& description, std::wstring file)
        : core::RuntimeError(number, description), file_(std::move(file)) {}
    const std::wstring& file() const noexcept { return file_; }

private:
    std::wstring file_;
};

// Throws DatabaseError(number, text + " (" + file + ")", file).
[[noreturn]] void fail(int number, const std::wstring& text, const std::wstring& file);

} // namespace data
