#pragma once

#include "platform/core/constants.h"

#include <windows.h>

#include <functional>

namespace forms {

// The Shift mask from a mouse message's key flags (Alt is read from the keyboard state).
int shiftFromMouseFlags(WPARAM flags);
// The Shift mask from the keyboard state.
int shiftFromKeyboard();
// The Button mask of the buttons held according to a mouse message's key flags.
int buttonsFromMouseFlags(WPARAM flags);

// What a window receives from its mouse: the events in the order forms programmers expect.
class MouseSink {
public:
    virtual ~MouseSink() = default;
    virtual void mouseDown(int button, int shift, float x, float y) = 0;
    virtual void mouseMove(int button, int shift, float x, float y) = 0;
    virtual void mouseUp(int button, int shift, float x, float y) = 0;
    virtual void mouseClick() = 0;
    virtual void mouseDblClick() = 0;
    // A press arrived: the window takes the focus if it can (before MouseDown).
    virtual void mousePressFocus() {}
    // Whether the object is still loaded after an event it raised.
    virtual bool mouseAlive() = 0;
};

// Turns a window's mouse messages into press, move, release, click and double-click events:
// capture from a press until the last button is released, Click after a release inside of a
// press that began inside, DblClick in place of the second press and no Click after its release.
class MouseTracker {
public:
    // Handles a mouse or capture message; returns false for other messages.
    bool handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, MouseSink& sink);
    int pressed() const { return pressed_; }
    void reset() { pressed_ = clickable_ = 0; }

private:
    int pressed_ = 0;   // buttons held since a press inside
    int clickable_ = 0; // buttons whose release inside gives a Click
    bool releasing_ = false;
};

} // namespace forms
