#include "combo_test_support.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/controls/text_box.h"

namespace {

using namespace combotest;

class ComboSelection : public ComboTest {};

TEST_F(ComboSelection, CountsAndEventsOfAddingAndClearing) {
    EXPECT_EQ(combo->ListCount(), -1);
    EXPECT_EQ(combo->NewIndex(), -1);
    EXPECT_EQ(combo->ListIndex(), -1);
    combo->AddItem(L"a");
    combo->AddItem(L"bb", 0x0000FF, nullptr, false);
    combo->AddItem(L"c");
    EXPECT_EQ(events, L"TotalItems(1) TotalItems(2) TotalItems(3) ");
    EXPECT_EQ(combo->ListCount(), 3);
    EXPECT_EQ(combo->NewIndex(), 3);
    EXPECT_EQ(combo->items().at(1).colour, 0xC56A31u);
    // A disabled item keeps the caller's colour; painting greys it.
    EXPECT_EQ(combo->items().at(2).colour, 0x0000FFu);
    combo->setListIndex(3);
    combo->Clear();
    EXPECT_EQ(combo->ListCount(), -1);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->Text(), L"");
    EXPECT_EQ(combo->editBox()->Text(), L"");
    EXPECT_EQ(combo->items().longestText(), L"bb");
}

TEST_F(ComboSelection, ListIndexWritesAndReadsRewriteTheText) {
    fillDirections(*combo);
    events.clear();
    combo->list(1);
    EXPECT_EQ(combo->Text(), L"co"); // list() does not set Text
    combo->setText(L"something else");
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(combo->Text(), L"            En - Tr");
    combo->setListIndex(-1);
    EXPECT_EQ(combo->ListIndex(), 1);
    combo->setListIndex(0);
    EXPECT_EQ(combo->ListIndex(), 1);
    combo->setListIndex(9); // above the count: no error, Text unchanged
    EXPECT_EQ(combo->ListIndex(), 9);
    EXPECT_EQ(combo->Text(), L"            En - Tr");
    EXPECT_EQ(combo->list(0), L"");
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_THROW(combo->list(7), core::RuntimeError);
    EXPECT_EQ(events, L"");
}

TEST_F(ComboSelection, ProgrammaticWritesNeverComplete) {
    combo->setAutoCompleteWord(true);
    combo->AddItem(L"same");
    combo->AddItem(L"same");
    combo->AddItem(L"other", 0xC56A31, nullptr, false);
    combo->setText(L"x");
    combo->setListIndex(2);
    EXPECT_EQ(combo->ListIndex(), 2);
    // A host Text write selects an enabled exact match, never a disabled one, and never completes.
    combo->setText(L"sa");
    EXPECT_EQ(combo->editBox()->Text(), L"sa");
    combo->setText(L"same");
    EXPECT_EQ(combo->ListIndex(), 1);
    combo->setText(L"other");
    EXPECT_EQ(combo->ListIndex(), 1);
    EXPECT_EQ(events.find(L"SelectionMade"), std::wstring::npos);
}

TEST_F(ComboSelection, RemovingKeepsTheSelectionOnItsRecord) {
    for (const wchar_t* t : {L"a", L"b", L"c", L"d"}) combo->AddItem(t);
    combo->setListIndex(3);
    events.clear();
    combo->RemoveItem(7); // outside: nothing
    combo->RemoveItem(0);
    EXPECT_EQ(combo->ListCount(), 4);
    EXPECT_EQ(events, L"");
    combo->RemoveItem(1);
    EXPECT_EQ(combo->ListIndex(), 2);
    EXPECT_EQ(combo->Text(), L"c");
    combo->RemoveItem(2);
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(combo->Text(), L"");
    EXPECT_EQ(events, L"TotalItems(3) TotalItems(2) ");
    EXPECT_EQ(combo->MaxListLength(), 2);
    combo->RemoveItem(1);
    combo->RemoveItem(1);
    EXPECT_EQ(combo->ListCount(), -1);
    EXPECT_EQ(events, L"TotalItems(3) TotalItems(2) TotalItems(1) TotalItems(0) ");
}

TEST_F(ComboSelection, SortingFollowsTheSelectedRecord) {
    for (const wchar_t* t : {L"b", L"B", L"a"}) combo->AddItem(t);
    combo->setListIndex(1);
    combo->OrderList();
    EXPECT_EQ(combo->ListIndex(), 3);
    EXPECT_EQ(combo->Text(), L"b");
}

TEST_F(ComboSelection, SlotZeroIsNoItem) {
    combo->AddItem(L"a", 0xC56A31, nullptr, true, L"", -1, L"tag a");
    EXPECT_THROW(combo->ChangeItem(0, L"x"), core::RuntimeError);
    EXPECT_THROW(combo->ChangeItem(2, L"x"), core::RuntimeError);
    combo->ItemEnabled(0, false);
    combo->ItemEnabled(5, false);
    EXPECT_TRUE(combo->items().at(1).enabled);
    combo->ItemEnabled(1, false);
    EXPECT_FALSE(combo->items().at(1).enabled);
    EXPECT_EQ(combo->ItemTag(1), L"tag a");
    EXPECT_EQ(combo->ItemTag(0), L"");
    EXPECT_EQ(combo->ItemTag(2), L"");
    combo->ChangeItem(1, L"", 0x00FF00, nullptr, false);
    EXPECT_EQ(combo->items().at(1).text, L"");
    EXPECT_EQ(combo->items().at(1).colour, 0x00FF00u);
    EXPECT_NE(combo->GetControlVersion().find(L"20"), std::wstring::npos);
}

} // namespace
