#include "platform/core/constants.h"
#include "support/errors.h"
#include "widgets/list_box/list_items.h"
#include "widgets/shared/list_color.h"
#include "widgets/shared/list_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using widgets::ListItem;
using widgets::ListItems;

std::vector<std::wstring> shown(const ListItems& items) {
    std::vector<std::wstring> out;
    for (long i = 0; i < items.count(); ++i) {
        const ListItem& item = items.at(i);
        out.push_back(item.text + L"/" + std::to_wstring(item.icon) + (item.bold ? L"/b" : L""));
    }
    return out;
}

TEST(ListItemStore, SortComparesTheTextsOnlyAndKeepsEqualTextsInTheirOrder) {
    using Shown = std::vector<std::wstring>;
    struct Case {
        std::vector<ListItem> items;
        long order;
        Shown sorted;
    };
    const std::vector<ListItem> bank = {
        {L"bankbook", 3}, {L"bank clerk", -1, true}, {L"Bank", 7}, {L"bank", -1}, {L"bank account", 1}};
    const std::vector<ListItem> flags = {
        {L"x", 2, true}, {L"X", -1, false}, {L"x", 10, false}, {L"w", 1, true}};
    const Case cases[] = {
        // A word before its phrases, its phrases before longer words; letter case compares equal.
        {bank, -1, {L"Bank/7", L"bank/-1", L"bank account/1", L"bank clerk/-1/b", L"bankbook/3"}},
        {bank, 1, {L"bankbook/3", L"bank clerk/-1/b", L"bank account/1", L"Bank/7", L"bank/-1"}},
        // Neither the icon number nor the bold flag changes the order of equal texts.
        {flags, -1, {L"w/1/b", L"x/2/b", L"X/-1", L"x/10"}},
        {flags, 1, {L"x/2/b", L"X/-1", L"x/10", L"w/1/b"}},
        // Any other order leaves the items as they were added.
        {flags, 2, {L"x/2/b", L"X/-1", L"x/10", L"w/1/b"}},
        {flags, 0, {L"x/2/b", L"X/-1", L"x/10", L"w/1/b"}},
    };
    for (const auto& c : cases) {
        ListItems items;
        for (const ListItem& item : c.items) items.add(item);
        items.sort(c.order);
        EXPECT_EQ(shown(items), c.sorted) << "order " << c.order;
    }

    // A changed text is sorted by its new value; a changed icon or flag keeps the place.
    ListItems items;
    for (const ListItem& item : bank) items.add(item);
    items.sort(-1);
    items.setIcon(0, 99);
    items.setBold(1, true);
    items.setText(4, L"0");
    items.sort(-1);
    EXPECT_EQ(shown(items), (Shown{L"0/3", L"Bank/99", L"bank/-1/b", L"bank account/1", L"bank clerk/-1/b"}));

    // The separator the items were once stored with is text like any other.
    items.add({L"a<%S%>b", 2, false}, 0);
    EXPECT_EQ(items.at(0).text, L"a<%S%>b");
}

// The texts in the order an insertion of each item before the first one it compares to as -1 gives.
std::vector<std::wstring> insertionOrder(const std::vector<ListItem>& source) {
    std::vector<std::wstring> sorted;
    for (const ListItem& item : source) {
        const std::wstring& x = item.text;
        auto at = sorted.end();
        for (auto it = sorted.begin(); it != sorted.end(); ++it) {
            if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH,
                               x.c_str(), -1, it->c_str(), -1) == CSTR_LESS_THAN) {
                at = it;
                break;
            }
        }
        sorted.insert(at, x);
    }
    return sorted;
}

TEST(ListItemStore, MixedScriptOrderMatchesTheTextComparisonAndThousandsSortFast) {
    const wchar_t* stems[] = {L"мир",       L"Мир",   L"dünya", L"world",    L"World", L"co-op",
                              L"coop",      L"işık",  L"ısı",   L"İstanbul", L"ёлка",  L"елка",
                              L"apple pie", L"apple", L"Äpfel", L"zebra"};
    std::vector<ListItem> source;
    for (int i = 0; i < 300; ++i)
        source.push_back({std::wstring(stems[(i * 7) % 16]) + (i % 3 ? std::to_wstring(i % 11) : L""),
                          (i % 5) - 1, i % 4 == 0});
    ListItems items;
    for (const ListItem& item : source) items.add(item);
    items.sort(-1);
    std::vector<std::wstring> got;
    for (long i = 0; i < items.count(); ++i) got.push_back(items.at(i).text);
    EXPECT_EQ(got, insertionOrder(source));

    ListItems many;
    for (int i = 0; i < 5000; ++i) many.add({stems[i % 16] + std::to_wstring((i * 7919) % 5003)});
    const auto start = std::chrono::steady_clock::now();
    many.sort(-1);
    many.sort(-1);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    EXPECT_LT(ms, 400);
}

TEST(ListText, DelimitersAndWrapping) {
    EXPECT_FALSE(widgets::IsDelim(L"a"));
    EXPECT_FALSE(widgets::IsDelim(L"Zebra"));
    EXPECT_FALSE(widgets::IsDelim(L"_"));
    EXPECT_TRUE(widgets::IsDelim(L" "));
    EXPECT_TRUE(widgets::IsDelim(L"7"));
    EXPECT_TRUE(widgets::IsDelim(L"-"));
    EXPECT_EQ(testsupport::errorOf([] { widgets::IsDelim(L""); }), 5);

    auto width = [](const std::wstring& s) { return static_cast<float>(s.size() * 10); };
    using Lines = std::vector<std::wstring>;
    EXPECT_EQ(widgets::SplitToLines(L"two words", 1000, false, width), Lines{L"two words"});
    EXPECT_EQ(widgets::SplitToLines(L"vitamin a", 1000, false, width), Lines{L"vitamin a"});
    EXPECT_EQ(widgets::SplitToLines(L"hello world again", 80, false, width),
              (Lines{L"hello", L"world", L"again"}));
    EXPECT_EQ(widgets::SplitToLines(L"hello world a", 80, false, width), (Lines{L"hello", L"world a"}));
    EXPECT_EQ(widgets::SplitToLines(L"abcdefghij", 50, false, width), (Lines{L"abcd", L"efgh", L"ij"}));
    EXPECT_EQ(widgets::SplitToLines(L"ab\r\ncd", 1000, true, width), Lines{L"abcd"});
    EXPECT_EQ(widgets::SplitToLines(L"ab\r\ncd", 1000, false, width), Lines{L"ab\r\ncd"});
    EXPECT_TRUE(widgets::SplitToLines(L"", 100, true, width).empty());
    EXPECT_EQ(widgets::SplitToLines(L"x", 1, false, width), Lines{L"x"});
}

TEST(ListColours, TranslateAndBlend) {
    EXPECT_EQ(widgets::TranslateColor(0x123456), 0x123456);
    EXPECT_EQ(widgets::TranslateColor(static_cast<long>(core::sysColor::WindowBackground)),
              static_cast<long>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(widgets::TranslateColor(static_cast<long>(core::sysColor::Flag | 0xFF)), -1);

    EXPECT_EQ(widgets::BlendColor(0xFF8C1A, 0xFFFFFF, 255), 0xFF8C1A);
    EXPECT_EQ(widgets::BlendColor(0xFF8C1A, 0xFFFFFF, 0), 0xFFFFFF);
    EXPECT_EQ(widgets::BlendColor(static_cast<long>(core::sysColor::WindowBackground), 0, 255),
              static_cast<long>(GetSysColor(COLOR_WINDOW)));
    // 26 * 250 / 255 = 25.49, 140 * 250 / 255 = 137.25, 255 * 250 / 255 = 250
    EXPECT_EQ(widgets::BlendColor(0xFF8C1A, 0, 250), 25 + 137 * 256 + 250 * 65536);
    // 0x1A blended with white at 150: 26 * 150 / 255 + 255 * 105 / 255 = 120.29
    EXPECT_EQ(widgets::BlendColor(0xFF8C1A, 0xFFFFFF, 150) & 0xFF, 120);
    // A failed translation blends as -1 (white).
    EXPECT_EQ(widgets::BlendColor(static_cast<long>(core::sysColor::Flag | 0xFF), 0, 255), 0xFFFFFF);
}

} // namespace
