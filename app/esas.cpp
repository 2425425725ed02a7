#include "app/esas.h"

#include "app/captions.h"
#include "app/database_paths.h"
#include "app/main_window.h"
#include "app/speech_speeds.h"
#include "app/keyboard_layout.h"
#include "app/pictures.h"
#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/core/runtime_error.h"
#include "platform/core/start_trace.h"
#include "platform/core/system_handles.h"
#include "platform/data/errors.h"
#include "platform/forms/app.h"
#include "platform/forms/functions.h"
#include "platform/forms/msgbox.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/list_box/mc_list_box.h"
#include "widgets/tool_bar/mc_tool_bar.h"
#include "widgets/label/label_kdq.h"

#include <windows.h>

#include <chrono>
#include <utility>

namespace app {

namespace {

const uint32_t kDirectionColour = 0xC56A31;

// Looks, after the first paint, for the settings another program held at the start, and tells a
// settings failure once typing has paused.
constexpr UINT_PTR kSettingsTimer = 1;
constexpr UINT kSettingsTimerPeriod = 50;
// No key in the search box for this long, since the window showed, is a pause in typing: long enough
// for a user who types at once to have begun.
constexpr DWORD kTypingPause = 1500;

} // namespace

esas::esas() {
    setName(L"esas");
    setCaption(L"Vexa R7 Edition");
    setBorderStyle(1);
    setMinButton(true);
    setMaxButton(false);
    setClientSize(632 * 15, 466 * 15);
    setFont(forms::StdFont::create(L"Tahoma", 8.25));
    settingsAhead_ = readSettingsAhead(programFolder());
    const Picture directions[] = {Picture::EnTr, Picture::EnRu, Picture::RuEn,
                                  Picture::RuTr, Picture::TrEn, Picture::TrRu};
    for (size_t i = 0; i < directionPictures_.size(); ++i) directionPictures_[i] = loadPicture(directions[i]);
}

void esas::fvar(const std::wstring& path) {
    core::FileHandle h(CreateFileW(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = h ? ERROR_SUCCESS : GetLastError();
    fileFound_ = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

void esas::SetLanguage(const std::wstring& letter) {
    std::wstring id = keyboardLayoutFor(letter);
    if (!id.empty()) activateKeyboardLayout(id);
}

void esas::Form_Load() {
    icon_ = loadPicture(Picture::Window);
    if (icon_) SendMessageW(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_->hIcon()));
    connectEvents();

    const DatabasePaths paths = databasePaths(programFolder());
    const std::wstring& dictionary = paths.dictionary;
    fvar(dictionary);
    const bool dictionaryFound = fileFound_;
    const std::wstring& settingsFile = paths.settings;
    fvar(settingsFile);
    if (!fileFound_) {
        // The stored language is not known without the file: the system's is the nearest.
        forms::MsgBox(messageText(Message::SettingsMissing, systemLanguage(), settingsFile),
                      forms::mb::Critical);
        forms::App::End();
    }
    firstRun_ = false;
    LoadSettings();
    firstRun_ = true;
    loadDone_ = true;
    // A missing dictionary is told at every look-up the user asks for, like any other refusal: a
    // message box before the window would take the keys typed at once.
    if (dictionaryFound) afterFirstPaint([this] { startDictionaryCheck(); });
    // The same for settings that could not be read, or that wait for another program: once the
    // window is on the screen, and a failure only once typing has paused.
    if (settingsPending_ || !settingsFailure_.empty())
        afterFirstPaint([this] {
            lastKeyAt_ = GetTickCount();
            SetTimer(hWnd(), kSettingsTimer, kSettingsTimerPeriod, nullptr);
        });
}

void esas::windowMessage(core::MessageFrame& m) {
    if (m.msg == WM_TIMER && m.wParam == kSettingsTimer) {
        m.answer(0);
        return settingsTick();
    }
    if (m.msg == WM_TIMER && m.wParam == kTypedRetryTimer) {
        m.answer(0);
        return typedRetryTick();
    }
    if (m.msg == kLookUpTypedWord) {
        m.answer(0);
        return lookUpTypedWord();
    }
    // While an asked look-up waits, the whole window shows that it is busy.
    if (m.msg == WM_SETCURSOR && lookingUp_ && LOWORD(m.lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return m.answer(TRUE);
    }
    commands_.sessionMessage(m);
}

// The settings read ahead, once they are in, take the place of the defaults (or leave a failure to
// tell).
void esas::takeSettingsAhead() {
    if (settingsPending_ &&
        settingsAhead_.settings.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        LoadSettings(SettingsFrom::ReadAhead);
}

void esas::settingsTick() {
    takeSettingsAhead();
    // Never over another message: after it, or at its head when the program tells one (tell).
    if (settingsPending_ || lookingUp_ || forms::MsgBoxOpen()) return;
    // A message that came up while the user types would take his next keys (a timer comes only when
    // no key waits to be handled).
    if (!settingsFailure_.empty() && GetTickCount() - lastKeyAt_ < kTypingPause) return;
    KillTimer(hWnd(), kSettingsTimer);
    if (const std::wstring text = std::exchange(settingsFailure_, std::wstring()); !text.empty())
        forms::MsgBox(text, forms::mb::Exclamation);
}

std::wstring esas::takeSettingsFailure() {
    takeSettingsAhead();
    return std::exchange(settingsFailure_, std::wstring());
}

void esas::startDictionaryCheck() {
    const HWND window = hWnd();
    dictionaryCheck_.start(dictionaryConnectionString(databaseFolder_), data::Deadline(),
                           [window] { PostMessageW(window, kLookUpTypedWord, 0, 0); });
}

// A word typed while the check ran, or while an asked look-up waited, is listed once the dictionary
// has passed the check.
void esas::lookUpTypedWord() {
    if (lookingUp_ || !std::exchange(typedSearchWaits_, false)) return;
    if (dictionaryCheck_.verdict(data::Deadline(0)) != DictionaryCheck::Verdict::Passed) return;
    if (automaticSearchApplies()) Search(control<widgets::SComboBox>(L"co").ListIndex(), Origin::Typing);
}

data::Deadline esas::lookUpDeadline(Origin origin) {
    return data::Deadline(origin == Origin::Typing ? 0 : data::busyTimeout());
}

bool esas::automaticSearchApplies() {
    return forms::Len(control<textbox::UniTextBoxEx>(L"TextBox1").Text()) >= 3 &&
           control<widgets::MorphOptionCheck>(L"avto").Value() == 1;
}

// The check's verdict is told when a look-up needs the dictionary, not when the check ends: a message
// box popping up by itself would take the keys the user is typing into the search box.
std::optional<std::wstring> esas::dictionaryRefusal(const data::Deadline& deadline, Origin origin) {
    startDictionaryCheck();
    if (origin == Origin::Typing) {
        // Typing asks only a dictionary the check passed. Otherwise a check runs (again, when the last
        // one met a lock or no file), and its end lists the word in the box.
        dictionaryCheck_.startAgain();
        const DictionaryCheck::Verdict verdict = dictionaryCheck_.verdict(deadline);
        if (verdict == DictionaryCheck::Verdict::Passed) return std::nullopt;
        typedSearchWaits_ = verdict != DictionaryCheck::Verdict::Refused;
        return std::wstring();
    }
    if (!dictionaryCheck_.ended())
        waitAnswering([&] { return dictionaryCheck_.ended() || deadline.passed(); });
    switch (dictionaryCheck_.verdict(data::Deadline(0))) {
    case DictionaryCheck::Verdict::Passed:
    case DictionaryCheck::Verdict::Unsettled: // the look-up's own opening finds out what stands in the way
        return std::nullopt;
    case DictionaryCheck::Verdict::Pending:
        // Nothing was met yet but the check's own time: a slow disk or share, not another program.
        return messageText(Message::DictionaryBeingChecked, settings_.dil,
                           databasePaths(programFolder()).dictionary);
    case DictionaryCheck::Verdict::Refused:
        break;
    }
    try {
        std::rethrow_exception(dictionaryCheck_.failure());
    } catch (const core::RuntimeError& e) {
        return failureText(e, settings_.dil);
    }
}

void esas::lookupRefused(Origin origin, const std::wstring& why) {
    if (origin == Origin::Asked) tell(refusalText(Message::LookupFailed, settings_.dil, why));
}

void esas::connectEvents() {
    auto& co = control<widgets::SComboBox>(L"co");
    co.SelectionMade.handle([this](std::wstring, long) { directionChanged(); });
    control<widgets::McListBox>(L"list").MouseClick.handle([this] { headwordChosen(); });
    control<widgets::ktButton>(L"command1").Click.handle([this] { Search(); });
    auto& box = control<textbox::UniTextBoxEx>(L"TextBox1");
    const auto isKey = [this](int code) { return code > 0 && code < int(keysDownInBox_.size()); };
    box.KeyDown.handle([this, isKey, &box](int& code, int) {
        lastKeyAt_ = GetTickCount();
        // A key held since it closed a message repeats here: it is not the box's.
        if (isKey(code) && (!box.keyRepeats() || keysDownInBox_.test(size_t(code))))
            keysDownInBox_.set(size_t(code));
    });
    box.KeyUp.handle([this, isKey](int& code, int shift) {
        lastKeyAt_ = GetTickCount();
        if (!isKey(code) || !keysDownInBox_.test(size_t(code))) return;
        keysDownInBox_.reset(size_t(code));
        searchBoxKeyUp(code, shift);
    });
    box.LostFocus.handle([this] { keysDownInBox_.reset(); });
    control<widgets::McToolBar>(L"mct").Click.handle(
        [this](long index) { commands_.toolButton(int(index)); });
    for (const wchar_t* name : {L"list", L"ul"}) {
        auto& list = control<widgets::McListBox>(name);
        list.MouseDown.handle([this, name, &list](int16_t& button, int16_t&, float& x, float& y) {
            commands_.listMouseDown(name, list.hWnd(), list.Text(), button, x, y);
        });
    }
    control<forms::Image>(L"Image5").Click.handle([this] { setWindowState(core::windowState::Minimized); });
    // The language form signals a change by appending to flo; only a loaded window re-applies.
    control<widgets::Label_KDQ>(L"flo").Change.handle([this] {
        if (loadDone_) LoadSettings();
    });
}

void esas::LoadSettings() {
    LoadSettings(loadDone_ ? SettingsFrom::File : SettingsFrom::ReadAhead);
}

// The first load takes the settings read while the window was made, unless another program held the
// file at the first try: then the defaults serve until settingsTick finds the read ahead done. Any
// later load reads the file afresh, and a read ahead still waiting is passed over.
void esas::LoadSettings(SettingsFrom from) {
    const bool ahead = from == SettingsFrom::ReadAhead;
    settingsPending_ = ahead && !loadDone_ && settingsAhead_.firstTry.get();
    if (!settingsPending_) {
        try {
            settings_ = ahead ? settingsAhead_.settings.get() : readSettings(cn_, rs_, programFolder());
        } catch (const core::RuntimeError& e) {
            // The window stays usable with the settings it has; the user learns why they are not his,
            // in the language they give the window. At start that waits until the window is on the
            // screen and typing has paused.
            const std::wstring text =
                refusalText(Message::SettingsUnreadable, settings_.dil, failureText(e, settings_.dil));
            if (ahead)
                settingsFailure_ = text;
            else
                forms::MsgBox(text, forms::mb::Exclamation);
        }
    }
    control<widgets::Label_KDQ>(L"esdi").setText(settings_.dil);
    applyCaptions(settings_.dil);
    databaseFolder_ = programFolder() + L"/oracle/";

    setBackColor(kWindowColour);
    control<widgets::McListBox>(L"list").setBackColor(kWindowColour);
    control<widgets::McListBox>(L"ul").setBackColor(kWindowColour);
    control<textbox::UniTextBoxEx>(L"TextBox1").setBackColor(kWindowColour);
    outlineLists();

    if (!firstRun_) fillDirections();
    auto& mct = control<widgets::McToolBar>(L"mct");
    for (long i = 1; i <= 5; ++i) mct.SetButtonValue(i, 1, toolButtonCaptions_[i - 1]);
    // The status line shows what speech will use, not the stored text (which may be out of range).
    showSpeeds(*this, spokenSpeeds(settings_.esu, settings_.rsu));
    firstRun_ = true;
}

// The lists have no border of their own and the window's colour: a thin line shows where they are.
void esas::outlineLists() {
    forms::Surface& s = surface();
    const float k = s.ScaleMode() == core::scale::Twips ? 15.0f : 1.0f; // pixels to the surface's unit
    for (const wchar_t* name : {L"list", L"ul"}) {
        const auto& l = control<widgets::McListBox>(name);
        const float left = l.Left() / 15.0f, top = l.Top() / 15.0f;
        const float right = (l.Left() + l.Width()) / 15.0f, bottom = (l.Top() + l.Height()) / 15.0f;
        s.Line((left - 1) * k, (top - 1) * k, right * k, bottom * k, 0xC8C8C8, forms::LineShape::Box);
    }
}

void esas::applyCaptions(const std::wstring& code) {
    const Captions& c = captionsFor(code);
    control<widgets::MorphOptionCheck>(L"avto").setCaption(c.avto);
    control<widgets::ktButton>(L"command1").setCaption(c.search);
    toolButtonCaptions_ = c.toolButtons;
}

void esas::fillDirections() {
    static const wchar_t* const names[] = {L"En - Tr", L"En - Ru", L"Ru - En",
                                           L"Ru - Tr", L"Tr - En", L"Tr - Ru"};
    auto& co = control<widgets::SComboBox>(L"co");
    for (int i = 0; i < 6; ++i)
        co.AddItem(std::wstring(12, L' ') + names[i], kDirectionColour, directionPictures_[i], true, L"",
                   i + 1);
    co.list(1);
}

void esas::directionChanged() {
    const int direction = control<widgets::SComboBox>(L"co").ListIndex();
    // A word still waiting for the lock to go is listed in the direction chosen by then.
    if (typedRetry_) typedRetry_->direction = direction;
    sourceLayout(direction);
}

void esas::sourceLayout(int direction) {
    switch (direction) {
    case 1:
    case 2:
        return SetLanguage(L"E");
    case 3:
    case 4:
        return SetLanguage(L"R");
    case 5:
    case 6:
        return SetLanguage(L"T");
    }
}

// The chooser's ListIndex is read once for the layout and the search: reading it redraws the chooser.
void esas::searchBoxKeyUp(int keyCode, int) {
    const int direction = control<widgets::SComboBox>(L"co").ListIndex();
    sourceLayout(direction);
    if (keyCode == 13) return Search(direction, Origin::Asked);
    if (automaticSearchApplies()) Search(direction, Origin::Typing);
}

} // namespace app
