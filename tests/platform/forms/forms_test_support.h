#pragma once

#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/message_loop.h"
#include "platform/forms/user_control.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace formstest {

// A control that writes down what happens to it.
class Recorder : public forms::UserControl {
public:
    std::vector<std::wstring> log;
    forms::Event<> Click;
    forms::Event<int, int, float, float> MouseDown;
    std::function<void()> onClick;

protected:
    void UserControl_Initialize() override { log.push_back(L"Initialize"); }
    void UserControl_InitProperties() override { log.push_back(L"InitProperties"); }
    void UserControl_ReadProperties(forms::PropertyBag&) override {
        log.push_back(L"ReadProperties");
        RaiseEvent(Click);
    }
    void UserControl_Resize() override { log.push_back(L"Resize"); }
    void UserControl_Show() override { log.push_back(L"Show"); }
    void UserControl_Hide() override { log.push_back(L"Hide"); }
    void UserControl_Terminate() override {
        log.push_back(hWnd() && IsWindow(hWnd()) ? L"Terminate" : L"Terminate?");
    }
    void UserControl_MouseDown(int b, int s, float x, float y) override {
        log.push_back(L"Down" + std::to_wstring(b) + L"," + std::to_wstring(s) + L"," +
                      std::to_wstring(static_cast<int>(x)) + L"," + std::to_wstring(static_cast<int>(y)));
        RaiseEvent(MouseDown, b, s, x, y);
    }
    void UserControl_MouseUp(int b, int, float, float) override { log.push_back(L"Up" + std::to_wstring(b)); }
    void UserControl_Click() override {
        log.push_back(L"Click");
        if (!RaiseEvent(Click)) return;
        if (onClick) onClick();
    }
    void UserControl_DblClick() override { log.push_back(L"DblClick"); }
    void UserControl_KeyDown(int& k, int) override { log.push_back(L"KeyDown" + std::to_wstring(k)); }
    void UserControl_KeyPress(int& k) override { log.push_back(L"KeyPress" + std::to_wstring(k)); }
    void UserControl_GotFocus() override { log.push_back(L"GotFocus"); }
    void UserControl_LostFocus() override { log.push_back(L"LostFocus"); }
    void UserControl_EnterFocus() override { log.push_back(L"EnterFocus"); }
    void UserControl_ExitFocus() override { log.push_back(L"ExitFocus"); }
    void UserControl_AccessKeyPress(int k) override { log.push_back(L"Access" + std::to_wstring(k)); }
};

inline std::wstring joined(const std::vector<std::wstring>& v) {
    std::wstring s;
    for (const auto& x : v) s += (s.empty() ? L"" : L" ") + x;
    return s;
}

inline LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

// Forms without a layout of their own, for placing controls at run time.
class PlainForm : public forms::Form {
public:
    PlainForm() {
        setName(L"PlainForm");
        setCaption(L"plain");
        setClientSize(3000, 2000);
    }
};

} // namespace formstest
