#include "dict_senses.h"

#include "platform/data/text.h"

#include <cwchar>

namespace quality {

namespace {

std::vector<std::wstring> lines(const std::wstring& text) {
    std::vector<std::wstring> out(1);
    for (wchar_t c : text) {
        if (c == L'\n')
            out.emplace_back();
        else if (c != L'\r')
            out.back() += c;
    }
    return out;
}

std::wstring trimmed(const std::wstring& s) {
    size_t a = s.find_first_not_of(L' '), b = s.find_last_not_of(L' ');
    return a == std::wstring::npos ? std::wstring() : s.substr(a, b - a + 1);
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// "1. " or "12) " at the start: the number's end, or 0.
size_t marker(const std::wstring& s, wchar_t after) {
    size_t i = 0;
    while (i < s.size() && isDigit(s[i])) ++i;
    return i > 0 && i < s.size() && s[i] == after ? i + 1 : 0;
}

// Groups in brackets go, nested ones too; a ")" that closes nothing takes everything before it.
std::wstring withoutNotes(const std::wstring& s) {
    std::wstring out;
    int depth = 0;
    for (wchar_t c : s) {
        if (c == L'(' || c == L'[' || c == L'{') {
            ++depth;
        } else if (c == L')' || c == L']' || c == L'}') {
            if (depth == 0)
                out.clear();
            else
                --depth;
        } else if (depth == 0) {
            out += c;
        }
    }
    return out;
}

std::wstring withoutLabels(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'_') {
            while (i < s.size() && s[i] != L' ' && s[i] != L'.') ++i;
            continue;
        }
        out += s[i];
    }
    return out;
}

bool inAlphabet(wchar_t c, bool cyrillic) {
    if (cyrillic) return c >= 0x400 && c <= 0x4FF;
    return (c >= L'a' && c <= L'z') || c == 0xE2 || c == 0xEE || c == 0xFB || c == 0xE7 || c == 0xF6 ||
           c == 0xFC || c == 0x11F || c == 0x131 || c == 0x15F;
}

std::wstring firstItem(const std::wstring& sense, bool cyrillic) {
    std::wstring text = trimmed(withoutNotes(withoutLabels(sense)));
    if (text.size() > 1 && text[0] == L'.' && text[1] != L'.') text = trimmed(text.substr(1));
    // Labels of where a word is used: "ing." (British), "ABD" (American).
    for (const wchar_t* label : {L"ing.", L"ing,", L"ABD"})
        if (text.rfind(label, 0) == 0) text = trimmed(text.substr(std::wcslen(label)));
    while (!text.empty() && (text[0] == L',' || text[0] == L'.')) text = trimmed(text.substr(1));
    text = trimmed(data::lowerCase(text.substr(0, text.find_first_of(L",;:."))));
    std::wstring item;
    for (wchar_t c : text)
        if (c != L' ' || (!item.empty() && item.back() != L' ')) item += c;
    int words = item.empty() ? 0 : 1;
    bool letter = false;
    for (wchar_t c : item) {
        words += c == L' ';
        letter = letter || inAlphabet(c, cyrillic);
        if (!inAlphabet(c, cyrillic) && c != L' ' && c != L'-' && c != L'\'') return {};
    }
    return letter && words <= 4 ? item : std::wstring();
}

// The senses of one article: its lines after the headword line.
std::vector<std::wstring> numberedSenses(const std::vector<std::wstring>& body) {
    std::vector<std::wstring> senses;
    bool numbered = false;
    for (const auto& raw : body) {
        std::wstring line = trimmed(raw);
        size_t n = marker(line, L'.');
        numbered = numbered || n;
        // An abbreviation spelt out ("(kıs.) catalogue") or a cross-reference ("(bak.) buy") is no
        // translation.
        if (n && line.find(L"(bak.)") == std::wstring::npos &&
            trimmed(line.substr(n)).rfind(L"(kıs.)", 0) != 0)
            senses.push_back(line.substr(n));
    }
    if (!numbered && !body.empty()) senses.push_back(trimmed(body.front()));
    return senses;
}

std::vector<std::wstring> muellerSenses(const std::vector<std::wstring>& body) {
    std::vector<std::wstring> senses;
    bool open = false; // whether continuation lines belong to the last sense
    for (const auto& raw : body) {
        std::wstring line = trimmed(raw);
        bool structure = false;
        if (line.size() > 1 && line[0] == L'_' && (line[1] == L'I' || line[1] == L'V' || line[1] == L'X')) {
            size_t i = 1;
            while (i < line.size() && (line[i] == L'I' || line[i] == L'V' || line[i] == L'X')) ++i;
            line = trimmed(line.substr(i));
            structure = true;
        }
        if (size_t n = marker(line, L'.')) {
            line = trimmed(line.substr(n));
            structure = true;
        }
        if (size_t n = marker(line, L')')) {
            senses.push_back(line.substr(n));
            open = true;
            continue;
        }
        // A sub-sense ("а) ...") belongs to a phrase of the sense before it.
        if (line.size() > 1 && line[0] >= 0x430 && line[0] <= 0x44F && line[1] == L')') {
            open = false;
            continue;
        }
        // A homonym or a part of speech that gives its translation on its own line, or an article
        // without numbers.
        std::wstring rest = withoutNotes(withoutLabels(line));
        bool cyrillic = false;
        for (wchar_t c : rest) cyrillic = cyrillic || (c >= 0x400 && c <= 0x4FF);
        if (structure || senses.empty()) {
            open = cyrillic;
            if (cyrillic) senses.push_back(line);
        } else if (open) {
            senses.back() += L" " + line;
        }
    }
    return senses;
}

} // namespace

namespace {

struct Article {
    std::wstring headline;
    std::vector<std::wstring> body;
};

std::vector<Article> articlesOf(const std::wstring& output) {
    std::vector<Article> articles;
    bool inArticle = false, headword = false;
    for (const auto& line : lines(output)) {
        if (line.rfind(L"From ", 0) == 0) {
            articles.emplace_back();
            inArticle = true;
            headword = true;
            continue;
        }
        if (!inArticle || trimmed(line).empty()) continue;
        // The article's lines are indented; dict's own lines ("2 definitions found") are not.
        if (line.rfind(L"  ", 0) != 0) {
            inArticle = false;
            continue;
        }
        if (headword) {
            articles.back().headline = trimmed(line);
            headword = false;
            continue;
        }
        articles.back().body.push_back(line);
    }
    return articles;
}

} // namespace

std::vector<std::wstring> firstTranslations(const std::wstring& output, Layout layout, bool cyrillic) {
    std::vector<std::wstring> out;
    for (const auto& article : articlesOf(output))
        for (const auto& sense :
             layout == Layout::Mueller ? muellerSenses(article.body) : numberedSenses(article.body))
            if (auto item = firstItem(sense, cyrillic); !item.empty()) out.push_back(item);
    return out;
}

std::vector<std::wstring> articleNames(const std::wstring& output) {
    std::vector<std::wstring> names;
    for (const auto& article : articlesOf(output)) {
        std::wstring head = article.headline.substr(0, article.headline.find_first_of(L"/["));
        size_t start = 0;
        for (;;) {
            size_t comma = head.find(L',', start);
            std::wstring name = trimmed(data::lowerCase(
                head.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start)));
            if (!name.empty()) names.push_back(name);
            if (comma == std::wstring::npos) break;
            start = comma + 1;
        }
    }
    return names;
}

} // namespace quality
