#include "widgets/combo_box/combo_picture.h"

#include "platform/forms/gdi.h"
#include "platform/forms/std_picture.h"

#include <vector>

namespace widgets {

namespace {

// The picture flattened over the key colour on a 32-bit top-down image in memory.
struct Flattened {
    forms::MemoryDC dc;
    forms::GdiBitmap bitmap;
    uint32_t* bits = nullptr;
    int width = 0, height = 0;
};

Flattened makeImage(HDC like, int width, int height) {
    Flattened f;
    f.width = width;
    f.height = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    f.dc = forms::MemoryDC::compatibleWith(like);
    f.bitmap.reset(CreateDIBSection(f.dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    f.bits = static_cast<uint32_t*>(bits);
    return f;
}

// 0x00RRGGBB as the image holds it.
constexpr uint32_t imagePixel(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

} // namespace

void DrawTransparentPicture(const forms::StdPicture& picture, HDC dc, int x, int y, bool enabled, int height,
                            int width) {
    const int w = picture.widthPixels(), h = picture.heightPixels();
    if (w <= 0 || h <= 0 || picture.Type() == forms::PictureType::None) return;
    Flattened image = makeImage(dc, w, h);
    if (!image.bits) return;
    const uint32_t key = imagePixel(PictureKeyColor);
    {
        forms::ScopedSelect use(image.dc.get(), image.bitmap.get());
        std::fill(image.bits, image.bits + static_cast<size_t>(w) * h, key);
        if (enabled) {
            picture.render(image.dc.get(), 0, 0, w, h);
        } else if (picture.Type() == forms::PictureType::Icon) {
            DrawStateW(image.dc.get(), nullptr, nullptr, reinterpret_cast<LPARAM>(picture.hIcon()), 0, 0, 0,
                       w, h, DST_ICON | DSS_DISABLED);
        } else {
            // The greyed drawing leaves white out; the key colour must stay see-through too.
            Flattened copy = makeImage(dc, w, h);
            if (!copy.bits) return;
            {
                forms::ScopedSelect useCopy(copy.dc.get(), copy.bitmap.get());
                picture.render(copy.dc.get(), 0, 0, w, h);
                GdiFlush();
                for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
                    if ((copy.bits[i] & 0xFFFFFF) == key) copy.bits[i] = 0xFFFFFF;
            }
            DrawStateW(image.dc.get(), nullptr, nullptr, reinterpret_cast<LPARAM>(copy.bitmap.get()), 0, 0, 0,
                       w, h, DST_BITMAP | DSS_DISABLED);
        }
        GdiFlush();
    }
    // The mask (white where the key shows) and the colours (black there), then AND and XOR onto the
    // destination.
    std::vector<uint32_t> colours(image.bits, image.bits + static_cast<size_t>(w) * h);
    for (size_t i = 0; i < colours.size(); ++i) {
        const bool see = (image.bits[i] & 0xFFFFFF) == key;
        image.bits[i] = see ? 0xFFFFFF : 0;
        colours[i] = see ? 0 : colours[i] & 0xFFFFFF;
    }
    forms::ScopedSelect use(image.dc.get(), image.bitmap.get());
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, width, height, image.dc.get(), 0, 0, w, h, SRCAND);
    GdiFlush();
    std::copy(colours.begin(), colours.end(), image.bits);
    StretchBlt(dc, x, y, width, height, image.dc.get(), 0, 0, w, h, SRCINVERT);
    SetStretchBltMode(dc, oldMode);
}

} // namespace widgets
