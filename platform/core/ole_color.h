#pragma once

#include <windows.h>

#include <cstdint>

namespace core {

// OleTranslateColor. A plain colour and a system colour by its index are answered here, as oleaut32
// answers them, so that painting does not load that library (and the COM libraries it needs) before
// the first window shows; any other value is asked of oleaut32.
HRESULT oleTranslateColor(std::uint32_t colour, HPALETTE palette, COLORREF* out) noexcept;

} // namespace core
