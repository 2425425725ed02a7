#include "platform/forms/color.h"

#include "platform/core/ole_color.h"
#include "platform/core/runtime_error.h"

namespace forms {

bool tryTranslateColor(uint32_t oleColour, COLORREF& colour) noexcept {
    COLORREF out = 0;
    if (core::oleTranslateColor(oleColour, nullptr, &out) == S_OK) {
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
