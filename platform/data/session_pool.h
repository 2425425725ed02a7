#pragma once

#include <memory>
#include <string>

namespace data {

class Database;

// What tells a database file apart from the file that stood at its path before: the full path in
// lower case, the attributes, the size and the creation and write times. Empty when the file
// cannot be reached.
std::wstring fileIdentity(const std::wstring& file);

// Sessions that closed connections handed back, kept a short time so that the next Open of the same
// file with the same password goes on with one of them instead of connecting anew, as the platform's
// providers pool their sessions. A session is handed out again only while its file is the one it
// was opened on; a changed or replaced file gets a new session.
namespace sessionPool {

// A session of the file opened with the password, or null when none is kept for it.
std::shared_ptr<Database> take(const std::wstring& file, const std::wstring& password);
// Keeps a session that no one uses any more; one inside a transaction is closed instead.
void give(std::shared_ptr<Database> session, const std::wstring& password);
// Closes every kept session (a program that replaces a database file it has open calls this).
void clear();
// How many sessions are kept (kept for the tests).
size_t size();

// How long a session is kept, in milliseconds; 0 keeps none (the getter kept for the tests).
int lifetime();
void setLifetime(int milliseconds);

// Whether the password was checked against this file (as it is now) before, in this process.
bool passwordChecked(const std::wstring& file, const std::wstring& password);
void notePasswordChecked(const std::wstring& file, const std::wstring& password);

} // namespace sessionPool

} // namespace data
