// The text-to-speech control the forms drive. They make four calls, always in this order: the
// language, the voice mode, the speed, then the text. Speaking returns at once; the engine speaks
// on its own while the window goes on.
#pragma once

#include "platform/speech/voice.h"

#include <functional>
#include <memory>
#include <string>

namespace speech {

// What one Speak hands to an engine. With a wave file the speech goes there instead of the sound
// device.
struct Utterance {
    Voice voice;
    int speed = 160;
    std::wstring text;
    std::wstring waveFile;
};

// Something that speaks an utterance: espeak-ng, SAPI, or a test's double.
class Engine {
public:
    virtual ~Engine() = default;
    // Starts speaking and returns. A failure to start (no engine installed) is a RuntimeError; a
    // missing sound device is the engine's own affair and not reported.
    virtual void say(const Utterance& utterance) = 0;
    // Ends the speech still going, and whatever it keeps for it (a text file).
    virtual void stop() noexcept {}
};

// The members the forms call.
class Speech {
public:
    virtual ~Speech() = default;
    // 1033 English, 1049 Russian; another identifier keeps the language as it was.
    virtual void Select(int languageId) = 0;
    // One of the four voice identifiers; another gives the language's default voice.
    virtual void setModeId(const std::wstring& modeId) = 0;
    // Words per minute.
    virtual void setSpeed(int wordsPerMinute) = 0;
    virtual void Speak(const std::wstring& text) = 0;
};

class TextToSpeech : public Speech {
public:
    // Without an engine, the platform's own: espeak-ng under Wine, SAPI on Windows.
    explicit TextToSpeech(std::shared_ptr<Engine> engine = nullptr);

    void Select(int languageId) override;
    void setModeId(const std::wstring& modeId) override;
    void setSpeed(int wordsPerMinute) override;
    // Text of blanks only says nothing.
    void Speak(const std::wstring& text) override;

    // The wave mode: every Speak writes this file (a Windows path) instead of sounding; empty ends it.
    void setWaveFile(std::wstring path) { waveFile_ = std::move(path); }

    Voice voice() const { return voice_; }
    int speed() const { return speed_; }

private:
    std::shared_ptr<Engine> engine_;
    Language language_ = Language::English;
    Voice voice_;
    int speed_ = 160;
    std::wstring waveFile_;
};

// The engine of this platform, made on first use and shared.
std::shared_ptr<Engine> platformEngine();

// The speech control the forms create; tests put in a factory of their own (an empty one restores
// the real control). The previous factory is returned.
using SpeechFactory = std::function<std::unique_ptr<Speech>()>;
std::unique_ptr<Speech> createSpeech();
SpeechFactory setSpeechFactory(SpeechFactory factory);

// Ends the speech still going and removes the temporary files the engines wrote; the program calls
// it on its way out.
void removeSpeechFiles() noexcept;

} // namespace speech
