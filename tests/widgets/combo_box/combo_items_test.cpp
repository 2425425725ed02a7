#include "widgets/combo_box/combo_items.h"

#include "platform/core/runtime_error.h"

#include <gtest/gtest.h>

namespace {

using widgets::ComboItem;
using widgets::ComboItems;

ComboItem item(const std::wstring& text) {
    ComboItem i;
    i.text = text;
    return i;
}

std::wstring texts(const ComboItems& items) {
    std::wstring s;
    for (long i = 1; i <= items.count(); ++i) s += (i > 1 ? L"," : L"") + items.at(i).text;
    return s;
}

TEST(ComboItems, KeysAreFreeRequestedNumbersBelowTheCountOrTheItemsOwn) {
    ComboItems items;
    EXPECT_EQ(items.add(item(L""), -1), 1);
    EXPECT_EQ(items.at(1).text, L" ");
    EXPECT_EQ(items.at(1).key, 1);
    items.add(item(L"b"), 1); // taken
    EXPECT_EQ(items.at(2).key, 2);
    items.add(item(L"c"), 2); // taken too
    EXPECT_EQ(items.at(3).key, 3);
    EXPECT_EQ(items.slotCount(), 4);
    EXPECT_THROW(items.at(0), core::RuntimeError);
    EXPECT_THROW(items.at(4), core::RuntimeError);

    ComboItem changed = item(L"");
    changed.textShadow = false;
    items.at(2).textShadow = true;
    items.change(2, changed, 9);
    EXPECT_EQ(items.at(2).text, L"");
    EXPECT_TRUE(items.at(2).textShadow);
    EXPECT_EQ(items.at(2).key, 2);
    EXPECT_THROW(items.change(0, item(L"x"), -1), core::RuntimeError);
}

TEST(ComboItems, FindsBySubstringCaseAndExactly) {
    ComboItems items;
    for (const wchar_t* t : {L"            En - Tr", L"            En - Ru", L"Alpha", L"alpha"})
        items.add(item(t), -1);
    struct Case {
        std::wstring text;
        long compare;
        long expected;
    } cases[] = {{L"en", 0, 1},    {L"en", 2, -1},    {L"", 0, -1},    {L"ALPHA", 1, 3},
                 {L"alpha", 2, 4}, {L"alpha", 3, -1}, {L"- RU", 0, 2}, {L"Alph", 1, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(items.find(c.text, c.compare), c.expected) << c.text.c_str() << " " << c.compare;
    EXPECT_EQ(items.findPrefix(L"ALP"), 3);
    EXPECT_EQ(items.findPrefix(L"en"), -1); // the blanks come first
    EXPECT_EQ(items.findPrefix(L"  "), 1);
}

TEST(ComboItems, SortsByCodesAndFollowsTheSelectedRecord) {
    ComboItems items;
    for (const wchar_t* t : {L"b", L"B", L"a"}) items.add(item(t), -1);
    EXPECT_EQ(items.order(1, 1), 3); // "b" ends last
    EXPECT_EQ(texts(items), L"B,a,b");
    EXPECT_EQ(items.at(1).key, 2); // keys travel with their records
    EXPECT_EQ(items.order(2, 1), 3);
    EXPECT_EQ(texts(items), L"b,a,B");
    EXPECT_EQ(items.order(3, 2), 2);
    EXPECT_EQ(texts(items), L"b,a,B");
}

TEST(ComboItems, RemovingRenumbersAndClearingKeepsTheLongestText) {
    ComboItems items;
    for (const wchar_t* t : {L"one", L"three", L"two"}) items.add(item(t), -1);
    EXPECT_FALSE(items.remove(0));
    EXPECT_FALSE(items.remove(4));
    EXPECT_EQ(items.count(), 3);
    EXPECT_TRUE(items.remove(1));
    EXPECT_EQ(texts(items), L"three,two");
    EXPECT_EQ(items.at(2).key, 2);
    items.clear();
    EXPECT_EQ(items.slotCount(), 0);
    items.add(item(L"x"), -1);
    EXPECT_EQ(items.longestText(), L"three");
}

} // namespace
