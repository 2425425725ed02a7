#pragma once

#include <windows.h>

#include <string>

namespace forms {

// Deletes a file. RuntimeError 53 when there is no such file (76 no such folder), 75 when it cannot be
// deleted.
void Kill(const std::wstring& path);

// Raises the run-time error of a failed file call's system error: 53 no such file, 76 no such
// folder, 75 anything else.
[[noreturn]] void raiseFileError(DWORD systemError);

} // namespace forms
