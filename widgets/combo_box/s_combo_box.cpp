// The combo box: its parts, its items and the selection.
#include "widgets/combo_box/s_combo_box.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/layout.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/combo_box/combo_theme.h"

#include <ctime>

namespace widgets {

namespace {
constexpr int HoverInterval = 100;
constexpr int ScrollBarWidth = 17;
} // namespace

SComboBox::SComboBox() : theme_(&ThemeProvider::system()) {}

SComboBox::~SComboBox() {
    watchOutsidePresses(false);
}

void SComboBox::registerType() {
    forms::registerControlType<SComboBox>(L"SComboBox");
}

void SComboBox::UserControl_Initialize() {
    surface().setScaleMode(core::scale::Pixels);
    createRuntimeControls();
}

// The edit box and the hover timer; the drop-down list waits until it first opens.
void SComboBox::createRuntimeControls() {
    txtCombo_ = forms::placeControl<forms::TextBox>(*this, L"txtCombo", 8, 4, 40, 14);
    txtCombo_->setBorderStyle(core::controlBorder::None);
    txtCombo_->setText(L"");
    txtCombo_->Change.handle([this] { onEditChange(); });
    txtCombo_->KeyDown.handle([this](int& key, int shift) { onEditKeyDown(key, shift); });
    txtCombo_->MouseMove.handle([this](int, int, float, float) {
        if (!listVisible()) startHoverTimer();
    });
    txtCombo_->GotFocus.handle([this] {
        txtCombo_->setSelStart(0);
        txtCombo_->setSelLength(static_cast<int>(txtCombo_->Text().size()));
    });

    tmrFocus_ = forms::placeControl<forms::Timer>(*this, L"tmrFocus", 0, 0, 0, 0);
    tmrFocus_->setInterval(HoverInterval);
    tmrFocus_->setEnabled(false);
    tmrFocus_->Tick.handle([this] { onHoverTick(); });
}

// The drop-down list and its bar: windows of their own (the list one above every other) that no
// paint of the closed combo needs.
void SComboBox::createList() {
    if (picList_) return;
    picList_ = forms::placeControl<forms::PictureBox>(*this, L"picList", 0, 0, 100, 100);
    picList_->setVisible(false);
    picList_->setBorderStyle(core::controlBorder::None);
    picList_->setScaleMode(core::scale::Pixels);
    picList_->setFloating(true);
    picList_->MouseMove.handle([this](int, int, float, float y) { onListMouseMove(y); });
    picList_->Click.handle([this] { onListClick(); });

    scrollI_ = forms::placeControl<forms::VScrollBar>(*picList_, L"scrollI", 0, 1, ScrollBarWidth, 98);
    scrollI_->setVisible(false);
    scrollI_->setMin(0);
    scrollI_->setMax(0);
    scrollI_->Change.handle([this] { onScrollChange(); });
    scrollI_->Scroll.handle([this] { onScrollChange(); });
    picList_->setBackColor(look_.ListColor);
}

void SComboBox::UserControl_Terminate() {
    watchOutsidePresses(false);
    items_.clear();
    tmrFocus_.reset();
    scrollI_.reset();
    picList_.reset();
    txtCombo_.reset();
}

// --- Items

void SComboBox::AddItem(std::wstring Item, uint32_t ColorTextItem,
                        std::shared_ptr<forms::StdPicture> ImageItem, bool EnabledItem,
                        std::wstring ToolTipTextItem, long IndexItem, std::wstring ItemTag,
                        std::shared_ptr<forms::StdPicture> MouseIcon, bool SeparatorLine, bool TextShadow) {
    ComboItem item;
    item.text = std::move(Item);
    item.colour = ColorTextItem;
    item.picture = std::move(ImageItem);
    item.enabled = EnabledItem;
    item.toolTip = std::move(ToolTipTextItem);
    item.tag = std::move(ItemTag);
    item.mouseIcon = std::move(MouseIcon);
    item.separator = SeparatorLine;
    item.textShadow = TextShadow;
    const long count = items_.add(std::move(item), IndexItem);
    setMaxListLength(count);
    RaiseEvent(TotalItems, count);
}

void SComboBox::ChangeItem(long Index, std::wstring Item, uint32_t ColorTextItem,
                           std::shared_ptr<forms::StdPicture> ImageItem, bool EnabledItem,
                           std::wstring ToolTipTextItem, long IndexItem, std::wstring ItemTag,
                           std::shared_ptr<forms::StdPicture> MouseIcon, bool SeparatorLine) {
    ComboItem item;
    item.text = std::move(Item);
    item.colour = ColorTextItem;
    item.picture = std::move(ImageItem);
    item.enabled = EnabledItem;
    item.toolTip = std::move(ToolTipTextItem);
    item.tag = std::move(ItemTag);
    item.mouseIcon = std::move(MouseIcon);
    item.separator = SeparatorLine;
    items_.change(Index, std::move(item), IndexItem);
}

void SComboBox::Clear() {
    items_.clear();
    writeText(L"", TextWrite::Silent);
    state_.selected = -1;
    state_.hot = -1;
    state_.cursor = -1;
    if (!RaiseEvent(TotalItems, 0L)) return;
    Refresh();
}

void SComboBox::RemoveItem(long Index) {
    core::bestEffort(L"SComboBox.RemoveItem", [&] {
        if (!items_.remove(Index)) return;
        if (state_.selected == Index) {
            state_.selected = -1;
            writeText(L"", TextWrite::Silent);
        } else if (state_.selected > Index) {
            --state_.selected;
        }
        state_.hot = -1;
        state_.cursor = -1;
        Refresh();
        setMaxListLength(MaxListLength() - 1);
        RaiseEvent(TotalItems, items_.count());
    });
}

long SComboBox::FindItemText(const std::wstring& Text, long Compare) const {
    return items_.find(Text, Compare);
}

void SComboBox::OrderList(int Order) {
    state_.selected = items_.order(Order, state_.selected);
}

void SComboBox::ItemEnabled(long ListIndex, bool ValueItem) {
    if (items_.exists(ListIndex)) items_.at(ListIndex).enabled = ValueItem;
}

std::wstring SComboBox::ItemTag(long ListIndex) const {
    return items_.exists(ListIndex) ? items_.at(ListIndex).tag : std::wstring();
}

std::wstring SComboBox::list(long ListIndex) {
    std::wstring text = ListIndex == 0 ? std::wstring() : items_.at(ListIndex).text;
    state_.selected = ListIndex;
    state_.hot = ListIndex - 1;
    Redraw();
    return text;
}

// --- Selection

long SComboBox::SetListIndex(long value) {
    if (items_.count() > 0 && value == -1) value = state_.selected == 0 ? -1 : state_.selected;
    if (value > 0) {
        state_.selected = value;
        state_.hot = value - 1;
        if (items_.exists(value)) writeText(items_.at(value).text, TextWrite::Silent);
    }
    return value;
}

long SComboBox::ListIndex() {
    return SetListIndex(-1);
}

void SComboBox::setListIndex(long value) {
    SetListIndex(value);
}

void SComboBox::setText(const std::wstring& text) {
    writeText(text, TextWrite::ExactMatch);
}

// Stores the text, shows it in the edit box and repaints.
void SComboBox::writeText(const std::wstring& text, TextWrite how) {
    look_.Text = text;
    if (txtCombo_ && txtCombo_->Text() != text) setEditText(text, how);
    Redraw();
    PropertyChanged(L"Text");
}

// The edit box's change notice runs the typed-text handling only as `how` says; a failed write
// leaves the handling as it was.
void SComboBox::setEditText(const std::wstring& text, TextWrite how) {
    const TextWrite previous = std::exchange(textWrite_, how);
    try {
        txtCombo_->setText(text);
    } catch (...) {
        textWrite_ = previous;
        throw;
    }
    textWrite_ = previous;
}

std::wstring SComboBox::GetControlVersion() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return L"SComboBox 1.0 (c) " + std::to_wstring(local.tm_year + 1900);
}

} // namespace widgets
