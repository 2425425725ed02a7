// The tool bar's general properties, how it is stored with the form, its life cycle and its layout.
#include "widgets/tool_bar/mc_tool_bar.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/shared/vni.h"
#include "widgets/tool_bar/mc_tool_bar_layout.h"
#include "widgets/tool_bar/mc_tool_bar_paint.h"

#include <limits>

namespace widgets {

using forms::OnChange;

void applyButtonsMode(ToolBarLook& look, long mode) {
    if (mode < faceMode::HotEdge || mode > faceMode::RoundGradient) return;
    look.BackColor = core::sysColor::ButtonFace;
    look.BackGradient = 0;
    look.ButtonsGradient = 0;
    look.BorderStyle = barBorder::None;
    switch (mode) {
    case faceMode::BlackTopLeft:
    case faceMode::BlackBottom:
        look.BorderStyle = barBorder::Raised;
        break;
    case faceMode::HoverRect:
        look.HoverColor = 0xFF8080;
        break;
    case faceMode::Round:
        look.ButtonsGradient = 3;
        look.HoverColor = 0x80C0FF;
        look.ButtonsBackColor = 0xE1F2F2;
        look.ButtonsGradientCol = 0xFFFFFF;
        break;
    case faceMode::RoundGradient:
        look.ButtonsGradient = 3;
        look.BorderStyle = barBorder::Raised;
        look.HoverColor = 0x800000;
        look.ButtonsBackColor = core::sysColor::MenuBar;
        look.ButtonsGradientCol = core::sysColor::ButtonFace;
        break;
    default:
        break;
    }
}

// The stored general properties in the order they are written: key, field, stored default and what
// a change does. The buttons' own keys follow them (readButtons, writeButtons).
const forms::PropertyTable<McToolBar>& McToolBar::properties() {
    using T = McToolBar;
    using forms::field;
    const std::shared_ptr<forms::StdPicture> noPicture;
    const uint32_t face = core::sysColor::ButtonFace;
    static const forms::PropertyTable<T> table{
        field<T>(
            L"Appearance", [](T & c) -> auto& { return c.look_.Appearance; }, int16_t{0}),
        field<T>(
            L"BackColor", [](T & c) -> auto& { return c.look_.BackColor; }, face),
        field<T>(
            L"BorderStyle", [](T & c) -> auto& { return c.look_.BorderStyle; }, int16_t{0},
            OnChange::Relayout),
        field<T>(
            L"Enabled", [](T & c) -> auto& { return c.look_.Enabled; }, true),
        forms::fontField<T>(
            L"Font", [](T & c) -> auto& { return c.look_.Font; }, OnChange::Repaint),
        field<T>(
            L"ForeColor", [](T & c) -> auto& { return c.look_.Forecolor; }, uint32_t{0}),
        field<T>(
            L"Button_Count", [](T & c) -> auto& { return c.look_.Button_Count; }, 1L, OnChange::Relayout),
        field<T>(
            L"Button_Index", [](T & c) -> auto& { return c.look_.Button_Index; }, 1L),
        field<T>(
            L"BackGround", [](T & c) -> auto& { return c.look_.BackGround; }, noPicture),
        field<T>(
            L"ButtonsWidth", [](T & c) -> auto& { return c.look_.ButtonsWidth; }, 32L, OnChange::Relayout),
        field<T>(
            L"ButtonsHeight", [](T & c) -> auto& { return c.look_.ButtonsHeight; }, 32L, OnChange::Relayout),
        field<T>(
            L"ButtonsPerRow", [](T & c) -> auto& { return c.look_.ButtonsPerRow; }, 3L, OnChange::Relayout),
        field<T>(
            L"HoverColor", [](T & c) -> auto& { return c.look_.HoverColor; }, face),
        field<T>(
            L"TooTipStyle", [](T & c) -> auto& { return c.look_.TooTipStyle; }, 2L, OnChange::None)
            .startsAt(0L),
        field<T>(
            L"ToolTipBackCol", [](T & c) -> auto& { return c.look_.ToolTipBackCol; }, uint32_t{0xE6FDFD},
            OnChange::None),
        field<T>(
            L"ToolTipForeCol", [](T & c) -> auto& { return c.look_.ToolTipForeCol; }, uint32_t{0},
            OnChange::None),
        field<T>(
            L"BackGradient", [](T & c) -> auto& { return c.look_.BackGradient; }, 0L),
        field<T>(
            L"BackGradientCol", [](T & c) -> auto& { return c.look_.BackGradientCol; }, uint32_t{0xFFFFFF}),
        field<T>(
            L"ButtonsMode", [](T & c) -> auto& { return c.look_.ButtonsMode; }, long(faceMode::BlackBottom),
            OnChange::Relayout),
        field<T>(
            L"ButtonsSeperatorWidth", [](T & c) -> auto& { return c.look_.ButtonsSeperatorWidth; }, 10L,
            OnChange::Relayout),
        field<T>(
            L"ShowSeperator", [](T & c) -> auto& { return c.look_.ShowSeperator; }, true),
        field<T>(
            L"ButtonsBackColor", [](T & c) -> auto& { return c.look_.ButtonsBackColor; }, face),
        field<T>(
            L"ButtonsGradientCol", [](T & c) -> auto& { return c.look_.ButtonsGradientCol; },
            uint32_t{0xFFFFFF}),
        field<T>(
            L"ButtonsGradient", [](T & c) -> auto& { return c.look_.ButtonsGradient; }, 0L),
        field<T>(
            L"ButtonsPerRow_Chev", [](T & c) -> auto& { return c.look_.ButtonsPerRow_Chev; }, 3L,
            OnChange::Relayout),
        field<T>(
            L"ShowChevron", [](T & c) -> auto& { return c.look_.ShowChevron; }, false, OnChange::None),
    };
    return table;
}

void McToolBar::propertyEffect(OnChange effect) {
    if (effect == OnChange::Repaint)
        DrawToolBar();
    else if (effect == OnChange::Relayout)
        UserControl_Resize();
}

// --- Plain setters

void McToolBar::setEnabled(bool on) {
    setProperty(properties(), L"Enabled", on);
}
void McToolBar::setFont(std::shared_ptr<forms::StdFont> font) {
    setProperty(properties(), L"Font", font);
}
void McToolBar::setForecolor(uint32_t colour) {
    setProperty(properties(), L"ForeColor", colour);
}
void McToolBar::setButtonsPerRow_Chev(long count) {
    setProperty(properties(), L"ButtonsPerRow_Chev", count);
}
void McToolBar::setShowChevron(bool on) {
    setProperty(properties(), L"ShowChevron", on);
}
void McToolBar::setButtonsHeight(long pixels) {
    setProperty(properties(), L"ButtonsHeight", pixels);
}
void McToolBar::setButtonsPerRow(long count) {
    setProperty(properties(), L"ButtonsPerRow", count);
}
void McToolBar::setButtonsWidth(long pixels) {
    setProperty(properties(), L"ButtonsWidth", pixels);
}
void McToolBar::setButtonsSeperatorWidth(long pixels) {
    setProperty(properties(), L"ButtonsSeperatorWidth", pixels);
}
void McToolBar::setHoverColor(uint32_t colour) {
    setProperty(properties(), L"HoverColor", colour);
}
void McToolBar::setToolTipBackCol(uint32_t colour) {
    setProperty(properties(), L"ToolTipBackCol", colour);
}
void McToolBar::setToolTipForeCol(uint32_t colour) {
    setProperty(properties(), L"ToolTipForeCol", colour);
}
void McToolBar::setTooTipStyle(long style) {
    setProperty(properties(), L"TooTipStyle", style);
}
void McToolBar::setShowSeperator(bool on) {
    setProperty(properties(), L"ShowSeperator", on);
}
void McToolBar::setButtonsBackColor(uint32_t colour) {
    setProperty(properties(), L"ButtonsBackColor", colour);
}
void McToolBar::setButtonsGradientCol(uint32_t colour) {
    setProperty(properties(), L"ButtonsGradientCol", colour);
}
void McToolBar::setButtonsGradient(long style) {
    setProperty(properties(), L"ButtonsGradient", style);
}

// --- Setters that do more

namespace {

int16_t sixteenBits(long value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw core::RuntimeError(core::err::Overflow);
    return static_cast<int16_t>(value);
}

} // namespace

void McToolBar::setAppearance(long value) {
    setProperty(properties(), L"Appearance", sixteenBits(value));
}

void McToolBar::setBorderStyle(long value) {
    setProperty(properties(), L"BorderStyle", sixteenBits(value));
}

// The background is rendered again after these.
void McToolBar::setBackground(const wchar_t* key, auto value) {
    state_.invalidateBackground();
    setProperty(properties(), key, value);
}
void McToolBar::setBackColor(uint32_t colour) {
    setBackground(L"BackColor", colour);
}
void McToolBar::setBackGround(std::shared_ptr<forms::StdPicture> picture) {
    setBackground(L"BackGround", picture);
}
void McToolBar::setBackGradient(long style) {
    setBackground(L"BackGradient", style);
}
void McToolBar::setBackGradientCol(uint32_t colour) {
    setBackground(L"BackGradientCol", colour);
}

void McToolBar::setButtonsMode(long mode) {
    look_.ButtonsMode = mode;
    applyButtonsMode(look_, mode);
    state_.invalidateBackground();
    PropertyChanged(L"ButtonsMode");
    UserControl_Resize();
}

void McToolBar::setButton_Count(long count) {
    if (count == look_.Button_Count || count < 1) return;
    look_.Button_Count = count;
    buttons_.resize(count);
    look_.Button_Index = count;
    PropertyChanged(L"Button_Count");
    UserControl_Resize();
}

void McToolBar::setButton_Index(long index) {
    if (index < 1 || index > look_.Button_Count)
        throw core::RuntimeError(ButtonIndexError, ButtonIndexMessage);
    if (index == look_.Button_Index) return;
    look_.Button_Index = index;
    PropertyChanged(L"Button_Index");
    DrawToolBar();
}

// --- Persistence

namespace {

std::wstring keyOf(const wchar_t* name, long i) {
    return name + std::to_wstring(i);
}

} // namespace

void McToolBar::UserControl_InitProperties() {
    properties().init(*this);
    look_.Button_Count = 1;
    buttons_ = ToolBarButtons{};
    buttons_.at(1).Caption = VniToUnicode(L"b", kVniMarker);
}

void McToolBar::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    // A bag without a usable count still loads one button.
    if (look_.Button_Count < 1) look_.Button_Count = 1;
    readButtons(bag);
    look_.Button_Index = userMode() ? NoButton : 1;
    StartSubclassing();
    UserControl_Resize();
}

void McToolBar::readButtons(forms::PropertyBag& bag) {
    buttons_.resize(1);
    buttons_.resize(look_.Button_Count);
    for (long i = 1; i <= look_.Button_Count; ++i) {
        ToolBarButton& r = buttons_.at(i);
        r = ToolBarButton{};
        r.Caption = bag.ReadProperty(keyOf(L"ButtonCaption", i), L"b").toString();
        const core::Variant icon = bag.ReadProperty(keyOf(L"ButtonIcon", i));
        r.Icon = icon.type() == core::VariantType::Picture ? icon.toPicture() : nullptr;
        r.ToolTip = bag.ReadProperty(keyOf(L"ButtonToolTipText", i), L"").toString();
        r.ToolTipIcon = bag.ReadProperty(keyOf(L"ButtonToolTipIcon", i), int16_t{0}).toLong();
        r.Enabled = bag.ReadProperty(keyOf(L"ButtonEnabled", i), true).toBoolean();
        r.Pressed = bag.ReadProperty(keyOf(L"ButtonPressed", i), false).toBoolean();
        r.IconAllignment =
            bag.ReadProperty(keyOf(L"ButtonIconAllignment", i), long(iconPlace::Over)).toLong();
        r.Type = bag.ReadProperty(keyOf(L"Button_Type", i), int16_t{0}).toLong();
    }
}

void McToolBar::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
    writeButtons(bag);
}

void McToolBar::writeButtons(forms::PropertyBag& bag) {
    for (long i = 1; i <= buttons_.count(); ++i) {
        const ToolBarButton& r = buttons_.at(i);
        bag.WriteProperty(keyOf(L"ButtonCaption", i), r.Caption, L"b");
        if (r.Icon) bag.WriteProperty(keyOf(L"ButtonIcon", i), core::Variant(r.Icon));
        bag.WriteProperty(keyOf(L"ButtonToolTipText", i), r.ToolTip, L"");
        bag.WriteProperty(keyOf(L"ButtonToolTipIcon", i), r.ToolTipIcon, int16_t{0});
        bag.WriteProperty(keyOf(L"ButtonEnabled", i), r.Enabled, true);
        bag.WriteProperty(keyOf(L"ButtonPressed", i), r.Pressed, false);
        bag.WriteProperty(keyOf(L"ButtonIconAllignment", i), r.IconAllignment, long(iconPlace::Over));
        bag.WriteProperty(keyOf(L"Button_Type", i), r.Type, int16_t{0});
    }
}

// --- Life cycle

bool McToolBar::userMode() const {
    return Ambient().UserMode;
}

// The bar's picture box fills the control. Neither takes the keyboard: the bar is worked with the
// mouse, and the keys stay with the control that has them. (No shell library is loaded for the bar:
// nothing of it uses one, and under Wine loading it would delay the window's first paint.)
void McToolBar::UserControl_Initialize() {
    state_.drawOnChevron = false;
    setCanGetFocus(false);
    picMain_ = forms::makeControl<forms::PictureBox>();
    picMain_->place(*this, L"picMain", -1, 0, 0, std::max(pixelWidth(), 0), std::max(pixelHeight(), 0));
    picMain_->setCanGetFocus(false);
    picMain_->initNew();
    picMain_->setBorderStyle(core::controlBorder::None);
    picMain_->setScaleMode(core::scale::Pixels);
    watchSurface(*picMain_, true);
    picMain_->MouseMove.handle([this](int b, int s, float x, float y) { picMain_MouseMove(b, s, x, y); });
}

void McToolBar::CreateChevronPopup() {
    if (picChevron_) return;
    picChevron_ = forms::makeControl<forms::PictureBox>();
    picChevron_->place(*this, L"picChevron", -1, 0, 0, 1, 1);
    picChevron_->setCanGetFocus(false);
    picChevron_->setVisible(false);
    picChevron_->initNew();
    picChevron_->setBorderStyle(core::controlBorder::None);
    picChevron_->setScaleMode(core::scale::Pixels);
    picChevron_->setFloating(true);
    watchSurface(*picChevron_, false);
    picChevron_->MouseMove.handle(
        [this](int b, int s, float x, float y) { picChevron_MouseMove(b, s, x, y); });
    hookChevron();
}

// The drop-down's pointer messages go through the hook once the bar's are hooked; the drop-down may be
// made before or after that.
void McToolBar::hookChevron() {
    if (!picChevron_ || !picMain_ || !hooks_.isHooked(picMain_->hWnd())) return;
    if (hooks_.sc_Subclass(picChevron_->hWnd()) < 0) return;
    for (long message : {WM_MOUSEMOVE, WM_MOUSELEAVE})
        hooks_.sc_AddMsg(picChevron_->hWnd(), message, hook::HexTemplateHook::HookAfter);
}

void McToolBar::StartSubclassing() {
    core::bestEffort(L"McToolBar start", [this] {
        if (!userMode() || !picMain_ || hooks_.isHooked(picMain_->hWnd())) return;
        if (!hooks_.startTracking()) return;
        auto hook = [this](HWND window, std::initializer_list<long> messages) {
            if (!window || hooks_.sc_Subclass(window) < 0) return;
            for (long message : messages) hooks_.sc_AddMsg(window, message, hook::HexTemplateHook::HookAfter);
        };
        hook(picMain_->hWnd(), {WM_MOUSEMOVE, WM_MOUSELEAVE, WM_KILLFOCUS});
        hookChevron();
        hook(hWnd(), {WM_TIMER});
        if (forms::Form* form = Parent()) hook(form->hWnd(), {WM_SIZE, WM_MOVE, WM_ACTIVATE});
    });
}

void McToolBar::UserControl_Terminate() {
    watchPressesElsewhere(false);
    HideToolTip();
    state_.ChevronButtons.clear();
    core::bestEffort(L"McToolBar termination", [this] {
        if (HWND window = hWnd()) KillTimer(window, HoverTimer);
        if (picChevron_) hooks_.sc_UnSubclass(picChevron_->hWnd());
        if (picMain_) hooks_.sc_UnSubclass(picMain_->hWnd());
        hooks_.sc_UnSubclass(hWnd());
        if (forms::Form* form = Parent()) hooks_.sc_UnSubclass(form->hWnd());
    });
    // Whatever failed above, no hooked message may reach a control that is going.
    hooks_.sc_UnSubclassAll();
    picChevron_.reset();
    picMain_.reset();
}

// --- Layout

// Sizes the bar to its rows and places the buttons; the bar's picture box follows the control, the
// drop-down takes the size of its cells.
void McToolBar::UserControl_Resize() {
    if (state_.laying || look_.Button_Count == 0) return;
    state_.laying = true;
    core::bestEffort(L"McToolBar layout", [this] {
        const ToolBarLayout layout = layOutButtons(look_, buttons_, pixelWidth(), userMode());
        if (layout.height && *layout.height >= 0) {
            forms::ControlHost* host = Container();
            const bool pixels = host && host->hostScaleMode() == core::scale::Pixels;
            const int height = pixels ? static_cast<int>(*layout.height)
                                      : forms::Screen::pixelsToTwipsY(static_cast<int>(*layout.height));
            if (height != Height()) setHeight(height);
        }
        state_.ChevronButtons = layout.chevron;
        // The drop-down is made only when some buttons do not fit (a top-level window costs the
        // start of the program that shows the bar).
        if (!state_.ChevronButtons.empty() && userMode()) CreateChevronPopup();
        if (layout.dropDownWidth) {
            state_.chevronWidth = *layout.dropDownWidth;
            state_.chevronHeight = *layout.dropDownHeight;
            if (picChevron_ && picChevron_->hWnd())
                SetWindowPos(picChevron_->hWnd(), nullptr, 0, 0, state_.chevronWidth, state_.chevronHeight,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        state_.invalidateBackground();
        if (picMain_) picMain_->Move(0, 0, pixelWidth(), pixelHeight());
    });
    state_.laying = false;
    DrawToolBar();
}

// --- Painting

void McToolBar::DrawToolBar() {
    if (holdDrawing()) return;
    // The surface is fixed here: the chevron opens the drop-down from inside the bar's repaint.
    const bool dropDown = state_.drawOnChevron;
    forms::PictureBox* box = picDraw();
    if (!box) return;
    bool openDropDown = false;
    core::bestEffort(L"McToolBar paint", [&] {
        ToolBarPainter painter(box->surface(), look_, buttons_, state_, userMode(), dropDown, pixelWidth(),
                               pixelHeight());
        openDropDown = painter.drawToolBar();
    });
    if (openDropDown && !dropDown) {
        state_.invalidateBackground();
        ShowChevronPopup();
    }
}

} // namespace widgets
