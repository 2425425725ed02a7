// The renderers of appearance 1 (the default look, in three variants), 16 and 17.
#include "widgets/combo_box/combo_frame.h"

#include "platform/core/rounding.h"
#include "platform/forms/functions.h"

#include <algorithm>

namespace widgets {

namespace {

using namespace shade;

int roundi(double v) {
    return static_cast<int>(core::roundHalfEven(v));
}

struct Row {
    Shade frame, face;
    bool setsListFrame;
};

const ByState<Row> office0{{normal(), normal(), false},
                           {highLight(), highLight(185), false},
                           {select(), select(125), true},
                           {normal(41), normal(41), false}};

const ByState<Row> looks16{{normal(), gradient1(), false},
                           {highLight(), gradient1(65), false},
                           {select(), gradient1(), true},
                           {disabled(156), gradient1(176), false}};
const ByState<Shade> shadeEnd16{gradient2(), gradient2(65), gradient2(), gradient2(176)};

// The heavy arrow: rows below y0 = H/2 - 2, from W - bw + x1 to W + x2.
struct ArrowRow {
    int dy, x1, x2;
};
constexpr ArrowRow arrow16[] = {{-1, 2, -12}, {-1, 10, -4}, {0, 3, -10}, {0, 8, -5}, {1, 4, -6},
                                {2, 4, -6},   {3, 5, -7},   {4, 5, -7},  {5, 6, -8}, {6, 6, -8}};

// Appearance 17's corner runs: for i from `from` to `to`, a line on row base + yi*i + yc from
// W - bw + x1i*i + x1c to W + x2i*i + x2c.
enum class RunColour { Back, Frame, Parent };
struct CornerRun {
    int from, to;
    bool fromBottom;
    int yi, yc, x1i, x1c, x2i, x2c;
    RunColour colour;
};
constexpr CornerRun corners17[] = {
    {2, 5, false, 1, -1, 0, -1, -1, -11, RunColour::Back},
    {5, 2, false, 1, -1, -1, 4, -1, -11, RunColour::Frame},
    {3, 1, true, -1, -1, 0, -1, -1, -13, RunColour::Back},
    {1, 3, true, -1, -1, -1, 3, -1, -12, RunColour::Frame},
    {6, 1, false, 1, -1, 1, 16, 1, -7, RunColour::Parent},
    {6, 1, false, 1, -1, 1, 10, 1, -7, RunColour::Frame},
    {0, 3, true, -1, -1, 0, 19, 1, -5, RunColour::Parent},
    {3, 0, true, -1, -2, 1, 12, 1, -5, RunColour::Frame},
};

} // namespace

void ComboFrame::DrawAppearance1() {
    switch (in_.look.OfficeAppearance) {
    case officeAppearance::Standard:
        drawOfficeStandard();
        break;
    case officeAppearance::Flat:
        drawOfficeFlat();
        break;
    case officeAppearance::SystemColours:
        drawOfficeSystemColours();
        break;
    default:
        break;
    }
}

void ComboFrame::drawOfficeStandard() {
    const int w = in_.width, h = in_.height;
    const Row& row = office0[state()];
    const uint32_t frame = colourOr(row.frame, 0), face = colourOr(row.face, 0);
    const RECT button = out_.button;
    if (row.setsListFrame) setListFrame(frame);
    APILineEx(dc_, 0, 0, w - 1, h - 1, frame);
    // A filled box through two corners, both included, given right to left.
    auto box = [&](int x1, int y1, int x2, int y2) {
        APIFillSolidRect(
            dc_, RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}, face);
    };
    if (state() == comboState::Hot || state() == comboState::Pressed)
        box(w - 2, 1, w - 14, h - 2);
    else
        box(w - 3, 2, w - 13, h - 3);
    APILineEx(dc_, 0, 0, w - 15, h - 1, frame);
    DrawArrow(dc_, button, TranslateColor(in_.look.ArrowColor), in_.look);
}

void ComboFrame::drawOfficeFlat() {
    const int w = in_.width, h = in_.height;
    const ComboLook& look = in_.look;
    RECT r = out_.button;
    const uint32_t grey = LightenColor(0xC0C0C0, 36);
    if (state() == comboState::Hot || state() == comboState::Pressed) {
        const bool pressed = state() == comboState::Pressed;
        const uint32_t k =
            LightenColor(TranslateColor(pressed ? look.SelectBorderColor : look.HighLightBorderColor), 176);
        if (pressed) setListFrame(k);
        APIDrawEdge(dc_, RECT{0, 0, w, h}, BDR_SUNKENOUTER, BF_RECT);
        r.left += 4;
        APIFillSolidRect(dc_, r, k);
        r.left -= 1;
        APILineEx(dc_, 1, 1, w - 3, h - 3, k);
        line(r.left, r.top, r.left, r.bottom, k);
        APIDrawEdge(dc_, r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        out_.button.left -= 3;
    } else if (disabled()) {
        rect(0, 0, w, h, grey, true);
        rect(w - 18, 1, 17, h - 2, back_, false);
    } else {
        rect(w - 13, 1, 12, h - 2, LightenColor(TranslateColor(look.NormalBorderColor), 175), false);
    }
    r.left += 4;
    DrawArrow(dc_, r, disabled() ? grey : TranslateColor(look.ArrowColor), look);
}

void ComboFrame::drawOfficeSystemColours() {
    const int w = in_.width, h = in_.height;
    const RECT r = out_.button;
    uint32_t ink = TranslateColor(in_.look.ArrowColor);
    const uint32_t hot = GetSysColor(COLOR_HOTLIGHT);
    if (disabled()) {
        ink = GetSysColor(COLOR_GRAYTEXT);
        rect(0, 0, w, h, ink, true);
        out_.editFore = ink;
    } else {
        const uint32_t mixed =
            MixColors(GetSysColor(COLOR_GRADIENTACTIVECAPTION), GetSysColor(COLOR_MENUHILIGHT));
        uint32_t top = LightenColor(mixed, 170), bottom = top;
        if (state() == comboState::Pressed) {
            top = bottom = LightenColor(mixed, 140);
        } else if (state() != comboState::Hot) {
            bottom = LightenColor(mixed, 109);
            top = LightenColor(
                MixColors(GetSysColor(COLOR_INACTIVECAPTIONTEXT), GetSysColor(COLOR_GRADIENTINACTIVECAPTION)),
                176);
        }
        DrawGradient(dc_, r.left + 4, r.top - 1, r.right + 1, r.bottom + 1, top, bottom, true);
        if (state() == comboState::Hot || state() == comboState::Pressed) {
            rect(0, 0, w, h, hot, true);
            rect(w - 15, 0, 17, h, hot, true);
            setListFrame(hot);
        }
    }
    DrawArrow(dc_, r, ink, in_.look);
}

void ComboFrame::DrawAppearance16() {
    const int w = in_.width, h = in_.height;
    const Row& row = looks16[state()];
    const RECT& b = out_.button;
    const int bw = b.right - b.left;
    const uint32_t frame = colourOr(row.frame, 0);
    if (row.setsListFrame) setListFrame(frame);
    shadeLine(colour(row.face), colour(shadeEnd16[state()]), b.left + 1, b.top - 1, b.right + 1,
              b.bottom + 1);
    rect(0, 0, w, h, frame, true);
    rect(w - 18, 0, 19, h, LightenColor(frame, 5), true);
    const int y0 = roundi(h / 2.0 - 2);
    const uint32_t ink = disabled() ? colourOr(shade::disabled(166), 0) : TranslateColor(in_.look.ArrowColor);
    for (const ArrowRow& a : arrow16) line(w - bw + a.x1, y0 + a.dy, w + a.x2, y0 + a.dy, ink);
}

void ComboFrame::DrawAppearance17() {
    const int w = in_.width, h = in_.height;
    const ComboLook& look = in_.look;
    const bool pressedOrHot = state() == comboState::Hot || state() == comboState::Pressed;
    uint32_t base = TranslateColor(look.NormalBorderColor);
    if (state() == comboState::Hot) base = TranslateColor(look.HighLightBorderColor);
    if (state() == comboState::Pressed) base = TranslateColor(look.SelectBorderColor);
    const uint32_t k = disabled() ? LightenColor(0x000000, 237) : LightenColor(base, 25);
    rect(w - 17, 1, 16, h - 2, LightenColor(k, 25), false);
    const uint32_t arrowColour = TranslateColor(look.ArrowColor);
    const uint32_t k2 = disabled()     ? LightenColor(0x000000, 176)
                        : pressedOrHot ? LightenColor(arrowColour, 113)
                                       : LightenColor(arrowColour, 143);
    if (pressedOrHot) setListFrame(k2);
    rect(0, 0, w, h, k2, true);
    rect(w - 17, 0, 17, h, LightenColor(k2, 5), true);
    const int bw = out_.button.right - out_.button.left;
    for (const CornerRun& run : corners17) {
        const std::optional<uint32_t> c = run.colour == RunColour::Back    ? std::optional<uint32_t>(back_)
                                          : run.colour == RunColour::Frame ? std::optional<uint32_t>(k2)
                                                                           : colour(parent());
        const int step = run.from <= run.to ? 1 : -1;
        for (int i = run.from;; i += step) {
            const int y = (run.fromBottom ? h : 0) + run.yi * i + run.yc;
            line(w - bw + run.x1i * i + run.x1c, y, w + run.x2i * i + run.x2c, y, c);
            if (i == run.to) break;
        }
    }
    out_.button.left += 1;
    arrow(disabled() ? LightenColor(0x404040, 166) : arrowColour);
}

} // namespace widgets
