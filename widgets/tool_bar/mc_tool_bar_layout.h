// Where the tool bar's buttons stand: cells in rows on the bar, and the drop-down's cells for the
// buttons that do not fit.
#pragma once

#include "widgets/tool_bar/mc_tool_bar_buttons.h"
#include "widgets/tool_bar/mc_tool_bar_look.h"

#include <optional>
#include <vector>

namespace widgets {

// Pixels kept free at the bar's right end for the chevron button, and its width.
inline constexpr long ChevronArea = 12;
inline constexpr long ChevronWidth = 10;
// Origin of the cells on a bordered bar and in the drop-down; the frame's extra height.
inline constexpr long FramedLeft = 2, FramedTop = 5, FrameHeight = 7;
// Extra width of the drop-down beside its cells.
inline constexpr long DropDownMargin = 4;

// The top-left corner of cell index (1-based) of the bar or of the drop-down. False when a row
// holds no cells (the rows cannot be counted) or the figures overflow: x and y are then unchanged.
bool GetButtonRect(const ToolBarLook& look, const ToolBarButtons& buttons, long index, long& x, long& y,
                   bool inChevron);

// The cell (1 to Button_Count) whose inside holds the point; a point on an edge or outside every cell
// gives -1, and so does a row length of 0.
long HitTest(const ToolBarLook& look, const ToolBarButtons& buttons, long x, long y, bool inChevron);

// What a layout decided beyond the records' places.
struct ToolBarLayout {
    std::optional<long> height; // pixels of the bar, when the rows could be counted
    std::vector<long> chevron;  // buttons in the drop-down
    std::optional<long> dropDownWidth, dropDownHeight;
};

// Places every record on the bar or, at run time with ShowChevron, in the drop-down when its right
// edge passes the chevron area of a bar barWidth pixels wide.
ToolBarLayout layOutButtons(const ToolBarLook& look, ToolBarButtons& buttons, long barWidth, bool userMode);

} // namespace widgets
