// SAPI 5 as the engine on Windows: a voice token chosen by language and gender, the rate taken from
// words per minute, the text spoken asynchronously.
#pragma once

#include "platform/speech/text_to_speech.h"

struct ISpVoice;

namespace speech {

// SAPI's rate (-10 to 10) for a speed in words per minute: 0 at 170, each step about a tenth faster
// or slower, as the engine's own scale goes.
int sapiRate(int wordsPerMinute);
// The token attributes that ask for a voice: "Language=409;Gender=Female".
std::wstring sapiAttributes(Voice voice, bool withGender);

class SapiEngine : public Engine {
public:
    SapiEngine() = default;
    ~SapiEngine() override;
    SapiEngine(const SapiEngine&) = delete;
    SapiEngine& operator=(const SapiEngine&) = delete;

    // Whether SAPI is there and has a voice for the language.
    bool hasVoice(Language language);
    void say(const Utterance& utterance) override;
    void stop() noexcept override;

private:
    ISpVoice* voice_ = nullptr;
    bool started_ = false;
    bool start();
};

} // namespace speech
