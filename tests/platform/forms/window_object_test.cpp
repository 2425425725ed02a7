// Forms and controls own their windows from the first message on and are found from any of them.
#include "forms_test_support.h"
#include "support/message_recorder.h"

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/window_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace forms;
using namespace formstest;

namespace {

struct SeeingControl : Recorder {
    std::vector<UINT> seen;
    void windowMessage(core::MessageFrame& m) override { seen.push_back(m.msg); }
};

struct SeeingForm : PlainForm {
    std::vector<UINT> seen;
    SeeingForm() {
        setBorderStyle(core::formBorder::None);
        setNoActivate(true);
    }
    void windowMessage(core::MessageFrame& m) override { seen.push_back(m.msg); }
};

bool saw(const std::vector<UINT>& seen, UINT msg) {
    return std::find(seen.begin(), seen.end(), msg) != seen.end();
}

TEST(FormsWindows, CreationMessagesReachTheObjectsOwnDispatch) {
    auto form = std::make_shared<SeeingForm>();
    form->load();
    ASSERT_FALSE(form->seen.empty());
    EXPECT_EQ(form->seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(saw(form->seen, WM_CREATE));
    auto control = placeControl<SeeingControl>(*form, L"c", 0, 0, 600, 300);
    ASSERT_FALSE(control->seen.empty());
    EXPECT_EQ(control->seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(saw(control->seen, WM_CREATE));
    // The size messages of the creation raise no Resize before Initialize.
    EXPECT_EQ(joined(control->log), L"Initialize InitProperties Resize");
    // The class's procedure is the window's from the start: nothing was patched after creation.
    for (HWND w : {form->hWnd(), control->hWnd()})
        EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC),
                  static_cast<LONG_PTR>(GetClassLongPtrW(w, GCLP_WNDPROC)));
    form->Unload();
}

TEST(FormsWindows, ObjectsAreFoundFromTheirWindowsAlsoWhenSubclassed) {
    auto form = std::make_shared<SeeingForm>();
    form->Show();
    auto control = placeControl<SeeingControl>(*form, L"c", 0, 0, 600, 300);
    auto box = placeControl<TextBox>(*form, L"t", 0, 400, 900, 300);
    testsupport::MessageRecorder recorder(control->hWnd());
    EXPECT_EQ(UserControl::fromWindow(control->hWnd()), control.get());
    EXPECT_EQ(UserControl::fromWindow(box->editWindow()), box.get());
    EXPECT_EQ(Form::fromWindow(box->editWindow()), form.get());
    EXPECT_EQ(UserControl::fromWindow(form->hWnd()), nullptr);
    // Messages still reach the control through the recorder's procedure.
    control->setVisible(false);
    EXPECT_TRUE(recorder.matches({testsupport::messageWith(WM_SHOWWINDOW, FALSE),
                                  testsupport::optionalMessage(WM_WINDOWPOSCHANGING), WM_WINDOWPOSCHANGED}));
    EXPECT_EQ(control->log.back(), L"Hide");
    form->Unload();
}

// The system hands a gone window's handle to a later one: no window may leave its entry behind,
// however it went (its form unloaded, its parent destroyed under a control that never ended).
TEST(FormsWindows, AGoneWindowIsNoLongerFound) {
    auto form = std::make_shared<SeeingForm>();
    form->Show();
    auto control = placeControl<SeeingControl>(*form, L"c", 0, 0, 600, 300);
    auto box = placeControl<TextBox>(*form, L"t", 0, 400, 900, 300);
    const HWND windows[] = {form->hWnd(), control->hWnd(), box->hWnd(), box->editWindow()};
    for (HWND w : windows) EXPECT_NE(windowObject::of(w), nullptr);
    DestroyWindow(box->hWnd());
    EXPECT_EQ(windowObject::of(windows[3]), nullptr) << "the edit window went with its control's";
    form->Unload();
    for (HWND w : windows) EXPECT_EQ(windowObject::of(w), nullptr);
}

struct Tag : WindowObject {};

LRESULT CALLBACK attachingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    windowObject::attachOnCreate(hwnd, msg, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A window's object is the one it was created with: a WM_NCCREATE sent to it later from another thread
// (or another program) with an object of its own changes nothing.
TEST(FormsWindows, OnlyTheCreationGivesAWindowItsObject) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = attachingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexaAttachingTest";
    RegisterClassW(&wc);
    Tag own, foreign;
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      wc.hInstance, &own);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(windowObject::of(hwnd), &own);
    CREATESTRUCTW cs{};
    cs.lpCreateParams = &foreign;
    std::atomic<bool> sent{false};
    std::thread other([&] {
        SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs));
        sent = true;
    });
    for (MSG m; !sent; Sleep(1)) // the window's thread takes the sent message while it looks at its queue
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
    other.join();
    EXPECT_EQ(windowObject::of(hwnd), &own);
    windowObject::detach(hwnd);
    DestroyWindow(hwnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

} // namespace
