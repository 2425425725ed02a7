#include "app/lookup.h"

#include "platform/forms/functions.h"

#include <vector>

namespace app {

namespace {

// "Русский язык", written by its code points so the source file's encoding cannot change it.
const wchar_t kRussianName[] = {0x0420, 0x0443, 0x0441, 0x0441, 0x043A, 0x0438, 0x0439,
                                L' ',   0x044F, 0x0437, 0x044B, 0x043A, 0};
const wchar_t kTurkishName[] = {L'T', L'\u00FC', L'r', L'k', L'\u00E7', L'e', 0};

using enum RecordLanguage;

const Direction kDirections[] = {
    {1, English, Turkish, L"English", kTurkishName}, {2, English, Russian, L"English", kRussianName},
    {3, Russian, English, kRussianName, L"English"}, {4, Russian, Turkish, kRussianName, kTurkishName},
    {5, Turkish, English, kTurkishName, L"English"}, {6, Turkish, Russian, kTurkishName, kRussianName},
};

std::optional<std::wstring> pieceOf(const std::vector<std::wstring>& parts, RecordLanguage language) {
    if (parts.size() <= partIndex(language)) return std::nullopt;
    std::wstring word = parts[partIndex(language)];
    if (language != Russian) {
        auto pieces = forms::Split(word, L"@");
        size_t piece = language == English ? 1 : 0;
        if (pieces.size() <= piece) return std::nullopt;
        word = pieces[piece];
    }
    if (word.empty()) return std::nullopt;
    return word;
}

} // namespace

bool Taken::take(const std::wstring& entry) {
    auto [at, added] = seen_.insert(entry);
    if (added) order_.push_back(&*at);
    return added;
}

std::wstring Taken::text() const {
    std::wstring out;
    for (const std::wstring* entry : order_) out += L"#" + *entry + L"$";
    return out;
}

const Direction* direction(int number) {
    return number >= 1 && number <= 6 ? &kDirections[number - 1] : nullptr;
}

std::wstring searchKey(int direction, const std::wstring& word) {
    return (direction < 3 ? L"@" : L"<>") + word;
}

std::wstring translationKey(int number, const std::wstring& h, const std::wstring& previous) {
    const Direction* d = direction(number);
    if (!d) return previous;
    if (d->source == English) return L"@" + h + L"<>";
    if (d->source == Russian) return L"<>" + h + L"<>";
    return L"<>" + h + L"@";
}

std::optional<std::wstring> shownWord(const std::wstring& record, RecordLanguage language) {
    return pieceOf(forms::Split(record, L"<>"), language);
}

std::optional<std::wstring> searchRow(int number, const std::wstring& record, const std::wstring& word,
                                      Taken& ya) {
    const Direction* d = direction(number);
    RecordLanguage source = d ? d->source : English;
    auto parts = forms::Split(record, L"<>");
    // A record without this language's word has nothing to list, and one without a word of the
    // target language nothing to translate it with: a headword listed from it would show an empty
    // translation list. Its part is not marked either, so a later row of the same word still lists it.
    auto shown = pieceOf(parts, source);
    if (!shown || (d && !pieceOf(parts, d->target))) return std::nullopt;
    const std::wstring& part = parts[partIndex(source)];
    if (part.find(word) == std::wstring::npos) return std::nullopt;
    if (!ya.take(part)) return std::nullopt;
    return shown;
}

std::optional<std::wstring> translationRow(int number, const std::wstring& record, Taken& ga) {
    const Direction* d = direction(number);
    if (!d) return std::nullopt;
    auto shown = shownWord(record, d->target);
    if (!shown || !ga.take(*shown)) return std::nullopt;
    return shown;
}

} // namespace app
