// The list box's items, selection and public members; its life cycle.
#include "widgets/list_box/mc_list_box.h"

#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/functions.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/shared/list_color.h"
#include "widgets/shared/list_text.h"

#include <algorithm>

namespace widgets {

namespace {

McListBox::KeyStateSource keyStateSource = &GetKeyState;

} // namespace

McListBox::McListBox() : hooks_(*this) {}

McListBox::~McListBox() = default;

McListBox::KeyStateSource McListBox::setKeyStateSource(KeyStateSource source) {
    KeyStateSource was = keyStateSource;
    keyStateSource = source ? source : &GetKeyState;
    return was;
}

bool McListBox::keyDown(int key) const {
    return keyStateSource(key) < 0;
}

void McListBox::setListIcon(long index, long icon) {
    items_.setIcon(index, icon);
    PropertyChanged(L"ListIcon");
    redraw();
}

void McListBox::setListBold(long index, bool bold) {
    items_.setBold(index, bold);
    PropertyChanged(L"ListBold");
    redraw();
}

void McListBox::setListIndex(long index) {
    state_.currentIndex = index;
    if (bars_.SB_Visible(SB_VERT)) scrollIntoView(index);
    state_.selection.assign(1, index);
    PropertyChanged(L"ListIndex");
    clampIndex();
    redraw();
    RaiseEvent(SelChange);
}

std::wstring McListBox::Text() const {
    if (!items_.has(state_.currentIndex)) return {};
    return items_.at(state_.currentIndex).text;
}

std::wstring McListBox::list(long index) const {
    if (!items_.has(index)) return {};
    return items_.at(index).text;
}

void McListBox::setList(long index, std::wstring text) {
    items_.setText(index, std::move(text));
}

long McListBox::SelItem(long selIndex) const {
    if (selIndex < 0 || selIndex >= SelCount()) throw core::RuntimeError(core::err::SubscriptOutOfRange);
    return state_.selection[static_cast<std::size_t>(selIndex)];
}

void McListBox::ClearSelection() {
    state_.selection.assign(1, state_.currentIndex);
    redraw();
}

void McListBox::SelectAll() {
    state_.selection.resize(static_cast<std::size_t>(items_.count()));
    for (long i = 0; i < items_.count(); ++i) state_.selection[static_cast<std::size_t>(i)] = i;
    redraw();
}

void McListBox::AddItem(std::wstring text, long index, long icon, bool bold) {
    items_.add({std::move(text), icon, bold}, index);
}

void McListBox::Remove(long index) {
    items_.remove(index == -1 ? state_.currentIndex : index);
    sortItems();
    Refresh();
}

// The surface is cleared by the repaint Refresh ends with.
void McListBox::Clear() {
    items_.clear();
    state_.selection.clear();
    Refresh();
}

std::vector<std::wstring> McListBox::SplitToLines(const std::wstring& text, long length, bool filterLines) {
    forms::Surface& s = surface();
    return widgets::SplitToLines(text, length, filterLines,
                                 [&s](const std::wstring& line) { return s.TextWidth(line); });
}

bool McListBox::IsDelim(const std::wstring& character) {
    return widgets::IsDelim(character);
}

long McListBox::BlendColor(long from, long to, long alpha) {
    return widgets::BlendColor(from, to, alpha);
}

long McListBox::TranslateColor(long colour, HPALETTE palette) {
    return widgets::TranslateColor(colour, palette);
}

void McListBox::clampIndex() {
    long& current = state_.currentIndex;
    if (current > items_.count() - 1) current = items_.count() - 1;
    if (current < 0) current = 0;
}

void McListBox::scrollIntoView(long index) {
    long top = bars_.SB_Value(SB_VERT);
    if (index < top) bars_.SB_Value(SB_VERT, top == 0 ? 0 : index);
    top = bars_.SB_Value(SB_VERT);
    const double fit = forms::Int(surface().ScaleHeight() / static_cast<double>(look_.RowHeight));
    if (fit + top <= index) {
        const long max = bars_.SB_Max(SB_VERT);
        bars_.SB_Value(SB_VERT, top == max ? max : index - cache_.visibleRows + 1);
    }
}

// --- Life cycle

void McListBox::UserControl_Resize() {
    Refresh();
}

void McListBox::UserControl_Terminate() {
    core::bestEffort(L"McListBox termination", [this] {
        Clear();
        bars_.SB_Destroy();
        items_.clear();
    });
    // Whatever failed above, no hooked message may reach a control that is going.
    hooks_.sc_UnSubclassAll();
    popup_.reset();
}

} // namespace widgets
