// The list box's items, selection and public members; its life cycle.
#include "widgets/list/mc_list_box.h"

#include "platform/forms/std_font.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/surface.h"
#include "platform/forms/functions.h"
#include "widgets/list/list_color.h"
#include "widgets/list/list_text.h"

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

void McListBox::setListIcon(long vIndex, long icon) {
    items_.setIcon(vIndex, icon);
    PropertyChanged(L"ListIcon");
    Redraw();
}

void McListBox::setListBold(long vIndex, bool bold) {
    items_.setBold(vIndex, bold);
    PropertyChanged(L"ListBold");
    Redraw();
}

void McListBox::setListIndex(long index) {
    currentIndex_ = index;
    if (bars_.SB_Visible(SB_VERT)) scrollIntoView(index);
    selection_.assign(1, index);
    PropertyChanged(L"ListIndex");
    clampIndex();
    Redraw();
    RaiseEvent(SelChange);
}

std::wstring McListBox::Text() const {
    if (!items_.has(currentIndex_)) return {};
    return items_.at(currentIndex_).text;
}

std::wstring McListBox::list(long vIndex) const {
    if (!items_.has(vIndex)) return {};
    return items_.at(vIndex).text;
}

void McListBox::setList(long vIndex, std::wstring text) {
    items_.setText(vIndex, std::move(text));
}

long McListBox::SelItem(long vSelIndex) const {
    if (vSelIndex < 0 || vSelIndex >= SelCount()) throw forms::RuntimeError(forms::err::InvalidProcedureCall);
    return selection_[static_cast<std::size_t>(vSelIndex)];
}

void McListBox::ClearSelection() {
    selection_.assign(1, currentIndex_);
    Redraw();
}

void McListBox::SelectAll() {
    selection_.resize(static_cast<std::size_t>(items_.count()));
    for (long i = 0; i < items_.count(); ++i) selection_[static_cast<std::size_t>(i)] = i;
    Redraw();
}

void McListBox::AddItem(std::wstring vText, long vIndex, long vIcon, bool vBold) {
    items_.add({std::move(vText), vIcon, vBold}, vIndex);
}

void McListBox::Remove(long vIndex) {
    items_.remove(vIndex == -1 ? currentIndex_ : vIndex);
    sortItems();
    Refresh();
}

void McListBox::Clear() {
    items_.clear();
    selection_.clear();
    surface().Cls();
    Refresh();
}

std::vector<std::wstring> McListBox::SplitToLines(const std::wstring& sText, long lLength,
                                                  bool bFilterLines) {
    forms::Surface& s = surface();
    return widgets::SplitToLines(sText, lLength, bFilterLines,
                                 [&s](const std::wstring& text) { return s.TextWidth(text); });
}

bool McListBox::IsDelim(const std::wstring& Char) {
    return widgets::IsDelim(Char);
}

long McListBox::BlendColor(long oColorFrom, long oColorTo, long Alpha) {
    return widgets::BlendColor(oColorFrom, oColorTo, Alpha);
}

long McListBox::TranslateColor(long oClr, HPALETTE hPal) {
    return widgets::TranslateColor(oClr, hPal);
}

void McListBox::clampIndex() {
    if (currentIndex_ > items_.count() - 1) currentIndex_ = items_.count() - 1;
    if (currentIndex_ < 0) currentIndex_ = 0;
}

void McListBox::scrollIntoView(long index) {
    long top = bars_.SB_Value(SB_VERT);
    if (index < top) bars_.SB_Value(SB_VERT, top == 0 ? 0 : index);
    top = bars_.SB_Value(SB_VERT);
    const double fit = forms::Int(surface().ScaleHeight() / static_cast<double>(rowHeight_));
    if (fit + top <= index) {
        const long max = bars_.SB_Max(SB_VERT);
        bars_.SB_Value(SB_VERT, top == max ? max : index - visibleRows_ + 1);
    }
}

// --- Life cycle

void McListBox::UserControl_Initialize() {
    shellLibrary_ = LoadLibraryA("shell32.dll");
}

void McListBox::UserControl_Resize() {
    Refresh();
}

void McListBox::UserControl_Terminate() {
    try {
        if (shellLibrary_) FreeLibrary(shellLibrary_);
        shellLibrary_ = nullptr;
        Clear();
        bars_.SB_Destroy();
        items_.clear();
    } catch (...) {
    }
    // Whatever failed above, no hooked message may reach a control that is going.
    hooks_.sc_UnSubclassAll();
    PicComplete.reset();
}

} // namespace widgets
