#include "platform/hook/exports.h"
#include "platform/core/late_bound.h"
#include "platform/core/system_handles.h"

#include <commctrl.h>

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
    if (inUser32) return TrackMouseEvent(&tme) != FALSE;
    static const core::LateBound<decltype(::_TrackMouseEvent)> track{L"comctl32.dll", "_TrackMouseEvent"};
    return track && track(&tme);
}

} // namespace hook
