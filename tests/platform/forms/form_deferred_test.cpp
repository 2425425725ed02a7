// What a form leaves until after its first paint: the controls its layout marks afterFirstPaint and
// the work handed to afterFirstPaint. They wait for the form's one step after the paint, unless code
// makes a control sooner (ensureControl) or a key or a button reaches a form; a look-up finds only
// what is made. The layout says what may wait, and a control that cannot be made is reported.
#include "forms_test_support.h"

#include "platform/core/start_trace.h"
#include "platform/forms/msgbox.h"
#include "support/errors.h"
#include "support/log_watch.h"
#include "support/settle.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace forms;
using namespace formstest;
using testsupport::errorOf;
using testsupport::settle;

namespace {

// A recorder that cannot take the focus, as a control that waits for the paint must be.
class QuietRecorder : public Recorder {
public:
    QuietRecorder() { setCanGetFocus(false); }
};

// One whose stored values are refused, so it cannot be made.
class BrokenRecorder : public QuietRecorder {
protected:
    void UserControl_ReadProperties(PropertyBag&) override {
        throw core::RuntimeError(core::err::InvalidPicture, L"no picture");
    }
};

template <class T>
void addType(const wchar_t* type) {
    ControlTypes::add(type, [] { return std::static_pointer_cast<UserControl>(makeControl<T>()); });
}

// One that cannot take the focus until its stored values have set it up.
class FocusOnceReadRecorder : public QuietRecorder {
protected:
    void UserControl_ReadProperties(PropertyBag&) override { setCanGetFocus(true); }
};

void registerTypes() {
    addType<QuietRecorder>(L"LaterRecorder");
    addType<Recorder>(L"FocusRecorder");
    addType<BrokenRecorder>(L"BrokenRecorder");
    addType<FocusOnceReadRecorder>(L"FocusOnceReadRecorder");
}

LayoutEntry made(const wchar_t* name, int left) {
    return {.type = L"LaterRecorder", .name = name, .left = left, .width = 600, .height = 600};
}

LayoutEntry waiting(const wchar_t* name, const wchar_t* tag, const wchar_t* type = L"LaterRecorder") {
    return {.type = type,
            .name = name,
            .width = 300,
            .height = 300,
            .visible = false,
            .tabStop = false,
            .tag = tag,
            .afterFirstPaint = true};
}

std::wstring names(const Form& form) {
    std::wstring s;
    for (const auto& c : form.Controls()) s += c->Name();
    return s;
}

// "a" and "c" made at load, "b" and "d" waiting, unless a test gives another layout. Notes what the
// form's first paint found made.
class LaterForm : public Form {
public:
    explicit LaterForm(Layout table = {made(L"a", 0), waiting(L"b", L"bee"), made(L"c", 900),
                                       waiting(L"d", L"dee")})
        : table_(std::move(table)) {
        setName(L"LaterForm");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(3000, 2000);
    }
    std::vector<std::wstring> steps;

protected:
    Layout layout() const override { return table_; }
    void windowMessage(core::MessageFrame& m) override {
        if (m.msg == WM_PAINT && !firstPaintDone()) steps.push_back(L"paint:" + names(*this));
    }

private:
    Layout table_;
};

MSG keyFor(Form& form) {
    return MSG{form.findControl(L"a")->hWnd(), WM_KEYDOWN, 'K', 0};
}

TEST(FormsDeferred, ALookUpFindsWhatIsMadeAndTheMakerMakesAWaitingControlInItsPlace) {
    registerTypes();
    auto form = std::make_shared<LaterForm>();
    form->load();
    EXPECT_TRUE(form->hasDeferred());
    EXPECT_EQ(form->findControl(L"d"), nullptr);
    EXPECT_EQ(names(*form), L"ac");

    // Asked for before the paint: made at once, alone, in its place, with its values.
    auto& d = form->control<Recorder>(L"d");
    EXPECT_EQ(names(*form), L"acd");
    EXPECT_EQ(form->findControl(L"d"), &d);
    EXPECT_EQ(form->ensureControl(L"d"), &d);
    EXPECT_EQ(form->ensureControl(L"z"), nullptr);
    EXPECT_EQ(joined(d.log), L"Initialize ReadProperties Resize");
    EXPECT_EQ(d.Tag(), L"dee");
    EXPECT_FALSE(IsWindowVisible(d.hWnd()));

    // The saved layout is the whole layout: what still waits is made first and keeps its mark.
    std::wstring saved;
    for (const auto& e : form->saveLayout()) saved += e.name + (e.afterFirstPaint ? L"*" : L"");
    EXPECT_EQ(saved, L"ab*cd*");
    EXPECT_EQ(names(*form), L"abcd");
    form->Unload();

    // A form unloaded first drops what waited.
    auto gone = std::make_shared<LaterForm>();
    gone->load();
    bool dropped = true;
    gone->afterFirstPaint([&] { dropped = false; });
    gone->Unload();
    EXPECT_TRUE(dropped);
    EXPECT_EQ(gone->ensureControl(L"b"), nullptr);
}

TEST(FormsDeferred, AfterThePaintTheWaitingControlsAreMadeInLayoutOrderThenTheWorkIsDone) {
    registerTypes();
    auto form = std::make_shared<LaterForm>();
    form->load();
    form->afterFirstPaint([&] { form->steps.push_back(L"first:" + names(*form)); });
    form->afterFirstPaint([&] { form->steps.push_back(L"second"); });
    form->Show();
    settle(*form);
    EXPECT_TRUE(form->firstPaintDone());
    EXPECT_EQ(joined(form->steps), L"paint:ac first:abcd second");
    // Once that step is over, work is done at once.
    form->afterFirstPaint([&] { form->steps.push_back(L"now"); });
    EXPECT_EQ(form->steps.back(), L"now");
    form->Unload();

    // Work handed to a form shown with nothing waiting, before its paint, is done after it.
    auto plain = std::make_shared<PlainForm>();
    plain->setNoActivate(true);
    plain->Show();
    bool afterShow = false;
    plain->afterFirstPaint([&] { afterShow = true; });
    EXPECT_FALSE(afterShow);
    settle(*plain);
    EXPECT_TRUE(afterShow);
    plain->Unload();
}

TEST(FormsDeferred, AKeyOrAButtonFinishesWhatWaitsBeforeItIsHandled) {
    registerTypes();
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
        // Done early is not painted.
        EXPECT_FALSE(form->firstPaintDone()) << c.message;
        form->Unload();
    }
}

TEST(FormsDeferred, AnEntryTheKeyboardOrAnotherEntryNeedsMayNotWait) {
    registerTypes();
    struct Case {
        std::function<void(Layout&)> change;
        const wchar_t* error;
    };
    const Case cases[] = {
        {[](Layout& l) { l[1].tabStop = true; },
         L"The control b cannot wait for the first paint: it is a tab stop"},
        {[](Layout& l) { l[3].isDefault = true; },
         L"The control d cannot wait for the first paint: it is the default button"},
        {[](Layout& l) { l[3].isCancel = true; },
         L"The control d cannot wait for the first paint: it is the cancel button"},
        {[](Layout& l) { l.push_back({.type = L"LaterRecorder", .name = L"e", .container = L"b"}); },
         L"The control b cannot wait for the first paint: it holds e"},
    };
    for (const Case& c : cases) {
        Layout table = {made(L"a", 0), waiting(L"b", L"bee"), made(L"c", 900), waiting(L"d", L"dee")};
        c.change(table);
        auto form = std::make_shared<LaterForm>(table);
        std::wstring text;
        EXPECT_EQ(errorOf([&] { form->load(); }, &text), core::err::InvalidPropertyValue) << c.error;
        EXPECT_EQ(text, c.error);
        EXPECT_FALSE(form->loaded());
        EXPECT_TRUE(form->Controls().empty());
    }

    // Whether a control can take the focus is known once it is made and has read its stored values:
    // it is refused then, by name.
    for (const wchar_t* type : {L"FocusRecorder", L"FocusOnceReadRecorder"}) {
        auto form = std::make_shared<LaterForm>(Layout{made(L"a", 0), waiting(L"f", L"", type)});
        form->load();
        std::wstring text;
        EXPECT_EQ(errorOf([&] { form->ensureControl(L"f"); }, &text), core::err::InvalidPropertyValue);
        EXPECT_EQ(
            text,
            L"The control f could not be made: it can take the focus, so it cannot wait for the first paint");
        EXPECT_EQ(names(*form), L"a");
        form->Unload();
    }
}

TEST(FormsDeferred, AControlThatCannotBeMadeIsReportedByNameAndTheKeyStillArrives) {
    registerTypes();
    std::wstring alert;
    auto old = setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
        alert = prompt;
        return mb::OK;
    });
    auto form =
        std::make_shared<LaterForm>(Layout{made(L"a", 0), waiting(L"x", L"", L"BrokenRecorder"),
                                           waiting(L"y", L"", L"BrokenRecorder"), waiting(L"d", L"")});
    form->load();
    // Code that asks for one hears the error, named.
    std::wstring text;
    EXPECT_EQ(errorOf([&] { form->control<Recorder>(L"y"); }, &text), core::err::InvalidPicture);
    EXPECT_EQ(text, L"The control y could not be made: no picture");
    {
        testsupport::ExpectedLog expected;
        MSG key = keyFor(*form);
        MessageLoop::process(key);
        EXPECT_EQ(expected.entries().size(), 1u);
        EXPECT_TRUE(expected.contains(L"The control x could not be made: no picture"));
    }
    EXPECT_NE(alert.find(L"'481'"), std::wstring::npos);
    EXPECT_NE(alert.find(L"The control x could not be made: no picture"), std::wstring::npos);
    // The rest is made, the key arrives, and what failed is not tried again.
    EXPECT_EQ(names(*form), L"ad");
    const auto& log = form->control<Recorder>(L"a").log;
    EXPECT_NE(std::find(log.begin(), log.end(), L"KeyDown75"), log.end());
    EXPECT_FALSE(form->hasDeferred());
    EXPECT_EQ(errorOf([&] { form->control<Recorder>(L"x"); }), core::err::SubscriptOutOfRange);
    form->Unload();
    setMsgBoxHandler(old);
}

// What the start-up trace (bench/startup) holds: a line per step, its time and its name.
std::string traceOf(const std::wstring& file) {
    std::string text(1 << 16, '\0');
    FILE* f = _wfopen(file.c_str(), L"rb");
    text.resize(f ? std::fread(text.data(), 1, text.size(), f) : 0);
    if (f) std::fclose(f);
    return text;
}

TEST(FormsDeferred, TheStartTraceMarksTheProgramsFirstPaintOnce) {
    testsupport::TempFolder folder;
    const std::wstring file = folder.file(L"start.trace");
    SetEnvironmentVariableW(L"VEXA_START_TRACE", file.c_str());
    core::startTrace::mark(L"probe");
    if (traceOf(file).empty())
        GTEST_SKIP() << "the trace was opened before this test: it needs a program of its own";
    registerTypes();
    auto first = std::make_shared<LaterForm>(), second = std::make_shared<LaterForm>();
    first->load();
    MSG key = keyFor(*first);
    MessageLoop::process(key);
    EXPECT_EQ(traceOf(file).find(" painted\n"), std::string::npos); // done early, but not painted
    first->Show();
    settle(*first);
    second->Show();
    settle(*second);
    const std::string trace = traceOf(file);
    const size_t painted = trace.find(" painted\n");
    ASSERT_NE(painted, std::string::npos);
    EXPECT_LT(trace.find(" shown\n"), painted);
    EXPECT_EQ(trace.find(" painted\n", painted + 1), std::string::npos); // the first form's only
    first->Unload();
    second->Unload();
}

} // namespace
