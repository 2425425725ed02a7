// How the tool bar is stored with its form, and what it starts and stops.
#include "tool_bar_test_support.h"

#include "platform/core/constants.h"
#include "platform/core/variant.h"
#include "platform/forms/std_picture.h"

#include <algorithm>
#include <vector>

namespace {

using namespace toolbartest;

class ToolBarPersistence : public ToolBarTest {
protected:
    void TearDown() override {
        forms::UserControl::setDefaultUserMode(true);
        ToolBarTest::TearDown();
    }
    static std::vector<std::wstring> keys(const forms::PropertyBag& bag) {
        std::vector<std::wstring> k;
        for (const auto& e : bag.entries()) k.push_back(e.first);
        return k;
    }
};

TEST_F(ToolBarPersistence, ANewBarWritesOnlyWhatDiffersFromTheBagDefaults) {
    bar = forms::placeControl<widgets::McToolBar>(*form, L"mct", 150, 150, 6000, 600);
    EXPECT_EQ(bar->TooTipStyle(), 0);
    EXPECT_EQ(bar->button(1).ToolTipIcon, 1);
    forms::PropertyBag bag;
    bar->save(bag);
    EXPECT_EQ(keys(bag), (std::vector<std::wstring>{L"TooTipStyle", L"ButtonToolTipIcon1"}));
    EXPECT_EQ(bag.ReadProperty(L"TooTipStyle").toLong(), 0);
}

TEST_F(ToolBarPersistence, MissingButtonKeysReadAsTheBagDefaults) {
    bar = load(forms::PropertyBag{{L"Button_Count", 3L}});
    ASSERT_EQ(bar->Button_Count(), 3);
    for (long i = 1; i <= 3; ++i) {
        const widgets::ToolBarButton& r = bar->button(i);
        EXPECT_EQ(r.Caption, L"b");
        EXPECT_TRUE(r.Enabled);
        EXPECT_FALSE(r.Pressed);
        EXPECT_EQ(r.IconAllignment, 4);
        EXPECT_EQ(r.Type, 0);
        EXPECT_EQ(r.ToolTipIcon, 0);
        EXPECT_EQ(r.ToolTip, L"");
    }
    EXPECT_EQ(bar->TooTipStyle(), 2);
    EXPECT_EQ(bar->Button_Index(), -1); // at run time nothing is hovered

    for (long count : {0L, -4L}) {
        bar = load(forms::PropertyBag{{L"Button_Count", count}});
        EXPECT_EQ(bar->Button_Count(), 1) << count;
        EXPECT_EQ(bar->button(1).Caption, L"b");
    }
}

TEST_F(ToolBarPersistence, ButtonsAreWrittenInOrderUpToTheCount) {
    bar = load(forms::PropertyBag{{L"Button_Count", 2L},
                                  {L"ButtonCaption1", L"one"},
                                  {L"ButtonToolTipText2", L"tip"},
                                  {L"Button_Type2", 1L},
                                  {L"ButtonCaption3", L"stale"}});
    forms::PropertyBag bag;
    bar->save(bag);
    EXPECT_EQ(keys(bag), (std::vector<std::wstring>{L"Button_Count", L"Button_Index", L"ButtonCaption1",
                                                    L"ButtonToolTipText2", L"Button_Type2"}));
    EXPECT_EQ(bag.ReadProperty(L"Button_Index").toLong(), -1);
}

TEST_F(ToolBarPersistence, TheApplicationsBarSurvivesAWriteAndARead) {
    auto stored = applicationBag();
    auto icon = forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_INFORMATION));
    stored.WriteProperty(L"ButtonIcon1", core::Variant(icon));
    bar = load(stored, 640);
    forms::PropertyBag first;
    bar->save(first);
    auto again = load(first, 640);
    forms::PropertyBag second;
    again->save(second);
    EXPECT_EQ(first, second);
    for (const auto& [key, value] : stored.entries()) {
        if (key == L"Font") continue;
        EXPECT_EQ(first.ReadProperty(key), value) << std::string(key.begin(), key.end());
    }
    EXPECT_EQ(again->Font()->Name(), L"Tahoma");
    EXPECT_TRUE(again->Font()->Bold());
    EXPECT_EQ(again->button(1).Icon, icon);
    EXPECT_EQ(again->button(5).IconAllignment, 0);
}

TEST_F(ToolBarPersistence, DesignTimeLoadsWithoutHooksOrDropDown) {
    forms::UserControl::setDefaultUserMode(false);
    bar = load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ShowChevron", true}}, 100);
    EXPECT_EQ(bar->Button_Index(), 1);
    EXPECT_EQ(bar->picChevron(), nullptr);
    EXPECT_FALSE(bar->hooks().isHooked(bar->picMain()->hWnd()));
    EXPECT_TRUE(bar->chevronButtons().empty());
    // Showing and hiding the form ends a hover at run time only: the per-button properties still
    // address button 1.
    form->Show();
    form->Hide();
    EXPECT_EQ(bar->Button_Index(), 1);
    EXPECT_EQ(bar->ButtonCaption(), L"b");
}

// The drop-down (a window of its own) and the hand pointer are made when first needed: a bar whose
// buttons all fit starts without them, and gets a hooked drop-down once some do not fit.
TEST_F(ToolBarPersistence, TheDropDownAndTheHandAreMadeWhenFirstNeeded) {
    bar = load(forms::PropertyBag{{L"Button_Count", 2L}, {L"ShowChevron", true}}, 400);
    EXPECT_TRUE(bar->chevronButtons().empty());
    EXPECT_EQ(bar->picChevron(), nullptr);
    EXPECT_FALSE(bar->picMain()->MouseIcon());
    moveOnBar(10, 10); // over button 1
    EXPECT_TRUE(bar->picMain()->MouseIcon());
    EXPECT_EQ(bar->picMain()->MousePointer(), core::pointer::Custom);

    bar->Move(bar->Left(), bar->Top(), 40 * 15, bar->Height());
    ASSERT_FALSE(bar->chevronButtons().empty());
    ASSERT_NE(bar->picChevron(), nullptr);
    EXPECT_TRUE(bar->hooks().isHooked(bar->picChevron()->hWnd()));
    EXPECT_TRUE(bar->hooks().carries(bar->picChevron()->hWnd(), WM_MOUSELEAVE));
}

TEST_F(ToolBarPersistence, TerminateUnhooksAllFourWindows) {
    const LONG_PTR formProc = GetWindowLongPtrW(form->hWnd(), GWLP_WNDPROC);
    bar = load(forms::PropertyBag{{L"Button_Count", 5L}, {L"ShowChevron", true}}, 100);
    const HWND windows[] = {bar->picChevron()->hWnd(), bar->picMain()->hWnd(), bar->hWnd(), form->hWnd()};
    for (HWND w : windows) EXPECT_TRUE(bar->hooks().isHooked(w));
    EXPECT_TRUE(bar->hooks().carries(form->hWnd(), WM_MOVE));
    EXPECT_TRUE(bar->hooks().carries(bar->picMain()->hWnd(), WM_KILLFOCUS));
    EXPECT_TRUE(bar->hooks().carries(bar->hWnd(), WM_TIMER));
    EXPECT_NE(GetWindowLongPtrW(form->hWnd(), GWLP_WNDPROC), formProc);
    bar->unload();
    for (HWND w : windows) EXPECT_FALSE(bar->hooks().isHooked(w));
    EXPECT_EQ(GetWindowLongPtrW(form->hWnd(), GWLP_WNDPROC), formProc);
    EXPECT_EQ(bar->picMain(), nullptr);
}

} // namespace
