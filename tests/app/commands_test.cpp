// The main window's commands: the tool bar, closing, the notification area and back, the word
// popup from the lists, and the program's end, also in a child process that really ends.
#include "app_test_support.h"

#include "app/commands.h"
#include "app/dil.h"
#include "app/haqqinda.h"
#include "app/menu.h"
#include "app/ses.h"
#include "app/tesdiq.h"
#include "app/traymenu.h"
#include "platform/core/message_frame.h"
#include "platform/core/text.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/msgbox.h"
#include "platform/speech/recording_speech.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/list_box/mc_list_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

using namespace apptest;

// A main window that hands its events to the commands, as the real one does.
class CommandMain : public StandInMain {
public:
    CommandMain()
        : commands(*this,
                   [this](const std::wstring& o) { return o == L"ul" ? ulDirection : listDirection; }) {}
    app::MainCommands commands;

protected:
    forms::Layout layout() const override {
        forms::Layout l = StandInMain::layout();
        for (const wchar_t* name : {L"list", L"ul"}) {
            forms::LayoutEntry e;
            e.type = L"McListBox";
            e.name = name;
            e.left = (name[0] == L'l' ? 10 : 200) * T;
            e.top = 10 * T;
            e.width = 180 * T;
            e.height = 200 * T;
            l.push_back(e);
        }
        return l;
    }
    void Form_Load() override {
        for (const wchar_t* name : {L"list", L"ul"}) {
            auto& list = control<widgets::McListBox>(name);
            list.MouseDown.handle([this, name, &list](int16_t& b, int16_t&, float& x, float& y) {
                commands.listMouseDown(name, list.hWnd(), list.Text(), b, x, y);
            });
        }
    }
    void Form_Resize() override { commands.resized(); }
    void Form_QueryUnload(int& cancel, int mode) override { commands.closing(cancel, mode); }
    void windowMessage(core::MessageFrame& m) override { commands.sessionMessage(m); }
};

class Commands : public testing::Test {
protected:
    void SetUp() override {
        tools::writeSampleDatabases(folder.path());
        app::registerControlTypes();
        app::setProgramFolder(folder.path());
        previousSpeech = speech::RecordingSpeech::recordInto(calls);
        previousBox =
            forms::setMsgBoxHandler([](const std::wstring&, int, const std::wstring&) { return 1; });
        main = std::make_shared<CommandMain>();
        main->load();
        main->Show();
    }
    void TearDown() override {
        for (auto& f : forms::Forms::loaded())
            if (f != main) f->Unload();
        main->commands.returnFromTray();
        forms::setMsgBoxHandler(previousBox);
        speech::setSpeechFactory(previousSpeech);
        app::setProgramFolder(L"");
        main->Unload();
    }
    testsupport::TempFolder folder{L"vexa-commands-"};
    std::shared_ptr<CommandMain> main;
    std::shared_ptr<speech::RecordingSpeech::Calls> calls =
        std::make_shared<speech::RecordingSpeech::Calls>();
    speech::SpeechFactory previousSpeech;
    forms::MsgBoxHandler previousBox;
};

TEST(CommandTable, ButtonsOneToFiveAndNothingElse) {
    using app::ToolCommand;
    const ToolCommand expected[] = {ToolCommand::None,  ToolCommand::Language, ToolCommand::Speech,
                                    ToolCommand::About, ToolCommand::ToTray,   ToolCommand::Exit,
                                    ToolCommand::None};
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(app::toolCommand(i), expected[i]) << i;
    EXPECT_EQ(app::toolCommand(-1), ToolCommand::None);
}

TEST_F(Commands, TheFirstThreeButtonsShowTheirFormsAndOthersNothing) {
    main->commands.toolButton(0);
    main->commands.toolButton(6);
    EXPECT_EQ(forms::Forms::loaded().size(), 1u);
    main->commands.toolButton(1);
    main->commands.toolButton(2);
    main->commands.toolButton(3);
    EXPECT_TRUE(forms::isLoaded<app::dil>() && forms::instance<app::dil>().Visible());
    EXPECT_TRUE(forms::isLoaded<app::ses>() && forms::instance<app::ses>().Visible());
    EXPECT_TRUE(forms::isLoaded<app::haqqinda>() && forms::instance<app::haqqinda>().Visible());
}

TEST_F(Commands, ClosingTheWindowLeavesItOpenAndAsks) {
    SendMessageW(main->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(main->loaded());
    ASSERT_TRUE(forms::isLoaded<app::tesdiq>());
    EXPECT_TRUE(forms::instance<app::tesdiq>().Visible());
    // A session's end is not vetoed.
    EXPECT_EQ(SendMessageW(main->hWnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(Commands, TheWindowGoesToTheNotificationAreaAndComesBack) {
    ShellRecord shell;
    main->commands.toolButton(4);
    EXPECT_FALSE(main->Visible());
    EXPECT_TRUE(main->commands.inTray());
    EXPECT_EQ(shell.text(), (std::vector<std::wstring>{L"add ", L"modify Vexa R7 Edition"}));
    // Restoring while there hides it again.
    main->setWindowState(0);
    EXPECT_FALSE(main->Visible());

    shell.calls.clear();
    SendMessageW(main->control<app::SysTrayIcon>(L"SysTrayIcon1").notifyWindow(), 512, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(forms::isLoaded<app::traymenu>());
    click(forms::instance<app::traymenu>().control<forms::UserControl>(L"kisi").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::traymenu>());
    EXPECT_TRUE(main->Visible());
    EXPECT_EQ(main->WindowState(), 0);
    EXPECT_FALSE(main->commands.inTray());
    EXPECT_EQ(shell.text(), std::vector<std::wstring>{L"delete"});
    main->setWindowState(1);
    main->setWindowState(0);
    EXPECT_TRUE(main->Visible());
}

TEST_F(Commands, ARightClickOnAHeadwordOffersThePopupAndTheManSpeaks) {
    main->Move(100 * T, 300 * T, main->Width(), main->Height());
    auto& list = main->control<widgets::McListBox>(L"list");
    for (const wchar_t* w : {L"bank", L"banker"}) list.AddItem(w);
    list.Refresh();
    main->listDirection = 1;
    SendMessageW(list.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 6));
    SendMessageW(list.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 6));
    SendMessageW(list.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 6));
    SendMessageW(list.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(20, 6));
    ASSERT_TRUE(forms::isLoaded<app::Menu>());
    auto& popup = forms::instance<app::Menu>();
    EXPECT_TRUE(popup.Visible());
    EXPECT_EQ(main->label(L"gond").Text(), L"list");
    // Beside the pointer: the popup's lower left corner right of the point clicked.
    POINT at{20, 6};
    ClientToScreen(list.hWnd(), &at);
    RECT r{};
    GetWindowRect(popup.hWnd(), &r);
    EXPECT_GT(r.left, at.x);
    EXPECT_LE(r.left, at.x + 8);
    EXPECT_EQ(r.bottom, at.y);

    calls->clear();
    click(popup.control<forms::UserControl>(L"k").hWnd());
    EXPECT_FALSE(popup.Visible());
    EXPECT_EQ(*calls,
              (speech::RecordingSpeech::Calls{L"Select 1033", L"ModeId 227A0E41-A92A-11d1-B17B-0020AFED142E",
                                              L"Speed 180", L"Speak bank"}));
    // A Turkish headword is not offered; a left press closes the popup.
    main->listDirection = 5;
    SendMessageW(list.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 6));
    EXPECT_FALSE(forms::instance<app::Menu>().Visible());
    SendMessageW(list.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 6));
    SendMessageW(list.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 6));
    EXPECT_FALSE(forms::isLoaded<app::Menu>());
}

// --- The program really ends: a child process takes each way out and writes what the shell got.

void note(const std::string& file, const std::string& line) {
    std::ofstream(file, std::ios::app) << line << "\n";
}

TEST_F(Commands, ExitChild) {
    char route[32] = {}, file[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VEXA_EXIT_ROUTE", route, sizeof route) ||
        !GetEnvironmentVariableA("VEXA_EXIT_LOG", file, sizeof file))
        GTEST_SKIP() << "run by ExitEndsTheProcess";
    const std::string log(file), way(route);
    app::setShellNotify([log](DWORD op, const NOTIFYICONDATAW&) {
        note(log, op == NIM_ADD ? "add" : op == NIM_MODIFY ? "modify" : "delete");
        return TRUE;
    });
    main->commands.toolButton(4);
    if (way == "toolbar") {
        main->commands.toolButton(5);
    } else if (way == "tray") {
        SendMessageW(main->control<app::SysTrayIcon>(L"SysTrayIcon1").notifyWindow(), 512, 1, WM_RBUTTONDOWN);
        click(forms::instance<app::traymenu>().control<forms::UserControl>(L"qadin").hWnd());
    } else {
        SendMessageW(main->hWnd(), WM_CLOSE, 0, 0);
        auto& confirm = forms::instance<app::tesdiq>();
        click(confirm.control<widgets::ktButton>(L"he").hWnd());
    }
    note(log, "still running");
    ADD_FAILURE() << "the program did not end";
}

TEST(CommandsEnd, ExitEndsTheProcessAndRemovesTheIcon) {
    testsupport::TempFolder folder{L"vexa-exit-"};
    for (const char* way : {"toolbar", "tray", "yes"}) {
        const std::wstring log = folder.file(core::fromUtf8(way) + L".txt");
        EXPECT_EQ(testsupport::runChildTest(L"Commands.ExitChild", {{L"VEXA_EXIT_ROUTE", core::fromUtf8(way)},
                                                                    {L"VEXA_EXIT_LOG", log}}),
                  0)
            << way;
        std::ifstream in(std::string(core::toUtf8(log)));
        std::string text, l;
        while (std::getline(in, l)) text += l + "|";
        EXPECT_EQ(text, "add|modify|delete|") << way;
    }
}

} // namespace
