// Forms and controls through their life: loading from a layout, events held back while loading,
// unloading inside an event, modal forms, showing a form again, global instances and errors inside
// handlers.
#include "forms_test_support.h"

#include "platform/core/message_frame.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/app.h"
#include "platform/forms/controls/command_button.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/msgbox.h"
#include "support/log_watch.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

int g_heldBackClicks = 0;

// A recorder whose host handler is attached as soon as it exists, as a static binding would be.
void registerBoundRecorder() {
    ControlTypes::add(L"BoundRecorder", [] {
        auto r = makeControl<Recorder>();
        r->Click.handle([] { ++g_heldBackClicks; });
        return std::static_pointer_cast<UserControl>(r);
    });
}

class LifeForm : public Form {
public:
    int loads = 0;
    std::vector<std::wstring> log;
    LifeForm() {
        setName(L"LifeForm");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(3000, 2000);
    }
    Recorder& rec() { return control<Recorder>(L"rec"); }

protected:
    Layout layout() const override {
        return {
            {.type = L"BoundRecorder", .name = L"rec", .left = 150, .top = 150, .width = 1500, .height = 600},
            {.type = L"CommandButton",
             .name = L"ok",
             .left = 150,
             .top = 900,
             .width = 1200,
             .height = 400,
             .properties = {{L"Caption", L"&OK"}}},
        };
    }
    void Form_Load() override {
        ++loads;
        log.push_back(L"Load");
    }
    void Form_QueryUnload(int&, int mode) override { log.push_back(L"QueryUnload" + std::to_wstring(mode)); }
    void Form_Unload(int&) override { log.push_back(L"Unload"); }
};

TEST(FormsLife, ControlsLoadInOrderAndEventsWaitUntilTheFormHasLoaded) {
    registerBoundRecorder();
    g_heldBackClicks = 0;
    auto form = std::make_shared<LifeForm>();
    form->load();
    Recorder& rec = form->rec();
    // ReadProperties raised Click while the form was loading: not delivered.
    EXPECT_EQ(g_heldBackClicks, 0);
    EXPECT_EQ(joined(rec.log), L"Initialize ReadProperties Resize");
    form->Show();
    EXPECT_EQ(joined(rec.log), L"Initialize ReadProperties Resize Show");
    SendMessageW(rec.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    SendMessageW(rec.hWnd(), WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_EQ(g_heldBackClicks, 1);
    auto keep = form->Controls()[0];
    form->Unload();
    EXPECT_EQ(rec.log.back(), L"Terminate"); // with its window still there
    EXPECT_FALSE(form->loaded());
    EXPECT_EQ(joined(form->log), L"Load QueryUnload1 Unload");
}

TEST(FormsLife, UnloadingTheFormInsideAControlsClickIsSafe) {
    registerBoundRecorder();
    auto form = std::make_shared<LifeForm>();
    form->Show();
    Recorder& rec = form->rec();
    std::weak_ptr<UserControl> weak = form->Controls()[0];
    rec.onClick = [] { ADD_FAILURE() << "the control went on after its form unloaded"; };
    rec.Click.handle([&] { form->Unload(); });
    HWND w = rec.hWnd();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    SendMessageW(w, WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(weak.expired());

    // The same through a system button's notification.
    auto again = std::make_shared<LifeForm>();
    again->Show();
    auto& ok = again->control<CommandButton>(L"ok");
    int clicks = 0;
    ok.Click.handle([&] {
        ++clicks;
        again->Unload();
    });
    SendMessageW(ok.buttonWindow(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(again->loaded());
}

TEST(FormsLife, QueryUnloadOrUnloadCanCancel) {
    registerBoundRecorder();
    struct Stubborn : LifeForm {
        int refuse = 2;
        void Form_Unload(int& cancel) override { cancel = refuse-- > 0 ? 1 : 0; }
    };
    auto form = std::make_shared<Stubborn>();
    form->load();
    EXPECT_FALSE(form->Unload());
    EXPECT_TRUE(form->loaded());
    // Closing the window asks the same way, with its own mode.
    SendMessageW(form->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form->loaded());
    EXPECT_TRUE(form->Unload());
    EXPECT_FALSE(form->loaded());
    EXPECT_TRUE(form->Unload()); // not loaded: nothing happens
    EXPECT_EQ(joined(form->log), L"Load QueryUnload1 QueryUnload0 QueryUnload1");
}

class GlobalForm : public LifeForm {
public:
    static inline int made = 0;
    GlobalForm() { ++made; }
};

TEST(FormsLife, GlobalInstanceLoadsOnFirstUseAndAfreshAfterUnload) {
    registerBoundRecorder();
    GlobalForm::made = 0;
    EXPECT_FALSE(isLoaded<GlobalForm>());
    EXPECT_TRUE(unload<GlobalForm>()); // nothing loaded: nothing happens
    GlobalForm& first = instance<GlobalForm>();
    EXPECT_EQ(&first, &instance<GlobalForm>());
    EXPECT_EQ(first.loads, 1);
    first.rec().setTag(L"old");
    EXPECT_EQ(Forms::loaded().size(), 1u);
    EXPECT_TRUE(unload<GlobalForm>());
    EXPECT_FALSE(isLoaded<GlobalForm>());
    GlobalForm& second = instance<GlobalForm>();
    EXPECT_EQ(second.loads, 1);
    EXPECT_EQ(second.rec().Tag(), L"");
    EXPECT_EQ(GlobalForm::made, 2);
    EXPECT_TRUE(Forms::unloadAll());
    EXPECT_FALSE(isLoaded<GlobalForm>());
    EXPECT_TRUE(Forms::loaded().empty());
}

class GivesUp : public LifeForm {
public:
    static inline int terminated = 0;
    static inline bool pumpAfterUnload = false;
    ~GivesUp() override { ++terminated; }

protected:
    void Form_Load() override {
        LifeForm::Form_Load();
        Unload();
        if (pumpAfterUnload) {
            PostMessageW(nullptr, WM_NULL, 0, 0);
            DoEvents();
        }
    }
};

TEST(FormsLife, AFormUnloadingItselfInLoadOutlivesTheCallThatLoadedIt) {
    registerBoundRecorder();
    GivesUp::terminated = 0;
    GivesUp& f = instance<GivesUp>();
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(f.loads, 1); // still there to be asked
    EXPECT_EQ(GivesUp::terminated, 0);
    EXPECT_FALSE(isLoaded<GivesUp>());
    DoEvents(); // the next message lets it go
    PostMessageW(nullptr, WM_NULL, 0, 0);
    DoEvents();
    EXPECT_EQ(GivesUp::terminated, 1);

    // Messages handled inside its Load, after it unloaded itself, do not let it go either.
    GivesUp::pumpAfterUnload = true;
    GivesUp& g = instance<GivesUp>();
    GivesUp::pumpAfterUnload = false;
    EXPECT_EQ(GivesUp::terminated, 1);
    EXPECT_EQ(g.loads, 1);
    PostMessageW(nullptr, WM_NULL, 0, 0);
    DoEvents();
    EXPECT_EQ(GivesUp::terminated, 2);
}

TEST(FormsLife, ModalShowDisablesTheOtherFormsAndReturnsOnUnload) {
    registerBoundRecorder();
    auto owner = std::make_shared<LifeForm>();
    owner->Show();
    auto dialog = std::make_shared<LifeForm>();
    dialog->load();
    auto timer = placeControl<Timer>(*dialog, L"t", 0, 0, 0, 0);
    bool ownerWasEnabled = true;
    timer->Tick.handle([&] {
        ownerWasEnabled = IsWindowEnabled(owner->hWnd()) != FALSE;
        dialog->Unload();
    });
    timer->setInterval(20);
    const DWORD start = GetTickCount();
    dialog->Show(1);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_FALSE(dialog->loaded());
    EXPECT_FALSE(ownerWasEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner->hWnd()));
    timer.reset();
    owner->Unload();
}

TEST(FormsLife, AnErrorInAHandlerIsReportedAndTheProgramGoesOn) {
    registerBoundRecorder();
    std::wstring reported;
    auto old = setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
        reported = prompt;
        return mb::OK;
    });
    auto form = std::make_shared<LifeForm>();
    form->Show();
    Recorder& rec = form->rec();
    testsupport::ExpectedLog expected;
    rec.Click.handle([] { throw core::RuntimeError(380); });
    SendMessageW(rec.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    SendMessageW(rec.hWnd(), WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_NE(reported.find(L"380"), std::wstring::npos);
    EXPECT_NE(reported.find(L"Invalid property value"), std::wstring::npos);
    // Still working.
    EXPECT_EQ(GetCapture(), nullptr);
    rec.Click.clear();
    SendMessageW(rec.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    SendMessageW(rec.hWnd(), WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_EQ(std::count(rec.log.begin(), rec.log.end(), L"Click"), 2);
    EXPECT_EQ(expected.entries().size(), 1u);
    EXPECT_TRUE(expected.contains(L"380"));
    form->Unload();
    setMsgBoxHandler(old);
}

TEST(FormsLife, AFailingPaintIsReportedOnceAndNotAskedForAgain) {
    struct BadPainter : Recorder {
        int paints = 0;
        void windowMessage(core::MessageFrame& m) override {
            if (m.msg == WM_PAINT) {
                ++paints;
                throw core::RuntimeError(5);
            }
        }
    };
    auto form = std::make_shared<PlainForm>();
    form->setBorderStyle(0);
    form->setNoActivate(true);
    form->Show();
    testsupport::ExpectedLog expected;
    int boxes = 0;
    auto old = setMsgBoxHandler([&](const std::wstring&, int, const std::wstring&) {
        // A real message box runs a message loop while it is shown.
        if (++boxes < 4) DoEvents();
        return mb::OK;
    });
    auto bad = placeControl<BadPainter>(*form, L"bad", 0, 0, 600, 600);
    DoEvents();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(bad->paints, 1);
    EXPECT_FALSE(GetUpdateRect(bad->hWnd(), nullptr, FALSE));
    // Asked to paint again while its report is shown: reported on stderr only.
    boxes = 0;
    bad->paints = 0;
    auto again = setMsgBoxHandler([&](const std::wstring&, int, const std::wstring&) {
        ++boxes;
        InvalidateRect(bad->hWnd(), nullptr, FALSE);
        DoEvents();
        return mb::OK;
    });
    InvalidateRect(bad->hWnd(), nullptr, FALSE);
    DoEvents();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(bad->paints, 2);
    // Every failure is logged, also the one that is not shown.
    EXPECT_EQ(expected.entries().size(), 3u);
    setMsgBoxHandler(old);
    bad.reset();
    form->Unload();
}

// Show on a form that is shown behind another: it comes to the front and takes the activation, unless
// it is a NoActivate form, which only comes to the front.
TEST(FormsLife, ShowingAShownFormBringsItForward) {
    for (const bool noActivate : {false, true}) {
        auto a = std::make_shared<PlainForm>();
        auto b = std::make_shared<PlainForm>();
        a->setNoActivate(noActivate);
        a->Show();
        a->Move(1500, 1500, a->Width(), a->Height());
        b->Show();
        b->Move(2250, 2250, b->Width(), b->Height());
        DoEvents();
        RECT rect;
        GetWindowRect(a->hWnd(), &rect);
        const POINT both{rect.right - 10, rect.bottom - 10};
        auto topAtBoth = [&] { return GetAncestor(WindowFromPoint(both), GA_ROOT); };
        ASSERT_EQ(topAtBoth(), b->hWnd());
        ASSERT_EQ(GetForegroundWindow(), b->hWnd());

        a->Show();
        DoEvents();
        EXPECT_EQ(topAtBoth(), a->hWnd()) << noActivate;
        const HWND active = noActivate ? b->hWnd() : a->hWnd();
        EXPECT_EQ(GetForegroundWindow(), active) << noActivate;
        EXPECT_EQ(GetActiveWindow(), active) << noActivate;
        a->Unload();
        b->Unload();
    }
}

} // namespace
