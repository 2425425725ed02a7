#include "platform/forms/cursor_position.h"

#include <utility>

namespace forms {

namespace {

CursorSource& source() {
    static CursorSource s;
    return s;
}

} // namespace

POINT cursorPosition() {
    if (source().position) return source().position();
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

HWND windowAtPoint(POINT point) {
    if (source().windowAt) return source().windowAt(point);
    return WindowFromPoint(point);
}

CursorSource setCursorSource(CursorSource s) {
    return std::exchange(source(), std::move(s));
}

} // namespace forms
