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
    EXPECT_EQ(RuntimeError(5).description(), L"Invalid procedure call or argument");
    EXPECT_EQ(RuntimeError(6).description(), L"Overflow");
    EXPECT_EQ(RuntimeError(9).description(), L"Subscript out of range");
    EXPECT_EQ(RuntimeError(13).description(), L"Type mismatch");
    EXPECT_EQ(RuntimeError(94).description(), L"Invalid use of Null");
    EXPECT_EQ(RuntimeError(380).description(), L"Invalid property value");
    EXPECT_EQ(RuntimeError(382).description(), L"Set not supported at runtime");
    RuntimeError own(33, L"Index out or range!!");
    EXPECT_EQ(own.number(), 33);
    EXPECT_EQ(own.description(), L"Index out or range!!");
    EXPECT_STREQ(own.what(), "Index out or range!!");
    // what() is UTF-8
    EXPECT_STREQ(RuntimeError(1000, L"\u0259").what(), "\xC9\x99");
}

TEST(FormsVariant, IntegerConversionRoundsHalvesToEven) {
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(3.5).toInteger(), 4);
    EXPECT_EQ(Variant(-2.5).toInteger(), -2);
    EXPECT_EQ(Variant(-3.5).toInteger(), -4);
    EXPECT_EQ(Variant(2.5000001).toInteger(), 3);
    EXPECT_EQ(Variant(2.5f).toLong(), 2);
    EXPECT_EQ(Variant(L" 4.5 ").toLong(), 4);
    EXPECT_EQ(Variant(32767.4).toInteger(), 32767);
    EXPECT_EQ(Variant(-32768.5).toInteger(), -32768);
}

TEST(FormsVariant, OverflowAndMismatchErrors) {
    EXPECT_EQ(errorOf([] { Variant(32768).toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(32767.5).toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(-32769).toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(2147483648.0).toLong(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(L"40000").toInteger(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(1e300).toSingle(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(L"abc").toInteger(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(L"12abc").toLong(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(L"").toDouble(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(L"1e").toDouble(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(L"abc").toBoolean(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(StdFont::create()).toLong(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(L"x").toFont(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(3).toPicture(); }), 13);
}

TEST(FormsVariant, NullConvertsToNothing) {
    Variant null = Variant::null();
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isEmpty());
    EXPECT_EQ(errorOf([&] { null.toString(); }), 94);
    EXPECT_EQ(errorOf([&] { null.toLong(); }), 94);
    EXPECT_EQ(errorOf([&] { null.toBoolean(); }), 94);
    EXPECT_EQ(errorOf([&] { null.toFont(); }), 94);
}

TEST(FormsVariant, EmptyReadsAsZeroTextAndFalse) {
    Variant empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toString(), L"");
    EXPECT_FALSE(empty.toBoolean());
    EXPECT_EQ(empty.toFont(), nullptr);
    EXPECT_EQ(empty.toPicture(), nullptr);
}

TEST(FormsVariant, BooleanTextAndNumbers) {
    EXPECT_EQ(Variant(true).toInteger(), -1);
    EXPECT_EQ(Variant(false).toLong(), 0);
    EXPECT_EQ(Variant(true).toString(), L"True");
    EXPECT_EQ(Variant(false).toString(), L"False");
    EXPECT_TRUE(Variant(L"true").toBoolean());
    EXPECT_TRUE(Variant(L"TRUE").toBoolean());
    EXPECT_FALSE(Variant(L"fAlSe").toBoolean());
    EXPECT_TRUE(Variant(L"-1").toBoolean());
    EXPECT_TRUE(Variant(L"2").toBoolean());
    EXPECT_FALSE(Variant(L"0").toBoolean());
    EXPECT_TRUE(Variant(0.1).toBoolean());
    EXPECT_TRUE(Variant(int16_t(1)).toBoolean());
    EXPECT_EQ(Variant(true).type(), VariantType::Boolean);
}

TEST(FormsVariant, NumbersAsText) {
    EXPECT_EQ(Variant(2.5).toString(), L"2.5");
    EXPECT_EQ(Variant(-1).toString(), L"-1");
    EXPECT_EQ(Variant(int16_t(-32768)).toString(), L"-32768");
    EXPECT_EQ(Variant(8.25f).toString(), L"8.25");
    EXPECT_EQ(Variant(0.1f).toString(), L"0.1"); // not 0.100000001
    EXPECT_EQ(Variant(1.0 / 3).toString(), L"0.333333333333333");
    EXPECT_EQ(Variant(100.0).toString(), L"100");
    EXPECT_EQ(Variant(1e15).toString(), L"1E+15");
    EXPECT_EQ(Variant(0.00001).toString(), L"1E-05");
    EXPECT_EQ(Variant(-0.0).toString(), L"0");
    EXPECT_EQ(Variant::colour(0x8000000F).toString(), L"-2147483633");
}

TEST(FormsVariant, TextAsNumbers) {
    EXPECT_DOUBLE_EQ(Variant(L"  12.5 ").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Variant(L"-.5").toDouble(), -0.5);
    EXPECT_DOUBLE_EQ(Variant(L"1E3").toDouble(), 1000);
    EXPECT_DOUBLE_EQ(Variant(L"+7").toDouble(), 7);
    EXPECT_EQ(Variant(L"&HFF").toLong(), 255);
    EXPECT_EQ(Variant(L"&HFFFF").toInteger(), -1);
    EXPECT_EQ(Variant(L"&H8000000F").toColour(), 0x8000000Fu);
    EXPECT_EQ(Variant(L"&O17").toLong(), 15);
}

TEST(FormsVariant, ColoursKeepTheirBits) {
    Variant system = Variant::colour(0x80000005);
    EXPECT_EQ(system.type(), VariantType::Colour);
    EXPECT_EQ(system.toColour(), 0x80000005u);
    EXPECT_EQ(system.toLong(), static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(Variant(0xFF).toColour(), 0xFFu);
    EXPECT_EQ(Variant(-2147483643).toColour(), 0x80000005u);
}

TEST(FormsVariant, EqualityAcrossNumericTypesButNotKinds) {
    EXPECT_EQ(Variant(int16_t(5)), Variant(5));
    EXPECT_EQ(Variant(5), Variant(5.0));
    EXPECT_EQ(Variant(true), Variant(-1));
    EXPECT_EQ(Variant::colour(255), Variant(255));
    EXPECT_NE(Variant(5), Variant(L"5"));
    EXPECT_NE(Variant(0), Variant());
    EXPECT_NE(Variant(L""), Variant());
    EXPECT_EQ(Variant(), Variant());
    EXPECT_EQ(Variant::null(), Variant::null());
    EXPECT_NE(Variant::null(), Variant());
    EXPECT_NE(Variant(L"abc"), Variant(L"ABC"));
}

TEST(FormsVariant, FontsCompareByValueAndReadAsTheirName) {
    auto a = StdFont::create(L"Tahoma", 8.25);
    auto b = StdFont::create(L"tahoma", 8.25);
    EXPECT_EQ(Variant(a), Variant(b));
    b->setBold(true);
    EXPECT_NE(Variant(a), Variant(b));
    EXPECT_EQ(Variant(a).toString(), L"Tahoma");
    EXPECT_EQ(Variant(a).toFont(), a); // the same object, not a copy
    EXPECT_NE(Variant(a), Variant(std::shared_ptr<StdFont>()));
}

TEST(FormsVariant, PicturesCompareByIdentity) {
    auto p = StdPicture::empty();
    auto q = StdPicture::empty();
    EXPECT_EQ(Variant(p), Variant(p));
    EXPECT_NE(Variant(p), Variant(q));
    EXPECT_EQ(Variant(std::shared_ptr<StdPicture>()), Variant(std::shared_ptr<StdPicture>()));
    EXPECT_EQ(Variant(p).toString(), L"0");
}
