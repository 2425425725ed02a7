#pragma once

#include "app/commands.h"
#include "app/dictionary_check.h"
#include "app/lookup.h"
#include "app/settings.h"
#include "platform/core/message_frame.h"
#include "platform/data/connection.h"
#include "platform/data/recordset.h"
#include "platform/forms/form.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

namespace app {

// The back colour of the main window, its lists, its search box and its captions.
inline constexpr uint32_t kWindowColour = 0xF9F9F9;

// The main window, the program's start-up form: the search box, the direction chooser, the
// headword and translation lists, the tool bar, and the labels through which the forms share state.
class esas : public forms::Form {
public:
    esas();
    // Sets the file-found flag: whether the file is there. One that cannot be opened for another
    // reason than its absence (another program holds it, it may not be read) is there: reading it
    // tells why it cannot be used.
    void fvar(const std::wstring& path);
    // Activates the keyboard layout of a source language by its first letter ("E", "R", "T").
    void SetLanguage(const std::wstring& letter);

    // The direction the translation list was filled with, so a word taken from it is spoken in the
    // language it is in; 0 while it is empty. Public for the tests.
    int translationDirection() const { return translationDirection_; }
    // The check of the dictionary that starts after the first paint. Public for the tests.
    const DictionaryCheck& dictionaryCheck() const { return dictionaryCheck_; }
    // Whether a typed word waits for another program's lock to go, and whether a settings failure
    // waits to be told. Public for the tests.
    bool typedWordWaits() const { return typedRetry_.has_value(); }
    bool settingsFailureWaits() const { return !settingsFailure_.empty(); }

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
    void Form_Resize() override { commands_.resized(); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override { commands_.closing(Cancel, UnloadMode); }
    void windowMessage(core::MessageFrame& m) override;

private:
    bool fileFound_ = false;
    bool firstRun_ = false;
    bool loadDone_ = false;
    Settings settings_;
    // The settings being read while the window is made; used by the first LoadSettings, or by the
    // one that applies them when another program held the file at the start.
    SettingsAhead settingsAhead_;
    DictionaryCheck dictionaryCheck_;
    std::array<std::wstring, 5> toolButtonCaptions_;
    std::wstring databaseFolder_;
    int lastDirection_ = 0;
    int translationDirection_ = 0;
    std::wstring translationKey_;
    std::shared_ptr<forms::StdPicture> icon_;
    // The six directions' pictures: the chooser's items take them at load, before the hidden
    // pictures et..tr that hold them are made.
    std::array<std::shared_ptr<forms::StdPicture>, 6> directionPictures_;
    data::Connection cn_;
    data::Recordset rs_;
    // The tool bar, the lists' word popup, the notification area and the end.
    MainCommands commands_{*this,
                           [this](const std::wstring& origin) {
                               return origin == L"ul" ? translationDirection_ : lastDirection_;
                           },
                           [this] { return takeSettingsFailure(); }};

    void connectEvents();
    void LoadSettings();
    enum class SettingsFrom { ReadAhead, File };
    void LoadSettings(SettingsFrom from);
    void applyCaptions(const std::wstring& code);
    void outlineLists();
    void fillDirections();

    // Who started a look-up. One the user asked for (Enter, the search button, a click on a headword)
    // says why when it is refused, and waits for the dictionary within one deadline while the window
    // goes on drawing and the search box goes on taking keys. One that typing started (automatic
    // search) never shows a message: a message box would take the keys still being typed. Its refusal
    // is told by the next look-up the user asks for, which meets the same cause. Nor does it wait: a
    // locked dictionary, or one still being checked, refuses it at once.
    enum class Origin { Asked, Typing };
    static data::Deadline lookUpDeadline(Origin origin);
    // Whether typing looks the word in the search box up: automatic search is on and the box holds
    // three characters or more.
    bool automaticSearchApplies();
    // The keys that went down in the search box and have not come up yet: a release acts there only
    // when the box also had the key's press (the press that closed a message box did not), and a
    // repeat counts only when the box had the first press. Cleared when the box loses the keyboard,
    // whose releases then go elsewhere.
    std::bitset<256> keysDownInBox_;
    // When the search box last had a key, or the window was first painted (GetTickCount).
    unsigned long lastKeyAt_ = 0;

    // Set when the settings could not be read at start: told once the window is on the screen and
    // typing has paused.
    std::wstring settingsFailure_;
    // Set while the settings read ahead wait for the file, which another program holds: the window
    // goes on with the defaults meanwhile.
    bool settingsPending_ = false;
    void takeSettingsAhead();
    void settingsTick();
    // The settings failure not told yet, taken to be told now (the read ahead, when it has ended, is
    // taken first); empty when there is none or it is still unknown.
    std::wstring takeSettingsFailure();

    // An asked look-up is waiting for the dictionary: another look-up is not started meanwhile.
    bool lookingUp_ = false;
    // Set when a typed word could not be looked up yet (the check ran, or an asked look-up waited):
    // it is looked up once it can be.
    bool typedSearchWaits_ = false;
    // Posted when such a word can be looked up: by the dictionary's check when it ends, from its own
    // thread, and at the end of an asked look-up (WM_APP + 0x51).
    static constexpr unsigned kLookUpTypedWord = 0x8051;
    void lookUpTypedWord();

    // A typed look-up that another program's lock refused, tried again on a timer (typedRetryTick)
    // until it goes through or the search box's text changes, in the direction chosen last.
    struct TypedRetry {
        std::wstring text;
        int direction = 0;
    };
    std::optional<TypedRetry> typedRetry_;
    static constexpr UINT_PTR kTypedRetryTimer = 2;
    static constexpr unsigned kTypedRetryPeriod = 250;
    void retryTypedLater(const std::wstring& typed, int direction);
    void stopTypedRetry();
    void typedRetryTick();

    void startDictionaryCheck();
    // Why the dictionary may not be asked now, or nothing when it may: the check, waited for within
    // the look-up's deadline, did not refuse it. A look-up that typing started asks only a dictionary
    // the check passed, and never waits for one.
    std::optional<std::wstring> dictionaryRefusal(const data::Deadline& deadline, Origin origin);
    // The one way a refused look-up is told: a look-up the user asked for says why in a message box,
    // the interface language's lead first; one that typing started says nothing.
    void lookupRefused(Origin origin, const std::wstring& why);
    // Why the dictionary could not be asked, and whether another program's lock was the cause.
    struct Refusal {
        std::wstring why;
        bool locked = false;
    };
    // The rows a dictionary query gives, or why the dictionary could not be asked.
    std::optional<Refusal> lookUp(const std::wstring& sql, Origin origin, std::vector<std::wstring>& rows);
    // Lets the window draw and the search box take its keys until done() holds.
    void waitAnswering(const std::function<bool()>& done);

    void Search();
    void Search(int direction, Origin origin);
    void showText(const wchar_t* label, const std::wstring& text);
    void sourceLayout(int direction);
    void headwordChosen();
    // Empties the translation list and the state label of the words it holds.
    void clearTranslations();
    void directionChanged();
    void searchBoxKeyUp(int keyCode, int shift);
};

} // namespace app
