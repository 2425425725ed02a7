#include "platform/forms/files.h"

#include "platform/core/runtime_error.h"

namespace forms {

void raiseFileError(DWORD systemError) {
    if (systemError == ERROR_FILE_NOT_FOUND || systemError == ERROR_INVALID_NAME)
        throw core::RuntimeError(core::err::FileNotFound);
    if (systemError == ERROR_PATH_NOT_FOUND) throw core::RuntimeError(core::err::PathNotFound);
    throw core::RuntimeError(core::err::PathFileAccess);
}

void Kill(const std::wstring& path) {
    if (!DeleteFileW(path.c_str())) raiseFileError(GetLastError());
}

} // namespace forms
