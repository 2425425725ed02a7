#pragma once

#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/combo_box/combo_frame.h"
#include "widgets/combo_box/combo_picture.h"
#include "widgets/combo_box/combo_theme.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace combotest {

// A list frame colour no look uses: what a paint leaves when it sets none.
inline constexpr uint32_t UnsetListFrame = 0x123456;

struct PaintOptions {
    int width = 140;
    int height = 20;
    std::optional<uint32_t> parentBack;
    const widgets::ThemeProvider* theme = nullptr;
};

// The closed combo painted on a memory surface.
struct PaintedCombo {
    forms::Surface surface;
    widgets::FrameLayout layout;
    int w, h;
    PaintedCombo(const widgets::ComboLook& look, int state, PaintOptions o = {})
        : surface(o.width, o.height), w(o.width), h(o.height) {
        static const auto font = forms::StdFont::create(L"Tahoma", 8);
        widgets::FrameInput in{look, state, w, h, nullptr, font->hFont(), 13};
        in.listFrameColor = UnsetListFrame;
        in.parentBack = o.parentBack;
        in.theme = o.theme;
        layout = widgets::ComboFrame(surface.hDC(), in).DrawCombo();
        GdiFlush();
    }
    uint32_t at(int x, int y) const { return surface.pixel(x, y); }
    // The pixels of a rectangle, row after row.
    std::vector<uint32_t> area(int left, int top, int right, int bottom) const {
        std::vector<uint32_t> px;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) px.push_back(at(x, y));
        return px;
    }
    int count(uint32_t colour) const {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) n += at(x, y) == colour;
        return n;
    }
};

// Visual styles that never open: what a system without them gives.
class NoTheme : public widgets::ThemeProvider {
public:
    HANDLE open(HWND, const wchar_t*) const override { return nullptr; }
    HRESULT draw(HANDLE, HDC, int, int, const RECT&, const RECT&) const override { return E_FAIL; }
    void close(HANDLE) const override {}
};

inline widgets::ComboLook lookOf(long appearance, long office = 0, long xp = 1) {
    widgets::ComboLook look;
    look.AppearanceCombo = appearance;
    look.OfficeAppearance = office;
    look.XpAppearance = xp;
    return look;
}

inline uint32_t grey(int level) {
    return RGB(level, level, level);
}

} // namespace combotest
