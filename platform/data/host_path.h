#pragma once

#include "platform/core/host_path.h"

#include <optional>
#include <string>

namespace data {

// A Windows path with its mixed and repeated separators taken as one, as the file system reads
// them: "C:\prog/oracle/\dat.vex" → "C:\prog\oracle\dat.vex". A leading "\\" (a share) is kept.
std::wstring normalisePath(const std::wstring& path);

// The path the driver must be given. Under Wine the driver is a host library and needs the host
// path (a Windows path given to it would name a new file in its working directory); on Windows it
// is the path itself. Empty when Wine cannot map the path.
std::optional<std::wstring> driverPath(const std::wstring& windowsPath);

} // namespace data
