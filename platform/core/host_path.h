#pragma once

#include <optional>
#include <string>

namespace core {

// True when the process runs under Wine.
bool runningUnderWine();

// A Windows path as a host program or library sees it: the host's path under Wine, the path itself
// on Windows. Nothing when Wine cannot map it.
std::optional<std::wstring> hostPath(const std::wstring& windowsPath);

// The Windows name under which a host program (a host path such as "/usr/bin/espeak-ng") is started;
// nothing on Windows or when there is no such file.
std::optional<std::wstring> hostProgram(const char* hostFile);

// True when a regular file (not a folder) exists at the path.
bool fileExists(const std::wstring& windowsPath);

} // namespace core
