#pragma once

#include <windows.h>

namespace forms {

// Gives the pointer the shape that the window under it asks for now (through WM_SETCURSOR, as a
// move of the mouse would), when it stands over the top-level window `root` or a window in it. The
// system asks again only when the mouse moves, so a pointer that a change of state should change
// would otherwise keep its old shape over a still mouse.
void refreshPointer(HWND root);

// The wait pointer while the thread does something the user waits for without handling messages (a
// database that another program holds is waited for); when it ends, the pointer is that of whatever
// it stands over.
class WaitPointer {
public:
    WaitPointer();
    ~WaitPointer();
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

} // namespace forms
