// The command button's drawing primitives, window region and outline, highlight band, gradient,
// caption and pictures. The painters of the styles are in kt_button_styles.cpp.
#include "widgets/command_button/kt_button_paint.h"

#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <algorithm>
#include <cmath>

namespace widgets {

using namespace ktbutton;

namespace {

// Bottom-up 24-bit rows, each a multiple of 4 bytes.
struct DibImage {
    BITMAPINFO info{};
    std::vector<BYTE> bits;
    int stride = 0;

    DibImage(int w, int h) {
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        stride = ((w * 3) + 3) & ~3;
        bits.resize(static_cast<size_t>(stride) * static_cast<size_t>(h));
    }
    bool read(HDC dc, HBITMAP bitmap, int h) {
        return GetDIBits(dc, bitmap, 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS) != 0;
    }
};

BYTE blendByte(BYTE a, BYTE b, double f) {
    return static_cast<BYTE>(Round(a + (b - a) * f));
}

} // namespace

KtButtonPainter::KtButtonPainter(HDC dc, int w, int h, const KtButtonLook& look, const KtButtonState& state,
                                 KtButtonCache& cache)
    : dc_(dc), W(w), H(h), look_(look), state_(state), cache_(cache), P(cache.P), requested_(look.State) {}

long KtButtonPainter::pressOffset() const {
    const bool down = requested_ == ktState::Down;
    if (down && look_.Value) return 2;
    return down != look_.Value ? 1 : 0;
}

void KtButtonPainter::Cls() {
    FillFace(TranslateColor(look_.BackColor));
}

void KtButtonPainter::paint(long& drawn) {
    requested_ = look_.State;
    drawn = requested_;
    using Painter = void (KtButtonPainter::*)(long&);
    struct Style {
        std::int32_t style;
        Painter paint;
    };
    static constexpr Style painters[] = {
        {ktbutton::style::RoundGlossy, &KtButtonPainter::PaintStyleRound},
        {ktbutton::style::RoundGlossyBlue, &KtButtonPainter::PaintStyleRound},
        {ktbutton::style::RoundGlossyGrey, &KtButtonPainter::PaintStyleRound},
        {ktbutton::style::GradientFramed, &KtButtonPainter::PaintStyle3},
        {ktbutton::style::Flat, &KtButtonPainter::PaintStyle4},
        {ktbutton::style::GradientBevel, &KtButtonPainter::PaintStyle5},
        {ktbutton::style::Classic3D, &KtButtonPainter::PaintStyle6},
        {ktbutton::style::SoftCornersBlue, &KtButtonPainter::PaintStyle7},
        {ktbutton::style::SoftCornersGreen, &KtButtonPainter::PaintStyle7},
        {ktbutton::style::SoftCornersFramed, &KtButtonPainter::PaintStyle7},
        {ktbutton::style::FlatSoftBevel, &KtButtonPainter::PaintStyle10},
        {ktbutton::style::GradientFocusFrame, &KtButtonPainter::PaintStyle11},
    };
    // A style outside the table leaves the surface cleared.
    for (const Style& entry : painters)
        if (entry.style == look_.ButtonStyle) return (this->*entry.paint)(drawn);
}

void KtButtonPainter::layout(long ellipseWidth, long ellipseHeight) {
    if (!cache_.layoutDirty) return;
    SetButtonRegion(ellipseWidth, ellipseHeight);
    CalcLayout(4, 4);
}

// --- Region and outline

void KtButtonPainter::SetButtonRegion(long ellipseWidth, long ellipseHeight) {
    forms::GdiRegion region(CreateRoundRectRgn(0, 0, W + 1, H + 1, ellipseWidth, ellipseHeight));
    if (!region) return;
    const int half = static_cast<int>(Round(W / 2.0));
    if (look_.ButtonShape == 1 || look_.ButtonShape == 3) {
        forms::GdiRegion square(CreateRectRgn(0, 0, half, H + 1));
        CombineRgn(region.get(), region.get(), square.get(), RGN_OR);
    }
    if (look_.ButtonShape == 2 || look_.ButtonShape == 3) {
        forms::GdiRegion square(CreateRectRgn(half, 0, W + 1, H + 1));
        CombineRgn(region.get(), region.get(), square.get(), RGN_OR);
    }
    if (ktbutton::style::isRound(look_.ButtonStyle))
        TraceRegionEdge(region.get(), ellipseWidth, ellipseHeight);
    cache_.region = std::move(region);
}

void KtButtonPainter::TraceRegionEdge(HRGN region, long ellipseWidth, long ellipseHeight) {
    const long CY = std::clamp(Round(ellipseHeight / 2.0), 0L, Round(H / 2.0));
    const long CX = std::clamp(Round(ellipseWidth / 2.0), 0L, Round(W / 2.0));
    std::vector<POINT> pts;
    auto add = [&](long x, long y) { pts.push_back(POINT{x, y}); };
    auto scanLeft = [&](long y) {
        long x = CX;
        while (x > -1 && PtInRegion(region, static_cast<int>(x), static_cast<int>(y))) --x;
        return x;
    };
    // The first column outside from W - CX on; W when the row has none in range.
    auto scanRight = [&](long y) {
        for (long x = W - CX; x <= W - 1; ++x)
            if (!PtInRegion(region, static_cast<int>(x), static_cast<int>(y))) return x;
        return static_cast<long>(W);
    };
    if (look_.ButtonShape == 1 || look_.ButtonShape == 3) {
        add(0, 0);
        add(0, H - 1);
    } else {
        for (long y = 0; y <= CY - 1; ++y) {
            const long x = scanLeft(y);
            add(x + 1, y);
            if (x > 0) add(x, y + 1);
        }
        for (long y = H - CY; y <= H - 1; ++y) {
            const long x = scanLeft(y);
            if (x > 0) add(x, y - 1);
            add(x + 1, y);
        }
    }
    if (look_.ButtonShape == 2 || look_.ButtonShape == 3) {
        add(W - 1, H - 1);
        add(W - 1, 0);
    } else {
        for (long y = H - 1; y >= H - CY + 1; --y) {
            const long x = scanRight(y);
            if (x >= W) continue;
            add(x - 1, y);
            add(x, y - 1);
        }
        for (long y = CY; y >= 0; --y) {
            const long x = scanRight(y);
            if (x >= W) continue;
            add(x, y + 1);
            add(x - 1, y);
        }
    }
    if (!pts.empty()) pts.push_back(pts.front());
    cache_.outline = std::move(pts);
}

void KtButtonPainter::CalcLayout(int marginV, int marginH) {
    cache_.layoutDirty = false;
    SIZE text{0, 0};
    const bool hasCaption = !look_.Caption.empty();
    if (hasCaption && dc_) {
        std::optional<forms::ScopedSelect> font;
        if (look_.Font) font.emplace(dc_, look_.Font->hFont());
        RECT r{0, 0, W, H};
        DrawTextW(dc_, look_.Caption.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP | DT_WORDBREAK | DT_CENTER);
        text = {r.right, r.bottom};
    }
    const bool hasPicture = look_.PictureNormal != nullptr;
    const Layout l =
        ktbutton::CalcLayout(W, H, marginV, marginH, text, hasCaption, hasPicture,
                             SIZE{look_.PictureSizeW, look_.PictureSizeH}, look_.PictureAlignment);
    cache_.inner = l.inner;
    cache_.caption = l.caption;
    if (hasPicture) cache_.picture = l.picture;
}

// --- Highlight band and gradient

void KtButtonPainter::DrawRoundEdge(std::int32_t topColour, std::int32_t bottomColour) {
    const RECT r = cache_.inner;
    const long N = r.bottom - r.top + 1;
    long Wb = r.right - r.left + 1;
    long X0 = r.left;
    if (N <= 0 || Wb <= 0) return;
    if (look_.ButtonShape == 1 || look_.ButtonShape == 3) {
        X0 = 0;
        Wb = r.left + Wb;
    }
    if (look_.ButtonShape == 2 || look_.ButtonShape == 3) Wb = r.left + Wb;
    forms::GdiRegion shape(CreateRoundRectRgn(0, 0, Wb, N, N, Wb));
    if (!shape) return;
    const int half = static_cast<int>(Round(Wb / 2.0));
    if (look_.ButtonShape == 1 || look_.ButtonShape == 3) {
        forms::GdiRegion square(CreateRoundRectRgn(0, 0, half, N, 0, 0));
        CombineRgn(shape.get(), shape.get(), square.get(), RGN_OR);
    }
    if (look_.ButtonShape == 2 || look_.ButtonShape == 3) {
        forms::GdiRegion square(CreateRoundRectRgn(half, 0, Wb, N, 0, 0));
        CombineRgn(shape.get(), shape.get(), square.get(), RGN_OR);
    }
    const int t0 = topColour & 0xFF, t1 = (topColour >> 8) & 0xFF, t2 = (topColour >> 16) & 0xFF;
    const int b0 = bottomColour & 0xFF, b1 = (bottomColour >> 8) & 0xFF, b2 = (bottomColour >> 16) & 0xFF;
    for (long row = 0; row < N; ++row) {
        const double f = static_cast<double>(row) / static_cast<double>(N);
        const std::int32_t colour = static_cast<std::int32_t>(
            Round(t0 + f * (b0 - t0)) + 256 * Round(t1 + f * (b1 - t1)) + 65536 * Round(t2 + f * (b2 - t2)));
        long xl = -1, xr = -1;
        for (long x = 0; x < Wb; ++x) {
            const bool inside = PtInRegion(shape.get(), static_cast<int>(x), static_cast<int>(row)) != FALSE;
            if (xl < 0) {
                if (inside) xl = x;
            } else if (!inside) {
                xr = x;
                break;
            }
        }
        if (xl >= 0 && xr >= 0) DrawLine(colour, X0 + xl, r.top + row, X0 + xr, r.top + row);
    }
}

void KtButtonPainter::DrawGradient(std::int32_t colour1, std::int32_t colour2, float& percent, long x1,
                                   long y1, long x2, long y2) {
    if (x2 == -1) x2 = W - 1;
    if (y2 == -1) y2 = H - 1;
    x2 = std::max(x1, x2);
    y2 = std::max(y1, y2);
    percent = Clamp(percent, 0, 100);
    const int c1[3] = {colour1 & 0xFF, (colour1 >> 8) & 0xFF, (colour1 >> 16) & 0xFF};
    const int c2[3] = {colour2 & 0xFF, (colour2 >> 8) & 0xFF, (colour2 >> 16) & 0xFF};
    long m[3];
    for (int i = 0; i < 3; ++i) m[i] = Round(c1[i] + (c2[i] - c1[i]) * 0.5);
    float S = percent * static_cast<float>(y2 - y1 - 1) / 100.0f + static_cast<float>(y1);
    if (S == 0.0f) S = 1.0f;
    percent = S;
    const double s = S;
    for (long y = y1; y <= y2; ++y) {
        long ch[3];
        if (s >= y) {
            const double f = y / s;
            for (int i = 0; i < 3; ++i) ch[i] = Round(c1[i] + f * (m[i] - c1[i]));
        } else {
            const double f = (y - s) / (y2 - s);
            for (int i = 0; i < 3; ++i) ch[i] = Round(m[i] + f * (c2[i] - m[i]));
        }
        const std::int32_t colour = static_cast<std::int32_t>(ch[0] + 256 * ch[1] + 65536 * ch[2]);
        if (x1 == x2)
            pixel(x1, y, colour);
        else
            DrawLine(colour, x1, y, x2, y);
    }
}

// --- Primitives

void KtButtonPainter::pixel(long x, long y, std::int32_t colour) {
    SetPixelV(dc_, static_cast<int>(x), static_cast<int>(y), static_cast<COLORREF>(colour));
}

void KtButtonPainter::DrawLine(std::int32_t colour, long x1, long y1, long x2, long y2) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colour)));
    forms::ScopedSelect use(dc_, pen.get());
    if (x1 == x2) ++y2;
    if (y1 == y2) ++x2;
    MoveToEx(dc_, static_cast<int>(x1), static_cast<int>(y1), nullptr);
    LineTo(dc_, static_cast<int>(x2), static_cast<int>(y2));
}

void KtButtonPainter::DrawPolyline(const std::vector<POINT>& points, std::int32_t colour) {
    if (points.empty()) return;
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colour)));
    forms::ScopedSelect use(dc_, pen.get());
    Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void KtButtonPainter::DrawRectangle(std::int32_t colour, long x1, long y1, long x2, long y2) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colour)));
    forms::ScopedSelect use(dc_, pen.get());
    forms::ScopedSelect hollow(dc_, GetStockObject(NULL_BRUSH));
    Rectangle(dc_, static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
}

void KtButtonPainter::DrawEdgeRect(long x1, long y1, long x2, long y2, UINT edge) {
    RECT r;
    SetRect(&r, static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
    DrawEdge(dc_, &r, edge, BF_RECT | BF_SOFT);
}

void KtButtonPainter::FillFace(std::int32_t colour) {
    forms::GdiBrush brush(CreateSolidBrush(static_cast<COLORREF>(colour)));
    RECT r{0, 0, W, H};
    FillRect(dc_, &r, brush.get());
}

HBRUSH KtButtonPainter::CreateCheckerBrush(std::int32_t colour1, std::int32_t colour2) {
    forms::MemoryDC mem = forms::MemoryDC::compatibleWith(dc_);
    forms::GdiBitmap bitmap(CreateCompatibleBitmap(dc_, 2, 2));
    if (!mem || !bitmap) return nullptr;
    {
        forms::ScopedSelect use(mem.get(), bitmap.get());
        SetPixelV(mem.get(), 0, 0, static_cast<COLORREF>(colour1));
        SetPixelV(mem.get(), 1, 1, static_cast<COLORREF>(colour1));
        SetPixelV(mem.get(), 1, 0, static_cast<COLORREF>(colour2));
        SetPixelV(mem.get(), 0, 1, static_cast<COLORREF>(colour2));
    }
    return CreatePatternBrush(bitmap.get());
}

// --- Caption

void KtButtonPainter::DrawCaptionText(std::int32_t colour, long offsetX, long offsetY) {
    if (look_.Caption.empty()) return;
    RECT r = cache_.caption;
    if (offsetX != 0 || offsetY != 0) OffsetRect(&r, static_cast<int>(offsetX), static_cast<int>(offsetY));
    std::optional<forms::ScopedSelect> font;
    if (look_.Font) font.emplace(dc_, look_.Font->hFont());
    const COLORREF oldColour = SetTextColor(dc_, static_cast<COLORREF>(colour));
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    DrawTextW(dc_, look_.Caption.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_NOCLIP);
    SetBkMode(dc_, oldMode);
    SetTextColor(dc_, oldColour);
}

void KtButtonPainter::DrawCaption(std::int32_t foreColour, std::int32_t backColour, long offsetX,
                                  long offsetY) {
    const std::int32_t light = ShiftColor(backColour, 0.1f);
    const std::int32_t dark = ShiftColor(backColour, -0.1f);
    switch (look_.SpecialEffect) {
    case 1:
        DrawCaptionText(dark, offsetX + 1, offsetY + 1);
        DrawCaptionText(light, offsetX - 1, offsetY - 1);
        break;
    case 2:
        DrawCaptionText(dark, offsetX - 1, offsetY - 1);
        DrawCaptionText(light, offsetX + 1, offsetY + 1);
        break;
    case 3:
        DrawCaptionText(dark, offsetX + 1, offsetY + 1);
        break;
    default:
        break;
    }
    DrawCaptionText(foreColour, offsetX, offsetY);
}

// --- Pictures

void KtButtonPainter::DrawStatePicture(std::int32_t colour, long dx, long dy, std::int32_t silhouette) {
    if (!look_.PictureNormal) return;
    std::shared_ptr<forms::StdPicture> chosen;
    if (look_.State == ktState::Hot && look_.PictureHot)
        chosen = look_.PictureHot;
    else if (look_.State == ktState::Down || look_.Value)
        chosen = look_.PictureDown ? look_.PictureDown : look_.PictureHot;
    if (!chosen) chosen = look_.PictureNormal;
    const std::int32_t light = ShiftColor(colour, 0.1f);
    const std::int32_t dark = ShiftColor(colour, -0.1f);
    switch (look_.SpecialEffect) {
    case 1:
        DrawPicture(chosen, dx + 1, dy + 1, dark);
        DrawPicture(chosen, dx - 1, dy - 1, light);
        break;
    case 2:
        DrawPicture(chosen, dx - 1, dy - 1, dark);
        DrawPicture(chosen, dx + 1, dy + 1, light);
        break;
    case 3:
        DrawPicture(chosen, dx + 1, dy + 1, dark);
        break;
    default:
        break;
    }
    DrawPicture(chosen, dx, dy, silhouette);
}

void KtButtonPainter::DrawPicture(const std::shared_ptr<forms::StdPicture>& picture, long dx, long dy,
                                  std::int32_t silhouette) {
    if (!picture || picture->Type() == forms::PictureType::None) return;
    RECT R = cache_.picture;
    OffsetRect(&R, static_cast<int>(dx), static_cast<int>(dy));
    int srcX = 0, srcY = 0;
    bool cut = false;
    if (look_.PictureSize == 0) {
        if (R.left < 0) {
            srcX = -R.left;
            R.left = 0;
            cut = true;
        }
        if (R.top < 0) {
            srcY = -R.top;
            R.top = 0;
            cut = true;
        }
        if (R.bottom > H) {
            R.bottom = H;
            cut = true;
        }
        if (R.right > W) {
            R.right = W;
            cut = true;
        }
    }
    const int w = R.right - R.left, h = R.bottom - R.top;
    if (w < 1 || h < 1) return;
    const int ownW = picture->widthPixels(), ownH = picture->heightPixels();
    if (ownW < 1 || ownH < 1) return;
    const bool isBitmap = picture->Type() == forms::PictureType::Bitmap;
    const std::int32_t T = look_.UseMaskColor ? TranslateColor(look_.MaskColor) : NoColour;

    forms::MemoryDC source = forms::MemoryDC::compatibleWith(dc_);
    forms::MemoryDC image = forms::MemoryDC::compatibleWith(dc_);
    forms::MemoryDC back = forms::MemoryDC::compatibleWith(dc_);
    forms::GdiBitmap imageBitmap(CreateCompatibleBitmap(dc_, w, h));
    forms::GdiBitmap backBitmap(CreateCompatibleBitmap(dc_, w, h));
    forms::GdiBitmap iconBitmap;
    if (!source || !image || !back || !imageBitmap || !backBitmap) return;
    std::optional<forms::ScopedSelect> sourceUse;
    if (isBitmap) {
        sourceUse.emplace(source.get(), picture->hBitmap());
    } else {
        iconBitmap = forms::GdiBitmap(CreateCompatibleBitmap(dc_, ownW, ownH));
        if (!iconBitmap) return;
        sourceUse.emplace(source.get(), iconBitmap.get());
        if (T != NoColour) {
            forms::GdiBrush brush(CreateSolidBrush(static_cast<COLORREF>(T)));
            RECT all{0, 0, ownW, ownH};
            FillRect(source.get(), &all, brush.get());
        } else {
            // Without a mask colour the icon's own mask keeps what lies behind it.
            SetStretchBltMode(source.get(), COLORONCOLOR);
            StretchBlt(source.get(), 0, 0, ownW, ownH, dc_, R.left, R.top, w, h, SRCCOPY);
        }
        DrawIconEx(source.get(), 0, 0, picture->hIcon(), ownW, ownH, 0, nullptr, DI_NORMAL);
    }
    {
        forms::ScopedSelect use(image.get(), imageBitmap.get());
        if (cut) {
            BitBlt(image.get(), 0, 0, w, h, source.get(), srcX, srcY, SRCCOPY);
        } else {
            SetStretchBltMode(image.get(), COLORONCOLOR);
            StretchBlt(image.get(), 0, 0, w, h, source.get(), 0, 0, ownW, ownH, SRCCOPY);
        }
    }
    {
        forms::ScopedSelect use(back.get(), backBitmap.get());
        BitBlt(back.get(), 0, 0, w, h, dc_, R.left, R.top, SRCCOPY);
    }
    DibImage pic(w, h), bg(w, h);
    if (!pic.read(image.get(), imageBitmap.get(), h) || !bg.read(back.get(), backBitmap.get(), h)) return;

    double f = look_.PicOpacity;
    if (look_.State == ktState::Disabled) f = 0.2f;
    if (T != NoColour || silhouette != NoColour || f != 1.0) {
        const BYTE sr = silhouette & 0xFF, sg = (silhouette >> 8) & 0xFF, sb = (silhouette >> 16) & 0xFF;
        for (int y = 0; y < h; ++y) {
            BYTE* p = pic.bits.data() + static_cast<size_t>(y) * pic.stride;
            const BYTE* b = bg.bits.data() + static_cast<size_t>(y) * bg.stride;
            for (int x = 0; x < w; ++x, p += 3, b += 3) {
                const COLORREF c = GetNearestColor(source.get(), RGB(p[2], p[1], p[0]));
                if (T != NoColour && static_cast<std::int32_t>(c) == T) {
                    p[0] = b[0];
                    p[1] = b[1];
                    p[2] = b[2];
                } else if (silhouette != NoColour) {
                    p[0] = sb;
                    p[1] = sg;
                    p[2] = sr;
                } else if (f != 1.0) {
                    for (int i = 0; i < 3; ++i) p[i] = blendByte(b[i], p[i], f);
                }
            }
        }
    }
    SetDIBitsToDevice(dc_, R.left, R.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                      static_cast<UINT>(h), pic.bits.data(), &pic.info, DIB_RGB_COLORS);
}

} // namespace widgets
