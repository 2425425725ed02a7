#pragma once

#include <string>
#include <string_view>

namespace core {

// UTF-16 ⇄ UTF-8 by our own code, so the text path does not depend on the process's code page or
// the host's locale. Unpaired surrogates become U+FFFD; invalid UTF-8 bytes become U+FFFD.
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

} // namespace core
