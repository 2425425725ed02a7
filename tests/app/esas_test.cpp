// The main window on the hand-made dictionary: start-up in the stored language, typing into the search
// box, the six directions, the language signal, and what happens when a database is missing or fails.
#include "app/controls.h"
#include "app/esas.h"
#include "app/main_window.h"
#include "app/sys_tray_icon.h"

#include "app/keyboard_layout.h"
#include "platform/core/constants.h"
#include "platform/data/database.h"
#include "platform/forms/app.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/list_box/mc_list_box.h"
#include "widgets/tool_bar/mc_tool_bar.h"
#include "widgets/label/label_kdq.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::wstring>;

class MainWindow : public testing::Test {
protected:
    testsupport::TempFolder folder{L"vexa-esas-"};
    Words messages, layouts;
    std::shared_ptr<app::esas> w;

    void SetUp() override {
        tools::writeSampleDatabases(folder.path());
        app::registerControlTypes();
        app::setProgramFolder(folder.path());
        previousBox_ = forms::setMsgBoxHandler([this](const std::wstring& prompt, int, const std::wstring&) {
            messages.push_back(prompt);
            return 1;
        });
        previousLoader_ =
            app::setKeyboardLayoutLoader([this](const std::wstring& id) { layouts.push_back(id); });
    }
    void TearDown() override {
        if (w) w->Unload();
        w.reset();
        forms::DoEvents();
        forms::setMsgBoxHandler(previousBox_);
        app::setKeyboardLayoutLoader(previousLoader_);
        app::setProgramFolder(L"");
    }

    void setLanguage(const std::wstring& code) {
        data::Database db(folder.file(L"oracle\\lang.vex"));
        db.execute(L"update dil set dil = '" + code + L"'");
    }
    void open() {
        w = std::make_shared<app::esas>();
        w->Show();
        forms::DoEvents();
    }

    textbox::UniTextBoxEx& box() { return w->control<textbox::UniTextBoxEx>(L"TextBox1"); }
    widgets::SComboBox& co() { return w->control<widgets::SComboBox>(L"co"); }
    widgets::McListBox& list(const wchar_t* name = L"list") { return w->control<widgets::McListBox>(name); }
    std::wstring label(const wchar_t* name) { return w->control<widgets::Label_KDQ>(name).Text(); }

    static Words items(widgets::McListBox& l) {
        Words out;
        for (long i = 0; i < l.ListCount(); ++i) out.push_back(l.list(i));
        return out;
    }

    // Real key messages, posted to the edit window and translated by the message loop.
    void press(UINT vk) {
        HWND edit = box().editWindow();
        PostMessageW(edit, WM_KEYDOWN, vk, 1);
        forms::DoEvents(); // the character the key-down makes arrives before the key-up
        PostMessageW(edit, WM_KEYUP, vk, 0xC0000001);
        forms::DoEvents();
    }
    void type(const std::wstring& text) {
        for (wchar_t c : text) press(VkKeyScanW(c) & 0xFF);
    }
    void search(int direction, const std::wstring& word) {
        co().setListIndex(direction);
        box().setText(word);
        // A click on the search button.
        HWND button = w->control<widgets::ktButton>(L"command1").hWnd();
        RECT r{};
        GetClientRect(button, &r);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
        forms::DoEvents();
    }
    // The dictionary is replaced by a file that is not a database.
    void breakDictionary() {
        const std::wstring file = folder.file(L"oracle\\dat.vex");
        ASSERT_TRUE(DeleteFileW(file.c_str()));
        HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, "not a database at all", 21, &written, nullptr);
        CloseHandle(h);
    }
    // A left click on the first row of the headword list.
    void clickFirstHeadword() {
        HWND h = list().hWnd();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 6));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(30, 6));
        forms::DoEvents();
    }

private:
    forms::MsgBoxHandler previousBox_;
    app::KeyboardLayoutLoader previousLoader_;
};

TEST_F(MainWindow, StartsInTheStoredLanguageWithSixDirections) {
    struct Case {
        const wchar_t* code;
        const wchar_t* search;
        const wchar_t* avto;
        const wchar_t* exitButton;
    };
    const Case cases[] = {
        {L"ru", L"Поиск", L"Автоматический поиск", L"Выход"},
        {L"en", L"Search", L"Automatic search            ", L"Exit"},
        {L"EN", L"Axtar", L"Avtomatik axtarış            ", L"Çıxış"}, // an unknown code: Azerbaijani
    };
    for (const auto& c : cases) {
        setLanguage(c.code);
        open();
        EXPECT_EQ(co().ListCount(), 6) << c.code;
        EXPECT_EQ(co().ListIndex(), 1) << c.code;
        EXPECT_EQ(co().Text(), L"            En - Tr");
        EXPECT_EQ(co().items().at(6).text, L"            Tr - Ru");
        EXPECT_EQ(label(L"esdi"), c.code);
        EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), c.search);
        EXPECT_EQ(w->control<widgets::MorphOptionCheck>(L"avto").Caption(), c.avto);
        auto& mct = w->control<widgets::McToolBar>(L"mct");
        EXPECT_EQ(mct.button(5).Caption, c.exitButton);
        for (long i = 1; i <= 5; ++i) EXPECT_TRUE(mct.button(i).Icon) << i;
        EXPECT_EQ(label(L"des"), L"160");
        EXPECT_EQ(list().BackColor(), 0xF9F9F9);
        EXPECT_TRUE(messages.empty());
        w->Unload();
        w.reset();
    }
}

// The controls the first paint does not show (the hidden pictures, the state labels, the tray icon)
// are made after it; before it, each one asked for exists with its stored values, in its place.
TEST_F(MainWindow, EveryNamedControlExistsBeforeThePaintInLayoutOrder) {
    const Words names{L"mct",    L"TextBox1", L"co",   L"command1", L"avto",   L"ddd",
                      L"Label3", L"ddi",      L"list", L"ul",       L"Image1", L"Image2",
                      L"des",    L"Image3",   L"drs",  L"Image4",   L"Image5", L"SysTrayIcon1",
                      L"et",     L"er",       L"re",   L"rt",       L"te",     L"tr",
                      L"dddd",   L"esdi",     L"gond", L"ya",       L"ga",     L"flo"};
    w = std::make_shared<app::esas>();
    w->load();
    ASSERT_LT(w->Controls().size(), names.size()) << "nothing waited for the paint";
    // The chooser's items show the very pictures the hidden pictures hold.
    const wchar_t* const pictures[] = {L"et", L"er", L"re", L"rt", L"te", L"tr"};
    for (int i = 0; i < 6; ++i) {
        const auto& picture = w->control<forms::Image>(pictures[i]).Picture();
        EXPECT_TRUE(picture) << i;
        EXPECT_EQ(co().items().at(i + 1).picture, picture) << i;
    }
    auto& tray = w->control<app::SysTrayIcon>(L"SysTrayIcon1");
    EXPECT_TRUE(tray.Icon());
    EXPECT_FALSE(tray.IconVisible());
    for (const auto& name : names)
        EXPECT_NE(w->findControl(name), nullptr) << std::string(name.begin(), name.end());
    Words order;
    for (const auto& c : w->Controls()) order.push_back(c->Name());
    EXPECT_EQ(order, names);
    EXPECT_EQ(w->control<widgets::Label_KDQ>(L"esdi").Text(), L"en");
    EXPECT_FALSE(IsWindowVisible(w->control<forms::Image>(L"Image4").hWnd()));
}

TEST_F(MainWindow, TypedWordIsSearchedOnEnterAndItsRowSelected) {
    open();
    type(L"bank");
    EXPECT_EQ(list().ListCount(), 0); // no automatic search
    press(VK_RETURN);
    EXPECT_EQ(items(list()), Words{L"bank"});
    EXPECT_EQ(list().ListIndex(), 0);
    EXPECT_EQ(box().Text(), L"bank"); // Enter typed nothing
    EXPECT_EQ(label(L"dddd"), L"1");
    EXPECT_EQ(label(L"ddd"), L"English");
    EXPECT_EQ(label(L"ddi"), L"Türkçe");
    EXPECT_EQ(label(L"ya"), L"#@bank$");
    EXPECT_EQ(layouts.size(), 5u);
    EXPECT_EQ(layouts.back(), L"00000409");
    EXPECT_EQ(w->MousePointer(), core::pointer::Arrow);
}

TEST_F(MainWindow, AutomaticSearchStartsAtTheThirdCharacterAndEnterSearchesOnce) {
    open();
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    type(L"ho");
    EXPECT_EQ(list().ListCount(), 0);
    type(L"u");
    EXPECT_EQ(items(list()), (Words{L"hour", L"house"}));
    // Each search now fails and says so once: Enter with automatic search on says it once.
    breakDictionary();
    press(VK_RETURN);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MainWindow, HeadwordsAndTranslationsInEveryDirection) {
    struct Case {
        int direction;
        const wchar_t* word;
        Words headwords;
        Words translations;
        const wchar_t* layout;
    };
    const Case cases[] = {
        {1, L"bank", {L"bank"}, {L"banka", L"kıyı"}, L"00000409"},
        {2, L"Bank", {L"bank"}, {L"банк", L"берег"}, L"00000409"},
        {3, L"банк", {L"банк"}, {L"bank"}, L"00000419"},
        // Only the words the sources agree on meet across Russian and Turkish.
        {4, L"берег", {L"берег"}, {L"kıyı"}, L"00000419"},
        {5, L"kedi", {L"kedi"}, {L"cat"}, L"0000041f"},
        {6, L"kedi", {L"kedi"}, {L"кошка"}, L"0000041f"},
    };
    open();
    for (const auto& c : cases) {
        co().setListIndex(c.direction);
        box().setText(c.word);
        press(VK_RETURN);
        EXPECT_EQ(items(list()), c.headwords) << c.direction;
        clickFirstHeadword();
        EXPECT_EQ(items(list(L"ul")), c.translations) << c.direction;
        EXPECT_EQ(label(L"Label3"), c.headwords.front() + L":") << c.direction;
        EXPECT_EQ(w->translationDirection(), c.direction);
        EXPECT_EQ(layouts.back(), c.layout) << c.direction;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, ShortAndBlankWordsClearTheListWithoutSearching) {
    open();
    search(1, L"bank");
    ASSERT_EQ(list().ListCount(), 1);
    struct Case {
        int direction;
        const wchar_t* typed;
        Words headwords;
    };
    const Case cases[] = {
        {1, L"   ", {}},          // three blanks no longer list the whole dictionary
        {3, L"ёж", {}},           // too short
        {3, L"  ёж", {L"ёж"}},    // four characters typed: "ёж" is searched
        {1, L"BANK ", {L"bank"}}, // lower-cased and trimmed
    };
    for (const auto& c : cases) {
        search(c.direction, c.typed);
        EXPECT_EQ(items(list()), c.headwords) << std::wstring(c.typed).size();
    }
    // The translation list keeps what it had through later searches.
    clickFirstHeadword();
    search(1, L"xy");
    EXPECT_EQ(list().ListCount(), 0);
    EXPECT_EQ(items(list(L"ul")), (Words{L"banka", L"kıyı"}));
}

TEST_F(MainWindow, TheLanguageSignalReappliesCaptionsAndKeepsTheDirections) {
    open();
    co().setListIndex(3);
    setLanguage(L"tr");
    auto& flo = w->control<widgets::Label_KDQ>(L"flo");
    flo.setText(flo.Text() + L"1");
    EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), L"Ara");
    EXPECT_EQ(label(L"esdi"), L"tr");
    EXPECT_EQ(co().ListCount(), 6);
    EXPECT_EQ(co().ListIndex(), 3);
}

TEST_F(MainWindow, AMissingDictionaryIsNamedOnceAndLookUpsRefuseQuietly) {
    setLanguage(L"ru");
    ASSERT_TRUE(DeleteFileW(folder.file(L"oracle\\dat.vex").c_str()));
    open();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"dat.vex"), std::wstring::npos);
    EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), L"Поиск");
    EXPECT_EQ(co().ListCount(), 6);
    search(1, L"bank");
    clickFirstHeadword();
    EXPECT_EQ(list().ListCount(), 0);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MainWindow, ADatabaseFailureIsReportedOnceAndTheListsStay) {
    open();
    search(1, L"bank");
    clickFirstHeadword();
    breakDictionary();
    search(1, L"house");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(items(list()), Words{L"bank"});
    clickFirstHeadword();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(items(list(L"ul")), (Words{L"banka", L"kıyı"}));
    EXPECT_EQ(w->MousePointer(), core::pointer::Arrow);
}

// The dictionary is checked through once the window is painted; a look-up that comes earlier waits
// for the verdict, and a damaged file is named once, in the interface language, whoever learns it.
TEST_F(MainWindow, TheWindowShowsBeforeTheDictionaryCheckAndDamageIsStillNamed) {
    struct Case {
        const char* what;
        bool damaged;
        bool searchAtOnce;
    } cases[] = {{"intact, a search at once", false, true},
                 {"damaged, a search at once", true, true},
                 {"damaged, no search", true, false}};
    setLanguage(L"ru");
    for (const auto& c : cases) {
        tools::writeSampleDatabases(folder.path());
        setLanguage(L"ru");
        if (c.damaged) {
            // A row changed where the engine's own page check does not look.
            data::Database db(folder.file(L"oracle\\dat.vex"));
            db.execute(L"update soz_fts set soz = 'x@bank<>банк<>banka@1' where soz like '%@bank<>%'");
        }
        messages.clear();
        w = std::make_shared<app::esas>();
        w->Show();
        EXPECT_TRUE(IsWindowVisible(w->hWnd())) << c.what;
        EXPECT_TRUE(messages.empty()) << c.what << ": the window waited for the check";
        if (c.searchAtOnce) {
            search(1, L"bank");
            EXPECT_EQ(items(list()), c.damaged ? Words{} : Words{L"bank"}) << c.what;
        }
        for (int i = 0; i < 500 && messages.size() < (c.damaged ? 1u : 0u); ++i) {
            forms::DoEvents();
            Sleep(10);
        }
        for (int i = 0; i < 20; ++i) forms::DoEvents();
        ASSERT_EQ(messages.size(), c.damaged ? 1u : 0u) << c.what;
        if (c.damaged) {
            EXPECT_NE(messages[0].find(L"dat.vex"), std::wstring::npos) << c.what;
            EXPECT_NE(messages[0].find(L"повреждён"), std::wstring::npos) << c.what;
            search(1, L"bank");
            EXPECT_EQ(items(list()), Words{}) << c.what;
            EXPECT_EQ(messages.size(), 1u) << c.what << ": named again";
        }
        w->Unload();
        w.reset();
        forms::DoEvents();
    }
}

TEST_F(MainWindow, AQuoteInTheWordIsSearchedForAsItIs) {
    open();
    search(1, L"ship's");
    EXPECT_EQ(items(list()), Words{L"ship's boat"});
    EXPECT_TRUE(messages.empty());
}

struct ChildBox {
    DWORD pid;
    HWND box = nullptr;
};

BOOL CALLBACK findChildBox(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<ChildBox*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    if (pid == f->pid && std::wstring(cls) == L"#32770" && IsWindowVisible(h)) f->box = h;
    return !f->box;
}

BOOL CALLBACK collectText(HWND h, LPARAM p) {
    wchar_t t[512] = {};
    GetWindowTextW(h, t, 512);
    *reinterpret_cast<std::wstring*>(p) += std::wstring(t) + L"\n";
    return TRUE;
}

// vexa.exe in a folder that holds the dictionary but no settings: a message naming the file, then the
// program ends.
TEST(MainWindowProgram, AMissingSettingsFileIsNamedAndTheProgramEnds) {
    testsupport::TempFolder folder{L"vexa-nosettings-"};
    tools::writeSampleDatabases(folder.path());
    ASSERT_TRUE(DeleteFileW(folder.file(L"oracle\\lang.vex").c_str()));
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bin(self);
    bin = bin.substr(0, bin.find_last_of(L"\\/"));
    const std::wstring exe = folder.file(L"vexa.exe");
    ASSERT_TRUE(CopyFileW((bin + L"\\vexa.exe").c_str(), exe.c_str(), FALSE));

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.path().c_str(), &si, &pi));
    // Wait for the child's message box and read its text.
    ChildBox found{pi.dwProcessId};
    for (int i = 0; i < 300 && !found.box; ++i) {
        EnumWindows(findChildBox, reinterpret_cast<LPARAM>(&found));
        Sleep(50);
    }
    ASSERT_NE(found.box, nullptr);
    std::wstring text;
    EnumChildWindows(found.box, collectText, reinterpret_cast<LPARAM>(&text));
    EXPECT_NE(text.find(L"lang.vex"), std::wstring::npos) << std::string(text.begin(), text.end());
    PostMessageW(found.box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_NE(code, STILL_ACTIVE);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

} // namespace

namespace {

TEST_F(MainWindow, ADirectionOutsideTheTableSearchesAndChoosesNothing) {
    open();
    search(1, L"bank");
    clickFirstHeadword();
    search(7, L"house"); // the chooser's index points at no direction
    EXPECT_EQ(items(list()), Words{L"bank"});
    EXPECT_EQ(label(L"dddd"), L"1");
    clickFirstHeadword();
    EXPECT_EQ(items(list(L"ul")), (Words{L"banka", L"kıyı"}));
    EXPECT_TRUE(messages.empty());
}

} // namespace
