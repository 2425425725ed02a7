// The painting of the closed combo box: the look chosen by AppearanceCombo, the selected item's
// picture, the list-only text and where the edit box goes; and the small drawing routines the
// combo's painters share. All in pixels on any device context.
#pragma once

#include "widgets/combo/combo_items.h"
#include "widgets/combo/combo_look.h"

#include <windows.h>

#include <cstdint>
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

struct FrameInput {
    const ComboLook& look;
    int state;
    int width, height;
    // The selected item, null when nothing (or nothing that exists) is selected.
    const ComboItem* selected;
    HFONT font;
    int lineHeight;
};

class ComboFrame {
public:
    ComboFrame(HDC dc, const FrameInput& in) : dc_(dc), in_(in) {}
    // Paints everything and says where the edit box goes.
    FrameLayout DrawCombo();

    // The background of the surface and the edit box.
    static uint32_t surfaceBack(const ComboLook& look);
    // Draws nothing for looks that have none (0 and above the last).
    using LookPainter = void (ComboFrame::*)();
    static LookPainter lookFor(long appearance);

    void DrawAppearance2();
    void DrawAppearance4();

private:
    HDC dc_;
    const FrameInput& in_;
    FrameLayout out_;
};

// --- Shared drawing routines (colours may be system colours)
void APIFillSolidRect(HDC dc, const RECT& rect, uint32_t colour);
// A line without its end point.
void APILine(HDC dc, int x1, int y1, int x2, int y2, uint32_t colour);
// The outline (x, y)-(x+w, y+h) as one closed path: w+1 by h+1 pixels.
void APILineEx(HDC dc, int x, int y, int w, int h, uint32_t colour);
void APIDrawEdge(HDC dc, RECT rect, UINT edge, UINT flags);
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
