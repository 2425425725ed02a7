#include "combo_test_support.h"

#include "platform/core/variant.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"

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
    combo->setBackColor(forms::sysColor::ButtonFace);
    EXPECT_EQ(combo->BackColor(), GetSysColor(COLOR_BTNFACE));
    combo->setShadowColorText(forms::sysColor::DarkShadow3D);
    EXPECT_EQ(combo->ShadowColorText(), GetSysColor(COLOR_3DDKSHADOW));
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
    EXPECT_EQ(combo->look().ShadowColorText, forms::sysColor::DarkShadow3D);
}

TEST_F(ComboProperties, ALayoutSurvivesWritingAndReading) {
    auto font = forms::StdFont::create(L"Tahoma", 10, true);
    forms::PropertyBag layout{{L"AppearanceCombo", 4L},
                              {L"Style", 1L},
                              {L"Text", std::wstring(L"            En - Tr")},
                              {L"ArrowColor", forms::Variant::colour(0x123456)},
                              {L"ListGradient", true},
                              {L"Alignment", 2L},
                              {L"Enabled", false},
                              {L"Font", forms::Variant(font)},
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
    forms::PropertyBag written;
    c->save(written);
    EXPECT_EQ(written.size(), layout.size());
    for (const auto& [key, value] : layout.entries())
        EXPECT_TRUE(written.ReadProperty(key) == value) << std::string(key.begin(), key.end());
}

TEST_F(ComboProperties, AFontWriteNeverChangesTheFormsFont) {
    const std::wstring formFont = form->Font()->Name();
    EXPECT_NE(combo->Font(), form->Font());
    combo->setFont(forms::StdFont::create(L"Courier New", 12));
    EXPECT_EQ(combo->Font()->Name(), L"Courier New");
    EXPECT_EQ(form->Font()->Name(), formFont);
}

} // namespace
