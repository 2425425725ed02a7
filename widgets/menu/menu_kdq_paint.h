// The painting of one owner-drawn menu item in the widget set's style: flat light-grey items,
// gradient highlights, embossed text, a drawn check box and etched separators with an optional
// centred title.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/forms/gdi.h"

namespace widgets {

// The fonts, pens and brushes the menus draw with, made once per height and face or per colour and
// kept until the engine lets the form go. They are selected only while an item is drawn.
class MenuGdiCache {
public:
    HFONT font(int height, const std::wstring& face);
    HPEN pen(COLORREF color);
    HBRUSH brush(COLORREF color);
    // How many objects the cache has made since it was last cleared.
    std::size_t made() const { return fonts_.size() + pens_.size() + brushes_.size(); }
    void clear();

private:
    std::map<std::pair<int, std::wstring>, forms::GdiFont> fonts_;
    std::map<COLORREF, forms::GdiPen> pens_;
    std::map<COLORREF, forms::GdiBrush> brushes_;
};

// Caption markers: "[sep]" (any letter case) begins a separator, the rest of it is its title; a Tab
// separates the item text from its shortcut text.
bool IsSeparator(std::wstring_view caption);
std::wstring CaptionText(const std::wstring& caption);
std::wstring ShortcutText(const std::wstring& caption);

// The item font's face and height, as the engine's settings hold them.
struct MenuFont {
    std::int32_t height = 16;
    std::wstring name = L"Tahoma";
};

class MenuPainter {
public:
    MenuPainter(HDC dc, MenuGdiCache& cache, MenuFont font)
        : dc_(dc), cache_(cache), font_(std::move(font)) {}

    // Paints the item of the record; caption is the stored caption of its item data, menuWidth the
    // widest item text of its menu.
    void DrawMenuItem(const DRAWITEMSTRUCT& record, const std::wstring& caption, int menuWidth);

    void DrawRectangle(const RECT& rc, COLORREF pen, COLORREF fill);
    void DrawGradient(const RECT& rc, COLORREF c1, COLORREF c2);
    void DrawGradientMulti(const RECT& rc, COLORREF c1, COLORREF c2);
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF color);
    void DrawItemText(RECT rc, const std::wstring& text, COLORREF color, UINT format);

private:
    HDC dc_;
    MenuGdiCache& cache_;
    MenuFont font_;

    void hline(int x1, int x2, int y, COLORREF color) { DrawLine(x1, y, x2, y, color); }
    void drawCheckBox(const RECT& rc);
    void drawSeparator(RECT rc, const std::wstring& title, COLORREF textColor, int menuWidth);
};

} // namespace widgets
