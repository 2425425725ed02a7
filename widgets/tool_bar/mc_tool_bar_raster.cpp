#include "widgets/tool_bar/mc_tool_bar_raster.h"

#include "platform/core/ole_color.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/gdi.h"
#include "platform/forms/std_picture.h"
#include "widgets/shared/list_color.h"
#include "widgets/shared/list_gradient.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace widgets::toolbar {

namespace {

// A bitmap's pixels as packed 24-bit rows, bottom row first. The bitmap must not be selected into
// a device context while it is read.
struct PackedBits {
    BITMAPINFO info{};
    std::vector<std::uint8_t> bits;
    long stride = 0;

    bool read(HBITMAP bitmap) {
        BITMAP shape{};
        if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape) || shape.bmWidth < 1 || shape.bmHeight < 1)
            return false;
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = shape.bmWidth;
        info.bmiHeader.biHeight = shape.bmHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        stride = (3 * shape.bmWidth + 3) & ~3L;
        bits.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(shape.bmHeight), 0);
        const forms::MemoryDC dc = forms::MemoryDC::compatibleWith(nullptr);
        return dc.get() && GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(shape.bmHeight), bits.data(),
                                     &info, DIB_RGB_COLORS) == shape.bmHeight;
    }
    long width() const { return info.bmiHeader.biWidth; }
    long height() const { return info.bmiHeader.biHeight; }

    void toGrey() {
        for (long row = 0; row < height(); ++row) {
            std::uint8_t* p = bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(stride);
            for (long x = 0; x < width(); ++x, p += 3) {
                const auto grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
                p[0] = p[1] = p[2] = grey;
            }
        }
    }
    bool put(HDC dc, long left, long top, long w, long h, DWORD rop) const {
        const int lines = StretchDIBits(dc, left, top, w, h, 0, 0, width(), height(), bits.data(), &info,
                                        DIB_RGB_COLORS, rop);
        return lines != 0 && lines != static_cast<int>(GDI_ERROR);
    }
};

} // namespace

long TranslateColor(long colour, HPALETTE palette) {
    COLORREF rgb = 0;
    if (core::oleTranslateColor(static_cast<std::uint32_t>(colour), palette, &rgb) != S_OK) return 0;
    return static_cast<long>(rgb);
}

long BlendColor(long colourFrom, long colourTo, long alpha) {
    return widgets::BlendColor(colourFrom, colourTo, alpha, &TranslateColor);
}

bool IsDelim(const std::wstring& character) {
    if (character.empty()) throw core::RuntimeError(core::err::InvalidProcedureCall);
    const wchar_t code = character[0];
    return !((code >= L'A' && code <= L'Z') || code == L'_' || (code >= L'a' && code <= L'z'));
}

void DrawGradient(HDC dc, long x, long y, long width, long height, long colour1, long colour2, long style,
                  bool swap) {
    if (style == gradient::None) return;
    if (colour1 == colour2) {
        const COLORREF solid = static_cast<COLORREF>(TranslateColor(colour1));
        forms::GdiPen pen(CreatePen(PS_SOLID, 1, solid));
        forms::GdiBrush brush(CreateSolidBrush(solid));
        forms::ScopedSelect usePen(dc, pen.get());
        forms::ScopedSelect useBrush(dc, brush.get());
        Rectangle(dc, x, y, x + width, y + height);
        return;
    }
    const long first = TranslateColor(swap ? colour2 : colour1);
    const long second = TranslateColor(swap ? colour1 : colour2);
    DrawGradientRamp(dc, x, y, width, height, first, second, style);
}

bool TilePicture(const forms::StdPicture* picture, HDC dc, long left, long top, long right, long bottom) {
    if (!picture || picture->Type() != forms::PictureType::Bitmap) return false;
    PackedBits tile;
    if (!tile.read(picture->hBitmap())) return false;
    // The pattern brush takes the header and the rows in one block.
    std::vector<std::uint8_t> packed(sizeof(BITMAPINFOHEADER) + tile.bits.size());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&tile.info.bmiHeader), sizeof(BITMAPINFOHEADER),
                packed.begin());
    std::copy(tile.bits.begin(), tile.bits.end(), packed.begin() + sizeof(BITMAPINFOHEADER));
    forms::GdiBrush brush(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
    if (!brush) return false;
    POINT was{};
    SetBrushOrgEx(dc, left, top, &was);
    const RECT area{left, top, right, bottom};
    FillRect(dc, &area, brush.get());
    SetBrushOrgEx(dc, was.x, was.y, nullptr);
    return false;
}

bool PaintGrayScale(HDC dc, HANDLE picture, long left, long top, long width, long height) {
    HBITMAP colour = static_cast<HBITMAP>(picture);
    forms::GdiBitmap iconColour, iconMask;
    const bool icon = GetObjectType(picture) == 0;
    if (icon) {
        ICONINFO info{};
        if (!GetIconInfo(static_cast<HICON>(picture), &info)) return false;
        iconColour.reset(info.hbmColor);
        iconMask.reset(info.hbmMask);
        colour = info.hbmColor;
    }
    PackedBits grey;
    if (!grey.read(colour)) return false;
    if (width == -1) width = grey.width();
    if (height == -1) height = grey.height();
    grey.toGrey();
    if (!icon) return grey.put(dc, left, top, width, height, SRCCOPY);
    PackedBits mask;
    if (!mask.read(iconMask.get())) return false;
    mask.put(dc, left, top, width, height, SRCAND);
    return grey.put(dc, left, top, width, height, SRCPAINT);
}

} // namespace widgets::toolbar
