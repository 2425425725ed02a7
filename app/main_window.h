// What the other forms reach of the main window: its hidden state labels (the interface language
// "esdi", the popup word's origin "gond", the direction of the last search "dddd", the change
// signal "flo"), its return from the notification area, and the program's end.
#pragma once

#include "app/speech_speeds.h"
#include "platform/forms/form.h"

#include <optional>
#include <string>

namespace app {

// The main window when it is loaded (the form named "esas"), else null.
forms::Form* mainWindow();

// The Text of one of the main window's labels; empty when the window or the label is missing.
std::wstring mainLabel(const wchar_t* name);
// Writes it (raising the label's Change); nothing when the window or the label is missing.
void setMainLabel(const wchar_t* name, const std::wstring& text);

// The interface language code the forms choose their captions by.
inline std::wstring interfaceLanguage() {
    return mainLabel(L"esdi");
}

// The main window's own part, which only it can do.
class MainWindowPart {
public:
    virtual ~MainWindowPart() = default;
    // Shows the window again, normal, and takes its icon out of the notification area.
    virtual void returnFromTray() = 0;
    // The direction a list ("list" or "ul") was filled with; 0 when it holds nothing yet.
    virtual int directionOf(const std::wstring& origin) = 0;
    // A failure the window has to tell and has not told yet (the settings read at the start), taken
    // by whoever tells the user something now; empty when there is none.
    virtual std::wstring takeUntold() { return {}; }
};

// The main window's part: the one it registered, else the window itself when it is one.
MainWindowPart* mainWindowPart();
void setMainWindowPart(MainWindowPart* part);

// The direction a popup word from origin is in: the main window's answer, or "dddd" as a number.
int directionOf(const std::wstring& origin);

// The folder the databases are looked for in: the main window's (the program's folder unless a
// test set another).
std::wstring programFolder();
void setProgramFolder(std::wstring folder);

// Shows the speeds on a main window's status line (its labels des and drs); nothing on a window
// without them.
void showSpeeds(forms::Form& main, Speeds speeds);

// The first of the two database files (dictionary, then settings) that cannot be found.
std::optional<std::wstring> missingDatabase();

// Tells the user something in a message box. One message at a time: what the main window has yet to
// tell goes at its head, instead of coming over it or after it.
void tell(const std::wstring& text);

// The forms the tool bar opens that need the databases, by their tool-bar button.
enum class ToolForm { Language = 0, Speech = 1 };
// Tells the user the form cannot open, naming it by its tool-bar caption, and why, in the interface
// language; the form then closes itself instead of ending the program.
void tellFormRefused(ToolForm form, const std::wstring& why);

// Shows the global instance of a form, modeless; a form that closed itself in Load is not shown.
template <class T>
void showForm() {
    T& form = forms::instance<T>();
    if (form.loaded()) form.Show();
}

// Ends the program at once: the notification icon is taken away and its windows destroyed first,
// so no ghost icon stays behind, and the speech layer's file is removed.
[[noreturn]] void endProgram();

} // namespace app
