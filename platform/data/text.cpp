#include "platform/data/text.h"

#include <cstdint>

namespace data {

std::wstring lowerCase(std::wstring_view text) {
    std::wstring out(text);
    for (auto& ch : out) {
        wchar_t c = ch;
        if (c >= L'A' && c <= L'Z') {
            ch = static_cast<wchar_t>(c + 32);
        } else if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
            ch = static_cast<wchar_t>(c + 32);
        } else if (c == 0x130) {
            ch = L'i'; // Turkish dotted capital I
        } else if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
                   c != 0x17F) {
            // Latin Extended-A pairs: capital even below U+0138 and odd from U+0139 to U+0148 and
            // from U+014A; the few exceptions are the letters without a pair.
            bool upper = (c < 0x138)   ? (c % 2 == 0)
                         : (c < 0x149) ? (c % 2 == 1)
                         : (c < 0x178) ? (c % 2 == 0)
                                       : (c % 2 == 1);
            if (c == 0x178) {
                ch = 0xFF;
            } else if (upper) {
                ch = static_cast<wchar_t>(c + 1);
            }
        } else if (c >= 0x410 && c <= 0x42F) {
            ch = static_cast<wchar_t>(c + 32);
        } else if (c >= 0x400 && c <= 0x40F) {
            ch = static_cast<wchar_t>(c + 80);
        } else if (c == 0x18F) {
            ch = 0x259; // schwa
        }
    }
    return out;
}

} // namespace data
