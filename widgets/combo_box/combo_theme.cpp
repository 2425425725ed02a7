#include "widgets/combo_box/combo_theme.h"

#include "platform/core/late_bound.h"

#include <uxtheme.h>

namespace widgets {

namespace {

class SystemTheme : public ThemeProvider {
public:
    HANDLE open(HWND window, const wchar_t* classList) const override {
        return open_ && draw_ && close_ ? open_(window, classList) : nullptr;
    }
    HRESULT draw(HANDLE theme, HDC dc, int part, int state, const RECT& rect,
                 const RECT& clip) const override {
        return draw_ ? draw_(theme, dc, part, state, &rect, &clip) : E_FAIL;
    }
    void close(HANDLE theme) const override {
        if (close_) close_(theme);
    }

private:
    core::LateBound<decltype(OpenThemeData)> open_{L"uxtheme.dll", "OpenThemeData"};
    core::LateBound<decltype(DrawThemeBackground)> draw_{L"uxtheme.dll", "DrawThemeBackground"};
    core::LateBound<decltype(CloseThemeData)> close_{L"uxtheme.dll", "CloseThemeData"};
};

} // namespace

const ThemeProvider& ThemeProvider::system() {
    static const SystemTheme theme;
    return theme;
}

bool DrawThemePart(const ThemeProvider* provider, HWND window, HDC dc, const wchar_t* className, int part,
                   int state, const RECT& rect) {
    if (!provider) return false;
    HANDLE theme = provider->open(window, className);
    if (!theme) return false;
    const bool drawn = provider->draw(theme, dc, part, state, rect, rect) == S_OK;
    provider->close(theme);
    return drawn;
}

} // namespace widgets
