// A form with the menu engine attached: an open drop-down of its menu bar and a popup menu, each
// saved as it shows on the screen (menu_demo_bar.bmp, menu_demo_popup.bmp) for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "platform/forms/form.h"
#include "platform/forms/std_font.h"
#include "support/screenshot.h"
#include "widgets/menu/menu_engine.h"
#include "widgets/menu/menu_kdq.h"

using widgets::Menu_KDQ;

namespace {

constexpr int T = 15;

class DemoForm : public forms::Form {
public:
    DemoForm() {
        setCaption(L"Menu");
        setClientSize(420 * T, 260 * T);
        setBackColor(0xF4ECE4);
    }

protected:
    forms::Layout layout() const override {
        forms::LayoutEntry e;
        e.type = L"Menu_KDQ";
        e.name = L"menu";
        e.visible = false;
        e.properties = {{L"TiengViet", true}, {L"FontHeight", 15}};
        return {e};
    }
};

HMENU makeBar(HMENU& file, HMENU& view) {
    HMENU bar = CreateMenu();
    file = CreatePopupMenu();
    view = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    AppendMenuW(recent, MF_STRING, 31, L"Tu72 d9ie63n.txt");
    AppendMenuW(file, MF_STRING, 11, L"&Mo73...\tCtrl+O");
    AppendMenuW(file, MF_STRING, 12, L"&Lu7u\tCtrl+S");
    AppendMenuW(file, MF_STRING | MF_POPUP, UINT_PTR(recent), L"Ga62n d9a6y");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING | MF_CHECKED, 13, L"Tu75 d9o65ng lu7u");
    AppendMenuW(file, MF_STRING | MF_GRAYED, 14, L"In\tCtrl+P");
    AppendMenuW(file, MF_STRING, 15, L"[sep]Ke61t thu1c");
    AppendMenuW(file, MF_STRING, 16, L"Tho1a&t\tAlt+F4");
    AppendMenuW(view, MF_STRING | MF_CHECKED, 21, L"Thanh co6ng cu5");
    AppendMenuW(view, MF_STRING, 22, L"Phu7o7ng to");
    AppendMenuW(view, MF_STRING, 23, L"[SEP]");
    AppendMenuW(view, MF_STRING | MF_GRAYED, 24, L"Thu nho3\tCtrl+-");
    AppendMenuW(bar, MF_STRING | MF_POPUP, UINT_PTR(file), L"&Te65p tin");
    AppendMenuW(bar, MF_STRING | MF_POPUP, UINT_PTR(view), L"&Xem");
    AppendMenuW(bar, MF_STRING, 41, L"Tro75 giu1p");
    return bar;
}

// Steps run one per tick of a thread timer, which the menu's own loop keeps running.
std::vector<std::function<void()>>* g_steps = nullptr;
size_t g_step = 0;

void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_steps || g_step >= g_steps->size()) {
        KillTimer(nullptr, id);
        return;
    }
    (*g_steps)[g_step++]();
}

void runSteps(std::vector<std::function<void()>> steps, const std::function<void()>& modal) {
    g_steps = &steps;
    g_step = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 250, tick);
    modal();
    KillTimer(nullptr, timer);
    g_steps = nullptr;
}

// What the screen shows of the form and of the open menus beside it.
testsupport::Shot shootAround(HWND form) {
    RECT area;
    GetWindowRect(form, &area);
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        RECT r;
        if (IsWindowVisible(w) && GetWindowRect(w, &r)) UnionRect(&area, &area, &r);
    }
    InflateRect(&area, 4, 4);
    const testsupport::Shot screen = testsupport::captureWindow(GetDesktopWindow());
    testsupport::Shot shot;
    area.left = std::max(0L, area.left), area.top = std::max(0L, area.top);
    area.right = std::min(LONG(screen.w), area.right), area.bottom = std::min(LONG(screen.h), area.bottom);
    shot.w = area.right - area.left;
    shot.h = area.bottom - area.top;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            shot.px.push_back(screen.px[size_t(y) * size_t(screen.w) + size_t(x)] | 0xFF000000u);
    return shot;
}

int countColour(const testsupport::Shot& s, COLORREF c) {
    int n = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) n += s.at(x, y) == c;
    return n;
}

void pump(int ms) {
    const DWORD end = GetTickCount() + DWORD(ms);
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

TEST(MenuDemo, OpenDropDownAndPopupMenu) {
    Menu_KDQ::registerType();
    auto form = std::make_shared<DemoForm>();
    form->load();
    HMENU file = nullptr, view = nullptr;
    form->setMenu(makeBar(file, view));
    form->Move(60 * T, 40 * T, 440 * T, 320 * T);
    form->Show();
    const HWND w = form->hWnd();
    form->control<Menu_KDQ>(L"menu").Setup(w);
    DrawMenuBar(w);
    pump(400);

    auto key = [w](WPARAM vk) { PostMessageW(w, WM_KEYDOWN, vk, 1); };
    testsupport::Shot bar, popup;
    // The first bar item opened from the keyboard, its second item selected.
    runSteps({[&] { key(VK_DOWN); }, [&] { key(VK_DOWN); }, [&] {}, [&] { bar = shootAround(w); },
              [] { EndMenu(); }},
             [&] {
                 PostMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, 0);
                 pump(2500);
             });
    EXPECT_TRUE(testsupport::saveShot(bar, L"menu_demo_bar"));
    EXPECT_GT(countColour(bar, RGB(235, 233, 237)), 2000) << "owner-drawn items";
    EXPECT_GT(countColour(bar, RGB(51, 94, 168)), 50) << "the selected item's gradient";

    runSteps({[&] { key(VK_DOWN); }, [&] {}, [&] { popup = shootAround(w); }, [] { EndMenu(); }},
             [&] { form->PopupMenu(view, 0, 150.0 * T, 60.0 * T); });
    EXPECT_TRUE(testsupport::saveShot(popup, L"menu_demo_popup"));
    EXPECT_GT(countColour(popup, RGB(235, 233, 237)), 1000) << "owner-drawn items";
    form->Unload();
}

} // namespace
