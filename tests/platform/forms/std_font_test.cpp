#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"

#include <gtest/gtest.h>

#include <vector>

using namespace forms;

TEST(FormsStdFont, HandleIsMadeAtScreenDpi) {
    ASSERT_EQ(StdFont::screenDpi(), 96);
    EXPECT_EQ(StdFont::heightForSize(8.25, 96), -11);
    EXPECT_EQ(StdFont::heightForSize(12, 96), -16);
    EXPECT_EQ(StdFont::heightForSize(10, 120), -17);
    auto font = StdFont::create(L"Tahoma", 8.25, true, true);
    EXPECT_EQ(font->Size(), 8.25); // the value set is kept
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(font->hFont(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
}

TEST(FormsStdFont, HandleIsCachedUntilAPropertyChanges) {
    auto font = StdFont::create(L"Tahoma", 9);
    HFONT first = font->hFont();
    EXPECT_EQ(font->hFont(), first);
    font->setSize(9); // unchanged: same handle
    EXPECT_EQ(font->hFont(), first);
    font->setUnderline(true);
    HFONT second = font->hFont();
    EXPECT_NE(second, first);
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(second, sizeof lf, &lf));
    EXPECT_TRUE(lf.lfUnderline);
    // the replaced handle stays usable (it may still be selected somewhere) and comes back with its state
    EXPECT_TRUE(GetObjectW(first, sizeof lf, &lf));
    font->setUnderline(false);
    EXPECT_EQ(font->hFont(), first);
    // switching back and forth many times makes no new handles
    for (int i = 0; i < 100; ++i) {
        font->setUnderline(i % 2 == 0);
        font->hFont();
    }
    EXPECT_EQ(font->hFont(), first);
}

TEST(FormsStdFont, BoldAndWeightAreOneValue) {
    StdFont font;
    EXPECT_EQ(font.Name(), L"MS Sans Serif");
    EXPECT_EQ(font.Weight(), 400);
    font.setBold(true);
    EXPECT_EQ(font.Weight(), 700);
    font.setWeight(600);
    EXPECT_TRUE(font.Bold());
    font.setWeight(599);
    EXPECT_FALSE(font.Bold());
    font.setBold(false);
    EXPECT_EQ(font.Weight(), 400);
}

TEST(FormsStdFont, RejectsImpossibleValues) {
    StdFont font;
    auto rejects = [](auto action) {
        try {
            action();
        } catch (const core::RuntimeError& e) {
            return e.number() == 380;
        }
        return false;
    };
    EXPECT_TRUE(rejects([&] { font.setSize(0); }));
    EXPECT_TRUE(rejects([&] { font.setSize(-8); }));
    EXPECT_TRUE(rejects([&] { font.setWeight(1001); }));
    EXPECT_TRUE(rejects([&] { font.setCharset(256); }));
    EXPECT_TRUE(rejects([&] { font.setName(std::wstring(40, L'a')); }));
    EXPECT_EQ(font.Size(), 8.25);
}

TEST(FormsStdFont, SharedByReferenceCloneIsIndependent) {
    auto font = StdFont::create(L"Tahoma", 8.25);
    font->setCharset(204);
    font->setStrikethrough(true);
    auto shared = font;
    auto copy = font->clone();
    EXPECT_TRUE(copy->sameAs(*font));
    EXPECT_EQ(copy->Charset(), 204);
    EXPECT_TRUE(copy->Strikethrough());
    shared->setBold(true);
    EXPECT_TRUE(font->Bold());
    EXPECT_FALSE(copy->Bold());
    copy->setName(L"Verdana");
    EXPECT_EQ(font->Name(), L"Tahoma");
    EXPECT_NE(copy->hFont(), font->hFont());
}

TEST(FormsStdFont, HandleInUseOutlivesManyOtherStatesAndRemovedListenersAreNotCalled) {
    auto font = StdFont::create(L"Tahoma", 8);
    const HFONT inUse = font->hFont();
    for (int i = 0; i < 40; ++i) {
        font->setSize(9 + i);
        font->hFont();
        font->setSize(8);
        ASSERT_EQ(font->hFont(), inUse) << "after " << i + 1 << " other sizes";
    }
    EXPECT_NE(GetObjectType(inUse), 0u);

    std::vector<int> called;
    int second = 0;
    font->addListener([&] {
        called.push_back(1);
        font->removeListener(second);
    });
    second = font->addListener([&] { called.push_back(2); });
    font->setItalic(true);
    EXPECT_EQ(called, std::vector<int>{1});
}
