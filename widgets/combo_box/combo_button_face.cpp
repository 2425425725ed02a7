// The pieces several looks share (the button edging and the chevron) and the scheme look of
// appearance 3 with its frame.
#include "widgets/combo_box/combo_frame.h"
#include "widgets/combo_box/combo_theme.h"

#include "platform/core/rounding.h"
#include "platform/forms/functions.h"

#include <array>

namespace widgets {

namespace {

using namespace shade;

int roundi(double v) {
    return static_cast<int>(core::roundHalfEven(v));
}

struct SchemeBody {
    Shade top, bottom;
};

struct Scheme {
    Shade list, arrow, edge;
    bool edgeIsBottom; // the edge (and the frame) take the state's bottom colour
    ByState<SchemeBody> body;
};

constexpr long Themed = 0;
constexpr long OwnColours = 7;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t DisabledFrame = 0xDEE7E7;
constexpr uint32_t DisabledButton = 0xE5ECEC;
constexpr uint32_t DisabledChevron = 0xC2C9C9;

constexpr SchemeBody body(Shade top, Shade bottom) {
    return {top, bottom};
}

// Schemes 1 to 7; the disabled rows are unused.
const std::array<Scheme, 7> schemes = {{
    {fixed(0xC56A31),
     fixed(0x85614D),
     fixed(0xB99D7F),
     false,
     {body(fixed(White), fixed(0xF5C8B3)), body(fixed(White), fixed(0xF5C8B3, 58)),
      body(fixed(White), fixed(0xF9A477)), body(fixed(White), fixed(0xF5C8B3))}},
    {fixed(0x668C7D),
     fixed(0xFFFFFF),
     fixed(0x94CCBC),
     false,
     {body(fixed(White), fixed(0x8BB4A4)), body(fixed(White), fixed(0xA7D7CA)),
      body(fixed(White), fixed(0x80AA98)), body(fixed(White), fixed(0x8BB4A4))}},
    {fixed(0xA29594),
     fixed(0x48483E),
     fixed(0xA29594),
     false,
     {body(fixed(White), fixed(0xDACCCB)), body(fixed(White), fixed(0xDACCCB, 58)),
      body(fixed(White), fixed(0xE5D1CF)), body(fixed(White), fixed(0xDACCCB))}},
    {fixed(0xF09F5F),
     fixed(0x703F00, 58),
     fixed(0xF09F5F),
     false,
     {body(fixed(0xFFE7CF), fixed(0xF0AF70)), body(fixed(0xFFEFD0), fixed(0xF0BF80, 58)),
      body(fixed(0xFFEFD0), fixed(0xF09F5F)), body(fixed(0xFFE7CF), fixed(0xF0AF70))}},
    {fixed(0xBFE7F0),
     fixed(0x6F5820, 45),
     fixed(0xBFE7F0),
     false,
     {body(fixed(0xBFF0FF), fixed(0xCFFFFF, 54)), body(fixed(0xCFFFFF, 58), fixed(0xBFEFFF)),
      body(fixed(0xBFE8FF), fixed(0xCFFFFF)), body(fixed(0xBFF0FF), fixed(0xCFFFFF, 54))}},
    {fixed(0xA0672F, 123),
     fixed(0x6F5820),
     fixed(0xA0672F, 123),
     false,
     {body(fixed(0xF0F7F0), fixed(0xEFF0F0)), body(fixed(0xF0F7F0), fixed(0xF0F8FF)),
      body(fixed(0xEEC2B4), fixed(0xF1946E)), body(fixed(0xF0F7F0), fixed(0xEFF0F0))}},
    {select(),
     arrow(),
     fixed(0),
     true,
     {body(fixed(White), normal()), body(fixed(White), highLight()), body(fixed(White), select()),
      body(fixed(White), normal())}},
}};

// Values without a scheme of their own draw as the one made of the control's colours.
long schemeOf(long xp) {
    return xp >= Themed && xp <= OwnColours ? xp : OwnColours;
}

} // namespace

void ComboFrame::DrawArrowLines(uint32_t c) {
    const RECT& b = out_.button;
    const uint32_t ink = c == 0 ? TranslateColor(in_.look.ArrowColor) : c;
    const int cx = roundi((b.right - b.left) / 2.0 + b.left + 1);
    const int cy = roundi((b.bottom - b.top + 1) / 2.0 + b.top);
    line(cx - 5, cy - 2, cx, cy + 3, ink);
    line(cx - 4, cy - 2, cx, cy + 2, ink);
    line(cx - 4, cy - 3, cx, cy + 1, ink);
    line(cx + 3, cy - 2, cx - 2, cy + 3, ink);
    line(cx + 2, cy - 2, cx - 2, cy + 2, ink);
    line(cx + 2, cy - 3, cx - 2, cy + 1, ink);
}

void ComboFrame::DrawButtonFace(uint32_t colour1, uint32_t colour2, bool shaded) {
    const int w = in_.width, h = in_.height;
    const uint32_t c1 = TranslateColor(colour1), c2 = TranslateColor(colour2);
    RECT& button = out_.button;
    const int bw = button.right - button.left;
    int a1 = shaded ? 178 : 0, a2 = shaded ? 10 : 0;
    auto lower = [&] { return LightenColor(c2, disabled() ? a1 : a2); };
    for (int i = 1; i <= 16; ++i) {
        const int k = 15 - i;
        line(w - bw + k, 1, w - i, 1, LightenColor(c1, a1));
        line(w - bw + k, h - 2, w - i, h - 2, lower());
        if (shaded) a1 -= 5, a2 += 5;
    }
    button.bottom -= 11;
    if (shaded) a1 = 128, a2 = 70;
    for (int i = 0; i <= 12; ++i) {
        line(button.left + 1, button.top + i - 1, button.left + 1, button.bottom + i - 1,
             LightenColor(c1, a1));
        line(w - 2, button.top + i - 1, w - 2, button.bottom + i - 1, lower());
        if (shaded) a1 += 5, a2 -= 5;
    }
}

void ComboFrame::DrawAppearance3(long scheme) {
    const RECT& b = out_.button;
    scheme = schemeOf(scheme);
    if (scheme == Themed) {
        const int stateId = disabled() ? 4 : state() >= 1 && state() <= 3 ? state() : 1;
        DrawThemePart(in_.theme, in_.window, dc_, L"Edit", 2, stateId, RECT{0, 0, in_.width, in_.height});
        if (DrawThemePart(in_.theme, in_.window, dc_, L"ComboBox", 1, stateId,
                          RECT{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}))
            return;
        scheme = OwnColours;
    }
    const Scheme& s = schemes[static_cast<size_t>(scheme - 1)];
    const SchemeBody& row = s.body[state()];
    setListFrame(colourOr(s.list, 0));
    uint32_t edge = DisabledButton;
    if (!disabled()) {
        const uint32_t bottom = colourOr(row.bottom, 0);
        DrawGradient(dc_, b.left, b.top, b.right, b.bottom, colourOr(row.top, 0), bottom, true);
        edge = s.edgeIsBottom ? bottom : colourOr(s.edge, 0);
    } else {
        const int height = b.bottom - b.top;
        for (int i = 3; i <= height; ++i)
            line(b.left + 1, height - i + 3, b.right - 1, height - i + 3, DisabledButton);
    }
    APILineEx(dc_, b.left, b.top, b.right - b.left - 1, b.bottom - b.top - 1, edge);
    DrawArrowLines(disabled() ? DisabledChevron : colourOr(s.arrow, 0));
}

void ComboFrame::drawSchemeLook() {
    const int w = in_.width, h = in_.height;
    const long xp = in_.look.XpAppearance;
    const bool framed = xp != Themed;
    if (framed) {
        const Scheme& s = schemes[static_cast<size_t>(schemeOf(xp) - 1)];
        const uint32_t frame = disabled()       ? DisabledFrame
                               : s.edgeIsBottom ? colourOr(s.body[state()].bottom, 0)
                                                : colourOr(s.edge, 0);
        APILineEx(dc_, 0, 0, w - 1, h - 1, frame);
        APILineEx(dc_, 1, 1, w - 3, h - 3, GetSysColor(COLOR_WINDOW));
    }
    DrawAppearance3(xp);
    if (framed) {
        const RECT& b = out_.button;
        dot(w - 18, 2, back_);
        dot(w - 3, 2, back_);
        dot(w - 18, b.bottom - 1, back_);
        dot(b.right - 1, h - 3, back_);
    }
}

} // namespace widgets
