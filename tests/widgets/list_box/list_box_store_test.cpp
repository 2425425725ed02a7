#include "list_box_test_support.h"

#include "platform/core/runtime_error.h"
#include "support/errors.h"

#include <functional>

namespace {

using namespace listtest;

class ListBoxStore : public ListBoxTest {};

TEST_F(ListBoxStore, CurrentIndexOfEmptyAndOverlongLists) {
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->Text(), L"");
    EXPECT_EQ(list->list(0), L"");

    fill(10);
    events.clear();
    list->setListIndex(1000);
    EXPECT_EQ(list->ListIndex(), 9);
    EXPECT_EQ(list->Text(), L"item 9");
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->SelItem(0), 1000);
    EXPECT_EQ(log(), L"SelChange");
    EXPECT_EQ(list->changedProperties().back(), L"ListIndex");

    list->setListIndex(-5);
    EXPECT_EQ(list->ListIndex(), 0);
    EXPECT_EQ(list->SelItem(0), -5);
    EXPECT_EQ(testsupport::errorOf([&] { list->SelItem(1); }), core::err::SubscriptOutOfRange);
}

TEST_F(ListBoxStore, AddRemoveAndRewriteItems) {
    list->AddItem(L"one");
    list->AddItem(L"zero", 0, 2, true);
    list->AddItem(L"two");
    EXPECT_EQ(list->ListCount(), 3);
    EXPECT_EQ(list->list(0), L"zero");
    EXPECT_EQ(list->list(1), L"one");
    EXPECT_EQ(list->list(5), L"");
    EXPECT_EQ(list->list(-1), L"");
    EXPECT_TRUE(list->ListBold(0));
    EXPECT_EQ(list->ListIcon(0), 2);
    EXPECT_EQ(list->ListIcon(1), -1);

    list->setListBold(2, true);
    list->setListIcon(2, 4);
    list->setList(2, L"TWO");
    EXPECT_EQ(list->list(2), L"TWO");
    EXPECT_TRUE(list->ListBold(2));
    EXPECT_EQ(list->ListIcon(2), 4);

    list->setListIndex(1);
    list->Remove(-1); // the current item
    EXPECT_EQ(list->ListCount(), 2);
    EXPECT_EQ(list->list(1), L"TWO");
    list->Remove(0);
    EXPECT_EQ(list->list(0), L"TWO");
    list->Clear();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
}

// An item or selection entry that is not there is the collection's subscript error, and the call
// changes nothing.
TEST_F(ListBoxStore, MissingItemsAndEntriesRaiseSubscriptOutOfRange) {
    using core::err::SubscriptOutOfRange;
    struct Case {
        const char* call;
        std::function<void(widgets::McListBox&)> run;
        int error;
    };
    const Case cases[] = {
        {"ListIcon 3", [](auto& l) { l.ListIcon(3); }, SubscriptOutOfRange},
        {"ListIcon -1", [](auto& l) { l.ListIcon(-1); }, SubscriptOutOfRange},
        {"ListIcon write 3", [](auto& l) { l.setListIcon(3, 1); }, SubscriptOutOfRange},
        {"ListBold 3", [](auto& l) { l.ListBold(3); }, SubscriptOutOfRange},
        {"ListBold write -2", [](auto& l) { l.setListBold(-2, true); }, SubscriptOutOfRange},
        {"list write 3", [](auto& l) { l.setList(3, L"x"); }, SubscriptOutOfRange},
        {"SelItem 1", [](auto& l) { l.SelItem(1); }, SubscriptOutOfRange},
        {"SelItem -1", [](auto& l) { l.SelItem(-1); }, SubscriptOutOfRange},
        {"AddItem before 3", [](auto& l) { l.AddItem(L"x", 3); }, SubscriptOutOfRange},
        {"AddItem before -2", [](auto& l) { l.AddItem(L"x", -2); }, SubscriptOutOfRange},
        {"Remove 3", [](auto& l) { l.Remove(3); }, SubscriptOutOfRange},
        {"Remove -2", [](auto& l) { l.Remove(-2); }, SubscriptOutOfRange},
        {"list 3 reads empty", [](auto& l) { l.list(3); }, 0},
        {"AddItem before 2", [](auto& l) { l.AddItem(L"x", 2); }, 0},
    };
    for (const Case& c : cases) {
        list->Clear();
        fill(3);
        list->setListIndex(0);
        EXPECT_EQ(testsupport::errorOf([&] { c.run(*list); }), c.error) << c.call;
        if (c.error == 0) continue;
        EXPECT_EQ(list->ListCount(), 3) << c.call;
        EXPECT_EQ(list->list(2), L"item 2") << c.call;
        EXPECT_EQ(list->ListIcon(2), -1) << c.call;
    }
    // The current item of an empty list is not there either.
    list->Clear();
    EXPECT_EQ(testsupport::errorOf([&] { list->Remove(-1); }), SubscriptOutOfRange);
}

TEST_F(ListBoxStore, SelectionMembersRaiseNothing) {
    fill(3);
    events.clear();
    list->SelectAll();
    ASSERT_EQ(list->SelCount(), 3);
    EXPECT_EQ(list->SelItem(0), 0);
    EXPECT_EQ(list->SelItem(2), 2);
    list->ClearSelection();
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->SelItem(0), 0);
    EXPECT_EQ(log(), L"");
}

TEST_F(ListBoxStore, RefreshAndRemoveSortBySortOrder) {
    for (const wchar_t* t : {L"pear", L"Apple", L"мир", L"banana", L"apple"}) list->AddItem(t);
    EXPECT_EQ(list->list(0), L"pear"); // AddItem does not sort
    list->setSortOrder(-1);
    EXPECT_EQ(list->list(0), L"Apple");
    EXPECT_EQ(list->list(1), L"apple");
    EXPECT_EQ(list->list(4), L"мир");
    list->AddItem(L"cherry");
    list->Refresh();
    EXPECT_EQ(list->list(3), L"cherry");
    list->setSortOrder(1);
    EXPECT_EQ(list->list(0), L"мир");
    list->Remove(0);
    EXPECT_EQ(list->list(0), L"pear");
    EXPECT_EQ(list->ListCount(), 5);
}

TEST_F(ListBoxStore, WrapsWithTheControlsFont) {
    const auto lines = list->SplitToLines(L"a long line of words that wraps", 60, true);
    EXPECT_GT(lines.size(), 2u);
    std::wstring back;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The last line takes the last character without measuring it.
        if (i + 1 < lines.size()) {
            EXPECT_LT(list->surface().TextWidth(lines[i]), 60.0f);
        }
        back += (back.empty() ? L"" : L" ") + lines[i];
    }
    EXPECT_EQ(back, L"a long line of words that wraps");
}

} // namespace
