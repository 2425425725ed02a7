#pragma once

#include <functional>
#include <string>

namespace app {

// Activates a keyboard layout by its identifier ("00000409", "00000419", "0000041f") through
// LoadKeyboardLayoutW; the result is not used (under Wine the call changes nothing).
void activateKeyboardLayout(const std::wstring& id);

// A test seam: the loader runs instead of the system call; an empty one restores the system call.
using KeyboardLayoutLoader = std::function<void(const std::wstring& id)>;
KeyboardLayoutLoader setKeyboardLayoutLoader(KeyboardLayoutLoader loader);

// The layout of a source language by the first letter of its name ("E", "R", "T", any case);
// empty for any other letter.
std::wstring keyboardLayoutFor(const std::wstring& letter);

} // namespace app
