// Pictures saved to files and loaded back, and files deleted.
#include "platform/forms/files.h"
#include "platform/forms/picture_file.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/surface.h"

#include "support/errors.h"

#include <gtest/gtest.h>

#include <string>

using namespace forms;

namespace {

std::wstring tempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

using testsupport::errorOf;

// A 5 x 3 bitmap: red top-left, blue bottom-right, the rest green.
std::shared_ptr<StdPicture> smallBitmap() {
    Surface s(5, 3);
    s.setBackColor(0x00FF00);
    s.PSet(0, 0, 0x0000FF);
    s.PSet(4, 2, 0xFF0000);
    return s.Image();
}

// A 16 x 16 colour icon whose left half is see-through.
std::shared_ptr<StdPicture> halfIcon() {
    Surface colour(16, 16), mask(16, 16);
    colour.setBackColor(0x0000C0);
    colour.Line(0, 0, 7, 15, 0x000000, LineShape::FilledBox);
    mask.setBackColor(0x000000);
    mask.Line(0, 0, 7, 15, 0xFFFFFF, LineShape::FilledBox);
    auto c = colour.Image(), m = mask.Image();
    GdiBitmap monoMask(CreateBitmap(16, 16, 1, 1, nullptr));
    {
        MemoryDC from = MemoryDC::compatibleWith(nullptr), to = MemoryDC::compatibleWith(nullptr);
        ScopedSelect a(from.get(), m->hBitmap()), b(to.get(), monoMask.get());
        BitBlt(to.get(), 0, 0, 16, 16, from.get(), 0, 0, SRCCOPY);
    }
    ICONINFO ii{TRUE, 0, 0, monoMask.get(), c->hBitmap()};
    return StdPicture::fromIcon(CreateIconIndirect(&ii));
}

TEST(FormsPictureFile, BitmapComesBackWithItsSizeAndPixels) {
    const std::wstring path = tempFile(L"vexa-picture-test.bmp");
    SavePicture(*smallBitmap(), path);
    auto back = LoadPicture(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Type(), PictureType::Bitmap);
    EXPECT_EQ(back->widthPixels(), 5);
    EXPECT_EQ(back->heightPixels(), 3);
    Surface s(5, 3);
    s.PaintPicture(*back, 0, 0);
    EXPECT_EQ(s.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(s.pixel(4, 2), 0xFF0000u);
    EXPECT_EQ(s.pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(s.pixel(4, 0), 0x00FF00u); // rows are not mirrored
    // Saving again replaces the file.
    SavePicture(*StdPicture::fromBitmap(CreateBitmap(2, 2, 1, 32, nullptr)), path);
    EXPECT_EQ(LoadPicture(path)->widthPixels(), 2);
    Kill(path);
    EXPECT_EQ(errorOf([&] { LoadPicture(path); }), 53);
    EXPECT_EQ(errorOf([&] { Kill(path); }), 53);
}

TEST(FormsPictureFile, IconKeepsItsTransparentPart) {
    const std::wstring path = tempFile(L"vexa-picture-test.ico");
    SavePicture(*halfIcon(), path);
    auto back = LoadPicture(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Type(), PictureType::Icon);
    EXPECT_EQ(back->widthPixels(), 16);
    EXPECT_EQ(back->heightPixels(), 16);
    Surface s(16, 16);
    s.setBackColor(0xFFFFFF);
    s.PaintPicture(*back, 0, 0);
    EXPECT_EQ(s.pixel(2, 8), 0xFFFFFFu);
    EXPECT_EQ(s.pixel(12, 8), 0x0000C0u);
    Kill(path);
}

TEST(FormsPictureFile, EmptyPathsEmptyPicturesAndOtherFiles) {
    auto none = LoadPicture();
    ASSERT_TRUE(none); // an empty picture object, not "no picture"
    EXPECT_EQ(none->Type(), PictureType::None);
    EXPECT_EQ(errorOf([&] { SavePicture(*none, tempFile(L"vexa-never.bmp")); }), 380);
    EXPECT_EQ(GetFileAttributesW(tempFile(L"vexa-never.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    const std::wstring text = tempFile(L"vexa-not-a-picture.bmp");
    HANDLE f = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, "plain text, no picture", 22, &n, nullptr);
    CloseHandle(f);
    EXPECT_EQ(errorOf([&] { LoadPicture(text); }), 481);
    Kill(text);
    EXPECT_EQ(errorOf([&] { SavePicture(*smallBitmap(), tempFile(L"no-such-folder\\x.bmp")); }), 76);
}

} // namespace
