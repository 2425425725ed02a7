// Mouse, key and focus input of a control, driven by messages to its real window.
#include "forms_test_support.h"

#include "platform/forms/controls/command_button.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

class FormsInput : public testing::Test {
protected:
    // One form for the suite: hiding an activated window costs seconds without a window manager.
    static inline std::shared_ptr<PlainForm> form;
    std::shared_ptr<Recorder> a, b;

    static void SetUpTestSuite() {
        form = std::make_shared<PlainForm>();
        form->Show();
    }
    static void TearDownTestSuite() {
        form->Unload();
        form.reset();
    }

    void SetUp() override {
        SetFocus(nullptr);
        a = placeControl<Recorder>(*form, L"a", 150, 150, 1500, 600);
        b = placeControl<Recorder>(*form, L"b", 150, 900, 1500, 600);
        form->Show();
        DoEvents();
        a->log.clear();
        b->log.clear();
    }
    void TearDown() override {
        a.reset();
        b.reset();
    }
    void send(UINT msg, WPARAM w, LPARAM l) { SendMessageW(a->hWnd(), msg, w, l); }
};

TEST_F(FormsInput, ClickAndDoubleClickGiveThePlatformSequence) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 6));
    EXPECT_EQ(GetCapture(), a->hWnd());
    send(WM_LBUTTONUP, 0, at(5, 6));
    EXPECT_EQ(GetCapture(), nullptr);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, at(5, 6));
    send(WM_LBUTTONUP, 0, at(5, 6));
    std::erase_if(a->log, [](const std::wstring& s) { return s == L"GotFocus" || s == L"EnterFocus"; });
    EXPECT_EQ(joined(a->log), L"Down1,0,5,6 Up1 Click DblClick Up1");
}

TEST_F(FormsInput, RightButtonClicksAndMasksAreReported) {
    send(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, at(-3, 7));
    send(WM_RBUTTONUP, MK_SHIFT, at(4, 7));
    std::erase_if(a->log, [](const std::wstring& s) { return s == L"GotFocus" || s == L"EnterFocus"; });
    EXPECT_EQ(joined(a->log), L"Down2,3,-3,7 Up2 Click");
}

TEST_F(FormsInput, PressInsideAndReleaseOutsideGivesNoClick) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(GetCapture(), a->hWnd());
    send(WM_LBUTTONUP, 0, at(500, 5));
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    send(WM_LBUTTONUP, 0, at(5, -1));
    std::erase_if(a->log, [](const std::wstring& s) { return s == L"GotFocus" || s == L"EnterFocus"; });
    EXPECT_EQ(joined(a->log), L"Down1,0,5,5 Up1 Down1,0,5,5 Up1");
}

TEST_F(FormsInput, CaptureLastsUntilTheLastButtonIsReleased) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, at(5, 5));
    send(WM_LBUTTONUP, MK_RBUTTON, at(5, 5));
    EXPECT_EQ(GetCapture(), a->hWnd());
    send(WM_RBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    // A press whose capture is taken away ends without a Click.
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SetCapture(b->hWnd());
    ReleaseCapture();
    send(WM_LBUTTONUP, 0, at(5, 5));
    std::erase_if(a->log, [](const std::wstring& s) { return s == L"GotFocus" || s == L"EnterFocus"; });
    EXPECT_EQ(joined(a->log), L"Down1,0,5,5 Down2,0,5,5 Up1 Click Up2 Click Down1,0,5,5 Up1");
}

TEST_F(FormsInput, PressTakesFocusWithEnterAndExitFocus) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    send(WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(GetFocus(), a->hWnd());
    EXPECT_EQ(joined(a->log), L"EnterFocus GotFocus Down1,0,5,5 Up1 Click");
    a->log.clear();
    SendMessageW(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(1, 1));
    SendMessageW(b->hWnd(), WM_LBUTTONUP, 0, at(1, 1));
    EXPECT_EQ(GetFocus(), b->hWnd());
    EXPECT_EQ(joined(a->log), L"ExitFocus LostFocus");
}

TEST_F(FormsInput, KeysReachTheControlAndTheFormPreviewsThem) {
    a->SetFocus();
    a->log.clear();
    send(WM_KEYDOWN, VK_LEFT, 0);
    send(WM_CHAR, L'x', 0);
    EXPECT_EQ(joined(a->log), L"KeyDown37 KeyPress120");
    EXPECT_TRUE(SendMessageW(a->hWnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
}

TEST_F(FormsInput, TabMovesFocusInTabOrderAndEnterEscapeGoToDefaultAndCancel) {
    a->setTabIndex(1);
    b->setTabIndex(0);
    b->setDefault(true);
    a->setCancel(true);
    a->SetFocus();
    a->log.clear();
    b->log.clear();
    MSG m{a->hWnd(), WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(MessageLoop::dialogKey(m));
    EXPECT_EQ(GetFocus(), b->hWnd());
    m = MSG{b->hWnd(), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(MessageLoop::dialogKey(m));
    m = MSG{b->hWnd(), WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(MessageLoop::dialogKey(m));
    EXPECT_EQ(joined(b->log), L"EnterFocus GotFocus Access13");
    EXPECT_EQ(joined(a->log), L"ExitFocus LostFocus Access27");
}

TEST_F(FormsInput, ControlsInsideAControlFollowItInTheirOwnTabOrder) {
    struct Outer : Recorder {
        std::shared_ptr<Recorder> first, second;
        void UserControl_Initialize() override {
            second = placeControl<Recorder>(*this, L"second", 0, 0, 10, 10);
            second->setTabIndex(1);
            first = placeControl<Recorder>(*this, L"first", 12, 0, 10, 10);
        }
    };
    auto outer = makeControl<Outer>();
    outer->place(*form, L"outer", -1, 1800, 150, 600, 300);
    outer->initNew();
    a->setTabIndex(0);
    outer->setTabIndex(1);
    b->setTabIndex(2);
    a->SetFocus();
    std::vector<HWND> visited;
    for (int i = 0; i < 5; ++i) {
        MSG m{GetFocus(), WM_KEYDOWN, VK_TAB, 0};
        EXPECT_TRUE(MessageLoop::dialogKey(m));
        visited.push_back(GetFocus());
    }
    const std::vector<HWND> expected{outer->hWnd(), outer->first->hWnd(), outer->second->hWnd(), b->hWnd(),
                                     a->hWnd()};
    EXPECT_EQ(visited, expected);
    outer->unload();
}

TEST_F(FormsInput, AltWithAnAccessKeyReachesItsControl) {
    a->setAccessKeys(L"k");
    b->SetFocus();
    a->log.clear();
    MSG m{b->hWnd(), WM_SYSCHAR, L'K', 0};
    EXPECT_TRUE(MessageLoop::dialogKey(m));
    EXPECT_EQ(GetFocus(), a->hWnd());
    EXPECT_EQ(a->log.back(), L"Access75");
    m = MSG{b->hWnd(), WM_SYSCHAR, L'z', 0};
    EXPECT_FALSE(MessageLoop::dialogKey(m));
}

TEST_F(FormsInput, TheDefaultButtonShowsAsDefaultUnlessAnotherButtonHasTheFocus) {
    auto ok = placeControl<CommandButton>(*form, L"ok", 2000, 150, 900, 400);
    auto other = placeControl<CommandButton>(*form, L"other", 2000, 700, 900, 400);
    ok->setDefault(true);
    auto isDefault = [&] {
        return (GetWindowLongW(ok->buttonWindow(), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
    };
    a->SetFocus();
    EXPECT_TRUE(isDefault());
    other->SetFocus();
    EXPECT_FALSE(isDefault());
    EXPECT_FALSE(ok->Ambient().DisplayAsDefault);
    b->SetFocus();
    EXPECT_TRUE(isDefault());
    // Enter in a control that is not a button goes to the default button.
    int clicks = 0;
    ok->Click.handle([&] { ++clicks; });
    MSG m{b->hWnd(), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(MessageLoop::dialogKey(m));
    EXPECT_EQ(clicks, 1);
}

WNDPROC g_hooked = nullptr;
int g_hookCalls = 0;
LRESULT CALLBACK hookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++g_hookCalls;
    return CallWindowProcW(g_hooked, hwnd, msg, wParam, lParam);
}

TEST_F(FormsInput, ControlsWhoseWindowsAreHookedAreStillFound) {
    g_hooked = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(a->hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hookProc)));
    SetWindowLongPtrW(a->hWnd(), GWLP_USERDATA, 12345);
    EXPECT_EQ(UserControl::fromWindow(a->hWnd()), a.get());
    EXPECT_EQ(Form::fromWindow(a->hWnd()), form.get());
    send(WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
    send(WM_LBUTTONUP, 0, at(3, 3));
    EXPECT_GT(g_hookCalls, 0);
    EXPECT_EQ(a->log.back(), L"Click");
    EXPECT_EQ(form->ActiveControl(), a.get());
    SetWindowLongPtrW(a->hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hooked));
}

TEST(FormsActivation, ActivateAndDeactivateFollowTheProgramsActiveForm) {
    struct Watched : PlainForm {
        std::vector<std::wstring>* log = nullptr;
        std::wstring tag;
        void Form_Activate() override { log->push_back(tag + L"+"); }
        void Form_Deactivate() override { log->push_back(tag + L"-"); }
    };
    std::vector<std::wstring> log;
    auto a = std::make_shared<Watched>();
    auto b = std::make_shared<Watched>();
    a->log = b->log = &log;
    a->tag = L"A";
    b->tag = L"B";
    a->Show();
    b->Show();
    SetActiveWindow(a->hWnd());
    DoEvents();
    EXPECT_EQ(joined(log), L"A+ A- B+ B- A+");
    b->Unload();
    a->Unload();
}

} // namespace
