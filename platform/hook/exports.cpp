#include "platform/hook/exports.h"
#include "platform/core/system_handles.h"

namespace hook {

bool IsFunctionExported(const char* function, const char* module) {
    HMODULE handle = GetModuleHandleA(module);
    core::ModuleHandle loaded;
    if (!handle) {
        loaded.reset(LoadLibraryA(module));
        handle = loaded.get();
    }
    return handle && GetProcAddress(handle, function) != nullptr;
}

std::uintptr_t exportAddress(const char* module, const char* function) {
    HMODULE handle = GetModuleHandleA(module);
    return handle ? reinterpret_cast<std::uintptr_t>(GetProcAddress(handle, function)) : 0;
}

bool TrackMouseLeave(HWND window, bool inUser32) {
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = window;
    tme.dwHoverTime = 0;
    using TrackFn = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    HMODULE module = GetModuleHandleA(inUser32 ? "user32" : "comctl32");
    if (!module && !inUser32) module = LoadLibraryA("comctl32");
    if (!module) return false;
    const auto fn =
        reinterpret_cast<TrackFn>(GetProcAddress(module, inUser32 ? "TrackMouseEvent" : "_TrackMouseEvent"));
    return fn && fn(&tme);
}

} // namespace hook
