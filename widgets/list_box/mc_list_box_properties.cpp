// The list box's appearance properties, how they are stored with the form, and its start.
#include "widgets/list_box/mc_list_box.h"

#include "platform/core/constants.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/core/event_log.h"
#include "platform/core/variant.h"
#include "platform/forms/functions.h"

namespace widgets {

using forms::OnChange;

// The stored properties: key, field, stored default and what a change does. A row whose change does
// more than that names its hand-written setter.
const forms::PropertyTable<McListBox>& McListBox::properties() {
    using L = McListBox;
    using forms::field;
    const std::shared_ptr<forms::StdPicture> noPicture;
    static const forms::PropertyTable<L> table{
        field<L>(
            L"Picture", [](L & c) -> auto& { return c.look_.Picture; }, noPicture),
        forms::fontField<L>(
            L"Font", [](L & c) -> auto& { return c.look_.Font; }),
        field<L>(
            L"BackColor", [](L & c) -> auto& { return c.look_.BackColor; }, 0xFFFFFFL),
        field<L>(
            L"ForeColor", [](L & c) -> auto& { return c.look_.Forecolor; }, long(core::sysColor::ButtonText)),
        field<L>(
            L"SelColor", [](L & c) -> auto& { return c.look_.SelColor; }, 0xFF8C1AL),
        field<L>(
            L"SelForeColor", [](L & c) -> auto& { return c.look_.SelForeColor; }, 0xFFFFFFL),
        field<L>(
            L"StrechIcon", [](L & c) -> auto& { return c.look_.StrechIcon; }, false),
        field<L>(
            L"Appearance", [](L & c) -> auto& { return c.look_.Appearance; }, core::controlBorder::ThreeD),
        field<L>(
            L"BorderStyle", [](L & c) -> auto& { return c.look_.BorderStyle; },
            core::controlBorder::FixedSingle),
        field<L>(
            L"FullRowSelect", [](L & c) -> auto& { return c.look_.FullRowSelect; }, false),
        field<L>(
            L"SortOrder", [](L & c) -> auto& { return c.look_.SortOrder; }, 0L),
        field<L>(
            L"IconFocus", [](L & c) -> auto& { return c.look_.IconFocus; }, true),
        field<L>(
            L"TextAlignment", [](L & c) -> auto& { return c.look_.TextAlignment; }, 0L),
        field<L>(
            L"RowHeight", [](L & c) -> auto& { return c.look_.RowHeight; }, 22L, OnChange::Relayout),
        field<L>(
            L"GridLines", [](L & c) -> auto& { return c.look_.GridLines; }, false),
        field<L>(
            L"GridColor", [](L & c) -> auto& { return c.look_.GridColor; }, long(core::sysColor::ButtonFace)),
        field<L>(
            L"BackGradient", [](L & c) -> auto& { return c.look_.BackGradient; }, 0L),
        field<L>(
            L"SelGradient", [](L & c) -> auto& { return c.look_.SelGradient; }, 0L),
        field<L>(
            L"BackGradientCol", [](L & c) -> auto& { return c.look_.BackGradientCol; }, 0xC0C0C0L),
        field<L>(
            L"SelGradientCol", [](L & c) -> auto& { return c.look_.SelGradientCol; }, 0xFFFFFFL),
        field<L>(
            L"MultiSelect", [](L & c) -> auto& { return c.look_.MultiSelect; }, false),
        field<L>(
            L"FocusRectangle", [](L & c) -> auto& { return c.look_.FocusRectangle; }, true),
        field<L>(
            L"ShowIcon", [](L & c) -> auto& { return c.look_.ShowIcon; }, false),
        field<L>(
            L"SelectionStyle", [](L & c) -> auto& { return c.look_.SelectionStyle; }, BlendedSelection),
        field<L>(
            L"FlatScrollBar", [](L & c) -> auto& { return c.look_.FlatScrollBar; }, false),
        field<L>(
            L"MouseIcon", [](L & c) -> auto& { return c.look_.MouseIcon; }, noPicture, OnChange::None),
        field<L>(
            L"MousePointer", [](L & c) -> auto& { return c.look_.MousePointer; },
            long(core::pointer::Default), OnChange::None),
        field<L>(
            L"AutoHideScrollBars", [](L & c) -> auto& { return c.look_.AutoHideScrollBars; }, false,
            OnChange::Relayout),
    };
    return table;
}

void McListBox::propertyEffect(OnChange effect) {
    if (effect == OnChange::Repaint)
        redraw();
    else if (effect == OnChange::Relayout)
        Refresh();
}

// --- Setters that store, notify and apply their row's effect

void McListBox::setSelColor(long colour) {
    setProperty(properties(), L"SelColor", colour);
}
void McListBox::setSelForeColor(long colour) {
    setProperty(properties(), L"SelForeColor", colour);
}
void McListBox::setStrechIcon(bool on) {
    setProperty(properties(), L"StrechIcon", on);
}
void McListBox::setFullRowSelect(bool on) {
    setProperty(properties(), L"FullRowSelect", on);
}
void McListBox::setFocusRectangle(bool on) {
    setProperty(properties(), L"FocusRectangle", on);
}
void McListBox::setShowIcon(bool on) {
    setProperty(properties(), L"ShowIcon", on);
}
void McListBox::setIconFocus(bool on) {
    setProperty(properties(), L"IconFocus", on);
}
void McListBox::setTextAlignment(long flags) {
    setProperty(properties(), L"TextAlignment", flags);
}
void McListBox::setGridLines(bool on) {
    setProperty(properties(), L"GridLines", on);
}
void McListBox::setGridColor(long colour) {
    setProperty(properties(), L"GridColor", colour);
}
void McListBox::setBackGradient(long style) {
    setProperty(properties(), L"BackGradient", style);
}
void McListBox::setSelGradient(long style) {
    setProperty(properties(), L"SelGradient", style);
}
void McListBox::setBackGradientCol(long colour) {
    setProperty(properties(), L"BackGradientCol", colour);
}
void McListBox::setSelGradientCol(long colour) {
    setProperty(properties(), L"SelGradientCol", colour);
}
void McListBox::setSelectionStyle(long style) {
    setProperty(properties(), L"SelectionStyle", style);
}
void McListBox::setForecolor(long colour) {
    setProperty(properties(), L"ForeColor", colour);
}
void McListBox::setPicture(std::shared_ptr<forms::StdPicture> picture) {
    setProperty(properties(), L"Picture", picture);
}
void McListBox::setAutoHideScrollBars(bool on) {
    setProperty(properties(), L"AutoHideScrollBars", on);
}

// --- Setters that do more

void McListBox::setBackColor(long colour) {
    look_.BackColor = colour;
    PropertyChanged(L"BackColor");
    surface().setBackColor(static_cast<uint32_t>(colour));
    redraw();
}

void McListBox::setAppearance(int16_t value) {
    look_.Appearance = value;
    applyBorder();
    PropertyChanged(L"Appearance");
    redraw();
}

void McListBox::setBorderStyle(int16_t value) {
    look_.BorderStyle = value;
    applyBorder();
    PropertyChanged(L"BorderStyle");
    redraw();
}

// A border of 1 is a sunken edge in the 3-D appearance and a single line in the flat one.
void McListBox::applyBorder() {
    HWND window = hWnd();
    if (!window) return;
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (look_.BorderStyle == core::controlBorder::FixedSingle) {
        if (look_.Appearance == core::controlBorder::ThreeD)
            exStyle |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    }
    SetWindowLongPtrW(window, GWL_STYLE, style);
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void McListBox::setMultiSelect(bool on) {
    look_.MultiSelect = on;
    state_.selection.assign(1, state_.currentIndex);
    PropertyChanged(L"MultiSelect");
    redraw();
}

void McListBox::setSortOrder(long order) {
    look_.SortOrder = order;
    PropertyChanged(L"SortOrder");
    sortItems();
    redraw();
}

void McListBox::setRowHeight(long pixels) {
    const float text = textHeightA();
    look_.RowHeight = text > static_cast<float>(pixels) ? forms::roundToLong(text) : pixels;
    PropertyChanged(L"RowHeight");
    Refresh();
}

void McListBox::setFont(std::shared_ptr<forms::StdFont> font) {
    look_.Font = std::move(font);
    useFont(false);
    const float text = textHeightA();
    if (text > static_cast<float>(look_.RowHeight)) look_.RowHeight = forms::roundToLong(text);
    PropertyChanged(L"Font");
    Refresh();
}

void McListBox::setFlatScrollBar(bool on) {
    look_.FlatScrollBar = on;
    bars_.SB_Destroy();
    bars_.UseStandardBars = !on;
    bars_.SB_Create(hWnd());
    PropertyChanged(L"FlatScrollBar");
    if (!pumpEvents()) return;
    Refresh();
}

// --- Persistence

// What the stored values mean beyond their fields: the font in use and the row height it needs, the
// window's border, the surface's colour and the kind of scroll bars.
void McListBox::applyStoredProperties() {
    useFont(false);
    if (textHeightA() > static_cast<float>(look_.RowHeight))
        look_.RowHeight = forms::roundToLong(textHeightA());
    applyBorder();
    surface().setBackColor(static_cast<uint32_t>(look_.BackColor));
    bars_.UseStandardBars = !look_.FlatScrollBar;
}

void McListBox::UserControl_InitProperties() {
    properties().init(*this);
    applyStoredProperties();
    redraw();
    if (!bars_.ScrollWindow) startSubclassing();
}

void McListBox::UserControl_ReadProperties(forms::PropertyBag& bag) {
    state_.currentIndex = -1;
    properties().read(*this, bag);
    applyStoredProperties();
    startSubclassing();
    Refresh();
}

void McListBox::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
}

// --- Start of the hook and the scroll-bar layer

void McListBox::startSubclassing() {
    core::bestEffort(L"McListBox start", [this] {
        if (bars_.ScrollWindow) return;
        if (Ambient().UserMode) {
            if (!hooks_.startTracking()) return;
            HWND window = hWnd();
            if (hooks_.sc_Subclass(window) >= 0)
                for (long message : {WM_MOUSEWHEEL, WM_MOUSEMOVE, WM_MOUSELEAVE, WM_MOUSEHOVER, WM_VSCROLL})
                    hooks_.sc_AddMsg(window, message, hook::HexTemplateHook::HookAfter);
        }
        if (!bars_.ScrollWindow) startScrollBars();
    });
}

// Standard bars on a form: the flat library's initialisation, which under Wine is a library load that
// the first paint does not need, waits until the form has been painted.
void McListBox::startScrollBars() {
    forms::Form* form = Ambient().UserMode && bars_.UseStandardBars ? Parent() : nullptr;
    if (!form) return bars_.SB_Create(hWnd());
    bars_.SB_Attach(hWnd());
    form->afterFirstPaint([this, life = watch()] {
        if (life.alive() && loaded() && !bars_.SB_Initialised() && bars_.ScrollWindow) bars_.SB_Init();
    });
}

bool McListBox::pumpEvents() {
    auto keep = weak_from_this().lock();
    const auto life = watch();
    forms::DoEvents();
    return life.alive() && loaded();
}

} // namespace widgets
