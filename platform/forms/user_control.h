#pragma once

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/gdi.h"
#include "platform/forms/user_control_host.h"
#include "platform/forms/user_control_mouse.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

class PropertyBag;
template <class C>
class PropertyTable;
template <class T>
struct PropertyValue;
enum class OnChange;
class StdFont;
class StdPicture;
class Surface;
class UserControl;

namespace ControlTypes {
std::shared_ptr<UserControl> create(const std::wstring& type);
std::wstring typeOf(const UserControl& control);
} // namespace ControlTypes

// The values a control inherits from where it is placed.
struct AmbientProperties {
    bool UserMode = true;
    std::shared_ptr<StdFont> Font;
    uint32_t BackColor = core::sysColor::ButtonFace;
    uint32_t ForeColor = core::sysColor::ButtonText;
    std::wstring DisplayName;
    bool DisplayAsDefault = false;
};

// Base class of every control: a child window (Unicode class with double clicks) with its own
// drawing surface, the extender values its host keeps for it, and the life cycle and input
// handlers a control overrides.
//
// Controls live in shared_ptrs made by makeControl (or a form's layout): Terminate then runs before
// the object dies and before its window goes, and a control unloaded inside one of its own events
// stays alive until that event returns.
class UserControl : public ControlHost, public std::enable_shared_from_this<UserControl>, private MouseSink {
public:
    UserControl();
    ~UserControl() override;
    UserControl(const UserControl&) = delete;
    UserControl& operator=(const UserControl&) = delete;

    // Creates the window in its host (hidden) and runs Initialize. Left..Height in the host's scale
    // (twips on a form or picture box; pixels in a control whose scale is pixels).
    void place(ControlHost& host, std::wstring name, int index, int left, int top, int width, int height);
    // New control: InitProperties. Stored control: ReadProperties. Both then Resize and, when
    // visible, Show.
    void initNew();
    void readStored(PropertyBag& bag);
    void save(PropertyBag& bag);
    // Terminate, then the window goes. Safe to call more than once; the deleter of makeControl calls it.
    void unload();
    bool loaded() const { return hwnd_ != nullptr && !unloaded_; }
    Liveness::Watch watch() const { return life_.watch(); }

    // --- Extender
    const std::wstring& Name() const { return name_; }
    int Index() const { return index_; } // -1 outside a control array
    // Position and size in the container's scale: twips in a form or picture box, pixels in a
    // control whose ScaleMode is pixels. They follow a later change of that scale.
    int Left() const { return fromTwipsX(left_); }
    int Top() const { return fromTwipsY(top_); }
    int Width() const { return fromTwipsX(width_); }
    int Height() const { return fromTwipsY(height_); }
    void setLeft(int value) { Move(value, Top(), Width(), Height()); }
    void setTop(int value) { Move(Left(), value, Width(), Height()); }
    void setWidth(int value) { Move(Left(), Top(), value, Height()); }
    void setHeight(int value) { Move(Left(), Top(), Width(), value); }
    // Moves and sizes the window (container's scale); Resize is raised (synchronously) when the size
    // really changes.
    void Move(int left, int top, int width, int height);
    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    virtual bool Enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    ControlHost* Container() const { return host_; }
    Form* Parent() const { return host_ ? host_->hostForm() : nullptr; }
    const std::wstring& ToolTipText() const { return toolTipText_; }
    void setToolTipText(std::wstring text) { toolTipText_ = std::move(text); }
    int TabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { tabIndex_ = index; }
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool stop) { tabStop_ = stop; }
    bool Default() const { return default_; }
    void setDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void setCancel(bool isCancel);
    const std::wstring& Tag() const { return tag_; }
    void setTag(std::wstring tag) { tag_ = std::move(tag); }

    // --- Ambient
    AmbientProperties Ambient() const;
    // The default UserMode of every control (True); tests set it to see design-time behaviour.
    static void setDefaultUserMode(bool userMode);

    // --- The control's own window and surface
    HWND hWnd() override { return hwnd_; }
    // The surface's DC with the current pen, brush, font and text colour; a control that must bring
    // its image up to date first overrides it.
    virtual HDC hDC();
    // The drawing surface, made with the window (or now, for a control not yet placed).
    Surface& surface();
    // The surface when it is made; null before.
    const Surface* madeSurface() const { return surface_.get(); }
    int MousePointer() const { return mousePointer_; }
    // A pointer:: value (error 380 otherwise).
    void setMousePointer(int pointer);
    std::shared_ptr<StdPicture> MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::shared_ptr<StdPicture> icon) { mouseIcon_ = std::move(icon); }
    // The window takes the region; null gives the whole window back.
    void setWindowRegion(GdiRegion region);
    void SetFocus();
    virtual void Refresh();

    // Keys the control's window wants from the dialog-key handling (DLGC_ flags of WM_GETDLGCODE).
    UINT wantedKeys() const { return wantedKeys_; }
    // Letters that, with Alt, raise AccessKeyPress.
    const std::wstring& AccessKeys() const { return accessKeys_; }
    void setAccessKeys(std::wstring keys) { accessKeys_ = std::move(keys); }
    bool CanGetFocus() const { return canGetFocus_; }
    // Whether a press or Tab may give the control the keyboard; a control that makes constituent
    // controls sets it for them too, before they are shown.
    void setCanGetFocus(bool can) { canGetFocus_ = can; }
    // A button-like control: Enter reaches it when focused, and it shows as default.
    bool DefaultCancel() const { return defaultCancel_; }

    // The latest keys recorded by PropertyChanged, oldest first (a bounded history: a control
    // reports a change on every write for its whole life).
    const std::vector<std::wstring>& changedProperties() const { return changed_; }

    // Finds the control whose window (or a window inside it) is given.
    static UserControl* fromWindow(HWND hwnd);
    // Dialog keys for the control (Enter, Escape, Alt + access key).
    void accessKeyPress(int keyAscii);

    // ControlHost
    Form* hostForm() override { return Parent(); }
    std::shared_ptr<StdFont> ambientFont() override;
    uint32_t ambientBackColor() override;
    uint32_t ambientForeColor() override;
    HDC hostDC() override { return hDC(); }
    int hostScaleMode() override;
    Surface* hostSurface() override { return &surface(); }

protected:
    // Life cycle, in the platform's order.
    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag&) {}
    virtual void UserControl_WriteProperties(PropertyBag&) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_Terminate() {}
    virtual void UserControl_AmbientChanged(const std::wstring& /*propertyName*/) {}

    // Input.
    virtual void UserControl_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void UserControl_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void UserControl_MouseUp(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void UserControl_KeyUp(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void UserControl_KeyPress(int& /*KeyAscii*/) {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_EnterFocus() {}
    virtual void UserControl_ExitFocus() {}
    virtual void UserControl_AccessKeyPress(int /*KeyAscii*/) {}

    // The control's own dispatch, before the base turns messages into events: a message answered
    // here (m.answer) goes no further.
    virtual void windowMessage(core::MessageFrame& /*m*/) {}

    // Raises an event to the host unless the form is still loading its controls. Returns whether
    // the control is still loaded afterwards; the control stays alive until this returns.
    template <class... Args, class... Given>
    bool RaiseEvent(const Event<Args...>& event, Given&&... args) {
        auto keep = weak_from_this().lock();
        auto watch = life_.watch();
        if (eventsOpen()) event.raise(std::forward<Given>(args)...);
        return watch.alive() && !unloaded_;
    }
    bool eventsOpen() const;

    // A plain setter through the control's property table: the field takes the value (through the
    // row's write rule), the change is recorded, then the row's effect is applied by propertyEffect.
    template <class C, class T>
    void setProperty(const PropertyTable<C>& table, std::wstring_view key, const T& value) {
        const auto& row = table.row(key);
        row.store(static_cast<C&>(*this), PropertyValue<T>::to(value));
        PropertyChanged(row.key);
        propertyEffect(row.effect);
    }
    // A key message (WM_KEYDOWN, WM_KEYUP, their WM_SYS forms, WM_CHAR) reaches the form first when
    // it previews keys; it may change the key or cancel it (0). False when the control was unloaded
    // meanwhile.
    bool previewKey(UINT msg, int& code);

    // What Repaint and Relayout mean for this control.
    virtual void propertyEffect(OnChange /*effect*/) {}

    // The surface was just made (with the window, or earlier by a call that needs it), before anything
    // reads, sets or draws on it: a control whose surface starts otherwise sets it here.
    virtual void surfaceMade(Surface& /*surface*/) {}

    // While the form that holds the control loads (its controls are made and its Load runs), a
    // drawing that a later change would only redo can wait: holdDrawing() is then true and has the
    // form call drawHeld() once, when the load is over and before the form can be shown.
    bool holdDrawing();
    virtual void drawHeld() {}

    void PropertyChanged(const std::wstring& key) {
        if (changed_.size() >= kChangeHistory)
            changed_.erase(changed_.begin(), changed_.begin() + kChangeHistory / 2);
        changed_.push_back(key);
    }
    static constexpr size_t kChangeHistory = 512;

    // Set in a constructor or Initialize.
    void setWantedKeys(UINT dlgc) { wantedKeys_ = dlgc; }
    void setDefaultCancel(bool can) { defaultCancel_ = can; }
    // Extra window styles (WS_CLIPCHILDREN, WS_EX_...) before place().
    void setWindowStyles(DWORD style, DWORD exStyle) {
        extraStyle_ = style;
        extraExStyle_ = exStyle;
    }
    // The control's surface shows what is drawn on it; a control that paints itself otherwise
    // (a wrapped system window) turns it off.
    void setUsesSurface(bool uses) { usesSurface_ = uses; }

    // Pixel size of the window's client area.
    int pixelWidth() const { return clientW_; }
    int pixelHeight() const { return clientH_; }

    // Raised to the subclass after the control's surface follows a new window size.
    void updateShown();

private:
    friend class ControlHost;
    friend class Form;
    friend struct UserControlFocus;

    HWND hwnd_ = nullptr;
    ControlHost* host_ = nullptr;
    std::shared_ptr<EventGate> gate_;
    Liveness life_;
    bool unloaded_ = false;
    bool usesSurface_ = true;
    std::shared_ptr<Surface> surface_;
    MouseTracker mouse_;

    std::wstring name_;
    int index_ = -1;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int clientW_ = -1, clientH_ = -1;
    bool visible_ = true, enabled_ = true, shown_ = false;
    std::wstring toolTipText_, tag_, accessKeys_;
    int tabIndex_ = 0;
    bool tabStop_ = true, default_ = false, cancel_ = false;
    int mousePointer_ = core::pointer::Default;
    std::shared_ptr<StdPicture> mouseIcon_;
    UINT wantedKeys_ = DLGC_WANTARROWS | DLGC_WANTCHARS;
    bool canGetFocus_ = true, defaultCancel_ = false;
    DWORD extraStyle_ = 0, extraExStyle_ = 0;
    bool drawWaiting_ = false;
    std::vector<std::wstring> changed_;
    std::wstring typeName_;
    friend std::shared_ptr<UserControl> ControlTypes::create(const std::wstring&);
    friend std::wstring ControlTypes::typeOf(const UserControl&);

    bool creating_ = false;

    static void registerClass();
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void sizeChanged();
    // The extender keeps twips; the container's scale decides what its callers see.
    bool containerInPixels() const;
    int fromTwipsX(int twips) const;
    int fromTwipsY(int twips) const;
    int toTwipsX(int value) const;
    int toTwipsY(int value) const;
    void ensureSurface();
    void paintSurface();

    // MouseSink
    void mouseDown(int button, int shift, float x, float y) override;
    void mouseMove(int button, int shift, float x, float y) override;
    void mouseUp(int button, int shift, float x, float y) override;
    void mouseClick() override;
    void mouseDblClick() override;
    void mousePressFocus() override;
    bool mouseAlive() override { return !unloaded_; }

public:
    // Focus bookkeeping called by the focus hook.
    void raiseEnterFocus() { UserControl_EnterFocus(); }
    void raiseExitFocus() { UserControl_ExitFocus(); }
    void raiseAmbientChanged(const std::wstring& name) { UserControl_AmbientChanged(name); }
};

// Makes a control owned by a shared_ptr whose deleter unloads it (Terminate, then the window)
// before the object dies.
template <class T, class... Args>
std::shared_ptr<T> makeControl(Args&&... args) {
    return std::shared_ptr<T>(new T(std::forward<Args>(args)...), [](T* p) {
        p->unload();
        delete p;
    });
}

// Places a new control (InitProperties) in a host at run time, in the host's scale.
template <class T>
std::shared_ptr<T> placeControl(ControlHost& host, const std::wstring& name, int left, int top, int width,
                                int height) {
    auto c = makeControl<T>();
    c->place(host, name, -1, left, top, width, height);
    c->initNew();
    return c;
}

// The cursor for a MousePointer value (null for pointer::Default: the window's own).
HCURSOR cursorForPointer(int pointer, const StdPicture* icon);
// Whether a value is a MousePointer (error 380 otherwise).
bool isMousePointer(int value);

} // namespace forms
