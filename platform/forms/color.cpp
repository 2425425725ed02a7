#include "platform/forms/color.h"

#include "platform/core/runtime_error.h"

#include <ole2.h>
#include <olectl.h>

namespace forms {

bool tryTranslateColor(uint32_t oleColour, COLORREF& colour) noexcept {
    if ((oleColour & 0xFF000000u) == 0) {
        colour = oleColour;
        return true;
    }
    COLORREF out = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(oleColour), nullptr, &out) == S_OK) {
        colour = out;
        return true;
    }
    colour = 0;
    return false;
}

bool isValidColour(uint32_t oleColour) noexcept {
    COLORREF ignored;
    return tryTranslateColor(oleColour, ignored);
}

COLORREF translateColor(uint32_t oleColour) {
    COLORREF colour;
    if (!tryTranslateColor(oleColour, colour)) throw core::RuntimeError(core::err::InvalidPropertyValue);
    return colour;
}

} // namespace forms
