#pragma once

#include <windows.h>

#include <functional>

namespace forms {

// Where the mouse pointer is and which window lies under a point: GetCursorPos and WindowFromPoint,
// unless a test put its own in (the pointer can then be placed without moving the real one).
POINT cursorPosition();
HWND windowAtPoint(POINT point);

struct CursorSource {
    std::function<POINT()> position;
    std::function<HWND(POINT)> windowAt;
};
// Replaces the source; an empty member stands for the real call. The previous source is returned.
CursorSource setCursorSource(CursorSource source);

} // namespace forms
