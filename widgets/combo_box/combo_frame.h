// The painting of the closed combo box: the look chosen by AppearanceCombo, the selected item's
// picture, the list-only text and where the edit box goes; and the small drawing routines the
// combo's painters share. All in pixels on any device context.
#pragma once

#include "widgets/combo_box/combo_items.h"
#include "widgets/combo_box/combo_look.h"
#include "widgets/combo_box/combo_shade.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace widgets {

// What a paint leaves for the control: the edit box and the list's frame colour.
struct FrameLayout {
    int editLeft = 8;
    int editTop = 0;
    int editWidth = 0;
    int editHeight = 0;
    bool editVisible = true;
    uint32_t editFore = 0;
    uint32_t editBack = 0;
    uint32_t listFrameColor = 0;
    bool cutCorners = false;
    RECT button{};
};

class ThemeProvider;

struct FrameInput {
    const ComboLook& look;
    int state;
    int width, height;
    // The selected item, null when nothing (or nothing that exists) is selected.
    const ComboItem* selected;
    HFONT font;
    int lineHeight;
    // The list's frame colour of the last paint: a look that sets none in this state keeps it.
    uint32_t listFrameColor = 0;
    // The container's back colour; none for a control without a container, whose looks then skip
    // the steps that need it.
    std::optional<uint32_t> parentBack;
    // Visual styles for appearance 3 (none: its scheme 7 is drawn), opened for this window.
    const ThemeProvider* theme = nullptr;
    HWND window = nullptr;
};

class ComboFrame {
public:
    // The button rectangle is that of the input's size from the start.
    ComboFrame(HDC dc, const FrameInput& in);
    // Paints everything and says where the edit box goes.
    FrameLayout DrawCombo();

    // The background of the surface and the edit box in this paint. A few looks have their own;
    // BackColor itself never changes.
    static uint32_t effectiveBack(const ComboLook& look, int state);
    // Draws nothing for looks that have none (0 and above the last).
    using LookPainter = void (ComboFrame::*)();
    static LookPainter lookFor(long appearance);

    // Looks drawn by the frame.
    void DrawAppearance2();
    void drawSchemeLook();
    void DrawAppearance4();
    void DrawAppearance6();
    void DrawAppearance7();
    void DrawAppearance9();
    void DrawAppearance10();
    void DrawAppearance11();
    void DrawAppearance15();
    void DrawAppearance19();
    // Renderers.
    void DrawAppearance1();
    void DrawAppearance5();
    void DrawAppearance8();
    void DrawAppearance12();
    void DrawAppearance13();
    void DrawAppearance14();
    void DrawAppearance16();
    void DrawAppearance17();
    void DrawAppearance18();
    void DrawAppearance20();
    void DrawAppearance21();

    // Pieces the looks share.
    // Edging of the button; shaded ramps the colours. Lowers the button's bottom by 11 for the rest
    // of the paint.
    void DrawButtonFace(uint32_t colour1, uint32_t colour2, bool shaded);
    // The scheme look of appearance 3: 0 themed (scheme 7 when no theme draws), 1 to 7 fixed schemes.
    void DrawAppearance3(long scheme);
    // The chevron in the button; colour 0 is ArrowColor.
    void DrawArrowLines(uint32_t colour);
    void DrawAppearance7Part(int x, int y, int width, int height, uint32_t colour1, uint32_t colour2,
                             uint32_t corner);

private:
    HDC dc_;
    const FrameInput& in_;
    FrameLayout out_;
    uint32_t back_ = 0;

    int state() const { return in_.state; }
    bool disabled() const { return in_.state == comboState::Disabled; }
    // The plain colour of a look's table entry; none when it is the container's and there is none.
    std::optional<uint32_t> colour(const Shade& shade) const;
    uint32_t colourOr(const Shade& shade, uint32_t fallback) const {
        return colour(shade).value_or(fallback);
    }
    // Drawing that skips a colour it does not have.
    void line(int x1, int y1, int x2, int y2, std::optional<uint32_t> c);
    void rect(int x, int y, int w, int h, std::optional<uint32_t> c, bool outline);
    void dot(int x, int y, std::optional<uint32_t> c);
    void shadeLine(std::optional<uint32_t> from, std::optional<uint32_t> to, int x1, int y, int x2,
                   int steps);
    void arrow(uint32_t c);
    void setListFrame(uint32_t c) { out_.listFrameColor = c; }
    void drawOfficeStandard();
    void drawOfficeFlat();
    void drawOfficeSystemColours();
    void DrawAppearance12and13(bool vertical);
};

// --- Shared drawing routines (colours may be system colours)
void APIFillSolidRect(HDC dc, const RECT& rect, uint32_t colour);
// A line without its end point.
void APILine(HDC dc, int x1, int y1, int x2, int y2, uint32_t colour);
// The outline (x, y)-(x+w, y+h) as one closed path: w+1 by h+1 pixels.
void APILineEx(HDC dc, int x, int y, int w, int h, uint32_t colour);
void APIDrawEdge(HDC dc, RECT rect, UINT edge, UINT flags);
// The rectangle (x, y)-(x+w, y+h) filled, or a one-pixel frame just inside it.
void DrawRect(HDC dc, int x, int y, int w, int h, uint32_t colour, bool outline);
// Vertical (Color1 at the top) when vertical, else horizontal (Color1 at the left).
void DrawGradient(HDC dc, int x1, int y1, int x2, int y2, uint32_t colour1, uint32_t colour2, bool vertical);
// Steps + 1 rows blending from one colour to the other; nothing for fewer than one step.
void DrawShadeLine(HDC dc, uint32_t from, uint32_t to, int x1, int y, int x2, int steps);
// The small drop-down triangle in the button rectangle.
void DrawArrow(HDC dc, const RECT& button, uint32_t colour, const ComboLook& look);
// The cut-corner outline of a w x h window.
HRGN CreateRoundRegion(int w, int h);
// The text shortened with "..." until it fits the surface width, only ever for a shorter text. Widths
// are in units of which `unit` make a pixel (15 for twips).
std::wstring CompactItemText(HDC dc, int scaleWidth, const std::wstring& text, std::wstring shown, int offset,
                             int unit = 1);

} // namespace widgets
