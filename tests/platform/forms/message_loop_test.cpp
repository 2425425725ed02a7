// The program's message loop, nested loops and controls inside controls.
#include "forms_test_support.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/surface.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

class Hidden : public PlainForm {
public:
    Hidden() {
        setBorderStyle(0);
        setNoActivate(true);
    }
};

TEST(FormsMessageLoop, ProgramRunsUntilItsLastFormIsUnloaded) {
    auto start = std::make_shared<Hidden>();
    start->load();
    auto second = std::make_shared<Hidden>();
    second->load();
    PostMessageW(start->hWnd(), WM_CLOSE, 0, 0);
    PostMessageW(second->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(MessageLoop::runProgram(*start), 0);
    EXPECT_FALSE(start->loaded());
    EXPECT_FALSE(second->loaded());
}

TEST(FormsMessageLoop, NestedLoopEndsOnQuitAndLeavesItForTheOuterLoop) {
    PostQuitMessage(7);
    int polls = 0;
    EXPECT_FALSE(MessageLoop::runUntil([&] { return ++polls > 1000; }));
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 7u);
    // DoEvents also leaves the quit request in place.
    PostQuitMessage(3);
    DoEvents();
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 3u);
}

TEST(FormsMessageLoop, ControlsWorkWhileTheirFormIsHidden) {
    auto form = std::make_shared<Hidden>();
    form->load();
    auto rec = placeControl<Recorder>(*form, L"r", 0, 0, 600, 450);
    EXPECT_EQ(joined(rec->log), L"Initialize InitProperties Resize");
    rec->setWidth(900);
    EXPECT_EQ(rec->log.back(), L"Resize");
    rec->surface().setBackColor(0x123456);
    GdiFlush();
    EXPECT_EQ(rec->surface().widthPixels(), 60);
    EXPECT_EQ(rec->surface().pixel(59, 29), 0x123456u);
    rec->log.clear();
    form->Show();
    form->Hide();
    rec->setVisible(false);
    form->Show();
    rec->setVisible(true);
    EXPECT_EQ(joined(rec->log), L"Show Hide Show");
    // A control placed at run time ends with its form, even while someone still holds it.
    form->Unload();
    EXPECT_EQ(rec->log.back(), L"Terminate");
    EXPECT_FALSE(rec->loaded());
    EXPECT_EQ(rec->Container(), nullptr);
    form.reset();
    rec.reset();
}

TEST(FormsMessageLoop, InnerControlsEndWithTheirOuterControlWhileTheirWindowsExist) {
    struct Outer : Recorder {
        std::shared_ptr<Recorder> inner;
        std::vector<std::wstring>* order = nullptr;
        void UserControl_Initialize() override {
            Recorder::UserControl_Initialize();
            inner = placeControl<Recorder>(*this, L"inner", 0, 0, 20, 20);
        }
        void UserControl_Terminate() override {
            order->push_back(L"outer" + std::wstring(IsWindow(inner->hWnd()) ? L"+" : L"-"));
        }
    };
    std::vector<std::wstring> order;
    auto form = std::make_shared<Hidden>();
    form->load();
    auto outer = makeControl<Outer>();
    outer->order = &order;
    outer->place(*form, L"outer", -1, 0, 0, 900, 900);
    outer->initNew();
    Recorder& inner = *outer->inner;
    EXPECT_EQ(GetParent(inner.hWnd()), outer->hWnd());
    EXPECT_EQ(inner.Container(), outer.get());
    EXPECT_EQ(inner.Parent(), form.get());
    auto all = form->allControls();
    EXPECT_EQ(all.size(), 2u);
    outer->unload();
    EXPECT_EQ(joined(order), L"outer+");
    EXPECT_THROW(outer->place(*form, L"again", -1, 0, 0, 900, 900), core::RuntimeError); // no second life
    EXPECT_EQ(inner.log.back(), L"Terminate");
    EXPECT_FALSE(inner.loaded());
    EXPECT_TRUE(form->allControls().empty());
    outer.reset();
    form->Unload();
}

TEST(FormsMessageLoop, TextBoxKeysCanBeChangedOrSwallowedAndSelectionWorks) {
    auto form = std::make_shared<Hidden>();
    form->Show();
    auto box = placeControl<TextBox>(*form, L"t", 0, 0, 3000, 300);
    box->setText(L"sözlük");
    int changes = 0;
    box->Change.handle([&] { ++changes; });
    box->KeyDown.handle([](int& key, int) {
        if (key == VK_DELETE) key = 0;
    });
    box->setSelStart(0);
    SendMessageW(box->editWindow(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(box->Text(), L"sözlük");
    box->KeyDown.clear();
    SendMessageW(box->editWindow(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(box->Text(), L"özlük");
    EXPECT_EQ(changes, 1);
    box->setSelStart(1);
    box->setSelLength(3);
    EXPECT_EQ(box->SelText(), L"zlü");
    box->setSelText(L"Z");
    EXPECT_EQ(box->Text(), L"öZk");
    EXPECT_EQ(changes, 2);
    box->setMaxLength(4);
    box->setSelStart(3);
    SendMessageW(box->editWindow(), WM_CHAR, L'a', 1);
    SendMessageW(box->editWindow(), WM_CHAR, L'b', 1);
    EXPECT_EQ(box->Text(), L"öZka");
    box->setLocked(true);
    SendMessageW(box->editWindow(), WM_CHAR, L'c', 1);
    EXPECT_EQ(box->Text(), L"öZka");
    EXPECT_EQ(changes, 3);
    EXPECT_THROW(box->setMultiLine(true), core::RuntimeError);
    // Enter in a one-line box goes nowhere (and does not beep into the text).
    box->setLocked(false);
    SendMessageW(box->editWindow(), WM_CHAR, 13, 1);
    EXPECT_EQ(box->Text(), L"öZka");
    box.reset();
    form->Unload();
}

} // namespace
