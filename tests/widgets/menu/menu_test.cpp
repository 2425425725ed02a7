#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/menu/menu_engine.h"
#include "widgets/menu/menu_kdq.h"
#include "widgets/shared/vni.h"

using widgets::Menu_KDQ;
namespace mp = widgets::modProcess;

namespace {

constexpr int T = 15;
constexpr COLORREF kBack = RGB(235, 233, 237);
constexpr COLORREF kGrey = RGB(167, 166, 170);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class MenuForm : public forms::Form {
public:
    explicit MenuForm(int border) {
        setBorderStyle(border);
        setNoActivate(true);
        setClientSize(300 * T, 150 * T);
    }

protected:
    forms::Layout layout() const override {
        forms::LayoutEntry e;
        e.type = L"Menu_KDQ";
        e.name = L"menu";
        e.width = e.height = 100 * T;
        e.visible = false;
        return {e};
    }
};

// The bar: "&File" with a nested "Recent", "&Edit", and "Help" without a drop-down.
struct TestMenus {
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), edit = CreatePopupMenu(), recent = CreatePopupMenu();
    TestMenus() {
        AppendMenuW(file, MF_STRING, 11, L"&New");
        AppendMenuW(file, MF_STRING, 12, L"Save\tCtrl+S");
        AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(file, MF_STRING, 13, L"[SEP]Title");
        AppendMenuW(file, MF_STRING | MF_POPUP, UINT_PTR(recent), L"Recent");
        AppendMenuW(file, MF_STRING | MF_CHECKED, 14, L"Chec1k");
        AppendMenuW(file, MF_STRING | MF_GRAYED, 15, L"Disabled");
        AppendMenuW(recent, MF_STRING, 21, L"One");
        AppendMenuW(edit, MF_STRING, 31, L"Cut");
        AppendMenuW(edit, MF_STRING, 32, L"");
        AppendMenuW(edit, MF_STRING, 33, L"Copy");
        AppendMenuW(bar, MF_STRING | MF_POPUP, UINT_PTR(file), L"&File");
        AppendMenuW(bar, MF_STRING | MF_POPUP, UINT_PTR(edit), L"&Edit");
        AppendMenuW(bar, MF_STRING, 41, L"Help");
    }
};

MENUITEMINFOW itemInfo(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

// A width in the engine's default item font, measured here.
int widthOf(const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(16, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return size.cx;
}

// One item drawn through the form on a memory surface.
struct Drawn {
    std::shared_ptr<forms::Surface> surface = std::make_shared<forms::Surface>(200, 20);
    COLORREF at(int x, int y) const { return surface->pixel(x, y); }
    int count(COLORREF c, int x0 = 0, int x1 = 200) const {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = x0; x < x1; ++x) n += at(x, y) == c;
        return n;
    }
    // Pixels that are neither the background nor white in the columns given.
    int ink(int x0, int x1) const {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = x0; x < x1; ++x) n += at(x, y) != kBack && at(x, y) != kWhite;
        return n;
    }
};

Drawn drawItem(HWND form, ULONG_PTR data, UINT state, UINT type = ODT_MENU) {
    Drawn d;
    d.surface->setBackColor(RGB(1, 2, 3));
    DRAWITEMSTRUCT r{type, 0, 0, ODA_DRAWENTIRE, state, nullptr, d.surface->hDC(), {0, 0, 200, 20}, data};
    SendMessageW(form, WM_DRAWITEM, 0, LPARAM(&r));
    GdiFlush();
    return d;
}

MEASUREITEMSTRUCT measureItem(HWND form, ULONG_PTR data, UINT type = ODT_MENU) {
    MEASUREITEMSTRUCT m{type, 0, 0, 7, 7, data};
    SendMessageW(form, WM_MEASUREITEM, 0, LPARAM(&m));
    return m;
}

class MenuEngine : public testing::Test {
protected:
    std::shared_ptr<MenuForm> form;
    TestMenus menus;
    WNDPROC original = nullptr;

    void SetUp() override {
        Menu_KDQ::registerType();
        mp::settings() = {};
        mp::settings().TiengViet = true;
        form = std::make_shared<MenuForm>(2);
        form->load();
        form->setMenu(menus.bar);
        form->Show();
        original = WNDPROC(GetWindowLongPtrW(form->hWnd(), GWLP_WNDPROC));
    }
    void TearDown() override {
        if (form->loaded()) form->Unload();
    }
    Menu_KDQ& control() { return form->control<Menu_KDQ>(L"menu"); }
};

TEST_F(MenuEngine, SetupConvertsEveryItemWithItsData) {
    control().Setup(form->hWnd());
    ASSERT_TRUE(mp::hooked());
    struct Case {
        HMENU menu;
        UINT position;
        ULONG_PTR data;
        std::wstring caption;
    };
    const Case cases[] = {
        {menus.bar, 0, 0, L"&File"},
        {menus.bar, 1, 1000, L"&Edit"},
        {menus.bar, 2, 2000, L"Help"},
        {menus.file, 0, 1, L"&New"},
        {menus.file, 1, 2, L"Save\tCtrl+S"},
        {menus.file, 2, 3, L"[sep]"},
        {menus.file, 3, 4, L"[SEP]Title"},
        {menus.file, 5, 6, widgets::VniToUnicode(L"Chec1k", widgets::kVniMarker)},
        {menus.edit, 0, 1001, L"Cut"},
        {menus.edit, 2, 1003, L"Copy"},
        // The nested drop-down is the fourth menu of the list (after the bar's three entries).
        {menus.recent, 0, 3001, L"One"},
    };
    for (const Case& c : cases) {
        const MENUITEMINFOW info = itemInfo(c.menu, c.position);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << c.data;
        EXPECT_EQ(info.dwItemData, c.data);
        EXPECT_EQ(mp::MenuCaption(c.data / 1000, c.data % 1000), c.caption) << c.data;
    }
    EXPECT_TRUE(itemInfo(menus.file, 3).fType & MFT_SEPARATOR) << "a [sep] caption becomes a separator";
    EXPECT_FALSE(itemInfo(menus.edit, 1).fType & MFT_OWNERDRAW) << "an item without text stays";

    // Each selection rebuilds: converted items keep their captions, the titled separator its title,
    // and a new item is converted.
    AppendMenuW(menus.edit, MF_STRING, 34, L"Paste");
    SendMessageW(form->hWnd(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), LPARAM(menus.bar));
    EXPECT_EQ(mp::MenuCaption(0, 4), L"[SEP]Title");
    EXPECT_EQ(mp::MenuCaption(0, 3), L"[sep]");
    EXPECT_EQ(itemInfo(menus.edit, 3).dwItemData, 1004u);
    EXPECT_EQ(mp::MenuCaption(1, 4), L"Paste");
}

TEST_F(MenuEngine, MeasuresBarAndDropDownItems) {
    control().Setup(form->hWnd());
    const HWND w = form->hWnd();
    const int widest = widthOf(L"Save") + 12 + widthOf(L"Ctrl+S");
    EXPECT_NEAR(mp::MenuWidth(0), widest, 1) << "the shortcut item is the widest of the File menu";
    struct Case {
        ULONG_PTR data;
        int width;
    };
    for (const Case& c :
         {Case{0, widthOf(L"&File")}, Case{1000, widthOf(L"&Edit")}, Case{1, mp::MenuWidth(0) + 33},
          Case{3, mp::MenuWidth(0) + 33}, Case{1003, mp::MenuWidth(1) + 33}}) {
        const MEASUREITEMSTRUCT m = measureItem(w, c.data);
        EXPECT_NEAR(int(m.itemWidth), c.width, 1) << c.data;
        EXPECT_EQ(int(m.itemHeight), GetSystemMetrics(SM_CYMENU)) << c.data;
    }
    // Not a menu item, or data outside the tables: the previous procedure's answer stands.
    for (auto [type, data] :
         {std::pair{UINT(ODT_BUTTON), ULONG_PTR(1)}, {UINT(ODT_MENU), ULONG_PTR(999999)}}) {
        const MEASUREITEMSTRUCT m = measureItem(w, data, type);
        EXPECT_EQ(m.itemWidth, 7u);
        EXPECT_EQ(m.itemHeight, 7u);
        const Drawn d = drawItem(w, data, 0, type);
        EXPECT_EQ(d.count(RGB(1, 2, 3)), 200 * 20) << "nothing drawn";
    }
    // Measuring follows a later change of the item font.
    mp::settings().font.height = 32;
    EXPECT_GT(int(measureItem(w, 0).itemWidth), widthOf(L"&File") + 5);
}

TEST_F(MenuEngine, DrawsItemsInEachState) {
    control().Setup(form->hWnd());
    const HWND w = form->hWnd();
    const int column = 23 + mp::MenuWidth(0);

    const Drawn plain = drawItem(w, 1, 0);
    EXPECT_EQ(plain.at(0, 0), kBack);
    EXPECT_EQ(plain.at(199, 19), kBack);
    EXPECT_EQ(plain.ink(0, 23), 0) << "the text starts after the margin";
    EXPECT_GT(plain.count(kBlack, 23, 60), 0);

    // The shortcut column ends at the widest text width after the margin.
    const Drawn shortcut = drawItem(w, 2, 0);
    EXPECT_GT(shortcut.ink(column - 8, column), 0);
    EXPECT_EQ(shortcut.ink(column + 1, 200), 0);

    const Drawn selected = drawItem(w, 1, ODS_SELECTED);
    EXPECT_EQ(selected.at(100, 0), RGB(51, 94, 168));
    EXPECT_GT(GetBValue(selected.at(100, 18)), 240);
    EXPECT_GT(selected.count(kWhite, 23, 60), 0) << "white text";

    const Drawn checked = drawItem(w, 6, ODS_CHECKED);
    const int top = (20 - 13) / 2;
    EXPECT_EQ(checked.at(4, top), kGrey);
    EXPECT_EQ(checked.at(4, top + 12), kGrey);
    EXPECT_EQ(checked.at(17, top + 5), kWhite);
    EXPECT_EQ(checked.at(4 + 3, top + 5), kBlack) << "tick";
    EXPECT_EQ(checked.at(4 + 9, top + 3), kBlack) << "tick";

    const Drawn disabled = drawItem(w, 7, ODS_DISABLED);
    EXPECT_GT(disabled.count(kGrey, 23, 100), 0);
    EXPECT_GT(disabled.count(kWhite, 23, 100), 0) << "embossed";
    EXPECT_EQ(disabled.count(kBlack), 0);

    const Drawn separator = drawItem(w, 3, 0);
    EXPECT_EQ(separator.at(5, 10), kBlack);
    EXPECT_EQ(separator.at(5, 11), kWhite);
    EXPECT_EQ(separator.at(mp::MenuWidth(0) + 39, 10), kBlack);
    EXPECT_EQ(separator.at(4, 10), kBack);
    const Drawn greySeparator = drawItem(w, 3, ODS_DISABLED);
    EXPECT_EQ(greySeparator.at(5, 10), kBlack) << "a disabled separator stays black";

    const Drawn titled = drawItem(w, 4, 0);
    EXPECT_EQ(titled.at(6, 10), kBlack);
    EXPECT_EQ(titled.at(194, 11), kWhite);
    EXPECT_NE(titled.at(100, 10), kBlack) << "the line breaks for the title";
    EXPECT_GT(titled.ink(80, 120), 0) << "the title in the middle";
    EXPECT_EQ(titled.ink(20, 60), 40) << "only the black line on the left";

    const Drawn barSelected = drawItem(w, 0, ODS_SELECTED);
    const Drawn barHot = drawItem(w, 0, ODS_HOTLIGHT);
    const Drawn bar = drawItem(w, 0, 0);
    EXPECT_EQ(bar.at(2, 2), kBack);
    EXPECT_LT(GetRValue(barSelected.at(180, 2)), 190) << "grey at the top";
    EXPECT_GT(GetRValue(barSelected.at(180, 17)), 235) << "white at the bottom";
    EXPECT_GT(GetRValue(barHot.at(180, 10)), 235) << "white in the middle";
    EXPECT_LT(GetRValue(barHot.at(180, 2)), 190);
    EXPECT_GT(bar.count(kWhite), 0) << "embossed bar text";
}

TEST_F(MenuEngine, DrawingKeepsItsGdiObjects) {
    control().Setup(form->hWnd());
    const HWND w = form->hWnd();
    for (ULONG_PTR data : {0, 1, 2, 3, 4, 6, 7}) drawItem(w, data, ODS_SELECTED | ODS_CHECKED);
    const size_t made = mp::gdiCache().made();
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    forms::Surface s(200, 20);
    HDC dc = s.hDC();
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN),
                  brush = GetCurrentObject(dc, OBJ_BRUSH);
    for (int i = 0; i < 1000; ++i) {
        DRAWITEMSTRUCT r{ODT_MENU,
                         0,
                         0,
                         ODA_DRAWENTIRE,
                         UINT(i % 2 ? ODS_SELECTED : ODS_CHECKED),
                         nullptr,
                         dc,
                         {0, 0, 200, 20},
                         ULONG_PTR(i % 8)};
        SendMessageW(w, WM_DRAWITEM, 0, LPARAM(&r));
    }
    EXPECT_EQ(mp::gdiCache().made(), made);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    // Nothing of the cache stays selected in the context drawn on.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    control().unload();
    EXPECT_EQ(mp::gdiCache().made(), 0u) << "the cache goes with the engine";
}

TEST_F(MenuEngine, SystemMenuCaptionsByCommand) {
    auto caption = [](HMENU menu, UINT command) {
        wchar_t text[100] = {};
        GetMenuStringW(menu, command, text, 100, MF_BYCOMMAND);
        return std::wstring(text);
    };
    auto vni = [](const wchar_t* t) { return widgets::VniToUnicode(t, widgets::kVniMarker); };
    mp::settings().TiengViet = false;
    control().Setup(form->hWnd());
    const std::pair<UINT, const wchar_t*> expected[] = {
        {SC_RESTORE, L"Kho6i phu5c"}, {SC_MOVE, L"Di chuye63n"},   {SC_SIZE, L"Ki1ch co74"},
        {SC_MINIMIZE, L"Thu nho3"},   {SC_MAXIMIZE, L"Pho1ng to"}, {SC_CLOSE, L"Ke61t thu1c"}};
    HMENU sys = GetSystemMenu(form->hWnd(), FALSE);
    for (auto [command, text] : expected) EXPECT_EQ(caption(sys, command), vni(text)) << command;

    // A smaller menu (Move, a separator, Close): by position, Move would read "Restore".
    auto dialog = std::make_shared<MenuForm>(3);
    dialog->load();
    dialog->Show();
    HMENU small = GetSystemMenu(dialog->hWnd(), FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        DeleteMenu(small, command, MF_BYCOMMAND);
    const int items = GetMenuItemCount(small);
    dialog->control<Menu_KDQ>(L"menu").Setup(dialog->hWnd());
    EXPECT_EQ(GetMenuItemCount(small), items);
    EXPECT_EQ(caption(small, SC_MOVE), vni(L"Di chuye63n"));
    EXPECT_EQ(caption(small, SC_CLOSE), vni(L"Ke61t thu1c"));
    dialog->Unload();
    EXPECT_FALSE(mp::hooked());
}

LRESULT CALLBACK laterProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto old = WNDPROC(GetPropW(w, L"later.old"));
    return CallWindowProcW(old, w, m, wp, lp);
}

TEST_F(MenuEngine, HookGuards) {
    const HWND w = form->hWnd();
    // Setup twice, then the control's end: the form's own procedure is back.
    control().Setup(w);
    control().Setup(w);
    EXPECT_EQ(int(measureItem(w, 0).itemHeight), GetSystemMetrics(SM_CYMENU));
    const std::wstring cyrillic = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u0259";
    SetWindowTextW(w, cyrillic.c_str());
    wchar_t text[50] = {};
    GetWindowTextW(w, text, 50);
    EXPECT_EQ(std::wstring(text), cyrillic) << "the window stays a Unicode window";
    EXPECT_TRUE(IsWindowUnicode(w));
    control().unload();
    EXPECT_EQ(WNDPROC(GetWindowLongPtrW(w, GWLP_WNDPROC)), original);
    mp::UnhookMenus(w); // not hooked: nothing

    // Under a later subclasser the engine stays as a pass-through.
    auto& other = *forms::placeControl<Menu_KDQ>(*form, L"m2", 0, 0, 100, 100);
    other.Setup(w);
    SetPropW(w, L"later.old", HANDLE(GetWindowLongPtrW(w, GWLP_WNDPROC)));
    SetWindowLongPtrW(w, GWLP_WNDPROC, LONG_PTR(&laterProc));
    mp::UnhookMenus(w);
    EXPECT_EQ(WNDPROC(GetWindowLongPtrW(w, GWLP_WNDPROC)), &laterProc);
    EXPECT_EQ(measureItem(w, 0).itemHeight, 7u) << "no longer answered";
    SetWindowTextW(w, L"after");
    GetWindowTextW(w, text, 50);
    EXPECT_EQ(std::wstring(text), L"after");
    SetWindowLongPtrW(w, GWLP_WNDPROC, LONG_PTR(GetPropW(w, L"later.old")));
    RemovePropW(w, L"later.old");
}

TEST_F(MenuEngine, ControlStoredFormAndSize) {
    mp::settings().TiengViet = false;
    auto fresh = forms::placeControl<Menu_KDQ>(*form, L"fresh", 0, 0, 100 * T, 100 * T);
    EXPECT_EQ(fresh->Width(), 840);
    EXPECT_EQ(fresh->Height(), 840);
    fresh->setWidth(2000);
    EXPECT_EQ(fresh->Width(), 840);
    EXPECT_FALSE(fresh->TiengViet()) << "a new control leaves the engine's setting";
    EXPECT_EQ(fresh->FontHeight(), 16);
    EXPECT_EQ(fresh->FontName()->Name(), L"Tahoma");
    forms::PropertyBag bag;
    Menu_KDQ::properties().write(*fresh, bag);
    EXPECT_EQ(bag, (forms::PropertyBag{{L"TiengViet", false}}));

    forms::PropertyBag stored{{L"TiengViet", false}, {L"FontName.FontName", L"Verdana"}, {L"FontHeight", 20}};
    Menu_KDQ::properties().read(*fresh, stored);
    EXPECT_EQ(fresh->FontName()->Name(), L"Verdana");
    EXPECT_EQ(fresh->FontHeight(), 20);
    forms::PropertyBag again;
    Menu_KDQ::properties().write(*fresh, again);
    EXPECT_EQ(again, stored);
    Menu_KDQ::properties().read(*fresh, forms::PropertyBag{});
    EXPECT_TRUE(fresh->TiengViet());
    EXPECT_EQ(fresh->FontHeight(), 16);
    fresh->setFontName(forms::StdFont::create(L"Arial", 9));
    EXPECT_EQ(mp::settings().font.name, L"Arial");
    fresh->unload();
}

} // namespace
