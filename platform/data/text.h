#pragma once

#include "platform/core/text.h"

#include <string>
#include <string_view>

namespace data {

// Lower case for the letters the dictionary holds: ASCII, Latin-1 and Latin Extended-A (with the
// Turkish dotted capital İ to i and dotless ı kept), Cyrillic.
std::wstring lowerCase(std::wstring_view text);

} // namespace data
