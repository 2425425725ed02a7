#pragma once

// Screenshots a person looks at: a test shows a window and saves what the screen shows of it under
// build/screenshots/<name>.bmp (beside the test programs' bin folder); scripts/screenshots runs
// those tests and turns the images into PNG.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

// The screen's pixels in a window's rectangle (its frame included), 0x00RRGGBB each, rows top down.
struct Shot {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF at(int x, int y) const {
        const uint32_t p = px[size_t(y) * size_t(w) + size_t(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

// A shot of a rectangle of the screen, its pixels drawn by `draw` onto a memory DC whose origin is the
// rectangle's corner.
template <class Draw>
Shot shotOf(const RECT& outer, Draw draw) {
    Shot s;
    s.w = outer.right - outer.left;
    s.h = outer.bottom - outer.top;
    if (s.w <= 0 || s.h <= 0) return s;
    HDC mem = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), s.w, -s.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        draw(mem);
        GdiFlush();
        s.px.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(s.w) * size_t(s.h));
        SelectObject(mem, old);
        DeleteObject(bmp);
    }
    DeleteDC(mem);
    return s;
}

// What the screen shows in a rectangle of it, read from the screen's DC: the way to see the windows of
// another program.
inline Shot captureScreen(const RECT& r) {
    return shotOf(r, [&](HDC mem) {
        HDC screen = GetDC(nullptr);
        BitBlt(mem, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

// What the screen shows of the windows (a form and its floating tips or lists), put together at their
// places in the rectangle that holds them all, each read from its own window DC. With clientOnly,
// only the first window's client area is taken.
inline Shot captureWindows(const std::vector<HWND>& windows, bool clientOnly = false) {
    if (windows.empty()) return {};
    RECT outer{};
    if (clientOnly) {
        GetClientRect(windows.front(), &outer);
        MapWindowPoints(windows.front(), nullptr, reinterpret_cast<POINT*>(&outer), 2);
    } else {
        GetWindowRect(windows.front(), &outer);
        for (HWND window : windows) {
            RECT r{};
            GetWindowRect(window, &r);
            UnionRect(&outer, &outer, &r);
        }
    }
    return shotOf(outer, [&](HDC mem) {
        for (HWND window : windows) {
            RECT r{};
            GetWindowRect(window, &r);
            HDC dc = GetWindowDC(window);
            BitBlt(mem, r.left - outer.left, r.top - outer.top, r.right - r.left, r.bottom - r.top, dc, 0, 0,
                   SRCCOPY);
            ReleaseDC(window, dc);
        }
    });
}

inline Shot captureWindow(HWND hwnd, bool clientOnly = false) {
    return captureWindows({hwnd}, clientOnly);
}

// The folder screenshots go to: build/screenshots beside build/bin, made when missing.
inline std::wstring screenshotFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir = dir.substr(0, dir.find_last_of(L"\\/")); // bin
    dir = dir.substr(0, dir.find_last_of(L"\\/")) + L"\\screenshots";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

// Saves a shot as <folder>/<name>.bmp; returns whether the file was written.
inline bool saveShot(const Shot& s, const std::wstring& name) {
    if (s.px.empty()) return false;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{sizeof(BITMAPINFOHEADER), s.w, -s.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD bytes = DWORD(s.px.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + bytes;
    // Opaque, for viewers that read the fourth byte as alpha.
    std::vector<uint32_t> px(s.px);
    for (auto& p : px) p |= 0xFF000000u;
    const std::wstring file = screenshotFolder() + L"\\" + name + L".bmp";
    FILE* f = _wfopen(file.c_str(), L"wb");
    if (!f) return false;
    const bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
                    std::fwrite(px.data(), 1, bytes, f) == bytes;
    return std::fclose(f) == 0 && ok;
}

} // namespace testsupport
