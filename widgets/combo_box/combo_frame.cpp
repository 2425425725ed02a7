#include "widgets/combo_box/combo_frame.h"

#include "platform/core/constants.h"
#include "platform/core/rounding.h"
#include "platform/forms/functions.h"
#include "platform/forms/gdi.h"
#include "widgets/combo_box/combo_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace widgets {

namespace {

constexpr int ButtonWidth = 18;
constexpr int ButtonInset = 2;
constexpr int PictureX = 5;
constexpr int PictureWidth = 50;
constexpr int PictureHeight = 12;
constexpr int TextLeft = 8;
constexpr int TextLeftAfterPicture = 27;
constexpr int MarginNoSelection = 26;
constexpr int MarginSelection = 47;
constexpr long OwnColoursScheme = 7;

COLORREF plain(uint32_t colour) {
    return TranslateColor(colour);
}

RECT buttonRect(int w, int h) {
    return RECT{w - ButtonWidth, ButtonInset, w - ButtonInset, h - ButtonInset};
}

} // namespace

void APIFillSolidRect(HDC dc, const RECT& rect, uint32_t colour) {
    forms::GdiBrush brush(CreateSolidBrush(plain(colour)));
    FillRect(dc, &rect, brush.get());
}

void APILine(HDC dc, int x1, int y1, int x2, int y2, uint32_t colour) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, plain(colour)));
    forms::ScopedSelect use(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void APILineEx(HDC dc, int x, int y, int w, int h, uint32_t colour) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, plain(colour)));
    forms::ScopedSelect use(dc, pen.get());
    const POINT path[] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}};
    Polyline(dc, path, 5);
}

void APIDrawEdge(HDC dc, RECT rect, UINT edge, UINT flags) {
    DrawEdge(dc, &rect, edge, flags);
}

void DrawRect(HDC dc, int x, int y, int w, int h, uint32_t colour, bool outline) {
    const RECT area{x, y, x + w, y + h};
    if (!outline) {
        APIFillSolidRect(dc, area, colour);
        return;
    }
    forms::GdiBrush brush(CreateSolidBrush(plain(colour)));
    FrameRect(dc, &area, brush.get());
}

void DrawGradient(HDC dc, int x1, int y1, int x2, int y2, uint32_t colour1, uint32_t colour2, bool vertical) {
    const COLORREF a = plain(colour1), b = plain(colour2);
    TRIVERTEX v[2] = {};
    v[0].x = x1;
    v[0].y = y1;
    v[0].Red = static_cast<COLOR16>(GetRValue(a) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(a) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(a) << 8);
    v[1].x = x2;
    v[1].y = y2;
    v[1].Red = static_cast<COLOR16>(GetRValue(b) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(b) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(b) << 8);
    GRADIENT_RECT r{0, 1};
    // gdi32's own entry, which msimg32's GradientFill forwards to: one library less at start.
    GdiGradientFill(dc, v, 2, &r, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void DrawShadeLine(HDC dc, uint32_t from, uint32_t to, int x1, int y, int x2, int steps) {
    if (steps <= 0) return;
    const COLORREF a = plain(from), b = plain(to);
    auto blend = [steps](int ca, int cb, int i) {
        return static_cast<int>(core::roundHalfEven(ca + i * static_cast<float>(cb - ca) / steps));
    };
    for (int i = 0; i <= steps; ++i)
        APILine(dc, x1, y + i, x2, y + i,
                RGB(blend(GetRValue(a), GetRValue(b), i), blend(GetGValue(a), GetGValue(b), i),
                    blend(GetBValue(a), GetBValue(b), i)));
}

void DrawArrow(HDC dc, const RECT& button, uint32_t colour, const ComboLook& look) {
    const long appearance = look.AppearanceCombo, variant = look.OfficeAppearance;
    const bool office = appearance == comboAppearance::Office;
    int s = 0;
    if ((office && variant == officeAppearance::Flat) || appearance == comboAppearance::SoftBlueCurved ||
        appearance == comboAppearance::CutCornerButton)
        s = 1;
    else if (office && (variant == officeAppearance::Standard || variant == officeAppearance::SystemColours))
        s = 2;
    const int x = button.right - (7 - s);
    const int y = static_cast<int>(core::roundHalfEven(button.top + (button.bottom - button.top) / 2.0));
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, plain(colour)));
    forms::ScopedSelect use(dc, pen.get());
    const POINT path[] = {{x - 3, y - 1}, {x + 1, y - 1}, {x, y}, {x - 2, y}, {x, y + 2}};
    Polyline(dc, path, 5);
}

HRGN CreateRoundRegion(int w, int h) {
    const POINT corners[] = {{0, 2}, {2, 0}, {w - 2, 0}, {w, 2}, {w, h - 5}, {w - 6, h}, {3, h}, {0, h - 3}};
    return CreatePolygonRgn(corners, 8, ALTERNATE);
}

std::wstring CompactItemText(HDC dc, int scaleWidth, const std::wstring& text, std::wstring shown, int offset,
                             int unit) {
    auto width = [dc, unit](const std::wstring& s) {
        SIZE size{};
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx) * unit;
    };
    const int full = width(text);
    const int room = scaleWidth - full / 2;
    int current = full + offset;
    if (shown.empty()) shown = text;
    int n = static_cast<int>(core::roundHalfEven(static_cast<int>(text.size()) / 2.0));
    // Only a strictly shorter text replaces the one given.
    while (current > room && n >= 4 && static_cast<size_t>(n) + 3 < shown.size()) {
        shown =
            shown.substr(0, static_cast<size_t>(std::min<int>(n, static_cast<int>(shown.size())))) + L"...";
        current = width(shown);
        --n;
    }
    return shown;
}

// --- The closed combo

ComboFrame::ComboFrame(HDC dc, const FrameInput& in) : dc_(dc), in_(in) {
    out_.button = buttonRect(in.width, in.height);
    out_.listFrameColor = in.listFrameColor;
    back_ = effectiveBack(in.look, in.state);
}

uint32_t ComboFrame::effectiveBack(const ComboLook& look, int state) {
    const bool off = state == comboState::Disabled;
    switch (look.AppearanceCombo) {
    case comboAppearance::Scheme:
        if (look.XpAppearance >= 0 && look.XpAppearance < OwnColoursScheme) return GetSysColor(COLOR_WINDOW);
        break;
    case comboAppearance::FlatLight:
        return off ? LightenColor(0xEAF3F7, 124) : LightenColor(0xDEEAF0, 184);
    case comboAppearance::Office:
        if (look.OfficeAppearance == officeAppearance::SystemColours)
            return off ? LightenColor(GetSysColor(COLOR_BTNFACE), 176) : GetSysColor(COLOR_WINDOW);
        break;
    default:
        break;
    }
    return TranslateColor(look.BackColor);
}

ComboFrame::LookPainter ComboFrame::lookFor(long appearance) {
    struct Look {
        long appearance;
        LookPainter draw;
    };
    static constexpr Look looks[] = {
        {comboAppearance::Office, &ComboFrame::DrawAppearance1},
        {comboAppearance::ClassicSunken, &ComboFrame::DrawAppearance2},
        {comboAppearance::Scheme, &ComboFrame::drawSchemeLook},
        {comboAppearance::ThinSunken, &ComboFrame::DrawAppearance4},
        {comboAppearance::SoftGradient, &ComboFrame::DrawAppearance5},
        {comboAppearance::BlueCutCorners, &ComboFrame::DrawAppearance6},
        {comboAppearance::DoubleFrame, &ComboFrame::DrawAppearance7},
        {comboAppearance::FlatLight, &ComboFrame::DrawAppearance8},
        {comboAppearance::UserPictures, &ComboFrame::DrawAppearance9},
        {comboAppearance::SoftBlueCurved, &ComboFrame::DrawAppearance10},
        {comboAppearance::CircularButton, &ComboFrame::DrawAppearance11},
        {comboAppearance::VerticalGradient, &ComboFrame::DrawAppearance12},
        {comboAppearance::HorizontalGradient, &ComboFrame::DrawAppearance13},
        {comboAppearance::UpDownMark, &ComboFrame::DrawAppearance14},
        {comboAppearance::ShaftedArrow, &ComboFrame::DrawAppearance15},
        {comboAppearance::HeavyArrow, &ComboFrame::DrawAppearance16},
        {comboAppearance::CutCornerButton, &ComboFrame::DrawAppearance17},
        {comboAppearance::ShadedEdging, &ComboFrame::DrawAppearance18},
        {comboAppearance::MixedDoubleArrowhead, &ComboFrame::DrawAppearance19},
        {comboAppearance::DarkDoubleMark, &ComboFrame::DrawAppearance20},
        {comboAppearance::BlueGrey, &ComboFrame::DrawAppearance21},
    };
    for (const Look& look : looks)
        if (look.appearance == appearance) return look.draw;
    return nullptr;
}

std::optional<uint32_t> ComboFrame::colour(const Shade& shade) const {
    const ComboLook& look = in_.look;
    uint32_t c = 0;
    switch (shade.source) {
    case ShadeSource::Fixed:
        c = shade.value;
        break;
    case ShadeSource::Arrow:
        c = TranslateColor(look.ArrowColor);
        break;
    case ShadeSource::NormalBorder:
        c = TranslateColor(look.NormalBorderColor);
        break;
    case ShadeSource::HighLightBorder:
        c = TranslateColor(look.HighLightBorderColor);
        break;
    case ShadeSource::SelectBorder:
        c = TranslateColor(look.SelectBorderColor);
        break;
    case ShadeSource::Gradient1:
        c = TranslateColor(look.GradientColor1);
        break;
    case ShadeSource::Gradient2:
        c = TranslateColor(look.GradientColor2);
        break;
    case ShadeSource::GradientMix:
        c = MixColors(TranslateColor(look.GradientColor1), TranslateColor(look.GradientColor2));
        break;
    case ShadeSource::Disabled:
        c = TranslateColor(look.disabledRead());
        break;
    case ShadeSource::Parent:
        if (!in_.parentBack) return std::nullopt;
        c = SysColorToRGB(*in_.parentBack);
        break;
    }
    return shade.lighten ? LightenColor(c, shade.lighten) : c;
}

void ComboFrame::line(int x1, int y1, int x2, int y2, std::optional<uint32_t> c) {
    if (c) APILine(dc_, x1, y1, x2, y2, *c);
}

void ComboFrame::rect(int x, int y, int w, int h, std::optional<uint32_t> c, bool outline) {
    if (c) DrawRect(dc_, x, y, w, h, *c, outline);
}

void ComboFrame::dot(int x, int y, std::optional<uint32_t> c) {
    if (c) SetPixel(dc_, x, y, *c);
}

void ComboFrame::shadeLine(std::optional<uint32_t> from, std::optional<uint32_t> to, int x1, int y, int x2,
                           int steps) {
    if (from && to) DrawShadeLine(dc_, *from, *to, x1, y, x2, steps);
}

void ComboFrame::arrow(uint32_t c) {
    DrawArrow(dc_, out_.button, c, in_.look);
}

FrameLayout ComboFrame::DrawCombo() {
    const ComboLook& look = in_.look;
    const int w = in_.width, h = in_.height;
    const uint32_t back = back_;
    APIFillSolidRect(dc_, RECT{0, 0, w, h}, back);
    out_.editTop = static_cast<int>(core::roundHalfEven(std::abs(h / 2.0 - 7) + 0.5));
    out_.editFore = look.Enabled ? TranslateColor(look.NormalColorText)
                                 : LightenColor(look.disabledRead(), DisabledEditLighten);
    out_.editVisible = look.Style != ListOnlyStyle;
    out_.button = buttonRect(w, h);
    if (LookPainter paint = lookFor(look.AppearanceCombo)) (this->*paint)();
    const int extraMargin = look.AppearanceCombo == comboAppearance::BlueCutCorners ||
                                    look.AppearanceCombo == comboAppearance::CircularButton
                                ? 2
                                : 0;
    out_.button = buttonRect(w, h);
    out_.cutCorners = look.AppearanceCombo == comboAppearance::BlueCutCorners;

    int textLeft = TextLeft;
    int margin = extraMargin + MarginNoSelection;
    if (in_.selected) {
        margin = extraMargin + MarginSelection;
        if (in_.selected->picture) {
            const int y = std::abs(static_cast<int>(std::floor(h / 2.0)) - 7) -
                          (look.AppearanceCombo == comboAppearance::DoubleFrame ? 1 : 0);
            DrawTransparentPicture(*in_.selected->picture, dc_, PictureX, y, look.Enabled, PictureHeight,
                                   PictureWidth);
            textLeft = TextLeftAfterPicture;
        }
    }
    out_.editLeft = textLeft;
    if (look.Style == ListOnlyStyle) {
        forms::ScopedSelect font(dc_, in_.font);
        const int oldMode = SetBkMode(dc_, TRANSPARENT);
        const COLORREF oldColour = SetTextColor(dc_, look.Enabled ? TranslateColor(look.NormalColorText)
                                                                  : TranslateColor(look.disabledRead()));
        const std::wstring shown = CompactItemText(dc_, w, look.Text, L"", 0);
        DrawStateW(dc_, nullptr, nullptr, reinterpret_cast<LPARAM>(shown.c_str()),
                   static_cast<WPARAM>(shown.size()), textLeft, static_cast<int>(std::floor(h / 2.0)) - 7, 0,
                   0, DST_PREFIXTEXT | DSS_NORMAL);
        SetTextColor(dc_, oldColour);
        SetBkMode(dc_, oldMode);
    }
    out_.editWidth = std::abs(w - margin);
    out_.editHeight = std::max(0, std::min(in_.lineHeight, h - out_.editTop - 2));
    out_.editBack = back;
    return out_;
}

void ComboFrame::DrawAppearance2() {
    const int w = in_.width, h = in_.height;
    APIDrawEdge(dc_, RECT{0, 0, w, h}, EDGE_SUNKEN, BF_RECT);
    APIFillSolidRect(dc_, out_.button, core::sysColor::ButtonFace);
    out_.listFrameColor = TranslateColor(core::sysColor::ButtonShadow);
    APIDrawEdge(dc_, out_.button, in_.state == comboState::Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    DrawArrow(dc_, out_.button, in_.look.ArrowColor, in_.look);
}

void ComboFrame::DrawAppearance4() {
    const ComboLook& look = in_.look;
    const int w = in_.width, h = in_.height;
    const bool disabled = in_.state == comboState::Disabled;
    const uint32_t fill = LightenColor(TranslateColor(look.NormalBorderColor), disabled ? 228 : 155);
    const uint32_t arrow = disabled ? LightenColor(TranslateColor(look.ArrowColor), 106) : look.ArrowColor;
    const UINT edge = in_.state == comboState::Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
    const RECT& b = out_.button;
    APIDrawEdge(dc_, RECT{0, 0, w, h}, BDR_SUNKENOUTER, BF_RECT);
    APIFillSolidRect(dc_, b, fill);
    out_.listFrameColor = TranslateColor(core::sysColor::ButtonFace);
    APILineEx(dc_, 1, 1, w - 3, h - 3, core::sysColor::ButtonFace);
    APILine(dc_, b.left - 1, b.top, b.left - 1, b.bottom, core::sysColor::ButtonFace);
    APIDrawEdge(dc_, b, edge, BF_RECT);
    DrawArrow(dc_, b, arrow, look);
}

} // namespace widgets
