// bare_window: the floor the start-up benchmark measures vexa.exe against. One top-level window of
// the main window's title, style and client size that paints one colour, from a program that
// imports only kernel32, user32, gdi32 and the C run time: what Wine's process start and one paint
// cost before any of the program's own work. Plain C calls only, so that no library comes along.
// With VEXA_START_TRACE naming a file it writes there, as vexa.exe does, when its steps happen.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

static const wchar_t kTitle[] = L"Vexa R7 Edition";
static int painted = 0;

static void mark(const char* step) {
    // Opened once, as vexa.exe keeps its trace open.
    static FILE* out = [] {
        const char* file = getenv("VEXA_START_TRACE");
        return file && *file ? fopen(file, "a") : nullptr;
    }();
    if (!out) return;
    FILETIME t;
    GetSystemTimeAsFileTime(&t);
    const unsigned long long ticks = ((unsigned long long)t.dwHighDateTime << 32) | t.dwLowDateTime;
    fprintf(out, "%.3f %s\n", (double)(ticks - 116444736000000000ull) / 10000.0, step);
    fflush(out);
}

static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(0xF9F9F9);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        if (!painted++) mark("first paint");
        return 0;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    mark("WinMain");
    RECT r = {0, 0, 632, 466};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&r, style, FALSE);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BareWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, kTitle, style, CW_USEDEFAULT, 0, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    mark("window made");
    ShowWindow(hwnd, SW_SHOWNORMAL);
    mark("shown");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
