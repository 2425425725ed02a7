// The renderers of appearances 5, 8, 12, 13, 14, 18, 20 and 21.
#include "widgets/combo_box/combo_frame.h"

#include "platform/core/rounding.h"
#include "platform/forms/functions.h"
#include "platform/forms/gdi.h"

namespace widgets {

namespace {

using namespace shade;

int roundi(double v) {
    return static_cast<int>(core::roundHalfEven(v));
}

void path(HDC dc, const POINT (&points)[5], uint32_t colour) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, colour));
    forms::ScopedSelect use(dc, pen.get());
    Polyline(dc, points, 5);
}

// Frame, two gradient colours and whether the state frames the list in the frame colour.
struct Row {
    Shade frame, first, second;
    bool setsListFrame;
};

const ByState<Row> looks5{{normal(), gradient2(63), gradient1(63), true},
                          {highLight(), gradient2(127), gradient1(127), true},
                          {select(), gradient2(), gradient1(), true},
                          {fixed(0xC0C0C0), fixed(0xC0C0C0, 45), fixed(0xFFFFFF), true}};

// Appearance 8: frame, button fill and button edge.
constexpr uint32_t Base8 = 0xB6BFC3;
constexpr uint32_t Inner8 = 0xEAF3F7;
const ByState<Row> looks8{{fixed(Base8, 91), fixed(Inner8), fixed(Base8, 162), false},
                          {fixed(Base8, 31), fixed(0xDCEBF1), fixed(Base8, 132), false},
                          {fixed(Base8, 21), fixed(0xCEE3EC), fixed(Base8, 112), true},
                          {fixed(Base8, 84), fixed(Inner8, 123), fixed(Base8, 132), false}};

const ByState<Row> looks12{{fixed(0xC56A31, 133), fixed(0xFFFFFF), fixed(0xD8CEC5), false},
                           {fixed(0xC56A31, 113), fixed(0xFFFFFF), fixed(0xD6BEB5), false},
                           {fixed(0xC56A31, 93), fixed(0xFFFFFF), fixed(0xB3A29B), true},
                           {fixed(0x000000, 176), fixed(0xC0C0C0), fixed(0xFFFFFF), false}};

const ByState<Row> looks14{{fixed(0xA69182), fixed(0xFFFFFF), fixed(0xA87057), true},
                           {fixed(0xAF9080), fixed(0xFFFFFF), fixed(0xCFA090), false},
                           {fixed(0xA69182), fixed(0xFFFFFF), fixed(0xA87057), true},
                           {fixed(0xA69182, 146), fixed(0xFFFFFF), fixed(0xA87057, 176), false}};

const ByState<Row> looks18{{normal(), gradient1(), gradient2(), false},
                           {highLight(), gradient1(65), gradient2(65), false},
                           {select(), gradient1(), gradient2(), true},
                           {disabled(), gradient1(176), gradient2(176), false}};

// Appearances 20 and 21: gradient ends and the mark's (or arrow's) colour; the frame is fixed.
struct MarkRow {
    Shade first, second, mark;
};
const ByState<MarkRow> looks20{{fixed(0x686567), fixed(0x292929, 89), fixed(0x000000)},
                               {fixed(0x686567, 89), fixed(0x292929, 178), fixed(0x000000, 89)},
                               {fixed(0x686567), fixed(0x292929, 89), fixed(0x000000)},
                               {fixed(0x838181, 176), fixed(0x292929, 176), fixed(0x000000, 176)}};
const ByState<MarkRow> looks21{{fixed(0xBE8F63), fixed(0xE8DBCB), arrow()},
                               {fixed(0xBE8F63, 49), fixed(0xE8DBCB, 49), arrow(89)},
                               {fixed(0xBE8F63), fixed(0xE8DBCB), arrow()},
                               {fixed(0xBE8F63, 176), fixed(0xE8DBCB, 176), fixed(0xC0C0C0, 85)}};

} // namespace

void ComboFrame::DrawAppearance5() {
    const int w = in_.width, h = in_.height;
    const Row& row = looks5[state()];
    const RECT& b = out_.button;
    const uint32_t frame = colourOr(row.frame, 0), g2 = colourOr(row.first, 0), g1 = colourOr(row.second, 0);
    setListFrame(frame);
    DrawGradient(dc_, b.left, b.top, b.right - 8, b.bottom - 8, g2, g1, true);
    DrawGradient(dc_, b.left + 8, b.top + 8, b.right, b.bottom, g1, g2, true);
    DrawGradient(dc_, b.left + 8, b.top, b.right, b.bottom - 8, g2, g1, true);
    DrawGradient(dc_, b.left, b.top + 8, b.right - 8, b.bottom, g1, g2, true);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 2, 16, h - 4, frame, true);
    arrow(disabled() ? LightenColor(0x404040, 166) : TranslateColor(in_.look.ArrowColor));
}

void ComboFrame::DrawAppearance8() {
    const int w = in_.width, h = in_.height;
    const Row& row = looks8[state()];
    const RECT& b = out_.button;
    const uint32_t frame = colourOr(row.frame, 0);
    rect(1, 1, w - 2, h - 2, Inner8, true);
    if (row.setsListFrame) setListFrame(frame);
    rect(0, 0, w, h, frame, true);
    if (disabled()) rect(1, 1, w - 2, h - 2, LightenColor(Inner8, 124), true);
    rect(w - 18, 2, 16, h - 4, colour(row.first), false);
    rect(w - 18, 2, 16, h - 4, colour(row.second), true);
    dot(w - 18, 2, back_);
    dot(w - 3, 2, back_);
    dot(w - 18, b.bottom - 1, back_);
    dot(b.right - 1, h - 3, back_);
    arrow(disabled() ? LightenColor(0x404040, 196) : TranslateColor(in_.look.ArrowColor));
}

void ComboFrame::DrawAppearance12and13(bool vertical) {
    const int w = in_.width, h = in_.height;
    const Row& row = looks12[state()];
    const RECT& b = out_.button;
    const uint32_t frame = colourOr(row.frame, 0);
    if (row.setsListFrame) setListFrame(frame);
    DrawGradient(dc_, b.left, b.top, b.right, b.bottom, colourOr(row.first, 0), colourOr(row.second, 0),
                 vertical);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 2, 16, h - 4, frame, true);
    arrow(disabled() ? LightenColor(0x404040, 166) : TranslateColor(in_.look.ArrowColor));
}

void ComboFrame::DrawAppearance12() {
    DrawAppearance12and13(true);
}

void ComboFrame::DrawAppearance13() {
    DrawAppearance12and13(false);
}

void ComboFrame::DrawAppearance14() {
    const int w = in_.width, h = in_.height;
    const Row& row = looks14[state()];
    const RECT& b = out_.button;
    const uint32_t frame = colourOr(row.frame, 0);
    if (row.setsListFrame) setListFrame(frame);
    DrawGradient(dc_, b.left + 1, b.top - 1, b.right + 1, b.bottom + 1, colourOr(row.first, 0),
                 colourOr(row.second, 0), true);
    rect(0, 0, w, h, frame, true);
    uint32_t mark = frame;
    if (state() == comboState::Hot) {
        rect(w - 17, 0, 17, h, 0x53969F, true);
        rect(w - 16, 1, 15, h - 2, 0x92C4D8, true);
        mark = 0x3EB4DE;
    } else if (!disabled()) {
        rect(w - 17, 0, 19, h, LightenColor(frame, 5), true);
        mark = TranslateColor(in_.look.ArrowColor);
    } else {
        mark = LightenColor(0xC0C0C0, 97);
    }
    const int cx = roundi((b.right - b.left) / 2.0 + b.left + 2);
    const int cy = roundi((b.bottom - b.top) / 2.0 + b.top + 2);
    const int cx2 = roundi((b.right - b.left) / 2.0 + b.left + 3);
    path(dc_, {{cx - 3, cy - 1}, {cx + 1, cy - 1}, {cx, cy}, {cx - 2, cy}, {cx, cy + 2}}, mark);
    path(dc_, {{cx2 - 4, cy - 3}, {cx2, cy - 3}, {cx2 - 2, cy - 5}, {cx2 - 3, cy - 4}, {cx2 - 1, cy - 3}},
         mark);
}

void ComboFrame::DrawAppearance18() {
    const int w = in_.width, h = in_.height;
    const Row& row = looks18[state()];
    const RECT& b = out_.button;
    const int bw = b.right - b.left;
    const uint32_t frame = colourOr(row.frame, 0);
    if (row.setsListFrame) setListFrame(frame);
    shadeLine(colour(row.first), colour(row.second), b.left + 1, b.top - 1, b.right + 1, b.bottom + 1);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 0, 19, h, LightenColor(frame, 5), true);
    const uint32_t edit = disabled() ? colourOr(shade::disabled(198), 0) : LightenColor(frame, 168);
    // The lines stop 143 pixels short of the right edge, or run out at the left one.
    line(w - bw - 3, 1, w - 144, 1, edit);
    DrawArrowLines(disabled() ? frame : TranslateColor(in_.look.ArrowColor));
    DrawButtonFace(in_.look.GradientColor1, 0x646464, true);
    line(w - bw - 3, h - 2, w - 144, h - 2, edit);
}

void ComboFrame::DrawAppearance20() {
    const int w = in_.width, h = in_.height;
    const MarkRow& row = looks20[state()];
    RECT& b = out_.button;
    const int bw = b.right - b.left;
    const uint32_t frame = disabled() ? LightenColor(0x4A464B, 176) : 0x4A464B;
    const uint32_t mark = colourOr(row.mark, 0);
    setListFrame(frame);
    DrawGradient(dc_, b.left + 2, b.top, b.right, b.bottom, colourOr(row.first, 0), colourOr(row.second, 0),
                 false);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 0, 19, h, LightenColor(frame, 5), true);
    DrawButtonFace(0xFFFFFF, mark, false);
    const int y0 = roundi(b.bottom / 2.0 + 4);
    b.bottom = y0;
    line(w - bw + 3, y0 + 2, w - 5, y0 + 2, mark);
    line(w - bw + 3, y0 + 3, w - 5, y0 + 3, mark);
    for (int i = 4; i <= 7; ++i) {
        line(w - bw + i - 1, y0 - i + 5, w - i - 1, y0 - i + 5, mark);
        line(w - bw + i - 1, y0 + i, w - i - 1, y0 + i, mark);
        line(w - bw + i, y0 - i + 5, w - i - 2, y0 - i + 5, 0xFFFFFF);
        line(w - bw + i, y0 + i, w - i - 2, y0 + i, 0xFFFFFF);
    }
}

void ComboFrame::DrawAppearance21() {
    const int w = in_.width, h = in_.height;
    const MarkRow& row = looks21[state()];
    const RECT& b = out_.button;
    const int bw = b.right - b.left;
    const uint32_t frame = disabled() ? LightenColor(0x92603C, 176) : 0x92603C;
    const uint32_t face = disabled() ? LightenColor(0xE0C6AE, 176) : 0xE0C6AE;
    const uint32_t ink = colourOr(row.mark, 0);
    setListFrame(frame);
    DrawGradient(dc_, b.left + 2, b.top, b.right, b.bottom, colourOr(row.first, 0), colourOr(row.second, 0),
                 true);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 0, 19, h, LightenColor(frame, 5), true);
    DrawArrowLines(ink);
    line(w - bw + 3, h / 2 + 4, w - 6, h / 2 + 4, ink);
    DrawButtonFace(face, face, false);
}

} // namespace widgets
