// A speech control that only writes down the calls made on it, for window tests: each call becomes
// one line ("Select 1049", "ModeId 06377F81-...", "Speed 120", "Speak мир") in a shared list.
#pragma once

#include "platform/speech/text_to_speech.h"

#include <memory>
#include <string>
#include <vector>

namespace speech {

class RecordingSpeech : public Speech {
public:
    using Calls = std::vector<std::wstring>;
    explicit RecordingSpeech(std::shared_ptr<Calls> calls) : calls_(std::move(calls)) {}

    void Select(int languageId) override { calls_->push_back(L"Select " + std::to_wstring(languageId)); }
    void setModeId(const std::wstring& modeId) override { calls_->push_back(L"ModeId " + modeId); }
    void setSpeed(int wordsPerMinute) override {
        calls_->push_back(L"Speed " + std::to_wstring(wordsPerMinute));
    }
    void Speak(const std::wstring& text) override { calls_->push_back(L"Speak " + text); }

    // Makes every speech control the forms create a recorder into calls, until the returned factory
    // is put back.
    static SpeechFactory recordInto(std::shared_ptr<Calls> calls) {
        return setSpeechFactory([calls] { return std::make_unique<RecordingSpeech>(calls); });
    }

private:
    std::shared_ptr<Calls> calls_;
};

} // namespace speech
