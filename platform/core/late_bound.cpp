#include "platform/core/late_bound.h"

#include "platform/core/runtime_error.h"
#include "platform/core/text.h"

namespace core {

LateBinding::LateBinding(const wchar_t* library, const char* function) noexcept
    : library_(library), function_(function) {
    if (HMODULE module = LoadLibraryW(library)) {
        libraryLoaded_ = true;
        address_ = reinterpret_cast<void*>(GetProcAddress(module, function));
    }
}

void LateBinding::raiseMissing() const {
    const std::wstring library = library_ ? library_ : L"";
    if (!libraryLoaded_) throw LibraryError(library);
    throw LibraryError(library, fromUtf8(function_ ? function_ : ""));
}

} // namespace core
