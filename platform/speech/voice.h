// The voices the speech layer offers: English and Russian, each with a man's and a woman's voice,
// chosen by language identifier and by the voice-mode identifiers the forms pass.
#pragma once

#include <optional>
#include <string>

namespace speech {

enum class Language { English, Russian };
enum class Gender { Man, Woman };

struct Voice {
    Language language = Language::English;
    Gender gender = Gender::Man;
    friend bool operator==(const Voice&, const Voice&) = default;
};

// Language identifiers: 1033 English (United States), 1049 Russian.
inline constexpr int kEnglishId = 1033;
inline constexpr int kRussianId = 1049;
std::optional<Language> languageOf(int languageId);

// The four voice-mode identifiers (a GUID without braces, any letter case); nothing for another.
std::optional<Voice> voiceOfMode(const std::wstring& modeId);
// The identifier of a voice, as the forms pass it.
const wchar_t* modeIdOf(Voice voice);

// The voice a language speaks with when no mode names one of its own.
inline Voice defaultVoice(Language language) {
    return {language, Gender::Man};
}

// Speeds in words per minute that the engines take; others are clamped into it.
inline constexpr int kSlowest = 80;
inline constexpr int kFastest = 450;
int clampSpeed(int wordsPerMinute);

} // namespace speech
