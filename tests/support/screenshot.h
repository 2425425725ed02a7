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

// What the screen shows of the window: its whole rectangle, or only its client area.
inline Shot captureWindow(HWND hwnd, bool clientOnly = false) {
    Shot s;
    RECT rc;
    POINT origin{0, 0};
    if (clientOnly) {
        GetClientRect(hwnd, &rc);
        ClientToScreen(hwnd, &origin);
    } else {
        GetWindowRect(hwnd, &rc);
        origin = {rc.left, rc.top};
        OffsetRect(&rc, -rc.left, -rc.top);
    }
    s.w = rc.right;
    s.h = rc.bottom;
    if (s.w <= 0 || s.h <= 0) return s;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), s.w, -s.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, s.w, s.h, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        s.px.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(s.w) * size_t(s.h));
        SelectObject(mem, old);
        DeleteObject(bmp);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return s;
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
    const std::wstring file = screenshotFolder() + L"\\" + name + L".bmp";
    FILE* f = _wfopen(file.c_str(), L"wb");
    if (!f) return false;
    const bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
                    std::fwrite(s.px.data(), 1, bytes, f) == bytes;
    return std::fclose(f) == 0 && ok;
}

} // namespace testsupport
