#include "widgets/frame/frame_paint.h"

#include <algorithm>
#include <limits>

#include "platform/forms/functions.h"
#include "platform/forms/surface.h"
#include "widgets/shared/color_ramp.h"
#include "widgets/shared/gdi_helpers.h"
#include "widgets/shared/vni.h"

namespace widgets {

namespace {

constexpr std::uint32_t kGrey = RGB(167, 166, 170);
constexpr std::uint32_t kWhite = RGB(255, 255, 255);
constexpr int kRoundCorner = 10;
// The band of a grip strip and the number of its dots.
constexpr std::int64_t kStripHeight = 7;
constexpr std::int16_t kGripDots = 9;

// Far enough outside any surface to draw nothing there, near enough for GDI and for a shift by one.
int gdiCoordinate(std::int64_t v) {
    constexpr std::int64_t limit = std::int64_t(1) << 27;
    return int(std::clamp(v, -limit, limit));
}

std::int32_t rampTotal(std::int64_t n) {
    return std::int32_t(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

FrameTheme frameTheme(std::int32_t themeColor) {
    switch (themeColor) {
    case 1:
        return {RGB(153, 151, 180), RGB(244, 244, 251), RGB(75, 75, 111)};
    case 2:
        return {RGB(181, 197, 143), RGB(247, 249, 225), RGB(63, 93, 56)};
    case 3:
        return {RGB(194, 194, 171), RGB(248, 248, 242), RGB(145, 145, 115)};
    case 5:
        return {RGB(217, 172, 1), RGB(255, 239, 165), RGB(117, 91, 30)};
    default:
        return {RGB(129, 169, 226), RGB(221, 236, 254), RGB(0, 0, 128)};
    }
}

int captionGapX(std::int32_t alignment, float scaleWidth, int textWidth) {
    if (alignment == 0) return 6;
    if (alignment == 1) return forms::roundToLong(double(scaleWidth) - textWidth - 10);
    return forms::roundToLong(scaleWidth) / 2 - textWidth / 2 - 2;
}

FramePainter::FramePainter(forms::Surface& surface, FrameLook& look, const FrameState& state)
    : s_(surface), look_(look), state_(state), dc_(surface.hDC()),
      width_(forms::roundToLong(surface.ScaleWidth())), height_(forms::roundToLong(surface.ScaleHeight())) {}

// Colours reach the surface as plain colours: a system colour translated, a value that names no colour
// as black, so a paint never stops half way for a colour.
void FramePainter::foreColor(std::uint32_t color) {
    s_.setForeColor(plainColor(color));
}

void FramePainter::solidBrush(std::uint32_t color) {
    s_.setFillColor(plainColor(color));
    s_.setFillStyle(0);
}

void FramePainter::hollowBrush() {
    s_.setFillStyle(1);
}

void FramePainter::rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    Rectangle(dc_, gdiCoordinate(l), gdiCoordinate(t), gdiCoordinate(r), gdiCoordinate(b));
}

void FramePainter::roundRectangle(int corner) {
    RoundRect(dc_, 0, 0, width_, height_, corner, corner);
}

void FramePainter::line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                        std::uint32_t color) {
    s_.Line(float(gdiCoordinate(x1)), float(gdiCoordinate(y1)), float(gdiCoordinate(x2)),
            float(gdiCoordinate(y2)), plainColor(color));
}

void FramePainter::DrawTextOut(HDC dc, const std::wstring& text, const RECT& rect) {
    DrawCaption(dc, text, rect, look_.AlignmentText, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

void FramePainter::BlendBorder(std::uint32_t c1, std::uint32_t c2, const FrameBox& box, std::uint32_t p,
                               bool outline) {
    const std::int64_t n = box.b - box.t;
    // Only the rows on the surface are drawn, and only their colours are built.
    const std::int64_t from = std::max<std::int64_t>(0, -box.t),
                       to = std::min<std::int64_t>(n, height_ - box.t);
    if (n >= 1 && from < to) {
        Ramp ramp;
        GradientSegmentPart(c1, c2, rampTotal(n), std::int32_t(from), std::int32_t(to - from), ramp);
        for (std::int64_t i = from; i < to; ++i)
            line(box.l, box.t + i, box.r, box.t + i, ramp[size_t(i - from)]);
    }
    if (outline) {
        foreColor(p);
        rectangle(box.l, box.t, box.r, box.b);
    }
}

void FramePainter::GradientBorder(std::uint32_t cOut, std::uint32_t cIn, std::int32_t w) {
    if (w <= 0) return;
    // Ring i is empty or inverted once 2i reaches the width or the height: those are not drawn.
    const std::int32_t rings = std::min(w, (std::max(0, std::min(width_, height_)) + 1) / 2);
    Ramp ramp;
    MultiGradientPart({cOut, cIn, cOut}, w, 0, rings, ramp);
    for (std::int32_t i = 0; i < rings; ++i) {
        foreColor(ramp[size_t(i)]);
        rectangle(i, i, width_ - i, height_ - i);
    }
}

void FramePainter::GradientBand(std::uint32_t c1, std::uint32_t c2, const FrameBox& box) {
    const std::int64_t h = box.b - box.t;
    if (h <= 0) return;
    const std::int64_t half = (h + 1) / 2;
    // Row i of the top edge is at t + i, of the bottom edge at b - 1 - i, both in ramp(h - 1 - i);
    // rows off the surface are not drawn and their colours not built.
    auto rows = [&](std::int64_t first, std::int64_t end, bool top) {
        first = std::max<std::int64_t>(first, 0);
        end = std::min(end, half);
        if (first >= end) return;
        Ramp ramp;
        MultiGradientPart({c1, c2, c1}, rampTotal(h), std::int32_t(h - end), std::int32_t(end - first), ramp);
        for (std::int64_t i = first; i < end; ++i) {
            const std::int64_t y = top ? box.t + i : box.b - 1 - i;
            line(box.l + h - i, y, box.r - h + i, y, ramp[size_t(end - 1 - i)]);
        }
    };
    rows(-box.t, height_ - box.t, true);
    rows(box.b - height_, box.b, false);
}

void FramePainter::DrawHighlight(const FrameBox& box, std::uint32_t c, std::int16_t n) {
    s_.setDrawWidth(2);
    foreColor(c);
    const std::int64_t x0 = (box.r - box.l) / 2 - (4 * std::int64_t(n) - 1) / 2;
    const std::int64_t y0 = (box.b - box.t) / 2 - 1;
    for (std::int64_t i = 0; i < n; ++i) {
        s_.PSet(float(x0 + 4 * i + 1), float(y0 + 1), kWhite);
        s_.PSet(float(x0 + 4 * i), float(y0), plainColor(c));
    }
    s_.setDrawWidth(1);
}

bool FramePainter::Refresh() {
    FrameLook& k = look_;
    bool backColorStored = false;
    s_.Cls();

    const std::wstring text = k.TiengViet ? VniToUnicode(k.Caption, kVniMarker) : k.Caption;
    const int th = forms::roundToLong(double(s_.TextHeight(text)) + 2), h2 = th / 2;
    const int tw = TextWidthW(dc_, text);
    const int corner = k.RoundCorner ? kRoundCorner : 0;
    const int sw = width_, sh = height_;
    const std::int64_t title = k.TitleHeight, ring = k.BorderGradientWidth;
    const int cx = captionGapX(k.AlignmentText, s_.ScaleWidth(), tw);
    FrameBox caption{4, 2, sw - 4, title + 2};

    switch (k.FrameStyle) {
    case frameLook::Etched:
        k.BackColor = k.BackFrameColor;
        s_.setBackColor(plainColor(k.BackFrameColor));
        backColorStored = true;
        line(0, h2, sw - 1, h2, kGrey);
        line(0, h2, 0, sh - 1, kGrey);
        line(sw - 1, h2, sw - 1, sh, kWhite);
        line(0, sh - 1, sw, sh - 1, kWhite);
        line(1, h2 + 1, sw - 2, h2 + 1, kWhite);
        line(1, h2 + 1, 1, sh - 2, kWhite);
        line(sw - 2, h2 + 1, sw - 2, sh - 1, kGrey);
        line(1, sh - 2, sw - 1, sh - 2, kGrey);
        line(cx, h2, cx + tw + 4, h2, k.BackFrameColor);
        line(cx, h2 + 1, cx + tw + 4, h2 + 1, k.BackFrameColor);
        caption = {7, 1, sw - 9, th - 1};
        break;
    case frameLook::EtchedBox:
        // The background first: setting it erases the image, so the body shows the colour at once.
        s_.setBackColor(plainColor(k.BackFrameColor));
        foreColor(kWhite);
        rectangle(0, h2 - 1, sw, sh);
        rectangle(2, h2 + 1, sw - 2, sh - 2);
        foreColor(kGrey);
        rectangle(1, h2, sw - 1, sh - 1);
        hollowBrush();
        for (int y = h2 - 1; y <= h2 + 1; ++y) line(cx, y, cx + tw + 4, y, k.BackFrameColor);
        caption = {7, 1, sw - 9, th - 1};
        break;
    case frameLook::RampBorder:
        solidBrush(k.BackFrameColor);
        foreColor(k.BorderColor);
        roundRectangle(corner);
        hollowBrush();
        BlendBorder(kWhite, k.GradientInColor, {0, 0, sw, title}, k.GradientOutColor, false);
        GradientBorder(k.GradientOutColor, k.GradientInColor, k.BorderGradientWidth);
        GradientBand(k.GradientOutColor, k.GradientInColor, {0, title - ring, sw, title});
        caption = {ring + 4, ring, sw - ring - 4, title - ring};
        break;
    case frameLook::ThemedTitle:
    case frameLook::ThemedStrip: {
        const bool strip = k.FrameStyle == frameLook::ThemedStrip;
        k.BackFrameColor = MixColors(state_.ThemeBaseColor, kWhite);
        solidBrush(k.BackFrameColor);
        foreColor(k.BorderColor);
        roundRectangle(corner);
        hollowBrush();
        if (strip) {
            BlendBorder(kWhite, state_.ThemeBaseColor, {0, 0, sw, kStripHeight}, k.BorderColor, true);
            DrawHighlight({0, 0, sw, kStripHeight}, MixColors(0, state_.ThemeBaseColor), kGripDots);
            line(0, title - 1, sw, title - 1, k.BorderColor);
        } else {
            BlendBorder(state_.ThemeLightColor, state_.ThemeBaseColor, {0, 0, sw, title}, k.BorderColor,
                        true);
            BlendBorder(state_.ThemeLightColor, state_.ThemeBaseColor, {0, 0, sw, 4}, k.BorderColor, true);
            BlendBorder(state_.ThemeLightColor, state_.ThemeBaseColor, {0, title - 4, sw, title},
                        k.BorderColor, true);
        }
        // The body runs from the light colour under the title to the body colour at four fifths down.
        const std::int64_t bodyEnd =
            forms::roundToLong(double(s_.ScaleHeight()) - double(s_.ScaleHeight()) * 0.2);
        BlendBorder(state_.ThemeLightColor, k.BackFrameColor, {1, title, sw - 1, bodyEnd}, k.BorderColor,
                    false);
        caption = strip ? FrameBox{6, 7, sw - 6, title - 2} : FrameBox{6, 4, sw - 6, title - 4};
        break;
    }
    case frameLook::PlainTitle:
        solidBrush(k.BackFrameColor);
        foreColor(k.BorderColor);
        roundRectangle(corner);
        solidBrush(k.BackTitleColor);
        rectangle(0, 0, sw, title);
        hollowBrush();
        caption = {6, 2, sw - 6, title - 2};
        break;
    }

    RECT rc{gdiCoordinate(caption.l), gdiCoordinate(caption.t), gdiCoordinate(caption.r),
            gdiCoordinate(caption.b)};
    if (k.ShadowText) {
        ShiftRect(rc, 1);
        foreColor(k.ShadowColor);
        DrawTextOut(dc_, text, rc);
        ShiftRect(rc, -1);
    }
    foreColor(k.ForeTitleColor);
    DrawTextOut(dc_, text, rc);
    return backColorStored;
}

} // namespace widgets
