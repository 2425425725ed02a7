#pragma once

#include <cstdint>
#include <windows.h>

namespace hook {

// Whether a module exports a function; the module is loaded for the question when it is not loaded.
bool IsFunctionExported(const char* function, const char* module);

// The address of a function of a module already loaded; 0 when the module is not loaded or lacks it.
// The module is never loaded here.
std::uintptr_t exportAddress(const char* module, const char* function);

// Asks the system for one WM_MOUSELEAVE when the pointer leaves the window: comctl32's
// _TrackMouseEvent, or user32's TrackMouseEvent when asked for. False when neither could be called.
bool TrackMouseLeave(HWND window, bool inUser32 = false);

} // namespace hook
