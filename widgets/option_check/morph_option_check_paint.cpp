#include "widgets/option_check/morph_option_check_paint.h"

#include "platform/forms/color.h"
#include "platform/forms/functions.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace widgets {

namespace {

int nearest(double v) {
    return static_cast<int>(forms::roundToLong(v));
}

bool present(const forms::StdPicture* p) {
    return p && p->widthPixels() != 0 && p->heightPixels() != 0;
}

std::uint32_t dibPixel(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r & 0xFF) << 16) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           static_cast<std::uint32_t>(b & 0xFF);
}

} // namespace

OptionCheckColours OptionCheckColours::normal(const OptionCheckLook& l) {
    return {l.BackColor1,       l.BackColor2,     l.BorderColor,   l.CaptionColor,
            l.CheckBorderColor, l.CheckBoxColor1, l.CheckBoxColor2};
}

OptionCheckColours OptionCheckColours::disabled(const OptionCheckLook& l) {
    return {l.DisBackColor1,       l.DisBackColor2,     l.DisBorderColor,   l.DisCaptionColor,
            l.DisCheckBorderColor, l.DisCheckBoxColor1, l.DisCheckBoxColor2};
}

COLORREF paintColour(std::uint32_t colour) {
    COLORREF plain = 0;
    // GDI must never see -1 for a colour that names nothing: it paints white instead.
    return forms::tryTranslateColor(colour, plain) ? plain : 0x00FFFFFF;
}

std::vector<int> middleOutOrder(int n) {
    std::vector<int> order;
    for (int i = 0; i < n; i += 2) order.push_back(i);
    for (int i = (n - 1) % 2 == 1 ? n - 1 : n - 2; i >= 1; i -= 2) order.push_back(i);
    return order;
}

void DrawGradient(HDC dc, int x, int y, int w, int h, std::uint32_t c1, std::uint32_t c2, float angle,
                  bool middleOut) {
    if (w < 1 || h < 1) return;
    if (middleOut && angle >= 91 && angle <= 270) std::swap(c1, c2);
    int a = nearest(90.0 - angle) % 360;
    if (a < 0) a += 360;
    const int q = a / 90;
    const int r = a % 90;
    const double ratio = q % 2 == 0 ? double(w) / h : double(h) / w;
    const float t = static_cast<float>(std::atan(ratio) * 57.2957763671875);
    const float d = static_cast<float>((90 - std::fabs(r - t)) * 0.01745329238474369);
    const std::int64_t diagonal = std::int64_t(w) * w + std::int64_t(h) * h;
    // At least one step, so the ramp is never empty.
    const int n = std::max(1, nearest(std::sqrt(double(diagonal)) * std::sin(d)));
    const float rr = static_cast<float>(r * 0.017453292);
    if (q > 1) std::swap(c1, c2);

    const COLORREF p1 = paintColour(c1), p2 = paintColour(c2);
    const int r1 = GetRValue(p1), g1 = GetGValue(p1), b1 = GetBValue(p1);
    const int r2 = GetRValue(p2), g2 = GetGValue(p2), b2 = GetBValue(p2);
    std::vector<std::uint32_t> ramp(static_cast<std::size_t>(n));
    if (n == 1) {
        ramp[0] = dibPixel(r2 / 2 + r1 / 2, g2 / 2 + g1 / 2, b2 / 2 + b1 / 2);
    } else {
        for (int i = 0; i < n; ++i)
            ramp[i] = dibPixel(r1 + (r2 - r1) * i / (n - 1), g1 + (g2 - g1) * i / (n - 1),
                               b1 + (b2 - b1) * i / (n - 1));
    }
    if (middleOut) {
        std::vector<std::uint32_t> ordered;
        for (int i : middleOutOrder(n)) ordered.push_back(ramp[static_cast<std::size_t>(i)]);
        ramp = std::move(ordered);
    }
    const double angleIn = q % 2 == 0 ? double(rr) : 1.5707963705062866 - rr;
    const int sx = nearest(std::sin(angleIn) * 1000);
    const int sy = nearest(std::cos(angleIn) * 1000);

    // Top-down rows; q even counts its rows from the bottom.
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int row = 0; row < h; ++row) {
        const int along = q % 2 == 0 ? h - 1 - row : row;
        for (int col = 0; col < w; ++col) {
            const int index = std::clamp((sx * col + sy * along) / 1000, 0, n - 1);
            pixels[static_cast<std::size_t>(row) * w + col] = ramp[static_cast<std::size_t>(index)];
        }
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, x, y, w, h, 0, 0, w, h, pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

void FillRoundRect(HDC dc, int left, int top, int right, int bottom, std::uint32_t colour) {
    forms::GdiRegion outer(CreateRoundRectRgn(left, top, right, bottom, 0, 0));
    forms::GdiRegion inner(CreateRoundRectRgn(left + 1, top + 1, right - 1, bottom - 1, 0, 0));
    if (!outer || !inner) return;
    CombineRgn(outer.get(), outer.get(), inner.get(), RGN_XOR);
    forms::GdiBrush brush(CreateSolidBrush(paintColour(colour)));
    if (brush) FillRgn(dc, outer.get(), brush.get());
}

int OptionCheckPainter::PictureWidthPx() const {
    int width = 0;
    if (present(look_.PicChecked.get())) width = look_.PicChecked->widthPixels();
    if (present(look_.PicUnchecked.get())) width = std::max(width, look_.PicUnchecked->widthPixels());
    return width;
}

void OptionCheckPainter::CheckAreaLayout() {
    if (look_.PicForCheck) state_.pictureWidth = PictureWidthPx();
    const int bw = look_.BorderWidth;
    if (look_.CheckBoxAlignment == CheckLeft)
        state_.checkAreaX = bw + 4;
    else if (look_.PicForCheck)
        state_.checkAreaX = nearest(double(w_) - bw - state_.pictureWidth - 1);
    else
        state_.checkAreaX = nearest(double(w_) - bw - 19);
}

void OptionCheckPainter::PaintBackground() {
    DrawGradient(dc_, 0, 0, w_, h_, state_.colours.back1, state_.colours.back2, look_.BackAngle,
                 look_.BackMiddleOut);
}

forms::GdiRegion OptionCheckPainter::borderRegion() {
    const int bw = look_.BorderWidth, curve = look_.BorderCurvature;
    forms::GdiRegion outer(CreateRoundRectRgn(0, 0, w_, h_, curve, curve));
    forms::GdiRegion inner(CreateRoundRectRgn(bw, bw, w_ - bw, h_ - bw, curve, curve));
    forms::GdiRegion ring(CreateRectRgn(0, 0, 0, 0));
    if (!outer || !inner || !ring) return outer;
    CombineRgn(ring.get(), outer.get(), inner.get(), RGN_XOR);
    forms::GdiBrush brush(CreateSolidBrush(paintColour(state_.colours.border)));
    if (brush) FillRgn(dc_, ring.get(), brush.get());
    return outer;
}

void OptionCheckPainter::DrawCheckArea() {
    if (look_.PicForCheck)
        DrawCheckPicture();
    else
        DrawCheckBox();
}

void OptionCheckPainter::DrawCheckBox() {
    const int x = state_.checkAreaX;
    const int y = nearest((h_ - CheckBoxSize) / 2.0);
    DrawGradient(dc_, x, y, CheckBoxSize, CheckBoxSize, state_.colours.checkBox1, state_.colours.checkBox2,
                 look_.CheckBoxAngle, look_.CheckBoxMiddleOut);
    FillRoundRect(dc_, x, y, x + CheckBoxSize, nearest((h_ - CheckBoxSize) / 2.0 + CheckBoxSize),
                  state_.colours.checkBorder);
    if (look_.isOption()) {
        if (look_.Value != 0) DrawOptionBullet();
    } else if (look_.Value == 1) {
        DrawCheckMark();
    }
}

void OptionCheckPainter::DrawOptionBullet() {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, paintColour(look_.CheckColor)));
    if (!pen) return;
    forms::ScopedSelect selected(dc_, pen.get());
    const bool left = look_.CheckBoxAlignment == CheckLeft;
    const int x0 = state_.checkAreaX + (left ? 5 : 9), step = left ? 1 : -1;
    const int y0 = h_ / 2 - 5;
    for (int k = 0; k <= 5; ++k) {
        MoveToEx(dc_, x0 + k * step, y0 + k, nullptr);
        LineTo(dc_, x0 + k * step, y0 + k + (11 - 2 * k));
    }
}

void OptionCheckPainter::DrawCheckMark() {
    struct Run {
        int row, from, to;
    };
    static constexpr Run tick[] = {{3, 9, 12}, {4, 8, 11}, {5, 7, 10}, {6, 1, 2},  {6, 6, 9}, {7, 1, 3},
                                   {7, 5, 8},  {8, 1, 7},  {9, 2, 6},  {10, 3, 5}, {11, 4, 4}};
    const COLORREF colour = paintColour(look_.CheckColor);
    const int yb = h_ / 2 - 7;
    for (const Run& run : tick)
        for (int c = run.from; c <= run.to; ++c)
            SetPixelV(dc_, state_.checkAreaX + 1 + c, yb + run.row, colour);
}

void OptionCheckPainter::DrawCheckPicture() {
    const bool checked = look_.isOption() ? look_.Value != 0 : look_.Value == 1;
    DrawPicture(checked ? look_.PicChecked.get() : look_.PicUnchecked.get());
}

void OptionCheckPainter::DrawPicture(const forms::StdPicture* picture) {
    if (!present(picture)) return;
    const int hp = picture->heightPixels();
    const int y = nearest(h_ / 2.0 - std::floor(hp / 2.0));
    picture->render(dc_, state_.checkAreaX, y, picture->widthPixels(), hp);
}

int OptionCheckPainter::textWidth(const std::wstring& text) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc_, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return r.right;
}

RECT OptionCheckPainter::captionRect() {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    const int th = tm.tmHeight;
    const int cw = textWidth(look_.Caption) + 1;
    const int wn = textWidth(L"n") + 1, wi = textWidth(L"i") + 1;
    const bool left = look_.CheckBoxAlignment == CheckLeft;
    const int bw = look_.BorderWidth;
    int x;
    if (!look_.PicForCheck)
        x = left ? wn + 20 : wn;
    else
        x = left ? nearest(double(w_) - cw - bw - wi) : bw + wi;
    const int top = nearest((h_ - th) / 2.0);
    return RECT{x, top, x + cw, top + th};
}

void OptionCheckPainter::DrawCaption() {
    if (!look_.Font) return;
    RECT r = captionRect();
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc_, paintColour(state_.colours.caption));
    DrawTextW(dc_, look_.Caption.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    SetTextColor(dc_, oldColour);
    SetBkMode(dc_, oldMode);
    if (state_.focus && look_.ShowFocusRect)
        FillRoundRect(dc_, r.left - 1, r.top - 1, r.right + 1, r.bottom + 1, look_.FocusRectColor);
}

} // namespace widgets
