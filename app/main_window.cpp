#include "app/main_window.h"

#include "app/captions.h"
#include "app/database_paths.h"
#include "app/sys_tray_icon.h"
#include "platform/forms/app.h"
#include "platform/forms/msgbox.h"
#include "platform/speech/text_to_speech.h"
#include "widgets/label/label_kdq.h"

#include <utility>

namespace app {

namespace {

std::wstring& programFolderSlot() {
    static std::wstring folder;
    return folder;
}

widgets::Label_KDQ* mainLabelControl(const wchar_t* name) {
    forms::Form* main = mainWindow();
    return main ? dynamic_cast<widgets::Label_KDQ*>(main->ensureControl(name)) : nullptr;
}

} // namespace

forms::Form* mainWindow() {
    for (const auto& form : forms::Forms::loaded())
        if (form->Name() == L"esas" && form->loaded()) return form.get();
    return nullptr;
}

std::wstring mainLabel(const wchar_t* name) {
    widgets::Label_KDQ* label = mainLabelControl(name);
    return label ? label->Text() : std::wstring();
}

void setMainLabel(const wchar_t* name, const std::wstring& text) {
    if (widgets::Label_KDQ* label = mainLabelControl(name)) label->setText(text);
}

static MainWindowPart*& partSlot() {
    static MainWindowPart* part = nullptr;
    return part;
}

MainWindowPart* mainWindowPart() {
    if (partSlot()) return partSlot();
    return dynamic_cast<MainWindowPart*>(mainWindow());
}

void setMainWindowPart(MainWindowPart* part) {
    partSlot() = part;
}

int directionOf(const std::wstring& origin) {
    if (auto* part = mainWindowPart()) return part->directionOf(origin);
    const std::wstring d = mainLabel(L"dddd");
    return d.size() == 1 && d[0] >= L'1' && d[0] <= L'6' ? d[0] - L'0' : 0;
}

std::wstring programFolder() {
    return programFolderSlot().empty() ? forms::App::Path() : programFolderSlot();
}

void setProgramFolder(std::wstring folder) {
    programFolderSlot() = std::move(folder);
}

std::optional<std::wstring> missingDatabase() {
    const DatabasePaths paths = databasePaths(programFolder());
    for (const std::wstring& file : {paths.dictionary, paths.settings}) {
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return file;
    }
    return std::nullopt;
}

void showSpeeds(forms::Form& main, Speeds speeds) {
    for (auto [name, speed] : {std::pair{L"des", speeds.english}, std::pair{L"drs", speeds.russian}})
        if (auto* label = dynamic_cast<widgets::Label_KDQ*>(main.findControl(name)))
            label->setText(std::to_wstring(speed));
}

void tell(const std::wstring& text) {
    MainWindowPart* part = mainWindowPart();
    const std::wstring untold = part ? part->takeUntold() : std::wstring();
    forms::MsgBox(untold.empty() ? text : untold + L"\n\n" + text, forms::mb::Exclamation);
}

void tellFormRefused(ToolForm form, const std::wstring& why) {
    const std::wstring code = interfaceLanguage();
    tell(refusalText(Message::FormRefused, code, why,
                     captionsFor(code).toolButtons[static_cast<size_t>(form)]));
}

void endProgram() {
    SysTrayIcon::removeAllIcons();
    speech::removeSpeechFiles();
    forms::App::End();
}

} // namespace app
