// What the window tests of the satellite forms share: a stand-in main window named "esas" with the
// state labels the forms read, the shell's record of notification icons, and message pumping.
#pragma once

#include "app/controls.h"
#include "app/main_window.h"
#include "app/sys_tray_icon.h"
#include "platform/core/variant.h"
#include "platform/forms/app.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "widgets/label/label_kdq.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace apptest {

constexpr int T = 15;

inline forms::LayoutEntry hiddenLabel(const wchar_t* name, const wchar_t* text) {
    forms::LayoutEntry e;
    e.type = L"Label_KDQ";
    e.name = name;
    e.width = 300;
    e.height = 300;
    e.visible = false;
    e.properties = {{L"Text", core::Variant(std::wstring(text))}, {L"TiengViet", false}};
    return e;
}

// The main window's part the other forms use: its labels and its icon.
class StandInMain : public forms::Form, public app::MainWindowPart {
public:
    StandInMain() {
        setName(L"esas");
        setCaption(L"Vexa R7 Edition");
        setClientSize(400 * T, 300 * T);
    }
    void returnFromTray() override {
        log.push_back(L"returnFromTray");
        setWindowState(0);
        Show();
        control<app::SysTrayIcon>(L"SysTrayIcon1").setIconVisible(false);
    }
    int directionOf(const std::wstring& origin) override {
        return origin == L"ul" ? ulDirection : listDirection;
    }
    widgets::Label_KDQ& label(const wchar_t* name) { return control<widgets::Label_KDQ>(name); }

    std::vector<std::wstring> log;
    int listDirection = 1, ulDirection = 1;
    std::wstring language = L"en";

protected:
    forms::Layout layout() const override {
        forms::LayoutEntry icon;
        icon.type = L"SysTrayIcon";
        icon.name = L"SysTrayIcon1";
        icon.width = icon.height = 480;
        return {hiddenLabel(L"esdi", language.c_str()), hiddenLabel(L"gond", L""), hiddenLabel(L"dddd", L"1"),
                hiddenLabel(L"flo", L""), icon};
    }
};

inline void registerTypes() {
    widgets::Label_KDQ::registerType();
    app::SysTrayIcon::registerType();
}

// Records what the forms ask of the shell; the icon is never really shown.
struct ShellRecord {
    struct Call {
        DWORD operation;
        NOTIFYICONDATAW record;
    };
    std::vector<Call> calls;
    app::ShellNotify previous;
    ShellRecord() {
        previous = app::setShellNotify([this](DWORD op, const NOTIFYICONDATAW& r) {
            calls.push_back({op, r});
            return TRUE;
        });
    }
    ~ShellRecord() { app::setShellNotify(previous); }
    // "add Tip", "modify Tip", "delete" in order.
    std::vector<std::wstring> text() const {
        std::vector<std::wstring> out;
        for (const Call& c : calls)
            out.push_back(c.operation == NIM_ADD      ? L"add " + std::wstring(c.record.szTip)
                          : c.operation == NIM_MODIFY ? L"modify " + std::wstring(c.record.szTip)
                                                      : std::wstring(L"delete"));
        return out;
    }
};

inline void pump(int ms) {
    for (int waited = 0; waited <= ms; waited += 20) {
        forms::DoEvents();
        Sleep(20);
    }
}

// A left click in the middle of a control's window.
inline void click(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(w, WM_LBUTTONUP, 0, at);
}

// The program's end raises EndRequested instead of leaving; counts the ends.
struct EndCatcher {
    int ends = 0;
    forms::App::EndHandler previous;
    EndCatcher() {
        previous = forms::App::setEndHandler([this] { ++ends; });
    }
    ~EndCatcher() { forms::App::setEndHandler(previous); }
};

} // namespace apptest
