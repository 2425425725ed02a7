#pragma once

// Owners of the kernel and user handles the program frees itself.

#include "platform/core/unique_handle.h"

#include <windows.h>

namespace core {

struct CloseFile {
    static HANDLE none() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct CloseKernelObject {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct FreeModule {
    void operator()(HMODULE handle) const noexcept { FreeLibrary(handle); }
};
struct DestroyMenuHandle {
    void operator()(HMENU handle) const noexcept { DestroyMenu(handle); }
};

// A file opened with CreateFileW; INVALID_HANDLE_VALUE is "no file".
using FileHandle = UniqueHandle<HANDLE, CloseFile>;
// A process, thread or event; null is "none".
using KernelHandle = UniqueHandle<HANDLE, CloseKernelObject>;
// A module loaded with LoadLibrary.
using ModuleHandle = UniqueHandle<HMODULE, FreeModule>;
using MenuHandle = UniqueHandle<HMENU, DestroyMenuHandle>;

} // namespace core
