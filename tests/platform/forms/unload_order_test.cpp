// Forms and controls that go away in the middle of their own events: a modal form closed from a
// control's Click, a form closed while a handler runs DoEvents, a timer that unloads its form, and a
// form object shown again after it was unloaded.
#include "forms_test_support.h"

#include "platform/forms/controls/timer.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

class Dialog : public Form {
public:
    static inline int destroyed = 0;
    int loads = 0;
    Dialog() {
        setName(L"Dialog");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(2000, 1500);
    }
    ~Dialog() override { ++destroyed; }
    Recorder& rec() { return control<Recorder>(L"rec"); }

protected:
    Layout layout() const override {
        return {
            {.type = L"UnloadRecorder", .name = L"rec", .left = 0, .top = 0, .width = 900, .height = 600}};
    }
    void Form_Load() override { ++loads; }
};

void registerTypes() {
    if (!ControlTypes::known(L"UnloadRecorder")) registerControlType<Recorder>(L"UnloadRecorder");
}

void postClick(HWND w) {
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
    PostMessageW(w, WM_LBUTTONUP, 0, at(3, 3));
}

// Handles what is waiting for about the given time, so timers get their turn.
void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        DoEvents();
    }
}

TEST(FormsUnloadOrder, ModalFormUnloadedInItsControlsClickReturnsAndCanBeShownAgain) {
    registerTypes();
    auto owner = std::make_shared<PlainForm>();
    owner->setNoActivate(true);
    owner->Show();
    auto dialog = std::make_shared<Dialog>();
    dialog->load();
    std::weak_ptr<UserControl> weak = dialog->Controls()[0];
    HWND controlWindow = dialog->rec().hWnd();
    bool ownerDisabled = false;
    dialog->rec().Click.handle([&] {
        ownerDisabled = !IsWindowEnabled(owner->hWnd());
        dialog->Unload();
    });
    dialog->rec().onClick = [] { ADD_FAILURE() << "the control went on after its form unloaded"; };
    postClick(controlWindow);
    dialog->Show(1);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_FALSE(dialog->loaded());
    EXPECT_FALSE(IsWindow(controlWindow));
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(IsWindowEnabled(owner->hWnd()));

    // The same object loads afresh and is modal again: its new life is not the one that ended.
    auto timer = placeControl<Timer>(*owner, L"t", 0, 0, 0, 0);
    int ticks = 0;
    timer->Tick.handle([&] {
        ++ticks;
        if (dialog->loaded()) dialog->Unload();
    });
    timer->setInterval(15);
    auto watchBefore = dialog->watch();
    dialog->Show(1);
    EXPECT_EQ(dialog->loads, 2);
    EXPECT_GE(ticks, 1);
    EXPECT_FALSE(dialog->loaded());
    EXPECT_FALSE(watchBefore.alive());
    timer->setEnabled(false);
    timer.reset();
    owner->Unload();
}

TEST(FormsUnloadOrder, FormClosedWhileAHandlerRunsDoEventsOutlivesTheHandler) {
    registerTypes();
    Dialog::destroyed = 0;
    Dialog& form = instance<Dialog>();
    form.Show();
    HWND formWindow = form.hWnd();
    bool aliveAfter = true, loadedAfter = true;
    int destroyedInHandler = -1;
    form.rec().Click.handle([&] {
        auto watch = form.watch();
        PostMessageW(formWindow, WM_CLOSE, 0, 0);
        DoEvents();
        aliveAfter = watch.alive();
        destroyedInHandler = Dialog::destroyed;
        if (watch.alive()) return;
        // Still there to be asked, though unloaded.
        loadedAfter = form.loaded();
    });
    HWND w = form.rec().hWnd();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
    SendMessageW(w, WM_LBUTTONUP, 0, at(3, 3));
    EXPECT_FALSE(aliveAfter);
    EXPECT_EQ(destroyedInHandler, 0);
    EXPECT_FALSE(loadedAfter);
    EXPECT_FALSE(isLoaded<Dialog>());
    EXPECT_FALSE(IsWindow(formWindow));
    // Released with the next message handled at the outermost level.
    PostMessageW(nullptr, WM_NULL, 0, 0);
    DoEvents();
    EXPECT_EQ(Dialog::destroyed, 1);
}

TEST(FormsUnloadOrder, TimerThatUnloadsItsFormFiresNoMore) {
    registerTypes();
    auto form = std::make_shared<Dialog>();
    form->Show();
    auto timer = placeControl<Timer>(*form, L"t", 0, 0, 0, 0);
    std::weak_ptr<Timer> weak = timer;
    int ticks = 0;
    timer->Tick.handle([&] {
        ++ticks;
        timer.reset(); // the form's unload is now the timer's end
        form->Unload();
    });
    timer->setInterval(10);
    pumpFor(120);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(form->loaded());
    EXPECT_TRUE(weak.expired());
}

TEST(FormsUnloadOrder, FormObjectThatSimplyGoesEndsEveryControlWhileItsWindowExists) {
    registerTypes();
    auto form = std::make_shared<Dialog>();
    form->load();
    auto placed = placeControl<Recorder>(*form, L"placed", 0, 0, 60, 60);
    std::shared_ptr<UserControl> fromLayout = form->Controls()[0];
    form.reset();
    EXPECT_EQ(placed->log.back(), L"Terminate");
    EXPECT_EQ(static_cast<Recorder&>(*fromLayout).log.back(), L"Terminate");
    EXPECT_EQ(placed->Container(), nullptr);
    EXPECT_FALSE(placed->loaded());
}

} // namespace
