#include "platform/data/host_path.h"

namespace data {

std::wstring normalisePath(const std::wstring& path) {
    std::wstring out;
    out.reserve(path.size());
    size_t i = 0;
    if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/')) {
        out = L"\\\\";
        i = 2;
    }
    for (; i < path.size(); ++i) {
        wchar_t c = path[i] == L'/' ? L'\\' : path[i];
        if (c == L'\\' && !out.empty() && out.back() == L'\\') continue;
        out += c;
    }
    return out;
}

std::optional<std::wstring> driverPath(const std::wstring& windowsPath) {
    return core::hostPath(windowsPath);
}

} // namespace data
