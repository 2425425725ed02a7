// The colour arithmetic the combo box paints with. Colours are 0x00BBGGRR.
#pragma once

#include "widgets/shared/color_ramp.h"

#include <cstdint>

namespace widgets {

// Each channel moved towards 255 by amount (0 unchanged, 255 white).
uint32_t LightenColor(uint32_t colour, int amount);
// A system colour (top bit set) as the current plain colour; a plain colour unchanged.
uint32_t SysColorToRGB(uint32_t colour);
// The platform's translation: 0 (black) when the value names no colour.
uint32_t TranslateColor(uint32_t colour);
// The lighter variant of a gradient colour used by the drop-down list.
uint32_t ContrastColor(uint32_t colour);

} // namespace widgets
