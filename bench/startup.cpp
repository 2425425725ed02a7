// bench_startup [program folder] [runs]
// Starts vexa.exe as a user would (a new process in the program folder, by default the folder of
// this program, where scripts/run builds the databases) and times it from the start to the moment
// the main window on the screen is painted as it finally stands. The first start warms the disk
// and fixes that final picture (taken after the window has been left alone for three seconds);
// every later start is timed against it, and each is ended once timed. Needs a display.
// The same is done, start for start in turn with vexa.exe, for this program started as a bare window
// of the same title and size that paints one colour: what Wine's process start and a first paint
// cost before any of the program's work.
// Then, in this process, what the window leaves until after its first paint: the dictionary's first
// opening, which checks the whole file (pages, digest, password), and the digest alone.
#include "timing.h"
#include "app/database_paths.h"
#include "platform/data/connection.h"
#include "platform/data/content_digest.h"
#include "platform/core/runtime_error.h"
#include "platform/data/session_pool.h"
#include "platform/forms/form.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

const wchar_t* const kTitle = L"Vexa R7 Edition";
const wchar_t* const kBareClass = L"BareWindow";
constexpr DWORD kSettleAfterEndMs = 500;

struct Started {
    PROCESS_INFORMATION pi{};
    double at = 0;
};

// Starts a program in a folder; arguments follow the program's quoted name.
Started start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder) {
    Started s;
    std::wstring command = L"\"" + exe + L"\"" + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    s.at = bench::now();
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                        &s.pi)) {
        std::printf("%ls cannot be started (error %lu)\n", exe.c_str(), GetLastError());
        std::exit(1);
    }
    return s;
}

// Ends a started program and leaves the system a moment to clear up after it (its windows, its
// icon in the notification area), so that the next start does not pay for that.
void end(Started& s) {
    TerminateProcess(s.pi.hProcess, 0);
    WaitForSingleObject(s.pi.hProcess, 10000);
    CloseHandle(s.pi.hProcess);
    CloseHandle(s.pi.hThread);
    Sleep(kSettleAfterEndMs);
}

// The started process's main window once it is visible, found by its class and title. Looking only at
// windows of that class keeps each look to a few requests to Wine's server, which the starting
// program needs too; going through every window of the desktop every few milliseconds cost the
// server a few requests per window each time.
HWND mainWindow(const wchar_t* windowClass, DWORD processId) {
    for (HWND w = FindWindowExW(nullptr, nullptr, windowClass, kTitle); w;
         w = FindWindowExW(nullptr, w, windowClass, kTitle)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId) return IsWindowVisible(w) ? w : nullptr;
    }
    return nullptr;
}

// The window's pixels as the screen shows them.
std::vector<DWORD> screenPixels(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return {};
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<const DWORD*>(bits), pixels.size(), pixels.data());
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether the screen shows the final picture; a few pixels may differ (the search box's caret).
bool painted(const std::vector<DWORD>& now, const std::vector<DWORD>& final) {
    if (now.size() != final.size() || final.empty()) return false;
    size_t differing = 0;
    for (size_t i = 0; i < now.size(); ++i)
        if ((now[i] & 0xFFFFFF) != (final[i] & 0xFFFFFF)) ++differing;
    return differing <= final.size() / 500;
}

struct Program {
    const char* label;
    std::wstring exe, arguments, folder;
    const wchar_t* windowClass;
    Started start() const { return ::start(exe, arguments, folder); }
};

// The window's final picture: after the first start, once it has been left alone for three seconds.
std::vector<DWORD> finalPicture(const Program& program) {
    Started s = program.start();
    HWND hwnd = nullptr;
    while (!hwnd && bench::now() - s.at < 20000) {
        hwnd = mainWindow(program.windowClass, s.pi.dwProcessId);
        Sleep(10);
    }
    std::vector<DWORD> final;
    if (hwnd) {
        Sleep(3000);
        final = screenPixels(hwnd);
    }
    end(s);
    return final;
}

// Milliseconds from the start to the final picture, or a negative value when it never came.
double timeToPainted(const Program& program, const std::vector<DWORD>& final) {
    Started s = program.start();
    double took = -1;
    while (bench::now() - s.at < 20000) {
        HWND hwnd = mainWindow(program.windowClass, s.pi.dwProcessId);
        if (hwnd && painted(screenPixels(hwnd), final)) {
            took = bench::now() - s.at;
            break;
        }
        // Reading the screen keeps the display server busy, which the program needs too.
        Sleep(4);
    }
    end(s);
    return took;
}

// Starts each program the given number of times, taking turns, so that whatever else the machine
// does meanwhile weighs on both alike; prints every start and returns each program's median, or
// nothing when a start failed.
std::optional<std::vector<double>> timeStarts(const std::vector<Program>& programs, int runs) {
    std::vector<std::vector<DWORD>> finals;
    for (const Program& program : programs) {
        finals.push_back(finalPicture(program));
        if (finals.back().empty()) {
            std::printf("%s: the window did not show\n", program.label);
            return std::nullopt;
        }
    }
    std::vector<std::vector<double>> times(programs.size());
    for (int i = 0; i < runs; ++i) {
        for (size_t p = 0; p < programs.size(); ++p) {
            const double t = timeToPainted(programs[p], finals[p]);
            if (t < 0) {
                std::printf("%s, start %d: the window never showed its final picture\n", programs[p].label,
                            i + 1);
                return std::nullopt;
            }
            times[p].push_back(t);
        }
    }
    std::vector<double> medians;
    for (size_t p = 0; p < programs.size(); ++p) {
        std::printf("%s, %d starts, milliseconds:", programs[p].label, runs);
        for (double t : times[p]) std::printf(" %.0f", t);
        std::printf("\n");
        medians.push_back(bench::median(times[p]));
    }
    return medians;
}

LRESULT CALLBACK bareWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(0xF9F9F9);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A window of the main window's title and size that paints one colour.
int runBareWindow() {
    RECT r{0, 0, 632, 466};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&r, style, FALSE);
    WNDCLASSW wc{};
    wc.lpfnWndProc = bareWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kBareClass;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, kTitle, style, CW_USEDEFAULT, 0, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

// What the window leaves until after its first paint, in this process: the first opening of a copy of
// the dictionary (this process has not checked it yet), and the digest alone.
void reportCheck(const std::wstring& folder) {
    const app::DatabasePaths paths = app::databasePaths(folder);
    const std::wstring& dictionary = paths.dictionary;
    std::vector<double> opens, digests;
    for (int i = 0; i < 5; ++i) {
        const std::wstring copy = paths.folder + L"\\bench-check-" + std::to_wstring(i) + L".vex";
        CopyFileW(dictionary.c_str(), copy.c_str(), FALSE);
        struct Removed {
            std::wstring file;
            ~Removed() { DeleteFileW(file.c_str()); }
        } removed{copy};
        double start = bench::now();
        data::contentDigest(copy);
        digests.push_back(bench::now() - start);
        start = bench::now();
        {
            data::Connection cn;
            cn.Open(L"Provider=Microsoft.jet.oledb.4.0; Data Source=" + copy +
                    L";Jet Oledb:Database Password =pim407talo863grube");
        }
        opens.push_back(bench::now() - start);
        data::sessionPool::clear();
    }
    // The password is derived once per process: only the first opening pays for it.
    std::printf("dictionary check after the first paint: first open of dat.vex %.0f ms (pages, digest, "
                "password), the digest alone median %.0f ms\n",
                opens.front(), bench::median(digests));
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder = folder.substr(0, folder.find_last_of(L'\\'));
    if (argc > 1 && std::wstring(argv[1]) == L"--bare-window") return runBareWindow();
    if (argc > 1) folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 15;
    const app::DatabasePaths paths = app::databasePaths(folder);
    for (const std::wstring& file : {paths.dictionary, paths.settings}) {
        if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("%ls: not found (scripts/run builds it)\n", file.c_str());
            return 1;
        }
    }

    const auto medians =
        timeStarts({{"vexa.exe", folder + L"\\vexa.exe", L"", folder, forms::FormWindowClass},
                    {"bare window", exe, L" --bare-window", folder, kBareClass}},
                   runs);
    if (!medians) return 1;
    std::printf("warm start to painted window: median %.0f ms\n", (*medians)[0]);
    std::printf("bare window (process start and one paint, the floor under Wine): median %.0f ms\n",
                (*medians)[1]);

    try {
        reportCheck(folder);
    } catch (const core::RuntimeError& e) {
        std::printf("dictionary check: %ls\n", e.description().c_str());
    }
    return 0;
}
