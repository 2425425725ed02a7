// memory_probe private <program.exe>: the private bytes of the one running process of that program
// in this Wine prefix: GetProcessMemoryInfo's PrivateUsage, the memory that belongs to the process
// alone, neither shared nor mapped from a file (under Wine its anonymous resident memory and swap).
// memory_probe origin <window title>: the screen position of that top-level window's client area.
// Prints one line of numbers; exits with 1, saying why, when there is no such process or window.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

int privateBytes(const wchar_t* image) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        std::fwprintf(stderr, L"No process list (error %lu)\n", GetLastError());
        return 1;
    }
    std::vector<DWORD> found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, image) == 0) found.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    if (found.size() != 1) {
        std::fwprintf(stderr, L"%zu processes of %ls run; one was expected\n", found.size(), image);
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, found[0]);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    const bool ok =
        process &&
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    const DWORD error = GetLastError();
    if (process) CloseHandle(process);
    // Windows documents PrivateUsage as the same value as PagefileUsage (the commit charge); Wine 8
    // fills only the latter.
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    if (!ok || bytes == 0) {
        std::fwprintf(stderr, L"The memory of %ls could not be read (error %lu)\n", image, error);
        return 1;
    }
    std::printf("%lu\n", static_cast<unsigned long>(bytes));
    return 0;
}

int clientOrigin(const wchar_t* title) {
    HWND window = FindWindowW(nullptr, title);
    POINT origin{0, 0};
    if (!window || !ClientToScreen(window, &origin)) {
        std::fwprintf(stderr, L"No window \"%ls\"\n", title);
        return 1;
    }
    std::printf("%ld %ld\n", origin.x, origin.y);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"private") == 0) return privateBytes(argv[2]);
    if (argc == 3 && std::wcscmp(argv[1], L"origin") == 0) return clientOrigin(argv[2]);
    std::fwprintf(stderr, L"usage: memory_probe private <program.exe> | origin <window title>\n");
    return 2;
}
