#pragma once

#include "platform/core/constants.h"

#include "platform/forms/gdi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace forms {

class StdFont;
class StdPicture;

// How Line draws: from point to point, a box outline through both corners, or a filled box.
enum class LineShape { Line, Box, FilledBox };

// Scale modes the surfaces support (the platform's numbers).

// The persistent drawing surface of a form, a user control or a picture box: a memory DC holding a
// 32-bit top-down DIB section. Everything drawn stays in the image; the window that shows the
// surface copies it on paint (paint()) and repaints whenever onChanged tells it the image changed.
// A surface needs no window, so drawing can be tested on the memory DC alone.
//
// Coordinates and sizes are in the current ScaleMode: pixels (3, the default) or twips (1).
// Colours are OLE colours (0x00BBGGRR, or a system colour with the top bit set); a colour argument of
// defaultColour (or -1) means ForeColor.
//
// The DC from hDC() has the current font (which follows changes of the font object at once), a pen
// of ForeColor at DrawWidth, the fill brush (hollow unless FillStyle is solid), ForeColor as text
// colour and a transparent background, so raw GDI calls draw as the surface's own methods do. Code
// that selects its own objects into it must select the previous ones back before deleting them
// (ScopedSelect). onChanged is called when hDC() is handed out: owners invalidate, never paint
// synchronously, so the paint comes after the raw drawing.
class Surface {
public:
    static constexpr uint32_t defaultColour = 0xFFFFFFFFu;

    // A surface of the given size in pixels, filled with BackColor (button face by default).
    explicit Surface(int width = 0, int height = 0);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // --- Size and pixels
    // Keeps what was drawn; the new area gets the back colour (and the background picture).
    void resize(int width, int height);
    int widthPixels() const noexcept { return width_; }
    int heightPixels() const noexcept { return height_; }
    // The pixels, top-down, one 32-bit 0x00RRGGBB value per pixel, row after row (stride = width).
    // Null for a surface of no size. Call GdiFlush() before reading what GDI drew.
    const uint32_t* pixels() const;
    // The colour of a pixel as 0x00BBGGRR, or defaultColour outside the image.
    uint32_t pixel(int x, int y) const;

    // --- Showing
    // Called whenever the image may have changed (each drawing method, Cls, property changes that
    // erase, hDC() handed out, resize); the window owner invalidates itself.
    std::function<void()> onChanged;
    // Copies the image to a DC: the part `area` of the image (all of it when null) to the same place.
    void paint(HDC target, const RECT* area = nullptr) const;
    // Tells the owner to show the image now (the platform's Refresh).
    void Refresh();

    // --- Properties
    uint32_t BackColor() const noexcept { return backColor_; }
    // Erases the image to the new colour (and the background picture).
    void setBackColor(uint32_t colour);
    uint32_t ForeColor() const noexcept { return foreColor_; }
    void setForeColor(uint32_t colour);
    uint32_t FillColor() const noexcept { return fillColor_; }
    void setFillColor(uint32_t colour);
    // 0 solid, 1 transparent (the default), 2 to 7 hatched.
    int16_t FillStyle() const noexcept { return fillStyle_; }
    void setFillStyle(int16_t style);
    // Pen width in pixels, 1 or more.
    int16_t DrawWidth() const noexcept { return drawWidth_; }
    void setDrawWidth(int16_t width);
    const std::shared_ptr<StdFont>& Font() const noexcept { return font_; }
    // The surface draws with this font object from now on, and follows its later changes.
    void setFont(std::shared_ptr<StdFont> font);
    // Whether Print leaves the background behind the text (True) or fills it with BackColor.
    bool FontTransparent() const noexcept { return fontTransparent_; }
    void setFontTransparent(bool transparent) { fontTransparent_ = transparent; }
    float CurrentX() const noexcept { return currentX_; }
    void setCurrentX(float x) noexcept { currentX_ = x; }
    float CurrentY() const noexcept { return currentY_; }
    void setCurrentY(float y) noexcept { currentY_ = y; }
    int16_t ScaleMode() const noexcept { return scaleMode_; }
    // scale::Pixels or scale::Twips; CurrentX/CurrentY are converted to the new unit.
    void setScaleMode(int16_t mode);
    float ScaleWidth() const noexcept;
    float ScaleHeight() const noexcept;
    // Converts a width or height between units (scale::Twips, scale::Pixels, scale::Himetric).
    float ScaleX(float value, int16_t from, int16_t to) const;
    float ScaleY(float value, int16_t from, int16_t to) const;

    // The background picture, drawn at the top left by Cls. Setting it erases the image to the back
    // colour and the new picture. No picture is null.
    const std::shared_ptr<StdPicture>& Picture() const noexcept { return picture_; }
    void setPicture(std::shared_ptr<StdPicture> picture);
    // A copy of the image as it is now.
    std::shared_ptr<StdPicture> Image() const;

    // --- Drawing
    // Fills the image with the back colour and the background picture; CurrentX = CurrentY = 0.
    void Cls();
    // Line leaves out its end point; Box and FilledBox include both corners (Box is filled by
    // FillStyle/FillColor, FilledBox with the line's colour). CurrentX/Y move to (x2, y2).
    void Line(float x1, float y1, float x2, float y2, uint32_t colour = defaultColour,
              LineShape shape = LineShape::Line);
    // A dot of DrawWidth pixels across; CurrentX/Y move to the point.
    void PSet(float x, float y, uint32_t colour = defaultColour);
    // The colour of the pixel at a point (0x00BBGGRR), -1 outside the image.
    int32_t Point(float x, float y) const;
    // Outline in the colour at DrawWidth, filled by FillStyle/FillColor. CurrentX/Y move to the centre.
    void Circle(float x, float y, float radius, uint32_t colour = defaultColour);
    // Text at CurrentX/CurrentY in Font and ForeColor; line breaks (CR LF, CR or LF) start new lines at
    // x 0. Afterwards CurrentX is 0 and CurrentY is below the last line; with keepLine (the trailing
    // semicolon) CurrentX is after the text and CurrentY stays on its last line.
    void Print(const std::wstring& text, bool keepLine = false);
    // Size of text in the current font and unit; several lines: the widest, and the lines' heights.
    float TextWidth(const std::wstring& text) const;
    float TextHeight(const std::wstring& text) const;
    // Draws a picture at (x, y). The source part (in the current unit) defaults to the whole picture;
    // without width/height it is drawn at its own size, else stretched (negative sizes mirror).
    void PaintPicture(const StdPicture& picture, float x, float y, std::optional<float> width = {},
                      std::optional<float> height = {}, std::optional<float> srcX = {},
                      std::optional<float> srcY = {}, std::optional<float> srcWidth = {},
                      std::optional<float> srcHeight = {});

    // The memory DC, ready for raw GDI drawing (see above). Tells the owner the image may change.
    HDC hDC();
    // Twips per pixel of the screen (15 at 96 dpi).
    static float twipsPerPixel();

private:
    MemoryDC dc_;
    GdiBitmap bitmap_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;

    uint32_t backColor_;
    uint32_t foreColor_;
    uint32_t fillColor_ = 0;
    int16_t fillStyle_ = 1;
    int16_t drawWidth_ = 1;
    int16_t scaleMode_ = core::scale::Pixels;
    bool fontTransparent_ = true;
    float currentX_ = 0;
    float currentY_ = 0;
    std::shared_ptr<StdFont> font_;
    std::shared_ptr<StdPicture> picture_;

    GdiPen pen_;
    GdiBrush brush_;
    GdiFont fontHandle_; // made from Font, remade on each change of it
    int fontListener_ = 0;
    HGDIOBJ originalBitmap_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;

    void makeBitmap(int width, int height, GdiBitmap& bitmap, uint32_t*& bits) const;
    void erase(const RECT& area);
    void updatePen();
    void updateBrush();
    void updateTextColour();
    void selectFont();
    void watchFont(std::shared_ptr<StdFont> font);
    void changed();
    float toPixelsX(float value) const noexcept;
    float toPixelsY(float value) const noexcept;
    float fromPixelsX(float value) const noexcept;
    float fromPixelsY(float value) const noexcept;
    int lineHeight() const;
    COLORREF lineColour(uint32_t colour) const;
};

} // namespace forms
