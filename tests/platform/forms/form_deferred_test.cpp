// What a form leaves until after its first paint: the controls its layout marks afterFirstPaint and
// the work handed to afterFirstPaint. Whoever asks for such a control, and any key or button, finds
// it made, in its place in the layout and with its stored values.
#include "forms_test_support.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

void registerLaterRecorder() {
    ControlTypes::add(L"LaterRecorder",
                      [] { return std::static_pointer_cast<UserControl>(makeControl<Recorder>()); });
}

class LaterForm : public Form {
public:
    LaterForm() {
        setName(L"LaterForm");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(3000, 2000);
    }

protected:
    Layout layout() const override {
        auto later = [](const wchar_t* name, const wchar_t* tag) {
            return LayoutEntry{.type = L"LaterRecorder",
                               .name = name,
                               .width = 300,
                               .height = 300,
                               .visible = false,
                               .tag = tag,
                               .afterFirstPaint = true};
        };
        return {
            {.type = L"LaterRecorder", .name = L"a", .width = 600, .height = 600},
            later(L"b", L"bee"),
            {.type = L"LaterRecorder", .name = L"c", .left = 900, .width = 600, .height = 600},
            later(L"d", L"dee"),
        };
    }
};

std::wstring names(const Form& form) {
    std::wstring s;
    for (const auto& c : form.Controls()) s += c->Name();
    return s;
}

// Lets the form paint and its timers run.
void settle(Form& form) {
    for (int i = 0; i < 100 && form.hasDeferred(); ++i) {
        DoEvents();
        Sleep(5);
    }
}

TEST(FormsDeferred, LaterControlsWaitForThePaintAndTakeTheirPlaceInTheLayout) {
    registerLaterRecorder();
    auto form = std::make_shared<LaterForm>();
    form->load();
    EXPECT_EQ(names(*form), L"ac");
    EXPECT_TRUE(form->hasDeferred());

    // Asked for before the paint: made at once, alone, in its place, with its values.
    auto& d = form->control<Recorder>(L"d");
    EXPECT_EQ(names(*form), L"acd");
    EXPECT_EQ(joined(d.log), L"Initialize ReadProperties Resize");
    EXPECT_EQ(d.Tag(), L"dee");
    EXPECT_FALSE(IsWindowVisible(d.hWnd()));

    bool ran = false;
    form->afterFirstPaint([&] { ran = true; });
    form->Show();
    settle(*form);
    EXPECT_EQ(names(*form), L"abcd");
    EXPECT_EQ(form->control<Recorder>(L"b").Tag(), L"bee");
    EXPECT_TRUE(ran);
    // Once painted, later work is done at once.
    bool now = false;
    form->afterFirstPaint([&] { now = true; });
    EXPECT_TRUE(now);
    form->Unload();

    // Work handed to a form shown with nothing waiting, before its paint, is done after it.
    auto plain = std::make_shared<PlainForm>();
    plain->setNoActivate(true);
    plain->Show();
    bool afterShow = false;
    plain->afterFirstPaint([&] { afterShow = true; });
    settle(*plain);
    EXPECT_TRUE(afterShow);
    plain->Unload();

    // A form unloaded first drops what waited.
    auto gone = std::make_shared<LaterForm>();
    gone->load();
    bool dropped = true;
    gone->afterFirstPaint([&] { dropped = false; });
    gone->Unload();
    EXPECT_TRUE(dropped);
    EXPECT_EQ(gone->findControl(L"b"), nullptr);
}

TEST(FormsDeferred, AKeyOrAButtonFinishesWhatWaitsBeforeItIsHandled) {
    registerLaterRecorder();
    struct Case {
        UINT message;
        bool finishes;
    };
    const Case cases[] = {{WM_KEYDOWN, true},    {WM_CHAR, true},         {WM_LBUTTONDOWN, true},
                          {WM_RBUTTONUP, true},  {WM_MOUSEWHEEL, true},   {WM_NCLBUTTONDOWN, true},
                          {WM_MOUSEMOVE, false}, {WM_NCMOUSEMOVE, false}, {WM_NULL, false}};
    for (const Case& c : cases) {
        auto form = std::make_shared<LaterForm>();
        form->load();
        bool ran = false;
        form->afterFirstPaint([&] { ran = true; });
        MSG msg{form->control<Recorder>(L"a").hWnd(), c.message, 0, 0};
        MessageLoop::process(msg);
        EXPECT_EQ(ran, c.finishes) << c.message;
        EXPECT_EQ(names(*form), c.finishes ? L"abcd" : L"ac") << c.message;
        form->Unload();
    }
}

} // namespace
