// The notification-area icon: its record, its notices, its shell calls as the main window switches
// it, and the tray popup it shows, whose entries bring the window back or end the program.
#include "app_test_support.h"

#include "app/traymenu.h"
#include "platform/core/variant.h"
#include "platform/forms/app.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/std_picture.h"
#include "support/event_log.h"
#include "support/property_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace apptest;

BOOL CALLBACK announceShellRestart(HWND w, LPARAM) {
    wchar_t cls[64];
    GetClassNameW(w, cls, 64);
    if (std::wstring(cls) == L"VexaTrayNotify")
        SendMessageW(w, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    return TRUE;
}

TEST(TrayIcon, TheRecordHoldsTheFirstVersionsSizeTheCallbackAndTheCutTip) {
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    NOTIFYICONDATAW r = app::trayRecord(HWND(0x1234), icon, L"  Vexa R7 Edition ");
    EXPECT_EQ(r.cbSize, 152u);
    EXPECT_EQ(r.hWnd, HWND(0x1234));
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 512u);
    EXPECT_EQ(r.hIcon, icon);
    EXPECT_EQ(std::wstring(r.szTip), L"Vexa R7 Edition");
    for (size_t i = 16; i < 64; ++i) EXPECT_EQ(r.szTip[i], L' ') << i;

    const std::wstring longTip(70, L'\u0259');
    r = app::trayRecord(nullptr, nullptr, longTip);
    EXPECT_EQ(std::wstring(r.szTip), longTip.substr(0, 63));
    r = app::trayRecord(nullptr, nullptr, L"   ");
    EXPECT_EQ(r.szTip[0], L'\0');
    EXPECT_EQ(r.szTip[1], L' ');
}

TEST(TrayIcon, NoticesRaiseTheirEventsAndTheMiddleButtonNone) {
    app::registerControlTypes();
    auto main = std::make_shared<StandInMain>();
    main->load();
    auto& icon = main->control<app::SysTrayIcon>(L"SysTrayIcon1");
    testsupport::EventLog log;
    icon.MouseMoved.handle([&](float x, float y) {
        log.add(L"MouseMoved " + std::to_wstring(int(x)) + L" " + std::to_wstring(int(y)));
    });
    icon.LeftButtonDown.handle(log.recorder(L"LeftButtonDown"));
    icon.LeftButtonUp.handle(log.recorder(L"LeftButtonUp"));
    icon.LeftButtonDoubleClick.handle(log.recorder(L"LeftButtonDoubleClick"));
    icon.RightButtonUp.handle(log.recorder(L"RightButtonUp"));
    icon.RightButtonDoubleClick.handle(log.recorder(L"RightButtonDoubleClick"));
    icon.MiddleButtonDown.handle(log.recorder(L"MiddleButtonDown"));
    icon.MiddleButtonUp.handle(log.recorder(L"MiddleButtonUp"));
    icon.MiddleButtonDblClick.handle(log.recorder(L"MiddleButtonDblClick"));
    // Through the window the shell sends them to, as the shell sends them.
    for (UINT m : {512u, 513u, 514u, 515u, 517u, 518u, 519u, 520u, 521u, 600u})
        SendMessageW(icon.notifyWindow(), 512, 1, m);
    EXPECT_EQ(log.text(),
              L"MouseMoved 7680 0, LeftButtonDown, LeftButtonUp, LeftButtonDoubleClick, RightButtonUp, "
              L"RightButtonDoubleClick");
    main->Unload();
}

TEST(TrayIcon, ShowsChangesAndRemovesTheIconAsItsPropertiesSay) {
    app::registerControlTypes();
    ShellRecord shell;
    {
        auto main = std::make_shared<StandInMain>();
        main->load();
        auto& icon = main->control<app::SysTrayIcon>(L"SysTrayIcon1");
        icon.setIcon(forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_APPLICATION)));
        icon.setIconToolTipText(L"  Vexa R7 Edition  ");
        EXPECT_EQ(icon.IconToolTipText(), L"Vexa R7 Edition");
        icon.setIconVisible(true);
        icon.setIconVisible(false);
        icon.setIconVisible(true);
        // The shell restarted: the icon comes back.
        EnumThreadWindows(GetCurrentThreadId(), announceShellRestart, 0);
        icon.setIcon(nullptr);
        EXPECT_TRUE(icon.IconVisible());
        main->Unload();
    }
    EXPECT_EQ(shell.text(),
              (std::vector<std::wstring>{L"delete", L"modify ", L"modify Vexa R7 Edition",
                                         L"add Vexa R7 Edition", L"delete", L"add Vexa R7 Edition",
                                         L"add Vexa R7 Edition", L"delete", L"delete"}));
    ASSERT_FALSE(shell.calls.empty());
    EXPECT_NE(shell.calls[2].record.hIcon, nullptr);
    EXPECT_EQ(GetParent(shell.calls[0].record.hWnd), nullptr);

    // While the form is being designed the flag is only stored.
    shell.calls.clear();
    forms::UserControl::setDefaultUserMode(false);
    {
        auto main = std::make_shared<StandInMain>();
        main->load();
        main->control<app::SysTrayIcon>(L"SysTrayIcon1").setIconVisible(true);
        main->Unload();
    }
    forms::UserControl::setDefaultUserMode(true);
    EXPECT_TRUE(shell.calls.empty());
}

TEST(TrayIcon, APopupBesideEveryEdgeStaysInTheWorkArea) {
    const RECT work{0, 0, 1024, 740};
    const SIZE popup{156, 67};
    struct Case {
        POINT pointer, place;
    };
    for (Case c : {Case{{1000, 750}, {844, 673}}, Case{{500, 400}, {344, 333}}, Case{{10, 10}, {0, 0}},
                   Case{{1024, 0}, {868, 0}}, Case{{100, 760}, {0, 673}}}) {
        const POINT p = app::trayPopupPlace(c.pointer, popup, work);
        EXPECT_EQ(p.x, c.place.x) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(p.y, c.place.y) << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(TrayPopup, CaptionsByInterfaceLanguage) {
    struct Case {
        const wchar_t *code, *open, *exit;
    };
    for (Case c :
         {Case{L"az", L" G\u00F6st\u0259r", L" \u00C7\u0131x\u0131\u015F"},
          Case{L"tr", L" G\u00F6ster", L" Kapat"},
          Case{L"ru", L" \u041E\u0442\u043A\u0440\u044B\u0442\u044C", L" \u0412\u044B\u0445\u043E\u0434"},
          Case{L"en", L" Open", L" Exit"}}) {
        auto t = app::trayCaptions(c.code);
        ASSERT_TRUE(t) << c.code;
        EXPECT_EQ(std::wstring(t->open), c.open);
        EXPECT_EQ(std::wstring(t->exit), c.exit);
    }
    for (const wchar_t* code : {L"EN", L" en", L""}) EXPECT_FALSE(app::trayCaptions(code)) << code;
}

TEST(TrayPopup, ARightPressShowsItAtThePointerAndItsEntriesOpenOrEnd) {
    app::registerControlTypes();
    ShellRecord shell;
    EndCatcher end;
    auto main = std::make_shared<StandInMain>();
    main->language = L"az";
    main->load();
    main->Show();
    auto& icon = main->control<app::SysTrayIcon>(L"SysTrayIcon1");
    main->Hide();
    icon.setIconVisible(true);
    const forms::CursorSource previous = forms::setCursorSource({[] { return POINT{700, 600}; }, nullptr});
    SendMessageW(icon.notifyWindow(), 512, 1, WM_RBUTTONDOWN);
    forms::setCursorSource(previous);
    ASSERT_TRUE(forms::isLoaded<app::traymenu>());
    auto& popup = forms::instance<app::traymenu>();
    pump(100);
    RECT r{};
    GetWindowRect(popup.hWnd(), &r);
    EXPECT_EQ(r.right, 700);
    EXPECT_EQ(r.bottom, 600);
    EXPECT_TRUE(IsWindowVisible(popup.hWnd()));
    EXPECT_EQ(popup.control<widgets::Label_KDQ>(L"kisi").Text(), L" G\u00F6st\u0259r");

    click(popup.control<forms::UserControl>(L"k").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::traymenu>());
    EXPECT_EQ(main->log, std::vector<std::wstring>{L"returnFromTray"});
    EXPECT_TRUE(main->Visible());
    EXPECT_FALSE(icon.IconVisible());

    // Exit: the icon goes before the program ends.
    icon.setIconVisible(true);
    shell.calls.clear();
    SendMessageW(icon.notifyWindow(), 512, 1, WM_RBUTTONDOWN);
    click(forms::instance<app::traymenu>().control<forms::UserControl>(L"qadin").hWnd());
    EXPECT_EQ(end.ends, 1);
    EXPECT_EQ(shell.text(), std::vector<std::wstring>{L"delete"});
    forms::unload<app::traymenu>();
    main->Unload();
}

} // namespace

namespace {

TEST(TrayIcon, ItsStoredFormComesFromItsPropertyTable) {
    app::registerControlTypes();
    apptest::ShellRecord shell;
    auto host = std::make_shared<apptest::StandInMain>();
    host->load();
    using Icon = app::SysTrayIcon;
    testsupport::expectNewControlWritesOnlyStartValues<Icon>(*host, Icon::properties());
    const auto picture = forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_APPLICATION));
    testsupport::expectRowsSurviveWriteAndRead<Icon>(
        *host, Icon::properties(),
        {{L"Icon", core::Variant(picture), [](Icon& c, const core::Variant& v) { c.setIcon(v.toPicture()); }},
         {L"IconToolTipText", core::Variant(std::wstring(L"Vexa")),
          [](Icon& c, const core::Variant& v) { c.setIconToolTipText(v.toString()); }},
         {L"IconVisible", core::Variant(true),
          [](Icon& c, const core::Variant& v) { c.setIconVisible(v.toBoolean()); }}});
    host->Unload();
}

} // namespace
