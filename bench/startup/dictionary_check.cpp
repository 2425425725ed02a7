// bench_startup_check [program folder]: what the main window leaves until after its first paint,
// timed (bench/startup/run prints it after the start times): the dictionary's first opening, which
// checks the whole file (pages, digest, password), and the digest alone. The folder is by default this
// program's, where scripts/run builds the databases.
//
// A process derives a password once, so each opening is timed in a process of its own: this program
// starts itself Opens times with --one, and each of those reads the settings first, as the window
// does before the check (which loads the database driver and the crypto library), reads the whole
// dictionary once so that it is timed from the page cache, and then times the digest and the opening.
#include "bench/timing.h"
#include "app/database_paths.h"
#include "app/settings.h"
#include "platform/core/runtime_error.h"
#include "platform/data/connection.h"
#include "platform/data/content_digest.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int Opens = 7;

// The whole file read once, so that its pages are in the cache when the check reads them.
bool readWhole(const std::wstring& file) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buffer(1 << 20);
    DWORD got = 0;
    while (ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    }
    CloseHandle(h);
    return true;
}

// One process's measure: "open MS digest MS" on the standard output.
int measureOnce(const std::wstring& folder) {
    const app::DatabasePaths paths = app::databasePaths(folder);
    try {
        app::readSettingsAhead(folder).settings.get();
        if (!readWhole(paths.dictionary)) {
            std::printf("error %ls cannot be read\n", paths.dictionary.c_str());
            return 1;
        }
        double start = bench::now();
        data::contentDigest(paths.dictionary);
        const double digest = bench::now() - start;
        start = bench::now();
        {
            data::Connection cn;
            cn.Open(app::dictionaryConnectionString(folder + L"/oracle/"), L"", L"", -1);
        }
        const double open = bench::now() - start;
        std::printf("open %.3f digest %.3f\n", open, digest);
    } catch (const core::RuntimeError& e) {
        std::printf("error %ls\n", e.description().c_str());
        return 1;
    }
    return 0;
}

// Runs this program with --one and returns what it printed (empty when it could not be started).
std::string runOnce(const std::wstring& folder) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --one \"" + folder + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    std::string out;
    if (started) {
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return out;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const bool one = argc > 1 && std::wcscmp(argv[1], L"--one") == 0;
    const std::wstring given = one && argc > 2 ? argv[2] : L"";
    LocalFree(argv);
    const std::wstring folder = one ? given : bench::programFolder();
    const app::DatabasePaths paths = app::databasePaths(folder);
    if (GetFileAttributesW(paths.dictionary.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("%ls: not found (scripts/run builds it)\n", paths.dictionary.c_str());
        return 1;
    }
    if (one) return measureOnce(folder);

    std::vector<double> opens, digests;
    for (int i = 0; i < Opens; ++i) {
        const std::string out = runOnce(folder);
        double open = 0, digest = 0;
        if (std::sscanf(out.c_str(), "open %lf digest %lf", &open, &digest) != 2) {
            std::printf("dictionary check: %s\n",
                        out.empty() ? "the measuring process did not start" : out.c_str());
            return 1;
        }
        opens.push_back(open);
        digests.push_back(digest);
    }
    std::printf(
        "dictionary check after the first paint, dat.vex in the page cache: first open median %.0f ms "
        "of %d processes (pages, digest, password; the settings read before it, as at start), the "
        "digest alone median %.0f ms\n",
        bench::median(opens), Opens, bench::median(digests));
    return 0;
}
