#include "combo_test_support.h"

#include "platform/core/constants.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"

#include <vector>

namespace {

using namespace combotest;

class ComboProperties : public ComboTest {};

TEST_F(ComboProperties, ClampsAndLightensAsStored) {
    combo->setAppearanceCombo(0);
    EXPECT_EQ(combo->AppearanceCombo(), 1);
    combo->setAppearanceCombo(-5);
    EXPECT_EQ(combo->AppearanceCombo(), 1);
    combo->setAppearanceCombo(99);
    EXPECT_EQ(combo->AppearanceCombo(), 99);

    combo->setDisabledColor(0x808080);
    EXPECT_EQ(combo->DisabledColor(), 0xAEAEAEu);
    combo->setDisabledColor(0x404040);
    EXPECT_EQ(combo->DisabledColor(), 0x868686u);
    forms::PropertyBag bag;
    combo->save(bag);
    EXPECT_EQ(bag.ReadProperty(L"DisabledColor", 0L).toColour(), 0x404040u);

    // System colours are stored as the plain colour they stand for.
    combo->setBackColor(core::sysColor::ButtonFace);
    EXPECT_EQ(combo->BackColor(), GetSysColor(COLOR_BTNFACE));
    combo->setShadowColorText(core::sysColor::DarkShadow3D);
    EXPECT_EQ(combo->ShadowColorText(), GetSysColor(COLOR_3DDKSHADOW));
}

// A stored form goes through each property's write rule, as a write at run time does: a look below 1
// is look 1 and paints as it, and a system colour is kept as the plain colour it stands for.
TEST_F(ComboProperties, AStoredFormIsReadThroughTheWriteRules) {
    using core::Variant;
    struct Case {
        const wchar_t* key;
        core::Variant stored; // empty: the key is not stored
        core::Variant read;
    } cases[] = {
        {L"AppearanceCombo", core::Variant(0L), core::Variant(1L)},
        {L"AppearanceCombo", core::Variant(-5L), core::Variant(1L)},
        {L"AppearanceCombo", core::Variant(99L), core::Variant(99L)},
        {L"ArrowColor", core::Variant::colour(core::sysColor::ButtonText),
         core::Variant::colour(GetSysColor(COLOR_BTNTEXT))},
        {L"BackColor", core::Variant::colour(core::sysColor::ButtonFace),
         core::Variant::colour(GetSysColor(COLOR_BTNFACE))},
        {L"ShadowColorText", core::Variant(), core::Variant::colour(GetSysColor(COLOR_3DDKSHADOW))},
        {L"NormalColorText", core::Variant::colour(0x123456), core::Variant::colour(0x123456)},
    };
    for (const Case& c : cases) {
        forms::PropertyBag bag;
        if (!c.stored.isEmpty()) bag.WriteProperty(c.key, c.stored);
        auto read = forms::makeControl<widgets::SComboBox>();
        read->place(*form, L"stored", -1, 300, 900, 2100, 300);
        read->readStored(bag);
        EXPECT_TRUE(widgets::SComboBox::properties().row(c.key).get(*read) == c.read)
            << core::toUtf8(c.key) << " " << core::toUtf8(c.stored.toString());
    }

    const auto painted = [&](long look) {
        auto c = forms::makeControl<widgets::SComboBox>();
        c->place(*form, L"stored", -1, 300, 900, 2100, 300);
        forms::PropertyBag bag{{L"AppearanceCombo", look}, {L"Text", std::wstring(L"En - Tr")}};
        c->readStored(bag);
        forms::DoEvents();
        GdiFlush();
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 140; ++x) pixels.push_back(c->surface().pixel(x, y));
        return pixels;
    };
    EXPECT_TRUE(painted(0) == painted(1)) << "a stored look 0 paints as look 1";
}

TEST_F(ComboProperties, ListSizesFollowTheItems) {
    fillDirections(*combo);
    struct Case {
        bool rows;
        long value, stored;
    } cases[] = {{false, 7, 6}, {false, 6, 6}, {false, 0, 6}, {true, 5, 5}, {true, 6, 6}, {true, 1, 6}};
    for (const auto& c : cases) {
        if (c.rows) {
            combo->setNumberItemsToShow(c.value);
            EXPECT_EQ(combo->NumberItemsToShow(), c.stored) << c.value;
        } else {
            combo->setMaxListLength(c.value);
            EXPECT_EQ(combo->MaxListLength(), c.stored) << c.value;
        }
    }
    for (int i = 0; i < 14; ++i) combo->AddItem(L"more " + std::to_wstring(i));
    combo->setNumberItemsToShow(25);
    EXPECT_EQ(combo->NumberItemsToShow(), 12);
}

TEST_F(ComboProperties, AFormLoadedEmptyShowsAllOrSevenRows) {
    forms::PropertyBag empty;
    for (long items : {6L, 9L, 20L}) {
        auto c = forms::makeControl<widgets::SComboBox>();
        c->place(*form, L"stored", -1, 300, 900, 2100, 300);
        c->readStored(empty);
        EXPECT_EQ(c->state().numberItemsToShow, -1);
        for (long i = 0; i < items; ++i) c->AddItem(L"item " + std::to_wstring(i));
        EXPECT_EQ(c->NumberItemsToShow(), items > 8 ? 7 : items);
        EXPECT_EQ(c->state().numberItemsToShow, -1); // reading works it out, storing waits for a host
    }
}

TEST_F(ComboProperties, PointerAndIconOnlyStore) {
    const size_t before = combo->changedProperties().size();
    combo->setMousePointer(2);
    combo->setMouseIcon(nullptr);
    EXPECT_EQ(combo->changedProperties().size(), before);
    EXPECT_EQ(combo->MousePointer(), 2);
    combo->setStyle(1);
    EXPECT_EQ(combo->changedProperties().back(), L"Style");
}

TEST_F(ComboProperties, ANewControlWritesOnlyItsNameAsText) {
    forms::PropertyBag bag;
    combo->save(bag);
    EXPECT_EQ(combo->Text(), L"co");
    EXPECT_TRUE(bag == forms::PropertyBag{}) << "a new control writes nothing";
    EXPECT_EQ(combo->look().ShadowColorText, core::sysColor::DarkShadow3D);
}

TEST_F(ComboProperties, ALayoutSurvivesWritingAndReading) {
    auto font = forms::StdFont::create(L"Tahoma", 10, true);
    forms::PropertyBag layout{{L"AppearanceCombo", 4L},
                              {L"Style", 1L},
                              {L"Text", std::wstring(L"            En - Tr")},
                              {L"ArrowColor", core::Variant::colour(0x123456)},
                              {L"ListGradient", true},
                              {L"Alignment", 2L},
                              {L"Enabled", false},
                              {L"Font", core::Variant(font)},
                              {L"XpAppearance", 7L}};
    auto c = forms::makeControl<widgets::SComboBox>();
    c->place(*form, L"co2", -1, 300, 900, 2100, 300);
    c->readStored(layout);
    EXPECT_EQ(c->AppearanceCombo(), 4);
    EXPECT_EQ(c->Style(), 1);
    EXPECT_EQ(c->Text(), L"            En - Tr");
    EXPECT_FALSE(c->Enabled());
    EXPECT_NE(c->Font(), font);
    EXPECT_EQ(c->Font()->Name(), L"Tahoma");
    // Read through its write rule, the shadow colour left at its default (a system colour) is kept as
    // the plain colour it stands for, and written from then on.
    forms::PropertyBag written;
    c->save(written);
    EXPECT_EQ(written.size(), layout.size() + 1);
    for (const auto& [key, value] : layout.entries())
        EXPECT_TRUE(written.ReadProperty(key) == value) << std::string(key.begin(), key.end());
    EXPECT_EQ(written.ReadProperty(L"ShadowColorText").toColour(), GetSysColor(COLOR_3DDKSHADOW));
    auto again = forms::makeControl<widgets::SComboBox>();
    again->place(*form, L"co3", -1, 300, 900, 2100, 300);
    forms::PropertyBag copy = written, rewritten;
    again->readStored(copy);
    again->save(rewritten);
    EXPECT_TRUE(rewritten == written);
}

TEST_F(ComboProperties, AFontWriteNeverChangesTheFormsFont) {
    const std::wstring formFont = form->Font()->Name();
    EXPECT_NE(combo->Font(), form->Font());
    combo->setFont(forms::StdFont::create(L"Courier New", 12));
    EXPECT_EQ(combo->Font()->Name(), L"Courier New");
    EXPECT_EQ(form->Font()->Name(), formFont);
}

} // namespace
