#include "platform/core/start_trace.h"

#include "platform/core/text.h"

#include <windows.h>

#include <cstdio>

namespace core::startTrace {

namespace {

// Milliseconds since 1970 of a time in 100 ns steps since 1601.
double unixMs(ULONGLONG ticks) {
    return static_cast<double>(ticks - 116444736000000000ULL) / 10000.0;
}

ULONGLONG ticksOf(const FILETIME& t) {
    return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

void append(HANDLE file, double at, const std::wstring& step) {
    char time[32];
    std::snprintf(time, sizeof time, "%.3f ", at);
    const std::string line = time + toUtf8(step) + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

} // namespace

void mark(const std::wstring& step) {
    // Opened once and kept for the run: opening it per step would cost the steps' times.
    static const HANDLE file = [] {
        wchar_t name[MAX_PATH] = L"";
        if (!GetEnvironmentVariableW(L"VEXA_START_TRACE", name, MAX_PATH)) return INVALID_HANDLE_VALUE;
        HANDLE h = CreateFileW(name, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        FILETIME created, exited, kernel, user;
        if (h != INVALID_HANDLE_VALUE &&
            GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
            append(h, unixMs(ticksOf(created)), L"process made");
        return h;
    }();
    if (file == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    append(file, unixMs(ticksOf(now)), step);
}

} // namespace core::startTrace
