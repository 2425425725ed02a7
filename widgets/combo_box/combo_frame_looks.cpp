// The looks the frame draws itself: appearances 6, 7, 9, 10, 11, 15 and 19.
#include "widgets/combo_box/combo_frame.h"

#include "platform/core/rounding.h"
#include "platform/forms/functions.h"
#include "platform/forms/gdi.h"
#include "widgets/combo_box/combo_picture.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

namespace widgets {

namespace {

using namespace shade;

int roundi(double v) {
    return static_cast<int>(core::roundHalfEven(v));
}

// A path drawn segment by segment with one pen: its last point is not painted.
void path(HDC dc, std::initializer_list<POINT> points, uint32_t colour) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, colour));
    forms::ScopedSelect use(dc, pen.get());
    const std::vector<POINT> p(points);
    Polyline(dc, p.data(), static_cast<int>(p.size()));
}

// --- Appearance 6: eighteen palette entries, lightened from their base by state.
struct PaletteEntry {
    uint32_t base;
    int normal, hot, pressed;
    Shade disabled; // and any other state
};

const std::array<PaletteEntry, 18> palette6 = {{
    {0xFDF2C3, 9, 89, 15, fixed(0x808080, 195)},
    {0xDE8B45, 9, 89, 15, fixed(0x808080, 135)},
    {0xDD873E, 9, 89, 15, fixed(0x808080, 135)},
    {0xB33A01, 9, 99, 15, fixed(0x808080, 5)},
    {0xE9BD96, 9, 109, 15, fixed(0x808080, 195)},
    {0xB9B2AD, 9, 109, 15, parent()},
    {0x968A82, 9, 109, 15, parent()},
    {0xA25022, 9, 109, 15, fixed(0x808080, 65)},
    {0xB8865E, 9, 109, 15, parent()},
    {0xDFBC86, 9, 109, 15, fixed(0x808080, 5)},
    {0xFFBA77, 9, 109, 15, fixed(0x808080, 5)},
    {0xE3D499, 9, 109, 15, fixed(0x808080, 5)},
    {0xFFD996, 9, 109, 15, fixed(0x808080, 5)},
    {0xE1A46D, 9, 109, 15, fixed(0x808080, 5)},
    {0xCBA47B, 9, 109, 15, fixed(0x808080, 5)},
    {0xDFDFDF, 9, 109, 15, parent()},
    {0xD0D0D0, 9, 109, 15, parent()},
    {0xA0A0A0, 0, 0, 0, parent()},
}};

// --- Appearance 7
struct Row7 {
    Shade fill, arrow;
};
const ByState<Row7> looks7{{normal(), arrow()},
                           {normal(52), arrow()},
                           {normal(), arrow()},
                           {normal(192), arrow(166)},
                           {normal(), arrow()}};

// --- Appearance 9
struct Row9 {
    std::shared_ptr<forms::StdPicture> ComboLook::*picture;
    Shade frame;
    bool setsListFrame;
};
const ByState<Row9> looks9{{&ComboLook::NormalPictureUser, normal(), false},
                           {&ComboLook::HighLightPictureUser, highLight(), false},
                           {&ComboLook::FocusPictureUser, select(), true},
                           {&ComboLook::DisabledPictureUser, normal(43), false},
                           {&ComboLook::DisabledPictureUser, normal(43), false}};

// --- Appearance 10
struct Row10 {
    Shade button, frame;
    bool setsListFrame;
};
const ByState<Row10> looks10{{fixed(0xDCC6B4, 75), fixed(0xC56A31, 143), false},
                             {fixed(0xDCC6B4, 45), fixed(0xC56A31, 113), true},
                             {fixed(0xDCC6B4, 15), fixed(0xC56A31, 113), true},
                             {fixed(0x000000, 237), fixed(0x000000, 176), false},
                             {fixed(0x000000, 237), fixed(0x000000, 176), false}};

// --- Appearance 11
struct Row11 {
    Shade disc, ring, arrow;
};
const ByState<Row11> looks11{{fixed(0xCF989F), fixed(0xA07F7F), fixed(0xFFFFFF)},
                             {fixed(0x9F3000), fixed(0xAF572F), fixed(0xFFFFFF)},
                             {fixed(0x9F3000), fixed(0xAF572F), fixed(0xFFFFFF)},
                             {fixed(0xFFF8FF), fixed(0x404040, 166), fixed(0x404040, 166)},
                             {fixed(0xFFF8FF), fixed(0x404040, 166), fixed(0x404040, 16)}};

// --- Appearance 15
struct Row15 {
    Shade top, bottom, frame;
};
const ByState<Row15> looks15{{gradient2(), gradient1(), normal()},
                             {gradient2(65), gradient1(65), highLight()},
                             {gradient2(), gradient1(), select()},
                             {gradient2(), gradient1(176), fixed(0x000000, 176)},
                             {gradient2(), gradient1(176), fixed(0x000000, 176)}};

// --- Appearance 19
struct Row19 {
    Shade button, frame;
    bool setsListFrame;
};
const ByState<Row19> looks19{{gradientMix(24), normal(), false},
                             {gradientMix(65), highLight(), false},
                             {gradientMix(14), select(), true},
                             {gradientMix(176), fixed(0xC0C0C0), false},
                             {gradientMix(176), fixed(0xC0C0C0), false}};

} // namespace

void ComboFrame::DrawAppearance6() {
    const int w = in_.width, h = in_.height;
    RECT& b = out_.button;
    b.left -= 4;
    const int bw4 = b.right - b.left;
    std::array<std::optional<uint32_t>, 19> p; // P1 to P18
    for (size_t i = 0; i < palette6.size(); ++i) {
        const PaletteEntry& e = palette6[i];
        switch (state()) {
        case comboState::Normal:
            p[i + 1] = LightenColor(e.base, e.normal);
            break;
        case comboState::Hot:
            p[i + 1] = LightenColor(e.base, e.hot);
            break;
        case comboState::Pressed:
            p[i + 1] = LightenColor(e.base, e.pressed);
            break;
        default:
            p[i + 1] = colour(e.disabled);
            break;
        }
    }
    setListFrame(GetSysColor(COLOR_BTNSHADOW));
    const int third = roundi(h / 3.0), twoThirds = roundi(2.0 * h / 3 - 4);
    shadeLine(p[1], p[2], w - bw4, 1, w - 1, third);
    shadeLine(p[3], p[1], w - bw4, third, w - 1, twoThirds);
    line(2, 0, w - 3, 0, 0xA1A1A1);
    line(1, 0, 1, h - 3, 0xA1A1A1);
    const uint32_t grey = 0xBBBBBB;
    const int half = roundi(h / 2.0);
    if (!disabled()) {
        shadeLine(p[16], grey, 0, 0, 1, 3);
        shadeLine(grey, p[18], 0, 4, 1, roundi(h / 2.0 - 4));
        shadeLine(p[18], grey, 0, half, 1, roundi(h / 2.0 - 5));
        shadeLine(grey, p[16], 0, roundi(h - 5.0), 1, 2);
    } else {
        shadeLine(p[16], p[16], 0, 0, 1, 3);
        shadeLine(p[18], p[18], 0, 4, 1, roundi(h / 2.0 - 4));
        shadeLine(p[18], p[18], 0, half, 1, roundi(h / 2.0 - 5));
        shadeLine(p[16], p[16], 0, roundi(h - 5.0), 1, 2);
    }
    line(1, h - 3, w - 2, h - 3, 0x747474);
    line(1, h - 2, w - 3, h - 2, 0xA1A1A1);
    line(2, h - 1, w - 4, h - 1, 0xDDDDDD);
    shadeLine(p[10], p[3], w - bw4, 1, w - bw4 + 1, third);
    shadeLine(p[3], p[10], w - bw4, third, w - bw4 + 1, twoThirds);
    line(w - bw4 - 3, 0, w - 3, 0, p[4]);
    line(w - bw4 - 3, 1, w - 4, 1, p[5]);
    shadeLine(p[16], p[17], w - 1, 2, w, 3);
    shadeLine(p[17], p[18], w - 1, 3, w, roundi(h / 2.0 - 6));
    shadeLine(p[18], p[17], w - 1, roundi(h / 2.0 - 2), w, roundi(h / 2.0 - 6));
    shadeLine(p[17], p[16], w - 1, roundi(h - 8.0), w, 3);
    shadeLine(p[4], p[3], w - 2, 2, w - 1, roundi(h - 7.0));
    shadeLine(p[4], p[11], w - 3, 1, w - 2, roundi(h - 6.0));
    const std::optional<uint32_t> parentBack = colour(parent());
    const struct {
        int x, y;
        std::optional<uint32_t> c;
    } dots[] = {{w - 4, h - 4, p[15]},
                {w - 3, h - 4, p[7]},
                {w - 3, h - 5, p[14]},
                {w - 2, h - 5, p[7]},
                {w - 2, h - 6, p[9]},
                {w - 2, h - 4, p[6]},
                {w - 3, h - 3, p[6]},
                {w - 4, h - 2, 0xCACACA},
                {w - 5, h - 2, 0xBFBFBF},
                {w - 6, h - 1, 0xE4E4E4},
                {w - 5, h - 4, p[12]},
                {w - 4, h - 5, p[13]},
                {w - 4, 0, disabled() ? LightenColor(0x808080, 55) : 0xA76E4A},
                {w - 3, 0, p[6]},
                {w - 3, 1, p[8]},
                {w - 2, 1, disabled() ? parentBack : std::optional<uint32_t>(0xB3A49D)},
                {w - 5, 1, p[9]},
                {w - 4, 1, p[8]},
                {w - 4, 2, p[9]},
                {w - 3, 3, p[8]}};
    for (const auto& d : dots) dot(d.x, d.y, d.c);
    const uint32_t ink = disabled() ? LightenColor(0x000000, 176) : 0x000000;
    const int cx = roundi(bw4 / 2.0 + b.left + 2);
    const int cy = roundi((b.bottom - b.top) / 2.0 + b.top - 1);
    path(dc_,
         {{cx - 3, cy + 1},
          {cx + 1, cy + 1},
          {cx, cy + 2},
          {cx - 2, cy + 2},
          {cx - 2, cy + 3},
          {cx, cy + 3},
          {cx - 1, cy + 4},
          {cx - 1, cy + 6}},
         ink);
    path(dc_,
         {{cx - 3, cy - 2},
          {cx + 1, cy - 2},
          {cx, cy - 3},
          {cx - 2, cy - 3},
          {cx - 2, cy - 4},
          {cx, cy - 4},
          {cx - 1, cy - 5},
          {cx - 1, cy - 7}},
         ink);
    b.left += 4;
}

void ComboFrame::DrawAppearance7Part(int x, int y, int width, int height, uint32_t colour1, uint32_t colour2,
                                     uint32_t corner) {
    APILineEx(dc_, x, y, width - 1, height - 1, colour1);
    APILineEx(dc_, x + 1, y + 1, width - 1, height - 1, colour2);
    dot(x, y + height, corner);
    dot(x + width, y, corner);
    const uint32_t mixed = MixColors(colour2, colour1);
    dot(x + 1, y + height - 1, mixed);
    dot(x + width - 1, y + 1, mixed);
}

void ComboFrame::DrawAppearance7() {
    const int w = in_.width, h = in_.height;
    const Row7& row = looks7[state()];
    const uint32_t shadow = GetSysColor(COLOR_BTNSHADOW), window = GetSysColor(COLOR_WINDOW);
    setListFrame(shadow);
    DrawAppearance7Part(0, 0, w - 1, h - 1, shadow, window, window);
    const RECT b = out_.button;
    APIFillSolidRect(dc_, b, colourOr(row.fill, 0));
    DrawAppearance7Part(b.left, b.top, b.right - b.left - 1, b.bottom - b.top - 1, shadow, window, window);
    arrow(colourOr(row.arrow, 0));
}

void ComboFrame::DrawAppearance9() {
    const int w = in_.width, h = in_.height;
    const Row9& row = looks9[state()];
    rect(w - 19, 0, w, h, colour(parent()), false);
    rect(0, 0, w - 19, h, disabled() ? colour(shade::disabled(145)) : colour(row.frame), true);
    if (row.setsListFrame) setListFrame(colourOr(row.frame, 0));
    if (const auto& picture = in_.look.*row.picture)
        DrawTransparentPicture(*picture, dc_, w - 18, std::abs(static_cast<int>(std::floor(h / 2.0)) - 11),
                               true, 18, 17);
}

void ComboFrame::DrawAppearance10() {
    const int w = in_.width, h = in_.height;
    const Row10& row = looks10[state()];
    const uint32_t button = colourOr(row.button, 0), frame = colourOr(row.frame, 0);
    const int bw = out_.button.right - out_.button.left;
    if (row.setsListFrame) setListFrame(frame);
    rect(w - 17, 1, 16, h - 2, LightenColor(button, 25), false);
    rect(0, 0, w, h, frame, true);
    rect(w - 17, 0, 17, h, LightenColor(frame, 5), true);
    for (int i = 2; i <= 5; ++i) line(w - bw - 1, i - 1, w - (11 + i), i - 1, back_);
    for (int i = 5; i >= 2; --i) line(w - bw + (4 - i), i - 1, w - (11 + i), i - 1, frame);
    arrow(disabled() ? LightenColor(0x404040, 166) : TranslateColor(in_.look.ArrowColor));
}

void ComboFrame::DrawAppearance11() {
    const int w = in_.width, h = in_.height;
    const Row11& row = looks11[state()];
    const uint32_t disc = colourOr(row.disc, 0), ring = colourOr(row.ring, 0), ink = colourOr(row.arrow, 0);
    setListFrame(LightenColor(0x9F3000, 45));
    RECT& b = out_.button;
    const int cx = b.left + 7, cy = roundi(h / 2.0);
    forms::GdiBrush fill(CreateSolidBrush(disc));
    forms::ScopedSelect useFill(dc_, fill.get());
    for (const auto& [radius, outline] : {std::pair{8, ring}, std::pair{7, uint32_t{0xFFFFFF}}}) {
        forms::GdiPen pen(CreatePen(PS_SOLID, 1, outline));
        forms::ScopedSelect usePen(dc_, pen.get());
        Ellipse(dc_, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
    }
    rect(0, 0, w, h, ring, true);
    b.left -= 5;
    b.top = roundi(h / 2.0) - 11;
    const int l = b.left, t = b.top;
    for (int dy : {0, 4}) {
        line(l + 9, t + 8 + dy, l + 13, t + 12 + dy, ink);
        line(l + 10, t + 8 + dy, l + 13, t + 11 + dy, ink);
        line(l + 15, t + 8 + dy, l + 11, t + 12 + dy, ink);
        line(l + 14, t + 8 + dy, l + 11, t + 11 + dy, ink);
    }
}

void ComboFrame::DrawAppearance15() {
    const int w = in_.width, h = in_.height;
    const Row15& row = looks15[state()];
    const RECT& b = out_.button;
    const int bw = b.right - b.left;
    const uint32_t frame = colourOr(row.frame, 0);
    const uint32_t ink = disabled() ? LightenColor(0xC0C0C0, 26) : TranslateColor(in_.look.ArrowColor);
    setListFrame(frame);
    DrawGradient(dc_, b.left + 1, b.top - 1, b.right + 1, b.bottom + 1, colourOr(row.top, 0),
                 colourOr(row.bottom, 0), true);
    rect(0, 0, w, h, frame, true);
    rect(w - 17, 0, 19, h, LightenColor(frame, 5), true);
    const int cy = roundi(h / 2.0 + 1);
    for (int i = 7; i >= -2; --i) {
        const int y = roundi(cy - i / 2.0);
        line(w - bw + 6, y, w - 7, y, ink);
    }
    line(w - bw + 5, cy, w - 6, cy, ink);
    line(w - bw + 6, cy + 1, w - 7, cy + 1, ink);
    line(w - bw + 7, cy + 2, w - 8, cy + 2, ink);
}

void ComboFrame::DrawAppearance19() {
    const int w = in_.width, h = in_.height;
    const Row19& row = looks19[state()];
    const RECT& b = out_.button;
    const int bw = b.right - b.left;
    const uint32_t button = colourOr(row.button, 0), frame = colourOr(row.frame, 0);
    const uint32_t ink = disabled() ? LightenColor(0xC0C0C0, 36) : TranslateColor(in_.look.ArrowColor);
    if (row.setsListFrame) setListFrame(frame);
    DrawShadeLine(dc_, button, button, b.left + 1, b.top - 1, b.right + 1, b.bottom + 1);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 0, 19, h, frame, true);
    rect(1, 1, w - 19, h - 2, LightenColor(button, 85), true);
    const int cy = roundi(h / 2.0 + 1);
    for (int k = 0; k <= 4; ++k) {
        line(w - bw + 6 - k, cy + 3 - k, w - 8 + k, cy + 3 - k, ink);
        line(w - bw + 6 - k, cy - k, w - 8 + k, cy - k, ink);
    }
}

} // namespace widgets
