// The combo box's stored properties and how they are kept with the form.
#include "widgets/combo_box/s_combo_box.h"

#include "platform/core/constants.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

namespace widgets {

using forms::OnChange;

namespace {

// Rows the open list shows when there are more items than that.
constexpr long RowsShownOfLongList = 7;
constexpr long LongListItems = 8;

// Below the first look a number has no meaning; there is no upper limit.
long atLeastFirstAppearance(long look) {
    return look < comboAppearance::Office ? comboAppearance::Office : look;
}

// A system colour is looked up in the system's table before the platform translates it.
uint32_t plainColour(uint32_t colour) {
    return TranslateColor(SysColorToRGB(colour));
}

} // namespace

const forms::PropertyTable<SComboBox>& SComboBox::properties() {
    using C = SComboBox;
    using forms::field;
    const std::shared_ptr<forms::StdPicture> noPicture;
    forms::PropertyRow<C> text;
    text.key = L"Text";
    text.storedDefault = [](C& c) { return core::Variant(c.Ambient().DisplayName); };
    text.initial = text.storedDefault;
    text.get = [](C& c) { return core::Variant(c.look_.Text); };
    text.put = [](C& c, const core::Variant& v) { c.look_.Text = v.toString(); };
    static const forms::PropertyTable<C> table{
        field<C>(
            L"Alignment", [](C & c) -> auto& { return c.look_.Alignment; }, 0L, OnChange::None),
        field<C>(
            L"AppearanceCombo", [](C & c) -> auto& { return c.look_.AppearanceCombo; }, 1L)
            .writesThrough<long>(atLeastFirstAppearance),
        field<C>(
            L"ArrowColor", [](C & c) -> auto& { return c.look_.ArrowColor; }, 0xC56A31u)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"AutoCompleteWord", [](C & c) -> auto& { return c.look_.AutoCompleteWord; }, false,
            OnChange::None),
        field<C>(
            L"BackColor", [](C & c) -> auto& { return c.look_.BackColor; }, 0xFFFFFFu)
            .writesThrough<uint32_t>(plainColour),
        field<C>(
            L"DisabledColor", [](C & c) -> auto& { return c.look_.DisabledColor; }, 0x808080u)
            .writesThrough<uint32_t>(plainColour),
        field<C>(
            L"DisabledPictureUser", [](C & c) -> auto& { return c.look_.DisabledPictureUser; }, noPicture),
        field<C>(
            L"Enabled", [](C & c) -> auto& { return c.look_.Enabled; }, true),
        field<C>(
            L"FocusPictureUser", [](C & c) -> auto& { return c.look_.FocusPictureUser; }, noPicture,
            OnChange::None),
        forms::fontField<C>(
            L"Font", [](C & c) -> auto& { return c.look_.Font; }, OnChange::Repaint),
        field<C>(
            L"GradientColor1", [](C & c) -> auto& { return c.look_.GradientColor1; }, 0xDAB278u)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"GradientColor2", [](C & c) -> auto& { return c.look_.GradientColor2; }, 0xFFDD9Eu)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"HighLightBorderColor", [](C & c) -> auto& { return c.look_.HighLightBorderColor; }, 0xC56A31u,
            OnChange::None)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"HighLightColorText", [](C & c) -> auto& { return c.look_.HighLightColorText; }, 0xFFFFFFu,
            OnChange::None)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"HighLightPictureUser", [](C & c) -> auto& { return c.look_.HighLightPictureUser; }, noPicture,
            OnChange::None),
        field<C>(
            L"ListColor", [](C & c) -> auto& { return c.look_.ListColor; }, 0xFFFFFFu)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"ListGradient", [](C & c) -> auto& { return c.look_.ListGradient; }, false, OnChange::None),
        field<C>(
            L"ListPositionShow", [](C & c) -> auto& { return c.look_.ListPositionShow; }, 0L, OnChange::None),
        field<C>(
            L"MaxListLength", [](C & c) -> auto& { return c.look_.MaxListLength; }, 10L, OnChange::None),
        field<C>(
            L"MouseIcon", [](C & c) -> auto& { return c.look_.MouseIcon; }, noPicture, OnChange::None),
        field<C>(
            L"MousePointer", [](C & c) -> auto& { return c.look_.MousePointer; }, 0L, OnChange::None),
        field<C>(
            L"NormalBorderColor", [](C & c) -> auto& { return c.look_.NormalBorderColor; }, 0xDEEDEFu)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"NormalColorText", [](C & c) -> auto& { return c.look_.NormalColorText; }, 0xC56A31u)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"NormalPictureUser", [](C & c) -> auto& { return c.look_.NormalPictureUser; }, noPicture),
        field<C>(
            L"NumberItemsToShow", [](C & c) -> auto& { return c.look_.NumberItemsToShow; }, 7L,
            OnChange::None),
        field<C>(
            L"OfficeAppearance", [](C & c) -> auto& { return c.look_.OfficeAppearance; }, 0L),
        field<C>(
            L"SelectBorderColor", [](C & c) -> auto& { return c.look_.SelectBorderColor; }, 0xC56A31u,
            OnChange::None)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"SelectListBorderColor", [](C & c) -> auto& { return c.look_.SelectListBorderColor; }, 0x6B2408u,
            OnChange::None)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"SelectListColor", [](C & c) -> auto& { return c.look_.SelectListColor; }, 0xC56A31u,
            OnChange::None)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"ShadowColorText", [](C & c) -> auto& { return c.look_.ShadowColorText; },
            uint32_t{core::sysColor::DarkShadow3D}, OnChange::None)
            .writesThrough<uint32_t>(TranslateColor),
        field<C>(
            L"Style", [](C & c) -> auto& { return c.look_.Style; }, 0L),
        std::move(text),
        field<C>(
            L"XpAppearance", [](C & c) -> auto& { return c.look_.XpAppearance; }, 1L),
    };
    return table;
}

void SComboBox::propertyEffect(OnChange effect) {
    if (effect != OnChange::None) Redraw();
}

// --- Plain setters

void SComboBox::setAlignment(long v) {
    setProperty(properties(), L"Alignment", v);
}
void SComboBox::setAutoCompleteWord(bool v) {
    setProperty(properties(), L"AutoCompleteWord", v);
}
void SComboBox::setDisabledPictureUser(std::shared_ptr<forms::StdPicture> v) {
    setProperty(properties(), L"DisabledPictureUser", v);
}
void SComboBox::setFocusPictureUser(std::shared_ptr<forms::StdPicture> v) {
    setProperty(properties(), L"FocusPictureUser", v);
}
void SComboBox::setHighLightPictureUser(std::shared_ptr<forms::StdPicture> v) {
    setProperty(properties(), L"HighLightPictureUser", v);
}
void SComboBox::setListGradient(bool v) {
    setProperty(properties(), L"ListGradient", v);
}
void SComboBox::setListPositionShow(long v) {
    setProperty(properties(), L"ListPositionShow", v);
}
void SComboBox::setNormalPictureUser(std::shared_ptr<forms::StdPicture> v) {
    setProperty(properties(), L"NormalPictureUser", v);
}
void SComboBox::setOfficeAppearance(long v) {
    setProperty(properties(), L"OfficeAppearance", v);
}
void SComboBox::setStyle(long v) {
    setProperty(properties(), L"Style", v);
}
void SComboBox::setXpAppearance(long v) {
    setProperty(properties(), L"XpAppearance", v);
}

// Colours are stored as the plain colour they stand for now (the rows' write rules).
void SComboBox::setArrowColor(uint32_t v) {
    setProperty(properties(), L"ArrowColor", v);
}
void SComboBox::setGradientColor1(uint32_t v) {
    setProperty(properties(), L"GradientColor1", v);
}
void SComboBox::setGradientColor2(uint32_t v) {
    setProperty(properties(), L"GradientColor2", v);
}
void SComboBox::setHighLightBorderColor(uint32_t v) {
    setProperty(properties(), L"HighLightBorderColor", v);
}
void SComboBox::setHighLightColorText(uint32_t v) {
    setProperty(properties(), L"HighLightColorText", v);
}
void SComboBox::setNormalBorderColor(uint32_t v) {
    setProperty(properties(), L"NormalBorderColor", v);
}
void SComboBox::setNormalColorText(uint32_t v) {
    setProperty(properties(), L"NormalColorText", v);
}
void SComboBox::setSelectBorderColor(uint32_t v) {
    setProperty(properties(), L"SelectBorderColor", v);
}
void SComboBox::setSelectListBorderColor(uint32_t v) {
    setProperty(properties(), L"SelectListBorderColor", v);
}
void SComboBox::setSelectListColor(uint32_t v) {
    setProperty(properties(), L"SelectListColor", v);
}
void SComboBox::setShadowColorText(uint32_t v) {
    setProperty(properties(), L"ShadowColorText", v);
}
void SComboBox::setBackColor(uint32_t v) {
    setProperty(properties(), L"BackColor", v);
}
void SComboBox::setDisabledColor(uint32_t v) {
    setProperty(properties(), L"DisabledColor", v);
}
void SComboBox::setAppearanceCombo(long v) {
    setProperty(properties(), L"AppearanceCombo", v);
}

// --- Setters that do more

void SComboBox::setListColor(uint32_t v) {
    setProperty(properties(), L"ListColor", v);
    if (picList_) picList_->setBackColor(look_.ListColor);
}

bool SComboBox::Enabled() const {
    return UserControl::Enabled();
}

void SComboBox::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    look_.Enabled = enabled;
    if (txtCombo_) txtCombo_->setEnabled(enabled);
    Redraw();
    PropertyChanged(L"Enabled");
}

// A copy of the given font's looks goes into the control's own font, never the form's.
void SComboBox::setFont(const std::shared_ptr<forms::StdFont>& font) {
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    const std::shared_ptr<forms::StdFont> ambient = ambientFont();
    if (!look_.Font || look_.Font == ambient)
        look_.Font = ambient ? ambient->clone() : forms::StdFont::create();
    look_.Font->setName(font->Name());
    look_.Font->setSize(font->Size());
    look_.Font->setBold(font->Bold());
    look_.Font->setItalic(font->Italic());
    look_.Font->setUnderline(font->Underline());
    look_.Font->setStrikethrough(font->Strikethrough());
    PropertyChanged(L"Font");
    Redraw();
}

// Follows the items: a value outside 1 to the item count takes the item count.
void SComboBox::setMaxListLength(long v) {
    look_.MaxListLength = state_.maxListLength = v >= items_.slotCount() || v < 1 ? ListCount() : v;
    PropertyChanged(L"MaxListLength");
}

void SComboBox::setNumberItemsToShow(long v) {
    const long most = MaxListLength();
    state_.numberItemsToShow = v > 1 && v < most      ? v
                               : most > LongListItems ? most - LongListItems
                                                      : ListCount();
    look_.NumberItemsToShow = state_.numberItemsToShow;
    PropertyChanged(L"NumberItemsToShow");
}

// A negative stored value stays stored; each read works the rows out from the items.
long SComboBox::NumberItemsToShow() const {
    if (state_.numberItemsToShow >= 0) return state_.numberItemsToShow;
    const long most = MaxListLength();
    return most > LongListItems ? RowsShownOfLongList : most;
}

// --- Persistence

void SComboBox::UserControl_InitProperties() {
    properties().init(*this);
    state_.selected = -1;
    state_.maxListLength = look_.MaxListLength;
    state_.numberItemsToShow = look_.NumberItemsToShow;
    applyStored();
}

// Every stored value goes through its property's write rule, as a write at run time does.
void SComboBox::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    // The list sizes in use follow the items, which a form never holds while it loads; the stored
    // values are kept, so a layout read and written again is the same.
    const ComboLook stored = look_;
    setMaxListLength(stored.MaxListLength);
    setNumberItemsToShow(stored.NumberItemsToShow);
    look_.MaxListLength = stored.MaxListLength;
    look_.NumberItemsToShow = stored.NumberItemsToShow;
    applyStored();
}

void SComboBox::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
}

// What the stored values mean beyond their fields.
void SComboBox::applyStored() {
    UserControl::setEnabled(look_.Enabled);
    if (txtCombo_) txtCombo_->setEnabled(look_.Enabled);
    if (picList_) picList_->setBackColor(look_.ListColor);
    writeText(look_.Text, TextWrite::ExactMatch);
}

} // namespace widgets
