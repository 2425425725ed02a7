#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace forms {

// Queues keys as if typed (SendInput), so the message loop's dialog keys see them as the user's and
// Shift, Ctrl and Alt are really down while their key is handled. Plain characters, {NAME} keys
// ({TAB}, {ENTER}, {LEFT}, {F1} ... , {TAB 3} repeats), ~ for Enter, {+} {^} {%} {~} {(} {)} {{} {}}
// for the characters themselves, and the prefixes + (Shift), ^ (Ctrl), % (Alt) for the next key or
// a group in parentheses. A malformed string raises error 5 and sends nothing.
void SendKeys(const std::wstring& keys);

// The input records SendKeys queues for a string.
std::vector<INPUT> keyInputs(const std::wstring& keys);

} // namespace forms
