#include "platform/core/ole_color.h"

#include "platform/core/late_bound.h"

#include <olectl.h>

namespace core {

HRESULT oleTranslateColor(std::uint32_t colour, HPALETTE palette, COLORREF* out) noexcept {
    if (out && !palette) {
        if ((colour & 0xFF000000u) == 0) {
            *out = colour;
            return S_OK;
        }
        const std::uint32_t index = colour & 0xFFu;
        if ((colour & 0xFFFFFF00u) == 0x80000000u && index <= COLOR_MENUBAR) {
            *out = GetSysColor(static_cast<int>(index));
            return S_OK;
        }
    }
    static const LateBound<decltype(OleTranslateColor)> translate{L"oleaut32.dll", "OleTranslateColor"};
    if (!translate) return E_UNEXPECTED;
    return translate(static_cast<OLE_COLOR>(colour), palette, out);
}

} // namespace core
