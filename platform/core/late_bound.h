#pragma once
// A function of a system library that the window's first paint does not need (speech, a rare
// colour, the notification area, tooltips): the library is loaded at the first call instead of with
// the program, since under Wine every library loaded at start adds to the time before the window
// shows.

#include <windows.h>

namespace core {

template <class Fn>
class LateBound {
public:
    LateBound(const wchar_t* library, const char* name) noexcept {
        if (HMODULE module = LoadLibraryW(library))
            fn_ = reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    // Null when the library or the function is missing.
    Fn* get() const noexcept { return fn_; }

private:
    Fn* fn_ = nullptr; // the library stays loaded for the rest of the run
};

} // namespace core
