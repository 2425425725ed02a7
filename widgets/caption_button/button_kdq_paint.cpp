#include "widgets/caption_button/button_kdq_paint.h"

#include <array>

#include "platform/forms/functions.h"
#include "platform/forms/gdi.h"
#include "widgets/shared/color_ramp.h"
#include "widgets/shared/gdi_helpers.h"

namespace widgets {

namespace {

// The face colours per look (normal, focused, hot, pressed), indexed as the face routine names
// them; 0 is never drawn, and a look leaves the entries it does not use black.
using Palette = std::array<COLORREF, 19>;
constexpr std::array<Palette, 4> kPalettes{{
    {0, RGB(168, 183, 202), RGB(84, 115, 150), RGB(78, 109, 147), RGB(123, 145, 180), RGB(43, 79, 130),
     RGB(213, 222, 236), RGB(223, 232, 245), RGB(152, 174, 209), RGB(144, 168, 205), RGB(248, 251, 255),
     RGB(205, 215, 228), RGB(243, 248, 255), RGB(249, 253, 255), RGB(241, 248, 249), RGB(208, 220, 235),
     RGB(166, 184, 207), 0, 0},
    {0, RGB(168, 183, 202), RGB(45, 86, 176), RGB(45, 86, 176), RGB(123, 145, 180), RGB(45, 86, 176),
     RGB(139, 192, 234), RGB(113, 161, 217), RGB(55, 99, 176), RGB(63, 109, 177), RGB(163, 185, 224),
     RGB(63, 109, 177), RGB(243, 248, 255), RGB(249, 253, 255), RGB(241, 248, 249), RGB(208, 220, 235),
     RGB(166, 184, 207), RGB(163, 185, 224), RGB(94, 129, 188)},
    {0, RGB(168, 183, 202), RGB(84, 115, 150), RGB(78, 109, 147), RGB(123, 145, 180), RGB(43, 79, 130),
     RGB(245, 232, 169), RGB(245, 232, 169), RGB(218, 121, 38), RGB(218, 121, 38), RGB(245, 232, 169),
     RGB(230, 170, 69), RGB(243, 248, 255), RGB(249, 253, 255), RGB(241, 248, 249), RGB(208, 220, 235),
     RGB(166, 184, 207), RGB(239, 207, 134), RGB(241, 184, 96)},
    {0, RGB(168, 183, 202), RGB(84, 115, 150), RGB(78, 109, 147), RGB(123, 145, 180), RGB(43, 79, 130),
     RGB(213, 222, 236), RGB(119, 146, 186), RGB(119, 146, 186), RGB(249, 253, 255), 0, 0, 0,
     RGB(136, 158, 188), RGB(199, 213, 231), RGB(237, 244, 247), RGB(249, 253, 255), RGB(119, 146, 186),
     RGB(243, 248, 255)},
}};

constexpr COLORREF kDisabledOutline = RGB(198, 197, 201);
constexpr COLORREF kDisabledFill = RGB(255, 255, 255);
constexpr COLORREF kDisabledCorner = RGB(228, 233, 238);
constexpr COLORREF kDisabledShadow = 0xE0E0E0;
constexpr COLORREF kDisabledText = 0xC0C0C0;

// The space kept between the edge and the picture or the caption.
constexpr int kMargin = 7;
// A fitted picture leaves the caption beside it only when this much width is left.
constexpr int kCaptionRoom = 15;
constexpr int kBand = 7;
constexpr UINT kCaptionFormat = DT_NOCLIP | DT_WORDBREAK;

} // namespace

int ButtonState::look() const {
    switch (MouseState) {
    case buttonMouse::Normal:
        return HasFocus ? buttonLook::Focused : buttonLook::Normal;
    case buttonMouse::HeldOutside:
    case buttonMouse::Hover:
        return buttonLook::Hot;
    default:
        return buttonLook::Pressed;
    }
}

void SignPic(std::int32_t wSrc, std::int32_t hSrc, std::int32_t wDes, std::int32_t hDes,
             std::int32_t& wResult, std::int32_t& hResult) {
    if (wSrc == 0 || hSrc == 0) {
        wResult = hResult = 0;
        return;
    }
    const double t = double(std::int64_t(wSrc) * hDes) / hSrc;
    if (t <= wDes) {
        hResult = hDes;
        wResult = std::int32_t(forms::roundToLong(t));
    } else {
        wResult = wDes;
        hResult = std::int32_t(forms::roundToLong(double(std::int64_t(hSrc) * wDes) / wSrc));
    }
}

void ButtonPainter::point(int x, int y, COLORREF color) {
    SetPixelV(dc_, x, y, color);
}

void ButtonPainter::line(int x1, int y1, int x2, int y2, COLORREF color) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, color));
    forms::ScopedSelect keep(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void ButtonPainter::PSetR(std::int16_t x, std::int16_t y, std::uint32_t color) {
    const COLORREF c = plainColor(color);
    point(x, y, c);
    point(width_ - x - 1, y, c);
    point(x, height_ - y - 1, c);
    point(width_ - x - 1, height_ - y - 1, c);
}

void ButtonPainter::LineXG(std::int16_t x1, std::int16_t y, std::int16_t x2, std::uint32_t c1,
                           std::uint32_t c2) {
    const int n = x2 - x1;
    if (n < 1) return;
    Ramp ramp;
    GradientSegment(c1, c2, std::int16_t(n), ramp);
    for (int i = 0; i < n; ++i) point(x1 + i, y, ramp[size_t(i)]);
}

void ButtonPainter::LineYG(std::int16_t x, std::int16_t y1, std::int16_t y2, std::uint32_t c1,
                           std::uint32_t c2) {
    const int n = y2 - y1;
    if (n < 1) return;
    Ramp ramp;
    GradientSegment(c1, c2, std::int16_t(n), ramp);
    for (int i = 0; i < n; ++i) point(x, y1 + i, ramp[size_t(i)]);
}

void ButtonPainter::Redraw(std::uint32_t background, const ButtonPictureSource& picture,
                           const std::wstring& caption) {
    forms::GdiBrush back(CreateSolidBrush(plainColor(background)));
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, back.get());
    const int look = state_.look();
    DrawFace(look);
    DrawPicture(look, picture);
    DrawCaption(look, caption);
}

void ButtonPainter::DrawFace(int look) {
    if (look_.ButtonStyle != 0) return;
    DrawBody(look_.Enabled ? look : buttonLook::Disabled);
}

void ButtonPainter::DrawBody(int look) {
    const int sw = width_, sh = height_;
    if (look == buttonLook::Disabled) {
        forms::GdiPen pen(CreatePen(PS_SOLID, 1, kDisabledOutline));
        forms::GdiBrush brush(CreateSolidBrush(kDisabledFill));
        forms::ScopedSelect p(dc_, pen.get()), b(dc_, brush.get());
        Rectangle(dc_, 0, 0, sw, sh);
        p.restore();
        b.restore();
        PSetR(0, 0, kDisabledCorner);
        return;
    }
    const Palette& c = kPalettes[size_t(look)];
    PSetR(0, 0, c[1]);
    PSetR(1, 0, c[2]);
    PSetR(0, 1, c[3]);
    PSetR(1, 1, c[4]);
    line(2, 0, sw - 2, 0, c[5]);
    line(2, sh - 1, sw - 2, sh - 1, c[5]);
    line(0, 2, 0, sh - 2, c[5]);
    line(sw - 1, 2, sw - 1, sh - 2, c[5]);
    line(2, 1, sw - 2, 1, c[6]);
    line(2, sh - 2, sw - 2, sh - 2, c[9]);

    Ramp ramp;
    GradientSegment(c[13], c[14], kBand, ramp);
    for (int i = 0; i < kBand; ++i) line(2, 2 + i, sw - 2, 2 + i, ramp[size_t(i)]);
    GradientSegment(c[15], c[16], kBand, ramp);
    for (int i = 0; i < kBand; ++i) line(2, sh - 9 + i, sw - 2, sh - 9 + i, ramp[size_t(i)]);
    // Drawn after the bottom band: it covers rows 8 and SH - 9.
    const int middle = sh - 16;
    if (middle >= 1) {
        GradientSegment(c[14], c[15], std::int16_t(middle), ramp);
        for (int i = 0; i < middle; ++i) line(2, 8 + i, sw - 2, 8 + i, ramp[size_t(i)]);
    }

    LineYG(1, 2, std::int16_t(sh - 2), c[7], c[8]);
    LineYG(std::int16_t(sw - 2), 2, std::int16_t(sh - 2), c[7], c[8]);
    if (look != buttonLook::Pressed) {
        LineYG(2, 2, std::int16_t(sh - 2), c[10], c[11]);
        LineYG(std::int16_t(sw - 3), 2, std::int16_t(sh - 2), c[10], c[11]);
        line(3, 3, sw - 3, 3, c[12]);
    }
    if (look != buttonLook::Normal) {
        line(3, 2, sw - 3, 2, c[17]);
        line(3, sh - 3, sw - 3, sh - 3, c[18]);
    }
}

void ButtonPainter::DrawPicture(int look, const ButtonPictureSource& picture) {
    if (!picture.present()) return;
    const int sw = width_, sh = height_;
    ButtonState& s = state_;
    switch (look_.PictureSize) {
    case buttonPicture::Size16:
        s.PicWidth = s.PicHeight = 16;
        break;
    case buttonPicture::Size32:
        s.PicWidth = s.PicHeight = 32;
        break;
    case buttonPicture::Size64:
        s.PicWidth = s.PicHeight = 64;
        break;
    case buttonPicture::Whole:
        s.PicWidth = sw;
        s.PicHeight = sh;
        break;
    case buttonPicture::Fitted:
        SignPic(picture.width, picture.height, sw - 2 * kMargin, sh - 2 * kMargin, s.PicWidth, s.PicHeight);
        break;
    case buttonPicture::Custom:
        s.PicWidth = look_.PictureWidth;
        s.PicHeight = look_.PictureHeight;
        break;
    }
    const int centredLeft = (sw - s.PicWidth) / 2, centredTop = (sh - s.PicHeight) / 2;
    switch (look_.AlignmentPicture) {
    case buttonPicture::Left:
        s.PicLeft = kMargin;
        s.PicTop = centredTop;
        break;
    case buttonPicture::Right:
        s.PicLeft = sw - kMargin - s.PicWidth - 1;
        s.PicTop = centredTop;
        break;
    case buttonPicture::Centre:
        s.PicLeft = centredLeft;
        s.PicTop = centredTop;
        break;
    case buttonPicture::Top:
        s.PicLeft = centredLeft;
        s.PicTop = kMargin;
        break;
    case buttonPicture::Bottom:
        s.PicLeft = centredLeft;
        s.PicTop = sh - kMargin - s.PicHeight - 1;
        break;
    }
    // The kept position is the unpressed one: a pressed face only draws it a pixel further.
    const int shift = look == buttonLook::Pressed ? 1 : 0;
    const int x = s.PicLeft + shift, y = s.PicTop + shift;
    if (picture.isIcon) {
        DrawIconEx(dc_, x, y, picture.icon, s.PicWidth, s.PicHeight, 0, nullptr, DI_NORMAL);
    } else if (look_.TransPicture) {
        TransparentBlt(dc_, x, y, s.PicWidth, s.PicHeight, picture.dc, 0, 0, picture.width, picture.height,
                       plainColor(look_.TransColor));
    } else {
        const int mode = SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, x, y, s.PicWidth, s.PicHeight, picture.dc, 0, 0, picture.width, picture.height,
                   SRCCOPY);
        SetStretchBltMode(dc_, mode);
    }
}

void ButtonPainter::text(const std::wstring& s, RECT rect, UINT format, COLORREF color) {
    SetTextColor(dc_, color);
    SetBkMode(dc_, TRANSPARENT);
    DrawTextW(dc_, s.c_str(), int(s.size()), &rect, format);
}

void ButtonPainter::DrawCaption(int look, const std::wstring& caption) {
    const int sw = width_, sh = height_;
    const ButtonState& s = state_;
    const int shift = look == buttonLook::Pressed ? 1 : 0;
    const int picTop = s.PicTop + shift;
    RECT rc{0, 0, 0, sh - 1};
    const std::int32_t align = look_.AlignmentPicture;
    const bool besideFitted =
        look_.PictureSize == buttonPicture::Fitted && sw - s.PicWidth - 2 * kMargin - 1 >= kCaptionRoom;
    if (look_.PictureSize == buttonPicture::Whole || align == buttonPicture::Centre ||
        align == buttonPicture::Top || align == buttonPicture::Bottom) {
        rc.left = kMargin;
        rc.right = sw - 1 - kMargin;
        if (align == buttonPicture::Top) rc.top = s.PicHeight + picTop;
        if (align == buttonPicture::Bottom) rc.bottom = picTop - 1;
    } else if (look_.PictureSize == buttonPicture::Fitted && !besideFitted) {
        rc.left = kMargin;
        rc.right = sw - 1 - kMargin;
    } else if (align == buttonPicture::Left) {
        rc.left = s.PicWidth + kMargin + 1;
        rc.right = sw - 1 - kMargin;
    } else if (align == buttonPicture::Right) {
        rc.left = kMargin;
        rc.right = sw - 1 - kMargin - s.PicWidth - 1;
    }
    UINT format = kCaptionFormat;
    if (look_.AlignmentText == buttonText::Right) format |= DT_RIGHT;
    if (look_.AlignmentText == buttonText::Centre) format |= DT_CENTER;

    // Measured on a scratch context with the same font: the picture's context holds the image that
    // every repaint copies, and drawing the caption there would write it into the picture.
    int h = 0;
    {
        forms::MemoryDC scratch = forms::MemoryDC::compatibleWith(dc_);
        forms::ScopedSelect font(scratch.get(), GetCurrentObject(dc_, OBJ_FONT));
        RECT measure = rc;
        h = DrawTextW(scratch.get(), caption.c_str(), int(caption.size()), &measure, format | DT_CALCRECT);
    }
    rc.top = rc.top + (rc.bottom - rc.top - h) / 2 + 1;
    rc.bottom = sh - 1;
    if (look == buttonLook::Pressed) ShiftRect(rc, 1);
    ShiftRect(rc, 1);
    if (look_.Shadow)
        text(caption, rc, format, look_.Enabled ? plainColor(look_.ShadowColor) : kDisabledShadow);
    ShiftRect(rc, -1);
    text(caption, rc, format, look_.Enabled ? plainColor(look_.Forecolor) : kDisabledText);
}

} // namespace widgets
