#pragma once

#include <functional>
#include <string>

namespace forms {

// Button and icon flags and answers as the platform's message box takes and returns them.
namespace mb {
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace mb

// Shows a message box (title defaults to the program's title) and returns the answer.
int MsgBox(const std::wstring& prompt, int buttons = mb::OKOnly, const std::wstring& title = {});

// Whether a message box is on the screen (or being shown): one shown meanwhile would stand over it.
bool MsgBoxOpen();

// Tests replace the message box; the previous handler is returned. An empty handler restores the real one.
using MsgBoxHandler = std::function<int(const std::wstring& prompt, int buttons, const std::wstring& title)>;
MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler);

} // namespace forms
