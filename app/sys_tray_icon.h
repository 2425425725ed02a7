// The notification-area icon: one icon with a tip in the task bar's notification area, put there
// and taken away by IconVisible, and the shell's mouse notices for it turned into events. A right
// press also shows the tray popup at the pointer.
#pragma once

#include "platform/forms/event.h"
#include "platform/forms/user_control.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

namespace forms {
class StdPicture;
template <class C>
class PropertyTable;
} // namespace forms

namespace app {

// The shell's Shell_NotifyIconW, or a test's recorder. The previous one is returned; an empty one
// restores the real call.
using ShellNotify = std::function<BOOL(DWORD operation, const NOTIFYICONDATAW& record)>;
ShellNotify setShellNotify(ShellNotify notify);

// The notices come as this message, with the mouse message in lParam.
inline constexpr UINT kTrayCallback = WM_MOUSEMOVE;
// The tip field's length; the text keeps one place for its terminating zero.
inline constexpr size_t kTipField = 64;

// The record for add and modify: the first version's size, icon id 1, message, icon and tip; the
// tip cut to 63 characters, its zero, then blanks.
NOTIFYICONDATAW trayRecord(HWND window, HICON icon, const std::wstring& tip);

// What a notice raises.
enum class TrayNotice {
    None,
    MouseMoved,
    LeftButtonDown,
    LeftButtonUp,
    LeftButtonDoubleClick,
    RightButtonDown,
    RightButtonUp,
    RightButtonDoubleClick
};
TrayNotice trayNoticeOf(UINT mouseMessage);

// Where the tray popup goes (pixels): its lower-right corner at the pointer, inside the work area.
POINT trayPopupPlace(POINT pointer, SIZE popup, const RECT& workArea);

class SysTrayIcon : public forms::UserControl {
public:
    SysTrayIcon();
    ~SysTrayIcon() override;
    static void registerType();
    static const forms::PropertyTable<SysTrayIcon>& properties();

    std::wstring IconToolTipText() const { return tip_; }
    void setIconToolTipText(const std::wstring& text);
    std::shared_ptr<forms::StdPicture> Icon() const { return icon_; }
    void setIcon(std::shared_ptr<forms::StdPicture> picture);
    bool IconVisible() const { return visible_; }
    void setIconVisible(bool visible);
    // Whether the notification area holds the icon now: the shell took the last addition, and it
    // has not been taken away since. IconVisible says what was asked for.
    bool IconShown() const { return shown_; }

    forms::Event<float, float> MouseMoved;
    forms::Event<> LeftButtonDown;
    forms::Event<> LeftButtonUp;
    forms::Event<> RightButtonDown;
    forms::Event<> RightButtonUp;
    forms::Event<> RightButtonDoubleClick;
    forms::Event<> LeftButtonDoubleClick;
    forms::Event<> MiddleButtonDown;
    forms::Event<> MiddleButtonUp;
    forms::Event<> MiddleButtonDblClick;

    // Takes every icon still shown out of the notification area and destroys the windows that
    // receive their notices; the program's end calls it.
    static void removeAllIcons() noexcept;
    // The window the shell sends the notices to. For the tests.
    HWND notifyWindow() const { return notifyWindow_; }
    // One notice, as the shell sends it (tests call it directly).
    void notice(UINT mouseMessage);

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override { showPicture(); }
    void UserControl_Terminate() override;

private:
    std::shared_ptr<forms::StdPicture> icon_;
    std::wstring tip_;
    bool visible_ = false;
    bool shown_ = false;
    HICON sentIcon_ = nullptr; // the icon handle as last sent
    HWND notifyWindow_ = nullptr;
    HWND shellWatch_ = nullptr; // hears the shell announce a restart
    POINT lastPointer_{};

    bool userMode() const;
    bool send(DWORD operation);
    void remove();
    void applyVisible();
    void showPicture();
    void makeWindows();
    void destroyWindows() noexcept;
    void showTrayPopup();
    static LRESULT CALLBACK notifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace app
