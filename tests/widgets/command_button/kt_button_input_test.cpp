#include "kt_button_test_support.h"

#include "platform/core/constants.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/do_events.h"
#include "platform/forms/popup_menu.h"
#include "platform/forms/surface.h"
#include "platform/hook/retired_blocks.h"

#include <vector>

namespace {

using namespace kttest;

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

class KtButtonInput : public ::testing::Test {
protected:
    std::shared_ptr<HostForm> form;
    testsupport::EventLog log;
    PointerSeam pointer;

    void SetUp() override { ktButton::registerType(); }
    void TearDown() override {
        if (form && form->loaded()) form->Unload();
    }
    void load(forms::Layout table, bool activates = false) {
        form = std::make_shared<HostForm>(std::move(table), activates);
        form->load();
    }
    ktButton& get(const std::wstring& name) { return form->control<ktButton>(name); }
    void activate() {
        form->Show();
        SetForegroundWindow(form->hWnd());
        forms::DoEvents();
    }
    static void send(ktButton& b, UINT msg, WPARAM w = 0, LPARAM l = at(5, 5)) {
        SendMessageW(b.hWnd(), msg, w, l);
    }
    static void pump(const std::function<bool()>& done) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < 1000) {
            forms::DoEvents();
            Sleep(5);
        }
    }
};

TEST_F(KtButtonInput, HoverPressDragOffAndReleaseWithTheirLooks) {
    load({buttonEntry(L"command1", 10, 10)});
    ktButton& b = get(L"command1");
    watch(b, log);
    pointer.under = b.hWnd();
    send(b, WM_MOUSEMOVE);
    EXPECT_EQ(log.text(), L"MouseEnter");
    EXPECT_EQ(b.look().State, 1);
    send(b, WM_MOUSEMOVE);
    EXPECT_EQ(log.text(), L"MouseEnter, MouseMove 0");
    log.clear();

    send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(b.look().State, 2);
    pointer.under = nullptr;
    send(b, WM_MOUSEMOVE, MK_LBUTTON, at(100, 5));
    EXPECT_EQ(b.look().State, 2); // the down look stays at the first move outside
    send(b, WM_MOUSEMOVE, MK_LBUTTON, at(110, 5));
    EXPECT_EQ(b.look().State, 1);
    send(b, WM_LBUTTONUP, 0, at(110, 5));
    send(b, WM_MOUSELEAVE);
    EXPECT_EQ(b.look().State, 0);
    EXPECT_EQ(log.text(), L"MouseDown 1, MouseLeave, MouseUp 1, MouseLeave");
    EXPECT_FALSE(b.state().tracking);

    // A right press outside popup mode: MouseDown only.
    log.clear();
    pointer.under = b.hWnd();
    send(b, WM_RBUTTONDOWN, MK_RBUTTON);
    send(b, WM_RBUTTONUP);
    EXPECT_EQ(log.text(), L"MouseDown 2");

    // A double click toggles once in CheckBoxMode.
    b.setCheckBoxMode(true);
    log.clear();
    send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    send(b, WM_LBUTTONUP);
    send(b, WM_LBUTTONDBLCLK, MK_LBUTTON);
    send(b, WM_LBUTTONUP);
    EXPECT_EQ(log.text(), L"MouseDown 1, MouseUp 1, Click, DblClick, MouseUp 1");
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(KtButtonInput, SpaceClicksUnlessAnotherKeyCancelsAndAnArrowMovesTheFocusAndClicks) {
    load({buttonEntry(L"a", 10, 10), buttonEntry(L"b", 10, 40)}, true);
    ktButton& a = get(L"a");
    ktButton& b = get(L"b");
    watch(a, log);
    send(a, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(a.look().State, 2);
    EXPECT_EQ(GetCapture(), a.hWnd());
    send(a, WM_CHAR, L' ', 0);
    send(a, WM_KEYUP, VK_SPACE, 0xC0000000);
    EXPECT_EQ(log.text(), L"KeyDown 32, KeyPress 32, Click, KeyUp 32");
    EXPECT_EQ(GetCapture(), nullptr);

    log.clear();
    send(a, WM_KEYDOWN, VK_SPACE, 0);
    send(a, WM_KEYDOWN, 'A', 0);
    send(a, WM_KEYUP, VK_SPACE, 0xC0000000);
    EXPECT_EQ(log.text(), L"KeyDown 32, KeyDown 65, KeyUp 32");
    EXPECT_EQ(GetCapture(), nullptr);

    activate();
    a.SetFocus();
    forms::DoEvents();
    ASSERT_EQ(GetFocus(), a.hWnd());
    log.clear();
    send(a, WM_KEYDOWN, VK_SPACE, 0);
    send(a, WM_KEYDOWN, VK_RIGHT, 0);
    pump([&] { return GetFocus() == b.hWnd(); });
    EXPECT_EQ(GetFocus(), b.hWnd());
    EXPECT_EQ(log.text(), L"KeyDown 32, Click");
}

TEST_F(KtButtonInput, EnterOnACheckBoxDefaultDoesNothingWhileItsAccessKeyToggles) {
    load({buttonEntry(L"he", 10, 10)}, true);
    ktButton& b = get(L"he");
    b.setCaption(L"&Hə");
    b.setCheckBoxMode(true);
    b.setDefault(true);
    EXPECT_TRUE(b.state().defaultButton);
    watch(b, log);
    activate();
    b.SetFocus();
    forms::DoEvents();
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    forms::DoEvents();
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(log.text(), L"");
    PostMessageW(b.hWnd(), WM_SYSCHAR, L'h', 0);
    forms::DoEvents();
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(log.text(), L"Click");
    // A plain button takes Enter while focused.
    b.setCheckBoxMode(false);
    log.clear();
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    forms::DoEvents();
    EXPECT_EQ(log.text(), L"Click");
    // Escape reaches the form's cancel button.
    b.setCancel(true);
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    forms::DoEvents();
    EXPECT_EQ(log.text(), L"Click, Click");
}

TEST_F(KtButtonInput, PopupModeShowsTheMenuAtItsPlacementAndTheClosingPressOpensNothing) {
    load({buttonEntry(L"menu", 10, 10)});
    ktButton& b = get(L"menu");
    watch(b, log);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 7, L"Bir");
    std::vector<forms::PopupMenuCall> calls;
    auto old = forms::setPopupMenuShow([&](const forms::PopupMenuCall& c) {
        calls.push_back(c);
        return 0;
    });
    b.SetPopupMenu(CreatePopupMenu(), 6); // not the form's: ignored
    EXPECT_FALSE(b.state().popupMode);
    form->registerMenu(menu);
    b.SetPopupMenu(menu, 6, 0);
    ASSERT_TRUE(b.state().popupMode);
    pointer.under = b.hWnd();
    send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].flags, 40u);
    POINT origin{0, 0};
    ClientToScreen(b.hWnd(), &origin);
    EXPECT_EQ(calls[0].screen.x, origin.x);
    EXPECT_EQ(calls[0].screen.y, origin.y);
    EXPECT_TRUE(b.state().menuClosedOver);
    // The press that closed the menu over the button reaches it afterwards and opens nothing; the
    // next one does.
    b.SetPopupMenu(menu, 4, 0, 7u);
    send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_FALSE(b.state().menuClosedOver);
    send(b, WM_LBUTTONUP);
    send(b, WM_LBUTTONDOWN, MK_LBUTTON);
    send(b, WM_LBUTTONUP);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].flags, 0u);
    EXPECT_EQ(calls[1].defaultItem, std::optional<UINT>(7u));
    // Closed away from the button: the normal look again.
    pointer.under = nullptr;
    b.SetPopupMenu(menu, 0, 0);
    b.accessKeyPress(L'm');
    EXPECT_EQ(calls.size(), 3u);
    EXPECT_EQ(b.look().State, 0);
    EXPECT_FALSE(b.state().menuShowing);
    // Popup mode raises no mouse or click events.
    EXPECT_EQ(log.text(), L"");
    b.UnsetPopupMenu();
    EXPECT_FALSE(b.state().popupMode);
    forms::setPopupMenuShow(old);
    DestroyMenu(menu);
}

TEST_F(KtButtonInput, TooSmallGrowsToFifteenPixelsAndTheFormsActivationTogglesTheFocusCue) {
    load({buttonEntry(L"low", 10, 10, 40, 10), buttonEntry(L"thin", 60, 10, 10, 40),
          buttonEntry(L"cue", 10, 60, 75, 23, [] {
              forms::PropertyBag p;
              p.WriteProperty(L"ButtonStyle", core::Variant(std::int32_t(6)));
              return p;
          }())});
    ktButton& low = get(L"low");
    EXPECT_EQ(low.Height(), 15 * 15);
    EXPECT_EQ(low.Width(), 40 * 15);
    ktButton& thin = get(L"thin");
    EXPECT_EQ(thin.Width(), 15 * 15);
    EXPECT_EQ(thin.Height(), 40 * 15);

    // Inside a control that counts in pixels the minimum is 15 of its pixels.
    auto box = forms::placeControl<forms::PictureBox>(*form, L"box", 1500, 1500, 1500, 1500);
    box->setScaleMode(core::scale::Pixels);
    auto inner = forms::placeControl<ktButton>(*box, L"inner", 0, 0, 40, 10);
    EXPECT_EQ(inner->Height(), 15);
    EXPECT_EQ(inner->Width(), 40);
    inner.reset();
    box.reset();

    ktButton& cue = get(L"cue");
    SendMessageW(form->hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageW(cue.hWnd(), WM_SETFOCUS, 0, 0);
    ASSERT_TRUE(cue.state().parentActive);
    EXPECT_TRUE(cue.state().paintedFocus);
    const std::uint32_t focused = cue.surface().pixel(0, 10);
    SendMessageW(form->hWnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(cue.state().paintedFocus);
    EXPECT_TRUE(cue.state().focus);
    EXPECT_NE(cue.surface().pixel(0, 10), focused);
    SendMessageW(form->hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(cue.state().paintedFocus);
    EXPECT_EQ(cue.surface().pixel(0, 10), focused);
}

TEST_F(KtButtonInput, TheHandPointerAnswersSetCursor) {
    load({buttonEntry(L"hand", 10, 10)});
    ktButton& b = get(L"hand");
    EXPECT_EQ(SendMessageW(b.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b.hWnd()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              0);
    b.setHandPointer(true);
    EXPECT_EQ(SendMessageW(b.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b.hWnd()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// The application's buttons: a caption per language and a Click handler that unloads the form, by
// mouse, Space and Enter. Nothing may touch the button afterwards and its hook blocks go.
TEST_F(KtButtonInput, AClickThatUnloadsItsOwnFormEndsCleanly) {
    // The real pointer rests away from the form, so that the activated form sees no move of its own
    // over the button (an earlier test may have left it there).
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    for (int way = 0; way < 3; ++way) {
        load({buttonEntry(L"yox", 10, 10)}, way == 2);
        ktButton& b = get(L"yox");
        b.setCaption(L" No");
        auto keep = std::static_pointer_cast<ktButton>(b.shared_from_this());
        ASSERT_TRUE(b.hooks().blockOf(b.hWnd()) && b.hooks().blockOf(form->hWnd()));
        const std::size_t retired = hook::retiredBlockCount();
        watch(b, log);
        log.clear();
        b.Click.handle([&] {
            log.add(L"Click");
            form->Unload();
        });
        pointer.under = b.hWnd();
        if (way == 0) {
            send(b, WM_LBUTTONDOWN, MK_LBUTTON);
            send(b, WM_LBUTTONUP);
            EXPECT_EQ(log.text(), L"MouseDown 1, MouseUp 1, Click");
        } else if (way == 1) {
            send(b, WM_KEYDOWN, VK_SPACE, 0);
            send(b, WM_KEYUP, VK_SPACE, 0xC0000000);
            EXPECT_EQ(log.text(), L"KeyDown 32, Click");
        } else {
            activate();
            b.SetFocus();
            forms::DoEvents();
            PostMessageW(b.hWnd(), WM_KEYDOWN, VK_RETURN, 0);
            pump([&] { return !form->loaded(); });
            EXPECT_EQ(log.text(), L"Click");
        }
        EXPECT_FALSE(form->loaded()) << way;
        EXPECT_FALSE(keep->loaded());
        EXPECT_FALSE(keep->hooks().started());
        EXPECT_EQ(GetCapture(), nullptr);
        forms::DoEvents();
        hook::releaseRetiredBlocks();
        EXPECT_EQ(hook::retiredBlockCount(), retired) << way;
    }
}

} // namespace
