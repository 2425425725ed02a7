// Small pieces the satellite forms share: layout entries, their fonts and glyph pictures.
#pragma once

#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <cstdint>
#include <memory>
#include <string>

namespace app {

// One control of a layout; positions and sizes in twips.
forms::LayoutEntry entry(const wchar_t* type, const wchar_t* name, int left, int top, int width, int height,
                         forms::PropertyBag properties = {}, const wchar_t* container = L"");

// A captioned label that shows its text as it is (no VNI digits), transparent, in a font.
forms::PropertyBag captionLabel(const std::wstring& text, std::shared_ptr<forms::StdFont> font,
                                std::uint32_t foreColor = 0, int alignment = 0);

// The stored look of the forms' command buttons, with a caption.
forms::PropertyBag buttonLook(const std::wstring& caption);

std::shared_ptr<forms::StdFont> tahoma(double size, bool bold = false);

// A small icon of one symbol drawn in a colour, transparent round it (the popups' row icons).
std::shared_ptr<forms::StdPicture> glyphPicture(wchar_t symbol, int width, int height, std::uint32_t colour);

// Moves a popup form where place puts it (pixels), for its size, in the work area of the monitor
// nearest the point of the screen; the whole screen when that is not known.
void movePopup(forms::Form& popup, POINT screenPoint, POINT (*place)(POINT, SIZE, const RECT&));

} // namespace app
