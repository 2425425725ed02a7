#include "tools/build_lock.h"

#include "platform/core/text.h"
#include "platform/data/file_open.h"

#include <stdexcept>

namespace tools {

std::wstring BuildLock::fileIn(const std::wstring& folder) {
    const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return folder + (separated ? L"" : L"\\") + L"make_databases.lock";
}

BuildLock::BuildLock(const std::wstring& folder, const std::function<void()>& waiting) {
    const std::wstring file = fileIn(folder);
    for (bool told = false;; told = true) {
        core::FileHandle h(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (h) {
            file_ = std::move(h);
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION)
            throw std::runtime_error("cannot hold the folder for the build (" +
                                     core::toUtf8(data::systemMessage(error)) + "): " + core::toUtf8(file));
        if (!told && waiting) waiting();
        Sleep(200);
    }
}

} // namespace tools
