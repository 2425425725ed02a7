// The list box's appearance properties, how they are stored with the form, and its start.
#include "widgets/list/mc_list_box.h"

#include "platform/forms/do_events.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/core/variant.h"
#include "platform/forms/functions.h"

namespace widgets {

namespace {

constexpr long DefaultBackColor = 0xFFFFFF;
constexpr long DefaultForeColor = static_cast<long>(0x80000012);
constexpr long DefaultSelColor = 0xFF8C1A;
constexpr long DefaultSelForeColor = 0xFFFFFF;
constexpr long DefaultGridColor = static_cast<long>(0x8000000F);
constexpr long DefaultBackGradientCol = 0xC0C0C0;
constexpr long DefaultSelGradientCol = 0xFFFFFF;
constexpr long DefaultRowHeight = 22;

forms::Variant noPicture() {
    return forms::Variant(std::shared_ptr<forms::StdPicture>());
}

} // namespace

// --- Setters that store, notify and repaint

#define LIST_PLAIN_SETTER(Setter, Type, field, key)                                                          \
    void McListBox::Setter(Type value) {                                                                     \
        field = value;                                                                                       \
        PropertyChanged(key);                                                                                \
        Redraw();                                                                                            \
    }

LIST_PLAIN_SETTER(setSelColor, long, selColor_, L"SelColor")
LIST_PLAIN_SETTER(setSelForeColor, long, selForeColor_, L"SelForeColor")
LIST_PLAIN_SETTER(setStrechIcon, bool, strechIcon_, L"StrechIcon")
LIST_PLAIN_SETTER(setFullRowSelect, bool, fullRowSelect_, L"FullRowSelect")
LIST_PLAIN_SETTER(setFocusRectangle, bool, focusRectangle_, L"FocusRectangle")
LIST_PLAIN_SETTER(setShowIcon, bool, showIcon_, L"ShowIcon")
LIST_PLAIN_SETTER(setIconFocus, bool, iconFocus_, L"IconFocus")
LIST_PLAIN_SETTER(setTextAlignment, long, textAlignment_, L"TextAlignment")
LIST_PLAIN_SETTER(setGridLines, bool, gridLines_, L"GridLines")
LIST_PLAIN_SETTER(setGridColor, long, gridColor_, L"GridColor")
LIST_PLAIN_SETTER(setBackGradient, long, backGradient_, L"BackGradient")
LIST_PLAIN_SETTER(setSelGradient, long, selGradient_, L"SelGradient")
LIST_PLAIN_SETTER(setBackGradientCol, long, backGradientCol_, L"BackGradientCol")
LIST_PLAIN_SETTER(setSelGradientCol, long, selGradientCol_, L"SelGradientCol")
LIST_PLAIN_SETTER(setSelectionStyle, long, selectionStyle_, L"SelectionStyle")
LIST_PLAIN_SETTER(setForecolor, long, foreColor_, L"ForeColor")

#undef LIST_PLAIN_SETTER

void McListBox::setPicture(std::shared_ptr<forms::StdPicture> picture) {
    picture_ = std::move(picture);
    PropertyChanged(L"Picture");
    Redraw();
}

void McListBox::setBackColor(long colour) {
    backColor_ = colour;
    PropertyChanged(L"BackColor");
    surface().setBackColor(static_cast<uint32_t>(colour));
    Redraw();
}

void McListBox::setAppearance(int16_t value) {
    appearance_ = value;
    applyBorder();
    PropertyChanged(L"Appearance");
    Redraw();
}

void McListBox::setBorderStyle(int16_t value) {
    borderStyle_ = value;
    applyBorder();
    PropertyChanged(L"BorderStyle");
    Redraw();
}

// A border of 1 is a sunken edge in the 3-D appearance and a single line in the flat one.
void McListBox::applyBorder() {
    HWND w = hWnd();
    if (!w) return;
    LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (borderStyle_ == 1) {
        if (appearance_ == 1)
            exStyle |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    }
    SetWindowLongPtrW(w, GWL_STYLE, style);
    SetWindowLongPtrW(w, GWL_EXSTYLE, exStyle);
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void McListBox::setMultiSelect(bool on) {
    multiSelect_ = on;
    selection_.assign(1, currentIndex_);
    PropertyChanged(L"MultiSelect");
    Redraw();
}

void McListBox::setSortOrder(long order) {
    sortOrder_ = order;
    PropertyChanged(L"SortOrder");
    sortItems();
    Redraw();
}

void McListBox::setRowHeight(long pixels) {
    const float text = textHeightA();
    rowHeight_ = text > static_cast<float>(pixels) ? forms::roundToLong(text) : pixels;
    PropertyChanged(L"RowHeight");
    Refresh();
}

void McListBox::setFont(std::shared_ptr<forms::StdFont> font) {
    font_ = std::move(font);
    useFont(false);
    const float text = textHeightA();
    if (text > static_cast<float>(rowHeight_)) rowHeight_ = forms::roundToLong(text);
    PropertyChanged(L"Font");
    Refresh();
}

void McListBox::setAutoHideScrollBars(bool on) {
    autoHideScrollBars_ = on;
    PropertyChanged(L"AutoHideScrollBars");
    Refresh();
}

void McListBox::setFlatScrollBar(bool on) {
    flatScrollBar_ = on;
    bars_.SB_Destroy();
    bars_.UseStandardBars = !on;
    bars_.SB_Create(hWnd());
    PropertyChanged(L"FlatScrollBar");
    if (!pumpEvents()) return;
    Refresh();
}

// --- Persistence

void McListBox::UserControl_InitProperties() {
    backColor_ = DefaultBackColor;
    foreColor_ = DefaultForeColor;
    selColor_ = DefaultSelColor;
    selForeColor_ = DefaultSelForeColor;
    picture_ = nullptr;
    font_ = ambientFont()->clone();
    useFont(false);
    iconFocus_ = true;
    focusRectangle_ = true;
    bars_.UseStandardBars = true;
    strechIcon_ = false;
    rowHeight_ = DefaultRowHeight;
    fullRowSelect_ = false;
    sortOrder_ = 0;
    textAlignment_ = 0;
    gridLines_ = false;
    gridColor_ = DefaultGridColor;
    backGradient_ = selGradient_ = 0;
    backGradientCol_ = DefaultBackGradientCol;
    selGradientCol_ = DefaultSelGradientCol;
    multiSelect_ = false;
    showIcon_ = false;
    flatScrollBar_ = false;
    autoHideScrollBars_ = false;
    selectionStyle_ = 1;
    setBorderStyle(1);
    setAppearance(1);
    setBackColor(DefaultBackColor);
    if (!bars_.ScrollWindow) StartSubclassing();
}

void McListBox::UserControl_ReadProperties(forms::PropertyBag& bag) {
    currentIndex_ = -1;
    picture_ = bag.ReadProperty(L"Picture", noPicture()).toPicture();
    const auto ambient = ambientFont();
    font_ = bag.ReadProperty(L"Font", forms::Variant(ambient)).toFont();
    // Without a stored font the list takes a copy of the host's, as a new list does: the host's own
    // object would change the list's rows whenever the host changed its font.
    if (!font_ || font_ == ambient) font_ = ambient->clone();
    backColor_ = bag.ReadProperty(L"BackColor", DefaultBackColor).toLong();
    foreColor_ = bag.ReadProperty(L"ForeColor", DefaultForeColor).toLong();
    selColor_ = bag.ReadProperty(L"SelColor", DefaultSelColor).toLong();
    selForeColor_ = bag.ReadProperty(L"SelForeColor", DefaultSelForeColor).toLong();
    strechIcon_ = bag.ReadProperty(L"StrechIcon", false).toBoolean();
    setAppearance(bag.ReadProperty(L"Appearance", int16_t{1}).toInteger());
    setBorderStyle(bag.ReadProperty(L"BorderStyle", int16_t{1}).toInteger());
    fullRowSelect_ = bag.ReadProperty(L"FullRowSelect", false).toBoolean();
    sortOrder_ = bag.ReadProperty(L"SortOrder", 0L).toLong();
    iconFocus_ = bag.ReadProperty(L"IconFocus", true).toBoolean();
    textAlignment_ = bag.ReadProperty(L"TextAlignment", 0L).toLong();
    rowHeight_ = bag.ReadProperty(L"RowHeight", DefaultRowHeight).toLong();
    useFont(false);
    if (textHeightA() > static_cast<float>(rowHeight_)) rowHeight_ = forms::roundToLong(textHeightA());
    gridLines_ = bag.ReadProperty(L"GridLines", false).toBoolean();
    gridColor_ = bag.ReadProperty(L"GridColor", DefaultGridColor).toLong();
    backGradient_ = bag.ReadProperty(L"BackGradient", 0L).toLong();
    selGradient_ = bag.ReadProperty(L"SelGradient", 0L).toLong();
    backGradientCol_ = bag.ReadProperty(L"BackGradientCol", DefaultBackGradientCol).toLong();
    selGradientCol_ = bag.ReadProperty(L"SelGradientCol", DefaultSelGradientCol).toLong();
    multiSelect_ = bag.ReadProperty(L"MultiSelect", false).toBoolean();
    surface().setBackColor(static_cast<uint32_t>(backColor_));
    focusRectangle_ = bag.ReadProperty(L"FocusRectangle", true).toBoolean();
    showIcon_ = bag.ReadProperty(L"ShowIcon", false).toBoolean();
    selectionStyle_ = bag.ReadProperty(L"SelectionStyle", 1L).toLong();
    autoHideScrollBars_ = bag.ReadProperty(L"AutoHideScrollBars", false).toBoolean();
    flatScrollBar_ = bag.ReadProperty(L"FlatScrollBar", false).toBoolean();
    bars_.UseStandardBars = !flatScrollBar_;
    setMouseIcon(bag.ReadProperty(L"MouseIcon", noPicture()).toPicture());
    setMousePointer(bag.ReadProperty(L"MousePointer", 0L).toLong());
    StartSubclassing();
    Refresh();
}

void McListBox::UserControl_WriteProperties(forms::PropertyBag& bag) {
    bag.WriteProperty(L"Picture", forms::Variant(picture_), noPicture());
    bag.WriteProperty(L"Font", forms::Variant(font_), forms::Variant(ambientFont()));
    bag.WriteProperty(L"BackColor", backColor_, DefaultBackColor);
    bag.WriteProperty(L"ForeColor", foreColor_, DefaultForeColor);
    bag.WriteProperty(L"SelColor", selColor_, DefaultSelColor);
    bag.WriteProperty(L"SelForeColor", selForeColor_, DefaultSelForeColor);
    bag.WriteProperty(L"StrechIcon", strechIcon_, false);
    bag.WriteProperty(L"Appearance", appearance_, int16_t{1});
    bag.WriteProperty(L"BorderStyle", borderStyle_, int16_t{1});
    bag.WriteProperty(L"FullRowSelect", fullRowSelect_, false);
    bag.WriteProperty(L"SortOrder", sortOrder_, 0L);
    bag.WriteProperty(L"IconFocus", iconFocus_, true);
    bag.WriteProperty(L"TextAlignment", textAlignment_, 0L);
    bag.WriteProperty(L"RowHeight", rowHeight_, DefaultRowHeight);
    bag.WriteProperty(L"GridLines", gridLines_, false);
    bag.WriteProperty(L"GridColor", gridColor_, DefaultGridColor);
    bag.WriteProperty(L"BackGradient", backGradient_, 0L);
    bag.WriteProperty(L"SelGradient", selGradient_, 0L);
    bag.WriteProperty(L"BackGradientCol", backGradientCol_, DefaultBackGradientCol);
    bag.WriteProperty(L"SelGradientCol", selGradientCol_, DefaultSelGradientCol);
    bag.WriteProperty(L"MultiSelect", multiSelect_, false);
    bag.WriteProperty(L"FocusRectangle", focusRectangle_, true);
    bag.WriteProperty(L"ShowIcon", showIcon_, false);
    bag.WriteProperty(L"SelectionStyle", selectionStyle_, 1L);
    bag.WriteProperty(L"FlatScrollBar", flatScrollBar_, false);
    bag.WriteProperty(L"MouseIcon", forms::Variant(mouseIcon_), noPicture());
    bag.WriteProperty(L"MousePointer", mousePointer_, 0L);
    bag.WriteProperty(L"AutoHideScrollBars", autoHideScrollBars_, false);
}

// --- Start of the hook, the scroll-bar layer and the pop-up

void McListBox::StartSubclassing() {
    try {
        if (bars_.ScrollWindow) return;
        if (Ambient().UserMode) {
            hooks_.TrackAvailable = true;
            hooks_.TrackInUser32 = SelfSubclass::IsFunctionExported("TrackMouseEvent", "User32");
            if (!hooks_.TrackInUser32 && !SelfSubclass::IsFunctionExported("_TrackMouseEvent", "Comctl32")) {
                hooks_.TrackAvailable = false;
                return;
            }
            HWND w = hWnd();
            if (hooks_.sc_Subclass(w) >= 0)
                for (long msg : {WM_MOUSEWHEEL, WM_MOUSEMOVE, WM_MOUSELEAVE, WM_MOUSEHOVER, WM_VSCROLL})
                    hooks_.sc_AddMsg(w, msg, SelfSubclass::HookAfter);
        }
        if (!bars_.ScrollWindow) bars_.SB_Create(hWnd());
        CreateCompletePopup();
    } catch (...) {
    }
}

bool McListBox::pumpEvents() {
    auto keep = weak_from_this().lock();
    const auto life = watch();
    forms::DoEvents();
    return life.alive() && loaded();
}

} // namespace widgets
