// The main window's commands on the real window with the test databases: closing asks, the
// notification area and back, the word popup over a headword, the language and speech forms opened
// from the tool bar, and screenshots of the window and its word popup in the four languages.
#include "app_test_support.h"

#include "app/dil.h"
#include "app/controls.h"
#include "app/esas.h"
#include "app/main_window.h"
#include "app/haqqinda.h"
#include "app/keyboard_layout.h"
#include "app/menu.h"
#include "app/ses.h"
#include "app/tesdiq.h"
#include "app/traymenu.h"
#include "platform/core/constants.h"
#include "platform/data/database.h"
#include "platform/forms/msgbox.h"
#include "platform/speech/recording_speech.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/command_button/kt_button.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/slider/uc_slider.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/list_box/mc_list_box.h"
#include "widgets/tool_bar/mc_tool_bar.h"

#include <gtest/gtest.h>

namespace {

using namespace apptest;

class MainWindowCommands : public testing::Test {
protected:
    void SetUp() override {
        tools::writeSampleDatabases(folder.path());
        app::registerControlTypes();
        app::setProgramFolder(folder.path());
        previousBox = forms::setMsgBoxHandler([this](const std::wstring& prompt, int, const std::wstring&) {
            messages.push_back(prompt);
            return 1;
        });
        previousLoader = app::setKeyboardLayoutLoader([](const std::wstring&) {});
        previousSpeech = speech::RecordingSpeech::recordInto(calls);
    }
    void TearDown() override {
        for (auto& f : forms::Forms::loaded())
            if (f != w) f->Unload();
        if (w) w->Unload();
        w.reset();
        forms::DoEvents();
        forms::setMsgBoxHandler(previousBox);
        app::setKeyboardLayoutLoader(previousLoader);
        speech::setSpeechFactory(previousSpeech);
        app::setProgramFolder(L"");
    }
    void run(const std::wstring& sql) {
        data::Database db(folder.file(L"oracle\\lang.vex"));
        db.execute(sql);
    }
    void setLanguage(const std::wstring& code) { run(L"update dil set dil = '" + code + L"'"); }
    std::wstring stored(const wchar_t* sql) {
        data::Database db(folder.file(L"oracle\\lang.vex"));
        return db.scalar(sql).toString();
    }
    void open() {
        w = std::make_shared<app::esas>();
        w->Show();
        // Moved once it stands: before, its size is the client size it was designed with.
        w->Move(60 * T, 160 * T, w->Width(), w->Height());
        forms::DoEvents();
    }
    void toolButton(long index) { w->control<widgets::McToolBar>(L"mct").Click.raise(index); }
    widgets::McListBox& list() { return w->control<widgets::McListBox>(L"list"); }
    void search(int direction, const std::wstring& word) {
        w->control<widgets::SComboBox>(L"co").setListIndex(direction);
        w->control<textbox::UniTextBoxEx>(L"TextBox1").setText(word);
        click(w->control<widgets::ktButton>(L"command1").hWnd());
        forms::DoEvents();
    }
    void rightClickFirstRow() {
        SendMessageW(list().hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 6));
        SendMessageW(list().hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(40, 6));
        pump(100);
    }

    testsupport::TempFolder folder{L"vexa-esas-commands-"};
    std::shared_ptr<app::esas> w;
    std::vector<std::wstring> messages;
    std::shared_ptr<speech::RecordingSpeech::Calls> calls =
        std::make_shared<speech::RecordingSpeech::Calls>();
    forms::MsgBoxHandler previousBox;
    app::KeyboardLayoutLoader previousLoader;
    speech::SpeechFactory previousSpeech;
};

TEST_F(MainWindowCommands, ClosingAsksAndTheTrayTakesTheWindowAndGivesItBack) {
    setLanguage(L"en");
    open();
    SendMessageW(w->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(w->loaded());
    ASSERT_TRUE(forms::isLoaded<app::tesdiq>());
    pump(50);
    EXPECT_EQ(forms::instance<app::tesdiq>().control<widgets::ktButton>(L"he").Caption(), L"Yes");
    click(forms::instance<app::tesdiq>().control<widgets::ktButton>(L"yox").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::tesdiq>());

    ShellRecord shell;
    toolButton(4);
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(shell.text(), (std::vector<std::wstring>{L"add ", L"modify Vexa R7 Edition"}));
    EXPECT_NE(shell.calls.back().record.hIcon, nullptr);
    auto& icon = w->control<app::SysTrayIcon>(L"SysTrayIcon1");
    SendMessageW(icon.notifyWindow(), 512, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(forms::isLoaded<app::traymenu>());
    pump(50);
    EXPECT_EQ(forms::instance<app::traymenu>().control<widgets::Label_KDQ>(L"kisi").Text(), L" Open");
    click(forms::instance<app::traymenu>().control<forms::UserControl>(L"k").hWnd());
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->WindowState(), core::windowState::Normal);
    EXPECT_EQ(shell.text().back(), L"delete");
    EXPECT_TRUE(messages.empty());
}

// The keyboard is in the search box when the window first shows and again when it comes back from
// the notification area, wherever it was before; Tab goes on to the direction chooser.
TEST_F(MainWindowCommands, TheKeyboardIsInTheSearchBoxAtStartAndBackFromTheTray) {
    open();
    auto focusIn = [&](const wchar_t* name) {
        const HWND focus = GetFocus(), control = w->findControl(name)->hWnd();
        return focus && (focus == control || IsChild(control, focus));
    };
    EXPECT_TRUE(focusIn(L"TextBox1"));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    PostMessageW(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
    forms::DoEvents();
    EXPECT_TRUE(focusIn(L"co"));

    list().SetFocus();
    ShellRecord shell;
    toolButton(4);
    SendMessageW(w->control<app::SysTrayIcon>(L"SysTrayIcon1").notifyWindow(), 512, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(forms::isLoaded<app::traymenu>());
    click(forms::instance<app::traymenu>().control<forms::UserControl>(L"k").hWnd());
    pump(50);
    // Wherever the display's own focus went meanwhile, the window's activation brings the keyboard
    // to the search box.
    if (GetActiveWindow() != w->hWnd()) SetForegroundWindow(w->hWnd());
    pump(50);
    EXPECT_TRUE(focusIn(L"TextBox1"));
}

TEST_F(MainWindowCommands, ARightClickOnAHeadwordShowsThePopupAndTheManSpeaksIt) {
    open();
    search(1, L"bank");
    ASSERT_GT(list().ListCount(), 0);
    rightClickFirstRow();
    ASSERT_TRUE(forms::isLoaded<app::Menu>());
    auto& popup = forms::instance<app::Menu>();
    EXPECT_TRUE(popup.Visible());
    const std::wstring word = list().Text();
    calls->clear();
    click(popup.control<forms::UserControl>(L"k").hWnd());
    EXPECT_FALSE(popup.Visible());
    EXPECT_EQ(*calls,
              (speech::RecordingSpeech::Calls{L"Select 1033", L"ModeId 227A0E41-A92A-11d1-B17B-0020AFED142E",
                                              L"Speed 180", L"Speak " + word}));
    // A Turkish headword offers nothing.
    search(5, L"banka");
    rightClickFirstRow();
    EXPECT_FALSE(forms::instance<app::Menu>().Visible());
}

TEST_F(MainWindowCommands, TheLanguageFormChangesTheWindowLiveAndTheSpeechFormStoresBothSpeeds) {
    setLanguage(L"en");
    open();
    toolButton(1);
    ASSERT_TRUE(forms::isLoaded<app::dil>());
    auto& form = forms::instance<app::dil>();
    auto& tr = form.control<widgets::MorphOptionCheck>(L"tr");
    tr.setValue(-1);
    tr.Click.raise();
    click(form.control<widgets::ktButton>(L"UniButton1").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::dil>());
    EXPECT_EQ(stored(L"select dil from dil"), L"tr");
    EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), L"Ara");
    EXPECT_EQ(w->control<widgets::SComboBox>(L"co").ListCount(), 6);

    toolButton(2);
    ASSERT_TRUE(forms::isLoaded<app::ses>());
    auto& speeds = forms::instance<app::ses>();
    EXPECT_EQ(speeds.control<widgets::ktButton>(L"UniButton2").Caption(), L"Tamam");
    speeds.control<widgets::ucSlider>(L"ens").setValue(3);
    speeds.control<widgets::ucSlider>(L"rus").setValue(17);
    click(speeds.control<widgets::ktButton>(L"UniButton2").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::ses>());
    EXPECT_EQ(stored(L"select deyer from esu"), L"132");
    EXPECT_EQ(stored(L"select deyer from rsu"), L"188");
    toolButton(3);
    EXPECT_TRUE(forms::isLoaded<app::haqqinda>());
    EXPECT_TRUE(messages.empty());
}

// The main window in each interface language after a look-up and a headword chosen (Russian or
// Turkish translations, the lists' language names, the status line), then the word popup over it.
TEST_F(MainWindowCommands, MainWindowAndWordPopupScreenshot) {
    struct Case {
        const wchar_t* code;
        int direction;
        const wchar_t* word;
    };
    const Case cases[] = {
        {L"az", 4, L"\u0451\u043B\u043A"},       // "ёлк": ёлка, çam ağacı
        {L"tr", 1, L"light"},                    // ışık, hafif, açık
        {L"ru", 2, L"light"},                    // свет, лёгкий, светлый
        {L"en", 3, L"\u044F\u0437\u044B\u043A"}, // "язык": language, tongue
    };
    run(L"update esu set deyer = 132");
    run(L"update rsu set deyer = 188");
    for (const Case& c : cases) {
        setLanguage(c.code);
        open();
        search(c.direction, c.word);
        ASSERT_GT(list().ListCount(), 0) << c.code;
        SendMessageW(list().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 6));
        SendMessageW(list().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 6));
        pump(300);
        EXPECT_GT(w->control<widgets::McListBox>(L"ul").ListCount(), 0) << c.code;
        EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindow(w->hWnd()),
                                          std::wstring(L"main-window-") + c.code));
        rightClickFirstRow();
        ASSERT_TRUE(forms::isLoaded<app::Menu>());
        auto& popup = forms::instance<app::Menu>();
        SendMessageW(popup.control<forms::UserControl>(L"q").hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
        pump(300);
        EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindows({w->hWnd(), popup.hWnd()}),
                                          std::wstring(L"word-popup-") + c.code));
        forms::unload<app::Menu>();
        w->Unload();
        w.reset();
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
