// The list box's look, run-time state and caches, and the painter that draws its rows from them on
// any surface, a window's or a memory one.
#pragma once

#include "platform/core/constants.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace forms {
class StdFont;
class StdPicture;
class Surface;
} // namespace forms

namespace widgets {

class ImageList;
class ListItems;

// SelectionStyle: blended fills (the outline darker, the current row lighter with the focus); any
// other value fills with SelColor.
inline constexpr long BlendedSelection = 1;

// The stored properties, under their keys' names; the property table's rows point into them.
struct ListBoxLook {
    std::shared_ptr<forms::StdPicture> Picture;
    std::shared_ptr<forms::StdFont> Font;
    long BackColor = 0xFFFFFF;
    long Forecolor = static_cast<long>(core::sysColor::ButtonText);
    long SelColor = 0xFF8C1A;
    long SelForeColor = 0xFFFFFF;
    bool StrechIcon = false;
    int16_t Appearance = core::controlBorder::ThreeD;
    int16_t BorderStyle = core::controlBorder::FixedSingle;
    bool FullRowSelect = false;
    long SortOrder = 0;
    bool IconFocus = true;
    long TextAlignment = 0;
    long RowHeight = 22;
    bool GridLines = false;
    long GridColor = static_cast<long>(core::sysColor::ButtonFace);
    long BackGradient = 0;
    long SelGradient = 0;
    long BackGradientCol = 0xC0C0C0;
    long SelGradientCol = 0xFFFFFF;
    bool MultiSelect = false;
    bool FocusRectangle = true;
    bool ShowIcon = false;
    long SelectionStyle = BlendedSelection;
    bool FlatScrollBar = false;
    std::shared_ptr<forms::StdPicture> MouseIcon;
    long MousePointer = core::pointer::Default;
    bool AutoHideScrollBars = false;

    bool operator==(const ListBoxLook&) const = default;
};

// The pop-up row when no pop-up shows.
inline constexpr long NoPopupRow = -100;

// What the list box knows at run time beyond its items: the current row, the selection and where the
// pointer and the pop-up are.
struct ListBoxState {
    long currentIndex = 0;
    long anchorIndex = 0;        // start of a Shift range
    std::vector<long> selection; // 0-based indexes, possibly without an item
    bool hasFocus = false;
    bool inside = false;        // the pointer lay within the rows at its last move
    bool hoverTracking = false; // a leave notice is asked for
    long lastDragIndex = 0;
    long popupRow = NoPopupRow; // 1-based visible row the pop-up shows
    std::wstring popupText;     // what it shows for that row
    bool popupBold = false;

    bool selected(long index) const;
};

// What is derived from the look and the control's size and may be made again at any time.
struct ListBoxCache {
    long visibleRows = 0;     // whole rows of RowHeight that fit
    double rowPitch = 0;      // the rows stretched to fill the height
    long iconColumnWidth = 0; // set by each paint
    bool paintDue = false;    // the image is drawn at the window's next paint
    // The font property as drawn, regular and bold, so a bold row never changes the font object.
    std::shared_ptr<forms::StdFont> drawFont, drawFontBold;

    // Selects the drawn font (bold or not) into the surface, made anew when the property changed.
    void useFont(forms::Surface& surface, const std::shared_ptr<forms::StdFont>& font, bool bold);
};

// Paints the visible rows of a list box, from the row at top on, into a surface that was cleared.
class ListBoxPainter {
public:
    ListBoxPainter(forms::Surface& surface, const ListBoxLook& look, const ListBoxState& state,
                   ListBoxCache& cache)
        : surface_(surface), look_(look), state_(state), cache_(cache) {}

    // False when the items ended before the bottom edge (no bottom line is drawn then).
    bool paint(const ListItems& items, const ImageList* images, long top);

    void drawItemText(const std::wstring& text, long x, long y);
    void drawItemIcon(const forms::StdPicture& picture, long x, long y, long width, long height);

private:
    forms::Surface& surface_;
    const ListBoxLook& look_;
    const ListBoxState& state_;
    ListBoxCache& cache_;
};

} // namespace widgets
