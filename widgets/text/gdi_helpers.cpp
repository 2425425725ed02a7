#include "widgets/text/gdi_helpers.h"

#include "platform/core/runtime_error.h"

namespace widgets {

namespace {

LONG shifted(LONG v, std::int16_t n) {
    LONG out;
    if (__builtin_add_overflow(v, LONG(n), &out)) throw forms::RuntimeError(forms::err::Overflow);
    return out;
}

} // namespace

void ShiftRect(RECT& rect, std::int16_t n) {
    rect.left = shifted(rect.left, n);
    rect.right = shifted(rect.right, n);
    rect.top = shifted(rect.top, n);
    rect.bottom = shifted(rect.bottom, n);
}

int TextWidthW(HDC dc, std::wstring_view text) {
    SIZE size{0, 0};
    if (!GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size)) return 0;
    return size.cx;
}

} // namespace widgets
