// The word popup: a small borderless window beside a word of the headword or translation list,
// with a man's and a woman's voice; choosing one hides it and speaks the word in English or Russian.
#pragma once

#include "app/speech_speeds.h"
#include "platform/data/connection.h"
#include "platform/data/recordset.h"
#include "platform/forms/form.h"
#include "platform/speech/text_to_speech.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace app {

// The language a word from a list ("list" or "ul") is spoken in, by the direction that list was
// filled with; nothing for a Turkish word or another origin.
std::optional<speech::Language> spokenLanguage(const std::wstring& origin, int direction);
// Whether the popup is offered for such a word: exactly when it can be spoken.
inline bool offersPopup(const std::wstring& origin, int direction) {
    return spokenLanguage(origin, direction).has_value();
}

// The values of the four speech calls for a voice: man fixed (English 180, Russian 120), woman at
// the stored speed of the language.
struct VoiceCall {
    int language;
    const wchar_t* mode;
    int speed;
};
VoiceCall voiceCall(speech::Gender gender, speech::Language language, const Speeds& stored);

struct PopupCaptions {
    const wchar_t* man;
    const wchar_t* woman;
};
std::optional<PopupCaptions> popupCaptions(const std::wstring& code);

// Where the popup goes (pixels): its lower-left corner just right of the pointer, inside the work area.
POINT wordPopupPlace(POINT pointer, SIZE popup, const RECT& workArea);

class Menu : public forms::Form {
public:
    Menu();

    // Sets the word, places the popup at a point of the screen (pixels) and shows it.
    void showAt(const std::wstring& word, POINT screenPoint);
    // The two entries.
    void k_Click();
    void q_Click();

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Click() override { Unload(); }

private:
    std::unique_ptr<speech::Speech> danis_;
    Speeds speeds_;
    data::Connection cn_;
    data::Recordset rs_;

    void speakWith(speech::Gender gender);
    void highlight(bool manRow);
};

} // namespace app
