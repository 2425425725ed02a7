#include "platform/forms/files.h"

#include "platform/core/runtime_error.h"

#include <windows.h>

namespace forms {

void Kill(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return;
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_INVALID_NAME) throw RuntimeError(err::FileNotFound);
    if (code == ERROR_PATH_NOT_FOUND) throw RuntimeError(err::PathNotFound);
    throw RuntimeError(err::PathFileAccess);
}

} // namespace forms
