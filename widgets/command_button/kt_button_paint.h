// The command button's stored look, its run-time flags, what painting derives and keeps, and the
// painter that draws the twelve styles onto a DC (a window's surface or a memory DC in tests).
#pragma once

#include "platform/core/constants.h"
#include "platform/forms/gdi.h"
#include "widgets/command_button/kt_button_palette.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace forms {
class StdFont;
class StdPicture;
} // namespace forms

namespace widgets {

// Button states as Redraw paints them.
namespace ktState {
inline constexpr long Current = -1;
inline constexpr long Normal = 0;
inline constexpr long Hot = 1;
inline constexpr long Down = 2;
inline constexpr long Disabled = 3;
} // namespace ktState

// What the button stores (the rows of its property table point here).
struct KtButtonLook {
    std::uint32_t BackColor = core::sysColor::ButtonFace;
    std::int32_t ButtonShape = 0;
    std::int32_t ButtonStyle = 6;
    std::wstring Caption;
    bool CheckBoxMode = false;
    std::int32_t SpecialEffect = 0;
    bool Enabled = true;
    std::shared_ptr<forms::StdFont> Font;
    std::uint32_t Forecolor = core::sysColor::ButtonText;
    bool HandPointer = false;
    std::uint32_t MaskColor = 0x00C0C0C0u;
    std::int32_t PictureAlignment = 4;
    std::shared_ptr<forms::StdPicture> PictureDown;
    std::shared_ptr<forms::StdPicture> PictureHot;
    std::shared_ptr<forms::StdPicture> PictureNormal;
    float PicOpacity = 1.0f; // a fraction; PictureOpacity shows it in percent
    std::int32_t PictureSize = 0;
    std::int32_t PictureSizeH = 0;
    std::int32_t PictureSizeW = 0;
    std::int32_t State = 0; // the state last painted (Redraw's request)
    bool UseMaskColor = true;
    bool Value = false;
};

// The run-time flags input sets and painting reads.
struct KtButtonState {
    bool focus = false;
    bool pressed = false;
    bool mouseHeld = false;
    bool spaceHeld = false;
    bool hot = false;
    bool tracking = false;
    bool parentActive = false;
    bool defaultButton = false;
    int lastButton = 0; // 1 left, 8 after a double click
    bool menuShowing = false;
    bool menuClosedOver = false;
    bool hidden = false;
    bool redrawSkipped = false; // a repaint asked for while hidden, made on Show
    bool paintedFocus = false;
    bool propertiesLoaded = false;
    bool popupMode = false;
    HMENU popupMenu = nullptr;
    long popupAlign = 0;
    long popupFlags = 0;
    std::optional<UINT> popupDefault;
    HCURSOR handCursor = nullptr;
};

// Derived at paint time; thrown away and rebuilt when the layout is dirty.
struct KtButtonCache {
    ktbutton::Palette P{};
    bool layoutDirty = true;
    RECT inner{};
    RECT caption{};
    RECT picture{};
    std::vector<POINT> outline;
    forms::GdiRegion region; // built by the painter, handed to the window by the control
};

class KtButtonPainter {
public:
    KtButtonPainter(HDC dc, int W, int H, const KtButtonLook& look, const KtButtonState& state,
                    KtButtonCache& cache);

    // Clears to the translated BackColor.
    void Cls();
    // Dispatch on ButtonStyle with the requested state (look.State); drawn gets the painter's state.
    void paint(long& drawn);

    void SetButtonRegion(long ellipseWidth, long ellipseHeight);
    void TraceRegionEdge(HRGN region, long ellipseWidth, long ellipseHeight);
    void CalcLayout(int marginV, int marginH);
    void DrawRoundEdge(std::int32_t topColour, std::int32_t bottomColour);
    // Percent is clamped and then overwritten with the split row.
    void DrawGradient(std::int32_t colour1, std::int32_t colour2, float& percent, long x1, long y1, long x2,
                      long y2);
    void DrawLine(std::int32_t colour, long x1, long y1, long x2, long y2);
    void DrawPolyline(const std::vector<POINT>& points, std::int32_t colour);
    void DrawRectangle(std::int32_t colour, long x1, long y1, long x2, long y2);
    void DrawEdgeRect(long x1, long y1, long x2, long y2, UINT edge);
    void FillFace(std::int32_t colour);
    HBRUSH CreateCheckerBrush(std::int32_t colour1, std::int32_t colour2);
    void DrawCaption(std::int32_t foreColour, std::int32_t backColour, long offsetX, long offsetY);
    void DrawCaptionText(std::int32_t colour, long offsetX, long offsetY);
    void DrawStatePicture(std::int32_t colour, long dx, long dy, std::int32_t silhouette);
    void DrawPicture(const std::shared_ptr<forms::StdPicture>& picture, long dx, long dy,
                     std::int32_t silhouette);

private:
    HDC dc_;
    int W, H;
    const KtButtonLook& look_;
    const KtButtonState& state_;
    KtButtonCache& cache_;
    const ktbutton::Palette& P;
    long requested_;

    bool checkedLook() const { return look_.CheckBoxMode && look_.Value && look_.Enabled; }
    long pressOffset() const;
    bool focusCue() const { return state_.parentActive && (state_.focus || state_.defaultButton); }
    bool leftRounded() const { return look_.ButtonShape == 0 || look_.ButtonShape == 2; }
    bool rightRounded() const { return look_.ButtonShape == 0 || look_.ButtonShape == 1; }
    void layout(long ellipseWidth, long ellipseHeight);
    void gradient(std::int32_t c1, std::int32_t c2, float percent);
    void pixel(long x, long y, std::int32_t colour);
    void cornerPixels(std::int32_t colour);
    void singleBevel(std::int32_t base);

    void PaintStyleRound(long& s);
    void PaintStyle3(long& s);
    void PaintStyle4(long& s);
    void PaintStyle5(long& s);
    void PaintStyle6(long& s);
    void PaintStyle7(long& s);
    void PaintStyle10(long& s);
    void PaintStyle11(long& s);
};

} // namespace widgets
