#include "platform/core/text.h"
#include "platform/data/connection_string.h"
#include "platform/data/host_path.h"
#include "platform/data/text.h"

#include <gtest/gtest.h>

using namespace data;

TEST(DataConnectionString, ReadsTheStringsAsTheFormsBuildThem) {
    auto settings = parseConnectionString(L"Provider=Microsoft.jet.oledb.4.0; Data Source=C:\\Program "
                                          L"Files\\Vexa\\oracle\\lang.vex;Jet Oledb:Database "
                                          L"Password =47mivo582terobalk");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->file, L"C:\\Program Files\\Vexa\\oracle\\lang.vex");
    EXPECT_EQ(settings->password, L"47mivo582terobalk");

    // The dictionary's folder ends in "/oracle/" and the name follows with a backslash.
    auto dictionary = parseConnectionString(L"Provider=Microsoft.jet.oledb.4.0; Data "
                                            L"Source=C:\\Vexa/oracle/\\dat.vex;Jet Oledb:Database Password "
                                            L"=pim407talo863grube");
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(dictionary->file, L"C:\\Vexa\\oracle\\dat.vex");
    EXPECT_EQ(dictionary->password, L"pim407talo863grube");
}

TEST(DataConnectionString, KeysIgnoreCaseAndBlanksValuesMayBeQuoted) {
    auto target =
        parseConnectionString(L"  DATA   SOURCE = 'D:\\a;b\\x.vex' ;  jet oledb : database password=\"p w\"");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->file, L"D:\\a;b\\x.vex");
    EXPECT_EQ(target->password, L"p w");

    EXPECT_FALSE(parseConnectionString(L"Provider=Microsoft.jet.oledb.4.0;Password=x"));
    EXPECT_FALSE(parseConnectionString(L"Data Source=  ;"));
    auto noPassword = parseConnectionString(L"Data Source=x.vex;;");
    ASSERT_TRUE(noPassword);
    EXPECT_EQ(noPassword->password, L"");
}

TEST(DataConnectionString, SeparatorsAreNormalised) {
    EXPECT_EQ(normalisePath(L"C:\\prog/oracle/\\dat.vex"), L"C:\\prog\\oracle\\dat.vex");
    EXPECT_EQ(normalisePath(L"C://prog\\\\\\x"), L"C:\\prog\\x");
    EXPECT_EQ(normalisePath(L"\\\\server\\share//f.vex"), L"\\\\server\\share\\f.vex");
    EXPECT_EQ(normalisePath(L"oracle/lang.vex"), L"oracle\\lang.vex");
}

TEST(DataLikeKey, DoublesQuotesAndKeepsPatternCharacters) {
    EXPECT_EQ(likeKey(L"o'clock@"), L"o''clock@");
    EXPECT_EQ(likeKey(L"''"), L"''''");
    EXPECT_EQ(likeKey(L"100%_<>"), L"100%_<>");
    EXPECT_EQ(likeKey(L""), L"");
}

TEST(DataText, Utf8RoundTripsEveryPlane) {
    std::wstring text = L"ёйыщъ çğıİöşü ə € ";
    text += static_cast<wchar_t>(0xD83D); // U+1F600 as a surrogate pair
    text += static_cast<wchar_t>(0xDE00);
    std::string utf8 = core::toUtf8(text);
    EXPECT_EQ(core::fromUtf8(utf8), text);
    EXPECT_EQ(core::toUtf8(L"ё"), "\xD1\x91");
    EXPECT_EQ(utf8.substr(utf8.size() - 4), "\xF0\x9F\x98\x80");
}

TEST(DataText, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(core::fromUtf8("a\xFF"
                             "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(core::fromUtf8("\xC0\xAF"), L"\xFFFD\xFFFD"); // overlong
    EXPECT_EQ(core::fromUtf8("\xE2\x82"), L"\xFFFD");       // cut short
    std::wstring lone(1, static_cast<wchar_t>(0xD800));
    EXPECT_EQ(core::toUtf8(lone), "\xEF\xBF\xBD");
}

TEST(DataText, LowerCaseCoversTheDictionaryLetters) {
    EXPECT_EQ(lowerCase(L"HOUSE Ёж ЩИТ ЪЫЙ"), L"house ёж щит ъый");
    EXPECT_EQ(lowerCase(L"ÇĞİÖŞÜ ı"), L"çğiöşü ı");
    EXPECT_EQ(lowerCase(L"ĹŸŽƏ"), L"ĺÿžə");
}

TEST(DataConnectionString, AValueThatNeedsQuotesComesBackWhole) {
    for (const wchar_t* value : {L"C:\\a;b}c{d=e\\Словарь ə\\lang.vex", L"C:\\plain\\lang.vex", L"\"q\";'x",
                                 L" D:\\blank at the ends ", L"'single"}) {
        auto target = parseConnectionString(L"Provider=Microsoft.jet.oledb.4.0; Data Source=" +
                                            connectionValue(value) + L";Jet Oledb:Database Password =p;w");
        ASSERT_TRUE(target);
        EXPECT_EQ(target->file, normalisePath(value));
        EXPECT_EQ(target->password, L"p");
    }
    EXPECT_EQ(connectionValue(L"C:\\plain\\lang.vex"), L"C:\\plain\\lang.vex") << "quoted only when needed";
}
