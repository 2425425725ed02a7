#pragma once

#include "platform/core/variant.h"
#include "support/event_log.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/tool_bar/mc_tool_bar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <windows.h>

namespace toolbartest {

class BarForm : public forms::Form {
public:
    BarForm() {
        setName(L"BarForm");
        setCaption(L"tool bar");
        setClientSize(9000, 4500);
    }
};

// The main window's bar as its form stores it (without the icons).
inline forms::PropertyBag applicationBag() {
    forms::PropertyBag bag{{L"BackColor", core::Variant::colour(0xE0E0E0)},
                           {L"BorderStyle", int16_t{1}},
                           {L"Button_Count", 5L},
                           {L"ButtonsWidth", 124L},
                           {L"ButtonsHeight", 82L},
                           {L"ButtonsPerRow", 5L},
                           {L"HoverColor", core::Variant::colour(0xF0E0E0)},
                           {L"TooTipStyle", 0L},
                           {L"BackGradient", 3L},
                           {L"ButtonsMode", 4L},
                           {L"ButtonsSeperatorWidth", 15L},
                           {L"ShowSeperator", false},
                           {L"ButtonsBackColor", core::Variant::colour(0xE1F2F2)},
                           {L"Font", core::Variant(forms::StdFont::create(L"Tahoma", 8.25f, true))}};
    for (int i = 1; i <= 5; ++i) {
        bag.WriteProperty(L"ButtonToolTipIcon" + std::to_wstring(i), 1L, 0L);
        bag.WriteProperty(L"ButtonIconAllignment" + std::to_wstring(i), 0L, 4L);
    }
    return bag;
}

// A form with tool bars loaded from bags at run time, and a log of their events. The form is
// loaded and shown without activation. A move or a press sent as a message puts the pointer over its
// window, as far as the bar can tell, while the real one stays in its corner; a test of real input
// takes the real pointer (useRealPointer).
class ToolBarTest : public ::testing::Test {
protected:
    static inline std::shared_ptr<BarForm> form;
    static inline HWND pointerOver = nullptr;
    std::shared_ptr<widgets::McToolBar> bar;
    testsupport::EventLog events;
    forms::CursorSource realPointer_;

    static void SetUpTestSuite() {
        form = std::make_shared<BarForm>();
        form->load();
    }
    static void TearDownTestSuite() {
        form->Unload();
        form.reset();
    }
    static POINT anywhere() { return {0, 0}; }
    static HWND windowUnderPointer(POINT) { return pointerOver; }
    void SetUp() override {
        pointerOver = nullptr;
        realPointer_ = forms::setCursorSource({&anywhere, &windowUnderPointer});
    }
    void TearDown() override {
        bar.reset();
        forms::setCursorSource(realPointer_);
    }
    static void useRealPointer() { forms::setCursorSource({}); }

    // Width and height in pixels; the bar sets its own height.
    std::shared_ptr<widgets::McToolBar> load(forms::PropertyBag bag, int width = 400, int left = 10,
                                             int top = 10) {
        auto b = forms::makeControl<widgets::McToolBar>();
        b->place(*form, L"mct", -1, left * 15, top * 15, width * 15, 600);
        b->readStored(bag);
        watch(*b);
        forms::DoEvents();
        return b;
    }

    void watch(widgets::McToolBar& b) {
        b.MouseEnter.handle(events.recorder(L"MouseEnter"));
        b.MouseLeave.handle(events.recorder(L"MouseLeave"));
        b.Hover.handle([this](long i) { events.add(L"Hover " + std::to_wstring(i)); });
        b.Click.handle([this](long i) { events.add(L"Click " + std::to_wstring(i)); });
        b.DblClick.handle([this](long i) { events.add(L"DblClick " + std::to_wstring(i)); });
        b.MouseDown.handle([this](long i, int16_t& button, int16_t&, float&, float&) {
            events.add(L"MouseDown " + std::to_wstring(i) + L" " + std::to_wstring(button));
        });
        b.MouseUp.handle([this](long i, int16_t& button, int16_t&, float&, float&) {
            events.add(L"MouseUp " + std::to_wstring(i) + L" " + std::to_wstring(button));
        });
        b.MouseMove.handle([this](long i, int16_t& button, int16_t&, float&, float&) {
            events.add(L"MouseMove " + std::to_wstring(i) + L" " + std::to_wstring(button));
        });
    }

    static void send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendMessageW(window, msg, wParam, lParam);
    }
    static void pointerMessage(HWND window, UINT msg, WPARAM wParam, int x, int y) {
        pointerOver = window;
        send(window, msg, wParam, MAKELPARAM(x, y));
    }
    void moveOnBar(int x, int y) { pointerMessage(bar->picMain()->hWnd(), WM_MOUSEMOVE, 0, x, y); }
    void moveOnDropDown(int x, int y) { pointerMessage(bar->picChevron()->hWnd(), WM_MOUSEMOVE, 0, x, y); }
    void clickOn(HWND window, int x, int y) {
        pointerMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        send(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    uint32_t barPixel(int x, int y) {
        GdiFlush();
        return bar->picMain()->surface().pixel(x, y);
    }
    std::wstring log() const { return events.text(); }
};

} // namespace toolbartest
