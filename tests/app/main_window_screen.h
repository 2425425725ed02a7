#pragma once
// What the screen shows of a running vexa.exe's main window, read as a user sees it.
#include "app/esas.h"
#include "support/screenshot.h"

#include <windows.h>

namespace apptest {

// Pixels of the headword list on the screen that are not its background: the list's rows. -1 while
// the list has not painted its place (mostly not its background), as just after the window showed.
inline int headwordInk(HWND main) {
    POINT at{10 + 3, 152 + 3}; // the list's place in the window, inside its outline
    ClientToScreen(main, &at);
    const testsupport::Shot shot = testsupport::captureScreen(RECT{at.x, at.y, at.x + 296, at.y + 278});
    int ink = 0;
    for (int y = 0; y < shot.h; ++y)
        for (int x = 0; x < shot.w; ++x) ink += (shot.at(x, y) & 0xFFFFFF) != app::kWindowColour;
    return ink * 2 > shot.w * shot.h ? -1 : ink;
}

} // namespace apptest
