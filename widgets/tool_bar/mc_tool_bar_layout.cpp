#include "widgets/tool_bar/mc_tool_bar_layout.h"

#include <cstdint>
#include <limits>

namespace widgets {

namespace {

bool fits(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

bool framed(const ToolBarLook& look, bool inChevron) {
    return look.BorderStyle != barBorder::None || inChevron;
}

long cellWidth(const ToolBarLook& look, const ToolBarButtons& buttons, long k, bool inChevron) {
    if (inChevron || !buttons.has(k) || buttons.at(k).Type == ButtonTypeButton) return look.ButtonsWidth;
    return look.ButtonsSeperatorWidth;
}

} // namespace

bool GetButtonRect(const ToolBarLook& look, const ToolBarButtons& buttons, long index, long& x, long& y,
                   bool inChevron) {
    const long perRow = inChevron ? look.ButtonsPerRow_Chev : look.ButtonsPerRow;
    if (perRow == 0) return false;
    const long rowStart = framed(look, inChevron) ? FramedLeft : 0;
    std::int64_t left = rowStart, top = framed(look, inChevron) ? FramedTop : 0;
    for (long k = 1; k <= index - 1; ++k) {
        left += cellWidth(look, buttons, k, inChevron);
        if (k % perRow == 0) {
            top += look.ButtonsHeight;
            left = rowStart;
        }
        if (!fits(left) || !fits(top)) return false;
    }
    x = static_cast<long>(left);
    y = static_cast<long>(top);
    return true;
}

long HitTest(const ToolBarLook& look, const ToolBarButtons& buttons, long x, long y, bool inChevron) {
    const long perRow = inChevron ? look.ButtonsPerRow_Chev : look.ButtonsPerRow;
    if (perRow == 0) return -1;
    const std::int64_t x0 = framed(look, inChevron) ? FramedLeft : 0;
    std::int64_t left = x0, top = framed(look, inChevron) ? FramedTop : 0;
    for (long j = 1; j <= buttons.count(); ++j) {
        if ((j - 1) % perRow == 0) {
            left = x0;
            if (j > 1) top += look.ButtonsHeight;
        }
        const long width = cellWidth(look, buttons, j, inChevron);
        if (left < x && x < left + width && top < y && y < top + look.ButtonsHeight) return j;
        left += width;
    }
    return -1;
}

ToolBarLayout layOutButtons(const ToolBarLook& look, ToolBarButtons& buttons, long barWidth, bool userMode) {
    ToolBarLayout layout;
    const long count = buttons.count();
    if (look.ButtonsPerRow != 0) {
        const std::int64_t rows = (count - 1) / look.ButtonsPerRow + 1;
        const std::int64_t height =
            rows * look.ButtonsHeight + (look.BorderStyle != barBorder::None ? FrameHeight : 0);
        if (fits(height)) layout.height = static_cast<long>(height);
    }
    for (long i = 1; i <= count; ++i) {
        ToolBarButton& record = buttons.at(i);
        long left = 0, top = 0;
        if (!GetButtonRect(look, buttons, i, left, top, false)) continue;
        if (userMode && look.ShowChevron && record.Type == ButtonTypeButton &&
            static_cast<std::int64_t>(left) + look.ButtonsWidth > barWidth - ChevronArea) {
            layout.chevron.push_back(i);
            record.InChevron = true;
            if (!GetButtonRect(look, buttons, static_cast<long>(layout.chevron.size()), left, top, true))
                continue;
            record.Left = left;
            record.Top = top;
        } else {
            record.Left = left;
            record.Top = top;
            record.InChevron = false;
        }
    }
    const auto n = static_cast<long>(layout.chevron.size());
    if (n > 0 && look.ButtonsPerRow_Chev != 0) {
        const long columns = n >= look.ButtonsPerRow_Chev ? look.ButtonsPerRow_Chev : n;
        const std::int64_t width = static_cast<std::int64_t>(look.ButtonsWidth) * columns + DropDownMargin;
        const std::int64_t height =
            ((n - 1) / look.ButtonsPerRow_Chev + 1) * static_cast<std::int64_t>(look.ButtonsHeight) +
            FrameHeight;
        if (fits(width) && fits(height)) {
            layout.dropDownWidth = static_cast<long>(width);
            layout.dropDownHeight = static_cast<long>(height);
        }
    }
    return layout;
}

} // namespace widgets
