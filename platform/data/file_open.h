#pragma once

#include "platform/core/system_handles.h"
#include "platform/data/database.h"

#include <string>

namespace data {

// Opens a database file to read its bytes. A file that another program holds open without sharing
// it (a backup, a virus scanner) is waited for like a lock, until the deadline; then it is in use
// (err::Locked). A missing file is err::DatabaseMissing, any other failure err::FileError.
core::FileHandle openToRead(const std::wstring& file, const Deadline& deadline);

// The system's text for an error code, without its closing full stop.
std::wstring systemMessage(unsigned long code);

} // namespace data
