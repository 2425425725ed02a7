#include "platform/data/file_open.h"

#include "platform/data/errors.h"

#include <windows.h>

namespace data {

std::wstring systemMessage(unsigned long code) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = n && text ? std::wstring(text, n) : L"system error " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!out.empty() &&
           (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' ' || out.back() == L'.'))
        out.pop_back();
    return out;
}

core::FileHandle openToRead(const std::wstring& file, const Deadline& deadline) {
    for (;;) {
        core::FileHandle h(CreateFileW(file.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (h) return h;
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            fail(err::DatabaseMissing, L"The database file does not exist", file);
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)
            fail(err::FileError, L"The database file cannot be read: " + systemMessage(error), file);
        if (!deadline.waitAgain())
            fail(err::Locked, L"The database file is in use by another program and stayed locked", file);
    }
}

} // namespace data
