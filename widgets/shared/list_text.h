#pragma once
#include <functional>
#include <string>
#include <vector>

namespace widgets {

// True unless the first character's code in the ANSI code page is A-Z, underscore or a-z.
// RuntimeError 5 for an empty text.
bool IsDelim(const std::wstring& ch);

// Wraps text to lines narrower than length (in the units of textWidth), breaking after the last
// delimiter that fits or, without one, inside the word. With filterLines, CR LF pairs are removed
// first. An empty text gives no lines. Each control names what it breaks at.
std::vector<std::wstring> SplitToLines(const std::wstring& text, long length, bool filterLines,
                                       const std::function<float(const std::wstring&)>& textWidth,
                                       bool (*isDelim)(const std::wstring&) = &IsDelim);

} // namespace widgets
