#include "app/commands.h"

#include "platform/core/constants.h"

#include "app/captions.h"
#include "app/dil.h"
#include "app/haqqinda.h"
#include "app/menu.h"
#include "app/ses.h"
#include "app/sys_tray_icon.h"
#include "app/tesdiq.h"
#include "app/traymenu.h"
#include "widgets/label/about_box.h"
#include "widgets/shared/tip_window.h"
#include "widgets/slider/uc_slider_tip.h"

namespace app {

ToolCommand toolCommand(int index) {
    switch (index) {
    case 1:
        return ToolCommand::Language;
    case 2:
        return ToolCommand::Speech;
    case 3:
        return ToolCommand::About;
    case 4:
        return ToolCommand::ToTray;
    case 5:
        return ToolCommand::Exit;
    default:
        return ToolCommand::None;
    }
}

void exitProgram() {
    core::bestEffort(L"Exit", [] {
        forms::unload<tesdiq>();
        forms::unload<dil>();
        if (widgets::fAbout* about = widgets::fAbout::current()) about->Unload();
        widgets::FTip::Unload();
        forms::unload<haqqinda>();
        forms::unload<Menu>();
        forms::unload<ses>();
        forms::unload<traymenu>();
        widgets::CloseSliderTip();
    });
    endProgram();
}

MainCommands::MainCommands(forms::Form& main, std::function<int(const std::wstring&)> direction,
                           std::function<std::wstring()> untold)
    : main_(main), direction_(std::move(direction)), untold_(std::move(untold)) {
    setMainWindowPart(this);
}

MainCommands::~MainCommands() {
    if (mainWindowPart() == this) setMainWindowPart(nullptr);
}

SysTrayIcon* MainCommands::icon() {
    return dynamic_cast<SysTrayIcon*>(main_.ensureControl(L"SysTrayIcon1"));
}

void MainCommands::toolButton(int index) {
    switch (toolCommand(index)) {
    case ToolCommand::Language:
        showForm<dil>();
        break;
    case ToolCommand::Speech:
        showForm<ses>();
        break;
    case ToolCommand::About:
        showForm<haqqinda>();
        break;
    case ToolCommand::ToTray:
        sendToTray();
        break;
    case ToolCommand::Exit:
        exitProgram();
    case ToolCommand::None:
        break;
    }
}

void MainCommands::sendToTray() {
    // The window is hidden only once its icon is in the notification area: without the icon it could
    // not come back. When the shell refuses it (no task bar yet, no shell library), the window stays
    // and the user learns why.
    SysTrayIcon* trayIcon = icon();
    if (trayIcon) trayIcon->setIconVisible(true);
    if (!trayIcon || !trayIcon->IconShown()) {
        if (trayIcon) trayIcon->setIconVisible(false);
        tell(messageText(Message::TrayUnavailable, interfaceLanguage()));
        return;
    }
    inTray_ = true;
    main_.Hide();
    main_.setWindowState(core::windowState::Minimized);
    trayIcon->setIconToolTipText(main_.Caption());
}

void MainCommands::returnFromTray() {
    // Cleared first, so the resize of the restore does not hide the window again.
    inTray_ = false;
    main_.setWindowState(core::windowState::Normal);
    main_.Show();
    // The keyboard comes back to the search box, as at start, wherever it was when the window left.
    if (forms::UserControl* box = main_.findControl(L"TextBox1")) box->SetFocus();
    if (SysTrayIcon* trayIcon = icon()) trayIcon->setIconVisible(false);
}

void MainCommands::resized() {
    if (inTray_) main_.Hide();
}

void MainCommands::closing(int& cancel, int unloadMode) {
    if (unloadMode != forms::unloadMode::FormControlMenu) return;
    cancel = 1;
    showForm<tesdiq>();
}

void MainCommands::listMouseDown(const std::wstring& origin, HWND list, const std::wstring& word, int button,
                                 float x, float y) {
    if (button != 2) {
        forms::unload<Menu>();
        return;
    }
    setMainLabel(L"gond", origin);
    if (!offersPopup(origin, directionOf(origin))) return;
    POINT at{int(x), int(y)};
    ClientToScreen(list, &at);
    forms::instance<Menu>().showAt(word, at);
}

void MainCommands::sessionMessage(core::MessageFrame& m) {
    if (m.msg == WM_QUERYENDSESSION) m.answer(TRUE);
    if (m.msg == WM_ENDSESSION && m.wParam) endProgram();
}

} // namespace app
