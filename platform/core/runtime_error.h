#pragma once

#include <exception>
#include <string>

namespace core {

// The error a public member raises: a number and its text. When no text is given, the standard
// text of the number is used (5, 6, 9, 13, 48, 53, 75, 76, 94, 380, 382, 453, 481 ...); a control can pass
// its own text.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number, std::wstring description = {});

    int number() const noexcept { return number_; }
    const std::wstring& description() const noexcept { return description_; }
    // The description as UTF-8.
    const char* what() const noexcept override { return what_.c_str(); }

    // The standard text of an error number, or "Application-defined or object-defined error".
    static std::wstring standardText(int number);

private:
    int number_;
    std::wstring description_;
    std::string what_;
};

// A system library that cannot be loaded (48), or one that loaded but lacks a function (453): the
// functions the program binds at their first use name what is missing, so the user can be told.
class LibraryError : public RuntimeError {
public:
    // An empty function: the library itself cannot be loaded.
    explicit LibraryError(std::wstring library, std::wstring function = {});

    const std::wstring& library() const noexcept { return library_; }
    const std::wstring& function() const noexcept { return function_; }

private:
    std::wstring library_;
    std::wstring function_;
};

// Error numbers the run time and the controls raise.
namespace err {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int DllNotLoaded = 48;
inline constexpr int FileNotFound = 53;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int SetNotSupportedAtRuntime = 382;
inline constexpr int FormAlreadyShown = 400;
inline constexpr int DllFunctionNotFound = 453;
inline constexpr int InvalidPicture = 481;
} // namespace err

} // namespace core
