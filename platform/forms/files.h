#pragma once

#include <string>

namespace forms {

// Deletes a file. RuntimeError 53 when there is no such file (76 no such folder), 75 when it cannot be
// deleted.
void Kill(const std::wstring& path);

} // namespace forms
