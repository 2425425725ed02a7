// The painter that draws the tool bar or its drop-down from the look, the records and the state on
// any surface, a picture box's or a memory one.
#pragma once

#include "widgets/tool_bar/mc_tool_bar_buttons.h"
#include "widgets/tool_bar/mc_tool_bar_look.h"

#include <memory>
#include <string>

namespace forms {
class StdPicture;
class Surface;
} // namespace forms

namespace widgets {

// The caption of the chevron button.
inline constexpr wchar_t ChevronMark[] = L"\u00BB";

class ToolBarPainter {
public:
    // barWidth and barHeight are the bar's inner size in pixels (the chevron button's corner).
    ToolBarPainter(forms::Surface& surface, const ToolBarLook& look, const ToolBarButtons& buttons,
                   ToolBarState& state, bool userMode, bool dropDown, long barWidth, long barHeight)
        : surface_(surface), look_(look), buttons_(buttons), state_(state), userMode_(userMode),
          dropDown_(dropDown), barWidth_(barWidth), barHeight_(barHeight) {}

    // Repaints the whole surface. True when the chevron button was drawn pressed: the drop-down opens.
    bool drawToolBar();

    void drawButton(long index, const std::shared_ptr<forms::StdPicture>& icon, const std::wstring& caption,
                    bool down, bool enabled);
    void drawButtonFace(long colour, long x, long y, long w, long h, bool pressed, long style);
    void drawHoverRect(long colour, long x, long y, long w, long h, bool pressed);
    void drawRoundFace(long colour, long x, long y, long w, long h, bool hot, bool pressed);
    void drawRoundGradientFace(long x, long y, long w, long h, bool hot, bool pressed);
    void drawIcon(const forms::StdPicture& icon, long x, long y, long w, long h, bool enabled);
    void drawCaption(const std::wstring& caption, long x, long y, long w, long h, bool enabled, long bias);
    void drawSeparator(long index);
    void drawButtonFrame(long x, long y, long index);

private:
    forms::Surface& surface_;
    const ToolBarLook& look_;
    const ToolBarButtons& buttons_;
    ToolBarState& state_;
    bool userMode_;
    bool dropDown_;
    long barWidth_, barHeight_;
    bool chevronDown_ = false;

    void drawBackground();
    bool downOf(long index) const;
    void line(long x1, long y1, long x2, long y2, long colour);
    void box(long left, long top, long right, long bottom, long pen, long fill);
};

} // namespace widgets
