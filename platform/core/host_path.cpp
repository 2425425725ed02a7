#include "platform/core/host_path.h"

#include "platform/core/text.h"

#include <windows.h>

namespace core {

namespace {

using UnixFileNameFn = char*(__cdecl*)(const wchar_t*);
using DosFileNameFn = wchar_t*(__cdecl*)(const char*);

UnixFileNameFn unixFileName() {
    static UnixFileNameFn fn = [] {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        return kernel ? reinterpret_cast<UnixFileNameFn>(GetProcAddress(kernel, "wine_get_unix_file_name"))
                      : nullptr;
    }();
    return fn;
}

DosFileNameFn dosFileName() {
    static DosFileNameFn fn = [] {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        return kernel ? reinterpret_cast<DosFileNameFn>(GetProcAddress(kernel, "wine_get_dos_file_name"))
                      : nullptr;
    }();
    return fn;
}

} // namespace

bool runningUnderWine() {
    return unixFileName() != nullptr;
}

std::optional<std::wstring> hostPath(const std::wstring& windowsPath) {
    auto fn = unixFileName();
    if (!fn) return windowsPath;
    // The lookup wants a full path; relative ones are taken from the working folder.
    wchar_t full[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(windowsPath.c_str(), MAX_PATH * 2, full, nullptr);
    if (n == 0 || n >= MAX_PATH * 2) return std::nullopt;
    char* host = fn(full);
    if (!host) return std::nullopt;
    std::wstring result = fromUtf8(host);
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

std::optional<std::wstring> hostProgram(const char* hostFile) {
    auto fn = dosFileName();
    if (!fn) return std::nullopt;
    wchar_t* name = fn(hostFile);
    if (!name) return std::nullopt;
    std::wstring program(name);
    HeapFree(GetProcessHeap(), 0, name);
    if (!fileExists(program)) return std::nullopt;
    return program;
}

bool fileExists(const std::wstring& windowsPath) {
    DWORD attributes = GetFileAttributesW(windowsPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace core
