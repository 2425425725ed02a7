// How the option/check box draws itself: gradient background, border ring and window region, the
// check box with its tick or triangle (or a picture), the caption and its focus frame.
#pragma once

#include "platform/forms/gdi.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace forms {
class StdFont;
class StdPicture;
} // namespace forms

namespace widgets {

// ControlType: 1 is an option button; every other value draws and behaves as a check box.
inline constexpr std::int32_t OptionButtonType = 1;
// Value of a selected option (True).
inline constexpr std::int16_t OptionSelected = -1;
// CheckBoxAlignment 0 puts the check area left; any other value right.
inline constexpr std::int32_t CheckLeft = 0;
// MouseOverActions: bit 1 the border takes the hover colour, bit 2 the check box's border.
inline constexpr std::int32_t HoverBorder = 1, HoverCheckBorder = 2;
inline constexpr int CheckBoxSize = 15;

// The stored properties.
struct OptionCheckLook {
    float BackAngle = 90;
    std::uint32_t BackColor1 = 0x00004040;
    std::uint32_t BackColor2 = 0x00C0FFFF;
    bool BackMiddleOut = true;
    std::uint32_t BorderColor = 0;
    std::int16_t BorderCurvature = 0;
    bool BorderIfTransparent = true;
    std::int32_t BorderWidth = 1;
    std::wstring Caption = L"Option_Check";
    std::uint32_t CaptionColor = 0;
    std::uint32_t CheckBorderColor = 0;
    std::int32_t CheckBoxAlignment = 0;
    float CheckBoxAngle = 90;
    std::uint32_t CheckBoxColor1 = 0;
    std::uint32_t CheckBoxColor2 = 0;
    bool CheckBoxMiddleOut = true;
    std::uint32_t CheckColor = 0x0000FFFF;
    std::wstring ContainerName;
    std::int32_t ControlType = 0;
    std::uint32_t DisBackColor1 = 0x00404040;
    std::uint32_t DisBackColor2 = 0x00C0C0C0;
    std::uint32_t DisBorderColor = 0x00404040;
    std::uint32_t DisCaptionColor = 0x00808080;
    std::uint32_t DisCheckBorderColor = 0x00808080;
    std::uint32_t DisCheckBoxColor1 = 0x00B0B0B0;
    std::uint32_t DisCheckBoxColor2 = 0x00B0B0B0;
    bool Enabled = true;
    std::uint32_t FocusRectColor = 0;
    std::shared_ptr<forms::StdFont> Font;
    std::int32_t MouseOverActions = 0;
    std::uint32_t MOverBorderColor = 0;
    std::uint32_t MOverCheckBoxColor = 0;
    std::shared_ptr<forms::StdPicture> PicChecked;
    bool PicForCheck = false;
    std::shared_ptr<forms::StdPicture> PicUnchecked;
    bool ShowFocusRect = true;
    bool Transparent = false;
    std::int16_t Value = 0;

    bool isOption() const { return ControlType == OptionButtonType; }
};

// The colours painting uses: the normal or the disabled set, with the hover colours on the borders.
struct OptionCheckColours {
    std::uint32_t back1 = 0, back2 = 0, border = 0, caption = 0, checkBorder = 0, checkBox1 = 0,
                  checkBox2 = 0;

    static OptionCheckColours normal(const OptionCheckLook& look);
    static OptionCheckColours disabled(const OptionCheckLook& look);
    static OptionCheckColours of(const OptionCheckLook& look) {
        return look.Enabled ? normal(look) : disabled(look);
    }
};

// Run-time state.
struct OptionCheckState {
    OptionCheckColours colours;
    bool tracking = false; // mouse-leave notices are asked for (run time only)
    bool hover = false;
    bool focus = false;
    bool keyDown = false;
    bool mouseDown = false;
    int checkAreaX = 0;
    int pictureWidth = 0;
};

// The plain colour GDI gets; white for a value that names no colour.
COLORREF paintColour(std::uint32_t colour);

// The colour ramp's order for a middle-out gradient of n steps: 0, 2, 4, ... then the odd indices down.
std::vector<int> middleOutOrder(int n);

// Angled two-colour gradient into (x, y, w, h) of a DC.
void DrawGradient(HDC dc, int x, int y, int w, int h, std::uint32_t c1, std::uint32_t c2, float angle,
                  bool middleOut);

// A one-pixel frame as the region of (left, top, right, bottom) less its inside.
void FillRoundRect(HDC dc, int left, int top, int right, int bottom, std::uint32_t colour);

class OptionCheckPainter {
public:
    // dc has the control's font selected; width and height are the surface's pixel size.
    OptionCheckPainter(HDC dc, int width, int height, const OptionCheckLook& look, OptionCheckState& state)
        : dc_(dc), w_(width), h_(height), look_(look), state_(state) {}

    void CheckAreaLayout();
    void PaintBackground();
    // Fills the border ring and returns the outer region, for the window.
    forms::GdiRegion borderRegion();
    void DrawCheckArea();
    void DrawCheckBox();
    void DrawCheckMark();
    void DrawOptionBullet();
    void DrawCheckPicture();
    void DrawCaption();
    // The text rectangle DrawCaption uses.
    RECT captionRect();

private:
    HDC dc_;
    int w_, h_;
    const OptionCheckLook& look_;
    OptionCheckState& state_;

    int textWidth(const std::wstring& text);
    void DrawPicture(const forms::StdPicture* picture);
    int PictureWidthPx() const;
};

} // namespace widgets
