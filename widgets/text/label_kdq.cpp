#include "widgets/text/label_kdq.h"

#include <optional>

#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/text/about_box.h"
#include "widgets/text/color_ramp.h"
#include "widgets/text/gdi_helpers.h"
#include "widgets/text/tip_window.h"
#include "widgets/text/vni.h"

namespace widgets {

namespace {

constexpr wchar_t kDefaultText[] = L"Nha4n";

forms::Variant colour(std::uint32_t c) {
    return forms::Variant::colour(c);
}

} // namespace

Label_KDQ::Label_KDQ() {
    // The values of a new instance; a stored layout replaces them when it is read.
    text_ = kDefaultText;
    look_.OutlineColor = 0xFFFFFF;
    look_.ShadowColorEnd = 0xFFFFFF;
    tiengViet_ = true;
    look_.Shadow = true;
    look_.BorderSize = 1;
    look_.EdgeSpace = 1;
    look_.BackColor = 0x8000000F;
    look_.BorderColor = 0;
    look_.Forecolor = 0;
    look_.ShadowDepth = 1;
    look_.ShadowColorStart = 0;
    look_.Transparent = false;
    look_.GradientBackColorEnd = 0;
    // The label hands the focus to its form instead of taking it.
    setCanGetFocus(false);
}

void Label_KDQ::registerType() {
    forms::registerControlType<Label_KDQ>(L"Label_KDQ");
}

void Label_KDQ::UserControl_Initialize() {
    font_ = surface().Font();
    UpdateText();
}

template <class T>
void Label_KDQ::store(T& field, T value, const wchar_t* key) {
    field = std::move(value);
    PropertyChanged(key);
    UpdateText();
}

void Label_KDQ::setText(std::wstring value) {
    store(text_, std::move(value), L"Text");
}
void Label_KDQ::setAutoSize(bool value) {
    store(autoSize_, value, L"AutoSize");
}
void Label_KDQ::setBackColor(std::uint32_t value) {
    store(look_.BackColor, value, L"BackColor");
}
void Label_KDQ::setForecolor(std::uint32_t value) {
    store(look_.Forecolor, value, L"ForeColor");
}
void Label_KDQ::setBorderColor(std::uint32_t value) {
    store(look_.BorderColor, value, L"BorderColor");
}
void Label_KDQ::setBorderSize(std::int32_t value) {
    store(look_.BorderSize, value, L"BorderSize");
}
void Label_KDQ::setWordWrap(bool value) {
    store(look_.WordWrap, value, L"WordWrap");
}
void Label_KDQ::setTiengViet(bool value) {
    store(tiengViet_, value, L"TiengViet");
}
void Label_KDQ::setBorderStyle(std::int32_t value) {
    store(look_.BorderStyle, value, L"BorderStyle");
}
void Label_KDQ::setTransparent(bool value) {
    store(look_.Transparent, value, L"Transparent");
}
void Label_KDQ::setEdgeSpace(std::int32_t value) {
    store(look_.EdgeSpace, value, L"EdgeSpace");
}
void Label_KDQ::setOutlineColor(std::uint32_t value) {
    store(look_.OutlineColor, value, L"OutlineColor");
}
void Label_KDQ::setShadow(bool value) {
    store(look_.Shadow, value, L"Shadow");
}
void Label_KDQ::setShadowDepth(std::int16_t value) {
    store(look_.ShadowDepth, value, L"ShadowDepth");
}
void Label_KDQ::setShadowStyle(std::int32_t value) {
    store(look_.ShadowStyle, value, L"ShadowStyle");
}
void Label_KDQ::setShadowColorStart(std::uint32_t value) {
    store(look_.ShadowColorStart, value, L"ShadowColorStart");
}
void Label_KDQ::setShadowColorEnd(std::uint32_t value) {
    store(look_.ShadowColorEnd, value, L"ShadowColorEnd");
}
void Label_KDQ::setAlignment(std::int32_t value) {
    store(look_.Alignment, value, L"Alignment");
}
void Label_KDQ::setBackColorStyle(std::int32_t value) {
    store(look_.BackColorStyle, value, L"BackColorStyle");
}
void Label_KDQ::setGradientBackColorStyle(std::int32_t value) {
    store(look_.GradientBackColorStyle, value, L"GradientBackColorStyle");
}
void Label_KDQ::setGradientBackColorStart(std::uint32_t value) {
    store(look_.GradientBackColorStart, value, L"GradientBackColorStart");
}
void Label_KDQ::setGradientBackColorEnd(std::uint32_t value) {
    store(look_.GradientBackColorEnd, value, L"GradientBackColorEnd");
}
void Label_KDQ::setTooltipTiengViet(bool value) {
    tooltipTiengViet_ = value;
    PropertyChanged(L"ToolTipTiengViet");
}

void Label_KDQ::setFont(std::shared_ptr<forms::StdFont> value) {
    // Everything the label measures and draws needs a font.
    if (!value) throw forms::RuntimeError(forms::err::InvalidPropertyValue);
    font_ = std::move(value);
    PropertyChanged(L"Font");
    surface().setFont(font_);
    UpdateText();
}

void Label_KDQ::About() {
    try {
        fAbout::showModal();
    } catch (...) {
    }
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
        const int B = look_.BorderSize, E = look_.EdgeSpace, S = look_.shadowExtent();
        int width = Width(), H;
        if (look_.WordWrap) {
            HDC dc = s.hDC();
            RECT rc{B + E, B + E, int(s.ScaleWidth()) - B - E - S, 100};
            LabelPainter painter(dc, s.widthPixels(), s.heightPixels(), look_);
            H = painter.DrawTextOut(display, rc, true);
        } else {
            const int W = TextWidthW(s.hDC(), display) + 2 * B + 2 * E;
            width = toContainerX(W + S);
            H = int(s.TextHeight(L"A"));
        }
        Move(Left(), Top(), width, toContainerY(2 * B + H + 2 * E + S));
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

HDC Label_KDQ::hdc() {
    paintIfPending();
    return hDC();
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
    return host && host->hostScaleMode() == 3;
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

void Label_KDQ::UserControl_ReadProperties(forms::PropertyBag& bag) {
    auto read = [&](const wchar_t* key, const forms::Variant& absent) {
        return bag.ReadProperty(key, absent);
    };
    // A label without a stored font takes a copy of its form's, so changing one leaves the other.
    std::shared_ptr<forms::StdFont> formFont = Ambient().Font;
    forms::Variant font = read(L"Font", forms::Variant());
    font_ = font.isEmpty() ? (formFont ? formFont->clone() : forms::StdFont::create()) : font.toFont();
    surface().setFont(font_);
    text_ = read(L"Text", kDefaultText).toString();
    autoSize_ = read(L"AutoSize", false).toBoolean();
    look_.WordWrap = read(L"WordWrap", false).toBoolean();
    tiengViet_ = read(L"TiengViet", true).toBoolean();
    look_.BackColor = read(L"BackColor", colour(0x8000000F)).toColour();
    look_.Forecolor = read(L"ForeColor", colour(0)).toColour();
    look_.BorderColor = read(L"BorderColor", colour(0)).toColour();
    look_.BorderSize = read(L"BorderSize", 1).toLong();
    look_.BorderStyle = read(L"BorderStyle", 0).toLong();
    look_.Transparent = read(L"Transparent", true).toBoolean();
    look_.EdgeSpace = read(L"EdgeSpace", 1).toLong();
    look_.OutlineColor = read(L"OutlineColor", colour(0xFFFFFF)).toColour();
    look_.Shadow = read(L"Shadow", false).toBoolean();
    look_.ShadowDepth = read(L"ShadowDepth", std::int16_t(1)).toInteger();
    look_.ShadowStyle = read(L"ShadowStyle", 0).toLong();
    look_.ShadowColorStart = read(L"ShadowColorStart", colour(look_.Forecolor)).toColour();
    look_.ShadowColorEnd = read(L"ShadowColorEnd", colour(0xFFFFFF)).toColour();
    look_.Alignment = read(L"Alignment", 0).toLong();
    look_.BackColorStyle = read(L"BackColorStyle", 0).toLong();
    look_.GradientBackColorStyle = read(L"GradientBackColorStyle", 0).toLong();
    look_.GradientBackColorStart = read(L"GradientBackColorStart", colour(0)).toColour();
    look_.GradientBackColorEnd = read(L"GradientBackColorEnd", colour(0xFFFFFF)).toColour();
    tooltipTiengViet_ = read(L"ToolTipTiengViet", true).toBoolean();
    UpdateText();
}

void Label_KDQ::UserControl_WriteProperties(forms::PropertyBag& bag) {
    std::shared_ptr<forms::StdFont> formFont = Ambient().Font;
    bag.WriteProperty(L"Font", font_, formFont ? forms::Variant(formFont) : forms::Variant());
    bag.WriteProperty(L"Text", text_, kDefaultText);
    bag.WriteProperty(L"AutoSize", autoSize_, false);
    bag.WriteProperty(L"WordWrap", look_.WordWrap, false);
    bag.WriteProperty(L"TiengViet", tiengViet_, true);
    bag.WriteProperty(L"BackColor", colour(look_.BackColor), colour(0x8000000F));
    bag.WriteProperty(L"ForeColor", colour(look_.Forecolor), colour(0));
    bag.WriteProperty(L"BorderColor", colour(look_.BorderColor), colour(0));
    bag.WriteProperty(L"BorderSize", int(look_.BorderSize), 1);
    bag.WriteProperty(L"BorderStyle", int(look_.BorderStyle), 0);
    bag.WriteProperty(L"Transparent", look_.Transparent, true);
    bag.WriteProperty(L"EdgeSpace", int(look_.EdgeSpace), 1);
    bag.WriteProperty(L"OutlineColor", colour(look_.OutlineColor), colour(0xFFFFFF));
    bag.WriteProperty(L"Shadow", look_.Shadow, false);
    bag.WriteProperty(L"ShadowDepth", look_.ShadowDepth, std::int16_t(1));
    bag.WriteProperty(L"ShadowStyle", int(look_.ShadowStyle), 0);
    bag.WriteProperty(L"ShadowColorStart", colour(look_.ShadowColorStart), colour(look_.Forecolor));
    bag.WriteProperty(L"ShadowColorEnd", colour(look_.ShadowColorEnd), colour(0xFFFFFF));
    bag.WriteProperty(L"Alignment", int(look_.Alignment), 0);
    bag.WriteProperty(L"BackColorStyle", int(look_.BackColorStyle), 0);
    bag.WriteProperty(L"GradientBackColorStyle", int(look_.GradientBackColorStyle), 0);
    bag.WriteProperty(L"GradientBackColorStart", colour(look_.GradientBackColorStart), colour(0));
    bag.WriteProperty(L"GradientBackColorEnd", colour(look_.GradientBackColorEnd), colour(0xFFFFFF));
    bag.WriteProperty(L"ToolTipTiengViet", tooltipTiengViet_, true);
}

void Label_KDQ::releaseCapture() {
    HWND w = hWnd();
    if (w && GetCapture() == w) ReleaseCapture();
}

void Label_KDQ::setEnabled(bool enabled) {
    UserControl::setEnabled(enabled);
    if (!enabled) releaseCapture();
}

void Label_KDQ::UserControl_Hide() {
    releaseCapture();
}

void Label_KDQ::UserControl_Terminate() {
    releaseCapture();
}

void Label_KDQ::windowMessage(forms::MessageFrame& m) {
    // Hidden or disabled from outside (its form, EnableWindow): the label no longer holds the mouse.
    if ((m.msg == WM_ENABLE || m.msg == WM_SHOWWINDOW) && !m.wParam) releaseCapture();
}

void Label_KDQ::UserControl_MouseDown(int Button, int Shift, float X, float Y) {
    std::int16_t b = std::int16_t(Button), s = std::int16_t(Shift);
    if (!RaiseEvent(MouseDown, b, s, X, Y)) return;
    try {
        if (forms::Form* f = Parent()) {
            if (HWND fw = f->hWnd(); fw && IsWindowVisible(fw) && IsWindowEnabled(fw)) ::SetFocus(fw);
        }
    } catch (...) {
    }
}

void Label_KDQ::UserControl_MouseMove(int Button, int Shift, float X, float Y) {
    HWND self = hWnd();
    if (Button == 0)
        FTip::instance().SetTip(self, ToolTipText(), 0, -1, tooltipTiengViet_, forms::Variant(L"Verdana"),
                                300);
    const forms::Surface& s = surface();
    bool inside = X >= 0 && Y >= 0 && X <= s.ScaleWidth() && Y <= s.ScaleHeight();
    if (inside) {
        POINT p{0, 0};
        GetCursorPos(&p);
        inside = WindowFromPoint(p) == self;
    }
    std::int16_t b = std::int16_t(Button), sh = std::int16_t(Shift);
    if (inside) {
        if (GetCapture() != self) SetCapture(self);
        RaiseEvent(MouseMove, b, sh, X, Y);
    } else {
        ReleaseCapture();
        RaiseEvent(MouseLeave, b, sh, X, Y);
    }
}

void Label_KDQ::UserControl_MouseUp(int Button, int Shift, float X, float Y) {
    std::int16_t b = std::int16_t(Button), s = std::int16_t(Shift);
    RaiseEvent(MouseUp, b, s, X, Y);
}

void Label_KDQ::UserControl_Click() {
    RaiseEvent(Click);
}

void Label_KDQ::UserControl_DblClick() {
    RaiseEvent(DblClick);
}

} // namespace widgets
