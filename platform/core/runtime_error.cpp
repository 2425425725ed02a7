#include "platform/core/runtime_error.h"

#include "platform/core/text.h"

namespace core {

std::wstring RuntimeError::standardText(int number) {
    switch (number) {
    case 5:
        return L"Invalid procedure call or argument";
    case 6:
        return L"Overflow";
    case 7:
        return L"Out of memory";
    case 9:
        return L"Subscript out of range";
    case 11:
        return L"Division by zero";
    case 13:
        return L"Type mismatch";
    case 48:
        return L"Error in loading DLL";
    case 53:
        return L"File not found";
    case 75:
        return L"Path/File access error";
    case 76:
        return L"Path not found";
    case 91:
        return L"Object variable or With block variable not set";
    case 94:
        return L"Invalid use of Null";
    case 380:
        return L"Invalid property value";
    case 382:
        return L"Set not supported at runtime";
    case 383:
        return L"Set not supported (read-only property)";
    case 387:
        return L"Set not permitted";
    case 453:
        return L"Specified DLL function not found";
    case 481:
        return L"Invalid picture";
    default:
        return L"Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number, std::wstring description)
    : number_(number), description_(description.empty() ? standardText(number) : std::move(description)),
      what_(toUtf8(description_)) {}

LibraryError::LibraryError(std::wstring library, std::wstring function)
    : RuntimeError(function.empty() ? err::DllNotLoaded : err::DllFunctionNotFound,
                   function.empty()
                       ? standardText(err::DllNotLoaded) + L": " + library
                       : standardText(err::DllFunctionNotFound) + L": " + function + L" (" + library + L")"),
      library_(std::move(library)), function_(std::move(function)) {}

} // namespace core
