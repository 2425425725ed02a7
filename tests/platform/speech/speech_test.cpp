// The speech layer: voices by language and mode, the engine's command, and real speech written to a
// wave file by espeak-ng under Wine.
#include "platform/core/host_path.h"
#include "platform/speech/espeak.h"
#include "platform/speech/sapi.h"
#include "platform/speech/text_to_speech.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using speech::Gender;
using speech::Language;
using speech::Voice;

struct Capture : speech::Engine {
    std::vector<speech::Utterance> said;
    void say(const speech::Utterance& u) override { said.push_back(u); }
};

TEST(Speech, ModesLanguagesAndSpeedsChooseTheVoice) {
    struct Case {
        int language;
        const wchar_t* mode;
        Voice voice;
    };
    const Case cases[] = {
        {1033, L"227A0E41-A92A-11d1-B17B-0020AFED142E", {Language::English, Gender::Man}},
        {1033, L"227A0E40-A92A-11d1-B17B-0020AFED142E", {Language::English, Gender::Woman}},
        {1049, L"06377F81-D48E-11d1-B17B-0020AFED142E", {Language::Russian, Gender::Man}},
        {1049, L"06377f80-d48e-11D1-b17b-0020afed142e", {Language::Russian, Gender::Woman}},
        {1049, L"not a voice", {Language::Russian, Gender::Man}},
        {1033, L"", {Language::English, Gender::Man}},
        // An unknown language keeps the one before.
        {1055, L"nothing", {Language::English, Gender::Man}},
        {1049, L"", {Language::Russian, Gender::Man}},
        {1055, L"227A0E40-A92A-11d1-B17B-0020AFED142E", {Language::English, Gender::Woman}},
    };
    auto engine = std::make_shared<Capture>();
    speech::TextToSpeech tts(engine);
    tts.Select(1049);
    for (const Case& c : cases) {
        tts.Select(c.language);
        tts.setModeId(c.mode);
        EXPECT_EQ(tts.voice(), c.voice) << c.mode;
    }
    EXPECT_EQ(std::wstring(speech::modeIdOf({Language::Russian, Gender::Woman})),
              L"06377F80-D48E-11d1-B17B-0020AFED142E");

    tts.setSpeed(120);
    tts.Speak(L"мир");
    tts.Speak(L"   ");
    tts.setSpeed(5);
    tts.Speak(L"a");
    ASSERT_EQ(engine->said.size(), 2u);
    EXPECT_EQ(engine->said[0].text, L"мир");
    EXPECT_EQ(engine->said[0].speed, 120);
    EXPECT_EQ(engine->said[1].speed, speech::kSlowest);
}

TEST(Speech, TheEngineGetsItsVoiceSpeedAndFilesAsArguments) {
    speech::Utterance u{{Language::Russian, Gender::Woman}, 124, L"мир", L""};
    EXPECT_EQ(speech::espeakArguments(u, L"/tmp/t.txt", L""),
              (std::vector<std::wstring>{L"-v", L"ru+f3", L"-s", L"124", L"-f", L"/tmp/t.txt"}));
    u.voice = {Language::English, Gender::Man};
    u.speed = 1000;
    EXPECT_EQ(speech::espeakArguments(u, L"t.txt", L"/tmp/a b.wav"),
              (std::vector<std::wstring>{L"-v", L"en-us+m3", L"-s", L"450", L"-w", L"/tmp/a b.wav", L"-f",
                                         L"t.txt"}));
    EXPECT_EQ(speech::commandLine(L"Z:\\usr\\bin\\espeak-ng", {L"-f", L"/tmp/a b\\", L"x\"y", L""}),
              L"Z:\\usr\\bin\\espeak-ng -f \"/tmp/a b\\\\\" \"x\\\"y\" \"\"");
}

TEST(Speech, SapiRatesAndTokenAttributes) {
    struct Case {
        int wpm, rate;
    };
    for (Case c : {Case{170, 0}, Case{187, 1}, Case{120, -4}, Case{80, -8}, Case{450, 10}, Case{2000, 10}})
        EXPECT_EQ(speech::sapiRate(c.wpm), c.rate) << c.wpm;
    EXPECT_EQ(speech::sapiAttributes({Language::Russian, Gender::Woman}, true),
              L"Language=419;Gender=Female");
    EXPECT_EQ(speech::sapiAttributes({Language::English, Gender::Man}, false), L"Language=409");
}

// The loudest sample of a 16-bit wave file.
int loudest(const std::wstring& file) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    std::vector<short> samples(200000);
    DWORD read = 0;
    ReadFile(h, samples.data(), DWORD(samples.size() * 2), &read, nullptr);
    CloseHandle(h);
    int peak = 0;
    for (DWORD i = 22; i < read / 2; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    return peak;
}

// Waits until the program has written the whole file: its size stops changing.
DWORD settledSize(const std::wstring& file) {
    DWORD last = 0, stable = 0;
    for (int i = 0; i < 200 && stable < 3; ++i) {
        Sleep(50);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const DWORD size =
            GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
        stable = size > 44 && size == last ? stable + 1 : 0;
        last = size;
    }
    return last;
}

TEST(Speech, TheWaveModeWritesSpokenEnglishAndRussian) {
    if (!core::runningUnderWine() && !speech::espeakProgram()) GTEST_SKIP() << "no espeak-ng";
    ASSERT_TRUE(speech::espeakProgram());
    testsupport::TempFolder folder{L"vexa-speech-"};
    struct Case {
        int language;
        const wchar_t* mode;
        const wchar_t* word;
        const wchar_t* file;
    };
    for (Case c : {Case{1033, L"227A0E41-A92A-11d1-B17B-0020AFED142E", L"dictionary", L"en.wav"},
                   Case{1049, L"06377F80-D48E-11d1-B17B-0020AFED142E", L"словарь", L"ru.wav"}}) {
        speech::TextToSpeech tts;
        const std::wstring wave = folder.path() + L"\\" + c.file;
        tts.setWaveFile(wave);
        tts.Select(c.language);
        tts.setModeId(c.mode);
        tts.setSpeed(160);
        tts.Speak(c.word);
        EXPECT_GT(settledSize(wave), 4000u) << c.word;
        EXPECT_GT(loudest(wave), 3000) << c.word;
    }
}

// The text files of this process's requests that are there.
int textFilesLeft() {
    const std::wstring pattern = speech::speechTextFile(0);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((pattern.substr(0, pattern.size() - 5) + L"*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return n;
}

template <class F>
bool waitFor(F condition) {
    for (int i = 0; i < 200 && !condition(); ++i) Sleep(50);
    return condition();
}

// A long text keeps espeak-ng writing for many seconds: a second request ends it at once, each
// request has a file of its own, and a file goes when its speech ends or is stopped.
TEST(Speech, ANewRequestEndsTheSpeechStillGoingAndNoFileStays) {
    if (!core::runningUnderWine() && !speech::espeakProgram()) GTEST_SKIP() << "no espeak-ng";
    testsupport::TempFolder folder{L"vexa-voice-"};
    std::wstring longText;
    for (int i = 0; i < 3000; ++i) longText += L"dictionary ";
    // Written out whole, the text makes tens of megabytes of sound; stopped at once, a small part of it.
    const DWORD stoppedAtMost = 5'000'000;
    const auto started = [](const std::wstring& wave) {
        return waitFor([&] {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            return GetFileAttributesExW(wave.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 44;
        });
    };
    speech::EspeakEngine engine, otherCopy;
    engine.say({{Language::English, Gender::Man}, 450, longText, folder.file(L"long.wav")});
    const std::wstring first = engine.textFile();
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(started(folder.file(L"long.wav")));

    engine.say({{Language::Russian, Gender::Woman}, 160, L"словарь", folder.file(L"word.wav")});
    otherCopy.say({{Language::English, Gender::Woman}, 160, L"word", folder.file(L"other.wav")});
    const std::wstring second = engine.textFile();
    EXPECT_FALSE(second.empty());
    EXPECT_NE(second, first);
    EXPECT_NE(otherCopy.textFile(), second);
    EXPECT_FALSE(core::fileExists(first));
    EXPECT_TRUE(waitFor([] { return textFilesLeft() == 0; })) << "the files go when their speech ends";
    EXPECT_GT(loudest(folder.file(L"word.wav")), 3000);
    EXPECT_GT(loudest(folder.file(L"other.wav")), 3000);
    EXPECT_LT(settledSize(folder.file(L"long.wav")), stoppedAtMost);

    // Stopping ends the speech and leaves no file.
    engine.say({{Language::English, Gender::Man}, 450, longText, folder.file(L"stopped.wav")});
    ASSERT_TRUE(started(folder.file(L"stopped.wav")));
    engine.stop();
    EXPECT_EQ(textFilesLeft(), 0);
    EXPECT_LT(settledSize(folder.file(L"stopped.wav")), stoppedAtMost);
}

} // namespace
