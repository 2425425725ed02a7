// The command button: stored properties, property writes, methods and its life cycle.
#include "widgets/command_button/kt_button.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/late_bound.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/hook/exports.h"

#include <shellapi.h>

#include <utility>

namespace widgets {

using core::Variant;
using forms::OnChange;

namespace {

// Squares of PictureSize 1 to 4, in pixels.
constexpr std::int32_t squareSizes[] = {16, 24, 32, 48};
constexpr std::int32_t CustomSize = 5;
constexpr int MinimumPixels = 15;
constexpr float MinimumOpacity = 10, MaximumOpacity = 100;

} // namespace

const forms::PropertyTable<ktButton>& ktButton::properties() {
    using C = ktButton;
    using forms::field;
    const std::shared_ptr<forms::StdPicture> noPicture;
    auto ambientBack = [](C& c) { return core::Variant::colour(c.Ambient().BackColor); };
    auto ambientFore = [](C& c) { return core::Variant::colour(c.Ambient().ForeColor); };
    auto displayName = [](C& c) { return core::Variant(c.Ambient().DisplayName); };
    auto withDefault = [](forms::PropertyRow<C> row, std::function<core::Variant(C&)> def) {
        row.storedDefault = def;
        row.initial = std::move(def);
        return row;
    };
    // In the order the control writes them.
    static const forms::PropertyTable<C> table{
        withDefault(field<C>(
                        L"BackColor", [](C & c) -> auto& { return c.look_.BackColor; }, 0u),
                    ambientBack)
            .startsAt(core::sysColor::ButtonFace),
        field<C>(
            L"ButtonShape", [](C & c) -> auto& { return c.look_.ButtonShape; }, std::int32_t(0),
            OnChange::Relayout),
        field<C>(
            L"ButtonStyle", [](C & c) -> auto& { return c.look_.ButtonStyle; }, std::int32_t(0))
            .startsAt(std::int32_t(6)),
        withDefault(field<C>(
                        L"Caption", [](C & c) -> auto& { return c.look_.Caption; }, std::wstring()),
                    displayName),
        field<C>(
            L"CheckBox", [](C & c) -> auto& { return c.look_.CheckBoxMode; }, false),
        field<C>(
            L"Effects", [](C & c) -> auto& { return c.look_.SpecialEffect; }, std::int32_t(0)),
        field<C>(
            L"Enabled", [](C & c) -> auto& { return c.look_.Enabled; }, true),
        forms::fontField<C>(
            L"Font", [](C & c) -> auto& { return c.look_.Font; }),
        withDefault(field<C>(
                        L"ForeColor", [](C & c) -> auto& { return c.look_.Forecolor; }, 0u),
                    ambientFore),
        field<C>(
            L"HandPointer", [](C & c) -> auto& { return c.look_.HandPointer; }, false, OnChange::None),
        field<C>(
            L"MaskColor", [](C & c) -> auto& { return c.look_.MaskColor; }, 0x00C0C0C0u),
        forms::property<C>(
            L"MouseIcon", [](C& c) { return c.UserControl::MouseIcon(); },
            [](C& c, std::shared_ptr<forms::StdPicture> v) { c.UserControl::setMouseIcon(std::move(v)); },
            noPicture, OnChange::None),
        forms::property<C>(
            L"MousePointer", [](C& c) { return static_cast<std::int32_t>(c.UserControl::MousePointer()); },
            [](C& c, std::int32_t v) {
                if (forms::isMousePointer(v)) c.UserControl::setMousePointer(v);
            },
            std::int32_t(0), OnChange::None),
        field<C>(
            L"PicAlign", [](C & c) -> auto& { return c.look_.PictureAlignment; }, std::int32_t(4),
            OnChange::Relayout),
        field<C>(
            L"PicDown", [](C & c) -> auto& { return c.look_.PictureDown; }, noPicture),
        field<C>(
            L"PicHot", [](C & c) -> auto& { return c.look_.PictureHot; }, noPicture),
        field<C>(
            L"PicNormal", [](C & c) -> auto& { return c.look_.PictureNormal; }, noPicture),
        field<C>(
            L"PicOpacity", [](C & c) -> auto& { return c.look_.PicOpacity; }, 1.0f),
        field<C>(
            L"PicSize", [](C & c) -> auto& { return c.look_.PictureSize; }, std::int32_t(0)),
        field<C>(
            L"PicSizeH", [](C & c) -> auto& { return c.look_.PictureSizeH; }, std::int32_t(0)),
        field<C>(
            L"PicSizeW", [](C & c) -> auto& { return c.look_.PictureSizeW; }, std::int32_t(0)),
        field<C>(
            L"State", [](C & c) -> auto& { return c.look_.State; }, std::int32_t(0), OnChange::None),
        field<C>(
            L"UseMask", [](C & c) -> auto& { return c.look_.UseMaskColor; }, true),
        field<C>(
            L"Value", [](C & c) -> auto& { return c.look_.Value; }, false),
    };
    return table;
}

ktButton::ktButton() {
    hook_.zRegisterCallback(this);
}

ktButton::~ktButton() = default;

void ktButton::registerType() {
    forms::registerControlType<ktButton>(L"ktButton");
}

// --- Life cycle

void ktButton::UserControl_Initialize() {
    state_.propertiesLoaded = false;
    // Enter reaches the focused button, which also shows as the default.
    setDefaultCancel(true);
}

void ktButton::UserControl_InitProperties() {
    properties().init(*this);
    surface().setFont(look_.Font);
    ColorScheme(-1, true);
    SetColors();
    state_.propertiesLoaded = true;
}

void ktButton::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    surface().setFont(look_.Font);
    // A button saved hot or pressed is neither when it loads; one saved disabled shows so at once.
    look_.State = look_.Enabled ? ktState::Normal : ktState::Disabled;
    setAccessKeys(ktbutton::SetAccessKey(look_.Caption));
    UserControl::setEnabled(look_.Enabled);
    if (Ambient().UserMode) {
        if (look_.HandPointer) loadHandCursor();
        trackInUser32_ = hook::IsFunctionExported("TrackMouseEvent", "User32");
        if (!trackInUser32_ && !hook::IsFunctionExported("_TrackMouseEvent", "Comctl32"))
            throw core::RuntimeError(-1, L"System does not support TrackMouseEvent.");
        hookWindows();
    }
    SetColors();
    cache_.layoutDirty = true;
    Redraw(ktState::Current, true);
    state_.propertiesLoaded = true;
}

void ktButton::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
}

void ktButton::UserControl_Show() {
    state_.hidden = false;
    // A repaint asked for while hidden (a caption written meanwhile) shows now.
    if (std::exchange(state_.redrawSkipped, false)) Redraw(ktState::Current, true);
}

void ktButton::UserControl_Hide() {
    state_.hidden = true;
}

void ktButton::UserControl_Terminate() {
    core::bestEffort(L"ktButton unhook", [&] { hook_.sc_UnSubclassAll(); });
}

void ktButton::UserControl_Resize() {
    const int w = pixelWidth(), h = pixelHeight();
    if (h >= MinimumPixels && w >= MinimumPixels) {
        cache_.layoutDirty = true;
        if (Ambient().UserMode || state_.propertiesLoaded) Redraw(ktState::Current, true);
        return;
    }
    // Through the extender, in the container's scale (pixels inside a pixel-scaled control).
    const bool pixels = Container() && Container()->hostScaleMode() == core::scale::Pixels;
    if (h < MinimumPixels) setHeight(pixels ? MinimumPixels : forms::Screen::pixelsToTwipsY(MinimumPixels));
    if (pixelWidth() < MinimumPixels && loaded())
        setWidth(pixels ? MinimumPixels : forms::Screen::pixelsToTwipsX(MinimumPixels));
}

void ktButton::SetColors() {
    ktbutton::SetColors(cache_.P, look_.ButtonStyle, look_.BackColor, look_.Forecolor, look_.MaskColor);
}

long ktButton::Redraw(long state, bool force) {
    if (!loaded()) return state;
    if (state_.hidden) {
        state_.redrawSkipped = true;
        return state;
    }
    if (state == ktState::Current) state = look_.State;
    if (!force && state == look_.State && state_.focus == state_.paintedFocus) return state;
    const int w = pixelWidth(), h = pixelHeight();
    if (w <= 0 || h <= 0) return state;
    ++paints_;
    KtButtonPainter painter(hDC(), w, h, look_, state_, cache_);
    painter.Cls();
    state_.paintedFocus = state_.focus;
    look_.State = static_cast<std::int32_t>(state);
    painter.paint(state);
    if (cache_.region)
        core::bestEffort(L"ktButton region", [&] { setWindowRegion(std::move(cache_.region)); });
    return state;
}

// --- Property writes

void ktButton::propertyEffect(OnChange effect) {
    if (effect == OnChange::Relayout)
        Refresh();
    else if (effect == OnChange::Repaint)
        Redraw(ktState::Current, true);
}

void ktButton::setBackColor(std::uint32_t v) {
    look_.BackColor = v;
    SetColors();
    Redraw(ktState::Current, true);
    PropertyChanged(L"BackColor");
}

void ktButton::setButtonShape(std::int32_t v) {
    setProperty(properties(), L"ButtonShape", v);
}

void ktButton::setButtonStyle(std::int32_t v) {
    look_.ButtonStyle = v;
    if (!Ambient().UserMode)
        ColorScheme(-1, true);
    else
        SetColors();
    Refresh();
    PropertyChanged(L"ButtonStyle");
}

void ktButton::setCaption(std::wstring v) {
    look_.Caption = std::move(v);
    setAccessKeys(ktbutton::SetAccessKey(look_.Caption));
    Refresh();
    PropertyChanged(L"Caption");
}

void ktButton::setCheckBoxMode(bool v) {
    look_.CheckBoxMode = v;
    if (!v && look_.Value) {
        look_.Value = false;
        PropertyChanged(L"Value");
    }
    Redraw(ktState::Current, true);
    PropertyChanged(L"CheckBox");
}

void ktButton::setEnabled(bool v) {
    look_.Enabled = v;
    UserControl::setEnabled(v);
    Redraw(v ? (state_.hot ? ktState::Hot : ktState::Normal) : ktState::Disabled, false);
    PropertyChanged(L"Enabled");
}

void ktButton::setFont(std::shared_ptr<forms::StdFont> v) {
    look_.Font = v ? std::move(v) : forms::StdFont::create();
    surface().setFont(look_.Font);
    Refresh();
    PropertyChanged(L"Font");
}

template <class Change>
void ktButton::changeFont(Change change) {
    if (!look_.Font) look_.Font = forms::StdFont::create();
    change(*look_.Font);
    Refresh();
}

bool ktButton::FontBold() const {
    return look_.Font && look_.Font->Bold();
}
void ktButton::setFontBold(bool v) {
    changeFont([&](forms::StdFont& f) { f.setBold(v); });
}
bool ktButton::FontItalic() const {
    return look_.Font && look_.Font->Italic();
}
void ktButton::setFontItalic(bool v) {
    changeFont([&](forms::StdFont& f) { f.setItalic(v); });
}
std::wstring ktButton::FontName() const {
    return look_.Font ? look_.Font->Name() : std::wstring();
}
void ktButton::setFontName(std::wstring v) {
    changeFont([&](forms::StdFont& f) { f.setName(std::move(v)); });
}
float ktButton::FontSize() const {
    return look_.Font ? static_cast<float>(look_.Font->Size()) : 0.0f;
}
void ktButton::setFontSize(float v) {
    changeFont([&](forms::StdFont& f) { f.setSize(v); });
}
bool ktButton::FontStrikethru() const {
    return look_.Font && look_.Font->Strikethrough();
}
void ktButton::setFontStrikethru(bool v) {
    changeFont([&](forms::StdFont& f) { f.setStrikethrough(v); });
}
bool ktButton::FontUnderline() const {
    return look_.Font && look_.Font->Underline();
}
void ktButton::setFontUnderline(bool v) {
    changeFont([&](forms::StdFont& f) { f.setUnderline(v); });
}

void ktButton::setForecolor(std::uint32_t v) {
    look_.Forecolor = v;
    // Also while disabled: Enabled does not recompute the palette, so the caption colour must be
    // current when the button is enabled again.
    SetColors();
    Redraw(ktState::Current, true);
    PropertyChanged(L"ForeColor");
}

void ktButton::setHandPointer(bool v) {
    look_.HandPointer = v;
    if (v && Ambient().UserMode) loadHandCursor();
    PropertyChanged(L"HandPointer");
}

void ktButton::setMaskColor(std::uint32_t v) {
    look_.MaskColor = v;
    cache_.P[7] = ktbutton::TranslateColor(v);
    Redraw(ktState::Current, true);
    PropertyChanged(L"MaskColor");
}

void ktButton::setMouseIcon(std::shared_ptr<forms::StdPicture> v) {
    const bool picture = v != nullptr;
    UserControl::setMouseIcon(std::move(v));
    setMousePointer(picture ? core::pointer::Custom : core::pointer::Default);
    PropertyChanged(L"MouseIcon");
}

void ktButton::setMousePointer(int v) {
    if (v != core::pointer::Custom && look_.HandPointer) setHandPointer(false);
    UserControl::setMousePointer(v);
    PropertyChanged(L"MousePointer");
}

void ktButton::setPictureAlignment(std::int32_t v) {
    setProperty(properties(), L"PicAlign", v);
}

void ktButton::setPictureNormal(std::shared_ptr<forms::StdPicture> v) {
    if (!v) {
        setPictureDown(nullptr);
        setPictureHot(nullptr);
        look_.PicOpacity = 0;
    } else if (look_.PicOpacity == 0) {
        look_.PicOpacity = 1;
    }
    look_.PictureNormal = std::move(v);
    setPictureSize(look_.PictureSize);
    Refresh();
    PropertyChanged(L"PicOpacity");
    PropertyChanged(L"PicNormal");
}

namespace {

bool sameSize(const forms::StdPicture& a, const forms::StdPicture& b) {
    return a.widthPixels() == b.widthPixels() && a.heightPixels() == b.heightPixels();
}

} // namespace

void ktButton::setPictureHot(std::shared_ptr<forms::StdPicture> v) {
    if (v && !look_.PictureNormal) {
        setPictureNormal(std::move(v));
        return;
    }
    if (v && look_.PictureSize == 0 && !sameSize(*v, *look_.PictureNormal)) setPictureSize(CustomSize);
    look_.PictureHot = std::move(v);
    if (state_.hot) Redraw(ktState::Current, true);
    PropertyChanged(L"PicHot");
}

void ktButton::setPictureDown(std::shared_ptr<forms::StdPicture> v) {
    if (v && !look_.PictureNormal) {
        setPictureNormal(std::move(v));
        return;
    }
    if (v && look_.PictureSize == 0 && !sameSize(*v, *look_.PictureNormal)) setPictureSize(CustomSize);
    look_.PictureDown = std::move(v);
    if (state_.pressed) Redraw(ktState::Current, true);
    PropertyChanged(L"PicDown");
}

std::int32_t ktButton::PictureOpacity() const {
    return static_cast<std::int32_t>(ktbutton::Round(static_cast<double>(look_.PicOpacity) * 100.0));
}

void ktButton::setPictureOpacity(float percent) {
    look_.PicOpacity = ktbutton::Clamp(percent, MinimumOpacity, MaximumOpacity) / 100.0f;
    Redraw(ktState::Current, true);
    PropertyChanged(L"PicOpacity");
}

void ktButton::setPictureSize(std::int32_t v) {
    if (!look_.PictureNormal) {
        look_.PictureSize = look_.PictureSizeH = look_.PictureSizeW = 0;
    } else {
        look_.PictureSize = v;
        if (v == 0) {
            look_.PictureSizeH = look_.PictureNormal->heightPixels();
            look_.PictureSizeW = look_.PictureNormal->widthPixels();
        } else if (v >= 1 && v <= 4) {
            look_.PictureSizeH = look_.PictureSizeW = squareSizes[v - 1];
        }
    }
    Refresh();
    PropertyChanged(L"PicSizeH");
    PropertyChanged(L"PicSizeW");
    PropertyChanged(L"PicSize");
}

void ktButton::setPictureSizeH(std::int32_t v) {
    look_.PictureSize = CustomSize;
    look_.PictureSizeH = v;
    Refresh();
    PropertyChanged(L"PicSize");
    PropertyChanged(L"PicSizeH");
}

void ktButton::setPictureSizeW(std::int32_t v) {
    look_.PictureSize = CustomSize;
    look_.PictureSizeW = v;
    Refresh();
    PropertyChanged(L"PicSize");
    PropertyChanged(L"PicSizeW");
}

void ktButton::setSpecialEffect(std::int32_t v) {
    setProperty(properties(), L"Effects", v);
}

void ktButton::setUseMaskColor(bool v) {
    setProperty(properties(), L"UseMask", v);
}

void ktButton::setValue(bool v) {
    look_.Value = v;
    auto watch = this->watch();
    if (!v || look_.CheckBoxMode) {
        Redraw(ktState::Current, true);
    } else if (Ambient().UserMode) {
        // Clicks itself unless a press is under way; then Value stays True until the next click.
        state_.lastButton = core::mouse::Left;
        handleClick();
        if (!watch.alive() || !loaded()) return;
    } else {
        look_.Value = false;
    }
    PropertyChanged(L"Value");
}

// --- Methods

void ktButton::About() {
    static const core::LateBound<decltype(ShellExecuteW)> open{L"shell32.dll", "ShellExecuteW"};
    open(hWnd(), L"open", L"https://vexa.example/controls/ktbutton", nullptr, nullptr, SW_SHOWNORMAL);
}

void ktButton::ColorScheme(long Style, bool NoRedraw) {
    if (Style == -1) Style = look_.ButtonStyle;
    std::uint32_t colour = 0;
    if (ktbutton::schemeColour(static_cast<std::int32_t>(Style), colour)) look_.BackColor = colour;
    SetColors();
    if (!NoRedraw) Redraw(ktState::Current, true);
}

void ktButton::OverrideColor(long Property, std::uint32_t Color, bool NoRedraw) {
    const int slot = ktbutton::overrideSlot(Property);
    if (slot < 0) throw core::RuntimeError(core::err::InvalidProcedureCall);
    cache_.P[static_cast<size_t>(slot)] = ktbutton::TranslateColor(Color);
    if (!NoRedraw) Redraw(ktState::Current, true);
}

void ktButton::SetPopupMenu(HMENU Menu, long Align, long Flags, std::optional<UINT> DefaultMenu) {
    forms::Form* form = Parent();
    if (!Menu || !form || !form->ownsMenu(Menu)) return;
    state_.popupMenu = Menu;
    state_.popupAlign = Align;
    state_.popupFlags = Flags;
    state_.popupDefault = DefaultMenu;
    state_.popupMode = true;
}

void ktButton::UnsetPopupMenu() {
    state_.popupMenu = nullptr;
    state_.popupDefault.reset();
    state_.popupAlign = 0;
    state_.popupFlags = 0;
    state_.popupMode = false;
}

void ktButton::Refresh() {
    cache_.layoutDirty = true;
    Redraw(ktState::Current, true);
}

} // namespace widgets
