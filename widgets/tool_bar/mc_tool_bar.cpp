// The tool bar's buttons and public members.
#include "widgets/tool_bar/mc_tool_bar.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/shared/list_text.h"
#include "widgets/shared/vni.h"
#include "widgets/tool_bar/mc_tool_bar_layout.h"
#include "widgets/tool_bar/mc_tool_bar_raster.h"

namespace widgets {

using forms::OnChange;

namespace {

// GetButtonValue and SetButtonValue: the field a number names.
namespace field {
constexpr long Type = 0, Caption = 1, Enabled = 2, Icon = 3, IconAllignment = 4, Pressed = 5, ToolTip = 6,
               ToolTipIcon = 7;
}

std::wstring shown(const std::wstring& stored) {
    return VniToUnicode(stored, kVniMarker);
}

} // namespace

McToolBar::McToolBar() : hooks_(*this) {}

McToolBar::~McToolBar() = default;

// --- Per-button properties

ToolBarButton* McToolBar::addressed() {
    return buttons_.has(look_.Button_Index) ? &buttons_.at(look_.Button_Index) : nullptr;
}

const ToolBarButton* McToolBar::addressed() const {
    return buttons_.has(look_.Button_Index) ? &buttons_.at(look_.Button_Index) : nullptr;
}

void McToolBar::setAddressed(const wchar_t* key, OnChange effect,
                             const std::function<void(ToolBarButton&)>& change) {
    ToolBarButton* record = addressed();
    if (!record) return;
    change(*record);
    PropertyChanged(key);
    propertyEffect(effect);
}

std::shared_ptr<forms::StdPicture> McToolBar::ButtonIcon() const {
    const ToolBarButton* r = addressed();
    return r ? r->Icon : nullptr;
}
void McToolBar::setButtonIcon(std::shared_ptr<forms::StdPicture> picture) {
    setAddressed(L"ButtonIcon", OnChange::Repaint, [&](ToolBarButton& r) { r.Icon = std::move(picture); });
}
std::wstring McToolBar::ButtonCaption() const {
    const ToolBarButton* r = addressed();
    return r ? shown(r->Caption) : std::wstring();
}
void McToolBar::setButtonCaption(const std::wstring& caption) {
    setAddressed(L"ButtonCaption", OnChange::Repaint, [&](ToolBarButton& r) { r.Caption = shown(caption); });
}
long McToolBar::Button_Type() const {
    const ToolBarButton* r = addressed();
    return r ? r->Type : 0;
}
void McToolBar::setButton_Type(long type) {
    setAddressed(L"Button_Type", OnChange::Relayout, [&](ToolBarButton& r) { r.Type = type; });
}
std::wstring McToolBar::ButtonToolTip() const {
    const ToolBarButton* r = addressed();
    return r ? r->ToolTip : std::wstring();
}
void McToolBar::setButtonToolTip(const std::wstring& text) {
    setAddressed(L"ButtonToolTip", OnChange::None, [&](ToolBarButton& r) { r.ToolTip = text; });
}
long McToolBar::ButtonToolTipIcon() const {
    const ToolBarButton* r = addressed();
    return r ? r->ToolTipIcon : 0;
}
void McToolBar::setButtonToolTipIcon(long icon) {
    setAddressed(L"ButtonToolTipIcon", OnChange::None, [&](ToolBarButton& r) { r.ToolTipIcon = icon; });
}
bool McToolBar::ButtonEnabled() const {
    const ToolBarButton* r = addressed();
    return r && r->Enabled;
}
void McToolBar::setButtonEnabled(bool on) {
    setAddressed(L"ButtonEnabled", OnChange::Repaint, [&](ToolBarButton& r) { r.Enabled = on; });
}
bool McToolBar::ButtonPressed() const {
    const ToolBarButton* r = addressed();
    return r && r->Pressed;
}
void McToolBar::setButtonPressed(bool on) {
    setAddressed(L"ButtonPressed", OnChange::Repaint, [&](ToolBarButton& r) { r.Pressed = on; });
}
long McToolBar::ButtonIconAllignment() const {
    const ToolBarButton* r = addressed();
    return r ? r->IconAllignment : 0;
}
void McToolBar::setButtonIconAllignment(long placement) {
    setAddressed(L"ButtonIconAllignment", OnChange::Repaint,
                 [&](ToolBarButton& r) { r.IconAllignment = placement; });
}

void McToolBar::setButtonRemove(long value) {
    if (value != 1) return;
    RemoveButton(look_.Button_Index);
    if (look_.Button_Index > look_.Button_Count) look_.Button_Index = look_.Button_Count;
    UserControl_Resize();
}

void McToolBar::setButtonMoveTo(long newIndex) {
    MoveButtonTo(look_.Button_Index, newIndex);
    look_.Button_Index = newIndex;
    DrawToolBar();
}

void McToolBar::setButtonInsertTo(long newIndex) {
    InsertButtonTo(look_.Button_Index, newIndex);
    look_.Button_Index = newIndex;
    DrawToolBar();
}

// --- Methods

core::Variant McToolBar::GetButtonValue(long buttonIndex, long propertyId) const {
    const ToolBarButton& r = buttons_.at(buttonIndex);
    switch (propertyId) {
    case field::Type:
        return core::Variant(r.Type);
    case field::Caption:
        return core::Variant(shown(r.Caption));
    case field::Enabled:
        return core::Variant(r.Enabled);
    case field::Icon:
        return core::Variant(r.Icon);
    case field::IconAllignment:
        return core::Variant(r.IconAllignment);
    case field::Pressed:
        return core::Variant(r.Pressed);
    case field::ToolTip:
        return core::Variant(r.ToolTip);
    case field::ToolTipIcon:
        return core::Variant(r.ToolTipIcon);
    default:
        return core::Variant();
    }
}

// The value is converted before the record changes, so a failed conversion keeps the old value.
void McToolBar::SetButtonValue(long buttonIndex, long propertyId, const core::Variant& newValue) {
    ToolBarButton& r = buttons_.at(buttonIndex);
    switch (propertyId) {
    case field::Type:
        r.Type = newValue.toLong();
        break;
    case field::Caption:
        r.Caption = newValue.toString();
        break;
    case field::Enabled:
        r.Enabled = newValue.toBoolean();
        break;
    case field::Icon:
        r.Icon = newValue.toPicture();
        break;
    case field::IconAllignment:
        r.IconAllignment = newValue.toLong();
        break;
    case field::Pressed:
        r.Pressed = newValue.toBoolean();
        break;
    case field::ToolTip:
        r.ToolTip = newValue.toString();
        break;
    case field::ToolTipIcon:
        r.ToolTipIcon = newValue.toLong();
        break;
    default:
        break;
    }
    DrawToolBar();
}

void McToolBar::RemoveButton(long buttonIndex) {
    const long before = buttons_.count();
    buttons_.remove(buttonIndex);
    if (buttons_.count() == before) return;
    look_.Button_Count = buttons_.count();
    UserControl_Resize();
}

void McToolBar::InsertButtonTo(long buttonIndex, long newIndex) {
    buttons_.insertTo(buttonIndex, newIndex);
    UserControl_Resize();
}

void McToolBar::MoveButtonTo(long buttonIndex, long newIndex) {
    buttons_.moveTo(buttonIndex, newIndex);
    UserControl_Resize();
}

bool McToolBar::PaintGrayScale(long hdc, long picture, long left, long top, long width, long height) {
    return toolbar::PaintGrayScale(reinterpret_cast<HDC>(static_cast<std::uintptr_t>(hdc)),
                                   reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(picture)), left, top,
                                   width, height);
}

// Measured with the bar's font, as the captions are drawn.
std::vector<std::wstring> McToolBar::SplitToLines(const std::wstring& text, long length, bool filterLines) {
    forms::Surface& s = surface();
    if (look_.Font) s.setFont(look_.Font);
    return widgets::SplitToLines(
        text, length, filterLines, [&s](const std::wstring& line) { return s.TextWidth(line); },
        &toolbar::IsDelim);
}

bool McToolBar::IsDelim(const std::wstring& character) {
    return toolbar::IsDelim(character);
}

long McToolBar::BlendColor(long colourFrom, long colourTo, long alpha) {
    return toolbar::BlendColor(colourFrom, colourTo, alpha);
}

long McToolBar::TranslateColor(long colour, HPALETTE palette) {
    return toolbar::TranslateColor(colour, palette);
}

// --- Layout

void McToolBar::GetButtonRect(long buttonIndex, long& x, long& y, bool inChevron) const {
    widgets::GetButtonRect(look_, buttons_, buttonIndex, x, y, inChevron);
}

long McToolBar::HitTest(long x, long y, bool inChevron) const {
    return widgets::HitTest(look_, buttons_, x, y, inChevron);
}

} // namespace widgets
