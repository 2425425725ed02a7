#include "widgets/menu/menu_engine.h"

#include <algorithm>
#include <map>

#include "platform/core/event_log.h"
#include "platform/forms/form.h"
#include "widgets/shared/gdi_helpers.h"
#include "widgets/shared/vni.h"

namespace widgets::modProcess {

namespace {

constexpr int kShortcutGap = 12;
// The check box margin before the text and the gap after the shortcut column.
constexpr int kItemExtra = 33;
constexpr std::size_t kTextBuffer = 256;

struct Engine {
    Settings settings;
    HDC menuDC = nullptr;
    HWND ownerWnd = nullptr;
    WNDPROC oldWndProc = nullptr;
    bool hooked = false;
    std::vector<std::vector<std::wstring>> captions;
    std::vector<std::int32_t> widths;
    MenuGdiCache cache;
    // Forms let go while another procedure was installed above ours: ours only passes on.
    std::map<HWND, WNDPROC> passThrough;
};

Engine& engine() {
    static Engine e;
    return e;
}

std::wstring& captionSlot(std::size_t b, std::size_t a) {
    auto& rows = engine().captions;
    if (rows.size() <= b) rows.resize(b + 1);
    if (rows[b].size() <= a) rows[b].resize(a + 1);
    return rows[b][a];
}

// The captions the system menu's commands get, for the commands the menu holds.
struct SystemCaption {
    UINT command;
    const wchar_t* caption;
};
constexpr SystemCaption kSystemCaptions[] = {
    {SC_RESTORE, L"Kho6i phu5c"}, {SC_MOVE, L"Di chuye63n"},   {SC_SIZE, L"Ki1ch co74"},
    {SC_MINIMIZE, L"Thu nho3"},   {SC_MAXIMIZE, L"Pho1ng to"}, {SC_CLOSE, L"Ke61t thu1c"},
};

void CollectSubMenus(HMENU menu, std::vector<HMENU>& list) {
    const int n = menu ? GetMenuItemCount(menu) : 0;
    for (int p = 0; p < n; ++p) {
        if (HMENU sub = GetSubMenu(menu, p)) {
            list.push_back(sub);
            CollectSubMenus(sub, list);
        }
    }
}

void MakeOwnerDraw(HMENU menu, std::size_t a, std::size_t b, bool isBar) {
    if (a >= kItemsPerMenu) return;
    const UINT position = UINT(isBar ? b : a - 1);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return;
    // Converted before: its caption is in the tables already (a titled separator reads back as a
    // plain one).
    if (info.fType & MFT_OWNERDRAW) return;
    wchar_t buffer[kTextBuffer] = {};
    MENUITEMINFOW text{};
    text.cbSize = sizeof text;
    text.fMask = MIIM_STRING;
    text.dwTypeData = buffer;
    text.cch = kTextBuffer - 1;
    const bool separator = info.fType & MFT_SEPARATOR;
    if (!separator && !GetMenuItemInfoW(menu, position, TRUE, &text)) return;
    const std::wstring caption = buffer;
    if (caption.empty() && !separator) return;

    Engine& e = engine();
    std::wstring& stored = captionSlot(b, a);
    if (separator) {
        stored = L"[sep]";
    } else {
        if (IsSeparator(caption)) info.fType |= MFT_SEPARATOR;
        stored = e.settings.TiengViet ? VniToUnicode(caption, kVniMarker) : caption;
    }
    info.fType |= MFT_OWNERDRAW;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.dwItemData = ULONG_PTR(b * kItemsPerMenu + a);
    if (!isBar) {
        if (e.widths.size() <= b) e.widths.resize(b + 1);
        e.widths[b] = std::max(e.widths[b], ItemTextWidth(stored));
    }
    SetMenuItemInfoW(menu, position, TRUE, &info);
}

// The (column, item) an item data names, when the tables hold it.
bool inTables(ULONG_PTR data, std::size_t& b, std::size_t& a) {
    b = data / kItemsPerMenu;
    a = data % kItemsPerMenu;
    const Engine& e = engine();
    return b < e.captions.size() && a < e.captions[b].size();
}

void measure(MEASUREITEMSTRUCT& m) {
    std::size_t b, a;
    if (!inTables(m.itemData, b, a)) return;
    m.itemWidth = UINT(a == 0 ? TextWidth(MenuCaption(b, 0)) : MenuWidth(b) + kItemExtra);
    m.itemHeight = UINT(GetSystemMetrics(SM_CYMENU));
}

void draw(const DRAWITEMSTRUCT& d) {
    std::size_t b, a;
    if (!inTables(d.itemData, b, a)) return;
    MenuPainter(d.hDC, engine().cache, engine().settings.font)
        .DrawMenuItem(d, MenuCaption(b, a), MenuWidth(b));
}

LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Engine& e = engine();
    if (!(e.hooked && hwnd == e.ownerWnd)) {
        auto it = e.passThrough.find(hwnd);
        if (it == e.passThrough.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
        const WNDPROC old = it->second;
        if (msg == WM_NCDESTROY) e.passThrough.erase(it);
        return CallWindowProcW(old, hwnd, msg, wParam, lParam);
    }
    const WNDPROC old = e.oldWndProc;
    if (msg == WM_NCDESTROY) {
        // The form goes: the engine lets it go with it.
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(old));
        e.hooked = false;
        e.ownerWnd = nullptr;
        e.menuDC = nullptr;
        e.cache.clear();
        return CallWindowProcW(old, hwnd, msg, wParam, lParam);
    }
    const LRESULT result = CallWindowProcW(old, hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (d && d->CtlType == ODT_MENU) draw(*d);
        break;
    }
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (m && m->CtlType == ODT_MENU) measure(*m);
        break;
    }
    case WM_MENUSELECT:
        if (e.hooked) BuildMenuTables(e.ownerWnd);
        break;
    }
    return result;
}

} // namespace

Settings& settings() {
    return engine().settings;
}
HDC MenuDC() {
    return engine().menuDC;
}
HWND OwnerWnd() {
    return engine().ownerWnd;
}
bool hooked() {
    return engine().hooked;
}
MenuGdiCache& gdiCache() {
    return engine().cache;
}

std::wstring MenuCaption(std::size_t b, std::size_t a) {
    const auto& rows = engine().captions;
    return b < rows.size() && a < rows[b].size() ? rows[b][a] : std::wstring();
}

std::int32_t MenuWidth(std::size_t b) {
    const auto& widths = engine().widths;
    return b < widths.size() ? widths[b] : 0;
}

std::int32_t TextWidth(const std::wstring& text) {
    Engine& e = engine();
    if (!e.menuDC) return 0;
    // The item font as the settings hold it now, so measuring matches drawing.
    forms::ScopedSelect f(e.menuDC, e.cache.font(e.settings.font.height, e.settings.font.name));
    return TextWidthW(e.menuDC, text);
}

std::int32_t ItemTextWidth(const std::wstring& caption) {
    if (caption.find(L'\t') == std::wstring::npos) return TextWidth(caption);
    return TextWidth(CaptionText(caption)) + kShortcutGap + TextWidth(ShortcutText(caption));
}

void Setup(HDC dc, HWND form) {
    Engine& e = engine();
    if (e.hooked) UnhookMenus(e.ownerWnd);
    e.menuDC = dc;
    HookMenus(form);
}

void HookMenus(HWND form) {
    Engine& e = engine();
    // Hooking twice would make the engine's procedure its own previous one.
    if (e.hooked) UnhookMenus(e.ownerWnd);
    if (!IsWindow(form)) return;
    TranslateSystemMenu(form);
    e.ownerWnd = form;
    e.oldWndProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(form, GWLP_WNDPROC, LONG_PTR(&MenuWindowProc)));
    e.hooked = true;
    BuildMenuTables(form);
}

void TranslateSystemMenu(HWND form) {
    HMENU menu = GetSystemMenu(form, FALSE);
    if (!menu) return;
    for (const SystemCaption& s : kSystemCaptions) {
        if (GetMenuState(menu, s.command, MF_BYCOMMAND) == UINT(-1)) continue;
        const std::wstring text = VniToUnicode(s.caption, kVniMarker);
        ModifyMenuW(menu, s.command, MF_BYCOMMAND | MF_STRING, s.command, text.c_str());
    }
}

void BuildMenuTables(HWND form) {
    HMENU bar = GetMenu(form);
    const int n = bar ? std::max(GetMenuItemCount(bar), 0) : 0;
    std::vector<HMENU> list{bar};
    for (int i = 0; i < n; ++i) list.push_back(GetSubMenu(bar, i));
    for (int i = 1; i <= n; ++i) CollectSubMenus(list[size_t(i)], list);
    int largest = 0;
    for (HMENU m : list)
        if (m) largest = std::max(largest, GetMenuItemCount(m));
    const std::size_t count = list.size() - 1;
    captionSlot(count, std::size_t(largest));
    Engine& e = engine();
    if (e.widths.size() <= count) e.widths.resize(count + 1);
    for (int i = 0; i < n; ++i) MakeOwnerDraw(bar, 0, std::size_t(i), true);
    for (std::size_t j = 1; j <= count; ++j) {
        HMENU m = list[j];
        const int items = m ? GetMenuItemCount(m) : 0;
        for (int p = 0; p < items; ++p) MakeOwnerDraw(m, std::size_t(p) + 1, j - 1, false);
    }
}

void RefreshMenus(HWND form) {
    BuildMenuTables(form);
    DrawMenuBar(form);
}

void UnhookMenus(HWND form) {
    Engine& e = engine();
    if (!e.hooked || form != e.ownerWnd) return;
    e.hooked = false;
    e.ownerWnd = nullptr;
    e.menuDC = nullptr;
    e.cache.clear();
    if (!IsWindow(form)) return;
    if (GetWindowLongPtrW(form, GWLP_WNDPROC) == LONG_PTR(&MenuWindowProc))
        SetWindowLongPtrW(form, GWLP_WNDPROC, LONG_PTR(e.oldWndProc));
    else
        e.passThrough[form] = e.oldWndProc;
}

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    core::HandlingMessage handling;
    try {
        return handle(hwnd, msg, wParam, lParam);
    } catch (...) {
        core::reportUnexpectedError(L"Menu window procedure");
        return 0;
    }
}

} // namespace widgets::modProcess
