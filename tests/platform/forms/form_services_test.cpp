// Forms' own properties and the program services: frame styles, window state, ambient values,
// key preview, pointers, screen, program folder, message box, event log and DoEvents.
#include "forms_test_support.h"

#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/app.h"
#include "platform/forms/color.h"
#include "platform/forms/controls/command_button.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

TEST(FormsServices, ScreenAppMessageBoxAndEventLog) {
    EXPECT_EQ(Screen::TwipsPerPixelX(), 15);
    EXPECT_EQ(Screen::TwipsPerPixelY(), 15);
    EXPECT_EQ(Screen::Width(), GetSystemMetrics(SM_CXSCREEN) * 15);
    EXPECT_EQ(Screen::twipsToPixelsX(1005), 67);
    const std::wstring path = App::Path();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((path + L"\\platform_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(App::hInstance(), GetModuleHandleW(nullptr));

    std::wstring asked;
    auto oldBox = setMsgBoxHandler([&](const std::wstring& prompt, int buttons, const std::wstring&) {
        asked = prompt + L"/" + std::to_wstring(buttons);
        return mb::No;
    });
    EXPECT_EQ(MsgBox(L"Çıxış?", mb::YesNo), mb::No);
    EXPECT_EQ(asked, L"Çıxış?/4");
    setMsgBoxHandler(oldBox);

    std::vector<std::wstring> logged;
    auto oldLog = core::setLogHandler([&](const std::wstring& text, int) { logged.push_back(text); });
    App::LogEvent(L"started");
    EXPECT_EQ(logged, std::vector<std::wstring>{L"started"});
    core::setLogHandler(oldLog);

    bool ended = false;
    auto oldEnd = App::setEndHandler([&] { ended = true; });
    EXPECT_THROW(App::End(), core::EndRequested);
    EXPECT_TRUE(ended);
    App::setEndHandler(oldEnd);
}

TEST(FormsServices, DoEventsHandlesWhatIsWaitingAndCountsTheForms) {
    auto form = std::make_shared<PlainForm>();
    form->setNoActivate(true);
    form->setBorderStyle(0);
    form->load();
    auto rec = placeControl<Recorder>(*form, L"r", 0, 0, 600, 600);
    PostMessageW(rec->hWnd(), WM_CHAR, L'q', 0);
    EXPECT_EQ(DoEvents(), 1);
    EXPECT_EQ(rec->log.back(), L"KeyPress113");
    auto watch = form->watch();
    PostMessageW(form->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(DoEvents(), 0);
    EXPECT_FALSE(watch.alive());
}

TEST(FormsServices, TitlelessPopupHasNoTaskBarButtonAndKeepsItsInnerSize) {
    struct Popup : Form {
        Popup() {
            setBorderStyle(1);
            setCaption(L"");
            setControlBox(false);
            setMinButton(false);
            setMaxButton(false);
            setShowInTaskbar(false);
            setNoActivate(true);
            setClientSize(2340, 1005);
            setBackColor(0xF9F9F9);
        }
    };
    auto popup = std::make_shared<Popup>();
    popup->Show();
    HWND w = popup->hWnd();
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    EXPECT_FALSE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(GetWindow(w, GW_OWNER), nullptr); // owned windows get no task-bar button
    RECT rc;
    GetClientRect(w, &rc);
    EXPECT_EQ(rc.right, 156);
    EXPECT_EQ(rc.bottom, 67);
    EXPECT_DOUBLE_EQ(popup->ScaleWidth(), 2340);
    GdiFlush();
    EXPECT_EQ(popup->surface().pixel(10, 10), 0xF9F9F9u);
    EXPECT_THROW(popup->setShowInTaskbar(true), core::RuntimeError);
    popup->Unload();
}

TEST(FormsServices, MinimisingAHiddenFormKeepsItHidden) {
    auto form = std::make_shared<PlainForm>();
    form->setBorderStyle(0);
    form->setNoActivate(true);
    form->load();
    form->setWindowState(1);
    EXPECT_FALSE(IsWindowVisible(form->hWnd()));
    EXPECT_EQ(form->WindowState(), 1);
    form->setWindowState(0);
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), 0);
    form->Move(1500, 1500, 4500, 3000);
    EXPECT_EQ(form->Left(), 1500);
    EXPECT_EQ(form->Width(), 4500);
    form->Unload();
}

TEST(FormsServices, AmbientValuesComeFromTheContainerAndChangesAreAnnounced) {
    struct Listener : Recorder {
        std::vector<std::wstring> ambient;
        void UserControl_AmbientChanged(const std::wstring& name) override { ambient.push_back(name); }
    };
    auto form = std::make_shared<PlainForm>();
    form->setNoActivate(true);
    form->setBorderStyle(0);
    form->load();
    form->setFont(StdFont::create(L"Tahoma", 8.25));
    auto c = placeControl<Listener>(*form, L"lst", 0, 0, 600, 600);
    AmbientProperties a = c->Ambient();
    EXPECT_TRUE(a.UserMode);
    EXPECT_EQ(a.Font->Name(), L"Tahoma");
    EXPECT_EQ(a.DisplayName, L"lst");
    EXPECT_FALSE(a.DisplayAsDefault);
    form->setBackColor(makeColour(1, 2, 3));
    EXPECT_EQ(c->Ambient().BackColor, makeColour(1, 2, 3));
    c->setDefault(true);
    EXPECT_TRUE(c->Ambient().DisplayAsDefault);
    EXPECT_EQ(joined(c->ambient), L"BackColor DisplayAsDefault");
    UserControl::setDefaultUserMode(false);
    EXPECT_FALSE(c->Ambient().UserMode);
    UserControl::setDefaultUserMode(true);
    c.reset();
    form->Unload();
}

TEST(FormsServices, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
    struct Previewing : PlainForm {
        std::vector<std::wstring> log;
        void Form_KeyDown(int& key, int) override {
            log.push_back(L"Form" + std::to_wstring(key));
            if (key == VK_F2) key = 0;
        }
    };
    auto form = std::make_shared<Previewing>();
    form->setNoActivate(true);
    form->setBorderStyle(0);
    form->load();
    auto c = placeControl<Recorder>(*form, L"r", 0, 0, 600, 600);
    c->log.clear();
    SendMessageW(c->hWnd(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_TRUE(form->log.empty());
    form->setKeyPreview(true);
    SendMessageW(c->hWnd(), WM_KEYDOWN, VK_F1, 0);
    SendMessageW(c->hWnd(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(joined(form->log), L"Form112 Form113");
    EXPECT_EQ(joined(c->log), L"KeyDown112 KeyDown112");

    // Keys typed on a command button's system window reach the form too.
    auto button = placeControl<CommandButton>(*form, L"b", 0, 700, 900, 300);
    form->log.clear();
    SendMessageW(button->buttonWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(button->buttonWindow(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(joined(form->log), L"Form27 Form113");
    button.reset();
    c.reset();
    form->Unload();
}

TEST(FormsServices, MousePointerChoosesTheCursorOverTheControl) {
    auto form = std::make_shared<PlainForm>();
    form->setNoActivate(true);
    form->setBorderStyle(0);
    form->load();
    auto c = placeControl<Recorder>(*form, L"r", 0, 0, 600, 600);
    c->setMousePointer(11);
    SendMessageW(c->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c->hWnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    c->setMousePointer(1);
    SendMessageW(c->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c->hWnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_THROW(c->setMousePointer(16), core::RuntimeError);
    EXPECT_NO_THROW(c->setMousePointer(99));
    c.reset();
    form->Unload();
}

} // namespace
