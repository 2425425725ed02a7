#include "platform/core/variant.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"

#include <gtest/gtest.h>

using namespace forms;

TEST(FormsPropertyBag, MissingKeysReadAsTheDefault) {
    PropertyBag bag{{L"Caption", L"OK"}};
    EXPECT_EQ(bag.ReadProperty(L"Caption", L"x").toString(), L"OK");
    EXPECT_EQ(bag.ReadProperty(L"Enabled", true).toBoolean(), true);
    EXPECT_TRUE(bag.ReadProperty(L"Nothing").isEmpty());
    // keys are exact
    EXPECT_EQ(bag.ReadProperty(L"caption", L"x").toString(), L"x");
}

TEST(FormsPropertyBag, WritesOnlyValuesThatDifferFromTheDefault) {
    PropertyBag bag;
    bag.WriteProperty(L"BackColor", core::Variant::colour(0x8000000F), core::Variant::colour(0x8000000F));
    bag.WriteProperty(L"Value", int16_t(0), 0);
    bag.WriteProperty(L"Caption", L"", L"");
    EXPECT_TRUE(bag.empty());
    bag.WriteProperty(L"Value", int16_t(3), 0);
    bag.WriteProperty(L"Caption", L"", L"Label1"); // empty text is a real value here
    bag.WriteProperty(L"Tag", L"t");               // no default: always written
    EXPECT_EQ(bag.size(), 3u);
    // A later write equal to the default removes the earlier one.
    bag.WriteProperty(L"Value", int16_t(0), 0);
    EXPECT_FALSE(bag.contains(L"Value"));
    EXPECT_EQ(bag.ReadProperty(L"Caption", L"Label1").toString(), L"");
}

TEST(FormsPropertyBag, KeepsInsertionOrderAndExactKeys) {
    PropertyBag bag;
    bag.WriteProperty(L"Item2", 2);
    bag.WriteProperty(L"FontName.FontName", L"Tahoma");
    bag.WriteProperty(L"Item10", 10);
    bag.WriteProperty(L"Item2", 22); // rewriting keeps the place
    ASSERT_EQ(bag.size(), 3u);
    EXPECT_EQ(bag.entries()[0].first, L"Item2");
    EXPECT_EQ(bag.entries()[0].second.toLong(), 22);
    EXPECT_EQ(bag.entries()[1].first, L"FontName.FontName");
    EXPECT_EQ(bag.entries()[2].first, L"Item10");
}

TEST(FormsPropertyBag, FontsAreCopiedInAndOut) {
    auto font = StdFont::create(L"Tahoma", 8.25);
    PropertyBag bag;
    bag.WriteProperty(L"Font", font);
    font->setBold(true); // the caller's later change does not reach the bag
    auto read = bag.ReadProperty(L"Font").toFont();
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->Bold());
    read->setSize(20); // nor does the reader's
    EXPECT_EQ(bag.ReadProperty(L"Font").toFont()->Size(), 8.25);
}

TEST(FormsPropertyBag, RoundTripEquality) {
    PropertyBag layout{
        {L"Caption", L"Search"}, {L"Value", int16_t(1)}, {L"Font", StdFont::create(L"Tahoma", 9)}};
    PropertyBag written;
    // written back in another order and with other numeric types: still the same bag
    written.WriteProperty(L"Font", StdFont::create(L"Tahoma", 9));
    written.WriteProperty(L"Value", 1, 0);
    written.WriteProperty(L"Caption", L"Search", L"");
    EXPECT_EQ(layout, written);
    written.WriteProperty(L"Caption", L"search", L"");
    EXPECT_NE(layout, written);
    PropertyBag extra = layout;
    extra.WriteProperty(L"Tag", L"x");
    EXPECT_NE(layout, extra);
    EXPECT_NE(extra, layout);
}
