#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix = L"vexa-test-") {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static unsigned counter = GetTickCount();
        do {
            path_ = std::wstring(base) + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(++counter);
        } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { removeTree(path_); }

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Names of the files in the folder, in the order the file system gives them, each followed by
    // a blank.
    std::wstring listing() const {
        std::wstring out;
        forEach(path_, [&](const std::wstring& name, bool) { out += name + L" "; });
        return out;
    }

private:
    template <class F>
    static void forEach(const std::wstring& folder, F f) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return;
        do {
            std::wstring name = fd.cFileName;
            if (name != L"." && name != L"..") f(name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    static void removeTree(const std::wstring& folder) {
        forEach(folder, [&](const std::wstring& name, bool isFolder) {
            std::wstring full = folder + L"\\" + name;
            if (isFolder)
                removeTree(full);
            else
                DeleteFileW(full.c_str());
        });
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

} // namespace testsupport
