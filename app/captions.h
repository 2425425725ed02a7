#pragma once

#include "platform/core/runtime_error.h"

#include <array>
#include <string>

namespace app {

// The main window's captions in one interface language.
struct Captions {
    std::array<std::wstring, 5> toolButtons; // language, speech, about, to the notification area, exit
    std::wstring search;                     // the search button
    std::wstring avto;                       // the automatic-search check box, trailing blanks kept
};

// The captions for a stored language code ("az", "tr", "ru", "en", compared exactly). Any other
// code gets the Azerbaijani ones, as the language form falls back to "az": never blank captions.
const Captions& captionsFor(const std::wstring& code);

// The messages the program shows of its own (missing or damaged files, failures of the databases
// and of speech), each in the four interface languages. "%1" in a text stands for a file.
enum class Message {
    SettingsMissing,    // %1: the settings file; the program ends
    DictionaryMissing,  // %1: the dictionary
    SettingsUnreadable, // leads the failure's own text; the window goes on with what it has
    LookupFailed,       // leads the failure's own text
    FileMissing,        // %1
    FileDamaged,        // %1
    WrongPassword,      // %1
    FileInUse,          // %1
    FileReadOnly,       // %1
    FileUnreadable,     // %1
    DiskFull,           // %1
    TextNotStorable,    // %1
    DatabaseError,      // %1
    DatabaseErrorNoFile,
    NoSpeechEngine,
    SpeechFailed,
    DictionaryBeingChecked, // %1: the dictionary, whose check at start has not ended yet
    LibraryMissing,         // %1: a system library that cannot be loaded
    FunctionMissing,        // %1: a function a system library lacks, with the library
    TrayUnavailable,        // the icon could not be added: the window stays
    FormRefused,            // %1: the form's tool-bar caption; leads the failure's own text
    ChoiceNotSaved,         // leads the failure's own text when a form's choice could not be stored
    ChoiceKept,             // ends it: the form stays open with the choice
};
inline constexpr int kMessageCount = static_cast<int>(Message::ChoiceKept) + 1;

// The message in the language of the code, with the file in place of "%1". A code other than
// "az", "tr", "ru" and "en" gets the Azerbaijani text, as it gets the Azerbaijani captions.
std::wstring messageText(Message id, const std::wstring& code, const std::wstring& file = {});

// A refusal as the user reads every one: the lead (which names what was refused, the subject in
// place of "%1"), then on the next line why.
std::wstring refusalText(Message lead, const std::wstring& code, const std::wstring& why,
                         const std::wstring& subject = {});

// A failure of the database layer as the user reads it: what happened to which file, without the
// engine's own words.
std::wstring failureText(const core::RuntimeError& e, const std::wstring& code);
// A form's choice that could not be stored, as the form tells it: not saved, why, and that the form
// keeps it for another try.
std::wstring notSavedText(const core::RuntimeError& e, const std::wstring& code);
// A failure to speak a word.
std::wstring speechFailureText(const core::RuntimeError& e, const std::wstring& code);

// The language of a message shown before the stored one is known: the system's interface language
// when it is one of the four, else English.
std::wstring systemLanguage();

} // namespace app
