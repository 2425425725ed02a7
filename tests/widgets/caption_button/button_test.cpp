#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/message_loop.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "support/event_log.h"
#include "widgets/caption_button/button_kdq.h"
#include "widgets/shared/tip_window.h"
#include "widgets/shared/vni.h"

using widgets::Button_KDQ;
namespace look = widgets::buttonLook;

namespace {

constexpr int T = 15;

class HostForm : public forms::Form {
public:
    HostForm(forms::Layout table, bool activates) : table_(std::move(table)) {
        setBorderStyle(0);
        setNoActivate(!activates);
        setClientSize(400 * T, 200 * T);
        setFont(forms::StdFont::create(L"Tahoma", 10));
    }

protected:
    forms::Layout layout() const override { return table_; }

private:
    forms::Layout table_;
};

forms::LayoutEntry entry(const wchar_t* name, int left, int tabIndex, forms::PropertyBag bag = {}) {
    forms::LayoutEntry e;
    e.type = L"Button_KDQ";
    e.name = name;
    e.left = left * T, e.top = 10 * T, e.width = 90 * T, e.height = 30 * T;
    e.tabIndex = tabIndex;
    e.properties = std::move(bag);
    return e;
}

LRESULT send(HWND w, UINT msg, int x, int y, WPARAM keys = 0) {
    return SendMessageW(w, msg, keys, MAKELPARAM(x, y));
}

void key(HWND w, UINT msg, WPARAM vk) {
    SendMessageW(w, msg, vk, msg == WM_KEYUP ? LPARAM(0xC0000001) : LPARAM(1));
}

void pointAt(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    SetCursorPos(p.x, p.y);
}

class TextButton : public testing::Test {
protected:
    std::shared_ptr<HostForm> form;
    testsupport::EventLog log;

    void SetUp() override { Button_KDQ::registerType(); }
    void TearDown() override {
        if (form && form->loaded()) form->Unload();
    }
    void show(forms::Layout table, bool activates = false) {
        form = std::make_shared<HostForm>(std::move(table), activates);
        form->load();
        form->Move(0, 0, 400 * T, 200 * T);
        form->Show();
    }
    Button_KDQ& button(const wchar_t* name) { return form->control<Button_KDQ>(name); }
    // Every event of a button, in the log as name and arguments.
    void record(Button_KDQ& b, const std::wstring& who = L"") {
        auto mouse = [this, who](const wchar_t* name) {
            return [this, who, name](std::int16_t& bt, std::int16_t& sh, float& x, float& y) {
                log.add(who + name + L"(" + std::to_wstring(bt) + L"," + std::to_wstring(sh) + L"," +
                        std::to_wstring(int(x)) + L"," + std::to_wstring(int(y)) + L")");
            };
        };
        b.MouseDown.handle(mouse(L"down"));
        b.MouseUp.handle(mouse(L"up"));
        b.Click.handle([this, who] { log.add(who + L"click"); });
        b.KeyDown.handle(
            [this, who](std::int16_t& k, std::int16_t&) { log.add(who + L"keydown" + std::to_wstring(k)); });
        b.KeyUp.handle(
            [this, who](std::int16_t& k, std::int16_t&) { log.add(who + L"keyup" + std::to_wstring(k)); });
    }
};

TEST_F(TextButton, CreationValuesAgainstWhatAMissingKeyReadsAs) {
    show({});
    auto fresh = forms::placeControl<Button_KDQ>(*form, L"fresh", 0, 0, 90 * T, 30 * T);
    EXPECT_EQ(fresh->Caption(), L"Nu1t ba61m");
    EXPECT_EQ(fresh->CaptionTV(), widgets::VniToUnicode(L"Nu1t ba61m", widgets::kVniMarker));
    EXPECT_EQ(fresh->ShadowColor(), 0xFFFFFFu);
    EXPECT_EQ(fresh->PictureSize(), 0);
    EXPECT_FALSE(fresh->TransPicture());
    EXPECT_EQ(fresh->TransColor(), 0u);
    EXPECT_EQ(fresh->PictureWidth(), 0);
    EXPECT_FALSE(fresh->TooltipTiengViet());
    EXPECT_EQ(fresh->Font()->Name(), L"Arial");
    EXPECT_EQ(form->Font()->Name(), L"Tahoma") << "the form's font is not changed";
    const auto& changed = fresh->changedProperties();
    EXPECT_NE(std::find(changed.begin(), changed.end(), L"Caption"), changed.end());

    // What a new button writes, in the stored order; every key not listed holds its stored default.
    forms::PropertyBag bag;
    Button_KDQ::properties().write(*fresh, bag);
    std::vector<std::wstring> keys;
    for (const auto& [k, v] : bag.entries()) keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"ShadowColor", L"Font", L"PictureSize", L"TransPicture",
                                               L"TransColor", L"PictureWidth", L"PictureHeight",
                                               L"ToolTipTiengViet"}));
    fresh->unload();

    // Read from a layout, even an empty one: the stored defaults, and the three keys always written.
    form->Unload();
    show({entry(L"b", 10, 0)});
    Button_KDQ& b = button(L"b");
    EXPECT_EQ(b.PictureSize(), 1);
    EXPECT_TRUE(b.TransPicture());
    EXPECT_EQ(b.TransColor(), 0xFFFFFFu);
    EXPECT_EQ(b.ShadowColor(), 0u);
    EXPECT_EQ(b.PictureWidth(), 32);
    EXPECT_TRUE(b.TooltipTiengViet());
    EXPECT_EQ(b.Font()->Name(), L"Tahoma");
    forms::PropertyBag written;
    Button_KDQ::properties().write(b, written);
    EXPECT_EQ(written, (forms::PropertyBag{
                           {L"PictureWidth", 32}, {L"PictureHeight", 32}, {L"ToolTipTiengViet", true}}));
}

TEST_F(TextButton, EveryStoredPropertyRoundTrips) {
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    auto picture = forms::StdPicture::fromBitmap(bmp);
    forms::PropertyBag bag{{L"Enabled", false},
                           {L"ButtonStyle", 1},
                           {L"TiengViet", false},
                           {L"Caption", L"&Tamam"},
                           {L"Forecolor", core::Variant::colour(0x112233)},
                           {L"ShadowColor", core::Variant::colour(0x445566)},
                           {L"Shadow", false},
                           {L"AlignmentText", 1},
                           {L"Font", forms::StdFont::create(L"Verdana", 12, true)},
                           {L"AlignmentPicture", 3},
                           {L"PictureSize", 5},
                           {L"TransPicture", false},
                           {L"TransColor", core::Variant::colour(0x00FF00)},
                           {L"Picture", picture},
                           {L"PictureWidth", 20},
                           {L"PictureHeight", 24},
                           {L"ToolTipTiengViet", false}};
    show({entry(L"b", 10, 0, bag)});
    Button_KDQ& b = button(L"b");
    EXPECT_FALSE(IsWindowEnabled(b.hWnd())) << "the control's own Enabled follows the stored one";
    EXPECT_EQ(b.AccessKeys(), L"T");
    EXPECT_EQ(b.PSrc()->ScaleWidth(), 4) << "the constituent takes the picture's size";
    forms::PropertyBag written;
    Button_KDQ::properties().write(b, written);
    EXPECT_EQ(written, bag);
    std::vector<std::wstring> keys;
    for (const auto& [k, v] : written.entries()) keys.push_back(k);
    std::vector<std::wstring> order;
    for (const auto& r : Button_KDQ::properties().rows()) order.push_back(r.key);
    EXPECT_EQ(keys, order);
}

TEST_F(TextButton, MouseStatesAndLooks) {
    show({entry(L"b", 10, 0)});
    Button_KDQ& b = button(L"b");
    HWND w = b.hWnd();
    b.setToolTipText(L"Ipucu");
    record(b);
    pointAt(w, 20, 10);
    send(w, WM_MOUSEMOVE, 20, 10);
    EXPECT_EQ(b.state().MouseState, 2);
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(widgets::FTip::instance().TipText(), L"Ipucu");

    struct Step {
        UINT msg;
        int x;
        WPARAM keys;
        std::int32_t state;
        int look;
    };
    // Press, drag out and back with the left button held, drag out again and release outside.
    const Step steps[] = {
        {WM_LBUTTONDOWN, 20, MK_LBUTTON, 3, look::Pressed},
        {WM_MOUSEMOVE, 200, MK_LBUTTON, 1, look::Hot},
        {WM_MOUSEMOVE, 200, MK_LBUTTON, 1, look::Hot},
        {WM_MOUSEMOVE, 20, MK_LBUTTON, 3, look::Pressed},
        {WM_MOUSEMOVE, 200, MK_LBUTTON, 1, look::Hot},
        {WM_LBUTTONUP, 200, 0, 0, look::Focused},
        {WM_MOUSEMOVE, 20, 0, 2, look::Hot},
        {WM_MOUSEMOVE, 200, 0, 0, look::Focused},
    };
    for (const Step& s : steps) {
        if (s.x < 90) pointAt(w, s.x, 10);
        send(w, s.msg, s.x, 10, s.keys);
        EXPECT_EQ(b.state().MouseState, s.state) << "message " << s.msg << " at " << s.x;
        EXPECT_EQ(b.faceLook(), s.look) << "message " << s.msg << " at " << s.x;
    }
    EXPECT_NE(GetCapture(), w) << "a move out without the left button gives the capture up";
    EXPECT_EQ(log.text(), L"down(1,0,20,10), up(1,0,200,10)") << "no Click for a release outside";
    log.clear();

    // A right click raises no Click; the second press of a double click reports a press.
    pointAt(w, 20, 10);
    send(w, WM_RBUTTONDOWN, 20, 10, MK_RBUTTON);
    send(w, WM_RBUTTONUP, 20, 10);
    send(w, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 20, 10);
    send(w, WM_LBUTTONDBLCLK, 20, 10, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 20, 10);
    EXPECT_EQ(log.text(), L"down(2,0,20,10), up(2,0,20,10), down(1,0,20,10), up(1,0,20,10), click, "
                          L"down(1,0,1,1), up(1,0,20,10)");
    b.setEnabled(false);
    EXPECT_EQ(b.faceLook(), look::Disabled);
    b.setButtonStyle(1);
    EXPECT_NE(b.faceLook(), look::Disabled) << "without a face there is no disabled face";
}

TEST_F(TextButton, SpaceAccessKeysAndArrows) {
    show({entry(L"a", 10, 0), entry(L"b", 110, 1, {{L"Caption", L"&Tamam"}}), entry(L"c", 210, 2)}, true);
    Button_KDQ &a = button(L"a"), &b = button(L"b"), &c = button(L"c");
    record(b);
    b.SetFocus();
    ASSERT_EQ(GetFocus(), b.hWnd());

    key(b.hWnd(), WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(b.faceLook(), look::Pressed);
    key(b.hWnd(), WM_KEYUP, VK_SPACE);
    EXPECT_EQ(b.faceLook(), look::Hot);
    EXPECT_EQ(log.text(), L"down(1,0,0,0), keydown32, up(1,0,0,0), click, keyup32");
    log.clear();

    key(b.hWnd(), WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(GetFocus(), c.hWnd());
    key(c.hWnd(), WM_KEYDOWN, VK_LEFT);
    key(b.hWnd(), WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(GetFocus(), a.hWnd());
    key(a.hWnd(), WM_KEYDOWN, VK_UP);
    EXPECT_EQ(GetFocus(), a.hWnd()) << "up and down move nothing";
    EXPECT_EQ(log.text(), L"keydown39, keydown37");
    log.clear();

    // Alt + T through the run time's dialog keys, and Enter on the default button.
    MSG alt{a.hWnd(), WM_SYSCHAR, L't', 0x20000001, 0, {0, 0}};
    EXPECT_TRUE(forms::MessageLoop::dialogKey(alt));
    b.setDefault(true);
    c.SetFocus();
    record(c, L"c.");
    MSG enter{c.hWnd(), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    EXPECT_TRUE(forms::MessageLoop::dialogKey(enter));
    EXPECT_EQ(log.text(), L"click, c.click") << "Enter goes to the focused button";

    // A press leaves the focus on the button: the form's SetFocus does not take it back.
    pointAt(a.hWnd(), 20, 10);
    send(a.hWnd(), WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
    send(a.hWnd(), WM_LBUTTONUP, 20, 10);
    EXPECT_EQ(GetFocus(), a.hWnd());
    EXPECT_TRUE(a.state().HasFocus);
    c.SetFocus();
    EXPECT_EQ(a.state().MouseState, 0) << "leaving the focus resets the state";
    EXPECT_FALSE(a.state().HasFocus);

    // The form's SetFocus from another form: the form is active again, the focus on its control.
    auto other = std::make_shared<HostForm>(forms::Layout{entry(L"x", 10, 0)}, true);
    other->load();
    other->Show();
    other->control<Button_KDQ>(L"x").SetFocus();
    ASSERT_NE(GetFocus(), c.hWnd());
    form->SetFocus();
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
    EXPECT_EQ(GetFocus(), c.hWnd());
    other->Unload();
}

TEST_F(TextButton, FormUnloadedInsideItsEventsIsSafe) {
    for (const char* event : {"down", "up", "click"}) {
        show({entry(L"b", 10, 0)});
        Button_KDQ& b = button(L"b");
        HWND w = b.hWnd();
        auto unload = [this] { form->Unload(); };
        if (std::string(event) == "down")
            b.MouseDown.handle([&](std::int16_t&, std::int16_t&, float&, float&) { unload(); });
        else if (std::string(event) == "up")
            b.MouseUp.handle([&](std::int16_t&, std::int16_t&, float&, float&) { unload(); });
        else
            b.Click.handle(unload);
        key(w, WM_KEYDOWN, VK_SPACE);
        if (IsWindow(w)) key(w, WM_KEYUP, VK_SPACE);
        EXPECT_FALSE(form->loaded()) << event;
        EXPECT_FALSE(IsWindow(w)) << event;
    }
}

TEST_F(TextButton, CaptureIsReleasedWhenHiddenDisabledOrGone) {
    show({entry(L"b", 10, 0)});
    Button_KDQ& b = button(L"b");
    HWND w = b.hWnd();
    for (int i = 0; i < 3; ++i) {
        pointAt(w, 20, 10);
        send(w, WM_MOUSEMOVE, 20, 10);
        ASSERT_EQ(GetCapture(), w) << i;
        if (i == 0) {
            b.setVisible(false);
            EXPECT_NE(GetCapture(), w);
            b.setVisible(true);
        } else if (i == 1) {
            EnableWindow(w, FALSE);
            EXPECT_NE(GetCapture(), w);
            EnableWindow(w, TRUE);
        } else {
            form->Unload();
            EXPECT_EQ(GetCapture(), nullptr);
        }
    }
}

} // namespace
