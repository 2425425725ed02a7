#include "app/keyboard_layout.h"

#include <windows.h>

#include <cwctype>
#include <utility>

namespace app {

namespace {
KeyboardLayoutLoader& loaderSlot() {
    static KeyboardLayoutLoader loader;
    return loader;
}
} // namespace

void activateKeyboardLayout(const std::wstring& id) {
    if (auto& loader = loaderSlot()) return loader(id);
    LoadKeyboardLayoutW(id.c_str(), KLF_ACTIVATE);
}

KeyboardLayoutLoader setKeyboardLayoutLoader(KeyboardLayoutLoader loader) {
    return std::exchange(loaderSlot(), std::move(loader));
}

std::wstring keyboardLayoutFor(const std::wstring& letter) {
    if (letter.empty()) return {};
    switch (std::towupper(letter[0])) {
    case L'R':
        return L"00000419";
    case L'T':
        return L"0000041f";
    case L'E':
        return L"00000409";
    }
    return {};
}

} // namespace app
