// The main window's commands besides the look-up: the five tool-bar buttons, the word popup over
// its two lists, going to the notification area and back, and the program's end. The main window
// holds one and hands it its events.
#pragma once

#include "app/main_window.h"
#include "platform/core/message_frame.h"
#include "platform/forms/form.h"

#include <functional>
#include <string>

namespace app {

class SysTrayIcon;

enum class ToolCommand { None, Language, Speech, About, ToTray, Exit };
// The command of a tool-bar button (1 to 5); None for any other index.
ToolCommand toolCommand(int index);

// Unloads, in this order, every one of the program's forms besides the main window that is loaded
// (the confirmation, language, about boxes, tip, speech, popups and slider tip), then ends.
[[noreturn]] void exitProgram();

class MainCommands : public MainWindowPart {
public:
    // direction tells the direction a list ("list", "ul") was filled with; untold gives what the
    // window has yet to tell (takeUntold).
    MainCommands(forms::Form& main, std::function<int(const std::wstring&)> direction,
                 std::function<std::wstring()> untold = {});
    ~MainCommands() override;
    MainCommands(const MainCommands&) = delete;
    MainCommands& operator=(const MainCommands&) = delete;

    // The tool bar's Click.
    void toolButton(int index);
    void sendToTray();
    // Whether the window is in the notification area. For the tests.
    bool inTray() const { return inTray_; }
    // Form Resize: while in the notification area the window stays hidden.
    void resized();
    // Form QueryUnload: the user closing the window is cancelled and the confirmation shown instead.
    // An unload by the program's own code goes ahead (nothing in the program asks for one: its end
    // goes through exitProgram or endProgram).
    void closing(int& cancel, int unloadMode);
    // MouseDown of a list: the right button offers the word popup at the pointer (X, Y in the
    // list's pixels); any other button (the keyboard's 999 too) closes it.
    void listMouseDown(const std::wstring& origin, HWND list, const std::wstring& word, int button, float x,
                       float y);
    // The session's end: not vetoed, and the program ends cleanly when it comes.
    void sessionMessage(core::MessageFrame& m);

    // MainWindowPart
    void returnFromTray() override;
    int directionOf(const std::wstring& origin) override { return direction_ ? direction_(origin) : 0; }
    std::wstring takeUntold() override { return untold_ ? untold_() : std::wstring(); }

private:
    forms::Form& main_;
    std::function<int(const std::wstring&)> direction_;
    std::function<std::wstring()> untold_;
    bool inTray_ = false;
    SysTrayIcon* icon();
};

} // namespace app
