#include "widgets/label/label_kdq.h"

#include <optional>

#include "platform/core/message_frame.h"
#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "widgets/label/about_box.h"
#include "widgets/shared/color_ramp.h"
#include "widgets/shared/gdi_helpers.h"
#include "widgets/shared/hover.h"
#include "widgets/shared/vni.h"

namespace widgets {

namespace {

constexpr wchar_t kDefaultText[] = L"Nha4n";

} // namespace

Label_KDQ::Label_KDQ() {
    // The label hands the focus to its form instead of taking it.
    setCanGetFocus(false);
}

void Label_KDQ::registerType() {
    forms::registerControlType<Label_KDQ>(L"Label_KDQ");
}

// Every change but the tooltip's VNI switch lays the text out again, repaints and raises Change.
const forms::PropertyTable<Label_KDQ>& Label_KDQ::properties() {
    static const forms::PropertyTable<Label_KDQ> table = makeProperties();
    return table;
}

forms::PropertyTable<Label_KDQ> Label_KDQ::makeProperties() {
    using L = Label_KDQ;
    using forms::OnChange;
    const auto inLook = []<class T>(const wchar_t* key, T LabelLook::*member, std::type_identity_t<T> stored,
                                    OnChange effect = OnChange::Relayout) {
        return forms::field<L, T>(
            key, [member](L& c) -> T& { return c.look_.*member; }, stored, effect);
    };
    const auto own = []<class T>(const wchar_t* key, T L::*member, std::type_identity_t<T> stored,
                                 OnChange effect = OnChange::Relayout) {
        return forms::field<L, T>(
            key, [member](L& c) -> T& { return c.*member; }, stored, effect);
    };
    // A new label keeps the font its surface starts with. The font read is the surface's at once,
    // before any other key.
    auto font = forms::fontField<L>(
        L"Font", [](L & c) -> auto& { return c.font_; }, OnChange::Relayout);
    font.initial = [](L& c) { return core::Variant(c.surface().Font()); };
    font.put = [store = font.put](L& c, const core::Variant& v) {
        store(c, v);
        c.surface().setFont(c.font_);
    };
    // A shadow colour that is not stored follows the text colour read before it.
    auto shadowStart =
        inLook(L"ShadowColorStart", &LabelLook::ShadowColorStart, 0).startsAt(std::uint32_t(0));
    shadowStart.storedDefault = [](L& c) { return core::Variant::colour(c.look_.Forecolor); };

    return forms::PropertyTable<L>{
        font,
        own(L"Text", &L::text_, kDefaultText),
        own(L"AutoSize", &L::autoSize_, false),
        inLook(L"WordWrap", &LabelLook::WordWrap, false),
        own(L"TiengViet", &L::tiengViet_, true),
        inLook(L"BackColor", &LabelLook::BackColor, core::sysColor::ButtonFace),
        inLook(L"ForeColor", &LabelLook::Forecolor, 0),
        inLook(L"BorderColor", &LabelLook::BorderColor, 0),
        inLook(L"BorderSize", &LabelLook::BorderSize, 1),
        inLook(L"BorderStyle", &LabelLook::BorderStyle, core::labelBorder::None),
        inLook(L"Transparent", &LabelLook::Transparent, true).startsAt(false),
        inLook(L"EdgeSpace", &LabelLook::EdgeSpace, 1),
        inLook(L"OutlineColor", &LabelLook::OutlineColor, 0xFFFFFF),
        inLook(L"Shadow", &LabelLook::Shadow, false).startsAt(true),
        inLook(L"ShadowDepth", &LabelLook::ShadowDepth, 1),
        inLook(L"ShadowStyle", &LabelLook::ShadowStyle, 0),
        shadowStart,
        inLook(L"ShadowColorEnd", &LabelLook::ShadowColorEnd, 0xFFFFFF),
        inLook(L"Alignment", &LabelLook::Alignment, 0),
        inLook(L"BackColorStyle", &LabelLook::BackColorStyle, 0),
        inLook(L"GradientBackColorStyle", &LabelLook::GradientBackColorStyle, 0),
        inLook(L"GradientBackColorStart", &LabelLook::GradientBackColorStart, 0),
        inLook(L"GradientBackColorEnd", &LabelLook::GradientBackColorEnd, 0xFFFFFF)
            .startsAt(std::uint32_t(0)),
        own(L"ToolTipTiengViet", &L::tooltipTiengViet_, true, OnChange::None).startsAt(false),
    };
}

void Label_KDQ::propertyEffect(forms::OnChange effect) {
    if (effect != forms::OnChange::None) UpdateText();
}

void Label_KDQ::UserControl_Initialize() {
    // The values of a new label; a stored layout replaces them when it is read.
    properties().init(*this);
    UpdateText();
}

void Label_KDQ::setFont(std::shared_ptr<forms::StdFont> value) {
    // Everything the label measures and draws needs a font.
    if (!value) throw core::RuntimeError(core::err::InvalidPropertyValue);
    font_ = std::move(value);
    PropertyChanged(L"Font");
    surface().setFont(font_);
    UpdateText();
}

void Label_KDQ::About() {
    core::bestEffort(L"label about box", [] { fAbout::showModal(); });
}

void Label_KDQ::UpdateText() {
    if (updating_ || !hWnd()) return;
    if (!layOutAndPaint()) return;
    // Raised after the guard is down: a host that changes the label in its Change handler gets that
    // change painted and reported too.
    RaiseEvent(Change);
}

bool Label_KDQ::layOutAndPaint() {
    // Sizing to the text resizes the window, whose resize comes back to UpdateText: the outer pass
    // paints at the final size and raises the one Change.
    updating_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{updating_};

    if (autoSize_) {
        const std::wstring display = displayText();
        forms::Surface& s = surface();
        if (font_) s.setFont(font_);
        const int border = look_.BorderSize, edge = look_.EdgeSpace, shadow = look_.shadowExtent();
        const int margin = border + edge;
        int width = Width(), textHeight;
        if (look_.WordWrap) {
            HDC dc = s.hDC();
            RECT rc{margin, margin, int(s.ScaleWidth()) - margin - shadow, 100};
            LabelPainter painter(dc, s.widthPixels(), s.heightPixels(), look_);
            textHeight = painter.DrawTextOut(display, rc, true);
        } else {
            const int textWidth = TextWidthW(s.hDC(), display) + 2 * margin;
            width = toContainerX(textWidth + shadow);
            textHeight = int(s.TextHeight(L"A"));
        }
        Move(Left(), Top(), width, toContainerY(2 * margin + textHeight + shadow));
        if (!hWnd()) return false;
    }
    if (IsWindowVisible(hWnd())) {
        paintPending_ = false;
        Redraw(displayText());
    } else {
        // What the repaint would leave behind is kept now; the image waits.
        paintPending_ = true;
        pendingBorderSize_ = look_.BorderSize;
        const std::int32_t after = look_.borderSizeAfterPaint();
        if (after != look_.BorderSize) {
            look_.BorderSize = after;
            PropertyChanged(L"BorderSize");
        }
    }
    return true;
}

std::wstring Label_KDQ::displayText() const {
    return tiengViet_ ? VniToUnicode(text_, kVniMarker) : text_;
}

void Label_KDQ::paintIfPending() {
    if (!paintPending_ || !hWnd()) return;
    paintPending_ = false;
    // Laid out as the last update would have been: the frame styles take effect on the one after.
    const std::int32_t reported = look_.BorderSize;
    look_.BorderSize = pendingBorderSize_;
    Redraw(displayText(), reported);
}

HDC Label_KDQ::hDC() {
    paintIfPending();
    return UserControl::hDC();
}

std::int32_t Label_KDQ::LineCount() {
    paintIfPending();
    return lineCount_;
}

void Label_KDQ::UserControl_Show() {
    paintIfPending();
}

// Pixels in the container's scale: twips, or pixels in a container drawn in pixels.
bool Label_KDQ::containerInPixels() {
    forms::ControlHost* host = Container();
    return host && host->hostScaleMode() == core::scale::Pixels;
}
int Label_KDQ::toContainerX(int pixels) {
    return containerInPixels() ? pixels : forms::Screen::pixelsToTwipsX(pixels);
}
int Label_KDQ::toContainerY(int pixels) {
    return containerInPixels() ? pixels : forms::Screen::pixelsToTwipsY(pixels);
}

void Label_KDQ::Redraw(const std::wstring& text, std::optional<std::int32_t> reportedBorderSize) {
    forms::Surface& s = surface();
    HDC dc = s.hDC();
    const int w = s.widthPixels(), h = s.heightPixels();
    const std::int32_t borderBefore = reportedBorderSize.value_or(look_.BorderSize);
    {
        forms::SavedDC keep(dc);
        lineCount_ = LabelPainter(dc, w, h, look_).Redraw(text);
    }
    if (look_.BorderSize != borderBefore) PropertyChanged(L"BorderSize");
    if (look_.Transparent) {
        GdiFlush();
        setWindowRegion(regionWithout(s.pixels(), w, h, plainColor(kLabelMaskColor)));
    } else {
        setWindowRegion({});
    }
    s.Refresh();
}

void Label_KDQ::UserControl_Resize() {
    UpdateText();
}

void Label_KDQ::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    if (!enabled) hover::releaseCapture(hWnd());
}

void Label_KDQ::UserControl_Hide() {
    hover::releaseCapture(hWnd());
}

void Label_KDQ::UserControl_Terminate() {
    hover::releaseCapture(hWnd());
}

void Label_KDQ::windowMessage(core::MessageFrame& m) {
    if (hover::hidesOrDisables(m)) onHiddenOrDisabled();
}

void Label_KDQ::onHiddenOrDisabled() {
    hover::releaseCapture(hWnd());
}

void Label_KDQ::UserControl_MouseDown(int button, int shift, float x, float y) {
    std::int16_t b = std::int16_t(button), s = std::int16_t(shift);
    if (!RaiseEvent(MouseDown, b, s, x, y)) return;
    core::bestEffort(L"label focus to its form", [&] {
        if (forms::Form* f = Parent()) f->SetFocus();
    });
}

void Label_KDQ::UserControl_MouseMove(int button, int shift, float x, float y) {
    HWND self = hWnd();
    if (button == 0) hover::handOverTip(*this, tooltipTiengViet_);
    std::int16_t b = std::int16_t(button), sh = std::int16_t(shift);
    if (hover::pointerOver(*this, x, y)) {
        hover::capture(self);
        RaiseEvent(MouseMove, b, sh, x, y);
    } else {
        hover::releaseCapture(self);
        RaiseEvent(MouseLeave, b, sh, x, y);
    }
}

void Label_KDQ::UserControl_MouseUp(int button, int shift, float x, float y) {
    std::int16_t b = std::int16_t(button), s = std::int16_t(shift);
    RaiseEvent(MouseUp, b, s, x, y);
}

void Label_KDQ::UserControl_Click() {
    RaiseEvent(Click);
}

void Label_KDQ::UserControl_DblClick() {
    RaiseEvent(DblClick);
}

} // namespace widgets
