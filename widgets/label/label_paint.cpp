#include "widgets/label/label_paint.h"

#include <algorithm>
#include <vector>

#include "platform/core/event_log.h"
#include "platform/forms/functions.h"
#include "widgets/shared/color_ramp.h"

namespace widgets {

void LabelPainter::foreColor(std::uint32_t color) {
    fore_ = plainColor(color);
    SetTextColor(dc_, fore_);
}

void LabelPainter::line(int x1, int y1, int x2, int y2, std::uint32_t color) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, plainColor(color)));
    forms::ScopedSelect use(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void LabelPainter::point(int x, int y, std::uint32_t color) {
    SetPixelV(dc_, x, y, plainColor(color));
}

void LabelPainter::rectangle(int l, int t, int r, int b) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, fore_));
    forms::ScopedSelect usePen(dc_, pen.get());
    forms::ScopedSelect useBrush(dc_, GetStockObject(NULL_BRUSH));
    Rectangle(dc_, l, t, r, b);
}

int LabelPainter::DrawTextOut(const std::wstring& text, RECT rect, bool wrap) {
    return DrawCaption(dc_, text, rect, look_.Alignment, DT_NOCLIP | (wrap ? DT_WORDBREAK : 0));
}

void LabelPainter::DrawOutlineText(const std::wstring& text, RECT rect, bool wrap, int w) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    for (int y = rect.top - w; y <= rect.top + w; ++y) {
        for (int x = rect.left - w; x <= rect.left + w; ++x)
            DrawTextOut(text, {x, y, x + width, y + height}, wrap);
    }
}

void LabelPainter::DrawShadowText(const std::wstring& text, RECT rect, bool wrap, std::uint32_t nearColor,
                                  std::uint32_t farColor, std::int16_t depth, std::int32_t style) {
    // A depth below 1 has no layers (and no ramp to build).
    if (depth <= 0) return;
    Ramp ramp;
    GradientColors(farColor, nearColor, std::int16_t(std::min(depth + 1, 32767)), ramp);
    int dx = 0, dy = 0;
    switch (style) {
    case shadowDirection::UpLeft:
        dx = -1, dy = -1;
        break;
    case shadowDirection::UpRight:
        dx = 1, dy = -1;
        break;
    case shadowDirection::DownLeft:
        dx = -1, dy = 1;
        break;
    case shadowDirection::DownRight:
        dx = 1, dy = 1;
        break;
    }
    for (int i = depth; i >= 1; --i) {
        foreColor(ramp[size_t(depth - i)]);
        DrawTextOut(text, {rect.left + dx * i, rect.top + dy * i, rect.right + dx * i, rect.bottom + dy * i},
                    wrap);
    }
}

void LabelPainter::DrawGradientBack(std::int32_t style) {
    // What was drawn stays; a gradient is never worth failing a repaint for.
    core::bestEffort(L"label gradient background", [&] {
        const int w = width_, h = height_;
        int n;
        switch (style) {
        case labelGradient::StartTop:
        case labelGradient::StartBottom:
            n = h;
            break;
        case labelGradient::StartTopLeft:
        case labelGradient::StartBottomLeft:
            n = 2 * w - 1;
            break;
        case labelGradient::StartMiddleColumn:
            n = (w + 1) / 2;
            break;
        case labelGradient::StartMiddleRow:
            n = (h + 1) / 2;
            break;
        default:
            n = w;
        }
        Ramp ramp;
        GradientColors(look_.GradientBackColorStart, look_.GradientBackColorEnd, std::int16_t(n), ramp);
        auto at = [&](int i) { return ramp.at(size_t(i)); };
        switch (style) {
        case labelGradient::StartLeft:
            for (int i = 0; i <= w - 1; ++i) line(i, 0, i, h, at(i));
            break;
        case labelGradient::StartRight:
            for (int i = 0; i <= w - 1; ++i) line(i, 0, i, h, at(w - i - 1));
            break;
        case labelGradient::StartTop:
            for (int i = 0; i <= h - 1; ++i) line(0, i, w, i, at(i));
            break;
        case labelGradient::StartBottom:
            for (int i = 0; i <= h - 1; ++i) line(0, i, w, i, at(h - i - 1));
            break;
        case labelGradient::StartTopLeft:
            point(0, 0, at(0));
            point(w - 1, h - 1, at(2 * w - 2));
            for (int i = 1; i <= 2 * w - 3; ++i) line(i - w + 1, h - 1, i + 1, -1, at(i));
            break;
        case labelGradient::StartBottomLeft:
            point(0, h - 1, at(0));
            point(w - 1, 0, at(2 * w - 2));
            for (int i = 1; i <= 2 * w - 3; ++i) line(i - w + 1, -1, i + 1, h - 1, at(i));
            break;
        case labelGradient::StartMiddleColumn: {
            const int m = (w % 2) + w / 2 - 1;
            for (int i = 0; i <= m; ++i) {
                line(i, 0, i, h, at(m - i));
                line(w / 2 + i, 0, w / 2 + i, h, at(i));
            }
            break;
        }
        case labelGradient::StartMiddleRow: {
            const int m = (h % 2) + h / 2 - 1;
            for (int i = 0; i <= m; ++i) {
                line(0, i, w, i, at(m - i));
                line(0, h / 2 + i, w, h / 2 + i, at(i));
            }
            break;
        }
        case labelGradient::StartRisingDiagonal:
            for (int i = 0; i <= n; ++i) {
                line(i - w + 1, h - 1, i + 1, -1, at(n - i));
                line(i, h - 1, i + w, -1, at(i));
            }
            break;
        case labelGradient::StartFallingDiagonal:
            for (int i = 0; i <= n; ++i) {
                line(i - w + 1, 0, i + 1, h, at(n - i));
                line(i, 0, i + w, h, at(i));
            }
            break;
        }
    });
}

int LabelPainter::Redraw(const std::wstring& text) {
    LabelLook& k = look_;
    const std::uint32_t back = k.Transparent ? kLabelMaskColor : k.BackColor;
    {
        forms::GdiBrush brush(CreateSolidBrush(plainColor(back)));
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush.get());
    }
    SetBkColor(dc_, plainColor(back));

    const int border = k.BorderSize, margin = k.BorderSize + k.EdgeSpace, depth = k.shadowExtent();
    RECT rc;
    // A shadow that runs left or up moves the text the other way to leave it room.
    const bool left = k.ShadowStyle == shadowDirection::UpLeft || k.ShadowStyle == shadowDirection::DownLeft;
    const bool up = k.ShadowStyle == shadowDirection::UpLeft || k.ShadowStyle == shadowDirection::UpRight;
    rc.left = margin + (left ? depth : 0);
    rc.top = margin + (up ? depth : 0);
    rc.right = width_ - margin;
    rc.bottom = height_ - margin;

    if (k.BackColorStyle == 1 && !k.Transparent) DrawGradientBack(k.GradientBackColorStyle);
    if (k.Shadow)
        DrawShadowText(text, rc, k.WordWrap, k.ShadowColorStart, k.ShadowColorEnd, k.ShadowDepth,
                       k.ShadowStyle);

    foreColor(k.Forecolor);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    const int h = DrawTextOut(text, rc, k.WordWrap);
    // Lines by the font's line height; nothing drawn or no height is no line.
    const int lines = (h > 0 && tm.tmHeight > 0) ? int(forms::roundToLong(double(h) / tm.tmHeight)) : 0;

    switch (k.BorderStyle) {
    case core::labelBorder::Single:
        foreColor(k.BorderColor);
        for (int i = 1; i <= border; ++i) rectangle(i - 1, i - 1, width_ - i + 1, height_ - i + 1);
        break;
    case core::labelBorder::Outline:
        foreColor(k.OutlineColor);
        DrawOutlineText(text, rc, k.WordWrap, border);
        foreColor(k.Forecolor);
        DrawTextOut(text, rc, k.WordWrap);
        break;
    case core::labelBorder::Sunken:
    case core::labelBorder::Raised: {
        foreColor(k.Forecolor);
        k.BorderSize = k.borderSizeAfterPaint();
        const bool sunken = k.BorderStyle == core::labelBorder::Sunken;
        const std::uint32_t grey = RGB(167, 166, 170), white = RGB(255, 255, 255);
        line(0, 0, width_ - 1, 0, grey);
        line(0, 0, 0, height_ - 1, grey);
        line(width_ - 1, 0, width_ - 1, height_, white);
        line(0, height_ - 1, width_, height_ - 1, white);
        line(1, 1, width_ - 2, 1, sunken ? RGB(133, 135, 140) : white);
        line(1, 1, 1, height_ - 2, sunken ? RGB(133, 135, 140) : white);
        line(width_ - 2, 1, width_ - 2, height_ - 1, sunken ? RGB(220, 223, 228) : grey);
        line(1, height_ - 2, width_ - 1, height_ - 2, sunken ? RGB(220, 223, 228) : grey);
        break;
    }
    case core::labelBorder::Triple:
        foreColor(k.Forecolor);
        k.BorderSize = k.borderSizeAfterPaint();
        foreColor(RGB(255, 255, 255));
        rectangle(0, 0, width_, height_);
        rectangle(2, 2, width_ - 2, height_ - 2);
        foreColor(RGB(167, 166, 170));
        rectangle(1, 1, width_ - 1, height_ - 1);
        break;
    }
    return lines;
}

forms::GdiRegion regionWithout(const std::uint32_t* pixels, int width, int height, COLORREF color) {
    if (!pixels || width <= 0 || height <= 0) return {};
    // The image's pixels are 0x00RRGGBB.
    const std::uint32_t key =
        (std::uint32_t(GetRValue(color)) << 16) | (std::uint32_t(GetGValue(color)) << 8) | GetBValue(color);

    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width;) {
            if ((row[x] & 0xFFFFFF) == key) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && (row[x] & 0xFFFFFF) != key) ++x;
            runs.push_back({start, y, x, y + 1});
        }
    }
    if (runs.empty()) return forms::GdiRegion(CreateRectRgn(0, 0, 0, 0));
    std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    header->rdh.dwSize = sizeof(RGNDATAHEADER);
    header->rdh.iType = RDH_RECTANGLES;
    header->rdh.nCount = DWORD(runs.size());
    header->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
    header->rdh.rcBound = {0, 0, width, height};
    std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(header->Buffer));
    return forms::GdiRegion(ExtCreateRegion(nullptr, DWORD(data.size()), header));
}

} // namespace widgets
