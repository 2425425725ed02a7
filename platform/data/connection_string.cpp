#include "platform/data/connection_string.h"

#include "platform/data/host_path.h"

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
    ConnectionTarget target;
    bool haveSource = false;
    size_t i = 0;
    while (i < text.size()) {
        size_t eq = text.find_first_of(L"=;", i);
        if (eq == std::wstring::npos) break;
        if (text[eq] == L';') { // a part without "=" says nothing
            i = eq + 1;
            continue;
        }
        std::wstring key = keyOf(text.substr(i, eq - i));
        size_t v = eq + 1;
        while (v < text.size() && isBlank(text[v])) ++v;
        std::wstring value;
        if (v < text.size() && (text[v] == L'"' || text[v] == L'\'')) {
            // A quoted value runs to its closing quote; the quote doubled stands for itself.
            wchar_t quote = text[v];
            for (++v; v < text.size(); ++v) {
                if (text[v] == quote) {
                    if (v + 1 < text.size() && text[v + 1] == quote) {
                        value += quote;
                        ++v;
                        continue;
                    }
                    ++v;
                    break;
                }
                value += text[v];
            }
            size_t end = text.find(L';', v);
            i = end == std::wstring::npos ? text.size() : end + 1;
        } else {
            size_t end = text.find(L';', v);
            if (end == std::wstring::npos) end = text.size();
            value = trim(text.substr(v, end - v));
            i = end + 1;
        }
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

std::wstring connectionValue(const std::wstring& value) {
    bool plain = value.find(L';') == std::wstring::npos &&
                 (value.empty() || (!isBlank(value.front()) && !isBlank(value.back()) && value[0] != L'"' &&
                                    value[0] != L'\''));
    if (plain) return value;
    std::wstring out = L"\"";
    for (wchar_t c : value) {
        out += c;
        if (c == L'"') out += L'"';
    }
    return out + L"\"";
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
