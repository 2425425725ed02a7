#include "platform/speech/sapi.h"

#include "platform/core/late_bound.h"
#include "platform/core/runtime_error.h"

#include <windows.h>

#include <sapi.h>

#include <algorithm>
#include <cmath>

namespace speech {

namespace {

// One COM pointer, released with its owner.
template <class T>
struct ComRef {
    T* p = nullptr;
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p) p->Release();
    }
};

// COM is loaded with the first speech, not with the program.
HRESULT createInstance(REFCLSID cls, REFIID iid, void** out) {
    static const core::LateBound<decltype(CoCreateInstance)> create{L"ole32.dll", "CoCreateInstance"};
    return create ? create(cls, nullptr, CLSCTX_ALL, iid, out) : E_NOTIMPL;
}

// The first voice token with the attributes; the caller releases it.
ISpObjectToken* findToken(const std::wstring& attributes) {
    ComRef<ISpObjectTokenCategory> category;
    if (FAILED(createInstance(CLSID_SpObjectTokenCategory, IID_ISpObjectTokenCategory,
                              reinterpret_cast<void**>(&category.p))))
        return nullptr;
    if (FAILED(category.p->SetId(SPCAT_VOICES, FALSE))) return nullptr;
    ComRef<IEnumSpObjectTokens> tokens;
    if (FAILED(category.p->EnumTokens(attributes.c_str(), nullptr, &tokens.p)) || !tokens.p) return nullptr;
    ISpObjectToken* token = nullptr;
    ULONG fetched = 0;
    if (tokens.p->Next(1, &token, &fetched) != S_OK || fetched != 1) return nullptr;
    return token;
}

ISpObjectToken* tokenFor(Voice voice) {
    if (ISpObjectToken* t = findToken(sapiAttributes(voice, true))) return t;
    return findToken(sapiAttributes(voice, false));
}

} // namespace

int sapiRate(int wordsPerMinute) {
    const double steps = std::log(double(clampSpeed(wordsPerMinute)) / 170.0) / std::log(1.1);
    return std::clamp(int(std::nearbyint(steps)), -10, 10);
}

std::wstring sapiAttributes(Voice voice, bool withGender) {
    std::wstring a = voice.language == Language::Russian ? L"Language=419" : L"Language=409";
    if (withGender) a += voice.gender == Gender::Woman ? L";Gender=Female" : L";Gender=Male";
    return a;
}

SapiEngine::~SapiEngine() {
    if (voice_) voice_->Release();
}

bool SapiEngine::start() {
    if (started_) return voice_ != nullptr;
    started_ = true;
    // The window's thread may already be in COM; a second initialisation is harmless.
    static const core::LateBound<decltype(CoInitializeEx)> initialize{L"ole32.dll", "CoInitializeEx"};
    if (initialize) initialize(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(createInstance(CLSID_SpVoice, IID_ISpVoice, reinterpret_cast<void**>(&voice_))))
        voice_ = nullptr;
    return voice_ != nullptr;
}

bool SapiEngine::hasVoice(Language language) {
    if (!start()) return false;
    ISpObjectToken* token = findToken(sapiAttributes({language, Gender::Man}, false));
    if (!token) return false;
    token->Release();
    return true;
}

void SapiEngine::say(const Utterance& u) {
    if (!start()) throw core::RuntimeError(core::err::FileNotFound, L"The speech engine is not available");
    if (ISpObjectToken* token = tokenFor(u.voice)) {
        voice_->SetVoice(token);
        token->Release();
    }
    voice_->SetRate(sapiRate(u.speed));
    // Asynchronous, and a new word cuts the one still being spoken.
    voice_->Speak(u.text.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr);
}

void SapiEngine::stop() noexcept {
    if (voice_) voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
}

} // namespace speech
