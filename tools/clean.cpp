#include "tools/clean.h"

#include "platform/data/text.h"

#include <algorithm>
#include <cwchar>

namespace tools {

namespace {

bool isLatin(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
bool isCyrillic(wchar_t c) {
    return c >= 0x400 && c <= 0x4FF;
}
bool isLatinLetter(wchar_t c) {
    return isLatin(c) || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}
bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == 0xA0;
}

} // namespace

std::wstring collapseBlanks(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (isBlank(c)) {
            if (!out.empty() && out.back() != L' ') out += L' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == L' ') out.pop_back();
    return out;
}

std::wstring dropBrackets(const std::wstring& s) {
    std::wstring out;
    int depth = 0;
    for (wchar_t c : s) {
        if (c == L'(' || c == L'[' || c == L'{') {
            ++depth;
            out += L' ';
        } else if (c == L')' || c == L']' || c == L'}') {
            if (depth > 0) --depth;
        } else if (depth == 0) {
            out += c;
        }
    }
    return out;
}

namespace {

std::vector<std::wstring> split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    std::wstring cur;
    for (wchar_t c : s) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

int wordCount(const std::wstring& s) {
    int n = s.empty() ? 0 : 1;
    for (wchar_t c : s) n += c == L' ';
    return n;
}

// "тот, кто кусается": a comma followed by a relative word joins a clause, not two translations.
bool opensClause(const std::wstring& item) {
    static const wchar_t* const clauses[] = {L"что",     L"чтобы",   L"кто", L"который",
                                             L"которая", L"которое", L"где"};
    std::wstring head = item.substr(0, item.find(L' '));
    for (auto c : clauses)
        if (head == c) return true;
    return false;
}

bool endsWith(const std::wstring& word, const wchar_t* end) {
    size_t n = std::wcslen(end);
    return word.size() > n + 1 && word.compare(word.size() - n, n, end) == 0;
}

// A participle or a long adjective ("идущий", "погружённый", "склонный"), by its endings.
bool participle(const std::wstring& word) {
    static const wchar_t* const endings[] = {L"щий",  L"щая",  L"щее",  L"щие",  L"вший", L"вшая", L"вшее",
                                             L"вшие", L"емый", L"имый", L"нный", L"нная", L"нное", L"нные"};
    std::wstring w = endsWith(word, L"ся") ? word.substr(0, word.size() - 2) : word;
    for (auto e : endings)
        if (endsWith(w, e)) return true;
    return false;
}

// "человек, идущий на уступки", "лицо, помещающее объявление": a word for anyone or anything,
// followed by a participle phrase, heads a description; alone it is no translation.
bool describedAfter(const std::wstring& item, const std::wstring& next) {
    static const wchar_t* const heads[] = {L"человек", L"лицо", L"люди", L"вещь", L"предмет", L"место"};
    if (wordCount(next) < 2 || std::find(std::begin(heads), std::end(heads), item) == std::end(heads))
        return false;
    auto words = split(next, L' ');
    return participle(words[0]) || participle(words[1]);
}

// A word or short phrase of one script, with blanks, hyphens and apostrophes inside.
bool acceptable(const std::wstring& item, bool cyrillic) {
    if (item.empty() || item.size() > 40 || wordCount(item) > 4) return false;
    bool letter = false;
    for (wchar_t c : item) {
        bool ok = cyrillic ? isCyrillic(c) : isLatinLetter(c);
        if (ok) {
            letter = true;
            continue;
        }
        if (c == L' ' || c == L'-' || c == L'\'') continue;
        return false;
    }
    if (!letter || item.front() == L'-' || item.back() == L'-') return false;
    // A phrase cut at a comma ends in a word that cannot end one ("забыть то, что знал").
    static const wchar_t* const dangling[] = {L"то", L"что", L"и",  L"в",  L"на", L"с",    L"к",   L"о",
                                              L"от", L"по",  L"за", L"из", L"ve", L"veya", L"ile", L"bir"};
    if (item.find(L' ') != std::wstring::npos && opensClause(item)) return false;
    size_t blank = item.rfind(L' ');
    if (blank != std::wstring::npos) {
        std::wstring last = item.substr(blank + 1);
        for (auto d : dangling)
            if (last == d) return false;
    }
    return true;
}

std::wstring posOfLabel(const std::wstring& label) {
    static const wchar_t* known[] = {L"n",    L"v",  L"a",    L"adv", L"pron",
                                     L"prep", L"cj", L"conj", L"int", L"num"};
    for (auto k : known)
        if (label == k) return label == L"conj" ? L"cj" : label;
    return {};
}

void addItems(const std::wstring& sense, bool cyrillic, const std::wstring& pos, int number,
              std::vector<Translation>& out) {
    auto items = split(sense, L',');
    for (size_t i = 0; i < items.size(); ++i) {
        std::wstring raw = collapseBlanks(items[i]);
        if (cyrillic && i + 1 < items.size()) {
            std::wstring next = data::lowerCase(collapseBlanks(items[i + 1]));
            if (opensClause(next) || describedAfter(data::lowerCase(raw), next)) continue;
        }
        // A capital inside a word is a scanning fault of the source ("âIâ").
        bool mixed = false;
        for (size_t k = 1; k < raw.size(); ++k)
            mixed = mixed || (raw[k - 1] != L' ' && raw[k - 1] != L'-' &&
                              data::lowerCase(raw.substr(k, 1)) != raw.substr(k, 1));
        if (mixed) continue;
        std::wstring word = data::lowerCase(raw);
        while (!word.empty() && (word.back() == L'.' || word.back() == L'!' || word.back() == L'?'))
            word.pop_back();
        if (!acceptable(word, cyrillic)) continue;
        bool seen = false;
        for (const auto& t : out) seen = seen || t.word == word;
        if (!seen) out.push_back({word, pos, number});
    }
}

} // namespace

std::wstring cleanHeadword(const std::wstring& headword) {
    std::wstring word = data::lowerCase(collapseBlanks(headword));
    if (word.empty() || word.size() > 40 || wordCount(word) > 3) return {};
    for (wchar_t c : word)
        if (!isLatin(c) && c != L' ' && c != L'-' && c != L'\'') return {};
    if (!isLatin(word.front()) || !isLatin(word.back())) return {};
    return word;
}

bool plausibleTurkish(const std::wstring& text) {
    // Stress-marked English derivatives that some articles append ("hydrolog'ic", "fer'mentative").
    static const wchar_t* const englishEndings[] = {L"ic",   L"ity", L"tion", L"tial", L"tive", L"ous",
                                                    L"ness", L"dom", L"ary",  L"tics", L"ive"};
    if (text.size() == 1 && text != L"o") return false; // stray letters of sense markers
    for (const auto& word : split(text, L' ')) {
        if (word.find_first_of(L"wqx") != std::wstring::npos) return false; // not Turkish letters
        size_t mark = word.find(L'\'');
        if (mark == std::wstring::npos) continue;
        std::wstring before = word.substr(0, mark), after = word.substr(mark + 1);
        if (before.empty() || after.empty() || after.find(L'\'') != std::wstring::npos) return false;
        for (auto e : englishEndings) {
            std::wstring end(e);
            if (after.size() >= end.size() && after.compare(after.size() - end.size(), end.size(), end) == 0)
                return false;
        }
    }
    return true;
}

bool fitsInPiece(const std::wstring& text) {
    return !text.empty() && text.find(L"<>") == std::wstring::npos && text.find(L'@') == std::wstring::npos &&
           text.find(L'$') == std::wstring::npos && text.find(L"<%S%>") == std::wstring::npos;
}

std::vector<Translation> cleanRussianArticle(const std::wstring& text) {
    // Split the article (without its headword line) into senses at the markers that open a line.
    std::vector<std::pair<std::wstring, std::wstring>> senses; // text, pos
    std::vector<bool> isSub;
    std::wstring pos;
    std::wstring current;
    bool currentSub = false;
    auto flush = [&] {
        senses.push_back({current, pos});
        isSub.push_back(currentSub);
        current.clear();
    };
    auto lines = split(text, L'\n');
    for (size_t li = 1; li < lines.size(); ++li) {
        std::wstring line = lines[li];
        size_t i = 0;
        while (i < line.size() && isBlank(line[i])) ++i;
        line = line.substr(i);
        // Markers: "_I", "_II" (homonyms), "1." (part of speech group), "1)" (sense), "а)" (sub-sense).
        for (;;) {
            size_t j = 0;
            if (line.size() > 1 && line[0] == L'_' &&
                (line[1] == L'I' || line[1] == L'V' || line[1] == L'X')) {
                j = 1;
                while (j < line.size() && (line[j] == L'I' || line[j] == L'V' || line[j] == L'X')) ++j;
                flush();
                currentSub = false;
                line = line.substr(j);
            } else if (!line.empty() && line[0] >= L'0' && line[0] <= L'9') {
                while (j < line.size() && line[j] >= L'0' && line[j] <= L'9') ++j;
                if (j < line.size() && (line[j] == L'.' || line[j] == L')')) {
                    flush();
                    currentSub = false;
                    line = line.substr(j + 1);
                } else {
                    break;
                }
            } else if (line.size() > 1 && isCyrillic(line[0]) && line[1] == L')') {
                flush();
                currentSub = true;
                line = line.substr(2);
            } else {
                break;
            }
            size_t k = 0;
            while (k < line.size() && isBlank(line[k])) ++k;
            line = line.substr(k);
        }
        // Part-of-speech labels of the group that starts here.
        size_t u = 0;
        while ((u = line.find(L'_', u)) != std::wstring::npos) {
            size_t e = u + 1;
            while (e < line.size() && isLatin(line[e])) ++e;
            std::wstring p = posOfLabel(line.substr(u + 1, e - u - 1));
            if (!p.empty() && e < line.size() && line[e] == L'.') pos = p;
            u = e;
        }
        current += L' ' + line;
    }
    flush();

    std::vector<Translation> out;
    for (size_t s = 0; s < senses.size(); ++s) {
        if (isSub[s]) continue; // sub-senses belong to a phrase, not to the headword
        std::wstring sense = dropBrackets(senses[s].first);
        // Labels: "_разг.", "_ам.", "_n." and the like.
        std::wstring clean;
        for (size_t i = 0; i < sense.size(); ++i) {
            if (sense[i] == L'_') {
                while (i < sense.size() && !isBlank(sense[i]) && sense[i] != L'.') ++i;
                continue;
            }
            clean += sense[i];
        }
        for (const auto& piece : split(clean, L';')) {
            bool latin = false;
            for (wchar_t c : piece) latin = latin || isLatin(c);
            if (latin) break; // an example or a phrase starts here
            if (piece.find(L':') != std::wstring::npos || piece.find(L'=') != std::wstring::npos) break;
            addItems(piece, true, senses[s].second, static_cast<int>(s), out);
        }
    }
    return out;
}

namespace {

// The end of the bracket group that opens at "from", nested groups included; npos when it is open
// to the end.
size_t groupEnd(const std::wstring& s, size_t from) {
    int depth = 0;
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] == L'(') ++depth;
        if (s[i] == L')' && --depth == 0) return i;
    }
    return std::wstring::npos;
}

// A ")" with no "(" open closes a note whose opening bracket the source's own abbreviation took
// ("(çoğ.) women) kadın" stands for "(çoğ. women) kadın"): the note runs from the last group opened
// before it, or from the start of its item when there is none, and goes as a whole.
std::wstring dropStrayNotes(std::wstring line) {
    for (;;) {
        int depth = 0;
        size_t group = std::wstring::npos, item = 0, stray = std::wstring::npos;
        for (size_t i = 0; i < line.size() && stray == std::wstring::npos; ++i) {
            if (line[i] == L'(') {
                if (depth++ == 0) group = i;
            } else if (line[i] == L')') {
                if (depth == 0)
                    stray = i;
                else
                    --depth;
            } else if (depth == 0 && (line[i] == L',' || line[i] == L';')) {
                item = i + 1;
            }
        }
        if (stray == std::wstring::npos) return line;
        size_t from = group != std::wstring::npos ? group : item;
        line.erase(from, stray + 1 - from);
    }
}

} // namespace

std::vector<Translation> cleanNumberedArticle(const std::wstring& text) {
    std::vector<Translation> out;
    auto lines = split(text, L'\n');
    bool cyrillic = false;
    for (wchar_t c : text.substr(text.find(L'\n') == std::wstring::npos ? text.size() : text.find(L'\n')))
        cyrillic = cyrillic || isCyrillic(c);
    for (size_t li = 1; li < lines.size(); ++li) {
        std::wstring line = collapseBlanks(lines[li]);
        size_t j = 0;
        while (j < line.size() && line[j] >= L'0' && line[j] <= L'9') ++j;
        if (j > 0 && j < line.size() && line[j] == L'.') line = collapseBlanks(line.substr(j + 1));
        // A stray dot before the first word ("1. .oynamak"); an ellipsis stands for a word left out.
        if (line.size() > 1 && line[0] == L'.' && line[1] != L'.') line = collapseBlanks(line.substr(1));
        // "ing." marks British use, as "(İng.)" does elsewhere.
        if (line.rfind(L"ing.", 0) == 0 || line.rfind(L"ing,", 0) == 0) line = collapseBlanks(line.substr(4));
        if (line.empty()) continue;
        // A leading note such as "(kıs.)" or "(mat.)" marks a sense worth keeping; a
        // cross-reference "(bak.)" does not give a translation.
        if (line.find(L"(bak.)") != std::wstring::npos || line.rfind(L"(kıs.)", 0) == 0) continue;
        line = collapseBlanks(dropStrayNotes(line));
        // Notes that open the sense ("(mat.) dizi") are dropped; a note after the first word ends
        // the translations ("kedi, (zool.) Felis domestica").
        bool glitch = false;
        for (size_t k = 0; k + 1 < line.size(); ++k)
            glitch = glitch || (line[k] == L')' && isLatinLetter(line[k + 1]));
        if (glitch) continue;
        while (!line.empty() && line[0] == L'(') {
            size_t close = groupEnd(line, 0);
            if (close == std::wstring::npos) break;
            line = collapseBlanks(line.substr(close + 1));
            // Notes come in runs: "(A.B.D.), (argo) öpüşmek".
            while (!line.empty() && (line[0] == L',' || line[0] == L' ')) line.erase(0, 1);
        }
        if (size_t note = line.find(L'('); note != std::wstring::npos) line = line.substr(0, note);
        size_t stop = line.find(L". ");
        if (stop != std::wstring::npos) line = line.substr(0, stop);
        // What follows a colon explains the translations before it ("satın almak, almak: bir şey
        // karşılığında sağlamak") or gives an example.
        line = line.substr(0, line.find(L':'));
        for (const auto& piece : split(line, L';')) addItems(piece, cyrillic, L"", static_cast<int>(li), out);
    }
    return out;
}

} // namespace tools
