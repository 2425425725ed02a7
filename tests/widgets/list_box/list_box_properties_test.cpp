#include "list_box_test_support.h"

#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/core/variant.h"
#include "support/settle.h"

#include <cmath>

namespace {

using namespace listtest;

class ListBoxProperties : public ListBoxTest {
protected:
    std::shared_ptr<widgets::McListBox> stored(forms::PropertyBag& bag) {
        auto l = forms::makeControl<widgets::McListBox>();
        l->place(*form, L"stored", -1, 150, 150, 3000, 1500);
        l->readStored(bag);
        return l;
    }
};

TEST_F(ListBoxProperties, DefaultsAreNotStoredAndReadBackAsDefaults) {
    auto fresh = forms::placeControl<widgets::McListBox>(*form, L"fresh", 150, 150, 3000, 1500);
    forms::PropertyBag bag;
    fresh->save(bag);
    EXPECT_TRUE(bag.empty()) << bag.size();

    auto l = stored(bag);
    EXPECT_EQ(l->BackColor(), 0xFFFFFF);
    EXPECT_EQ(l->Forecolor(), static_cast<long>(0x80000012));
    EXPECT_EQ(l->SelColor(), 0xFF8C1A);
    EXPECT_EQ(l->SelForeColor(), 0xFFFFFF);
    EXPECT_EQ(l->Appearance(), 1);
    EXPECT_EQ(l->BorderStyle(), 1);
    EXPECT_TRUE(l->IconFocus());
    EXPECT_TRUE(l->FocusRectangle());
    EXPECT_EQ(l->RowHeight(), 22);
    EXPECT_EQ(l->GridColor(), static_cast<long>(0x8000000F));
    EXPECT_EQ(l->BackGradientCol(), 0xC0C0C0);
    EXPECT_EQ(l->SelGradientCol(), 0xFFFFFF);
    EXPECT_EQ(l->SelectionStyle(), 1);
    EXPECT_EQ(l->SortOrder(), 0);
    EXPECT_FALSE(l->MultiSelect() || l->ShowIcon() || l->FlatScrollBar() || l->AutoHideScrollBars() ||
                 l->GridLines() || l->StrechIcon() || l->FullRowSelect());
    EXPECT_EQ(l->Picture(), nullptr);
    EXPECT_EQ(l->MousePointer(), 0);
    EXPECT_TRUE(l->Font()->sameAs(*form->Font()));
    EXPECT_NE(l->Font(), form->Font()); // a copy: a change of the form's font leaves the rows alone
    EXPECT_TRUE(l->scrollBars().UseStandardBars);
    // The border is the window's own: a sunken edge.
    EXPECT_TRUE(GetWindowLongPtrW(l->hWnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

// Every stored row: a value away from its default is read, kept and written again under its key,
// and it alone is written.
TEST_F(ListBoxProperties, EveryRowSurvivesAReadAndAWrite) {
    using core::VariantType;
    const auto picture = forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_APPLICATION));
    const auto font = forms::StdFont::create(L"Courier New", 14);
    for (const auto& row : widgets::McListBox::properties().rows()) {
        const core::Variant def = row.storedDefault(*list);
        core::Variant value;
        switch (def.type()) {
        case core::VariantType::Boolean:
            value = core::Variant(!def.toBoolean());
            break;
        case core::VariantType::Integer:
            value = core::Variant(static_cast<int16_t>(def.toLong() == 0 ? 1 : 0));
            break;
        case core::VariantType::Font:
            value = core::Variant(font);
            break;
        case core::VariantType::Picture:
        case core::VariantType::Empty:
            value = core::Variant(picture);
            break;
        default:
            value = core::Variant(static_cast<long>(def.toLong() == 0 ? 3 : def.toLong() - 1));
            break;
        }
        forms::PropertyBag bag;
        bag.WriteProperty(row.key, value, def);
        ASSERT_EQ(bag.size(), 1u) << row.key;
        auto l = stored(bag);
        EXPECT_TRUE(row.get(*l) == value) << row.key;
        forms::PropertyBag saved;
        l->save(saved);
        EXPECT_TRUE(saved == bag) << row.key;
    }
}

TEST_F(ListBoxProperties, StoredValuesComeBackAndAutoHideIsWrittenLast) {
    // The headword list of the main window.
    auto font = forms::StdFont::create(L"Times New Roman", 12);
    font->setCharset(162);
    forms::PropertyBag bag{
        {L"SortOrder", -1L},   {L"FocusRectangle", false},   {L"AutoHideScrollBars", true},
        {L"SelForeColor", 0L}, {L"BorderStyle", int16_t{0}}, {L"MousePointer", 99L},
        {L"RowHeight", 30L},   {L"FlatScrollBar", true},     {L"Font", core::Variant(font)}};
    auto l = stored(bag);
    EXPECT_EQ(l->SortOrder(), -1);
    EXPECT_FALSE(l->FocusRectangle());
    EXPECT_TRUE(l->AutoHideScrollBars());
    EXPECT_EQ(l->SelForeColor(), 0);
    EXPECT_EQ(l->BorderStyle(), 0);
    EXPECT_EQ(l->MousePointer(), 99);
    EXPECT_EQ(l->RowHeight(), 30);
    EXPECT_TRUE(l->FlatScrollBar());
    EXPECT_FALSE(l->scrollBars().UseStandardBars);
    EXPECT_EQ(l->Font()->Name(), L"Times New Roman");
    EXPECT_EQ(l->Font()->Charset(), 162);
    EXPECT_FALSE(GetWindowLongPtrW(l->hWnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    forms::PropertyBag saved;
    l->save(saved);
    EXPECT_EQ(saved.size(), 9u);
    ASSERT_FALSE(saved.entries().empty());
    EXPECT_EQ(saved.entries().back().first, L"AutoHideScrollBars");
    EXPECT_EQ(saved.ReadProperty(L"MousePointer").toLong(), 99);
    auto again = stored(saved);
    forms::PropertyBag savedAgain;
    again->save(savedAgain);
    EXPECT_TRUE(saved == savedAgain);
}

TEST_F(ListBoxProperties, RowHeightNeverBelowTheTextAndSettersRepaint) {
    list->setFont(forms::StdFont::create(L"Tahoma", 8));
    const long text = static_cast<long>(std::lround(list->surface().TextHeight(L"A")));
    list->setRowHeight(5);
    EXPECT_EQ(list->RowHeight(), text);
    list->setRowHeight(40);
    EXPECT_EQ(list->RowHeight(), 40);
    EXPECT_EQ(list->visibleRowCount(), 2);
    list->setFont(forms::StdFont::create(L"Tahoma", 40));
    EXPECT_GT(list->RowHeight(), 40);
    EXPECT_EQ(list->changedProperties().back(), L"Font");

    list->setBackColor(0x00FF00);
    EXPECT_EQ(pixel(100, 90), 0x00FF00u);
    list->setForecolor(0x123456);
    EXPECT_EQ(list->changedProperties().back(), L"ForeColor");
}

TEST_F(ListBoxProperties, MultiSelectAndFlatBarsAndPointerFields) {
    fill(5);
    list->setMultiSelect(true);
    list->SelectAll();
    list->setListIndex(2);
    list->SelectAll();
    list->setMultiSelect(false);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->SelItem(0), 2);

    EXPECT_TRUE(list->scrollBars().UseStandardBars);
    list->setFlatScrollBar(true);
    EXPECT_FALSE(list->scrollBars().UseStandardBars);
    EXPECT_EQ(list->scrollBars().ScrollWindow, list->hWnd());
    list->setFlatScrollBar(false);
    EXPECT_TRUE(list->scrollBars().UseStandardBars);
    EXPECT_EQ(list->scrollBars().ScrollWindow, list->hWnd());

    const size_t changes = list->changedProperties().size();
    list->setMousePointer(99);
    list->setImageList(nullptr);
    EXPECT_EQ(list->changedProperties().size(), changes);
    EXPECT_EQ(list->MousePointer(), 99);
}

} // namespace

// Standard bars use nothing of the flat library, whose initialisation loads it: on a form it waits
// until the form has been painted. Flat bars are initialised at once.
TEST(ListBoxScrollBarStart, StandardBarsInitialiseTheFlatLibraryAfterTheFormsPaint) {
    auto form = std::make_shared<listtest::ListForm>();
    form->load();
    auto standard = forms::placeControl<widgets::McListBox>(*form, L"standard", 150, 150, 3000, 1500);
    auto flat = forms::placeControl<widgets::McListBox>(*form, L"flat", 150, 1800, 3000, 1500);
    flat->setFlatScrollBar(true);
    EXPECT_EQ(standard->scrollBars().ScrollWindow, standard->hWnd());
    EXPECT_FALSE(standard->scrollBars().SB_Initialised());
    EXPECT_TRUE(flat->scrollBars().SB_Initialised());
    form->Show();
    testsupport::settle(*form);
    EXPECT_TRUE(standard->scrollBars().SB_Initialised());
    EXPECT_TRUE(standard->scrollBars().UseStandardBars);
    form->Unload();
}
