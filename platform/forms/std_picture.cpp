#include "platform/forms/std_picture.h"

#include "platform/forms/std_font.h"

namespace forms {

namespace {

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    GdiBitmap mask(info.hbmMask), colour(info.hbmColor);
    if (colour) return bitmapSize(colour.get());
    SIZE size = bitmapSize(mask.get());
    size.cy /= 2; // a monochrome icon keeps its AND and XOR masks one above the other
    return size;
}

} // namespace

std::shared_ptr<StdPicture> StdPicture::empty() {
    return std::make_shared<StdPicture>();
}

std::shared_ptr<StdPicture> StdPicture::fromBitmap(HBITMAP bitmap) {
    auto picture = std::make_shared<StdPicture>();
    if (!bitmap) return picture;
    SIZE size = bitmapSize(bitmap);
    picture->type_ = PictureType::Bitmap;
    picture->bitmap_.reset(bitmap);
    picture->width_ = size.cx;
    picture->height_ = size.cy;
    return picture;
}

std::shared_ptr<StdPicture> StdPicture::fromIcon(HICON icon) {
    auto picture = std::make_shared<StdPicture>();
    if (!icon) return picture;
    SIZE size = iconSize(icon);
    picture->type_ = PictureType::Icon;
    picture->icon_.reset(icon);
    picture->width_ = size.cx;
    picture->height_ = size.cy;
    return picture;
}

std::shared_ptr<StdPicture> StdPicture::copyOfBitmap(HBITMAP bitmap) {
    if (!bitmap) return empty();
    // A DIB section copy keeps the pixels whatever DC the original is selected into.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return copy ? fromBitmap(copy) : nullptr;
}

std::shared_ptr<StdPicture> StdPicture::copyOfIcon(HICON icon) {
    if (!icon) return empty();
    HICON copy = CopyIcon(icon);
    return copy ? fromIcon(copy) : nullptr;
}

std::shared_ptr<StdPicture> StdPicture::loadBitmap(const wchar_t* name, HINSTANCE module) {
    if (!module) module = GetModuleHandleW(nullptr);
    HANDLE bitmap = LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    return bitmap ? fromBitmap(static_cast<HBITMAP>(bitmap)) : nullptr;
}

std::shared_ptr<StdPicture> StdPicture::loadBitmap(int id, HINSTANCE module) {
    return loadBitmap(MAKEINTRESOURCEW(id), module);
}

std::shared_ptr<StdPicture> StdPicture::loadIcon(const wchar_t* name, HINSTANCE module, int size) {
    if (!module) module = GetModuleHandleW(nullptr);
    // Without LR_SHARED the icon is ours to destroy.
    HANDLE icon = LoadImageW(module, name, IMAGE_ICON, size, size, size ? 0 : LR_DEFAULTSIZE);
    if (!icon) return nullptr;
    if (!size) return fromIcon(static_cast<HICON>(icon));
    // Made at the size asked for: no need to ask the icon (which copies both its bitmaps).
    auto picture = std::make_shared<StdPicture>();
    picture->type_ = PictureType::Icon;
    picture->icon_.reset(static_cast<HICON>(icon));
    picture->width_ = picture->height_ = size;
    return picture;
}

std::shared_ptr<StdPicture> StdPicture::loadIcon(int id, HINSTANCE module, int size) {
    return loadIcon(MAKEINTRESOURCEW(id), module, size);
}

uint32_t StdPicture::Handle() const noexcept {
    switch (type_) {
    case PictureType::Bitmap:
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(bitmap_.get()));
    case PictureType::Icon:
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(icon_.get()));
    default:
        return 0;
    }
}

int32_t StdPicture::pixelsToHimetric(int pixels, int dpi) {
    return MulDiv(pixels, 2540, dpi);
}
int StdPicture::himetricToPixels(int32_t himetric, int dpi) {
    return MulDiv(himetric, dpi, 2540);
}

int32_t StdPicture::Width() const noexcept {
    return pixelsToHimetric(width_, StdFont::screenDpi());
}
int32_t StdPicture::Height() const noexcept {
    return pixelsToHimetric(height_, StdFont::screenDpi());
}

void StdPicture::render(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                        int srcHeight) const {
    if (type_ == PictureType::None || !dc || width == 0 || height == 0) return;
    if (type_ == PictureType::Bitmap) {
        MemoryDC source = MemoryDC::compatibleWith(dc);
        ScopedSelect select(source.get(), bitmap_.get());
        int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, width, height, source.get(), srcX, srcY, srcWidth, srcHeight, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
        return;
    }
    bool whole = srcX == 0 && srcY == 0 && srcWidth == width_ && srcHeight == height_;
    if (whole && width > 0 && height > 0) {
        DrawIconEx(dc, x, y, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    // A part of an icon, or a mirrored one: the AND mask then the colour image, as icons are drawn.
    ICONINFO info{};
    if (!GetIconInfo(icon_.get(), &info)) return;
    GdiBitmap mask(info.hbmMask), colour(info.hbmColor);
    MemoryDC source = MemoryDC::compatibleWith(dc);
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        ScopedSelect select(source.get(), mask.get());
        StretchBlt(dc, x, y, width, height, source.get(), srcX, srcY, srcWidth, srcHeight, SRCAND);
        if (!colour)
            StretchBlt(dc, x, y, width, height, source.get(), srcX, srcY + height_, srcWidth, srcHeight,
                       SRCINVERT);
    }
    if (colour) {
        ScopedSelect select(source.get(), colour.get());
        StretchBlt(dc, x, y, width, height, source.get(), srcX, srcY, srcWidth, srcHeight, SRCINVERT);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SetStretchBltMode(dc, oldMode);
}

} // namespace forms
