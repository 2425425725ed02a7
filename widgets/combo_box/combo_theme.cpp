#include "widgets/combo_box/combo_theme.h"

namespace widgets {

namespace {

class SystemTheme : public ThemeProvider {
public:
    SystemTheme() {
        HMODULE library = LoadLibraryW(L"uxtheme.dll");
        if (!library) return;
        open_ = reinterpret_cast<Open>(reinterpret_cast<void*>(GetProcAddress(library, "OpenThemeData")));
        draw_ =
            reinterpret_cast<Draw>(reinterpret_cast<void*>(GetProcAddress(library, "DrawThemeBackground")));
        close_ = reinterpret_cast<Close>(reinterpret_cast<void*>(GetProcAddress(library, "CloseThemeData")));
    }
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
    using Open = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using Draw = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using Close = HRESULT(WINAPI*)(HANDLE);
    Open open_ = nullptr;
    Draw draw_ = nullptr;
    Close close_ = nullptr;
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
