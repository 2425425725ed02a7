#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/core/variant.h"

#include "support/errors.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

using testsupport::errorOf;

} // namespace

TEST(FormsRuntimeError, StandardTextsAndOwnText) {
    EXPECT_EQ(core::RuntimeError(5).description(), L"Invalid procedure call or argument");
    EXPECT_EQ(core::RuntimeError(6).description(), L"Overflow");
    EXPECT_EQ(core::RuntimeError(9).description(), L"Subscript out of range");
    EXPECT_EQ(core::RuntimeError(13).description(), L"Type mismatch");
    EXPECT_EQ(core::RuntimeError(94).description(), L"Invalid use of Null");
    EXPECT_EQ(core::RuntimeError(380).description(), L"Invalid property value");
    EXPECT_EQ(core::RuntimeError(382).description(), L"Set not supported at runtime");
    core::RuntimeError own(33, L"Index out or range!!");
    EXPECT_EQ(own.number(), 33);
    EXPECT_EQ(own.description(), L"Index out or range!!");
    EXPECT_STREQ(own.what(), "Index out or range!!");
    // what() is UTF-8
    EXPECT_STREQ(core::RuntimeError(1000, L"\u0259").what(), "\xC9\x99");
}

TEST(FormsVariant, IntegerConversionRoundsHalvesToEven) {
    EXPECT_EQ(core::Variant(2.5).toInteger(), 2);
    EXPECT_EQ(core::Variant(3.5).toInteger(), 4);
    EXPECT_EQ(core::Variant(-2.5).toInteger(), -2);
    EXPECT_EQ(core::Variant(-3.5).toInteger(), -4);
    EXPECT_EQ(core::Variant(2.5000001).toInteger(), 3);
    EXPECT_EQ(core::Variant(2.5f).toLong(), 2);
    EXPECT_EQ(core::Variant(L" 4.5 ").toLong(), 4);
    EXPECT_EQ(core::Variant(32767.4).toInteger(), 32767);
    EXPECT_EQ(core::Variant(-32768.5).toInteger(), -32768);
}

TEST(FormsVariant, OverflowAndMismatchErrors) {
    EXPECT_EQ(errorOf([] { core::Variant(32768).toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { core::Variant(32767.5).toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { core::Variant(-32769).toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { core::Variant(2147483648.0).toLong(); }), 6);
    EXPECT_EQ(errorOf([] { core::Variant(L"40000").toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { core::Variant(1e300).toSingle(); }), 6);
    EXPECT_EQ(errorOf([] { core::Variant(L"abc").toInteger(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(L"12abc").toLong(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(L"").toDouble(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(L"1e").toDouble(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(L"abc").toBoolean(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(StdFont::create()).toLong(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(L"x").toFont(); }), 13);
    EXPECT_EQ(errorOf([] { core::Variant(3).toPicture(); }), 13);
}

TEST(FormsVariant, NullConvertsToNothing) {
    core::Variant null = core::Variant::null();
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isEmpty());
    EXPECT_EQ(errorOf([&] { null.toString(); }), 94);
    EXPECT_EQ(errorOf([&] { null.toLong(); }), 94);
    EXPECT_EQ(errorOf([&] { null.toBoolean(); }), 94);
    EXPECT_EQ(errorOf([&] { null.toFont(); }), 94);
}

TEST(FormsVariant, EmptyReadsAsZeroTextAndFalse) {
    core::Variant empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toString(), L"");
    EXPECT_FALSE(empty.toBoolean());
    EXPECT_EQ(empty.toFont(), nullptr);
    EXPECT_EQ(empty.toPicture(), nullptr);
}

TEST(FormsVariant, BooleanTextAndNumbers) {
    EXPECT_EQ(core::Variant(true).toInteger(), -1);
    EXPECT_EQ(core::Variant(false).toLong(), 0);
    EXPECT_EQ(core::Variant(true).toString(), L"True");
    EXPECT_EQ(core::Variant(false).toString(), L"False");
    EXPECT_TRUE(core::Variant(L"true").toBoolean());
    EXPECT_TRUE(core::Variant(L"TRUE").toBoolean());
    EXPECT_FALSE(core::Variant(L"fAlSe").toBoolean());
    EXPECT_TRUE(core::Variant(L"-1").toBoolean());
    EXPECT_TRUE(core::Variant(L"2").toBoolean());
    EXPECT_FALSE(core::Variant(L"0").toBoolean());
    EXPECT_TRUE(core::Variant(0.1).toBoolean());
    EXPECT_TRUE(core::Variant(int16_t(1)).toBoolean());
    EXPECT_EQ(core::Variant(true).type(), core::VariantType::Boolean);
}

TEST(FormsVariant, NumbersAsText) {
    EXPECT_EQ(core::Variant(2.5).toString(), L"2.5");
    EXPECT_EQ(core::Variant(-1).toString(), L"-1");
    EXPECT_EQ(core::Variant(int16_t(-32768)).toString(), L"-32768");
    EXPECT_EQ(core::Variant(8.25f).toString(), L"8.25");
    EXPECT_EQ(core::Variant(0.1f).toString(), L"0.1"); // not 0.100000001
    EXPECT_EQ(core::Variant(1.0 / 3).toString(), L"0.333333333333333");
    EXPECT_EQ(core::Variant(100.0).toString(), L"100");
    EXPECT_EQ(core::Variant(1e15).toString(), L"1E+15");
    EXPECT_EQ(core::Variant(0.00001).toString(), L"1E-05");
    EXPECT_EQ(core::Variant(-0.0).toString(), L"0");
    EXPECT_EQ(core::Variant::colour(0x8000000F).toString(), L"-2147483633");
}

TEST(FormsVariant, TextAsNumbers) {
    EXPECT_DOUBLE_EQ(core::Variant(L"  12.5 ").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(core::Variant(L"-.5").toDouble(), -0.5);
    EXPECT_DOUBLE_EQ(core::Variant(L"1E3").toDouble(), 1000);
    EXPECT_DOUBLE_EQ(core::Variant(L"+7").toDouble(), 7);
    EXPECT_EQ(core::Variant(L"&HFF").toLong(), 255);
    EXPECT_EQ(core::Variant(L"&HFFFF").toInteger(), -1);
    EXPECT_EQ(core::Variant(L"&H8000000F").toColour(), 0x8000000Fu);
    EXPECT_EQ(core::Variant(L"&O17").toLong(), 15);
}

TEST(FormsVariant, ColoursKeepTheirBits) {
    core::Variant system = core::Variant::colour(0x80000005);
    EXPECT_EQ(system.type(), core::VariantType::Colour);
    EXPECT_EQ(system.toColour(), 0x80000005u);
    EXPECT_EQ(system.toLong(), static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(core::Variant(0xFF).toColour(), 0xFFu);
    EXPECT_EQ(core::Variant(-2147483643).toColour(), 0x80000005u);
}

TEST(FormsVariant, EqualityAcrossNumericTypesButNotKinds) {
    EXPECT_EQ(core::Variant(int16_t(5)), core::Variant(5));
    EXPECT_EQ(core::Variant(5), core::Variant(5.0));
    EXPECT_EQ(core::Variant(true), core::Variant(-1));
    EXPECT_EQ(core::Variant::colour(255), core::Variant(255));
    EXPECT_NE(core::Variant(5), core::Variant(L"5"));
    EXPECT_NE(core::Variant(0), core::Variant());
    EXPECT_NE(core::Variant(L""), core::Variant());
    EXPECT_EQ(core::Variant(), core::Variant());
    EXPECT_EQ(core::Variant::null(), core::Variant::null());
    EXPECT_NE(core::Variant::null(), core::Variant());
    EXPECT_NE(core::Variant(L"abc"), core::Variant(L"ABC"));
}

TEST(FormsVariant, FontsCompareByValueAndReadAsTheirName) {
    auto a = StdFont::create(L"Tahoma", 8.25);
    auto b = StdFont::create(L"tahoma", 8.25);
    EXPECT_EQ(core::Variant(a), core::Variant(b));
    b->setBold(true);
    EXPECT_NE(core::Variant(a), core::Variant(b));
    EXPECT_EQ(core::Variant(a).toString(), L"Tahoma");
    EXPECT_EQ(core::Variant(a).toFont(), a); // the same object, not a copy
    EXPECT_NE(core::Variant(a), core::Variant(std::shared_ptr<StdFont>()));
}

TEST(FormsVariant, PicturesCompareByIdentity) {
    auto p = StdPicture::empty();
    auto q = StdPicture::empty();
    EXPECT_EQ(core::Variant(p), core::Variant(p));
    EXPECT_NE(core::Variant(p), core::Variant(q));
    EXPECT_EQ(core::Variant(std::shared_ptr<StdPicture>()), core::Variant(std::shared_ptr<StdPicture>()));
    EXPECT_EQ(core::Variant(p).toString(), L"0");
}
