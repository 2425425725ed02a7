#include "platform/data/connection_string.h"

#include "platform/data/host_path.h"

#include <vector>

namespace data {

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

std::wstring trim(const std::wstring& s) {
    size_t a = 0, b = s.size();
    while (a < b && isBlank(s[a])) ++a;
    while (b > a && isBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

// Lower case, blanks around ":" dropped and inner runs of blanks taken as one.
std::wstring keyOf(const std::wstring& raw) {
    std::wstring key;
    for (wchar_t c : trim(raw)) {
        if (isBlank(c)) {
            if (!key.empty() && key.back() != L' ' && key.back() != L':') key += L' ';
            continue;
        }
        if (c == L':' && !key.empty() && key.back() == L' ') key.pop_back();
        key += (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    }
    return key;
}

} // namespace

std::optional<ConnectionTarget> parseConnectionString(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::wstring current;
    wchar_t quote = 0;
    bool afterEquals = false;
    for (wchar_t c : text) {
        if (quote) {
            current += c;
            if (c == quote) quote = 0;
            continue;
        }
        if (c == L';') {
            parts.push_back(current);
            current.clear();
            afterEquals = false;
            continue;
        }
        if (c == L'=') afterEquals = true;
        if (afterEquals && (c == L'"' || c == L'\'') && trim(current.substr(current.find(L'=') + 1)).empty())
            quote = c;
        current += c;
    }
    parts.push_back(current);

    ConnectionTarget target;
    bool haveSource = false;
    for (const auto& part : parts) {
        size_t eq = part.find(L'=');
        if (eq == std::wstring::npos) continue;
        std::wstring key = keyOf(part.substr(0, eq));
        std::wstring value = trim(part.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        if (key == L"data source") {
            target.file = normalisePath(value);
            haveSource = !target.file.empty();
        } else if (key == L"jet oledb:database password") {
            target.password = value;
        }
    }
    if (!haveSource) return std::nullopt;
    return target;
}

std::wstring likeKey(const std::wstring& key) {
    std::wstring out;
    out.reserve(key.size());
    for (wchar_t c : key) {
        out += c;
        if (c == L'\'') out += L'\'';
    }
    return out;
}

} // namespace data
