#pragma once

#include "platform/data/connection.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/core/runtime_error.h"

#include "support/errors.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace datatest {

class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder(L"vexa-data-") {}
};

inline std::string fileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(h, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(h);
    return bytes;
}

inline void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

// Makes a database file with a password record and runs the statements on it.
inline void makeDatabase(const std::wstring& file, const std::wstring& password,
                         std::initializer_list<const wchar_t*> statements) {
    data::Database db(file, data::Database::Mode::Create);
    data::storePassword(db, password, L"test");
    for (auto sql : statements) db.execute(sql);
}

// The connection string as the forms build it: "/" after the folder and after "oracle", then "\".
inline std::wstring connectionString(const std::wstring& folder, const std::wstring& name,
                                     const std::wstring& password) {
    return L"Provider=Microsoft.jet.oledb.4.0; Data Source=" + folder + L"/\\" + name +
           L";Jet Oledb:Database Password =" + password;
}

using testsupport::errorOf;

// An environment variable of this process; empty when unset (a child started by a test reads its
// instructions from it).
inline std::wstring environmentValue(const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer) : std::wstring();
}

} // namespace datatest
