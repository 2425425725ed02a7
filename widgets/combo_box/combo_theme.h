// Visual styles for the combo's themed look, behind a small interface so a paint can be given
// another provider (or none) than the system's.
#pragma once

#include <windows.h>

namespace widgets {

class ThemeProvider {
public:
    virtual ~ThemeProvider() = default;
    // A theme handle for the window and class list; null when there is none.
    virtual HANDLE open(HWND window, const wchar_t* classList) const = 0;
    virtual HRESULT draw(HANDLE theme, HDC dc, int part, int state, const RECT& rect,
                         const RECT& clip) const = 0;
    virtual void close(HANDLE theme) const = 0;

    // The platform's visual styles, loaded once; opens nothing when the library or one of its
    // functions is missing.
    static const ThemeProvider& system();
};

// Draws one themed part over the rectangle (clipped to it); false when nothing was drawn: no
// provider, no theme for the class, or a failed draw.
bool DrawThemePart(const ThemeProvider* provider, HWND window, HDC dc, const wchar_t* className, int part,
                   int state, const RECT& rect);

} // namespace widgets
