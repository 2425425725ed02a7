#include "platform/speech/text_to_speech.h"

#include "platform/core/host_path.h"
#include "platform/speech/espeak.h"
#include "platform/speech/sapi.h"

#include <windows.h>

namespace speech {

TextToSpeech::TextToSpeech(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

void TextToSpeech::Select(int languageId) {
    if (auto language = languageOf(languageId)) {
        language_ = *language;
        voice_ = defaultVoice(language_);
    }
}

void TextToSpeech::setModeId(const std::wstring& modeId) {
    voice_ = voiceOfMode(modeId).value_or(defaultVoice(language_));
}

void TextToSpeech::setSpeed(int wordsPerMinute) {
    speed_ = clampSpeed(wordsPerMinute);
}

void TextToSpeech::Speak(const std::wstring& text) {
    if (text.find_first_not_of(L' ') == std::wstring::npos) return;
    if (!engine_) engine_ = platformEngine();
    engine_->say({voice_, speed_, text, waveFile_});
}

namespace {

// Windows: SAPI speaks a language it has a voice for; espeak-ng, when installed, the others.
class WindowsEngine : public Engine {
public:
    void say(const Utterance& u) override {
        if (u.waveFile.empty() && sapi_.hasVoice(u.voice.language)) {
            sapi_.say(u);
            return;
        }
        espeak_.say(u);
    }
    void stop() noexcept override {
        sapi_.stop();
        espeak_.stop();
    }

private:
    SapiEngine sapi_;
    EspeakEngine espeak_;
};

// A program that ends by returning from its entry point leaves no text file behind either; the engine
// itself may be gone by then.
struct RemoveAtExit {
    ~RemoveAtExit() { removeTextFiles(); }
} removeAtExit;

std::shared_ptr<Engine>& engineSlot() {
    static std::shared_ptr<Engine> engine;
    return engine;
}

SpeechFactory& factorySlot() {
    static SpeechFactory factory;
    return factory;
}

} // namespace

std::shared_ptr<Engine> platformEngine() {
    std::shared_ptr<Engine>& engine = engineSlot();
    if (!engine)
        engine = core::runningUnderWine() ? std::shared_ptr<Engine>(new EspeakEngine)
                                          : std::shared_ptr<Engine>(new WindowsEngine);
    return engine;
}

std::unique_ptr<Speech> createSpeech() {
    if (factorySlot()) return factorySlot()();
    return std::make_unique<TextToSpeech>();
}

SpeechFactory setSpeechFactory(SpeechFactory factory) {
    SpeechFactory old = std::move(factorySlot());
    factorySlot() = std::move(factory);
    return old;
}

void removeSpeechFiles() noexcept {
    if (const std::shared_ptr<Engine>& engine = engineSlot()) engine->stop();
    removeTextFiles();
}

} // namespace speech
