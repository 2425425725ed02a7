#pragma once

// Move-only owners of GDI objects. An object is deleted only by its owner, and a ScopedSelect puts
// the previous object back before the owner can go, so nothing is deleted while selected.

#include "platform/core/unique_handle.h"

#include <windows.h>

#include <utility>

namespace forms {

struct DeleteGdiObject {
    void operator()(HGDIOBJ handle) const noexcept { DeleteObject(handle); }
};
struct DestroyIconHandle {
    void operator()(HICON handle) const noexcept { DestroyIcon(handle); }
};

// Owns one HPEN, HBRUSH, HFONT, HBITMAP or HRGN and deletes it with DeleteObject.
template <typename Handle>
using GdiObject = core::UniqueHandle<Handle, DeleteGdiObject>;

using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;

// Owns an icon or cursor made at run time (DestroyIcon). Shared icons from LoadIcon must not be owned.
using GdiIcon = core::UniqueHandle<HICON, DestroyIconHandle>;

// Owns a memory DC (CreateCompatibleDC), deleted with DeleteDC.
class MemoryDC {
public:
    MemoryDC() = default;
    // A DC compatible with the given one (the screen when null).
    static MemoryDC compatibleWith(HDC dc) { return MemoryDC(CreateCompatibleDC(dc)); }
    explicit MemoryDC(HDC dc) noexcept : dc_(dc) {}
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() { reset(); }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    void reset() noexcept {
        if (dc_) DeleteDC(std::exchange(dc_, nullptr));
    }

private:
    HDC dc_ = nullptr;
};

// A window's DC from GetDC, given back with ReleaseDC. A null window gives the screen DC.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDC(WindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC and selects the previous one back when it goes. Not for regions:
// selecting a region copies it as the clip region and gives back no previous object.
class ScopedSelect {
public:
    ScopedSelect(HDC, HRGN) = delete;
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelect(ScopedSelect&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    ScopedSelect& operator=(ScopedSelect&&) = delete;
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { restore(); }

    // Puts the previous object back now.
    void restore() noexcept {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// Saves a DC's whole state (SaveDC) and restores it when it goes.
class SavedDC {
public:
    explicit SavedDC(HDC dc) noexcept : dc_(dc), id_(SaveDC(dc)) {}
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
    ~SavedDC() {
        if (id_) RestoreDC(dc_, id_);
    }

private:
    HDC dc_;
    int id_;
};

} // namespace forms
