#include "tools/build_lock.h"

#include "platform/core/text.h"
#include "platform/data/file_open.h"

#include <stdexcept>
#include <vector>

namespace tools {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Under Wine a blocking wait would not hear of a release by another Wine server, which tells only its
// own programs: the wait is a poll.
bool lockFirstByte(HANDLE file) {
    OVERLAPPED at{};
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

// Whether the path still gives the file: one locked just after its holder moved it off the name holds
// nothing, since a third build may already hold a new file under the name. A file system that cannot
// tell a file's identity leaves the lock alone to decide.
bool named(const std::wstring& path, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION held{}, now{};
    if (!GetFileInformationByHandle(file, &held)) return true;
    const core::FileHandle there(
        CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    return there && GetFileInformationByHandle(there.get(), &now) &&
           held.dwVolumeSerialNumber == now.dwVolumeSerialNumber &&
           held.nFileIndexHigh == now.nFileIndexHigh && held.nFileIndexLow == now.nFileIndexLow;
}

// Gives the file a name of its own beside the old one; false when it cannot be moved.
bool moveOffItsName(HANDLE file, const std::wstring& path) {
    const std::wstring aside =
        path + L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetTickCount());
    const size_t bytes = aside.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + bytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = DWORD(bytes);
    aside.copy(rename->FileName, aside.size());
    return SetFileInformationByHandle(file, FileRenameInfo, rename, DWORD(buffer.size()));
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    const DWORD written = n ? GetFullPathNameW(path.c_str(), n, full.data(), nullptr) : 0;
    if (written == 0 || written >= n) return path;
    full.resize(written);
    return full;
}

} // namespace

std::wstring BuildLock::fileIn(const std::wstring& folder) {
    const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return folder + (separated ? L"" : L"\\") + L"make_databases.lock";
}

BuildLock::BuildLock(const std::wstring& folder, const std::function<void()>& waiting)
    : path_(fullPath(fileIn(folder))) {
    for (bool told = false;;) {
        core::FileHandle h(CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kShareAll,
                                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (h && lockFirstByte(h.get())) {
            if (named(path_, h.get())) {
                file_ = std::move(h);
                return;
            }
            continue; // a build let go of it just now: the name gives the next one
        }
        const DWORD error = GetLastError();
        // A sharing violation is an older builder, which held the file open without sharing.
        if (error != ERROR_LOCK_VIOLATION && error != ERROR_SHARING_VIOLATION)
            throw std::runtime_error("cannot hold the folder for the build (" +
                                     core::toUtf8(data::systemMessage(error)) + "): " + core::toUtf8(path_));
        if (!told && waiting) waiting();
        told = true;
        Sleep(200);
    }
}

BuildLock::~BuildLock() {
    // Off its name while still locked, then gone when closed. A file that cannot be moved stays
    // under its name, unlocked, for the next build to take.
    if (moveOffItsName(file_.get(), path_)) {
        FILE_DISPOSITION_INFO gone{TRUE};
        SetFileInformationByHandle(file_.get(), FileDispositionInfo, &gone, sizeof gone);
    }
    OVERLAPPED at{};
    UnlockFileEx(file_.get(), 0, 1, 0, &at);
}

} // namespace tools
