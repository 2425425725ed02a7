#include "option_check_test_support.h"

#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_picture.h"

#include <vector>

namespace {

using namespace optiontest;
using hook::MSG_AFTER;

class OptionCheck : public ::testing::Test {
protected:
    std::shared_ptr<HostForm> form;
    testsupport::EventLog log;

    void SetUp() override { MorphOptionCheck::registerType(); }
    void TearDown() override {
        if (form && form->loaded()) form->Unload();
        forms::UserControl::setDefaultUserMode(true);
    }
    void load(forms::Layout table) {
        form = std::make_shared<HostForm>(std::move(table));
        form->load();
    }
    MorphOptionCheck& get(const std::wstring& name) { return form->control<MorphOptionCheck>(name); }

    static void key(MorphOptionCheck& c, int vk) {
        SendMessageW(c.hWnd(), WM_KEYDOWN, vk, 0);
        SendMessageW(c.hWnd(), WM_KEYUP, vk, 0xC0000000);
    }
    static void click(MorphOptionCheck& c, UINT down, UINT up, WPARAM held) {
        SendMessageW(c.hWnd(), down, held, MAKELPARAM(5, 6));
        SendMessageW(c.hWnd(), up, 0, MAKELPARAM(5, 6));
    }
};

TEST_F(OptionCheck, RunTimeReadHooksTheFourMessagesAfterTheWindowProcedure) {
    load({optionEntry(L"avto", 0, 10, 10)});
    MorphOptionCheck& c = get(L"avto");
    EXPECT_EQ(c.hooks().tableEntries(c.hWnd(), MSG_AFTER),
              (std::vector<long>{WM_MOUSEMOVE, WM_MOUSELEAVE, WM_SETFOCUS, WM_KILLFOCUS}));
    EXPECT_EQ(c.hooks().tableCount(c.hWnd(), hook::MSG_BEFORE), 0);
    EXPECT_TRUE(c.state().tracking);
    EXPECT_TRUE(IsWindowEnabled(c.hWnd()));

    // The hook's failures go to the event log as errors, then to a message box.
    testsupport::EventLog reports;
    auto oldBox =
        forms::setMsgBoxHandler([&](const std::wstring& prompt, int buttons, const std::wstring& title) {
            reports.add(L"box " + std::to_wstring(buttons) + L" [" + title + L"] " + prompt);
            return forms::mb::OK;
        });
    auto oldLog = core::setLogHandler([&](const std::wstring& text, int type) {
        reports.add(L"log " + std::to_wstring(type) + L" " + text);
    });
    MorphOptionCheck::reportHookFailure(L"zDelMsg", L"Message &H401 not found in table");
    forms::setMsgBoxHandler(oldBox);
    core::setLogHandler(oldLog);
    EXPECT_EQ(reports.text(),
              L"log 1 MorphOptionCheck.zDelMsg: Message &H401 not found in table, "
              L"box 48 [Error in MorphOptionCheck.zDelMsg] Message &H401 not found in table.");
}

TEST_F(OptionCheck, SpaceTogglesACheckBoxAndSelectsAnOption) {
    load({optionEntry(L"avto", 0, 10, 10), optionEntry(L"opt", 1, 10, 40)});
    MorphOptionCheck& box = get(L"avto");
    MorphOptionCheck& opt = get(L"opt");
    watch(box, log);

    key(box, VK_SPACE);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(log.text(), L"KeyDown 32 0, KeyUp 32 0, KeyPress 32");
    key(box, VK_SPACE);
    EXPECT_EQ(box.Value(), 0);

    log.clear();
    key(box, 'A');
    EXPECT_EQ(log.text(), L"KeyDown 65 0");
    EXPECT_EQ(box.Value(), 0);

    // A key released while the mouse is held on the control does nothing.
    log.clear();
    SendMessageW(box.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    key(box, VK_SPACE);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(log.text(), L"MouseDown 1 0 5 5, KeyDown 32 0");
    SendMessageW(box.hWnd(), WM_KILLFOCUS, 0, 0);
    ReleaseCapture();

    // An option already selected stays selected but still reports the key.
    watch(opt, log);
    opt.setValue(widgets::OptionSelected);
    log.clear();
    key(opt, VK_SPACE);
    EXPECT_EQ(opt.Value(), widgets::OptionSelected);
    EXPECT_EQ(log.text(), L"KeyDown 32 0, KeyUp 32 0, KeyPress 32");
}

TEST_F(OptionCheck, OnlyALeftReleaseOverTheControlToggles) {
    load({optionEntry(L"avto", 0, 10, 10)});
    MorphOptionCheck& box = get(L"avto");
    watch(box, log);
    PointerSeam pointer;

    pointer.under = form->hWnd(); // moved off before the release
    click(box, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(log.text(), L"MouseDown 1 0 5 6");

    log.clear();
    pointer.under = box.hWnd();
    click(box, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(log.text(), L"MouseDown 2 0 5 6");

    log.clear();
    click(box, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(log.text(), L"MouseDown 1 0 5 6, MouseUp 1 0 5 6, Click");
}

TEST_F(OptionCheck, ADisabledControlIgnoresInputButHearsTheLeave) {
    load({optionEntry(L"avto", 0, 10, 10, 150, 20, L"",
                      {{L"MouseOverActions", core::Variant(3)},
                       {L"MOverBorderColor", core::Variant::colour(0x0000FF)},
                       {L"MOverCheckBoxColor", core::Variant::colour(0x00FF00)}})});
    MorphOptionCheck& box = get(L"avto");
    watch(box, log);
    box.setValue(1);
    box.setEnabled(false);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(box.state().colours.back1, box.DisBackColor1());
    EXPECT_EQ(box.state().colours.border, box.DisBorderColor());
    // Written while disabled: stored, not shown.
    box.setBackColor1(0x123456);
    EXPECT_EQ(box.state().colours.back1, box.DisBackColor1());

    SendMessageW(box.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    key(box, VK_SPACE);
    SendMessageW(box.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(box.hWnd(), WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(log.empty()) << log.text();
    EXPECT_FALSE(box.state().focus);
    EXPECT_EQ(box.Value(), 0);

    box.setEnabled(true);
    EXPECT_EQ(box.state().colours.back1, 0x123456u);
    EXPECT_EQ(box.Value(), 0);

    // Entered, then disabled under the mouse: the leave is heard and the disabled border stays.
    SendMessageW(box.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(box.state().colours.border, 0x0000FFu);
    EXPECT_EQ(box.state().colours.checkBorder, 0x00FF00u);
    box.setEnabled(false);
    SendMessageW(box.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log.text(), L"MouseEnter, MouseLeave");
    EXPECT_EQ(box.state().colours.border, box.DisBorderColor());
    EXPECT_EQ(box.state().colours.checkBorder, box.DisCheckBorderColor());
}

TEST_F(OptionCheck, HoverColoursAndABorderWrittenMeanwhile) {
    load({optionEntry(L"avto", 0, 10, 10, 150, 20, L"",
                      {{L"MouseOverActions", core::Variant(3)},
                       {L"BorderColor", core::Variant::colour(0x111111)},
                       {L"MOverBorderColor", core::Variant::colour(0x0000FF)},
                       {L"MOverCheckBoxColor", core::Variant::colour(0x00FF00)}})});
    MorphOptionCheck& box = get(L"avto");
    watch(box, log);
    SendMessageW(box.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(box.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    EXPECT_EQ(log.text(), L"MouseEnter");
    EXPECT_EQ(box.state().colours.border, 0x0000FFu);
    EXPECT_EQ(box.state().colours.checkBorder, 0x00FF00u);
    box.setBorderColor(0x222222);
    SendMessageW(box.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(box.state().colours.border, 0x222222u);
    EXPECT_EQ(box.state().colours.checkBorder, box.CheckBorderColor());

    // Other values of MouseOverActions change nothing.
    box.setMouseOverActions(7);
    SendMessageW(box.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(box.state().colours.border, 0x222222u);

    // Focus flag: set on focus while enabled, cleared with both press flags.
    SendMessageW(box.hWnd(), WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(box.state().focus);
    SendMessageW(box.hWnd(), WM_KEYDOWN, 'A', 0);
    SendMessageW(box.hWnd(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(box.state().focus);
    EXPECT_FALSE(box.state().keyDown);
}

TEST_F(OptionCheck, SelectingAnOptionClearsOnlySelectedOptionsOfItsContainerSilently) {
    load({frameEntry(L"frame", 200, 10, 180, 100), optionEntry(L"a", 1, 10, 10), optionEntry(L"b", 1, 10, 40),
          optionEntry(L"box", 0, 10, 70), optionEntry(L"one", 1, 10, 100),
          optionEntry(L"inner", 1, 5, 5, 150, 20, L"frame")});
    MorphOptionCheck &a = get(L"a"), &b = get(L"b"), &box = get(L"box"), &one = get(L"one"),
                     &inner = get(L"inner");
    for (auto* c : {&a, &b, &box, &one, &inner}) watch(*c, log, c->Name());
    a.setValue(-1);
    box.setValue(1);
    one.setValue(1);
    inner.setValue(-1);
    // From code: nothing else changes.
    b.setValue(-1);
    EXPECT_EQ(a.Value(), -1);

    PointerSeam pointer;
    pointer.under = b.hWnd();
    b.setValue(0);
    const size_t changesBefore = a.changedProperties().size();
    click(b, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    EXPECT_EQ(b.Value(), -1);
    EXPECT_EQ(a.Value(), 0);
    EXPECT_EQ(a.changedProperties().size(), changesBefore + 1);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(one.Value(), 1);
    EXPECT_EQ(inner.Value(), -1);
    EXPECT_EQ(log.text(), L"b MouseDown 1 0 5 6, b MouseUp 1 0 5 6, b Click");
}

// The language form: options written 1/0 on load, one clicked, the form zeroes the other three and
// reads the first non-zero as the choice.
TEST_F(OptionCheck, TheLanguageFormsSequence) {
    load({optionEntry(L"az", 1, 10, 10), optionEntry(L"tr", 1, 10, 35), optionEntry(L"ru", 1, 10, 60),
          optionEntry(L"en", 1, 10, 85)});
    const std::vector<std::wstring> names{L"az", L"tr", L"ru", L"en"};
    const std::vector<std::wstring> captions{L"Azərbaycan dili", L"Türkçe", L"Русский язык", L"English"};
    for (size_t i = 0; i < names.size(); ++i) {
        MorphOptionCheck& o = get(names[i]);
        o.setCaption(captions[i]);
        o.setValue(names[i] == L"az" ? 1 : 0);
        o.Click.handle([this, &names, i] {
            for (size_t j = 0; j < names.size(); ++j)
                if (j != i) get(names[j]).setValue(0);
        });
    }
    PointerSeam pointer;
    MorphOptionCheck& ru = get(L"ru");
    pointer.under = ru.hWnd();
    click(ru, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    std::wstring chosen = L"az";
    for (const auto& n : names)
        if (get(n).Value() != 0) {
            chosen = n;
            break;
        }
    EXPECT_EQ(chosen, L"ru");
    EXPECT_EQ(get(L"az").Value(), 0);
    EXPECT_EQ(ru.Caption(), L"Русский язык");
}

TEST_F(OptionCheck, ControlTypeIsFixedAtRunTimeAndAnyValueButOneIsACheckBox) {
    load({optionEntry(L"odd", 2, 10, 10)});
    MorphOptionCheck& odd = get(L"odd");
    try {
        odd.setControlType(1);
        ADD_FAILURE() << "no error";
    } catch (const core::RuntimeError& e) {
        EXPECT_EQ(e.number(), 382);
    }
    EXPECT_EQ(odd.ControlType(), 2);
    key(odd, VK_SPACE);
    EXPECT_EQ(odd.Value(), 1);
    key(odd, VK_SPACE);
    EXPECT_EQ(odd.Value(), 0);
    forms::PropertyBag bag;
    odd.save(bag);
    EXPECT_EQ(bag.ReadProperty(L"ControlType").toLong(), 2);

    // At design time: stored and reported, no repaint.
    forms::UserControl::setDefaultUserMode(false);
    const int redraws = odd.redrawCount();
    odd.setControlType(1);
    EXPECT_EQ(odd.ControlType(), 1);
    EXPECT_EQ(odd.changedProperties().back(), L"ControlType");
    EXPECT_EQ(odd.redrawCount(), redraws);
}

TEST_F(OptionCheck, EveryStoredKeySurvivesAWriteAndARead) {
    load({optionEntry(L"src", 0, 10, 10), optionEntry(L"dst", 0, 10, 40)});
    MorphOptionCheck& src = get(L"src");
    const auto& rows = MorphOptionCheck::properties().rows();
    ASSERT_EQ(rows.size(), 38u);
    EXPECT_EQ(rows.front().key, L"BackAngle");
    EXPECT_EQ(rows.back().key, L"Value");

    forms::UserControl::setDefaultUserMode(false); // ControlType may be written
    src.setBackAngle(33.5f);
    src.setBackColor1(1);
    src.setBackColor2(2);
    src.setBackMiddleOut(false);
    src.setBorderColor(3);
    src.setBorderCurvature(7);
    src.setBorderIfTransparent(false);
    src.setBorderWidth(2);
    src.setCaption(L"Avtomatik axtarış            ");
    src.setCaptionColor(4);
    src.setCheckBorderColor(5);
    src.setCheckBoxAlignment(1);
    src.setCheckBoxAngle(45);
    src.setCheckBoxColor1(6);
    src.setCheckBoxColor2(7);
    src.setCheckBoxMiddleOut(false);
    src.setCheckColor(8);
    src.setContainerName(L"frame");
    src.setControlType(1);
    src.setDisBackColor1(9);
    src.setDisBackColor2(10);
    src.setDisBorderColor(11);
    src.setDisCaptionColor(12);
    src.setDisCheckBorderColor(13);
    src.setDisCheckBoxColor1(14);
    src.setDisCheckBoxColor2(15);
    src.setFocusRectColor(16);
    src.setFont(forms::StdFont::create(L"Arial", 12));
    src.setMouseOverActions(3);
    src.setMOverBorderColor(17);
    src.setMOverCheckBoxColor(18);
    src.setPicChecked(forms::StdPicture::fromBitmap(CreateBitmap(8, 8, 1, 32, nullptr)));
    src.setPicForCheck(true);
    src.setPicUnchecked(forms::StdPicture::fromBitmap(CreateBitmap(9, 9, 1, 32, nullptr)));
    src.setShowFocusRect(false);
    src.setTransparent(true);
    src.setEnabled(false);
    src.setValue(-1);
    forms::PropertyBag bag;
    src.save(bag);
    EXPECT_EQ(bag.size(), 38u);

    MorphOptionCheck& dst = get(L"dst");
    dst.readStored(bag);
    forms::PropertyBag again;
    dst.save(again);
    EXPECT_EQ(again, bag);
    EXPECT_EQ(dst.Caption(), L"Avtomatik axtarış            ");

    // A new control stores nothing.
    auto fresh = forms::placeControl<MorphOptionCheck>(*form, L"fresh", 0, 0, 1500, 300);
    forms::PropertyBag empty;
    fresh->save(empty);
    EXPECT_TRUE(empty.empty()) << empty.size();
    EXPECT_EQ(fresh->Caption(), L"Option_Check");
    fresh->unload();
}

} // namespace

namespace {

using namespace optiontest;

class OptionCheckReentry : public ::testing::Test {
protected:
    void SetUp() override { MorphOptionCheck::registerType(); }
};

// Inside a picture box a see-through control lets the box repaint (DoEvents) before it copies: a
// repaint asked for meanwhile is made once more by the running one, and an unload meanwhile ends it.
TEST_F(OptionCheckReentry, ARepaintInsideItsOwnDoEventsRunsOnceMoreAndAnUnloadEndsIt) {
    auto form = std::make_shared<HostForm>(forms::Layout{
        frameEntry(L"frame", 10, 10, 200, 100),
        optionEntry(L"see", 0, 5, 5, 150, 20, L"frame", {{L"Transparent", core::Variant(true)}})});
    form->load();
    form->Show();
    auto& see = form->control<MorphOptionCheck>(L"see");
    forms::DoEvents();
    const int before = see.redrawCount();
    PostMessageW(see.hWnd(), WM_SETFOCUS, 0, 0);
    see.setCaption(L"Otomatik arama");
    EXPECT_EQ(see.redrawCount(), before + 2);
    EXPECT_TRUE(see.state().focus);
    EXPECT_TRUE(IsWindowVisible(see.hWnd()));

    see.KeyUp.handle([&](int16_t&, int16_t&) { form->Unload(); });
    see.KeyPress.handle([](int16_t&) { ADD_FAILURE() << "raised after the unload"; });
    PostMessageW(see.hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(see.hWnd(), WM_KEYUP, VK_SPACE, 0xC0000000);
    auto keep = form;
    see.setCaption(L"x");
    EXPECT_FALSE(form->loaded());
}

} // namespace
