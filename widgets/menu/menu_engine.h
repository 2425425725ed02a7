// The owner-drawn menu engine: it turns every item of one form's menus into an owner-drawn item,
// keeps each item's caption in its tables, subclasses the form and answers the measure and draw
// requests of its menus. There is one engine per process, serving one form at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/menu/menu_kdq_paint.h"

namespace widgets::modProcess {

// Item data: a bar item at position i holds i * 1000; the item at position p of the menu numbered j
// (1-based in the menu list) holds (j - 1) * 1000 + p + 1. Menus hold at most 999 items.
inline constexpr std::uint32_t kItemsPerMenu = 1000;

// The settings the control sets and the state the engine keeps.
struct Settings {
    MenuFont font;
    bool TiengViet = false;
};
Settings& settings();

HDC MenuDC();
HWND OwnerWnd();
bool hooked();

// The stored caption of (menu column b, item a), empty when there is none; the widest item text of
// menu column b.
std::wstring MenuCaption(std::size_t b, std::size_t a);
std::int32_t MenuWidth(std::size_t b);

// Widths in the item font, measured on MenuDC.
std::int32_t TextWidth(const std::wstring& text);
std::int32_t ItemTextWidth(const std::wstring& caption);

// Starts the engine for a form: measuring on dc from now on, the system menu translated, the form
// subclassed, its menus converted. A form already served is let go first.
void Setup(HDC dc, HWND form);
void HookMenus(HWND form);
void TranslateSystemMenu(HWND form);
void BuildMenuTables(HWND form);
void RefreshMenus(HWND form);
// Gives the form its previous window procedure back; nothing when the engine does not serve it or
// the window is gone. Under a later subclasser the engine's procedure stays as a plain pass-through.
void UnhookMenus(HWND form);

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The cache of fonts, pens and brushes (for tests: how many objects it holds).
MenuGdiCache& gdiCache();

} // namespace widgets::modProcess
