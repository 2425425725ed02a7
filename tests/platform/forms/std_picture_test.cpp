#include "platform/forms/std_picture.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

// A bitmap of a size, filled with one colour.
HBITMAP solidBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    MemoryDC dc = MemoryDC::compatibleWith(nullptr);
    ScopedSelect select(dc.get(), bitmap);
    GdiBrush brush(CreateSolidBrush(colour));
    RECT r{0, 0, width, height};
    FillRect(dc.get(), &r, brush.get());
    return bitmap;
}

} // namespace

TEST(FormsStdPicture, EmptyPictureIsNotNoPicture) {
    auto empty = StdPicture::empty();
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Type(), PictureType::None);
    EXPECT_EQ(empty->Handle(), 0u);
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(StdPicture::fromBitmap(nullptr)->Type(), PictureType::None);
    EXPECT_EQ(StdPicture::loadBitmap(4711), nullptr); // no such resource: no picture
}

TEST(FormsStdPicture, BitmapSizesInPixelsAndHimetric) {
    HBITMAP bitmap = solidBitmap(32, 16, RGB(1, 2, 3));
    auto picture = StdPicture::fromBitmap(bitmap);
    EXPECT_EQ(picture->Type(), PictureType::Bitmap);
    EXPECT_EQ(picture->hBitmap(), bitmap);
    EXPECT_EQ(picture->Handle(), static_cast<uint32_t>(reinterpret_cast<uintptr_t>(bitmap)));
    EXPECT_EQ(picture->widthPixels(), 32);
    EXPECT_EQ(picture->heightPixels(), 16);
    EXPECT_EQ(picture->Width(), 847); // 32 px at 96 dpi
    EXPECT_EQ(picture->Height(), 423);
    EXPECT_EQ(StdPicture::himetricToPixels(picture->Width(), 96), 32);
}

TEST(FormsStdPicture, PictureOwnsWhatItTookOver) {
    HBITMAP bitmap = solidBitmap(4, 4, RGB(0, 0, 0));
    { auto picture = StdPicture::fromBitmap(bitmap); }
    BITMAP info;
    EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), 0); // deleted with the picture

    HBITMAP kept = solidBitmap(4, 4, RGB(0, 0, 0));
    {
        auto copy = StdPicture::copyOfBitmap(kept);
        EXPECT_NE(copy->hBitmap(), kept);
    }
    EXPECT_NE(GetObjectW(kept, sizeof info, &info), 0); // a copy leaves the original alone
    DeleteObject(kept);
}

TEST(FormsStdPicture, BitmapsFromResources) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto check = StdPicture::loadBitmap(32760, user32); // the check mark of menus
    ASSERT_TRUE(check);
    EXPECT_EQ(check->Type(), PictureType::Bitmap);
    EXPECT_GT(check->widthPixels(), 0);
    EXPECT_EQ(StdPicture::loadBitmap(L"NO_SUCH_BITMAP", user32), nullptr);
}

TEST(FormsStdPicture, IconsFromResourcesAndHandles) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto icon = StdPicture::loadIcon(32512, user32, 32); // the application icon
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Type(), PictureType::Icon);
    EXPECT_EQ(icon->widthPixels(), 32);
    EXPECT_EQ(icon->heightPixels(), 32);
    EXPECT_NE(icon->Handle(), 0u);
    auto shared = StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_APPLICATION));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->Type(), PictureType::Icon);
    EXPECT_GT(shared->widthPixels(), 0);
}

TEST(FormsStdPicture, RenderStretchesAndTakesAPart) {
    // left half red, right half blue
    HBITMAP bitmap = solidBitmap(8, 4, RGB(255, 0, 0));
    {
        MemoryDC dc = MemoryDC::compatibleWith(nullptr);
        ScopedSelect select(dc.get(), bitmap);
        GdiBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
        RECT r{4, 0, 8, 4};
        FillRect(dc.get(), &r, blue.get());
    }
    auto picture = StdPicture::fromBitmap(bitmap);
    HDC screen = GetDC(nullptr);
    GdiBitmap target(CreateCompatibleBitmap(screen, 40, 40));
    ReleaseDC(nullptr, screen);
    MemoryDC dc = MemoryDC::compatibleWith(nullptr);
    ScopedSelect select(dc.get(), target.get());
    picture->render(dc.get(), 0, 0, 16, 8); // doubled
    EXPECT_EQ(GetPixel(dc.get(), 7, 7), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 8, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc.get(), 15, 7), RGB(0, 0, 255));
    picture->render(dc.get(), 20, 20, 4, 4, 4, 0, 4, 4); // right half only
    EXPECT_EQ(GetPixel(dc.get(), 20, 20), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc.get(), 23, 23), RGB(0, 0, 255));
}
