// The tool bar's button records and public members.
#include "tool_bar_test_support.h"

#include "support/errors.h"

namespace {

using namespace toolbartest;
using testsupport::errorOf;

class ToolBarButtons : public ToolBarTest {
protected:
    // A new bar at run time: one button, nothing hooked.
    void SetUp() override {
        ToolBarTest::SetUp();
        bar = forms::placeControl<widgets::McToolBar>(*form, L"mct", 150, 150, 6000, 600);
    }

    std::wstring captions() {
        std::wstring s;
        for (long i = 1; i <= bar->Button_Count(); ++i) s += bar->GetButtonValue(i, 1).toString();
        return s;
    }
    void abc() {
        bar->setButton_Count(3);
        for (long i = 1; i <= 3; ++i)
            bar->SetButtonValue(i, 1, std::wstring(1, L'A' + static_cast<wchar_t>(i - 1)));
    }
};

TEST_F(ToolBarButtons, CountAddsNewRecordsAndSelectsTheLast) {
    bar->setButton_Count(3);
    EXPECT_EQ(bar->Button_Count(), 3);
    EXPECT_EQ(bar->Button_Index(), 3);
    for (long i = 2; i <= 3; ++i) {
        const widgets::ToolBarButton& r = bar->button(i);
        EXPECT_EQ(r.Caption, L"b");
        EXPECT_TRUE(r.Enabled);
        EXPECT_EQ(r.IconAllignment, 4);
        EXPECT_EQ(r.ToolTipIcon, 1);
        EXPECT_EQ(r.Type, 0);
    }
    bar->setButton_Count(2);
    EXPECT_EQ(bar->Button_Count(), 2);
    EXPECT_EQ(bar->Button_Index(), 2);
    EXPECT_EQ(errorOf([&] { bar->button(3); }), 9);
    // Below one, or the same count: nothing, not even a notice.
    const size_t notices = bar->changedProperties().size();
    bar->setButton_Count(0);
    bar->setButton_Count(2);
    EXPECT_EQ(bar->Button_Count(), 2);
    EXPECT_EQ(bar->changedProperties().size(), notices);
}

TEST_F(ToolBarButtons, RemovingInsertingAndMovingRecords) {
    bar->RemoveButton(1); // the last button stays, without an error
    EXPECT_EQ(bar->Button_Count(), 1);
    std::wstring text;
    EXPECT_EQ(errorOf([&] { bar->RemoveButton(0); }, &text), 33);
    EXPECT_EQ(text, L"Index out or range!!");

    struct Case {
        void (widgets::McToolBar::*call)(long, long);
        long from, to;
        const wchar_t* expected;
    };
    for (const Case& c : {Case{&widgets::McToolBar::InsertButtonTo, 1, 3, L"BCA"},
                          Case{&widgets::McToolBar::InsertButtonTo, 3, 1, L"CAB"},
                          Case{&widgets::McToolBar::MoveButtonTo, 1, 3, L"CBA"},
                          Case{&widgets::McToolBar::MoveButtonTo, 2, 2, L"ABC"}}) {
        abc();
        (bar.get()->*c.call)(c.from, c.to);
        EXPECT_EQ(captions(), c.expected) << c.from << " to " << c.to;
        EXPECT_EQ(errorOf([&] { (bar.get()->*c.call)(c.from, 4); }), 33);
        EXPECT_EQ(captions(), c.expected);
    }

    // The action properties work on Button_Index and read -1.
    abc();
    EXPECT_EQ(bar->ButtonRemove(), -1);
    bar->setButton_Index(3);
    bar->setButtonRemove(-1);
    EXPECT_EQ(bar->Button_Count(), 3);
    bar->setButtonRemove(1);
    EXPECT_EQ(captions(), L"AB");
    EXPECT_EQ(bar->Button_Index(), 2);
    bar->setButtonMoveTo(1);
    EXPECT_EQ(captions(), L"BA");
    EXPECT_EQ(bar->Button_Index(), 1);
    EXPECT_EQ(errorOf([&] { bar->setButtonInsertTo(5); }), 33);
    EXPECT_EQ(bar->Button_Index(), 1);
}

TEST_F(ToolBarButtons, ValuesByNumberConvertOrKeepTheOldValue) {
    bar->setButton_Count(5);
    bar->SetButtonValue(2, 1, std::wstring(L"Nha6n"));
    EXPECT_EQ(bar->button(2).Caption, L"Nha6n"); // stored as given
    EXPECT_EQ(bar->GetButtonValue(2, 1).toString(), L"Nh\u00E2n");
    bar->setButton_Index(2);
    EXPECT_EQ(bar->ButtonCaption(), L"Nh\u00E2n");
    bar->setButtonCaption(L"Se4s");
    EXPECT_EQ(bar->button(2).Caption, L"S\u1EBDs"); // the property stores it converted

    bar->SetButtonValue(3, 0, 2L);
    EXPECT_EQ(bar->GetButtonValue(3, 0).toLong(), 2);
    EXPECT_EQ(errorOf([&] { bar->SetButtonValue(3, 0, std::wstring(L"two")); }), 13);
    EXPECT_EQ(errorOf([&] { bar->SetButtonValue(3, 7, 1e12); }), 6);
    EXPECT_EQ(bar->button(3).Type, 2);
    EXPECT_EQ(bar->button(3).ToolTipIcon, 1);
    bar->SetButtonValue(4, 6, std::wstring(L"tip"));
    bar->SetButtonValue(4, 2, false);
    bar->SetButtonValue(4, 5, true);
    EXPECT_EQ(bar->GetButtonValue(4, 6).toString(), L"tip");
    EXPECT_FALSE(bar->GetButtonValue(4, 2).toBoolean());
    EXPECT_TRUE(bar->GetButtonValue(4, 5).toBoolean());

    EXPECT_TRUE(bar->GetButtonValue(1, 8).isEmpty());
    EXPECT_TRUE(bar->GetButtonValue(1, -1).isEmpty());
    bar->SetButtonValue(1, 8, std::wstring(L"x"));
    EXPECT_EQ(bar->button(1).Caption, L"b");
    EXPECT_EQ(errorOf([&] { bar->GetButtonValue(6, 1); }), 9);
    EXPECT_EQ(errorOf([&] { bar->SetButtonValue(0, 1, std::wstring(L"x")); }), 9);
}

TEST_F(ToolBarButtons, RangeChecksOfTheGeneralProperties) {
    std::wstring text;
    EXPECT_EQ(errorOf([&] { bar->setButton_Index(0); }, &text), 33);
    EXPECT_EQ(text, L"Index out or range!!");
    EXPECT_EQ(errorOf([&] { bar->setButton_Index(2); }), 33);
    EXPECT_EQ(errorOf([&] { bar->setAppearance(40000); }), 6);
    EXPECT_EQ(errorOf([&] { bar->setBorderStyle(-40000); }), 6);
    EXPECT_EQ(bar->Appearance(), 0);
    bar->setAppearance(3);
    EXPECT_EQ(bar->Appearance(), 3);
    EXPECT_EQ(bar->changedProperties().back(), L"Appearance");
}

TEST_F(ToolBarButtons, ButtonsModePresets) {
    bar->setBackGradient(2);
    bar->setButtonsMode(5);
    EXPECT_EQ(bar->ButtonsBackColor(), 0xE1F2F2u);
    EXPECT_EQ(bar->ButtonsGradientCol(), 0xFFFFFFu);
    EXPECT_EQ(bar->ButtonsGradient(), 3);
    EXPECT_EQ(bar->HoverColor(), 0x80C0FFu);
    EXPECT_EQ(bar->BorderStyle(), 0);
    EXPECT_EQ(bar->BackGradient(), 0);
    EXPECT_EQ(bar->BackColor(), 0x8000000Fu);
    bar->setButtonsMode(6);
    EXPECT_EQ(bar->BorderStyle(), 1);
    EXPECT_EQ(bar->HoverColor(), 0x800000u);
    EXPECT_EQ(bar->ButtonsBackColor(), 0x80000004u);
    EXPECT_EQ(bar->Height(), (32 + 7) * 15); // laid out again with the frame
    bar->setHoverColor(0x123456);
    bar->setButtonsMode(9); // stored, nothing else changes
    EXPECT_EQ(bar->ButtonsMode(), 9);
    EXPECT_EQ(bar->HoverColor(), 0x123456u);
}

TEST_F(ToolBarButtons, PerButtonPropertiesWithoutAButtonReadEmpty) {
    bar->setButton_Count(3);
    bar->setButton_Index(3);
    bar->setButtonToolTip(L"three");
    bar->RemoveButton(3); // Button_Index now names no button
    EXPECT_EQ(bar->Button_Index(), 3);
    EXPECT_EQ(bar->ButtonCaption(), L"");
    EXPECT_EQ(bar->ButtonToolTip(), L"");
    EXPECT_FALSE(bar->ButtonEnabled());
    bar->setButtonCaption(L"x");
    bar->setButtonEnabled(false);
    EXPECT_EQ(captions(), L"bb");
    EXPECT_TRUE(bar->button(2).Enabled);
}

TEST_F(ToolBarButtons, ColourAndTextHelpers) {
    EXPECT_EQ(widgets::McToolBar::BlendColor(0xFFFFFF, 0, 128), 0x808080);
    EXPECT_EQ(widgets::McToolBar::BlendColor(0x000001, 0, 128), 1);
    EXPECT_EQ(widgets::McToolBar::BlendColor(0x8000000F, 0x8000000F, 0),
              static_cast<long>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(widgets::McToolBar::TranslateColor(0x7F000000), 0); // untranslatable: black
    EXPECT_EQ(widgets::McToolBar::TranslateColor(0x80000005), static_cast<long>(GetSysColor(COLOR_WINDOW)));
    for (auto [ch, delim] : {std::pair{L"_", false},
                             {L"7", true},
                             {L"Q", false},
                             {L"z", false},
                             {L" ", true},
                             {L"\u0259", true},
                             {L"\u0416", true}})
        EXPECT_EQ(widgets::McToolBar::IsDelim(ch), delim) << static_cast<int>(ch[0]);
    EXPECT_EQ(errorOf([] { widgets::McToolBar::IsDelim(L""); }), 5);

    auto lines = bar->SplitToLines(L"Page 2", 1000, true);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"Page 2");
    lines = bar->SplitToLines(L"Dil\r\nse\u00E7imi", 1000, true);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"Dilse\u00E7imi");
    EXPECT_TRUE(bar->SplitToLines(L"", 100, true).empty());
    // Narrow: the break falls before the last blank, which the next line drops.
    lines = bar->SplitToLines(L"aaaa bbbb", static_cast<long>(bar->surface().TextWidth(L"aaaa b")), true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"aaaa");
    EXPECT_EQ(lines[1], L"bbbb");
}

} // namespace
