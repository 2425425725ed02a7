#include "platform/forms/picture_file.h"

#include "platform/core/runtime_error.h"
#include "platform/core/system_handles.h"
#include "platform/forms/files.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace forms {

namespace {

std::vector<unsigned char> readHead(const std::wstring& path, DWORD size) {
    core::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raiseFileError(GetLastError());
    std::vector<unsigned char> head(size);
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), size, &read, nullptr)) raiseFileError(GetLastError());
    head.resize(read);
    return head;
}

void writeFile(const std::wstring& path, const std::vector<unsigned char>& data) {
    core::FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raiseFileError(GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
        written != data.size())
        throw core::RuntimeError(core::err::PathFileAccess);
}

template <class T>
void append(std::vector<unsigned char>& out, const T& value) {
    const auto* p = reinterpret_cast<const unsigned char*>(&value);
    out.insert(out.end(), p, p + sizeof value);
}

// The rows of a bitmap as 32-bit pixels, bottom row first (the DIB file order).
std::vector<uint32_t> bottomUpPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    WindowDC screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) !=
        height)
        throw core::RuntimeError(core::err::InvalidPicture);
    return pixels;
}

std::vector<unsigned char> bitmapFile(const StdPicture& picture) {
    const int w = picture.widthPixels(), h = picture.heightPixels();
    const std::vector<uint32_t> pixels = bottomUpPixels(picture.hBitmap(), w, h);
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = h;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(h));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::vector<unsigned char> out;
    out.reserve(file.bfSize);
    append(out, file);
    append(out, header);
    for (int y = 0; y < h; ++y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < w; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * w + x];
            out.push_back(static_cast<unsigned char>(p & 0xFF));
            out.push_back(static_cast<unsigned char>((p >> 8) & 0xFF));
            out.push_back(static_cast<unsigned char>((p >> 16) & 0xFF));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<unsigned char> iconFile(const StdPicture& picture) {
    const int w = picture.widthPixels(), h = picture.heightPixels();
    ICONINFO ii{};
    if (!GetIconInfo(picture.hIcon(), &ii)) throw core::RuntimeError(core::err::InvalidPicture);
    GdiBitmap mask(ii.hbmMask), colour(ii.hbmColor);
    std::vector<uint32_t> image, andMask;
    if (colour) {
        image = bottomUpPixels(colour.get(), w, h);
        andMask = bottomUpPixels(mask.get(), w, h);
    } else {
        // A monochrome icon keeps its AND mask above its XOR image in one bitmap twice as high.
        std::vector<uint32_t> both = bottomUpPixels(mask.get(), w, 2 * h);
        const auto half = both.begin() + static_cast<std::ptrdiff_t>(w) * h;
        image.assign(both.begin(), half);
        andMask.assign(half, both.end());
    }
    const size_t maskStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    std::vector<unsigned char> maskBits(maskStride * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (andMask[static_cast<size_t>(y) * w + x] & 0xFFFFFF)
                maskBits[static_cast<size_t>(y) * maskStride + static_cast<size_t>(x) / 8] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = 2 * h; // image and mask
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(image.size() * 4 + maskBits.size());
    const DWORD bytes = sizeof header + header.biSizeImage;

    std::vector<unsigned char> out;
    append(out, uint16_t{0}); // reserved
    append(out, uint16_t{1}); // icon
    append(out, uint16_t{1}); // one image
    out.push_back(static_cast<unsigned char>(w < 256 ? w : 0));
    out.push_back(static_cast<unsigned char>(h < 256 ? h : 0));
    out.push_back(0);          // colour count
    out.push_back(0);          // reserved
    append(out, uint16_t{1});  // planes
    append(out, uint16_t{32}); // bits per pixel
    append(out, static_cast<uint32_t>(bytes));
    append(out, uint32_t{6 + 16}); // the image follows the directory
    append(out, header);
    for (uint32_t p : image) append(out, p);
    out.insert(out.end(), maskBits.begin(), maskBits.end());
    return out;
}

} // namespace

std::shared_ptr<StdPicture> LoadPicture(const std::wstring& path) {
    if (path.empty()) return StdPicture::empty();
    const std::vector<unsigned char> head = readHead(path, 22);
    if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') {
        HANDLE bitmap =
            LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (!bitmap) throw core::RuntimeError(core::err::InvalidPicture);
        return StdPicture::fromBitmap(static_cast<HBITMAP>(bitmap));
    }
    if (head.size() >= 22 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0 &&
        (head[4] | head[5]) != 0) {
        const int w = head[6] ? head[6] : 256, h = head[7] ? head[7] : 256;
        HANDLE icon = LoadImageW(nullptr, path.c_str(), IMAGE_ICON, w, h, LR_LOADFROMFILE);
        if (!icon) throw core::RuntimeError(core::err::InvalidPicture);
        return StdPicture::fromIcon(static_cast<HICON>(icon));
    }
    throw core::RuntimeError(core::err::InvalidPicture);
}

void SavePicture(const StdPicture& picture, const std::wstring& path) {
    if (picture.widthPixels() <= 0 || picture.heightPixels() <= 0)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    switch (picture.Type()) {
    case PictureType::Bitmap:
        writeFile(path, bitmapFile(picture));
        return;
    case PictureType::Icon:
        writeFile(path, iconFile(picture));
        return;
    default:
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    }
}

} // namespace forms
