#include "widgets/frame/frame_kdq.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/label/about_box.h"
#include "widgets/shared/color_ramp.h"

namespace widgets {

namespace {

constexpr wchar_t kDefaultCaption[] = L"Khung";
// What a new frame is created with.
constexpr std::int16_t kNewTitleHeight = 29;
constexpr std::int32_t kNewBorderGradientWidth = 7;
constexpr std::uint32_t kNewBackFrameColor = 0xFFFFFF;
constexpr std::int32_t kNewAlignment = 2;
constexpr wchar_t kNewFontName[] = L"Arial";
// The plain title bar's preset colours.
constexpr std::uint32_t kPlainBody = 0xE0FFFF;
constexpr std::uint32_t kPlainTitle = 0xB0EFF0;
constexpr std::uint32_t kPlainBorder = 0;

} // namespace

Frame_KDQ::Frame_KDQ() {
    // Clicks on the frame leave the focus where it is, and Tab passes over it.
    setCanGetFocus(false);
    // Controls placed on the frame are never painted over.
    setWindowStyles(WS_CLIPCHILDREN, 0);
}

void Frame_KDQ::registerType() {
    forms::registerControlType<Frame_KDQ>(L"Frame_KDQ");
}

const forms::PropertyTable<Frame_KDQ>& Frame_KDQ::properties() {
    static const forms::PropertyTable<Frame_KDQ> table = makeProperties();
    return table;
}

forms::PropertyTable<Frame_KDQ> Frame_KDQ::makeProperties() {
    using F = Frame_KDQ;
    using forms::OnChange;
    const auto inLook = []<class T>(const wchar_t* key, T FrameLook::*member,
                                    std::type_identity_t<T> stored) {
        return forms::field<F, T>(
            key, [member](F& c) -> T& { return c.look_.*member; }, stored, OnChange::Repaint);
    };
    // The font read is the surface's at once; a new frame has the surface's own (its name Arial).
    auto font = forms::fontField<F>(
        L"Font", [](F & c) -> auto& { return c.font_; }, OnChange::Repaint);
    font.initial = [](F& c) { return core::Variant(c.surface().Font()); };
    font.put = [store = font.put](F& c, const core::Variant& v) {
        store(c, v);
        c.surface().setFont(c.font_);
    };
    // Read in a themed look, the theme is rebuilt at once; the border and body colours read after it
    // then replace the theme's.
    auto theme = inLook(L"ThemeColor", &FrameLook::ThemeColor, 0);
    theme.put = [store = theme.put](F& c, const core::Variant& v) {
        store(c, v);
        if (c.themed()) c.ApplyThemeColor();
    };

    return forms::PropertyTable<F>{
        font,
        inLook(L"Caption", &FrameLook::Caption, kDefaultCaption),
        inLook(L"TiengViet", &FrameLook::TiengViet, true),
        inLook(L"FrameStyle", &FrameLook::FrameStyle, frameLook::Etched).startsAt(frameLook::ThemedTitle),
        inLook(L"AlignmentText", &FrameLook::AlignmentText, 0).startsAt(kNewAlignment),
        inLook(L"ShadowText", &FrameLook::ShadowText, true).startsAt(false),
        inLook(L"ShadowColor", &FrameLook::ShadowColor, 0xFFFFFF).startsAt(std::uint32_t(0)),
        theme,
        // The default theme's border.
        inLook(L"BorderColor", &FrameLook::BorderColor, 0).startsAt(std::uint32_t(0x800000)),
        inLook(L"BackTitleColor", &FrameLook::BackTitleColor, 0xC0FFFF).startsAt(std::uint32_t(0)),
        inLook(L"ForeTitleColor", &FrameLook::ForeTitleColor, 0),
        // Written after the theme; the themed look's paints then store their body colour over it.
        inLook(L"BackFrameColor", &FrameLook::BackFrameColor, 0xE0FFFF).startsAt(kNewBackFrameColor),
        inLook(L"TitleHeight", &FrameLook::TitleHeight, kNewTitleHeight),
        inLook(L"RoundCorner", &FrameLook::RoundCorner, true).startsAt(false),
        inLook(L"BackColor", &FrameLook::BackColor, core::sysColor::ButtonFace).startsAt(std::uint32_t(0)),
        inLook(L"BorderGradientWidth", &FrameLook::BorderGradientWidth, kNewBorderGradientWidth),
        inLook(L"GradientOutColor", &FrameLook::GradientOutColor, 0),
        inLook(L"GradientInColor", &FrameLook::GradientInColor, 0xFFFFFF),
    };
}

void Frame_KDQ::UserControl_Initialize() {
    // Every instance, before any stored form is read: through the writers, with their reports and
    // paints. The held flag is plain, so the look's writer lets every later writer paint again.
    state_.PaintHeld = true;
    setTitleHeight(kNewTitleHeight);
    setFrameStyle(frameLook::ThemedTitle);
    setBorderGradientWidth(kNewBorderGradientWidth);
    setGradientOutColor(0);
    setGradientInColor(0xFFFFFF);
    setBackFrameColor(kNewBackFrameColor);
    setAlignmentText(kNewAlignment);
    font_ = surface().Font();
    font_->setName(kNewFontName);
    setTiengViet(true);
    setCaption(kDefaultCaption);
    state_.PaintHeld = false;
    Refresh();
}

void Frame_KDQ::propertyEffect(forms::OnChange effect) {
    if (effect != forms::OnChange::None) Refresh();
}

bool Frame_KDQ::themed() const {
    return look_.FrameStyle == frameLook::ThemedTitle || look_.FrameStyle == frameLook::ThemedStrip;
}

void Frame_KDQ::setFont(std::shared_ptr<forms::StdFont> value) {
    // Everything the frame measures and draws needs a font.
    if (!value) throw core::RuntimeError(core::err::InvalidPropertyValue);
    font_ = std::move(value);
    surface().setFont(font_);
    PropertyChanged(L"Font");
    Refresh();
}

void Frame_KDQ::setFrameStyle(std::int32_t value) {
    look_.FrameStyle = value;
    PropertyChanged(L"FrameStyle");
    state_.PaintHeld = true;
    if (themed()) {
        ApplyThemeColor();
    } else if (value == frameLook::PlainTitle) {
        setBackFrameColor(kPlainBody);
        setBackTitleColor(kPlainTitle);
        setBorderColor(kPlainBorder);
    }
    state_.PaintHeld = false;
    Refresh();
}

void Frame_KDQ::setThemeColor(std::int32_t value) {
    look_.ThemeColor = value;
    ApplyThemeColor();
    PropertyChanged(L"ThemeColor");
    Refresh();
}

void Frame_KDQ::ApplyThemeColor() {
    state_.PaintHeld = true;
    const FrameTheme theme = frameTheme(look_.ThemeColor);
    state_.ThemeBaseColor = theme.base;
    state_.ThemeLightColor = theme.light;
    setBorderColor(theme.border);
    setBackFrameColor(theme.base);
    state_.PaintHeld = false;
}

void Frame_KDQ::setBackColor(std::uint32_t value) {
    look_.BackColor = value;
    PropertyChanged(L"BackColor");
    // Setting the background erases the image to it, as the paint that follows expects.
    surface().setBackColor(plainColor(value));
    Refresh();
}

void Frame_KDQ::Refresh() {
    if (state_.PaintHeld || !hWnd()) return;
    forms::Surface& s = surface();
    if (FramePainter(s, look_, state_).Refresh()) PropertyChanged(L"BackColor");
    s.Refresh();
    if (painted_) painted_();
}

void Frame_KDQ::About() {
    core::bestEffort(L"frame about box", [] { fAbout::showModal(); });
}

// The mouse goes to the host as it came; nothing else is done, so a host may unload the form in
// any of these.
void Frame_KDQ::relay(const forms::Event<std::int16_t&, std::int16_t&, float&, float&>& event, int button,
                      int shift, float x, float y) {
    std::int16_t b = std::int16_t(button), s = std::int16_t(shift);
    RaiseEvent(event, b, s, x, y);
}

void Frame_KDQ::UserControl_MouseDown(int button, int shift, float x, float y) {
    relay(MouseDown, button, shift, x, y);
}

void Frame_KDQ::UserControl_MouseMove(int button, int shift, float x, float y) {
    relay(MouseMove, button, shift, x, y);
}

void Frame_KDQ::UserControl_MouseUp(int button, int shift, float x, float y) {
    relay(MouseUp, button, shift, x, y);
}

} // namespace widgets
