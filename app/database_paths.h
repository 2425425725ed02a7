#pragma once

#include <string>

namespace app {

// The two database files, in the folder "oracle" under the program folder: the dictionary (read
// only) and the settings.
struct DatabasePaths {
    std::wstring folder;
    std::wstring dictionary;
    std::wstring settings;
};

// A folder given with a closing separator gets no second one; an empty one names "oracle" in the
// current folder.
inline DatabasePaths databasePaths(const std::wstring& programFolder) {
    std::wstring folder = programFolder;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    folder += L"oracle";
    return {folder, folder + L"\\dat.vex", folder + L"\\lang.vex"};
}

} // namespace app
