#pragma once

#include <string>
#include <string_view>

namespace data {

// UTF-16 ⇄ UTF-8 by our own code, so the text path does not depend on the process's code page or
// the host's locale. Unpaired surrogates become U+FFFD; invalid UTF-8 bytes become U+FFFD.
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

// Lower case for the letters the dictionary holds: ASCII, Latin-1 and Latin Extended-A (with the
// Turkish dotted capital İ to i and dotless ı kept), Cyrillic.
std::wstring lowerCase(std::wstring_view text);

} // namespace data
