#include "widgets/shared/gdi_helpers.h"

#include <algorithm>

#include "platform/core/runtime_error.h"

namespace widgets {

namespace {

LONG shifted(LONG v, std::int16_t n) {
    LONG out;
    if (__builtin_add_overflow(v, LONG(n), &out)) throw core::RuntimeError(core::err::Overflow);
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

bool isBlank(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' '; });
}

int DrawCaption(HDC dc, const std::wstring& text, RECT rect, std::int32_t alignment, UINT flags) {
    if (isBlank(text)) return 0;
    flags |= alignment == 0 ? DT_LEFT : alignment == 1 ? DT_RIGHT : DT_CENTER;
    SetBkMode(dc, TRANSPARENT);
    return DrawTextW(dc, text.c_str(), int(text.size()), &rect, flags);
}

} // namespace widgets
