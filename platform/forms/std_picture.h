#pragma once

#include "platform/core/variant.h"
#include "platform/forms/gdi.h"

#include <cstdint>
#include <memory>
#include <string>

namespace forms {

enum class PictureType : int16_t { None = 0, Bitmap = 1, Icon = 3 };

// The standard picture object: no image, a bitmap or an icon, owned by the picture.
//
// "No picture" is a null shared_ptr<StdPicture>; an empty picture object (PictureType::None, handle 0,
// size 0) is a different thing, as on the platform. Width and Height are in HIMETRIC (0.01 mm) at the
// screen's DPI, widthPixels()/heightPixels() in pixels.
class StdPicture : public core::VariantObject {
public:
    StdPicture() = default;
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    static std::shared_ptr<StdPicture> empty();
    // Takes over the handle; null gives an empty picture.
    static std::shared_ptr<StdPicture> fromBitmap(HBITMAP bitmap);
    static std::shared_ptr<StdPicture> fromIcon(HICON icon);
    // A copy of a handle the caller keeps (a shared icon, a bitmap still selected somewhere).
    static std::shared_ptr<StdPicture> copyOfBitmap(HBITMAP bitmap);
    static std::shared_ptr<StdPicture> copyOfIcon(HICON icon);
    // From the program's resources (the module of the process when null). Null when there is no such
    // resource.
    static std::shared_ptr<StdPicture> loadBitmap(int id, HINSTANCE module = nullptr);
    static std::shared_ptr<StdPicture> loadBitmap(const wchar_t* name, HINSTANCE module = nullptr);
    // The icon image for the system's icon size, or for the size asked for.
    static std::shared_ptr<StdPicture> loadIcon(int id, HINSTANCE module = nullptr, int size = 0);
    static std::shared_ptr<StdPicture> loadIcon(const wchar_t* name, HINSTANCE module = nullptr,
                                                int size = 0);

    PictureType Type() const noexcept { return type_; }
    // The GDI handle as the platform shows it (a bitmap or icon handle, 0 for none).
    uint32_t Handle() const noexcept;

    // VariantObject
    std::wstring variantText() const override { return std::to_wstring(Handle()); }
    HBITMAP hBitmap() const noexcept { return bitmap_.get(); }
    HICON hIcon() const noexcept { return icon_.get(); }
    int32_t Width() const noexcept;
    int32_t Height() const noexcept;
    int widthPixels() const noexcept { return width_; }
    int heightPixels() const noexcept { return height_; }

    // Draws the picture, or the part srcX/srcY/srcWidth/srcHeight of it (pixels of the picture), into
    // the rectangle x, y, width, height of a DC, stretching as needed. Icons keep their transparent
    // parts; bitmaps are copied. A negative width or height mirrors. Nothing for an empty picture.
    void render(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                int srcHeight) const;
    void render(HDC dc, int x, int y, int width, int height) const {
        render(dc, x, y, width, height, 0, 0, width_, height_);
    }

    static int32_t pixelsToHimetric(int pixels, int dpi);
    static int himetricToPixels(int32_t himetric, int dpi);

private:
    PictureType type_ = PictureType::None;
    GdiBitmap bitmap_;
    GdiIcon icon_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace forms
