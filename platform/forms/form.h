#pragma once

#include "platform/core/event_log.h"

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/form_frame.h"
#include "platform/forms/layout.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/user_control.h"
#include "platform/forms/user_control_host.h"
#include "platform/forms/user_control_mouse.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace forms {

class PropertyBag;
template <class C>
class PropertyTable;
class StdFont;
class Surface;

// The window class of every form's window (what a program outside finds a form's window by).
inline constexpr wchar_t FormWindowClass[] = L"VexaForm";

// The run time's own timers on a form's window: far from the small numbers a form's code gives its
// timers.
namespace formTimer {
// Fires once the form has been shown and painted (a timer comes after every paint): what waited for
// the first paint is done then.
inline constexpr UINT_PTR AfterFirstPaint = 0x7E51;
} // namespace formTimer

// Why a form is being unloaded, as QueryUnload hears it.
namespace unloadMode {
inline constexpr int FormControlMenu = 0; // the user closed the window
inline constexpr int FormCode = 1;        // Unload was called
inline constexpr int AppWindows = 2;      // the session ends
} // namespace unloadMode

// A top-level window with a drawing surface and the controls of its layout. A form class derives
// from Form, sets its design values in its constructor, lists its controls in layout() and
// overrides the Form_ handlers it needs.
class Form : public ControlHost, public std::enable_shared_from_this<Form>, private MouseSink {
public:
    Form();
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and the controls of the layout (their events held back), then Load.
    void load();
    bool loaded() const { return hwnd_ != nullptr && !unloading_; }
    // While the controls are made and Load runs, controls may leave their drawing until the end.
    bool holdsDrawing() const { return holdingDrawing_; }
    // QueryUnload and Unload; unless one cancels, the controls and the window go. Returns false when
    // cancelled. Nothing happens for a form that is not loaded.
    bool Unload(int mode = unloadMode::FormCode);
    Liveness::Watch watch() const { return life_.watch(); }
    std::shared_ptr<EventGate> eventGate() const { return gate_; }

    // Modeless (0) or modal (1): a modal form disables the program's other forms and Show returns
    // when it is unloaded or hidden. A form already shown comes to the front and is activated (a
    // NoActivate form only comes to the front).
    void Show(int modal = 0, Form* owner = nullptr);
    void Hide();
    bool Visible() const;
    void setVisible(bool visible);
    // 0 normal, 1 minimised, 2 maximised. A hidden form stays hidden and takes the state when shown.
    int WindowState() const;
    void setWindowState(int state);

    const std::wstring& Name() const { return name_; }
    std::wstring Caption() const { return caption_; }
    void setCaption(std::wstring caption);
    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t colour);
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t colour);
    std::shared_ptr<StdFont> Font() const { return font_; }
    void setFont(std::shared_ptr<StdFont> font);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    std::shared_ptr<StdPicture> MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::shared_ptr<StdPicture> icon) { mouseIcon_ = std::move(icon); }
    bool KeyPreview() const { return keyPreview_; }
    void setKeyPreview(bool preview) { keyPreview_ = preview; }
    bool Enabled() const;
    void setEnabled(bool enabled);

    // Outer position and size in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips) { Move(twips, Top(), Width(), Height()); }
    void setTop(int twips) { Move(Left(), twips, Width(), Height()); }
    void setWidth(int twips) { Move(Left(), Top(), twips, Height()); }
    void setHeight(int twips) { Move(Left(), Top(), Width(), twips); }
    void Move(int left, int top, int width, int height);
    // The form's stored properties, one row each; readProperties takes them from a stored form (a
    // missing key is the default), writeProperties gives back those that differ from the default.
    static const PropertyTable<Form>& properties();
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag);

    // The inner size in the surface's scale.
    double ScaleWidth();
    double ScaleHeight();

    // Window frame: 0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool window,
    // 5 sizable tool window. A fixed single form without caption, control box, minimise and
    // maximise buttons has a thin border and no title bar.
    int BorderStyle() const { return frame_.borderStyle; }
    void setBorderStyle(int style);
    bool ControlBox() const { return frame_.controlBox; }
    void setControlBox(bool on);
    bool MinButton() const { return frame_.minButton; }
    void setMinButton(bool on);
    bool MaxButton() const { return frame_.maxButton; }
    void setMaxButton(bool on);
    bool ShowInTaskbar() const { return frame_.showInTaskbar; }
    void setShowInTaskbar(bool on);
    // Shown without taking the activation from the active window, and not activated by clicks.
    bool NoActivate() const { return frame_.noActivate; }
    void setNoActivate(bool on);
    bool TopMost() const { return frame_.topMost; }
    void setTopMost(bool on);
    // Design size of the inner area in twips (before load; the outer size follows from the frame).
    void setClientSize(int width, int height);
    // Design outer size in twips, leaving the position to the system (before load).
    void setDesignSize(int width, int height);

    HWND hWnd() override;
    // Activates the form when it is visible and enabled; a control of the form that holds the focus
    // keeps it, otherwise the form hands it on as on activation. A form shown without activation is
    // left as it is.
    void SetFocus();
    // The control the form gives the keyboard to when it is next activated: the one last asked to
    // take it, or the one that had it when the form last lost the activation.
    void rememberFocus(UserControl* control) { lastFocus_ = control; }
    HDC hDC();
    Surface& surface();
    void Refresh();
    // Draws on the form: the surface as the form's own image.
    void Cls();

    // Menus: a menu bar the window owns, and pop-up menus shown at the pointer or at X, Y in the
    // form's scale. The chosen item's command arrives in Form_MenuClick before PopupMenu returns.
    void setMenu(HMENU menu);
    void PopupMenu(HMENU menu, UINT flags = 0);
    void PopupMenu(HMENU menu, UINT flags, double x, double y);
    // At a point of a control of the form (its client pixels), with TPM_ alignment flags and an
    // optional default item (a command id); the mouse capture is given up first.
    void PopupMenu(HMENU menu, UINT flags, UserControl& control, int x, int y,
                   std::optional<UINT> defaultItem = {});
    // A pop-up menu the form builds itself and shows as its own.
    void registerMenu(HMENU menu);
    // Whether a menu is the form's: its menu bar, a submenu of it at any depth, or a registered menu.
    bool ownsMenu(HMENU menu) const;

    // Every control made so far on the form, also those placed at run time and those inside other
    // controls.
    std::vector<UserControl*> allControls() const;
    // The controls of the layout made so far, in layout order. An entry that waits for the first paint
    // (LayoutEntry::afterFirstPaint) joins in its place once it is made.
    const std::vector<std::shared_ptr<UserControl>>& Controls() const { return controls_; }
    // Work the first paint does not need: done once the form has been painted (at once when that is
    // over), or sooner when a key or a button reaches any form (the message loop calls
    // finishDeferred); dropped when the form unloads first.
    void afterFirstPaint(std::function<void()> work);
    // The one step after the first paint (the form's AfterFirstPaint timer, or a key or a button
    // before it): makes the layout's waiting controls in layout order, then does the waiting work in
    // the order it was handed. A control that cannot be made, or work that fails, is reported (the
    // control named) and the rest goes on.
    void finishDeferred();
    bool hasDeferred() const { return !later_.empty() || !laterWork_.empty(); }
    // Whether the form's window has been painted once since it was loaded.
    bool firstPaintDone() const { return firstPaintDone_; }
    // A control of the form that is made: null for one that waits for the first paint or is not there.
    UserControl* findControl(const std::wstring& name, int index = -1) const;
    // A control of the layout, made now when it waits for the first paint; null when the form has
    // none of that name. A control that cannot be made is an error naming it.
    UserControl* ensureControl(const std::wstring& name, int index = -1);
    // A control by name and type, made now when it waits: error 9 when there is none, 13 when it has
    // another type.
    template <class T>
    T& control(const std::wstring& name, int index = -1) {
        UserControl* c = ensureControl(name, index);
        if (!c) throw core::RuntimeError(core::err::SubscriptOutOfRange);
        T* t = dynamic_cast<T*>(c);
        if (!t) throw core::RuntimeError(core::err::TypeMismatch);
        return *t;
    }
    // The container of a control of this form: null for the form itself.
    UserControl* containerOf(const UserControl& control) const;
    // The layout the controls give back now: every control's WriteProperties. The controls that wait
    // for the first paint are made first, so the whole layout is given back.
    Layout saveLayout();

    // The control with the focus (null when none of ours has it), Default and Cancel controls.
    UserControl* ActiveControl() const;
    UserControl* defaultControl() const;
    UserControl* cancelControl() const;
    // Moves the focus to the next (or previous) control in tab order.
    void tabFocus(bool forward);
    // Every control in tab order (whether it can take the focus now or not).
    std::vector<UserControl*> tabSequence() const;

    // The form a window belongs to (itself or one of its children).
    static Form* fromWindow(HWND hwnd);

    // ControlHost
    Form* hostForm() override { return this; }
    std::shared_ptr<StdFont> ambientFont() override { return font_; }
    uint32_t ambientBackColor() override { return backColor_; }
    uint32_t ambientForeColor() override { return foreColor_; }
    HDC hostDC() override { return hDC(); }
    int hostScaleMode() override;
    Surface* hostSurface() override { return &surface(); }

    // Used by the controls and the message loop.
    void previewKeyDown(int& keyCode, int shift) { Form_KeyDown(keyCode, shift); }
    void previewKeyUp(int& keyCode, int shift) { Form_KeyUp(keyCode, shift); }
    void previewKeyPress(int& keyAscii) { Form_KeyPress(keyAscii); }
    void clearDefault(UserControl* except);
    void clearCancel(UserControl* except);
    void defaultDisplayChanged();

    // A menu command chosen on this form.
    Event<int> MenuClick;

protected:
    // The form's name (as other code refers to it) and its control table; called once per load.
    void setName(std::wstring name) { name_ = std::move(name); }
    virtual Layout layout() const { return {}; }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseUp(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_KeyUp(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_KeyPress(int& /*KeyAscii*/) {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}
    virtual void Form_MenuClick(int /*id*/) {}
    // The form's own dispatch, before the base handles messages: a message answered here (m.answer)
    // goes no further.
    virtual void windowMessage(core::MessageFrame& /*m*/) {}

private:
    HWND hwnd_ = nullptr;
    std::shared_ptr<EventGate> gate_ = std::make_shared<EventGate>();
    Liveness life_;
    bool unloading_ = false;
    bool holdingDrawing_ = false;
    std::shared_ptr<Surface> surface_;
    MouseTracker mouse_;
    std::vector<std::shared_ptr<UserControl>> controls_;
    // What the layout said of each control beside its own values, parallel to controls_.
    struct LayoutPlace {
        std::wstring container;
        bool afterFirstPaint = false;
    };
    std::vector<LayoutPlace> places_;
    // The layout's controls not made yet, each with its place in the layout.
    struct LaterControl {
        LayoutEntry entry;
        size_t position;
    };
    std::vector<LaterControl> later_;
    std::vector<std::function<void()>> laterWork_;
    bool firstPaintDone_ = false; // the window has been painted
    // finishDeferred has run: after the first paint, or sooner for a key or a button. Work handed to
    // afterFirstPaint from then on is done at once.
    bool deferredDone_ = false;

    std::wstring name_;
    std::wstring caption_;
    uint32_t backColor_ = core::sysColor::ButtonFace;
    uint32_t foreColor_ = core::sysColor::ButtonText;
    std::shared_ptr<StdFont> font_;
    int mousePointer_ = core::pointer::Default;
    std::shared_ptr<StdPicture> mouseIcon_;
    bool keyPreview_ = false;
    FrameSettings frame_;
    int designLeft_ = -1, designTop_ = -1, designWidth_ = 0, designHeight_ = 0;
    bool designClient_ = false;
    int windowState_ = core::windowState::Normal;
    int clientW_ = -1, clientH_ = -1;
    bool shownOnce_ = false;
    int modalDepth_ = 0;
    UserControl* lastFocus_ = nullptr;
    std::vector<HMENU> menus_;

    FrameSettings frameSettings() const;
    void applyStyles();
    HWND ownerWindow() const;
    void createWindow();
    void createControls();
    void createControl(const LayoutEntry& e, size_t position);
    void makeLaterControl(size_t which);
    void makeWaitingControls();
    void bringToFront();
    void destroyAll();
    void drawWhatWaited() noexcept;
    void showWindowNow(bool activate);
    void updateControlsShown();
    void ensureSurface();
    void paintSurface();
    void applySurfaceColours(bool back);
    void applySurfaceFont();
    float toScaleX(float pixels);
    float toScaleY(float pixels);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void menuCommand(int id);

    // MouseSink
    void mouseDown(int button, int shift, float x, float y) override;
    void mouseMove(int button, int shift, float x, float y) override;
    void mouseUp(int button, int shift, float x, float y) override;
    void mouseClick() override;
    void mouseDblClick() override;
    bool mouseAlive() override { return loaded(); }
};

// The program's forms: one global instance per form class, created and loaded on first use and
// dropped by Unload, so that the next use loads a fresh one.
namespace Forms {
// Every loaded form, in load order.
std::vector<std::shared_ptr<Form>> loaded();
// Unloads every loaded form (last loaded first); stops at a form that cancels and returns false.
bool unloadAll();
// Every loaded form's finishDeferred.
void finishDeferred();
// Called by Form: bookkeeping of loaded forms and of the global instances.
void added(const std::shared_ptr<Form>& form);
// Unloaded form objects are kept until the message being handled is done with, so code that still
// refers to one (a caller of instance() whose form unloaded itself in Load) does not see it die.
// Nothing is released while a window procedure of ours is still running further up the stack
// (a handler that called DoEvents or showed a modal form), only when the outermost message is done.
void releaseUnloaded();
void removed(Form* form);
std::shared_ptr<Form> instanceSlot(const std::type_info& type);
void setInstanceSlot(const std::type_info& type, std::shared_ptr<Form> form);
} // namespace Forms

// The global instance of a form class, loaded if needed.
template <class T>
T& instance() {
    std::shared_ptr<Form> f = Forms::instanceSlot(typeid(T));
    if (!f || !f->loaded()) {
        auto made = std::make_shared<T>();
        Forms::setInstanceSlot(typeid(T), made);
        made->load();
        return *made;
    }
    return static_cast<T&>(*f);
}

// Whether the global instance of a form class is loaded.
template <class T>
bool isLoaded() {
    std::shared_ptr<Form> f = Forms::instanceSlot(typeid(T));
    return f && f->loaded();
}

// Unloads the global instance of a form class; nothing when it is not loaded.
template <class T>
bool unload() {
    std::shared_ptr<Form> f = Forms::instanceSlot(typeid(T));
    return !f || !f->loaded() || f->Unload();
}

} // namespace forms
