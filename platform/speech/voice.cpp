#include "platform/speech/voice.h"

#include <algorithm>
#include <cwctype>

namespace speech {

namespace {

struct Mode {
    const wchar_t* id;
    Voice voice;
};

constexpr Mode kModes[] = {
    {L"227A0E41-A92A-11d1-B17B-0020AFED142E", {Language::English, Gender::Man}},
    {L"227A0E40-A92A-11d1-B17B-0020AFED142E", {Language::English, Gender::Woman}},
    {L"06377F81-D48E-11d1-B17B-0020AFED142E", {Language::Russian, Gender::Man}},
    {L"06377F80-D48E-11d1-B17B-0020AFED142E", {Language::Russian, Gender::Woman}},
};

bool sameIgnoringCase(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return i == a.size() && !b[i];
}

} // namespace

std::optional<Language> languageOf(int languageId) {
    if (languageId == kEnglishId) return Language::English;
    if (languageId == kRussianId) return Language::Russian;
    return std::nullopt;
}

std::optional<Voice> voiceOfMode(const std::wstring& modeId) {
    for (const Mode& m : kModes)
        if (sameIgnoringCase(modeId, m.id)) return m.voice;
    return std::nullopt;
}

const wchar_t* modeIdOf(Voice voice) {
    for (const Mode& m : kModes)
        if (m.voice == voice) return m.id;
    return L"";
}

int clampSpeed(int wordsPerMinute) {
    return std::clamp(wordsPerMinute, kSlowest, kFastest);
}

} // namespace speech
