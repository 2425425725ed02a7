// The painting of the combo box's drop-down list: background or gradient, frame, and the rows with
// pictures, aligned texts, the highlighted row, separators and shadows. Row positions are worked out
// in twips, as the list always placed them, and drawn in pixels.
#pragma once

#include "widgets/combo_box/combo_items.h"
#include "widgets/combo_box/combo_look.h"

#include <windows.h>

#include <memory>
#include <string>

namespace widgets {

struct ListInput {
    const ComboLook& look;
    const ComboItems& items;
    const ComboState& state;
    std::wstring editText;
    long maxListLength;
    long rows; // NumberItemsToShow
    bool scrollBarVisible;
    int width, height; // pixels, the list window's outer size (it has no border)
    HFONT font;
};

// What the last highlighted row leaves on the list window.
struct ListHighlight {
    bool any = false;
    std::wstring toolTip;
    std::shared_ptr<forms::StdPicture> mouseIcon;
};

class ComboListPainter {
public:
    ComboListPainter(HDC dc, const ListInput& in) : dc_(dc), in_(in) {}
    ListHighlight DrawList(long top, long rows);

    // Text preceded by fill up to the longest item's length.
    static std::wstring PadText(const std::wstring& text, const std::wstring& fill,
                                const std::wstring& longest);

private:
    HDC dc_;
    const ListInput& in_;
    int printY_ = 0; // twips, where the last printed row left the print position

    bool highlighted(long k) const;
    void box(int x1, int y1, int x2, int y2, uint32_t colour, bool filled);
    void DrawListItems(long p, int xOffset, int y, uint32_t colour);
    bool DrawListPicture(long number, int y);
    int textWidth(const std::wstring& text) const;
};

// Twips of the list window as pixels (halves to even).
int listPixels(double twips);

} // namespace widgets
