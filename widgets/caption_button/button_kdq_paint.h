// The painting of the captioned button: a face in one of five looks made of lines, single pixels
// and colour ramps, then the picture, then the caption with its shadow, on any device context of a
// given pixel size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace widgets {

// The looks a face is painted in.
namespace buttonLook {
inline constexpr int Normal = 0;
inline constexpr int Focused = 1;
inline constexpr int Hot = 2;
inline constexpr int Pressed = 3;
inline constexpr int Disabled = 4;
} // namespace buttonLook

// Where the pointer and the left button leave the button.
namespace buttonMouse {
inline constexpr std::int32_t Normal = 0;
inline constexpr std::int32_t HeldOutside = 1; // left button held, pointer dragged out
inline constexpr std::int32_t Hover = 2;
inline constexpr std::int32_t Pressed = 3; // left button held inside, or Space held
} // namespace buttonMouse

// PictureSize and AlignmentPicture.
namespace buttonPicture {
inline constexpr std::int32_t Size16 = 0;
inline constexpr std::int32_t Size32 = 1;
inline constexpr std::int32_t Size64 = 2;
inline constexpr std::int32_t Whole = 3;
inline constexpr std::int32_t Fitted = 4;
inline constexpr std::int32_t Custom = 5;
inline constexpr std::int32_t Left = 0;
inline constexpr std::int32_t Right = 1;
inline constexpr std::int32_t Centre = 2;
inline constexpr std::int32_t Top = 3;
inline constexpr std::int32_t Bottom = 4;
} // namespace buttonPicture

// AlignmentText: where the caption sits across the face.
namespace buttonText {
inline constexpr std::int32_t Left = 0;
inline constexpr std::int32_t Right = 1;
inline constexpr std::int32_t Centre = 2;
} // namespace buttonText

// The stored properties the painting reads.
struct ButtonLook {
    std::int32_t ButtonStyle = 0;
    bool Enabled = true;
    bool TiengViet = true;
    std::wstring Caption;
    std::uint32_t Forecolor = 0;
    std::uint32_t ShadowColor = 0;
    bool Shadow = true;
    std::int32_t AlignmentText = buttonText::Centre;
    std::int32_t AlignmentPicture = 0;
    std::int32_t PictureSize = 1;
    bool TransPicture = true;
    std::uint32_t TransColor = 0xFFFFFF;
    std::int32_t PictureWidth = 32;
    std::int32_t PictureHeight = 32;
};

// The run-time state: pointer and keys, and the picture's place kept between repaints (its
// position unpressed; a pressed face draws it one pixel right and down).
struct ButtonState {
    bool SpaceDown = false;
    std::int32_t MouseState = buttonMouse::Normal;
    bool HasFocus = false;
    std::int16_t LastButton = 0;
    std::int32_t PicLeft = 0, PicTop = 0, PicWidth = 0, PicHeight = 0;

    // The look the state shows (before Enabled is taken into account).
    int look() const;
};

// The picture to draw: its kind and handle, and a device context that holds its image at its own
// size (for bitmaps).
struct ButtonPictureSource {
    bool isIcon = false;
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
    HDC dc = nullptr;
    int width = 0, height = 0;

    bool present() const { return isIcon ? icon != nullptr : bitmap != nullptr; }
};

class ButtonPainter {
public:
    // dc has the button's font selected; width and height are the surface's pixel size.
    ButtonPainter(HDC dc, int width, int height, const ButtonLook& look, ButtonState& state)
        : dc_(dc), width_(width), height_(height), look_(look), state_(state) {}

    // Clears to the background and paints face, picture and caption; text is the caption as shown.
    void Redraw(std::uint32_t background, const ButtonPictureSource& picture, const std::wstring& text);

    void DrawFace(int look);
    void DrawBody(int look);
    void DrawPicture(int look, const ButtonPictureSource& picture);
    void DrawCaption(int look, const std::wstring& text);

    // The pixel and its mirror images in the other three corners.
    void PSetR(std::int16_t x, std::int16_t y, std::uint32_t color);
    // One pixel per colour of the ramp from c1 to c2 along a row or a column, the end left out.
    void LineXG(std::int16_t x1, std::int16_t y, std::int16_t x2, std::uint32_t c1, std::uint32_t c2);
    void LineYG(std::int16_t x, std::int16_t y1, std::int16_t y2, std::uint32_t c1, std::uint32_t c2);

private:
    HDC dc_;
    int width_, height_;
    const ButtonLook& look_;
    ButtonState& state_;

    void line(int x1, int y1, int x2, int y2, COLORREF color);
    void point(int x, int y, COLORREF color);
    void text(const std::wstring& s, RECT rect, UINT format, COLORREF color);
};

// Fits a size into a box keeping its aspect ratio; an empty source gives 0 x 0.
void SignPic(std::int32_t wSrc, std::int32_t hSrc, std::int32_t wDes, std::int32_t hDes,
             std::int32_t& wResult, std::int32_t& hResult);

} // namespace widgets
