#pragma once

#include "support/event_log.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/surface.h"
#include "platform/forms/user_control.h"
#include "widgets/list_box/mc_list_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace listtest {

class ListForm : public forms::Form {
public:
    ListForm() {
        setName(L"ListForm");
        setCaption(L"list");
        setClientSize(6000, 4500);
    }
};

// Key state the list box reads, set by the tests.
inline SHORT keys[256] = {};
inline SHORT WINAPI fakeKeyState(int key) {
    return keys[key & 0xFF];
}

// A form with one list box, 200 x 100 pixels, without a border, and a log of its events. The form
// is loaded but not shown: messages, painting and focus work the same. Tests of the real pointer
// show it.
class ListBoxTest : public ::testing::Test {
protected:
    static inline std::shared_ptr<ListForm> form;
    std::shared_ptr<widgets::McListBox> list;
    testsupport::EventLog events;

    static void SetUpTestSuite() {
        form = std::make_shared<ListForm>();
        form->load();
    }
    static void TearDownTestSuite() {
        form->Unload();
        form.reset();
    }

    void SetUp() override {
        std::fill(std::begin(keys), std::end(keys), SHORT{0});
        widgets::McListBox::setKeyStateSource(&fakeKeyState);
        SetFocus(nullptr);
        list = place(200, 100);
    }
    void TearDown() override {
        list.reset();
        widgets::McListBox::setKeyStateSource(nullptr);
    }

    std::shared_ptr<widgets::McListBox> place(int width, int height, int left = 10, int top = 10) {
        auto l = forms::placeControl<widgets::McListBox>(*form, L"list", left * 15, top * 15, width * 15,
                                                         height * 15);
        l->setBorderStyle(0);
        watch(*l);
        forms::DoEvents();
        return l;
    }

    void watch(widgets::McListBox& l) {
        l.SelChange.handle(events.recorder(L"SelChange"));
        l.MouseClick.handle(events.recorder(L"MouseClick"));
        l.DbClick.handle(events.recorder(L"DbClick"));
        l.MouseEnter.handle(events.recorder(L"MouseEnter"));
        l.MouseLeave.handle(events.recorder(L"MouseLeave"));
        l.MouseDown.handle([this](int16_t& b, int16_t& s, float& x, float& y) {
            events.add(L"MouseDown " + std::to_wstring(b) + L" " + std::to_wstring(s) + L" " +
                       std::to_wstring(static_cast<int>(x)) + L" " + std::to_wstring(static_cast<int>(y)));
        });
        l.MouseUp.handle(
            [this](int16_t& b, int16_t&, float&, float&) { events.add(L"MouseUp " + std::to_wstring(b)); });
    }

    void fill(long count, const std::wstring& prefix = L"item ") {
        for (long i = 0; i < count; ++i) list->AddItem(prefix + std::to_wstring(i));
        list->Refresh();
    }

    void send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendMessageW(list->hWnd(), msg, wParam, lParam);
    }
    void key(int vk) {
        send(WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
        send(WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
    }

    uint32_t pixel(int x, int y) {
        GdiFlush();
        return list->surface().pixel(x, y);
    }
    std::wstring log() const { return events.text(); }
};

} // namespace listtest
