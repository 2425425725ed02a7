#pragma once

// Clock and summaries shared by the benchmarks.

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

// Milliseconds on the performance counter.
inline double now() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline double percentile95(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * 95 / 100)];
}

// The program folder a benchmark works in: its first argument, else the folder it was started from.
inline std::wstring programFolder() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        folder = exe;
        folder = folder.substr(0, folder.find_last_of(L'\\'));
    }
    LocalFree(argv);
    return folder;
}

} // namespace bench
