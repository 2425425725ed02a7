// The main window on the hand-made dictionary: start-up in the stored language, typing into the search
// box, the six directions, the language signal, and what happens when a database is missing or fails.
#include "app/controls.h"
#include "app/dil.h"
#include "app/esas.h"
#include "app/main_window.h"
#include "app/sys_tray_icon.h"

#include "app/keyboard_layout.h"
#include "platform/core/constants.h"
#include "platform/core/system_handles.h"
#include "platform/core/text.h"
#include "platform/data/database.h"
#include "platform/data/session_pool.h"
#include "platform/forms/app.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/form.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "main_window_screen.h"
#include "support/dictionary_lock.h"
#include "support/program.h"
#include "support/program_window.h"
#include "support/screenshot.h"
#include "support/settle.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/list_box/mc_list_box.h"
#include "widgets/tool_bar/mc_tool_bar.h"
#include "widgets/label/label_kdq.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using apptest::headwordInk;
using testsupport::DictionaryLock;
using testsupport::searchBoxText;
using testsupport::typeKeys;
using Words = std::vector<std::wstring>;

// A database file replaced by one of text, which is no database at all.
bool replaceWithText(const std::wstring& file) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(h, "not a database at all", 21, &written, nullptr) && written == 21;
    CloseHandle(h);
    return whole;
}

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
        // Without a handler the end would end the tests with them.
        previousEnd_ = forms::App::setEndHandler([this] { programEnded_ = true; });
    }
    void TearDown() override {
        data::setBusyTimeout(3000);
        if (w) w->Unload();
        w.reset();
        forms::DoEvents();
        forms::setMsgBoxHandler(previousBox_);
        app::setKeyboardLayoutLoader(previousLoader_);
        forms::App::setEndHandler(previousEnd_);
        app::setProgramFolder(L"");
        EXPECT_FALSE(programEnded_) << "the program ended";
    }

    void setLanguage(const std::wstring& code) {
        data::Database db(folder.file(L"oracle\\lang.vex"));
        db.execute(L"update dil set dil = '" + code + L"'");
    }
    // Opens the window and waits, as a user does not, until the dictionary's check is over, so that
    // automatic search lists at once.
    void open() {
        w = std::make_shared<app::esas>();
        w->Show();
        testsupport::settle(*w);
        waitForTheCheck();
    }
    void waitForTheCheck() {
        while (w->dictionaryCheck().started() && !w->dictionaryCheck().ended()) {
            forms::DoEvents();
            Sleep(1);
        }
        forms::DoEvents();
    }
    // Opens the window and waits until the dictionary's check has begun, with a wait for a lock of its
    // own; later look-ups wait as long as the program does, unless a test says otherwise.
    void openWithCheckTimeout(int milliseconds) {
        data::setBusyTimeout(milliseconds);
        w = std::make_shared<app::esas>();
        w->Show();
        while (!w->dictionaryCheck().started()) {
            forms::DoEvents();
            Sleep(1);
        }
        data::setBusyTimeout(3000);
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
    void breakDictionary() { ASSERT_TRUE(replaceWithText(folder.file(L"oracle\\dat.vex"))); }
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
    forms::App::EndHandler previousEnd_;
    bool programEnded_ = false;
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
        EXPECT_NE(w->ensureControl(name), nullptr) << std::string(name.begin(), name.end());
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
    EXPECT_EQ(w->MousePointer(), core::pointer::Default);
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

// A missing dictionary is named at every look-up the user asks for, never in a box before the window
// (which would take the keys typed at once), and the file is used once it is back.
TEST_F(MainWindow, AMissingDictionaryIsNamedAtEveryAskedLookUp) {
    setLanguage(L"ru");
    ASSERT_TRUE(DeleteFileW(folder.file(L"oracle\\dat.vex").c_str()));
    open();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), L"Поиск");
    EXPECT_EQ(co().ListCount(), 6);
    for (size_t n = 1; n <= 2; ++n) {
        search(1, L"bank");
        ASSERT_EQ(messages.size(), n);
        EXPECT_NE(messages.back().find(L"dat.vex"), std::wstring::npos);
        EXPECT_NE(messages.back().find(L"не найден"), std::wstring::npos);
    }
    EXPECT_EQ(list().ListCount(), 0);
    // Put back, it is used.
    tools::writeSampleDatabases(folder.path());
    search(1, L"bank");
    EXPECT_EQ(items(list()), Words{L"bank"});
    EXPECT_EQ(messages.size(), 2u);
}

// A refused look-up says why and leaves nothing of the earlier word: the search clears the headword
// list, and a headword click the translation list, before anything can refuse them.
TEST_F(MainWindow, ARefusedLookUpSaysWhyAndLeavesNoEarlierList) {
    open();
    search(1, L"bank");
    clickFirstHeadword();
    ASSERT_EQ(items(list(L"ul")), (Words{L"banka", L"kıyı"}));
    breakDictionary();
    clickFirstHeadword();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(list(L"ul").ListCount(), 0);
    EXPECT_EQ(label(L"ga"), L"");
    search(1, L"house");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages.back().find(L"dat.vex"), std::wstring::npos);
    EXPECT_EQ(list().ListCount(), 0);
    EXPECT_EQ(label(L"ya"), L"");
    EXPECT_EQ(w->MousePointer(), core::pointer::Default);
}

// Typing never meets a message: automatic search, refused, keeps every key in the search box and says
// nothing; the next look-up the user asks for says why. A key whose press went elsewhere (the Enter
// that closed a message box) starts nothing when it comes up in the search box.
TEST_F(MainWindow, TypingNeverMeetsAMessageAndAStrayReleaseStartsNothing) {
    open();
    search(1, L"bank");
    breakDictionary();
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    box().setText(L"");
    box().SetFocus();
    type(L"houseboat");
    EXPECT_EQ(box().Text(), L"houseboat");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(list().ListCount(), 0);
    for (UINT key : {UINT(VK_RETURN), UINT(VK_ESCAPE), UINT('T')}) {
        PostMessageW(box().editWindow(), WM_KEYUP, key, 0xC0000001);
        forms::DoEvents();
    }
    EXPECT_TRUE(messages.empty());
    press(VK_RETURN);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages.back().find(L"dat.vex"), std::wstring::npos);
}

// A key pressed in the search box and released after the box lost the keyboard leaves nothing behind:
// a later release of that key in the box starts nothing, as one whose press went elsewhere.
TEST_F(MainWindow, TheKeysDownAreForgottenWhenTheSearchBoxLosesTheKeyboard) {
    open();
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    for (bool focusLeft : {true, false}) {
        list().Clear();
        box().setText(L"hou");
        box().SetFocus();
        PostMessageW(box().editWindow(), WM_KEYDOWN, VK_END, 1);
        forms::DoEvents();
        if (focusLeft) {
            w->control<widgets::ktButton>(L"command1").SetFocus();
            box().SetFocus();
        }
        PostMessageW(box().editWindow(), WM_KEYUP, VK_END, 0xC0000001);
        forms::DoEvents();
        EXPECT_EQ(items(list()), focusLeft ? Words{} : (Words{L"hour", L"house"})) << focusLeft;
    }
}

// Settings that cannot be read at start are told once the window is on the screen, in the language
// of the defaults the window then uses, after the keys typed until then, which stay in the search box.
TEST_F(MainWindow, ASettingsFailureAtStartIsToldAfterTheWindowAndTheKeysTypedBefore) {
    ASSERT_TRUE(replaceWithText(folder.file(L"oracle\\lang.vex")));
    std::wstring boxWhenTold;
    bool windowPaintedWhenTold = false;
    forms::setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
        messages.push_back(prompt);
        boxWhenTold = box().Text();
        windowPaintedWhenTold = IsWindowVisible(w->hWnd()) && w->firstPaintDone();
        return 1;
    });
    w = std::make_shared<app::esas>();
    w->Show();
    EXPECT_TRUE(messages.empty()) << "told before the window";
    for (wchar_t c : std::wstring(L"bank")) {
        const UINT vk = VkKeyScanW(c) & 0xFF;
        PostMessageW(box().editWindow(), WM_KEYDOWN, vk, 1);
        PostMessageW(box().editWindow(), WM_KEYUP, vk, 0xC0000001);
    }
    for (int i = 0; i < 1000 && messages.empty(); ++i) {
        forms::DoEvents();
        Sleep(5);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"The settings cannot be read:\nThe file ", 0), 0u)
        << core::toUtf8(messages[0]);
    EXPECT_NE(messages[0].find(L"lang.vex"), std::wstring::npos);
    EXPECT_TRUE(windowPaintedWhenTold);
    EXPECT_EQ(boxWhenTold, L"bank");
    EXPECT_EQ(label(L"esdi"), L"en");
    EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), L"Search");
    forms::DoEvents();
    EXPECT_EQ(messages.size(), 1u);
}

// The dictionary is checked through once the window is painted; a look-up that comes earlier waits
// for the verdict. A damaged file is named in the interface language at every look-up it stops, and
// never by a message of its own, which would take the keys the user is typing.
TEST_F(MainWindow, TheWindowShowsBeforeTheDictionaryCheckAndDamageIsNamedAtEveryLookUp) {
    struct Case {
        const char* what;
        bool damaged;
        bool searchAtOnce;
    } cases[] = {{"intact, a search at once", false, true},
                 {"damaged, a search at once", true, true},
                 {"damaged, a search after the check", true, false}};
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
        if (!c.searchAtOnce) {
            waitForTheCheck();
            EXPECT_TRUE(messages.empty()) << c.what << ": the check spoke by itself";
        }
        for (size_t n = 1; n <= 2; ++n) {
            search(1, L"bank");
            EXPECT_EQ(items(list()), c.damaged ? Words{} : Words{L"bank"}) << c.what;
            ASSERT_EQ(messages.size(), c.damaged ? n : 0u) << c.what;
            if (c.damaged) {
                EXPECT_NE(messages.back().find(L"dat.vex"), std::wstring::npos) << c.what;
                EXPECT_NE(messages.back().find(L"повреждён"), std::wstring::npos) << c.what;
            }
        }
        w->Unload();
        w.reset();
        forms::DoEvents();
    }
}

// A dictionary locked before the start. A search made while the start-up check waits for the lock
// waits one deadline in all, counted from the search (not from the check, which began earlier and
// gives up first), and then says the file is in use. A search whose lock ends within its deadline
// lists the word, the check having given up.
TEST_F(MainWindow, ASearchWhileTheCheckWaitsForALockWaitsOneDeadline) {
    setLanguage(L"en");
    std::optional<DictionaryLock> lock;
    ASSERT_NO_THROW(lock.emplace(folder.file(L"oracle\\dat.vex")));
    openWithCheckTimeout(1500);
    const DWORD searched = GetTickCount();
    search(1, L"bank");
    const DWORD waited = GetTickCount() - searched;
    EXPECT_GE(waited, 2500u) << "the deadline was counted from the check";
    EXPECT_LT(waited, 4500u) << "the search waited more than one deadline";
    EXPECT_EQ(items(list()), Words{});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"dat.vex is in use"), std::wstring::npos);

    lock->letGoAfter(500);
    search(1, L"bank");
    EXPECT_GE(GetTickCount(), lock->lettingGo()) << "the search ended before the lock let go";
    EXPECT_EQ(items(list()), Words{L"bank"});
    EXPECT_EQ(messages.size(), 1u);
}

// A check that is still running when a search's deadline passes (a slow disk or share: here the
// check waits longer for a lock than the search does) is told as such, not as a file another program
// holds; once the check is over, the word is found.
TEST_F(MainWindow, ASearchThatOutwaitsTheCheckSaysItIsStillBeingChecked) {
    setLanguage(L"en");
    std::optional<DictionaryLock> lock;
    ASSERT_NO_THROW(lock.emplace(folder.file(L"oracle\\dat.vex")));
    openWithCheckTimeout(60000);
    data::setBusyTimeout(500); // the search's
    search(1, L"bank");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"dat.vex is still being checked"), std::wstring::npos);
    EXPECT_EQ(messages[0].find(L"in use"), std::wstring::npos);
    EXPECT_EQ(items(list()), Words{});
    lock->letGoAfter(0);
    lock->lettingGo();
    data::setBusyTimeout(3000);
    search(1, L"bank");
    EXPECT_EQ(items(list()), Words{L"bank"});
    EXPECT_EQ(messages.size(), 1u);
}

// Typing never waits for the dictionary: with automatic search on, a check still running, or a lock
// taken after it, refuses each typed look-up at once and silently, and every key lands. When the check
// ends, the word in the box is listed without another key; once the lock is gone, the next key lists.
TEST_F(MainWindow, TypingNeverWaitsForALockedOrStillCheckedDictionary) {
    std::optional<DictionaryLock> lock;
    ASSERT_NO_THROW(lock.emplace(folder.file(L"oracle\\dat.vex")));
    openWithCheckTimeout(60000);
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    box().SetFocus();
    const auto typedIn = [&](const std::wstring& keys) {
        const DWORD started = GetTickCount();
        type(keys);
        return GetTickCount() - started;
    };
    // Far below the three seconds each key would wait for the check.
    EXPECT_LT(typedIn(L"bank"), 2500u) << "typing waited for the check";
    EXPECT_EQ(box().Text(), L"bank");
    EXPECT_EQ(list().ListCount(), 0);
    lock->letGoAfter(0);
    lock->lettingGo();
    for (int i = 0; i < 1000 && list().ListCount() == 0; ++i) {
        forms::DoEvents();
        Sleep(10);
    }
    EXPECT_EQ(items(list()), Words{L"bank"}) << "the check's end did not list the word";

    lock.emplace(folder.file(L"oracle\\dat.vex"));
    box().setText(L"");
    EXPECT_LT(typedIn(L"hou"), 2500u) << "typing waited for the lock";
    EXPECT_EQ(box().Text(), L"hou");
    EXPECT_EQ(list().ListCount(), 0);
    lock.reset();
    type(L"s");
    EXPECT_EQ(items(list()), Words{L"house"});
    EXPECT_TRUE(messages.empty());
}

// Every refusal of a look-up the user asked for reads alike, whatever stopped it: the interface
// language's lead, then why, with the lists' captions naming the direction and no list under them.
TEST_F(MainWindow, EveryRefusedLookUpReadsAlike) {
    enum class Cause { Missing, DamagedAtTheCheck, InUse, StillChecked };
    struct Case {
        const char* what;
        Cause cause;
        const wchar_t* why;
    } cases[] = {{"missing", Cause::Missing, L"was not found"},
                 {"damaged, found by the check", Cause::DamagedAtTheCheck, L"is damaged"},
                 {"in use", Cause::InUse, L"is in use"},
                 {"still being checked", Cause::StillChecked, L"is still being checked"}};
    for (const auto& c : cases) {
        tools::writeSampleDatabases(folder.path());
        setLanguage(L"en");
        const std::wstring file = folder.file(L"oracle\\dat.vex");
        if (c.cause == Cause::Missing) {
            ASSERT_TRUE(DeleteFileW(file.c_str()));
        }
        if (c.cause == Cause::DamagedAtTheCheck) {
            data::Database db(file);
            db.execute(L"update soz_fts set soz = 'x@bank<>банк<>banka@1' where soz like '%@bank<>%'");
        }
        std::optional<DictionaryLock> lock;
        if (c.cause == Cause::InUse || c.cause == Cause::StillChecked) {
            ASSERT_NO_THROW(lock.emplace(file));
        }
        if (c.cause == Cause::InUse || c.cause == Cause::StillChecked)
            openWithCheckTimeout(c.cause == Cause::StillChecked ? 60000 : 300);
        else
            open();
        // The search's own wait: shorter than a check still running, longer than one that gave up.
        data::setBusyTimeout(c.cause == Cause::StillChecked ? 300 : 1500);
        messages.clear();
        search(2, L"bank");
        ASSERT_EQ(messages.size(), 1u) << c.what;
        EXPECT_EQ(messages[0].rfind(L"The word cannot be looked up:\nThe ", 0), 0u)
            << core::toUtf8(messages[0]);
        EXPECT_NE(messages[0].find(c.why), std::wstring::npos) << core::toUtf8(messages[0]);
        EXPECT_EQ(label(L"ddd"), L"English") << c.what;
        EXPECT_EQ(label(L"ddi"), L"Русский язык") << c.what;
        EXPECT_EQ(list().ListCount(), 0) << c.what;
        lock.reset();
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

using testsupport::Program;

BOOL CALLBACK collectText(HWND h, LPARAM p) {
    wchar_t t[512] = {};
    GetWindowTextW(h, t, 512);
    *reinterpret_cast<std::wstring*>(p) += std::wstring(t) + L"\n";
    return TRUE;
}

std::wstring textOf(HWND box) {
    std::wstring text;
    EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
    return text;
}

// The rightmost column of the search box's text on the screen: the end of its last run of columns with
// ink that is wider than the caret, which the system draws by itself, without a paint; -1 when there
// is none.
int searchBoxRightInk(HWND main) {
    const HWND edit = testsupport::searchBox(main);
    RECT r{};
    GetClientRect(edit, &r);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const testsupport::Shot shot = testsupport::captureScreen(r);
    const auto inked = [&](int x) {
        for (int y = 0; y < shot.h; ++y)
            if ((shot.at(x, y) & 0xFFFFFF) != app::kWindowColour) return true;
        return false;
    };
    constexpr int caretWidth = 2;
    int right = -1;
    for (int x = 0, run = 0; x < shot.w; ++x) {
        run = inked(x) ? run + 1 : 0;
        if (run > caretWidth) right = x;
    }
    return right;
}

// Whether the window has painted itself: the outline it draws around the headword list is on the
// screen.
bool painted(HWND main) {
    POINT corner{10 - 1, 152 - 1};
    ClientToScreen(main, &corner);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, corner.x, corner.y);
    ReleaseDC(nullptr, screen);
    return (c & 0xFFFFFF) == 0xC8C8C8;
}

// vexa.exe in a folder that holds the dictionary but no settings: a message naming the file, then the
// program ends.
TEST(MainWindowProgram, AMissingSettingsFileIsNamedAndTheProgramEnds) {
    testsupport::TempFolder folder{L"vexa-nosettings-"};
    tools::writeSampleDatabases(folder.path());
    ASSERT_TRUE(DeleteFileW(folder.file(L"oracle\\lang.vex").c_str()));
    Program vexa(folder);
    ASSERT_TRUE(vexa.started());
    const HWND box = vexa.messageBox();
    ASSERT_NE(box, nullptr);
    const std::wstring text = textOf(box);
    EXPECT_NE(text.find(L"lang.vex"), std::wstring::npos) << std::string(text.begin(), text.end());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(vexa.ended(10000));
}

// Real pointer input: a left click at a point of a window's client area.
void clickAt(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    INPUT in[3]{};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    in[0].mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

// Waits until the search box holds the text, for up to about five seconds.
bool searchBoxHolds(HWND main, const std::wstring& text) {
    for (int i = 0; i < 500 && searchBoxText(main) != text; ++i) Sleep(10);
    return searchBoxText(main) == text;
}

// The first minute of a real start, as a user meets it. Keys typed as soon as the window shows land in
// the search box, whether the dictionary is intact, damaged or missing (no message comes before the
// window). A refused look-up the user asked for says why; the key that closes its message (Enter or
// Escape) does not bring it back; typing with automatic search on never meets a message; and a click
// on the tool bar, on a button's place or on the band beside them, leaves the keys with the search box.
TEST(MainWindowProgram, TheKeysStayWithTheSearchBoxAndEveryAskedLookUpSaysWhy) {
    enum class Dictionary { Intact, Damaged, Missing };
    struct Case {
        const char* what;
        Dictionary dictionary;
        bool automatic;
    } cases[] = {{"intact", Dictionary::Intact, false},
                 {"damaged", Dictionary::Damaged, false},
                 {"missing", Dictionary::Missing, false},
                 {"damaged, automatic search", Dictionary::Damaged, true}};
    for (const auto& c : cases) {
        testsupport::TempFolder folder{L"vexa-typing-"};
        tools::writeSampleDatabases(folder.path());
        if (c.dictionary == Dictionary::Damaged) {
            data::Database db(folder.file(L"oracle\\dat.vex"));
            db.execute(L"update soz_fts set soz = 'x@bank<>банк<>banka@1' where soz like '%@bank<>%'");
        }
        if (c.dictionary == Dictionary::Missing) {
            ASSERT_TRUE(DeleteFileW(folder.file(L"oracle\\dat.vex").c_str()));
        }
        Program vexa(folder);
        ASSERT_TRUE(vexa.started());
        const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
        ASSERT_NE(main, nullptr) << c.what;
        // The keys go to the window the system activates on the start, as the user's would.
        for (int i = 0; i < 500 && GetForegroundWindow() != main; ++i) Sleep(10);
        ASSERT_EQ(GetForegroundWindow(), main) << c.what << ": the started window was not activated";
        // A message a key would bring back comes at once; half a second without one is none.
        const auto noMessage = [&] {
            for (int i = 0; i < 50; ++i, Sleep(10))
                if (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr);
                    box && IsWindowVisible(box))
                    return false;
            return true;
        };
        if (c.automatic) {
            typeKeys(L"\t\t\t \t\t\t"); // on to "Automatic search", ticked, and round to the search box
            typeKeys(L"houseboat");
            EXPECT_TRUE(searchBoxHolds(main, L"houseboat"))
                << c.what << ": " << core::toUtf8(searchBoxText(main));
            EXPECT_TRUE(noMessage()) << c.what << ": typing met a message";
            typeKeys(L"\n");
        } else {
            typeKeys(L"bank\n");
            ASSERT_TRUE(searchBoxHolds(main, L"bank")) << c.what << ": the keys did not reach the search box";
        }
        if (c.dictionary == Dictionary::Intact) {
            // Ink counts only once the window has painted over whatever the screen showed before.
            int ink = 0;
            for (int i = 0; i < 500 && (!painted(main) || (ink = headwordInk(main)) <= 0); ++i) Sleep(10);
            EXPECT_GT(ink, 0) << "no headword listed";
            EXPECT_TRUE(noMessage());
            clickAt(main, 628, 40); // the tool bar beside its buttons
            clickAt(main, 400, 87); // and below them
            typeKeys(L"s");
            EXPECT_TRUE(searchBoxHolds(main, L"banks")) << core::toUtf8(searchBoxText(main));
            continue;
        }
        // Each look-up asked for says why; the key that closes the message brings nothing back.
        for (const wchar_t* close : {L"\n", L"\x1b"}) {
            const HWND box = vexa.messageBox();
            ASSERT_NE(box, nullptr) << c.what << ": the look-up said nothing";
            EXPECT_NE(textOf(box).find(L"dat.vex"), std::wstring::npos) << c.what;
            if (close[0] == L'\x1b') {
                INPUT esc[2]{};
                esc[0].type = esc[1].type = INPUT_KEYBOARD;
                esc[0].ki.wVk = esc[1].ki.wVk = VK_ESCAPE;
                esc[1].ki.dwFlags = KEYEVENTF_KEYUP;
                SendInput(2, esc, sizeof(INPUT));
            } else {
                typeKeys(close);
            }
            for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
            ASSERT_FALSE(IsWindow(box)) << c.what;
            EXPECT_TRUE(noMessage()) << c.what << ": the closing key brought the message back";
            EXPECT_TRUE(searchBoxHolds(main, c.automatic ? L"houseboat" : L"bank")) << c.what;
            if (close[0] == L'\n') typeKeys(L"\n"); // the next look-up of the word still in the box
        }
        // The boxes' pictures are gone from the screen once the window has painted itself again.
        int ink = 0;
        for (int i = 0; i < 200 && (ink = headwordInk(main)) != 0; ++i) Sleep(10);
        EXPECT_EQ(ink, 0) << c.what << ": a headword listed from an unusable dictionary";
    }
}

// Typing into a dictionary another program holds, with automatic search on, whether the lock came
// before the start (the check waits for it) or after a look-up: the window answers at once after every
// key, each letter is drawn as it is typed, and nothing is listed or told. Once the lock is gone, the
// word in the box is listed without another key.
TEST(MainWindowProgram, TypingIntoALockedDictionaryDrawsEveryLetterAndTheWindowAnswers) {
    struct Case {
        const char* what;
        bool lockedAtStart;
        const wchar_t* before; // typed before the lock
        const wchar_t* locked; // typed while it holds
    } cases[] = {{"locked before the start", true, L"", L"house"},
                 {"locked after a look-up", false, L"hou", L"se"}};
    for (const auto& c : cases) {
        testsupport::TempFolder folder{L"vexa-locked-"};
        tools::writeSampleDatabases(folder.path());
        const std::wstring dictionary = folder.file(L"oracle\\dat.vex");
        std::optional<DictionaryLock> lock;
        if (c.lockedAtStart) {
            ASSERT_NO_THROW(lock.emplace(dictionary));
        }
        Program vexa(folder);
        ASSERT_TRUE(vexa.started());
        const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
        ASSERT_NE(main, nullptr);
        // Active, and painted with its lists empty.
        for (int i = 0;
             i < 500 && (GetForegroundWindow() != main || !painted(main) || headwordInk(main) != 0); ++i)
            Sleep(10);
        typeKeys(L"\t\t\t \t\t\t"); // on to "Automatic search", ticked, and round to the search box
        std::wstring typed = c.before;
        typeKeys(typed);
        const auto listed = [&] {
            int ink = 0;
            for (int i = 0; i < 1000 && (ink = headwordInk(main)) <= 0; ++i) Sleep(10);
            return ink > 0;
        };
        if (!c.lockedAtStart) {
            ASSERT_TRUE(listed()) << c.what;
            ASSERT_NO_THROW(lock.emplace(dictionary));
        }
        {
            // A look-up that waited for the lock would keep the window from answering for seconds.
            testsupport::AnswerWatch watch(main);
            for (wchar_t letter : std::wstring(c.locked)) {
                const int before = searchBoxRightInk(main);
                typeKeys(std::wstring(1, letter));
                typed += letter;
                // Drawn: the box holds the letter, and its ink reaches further right by its width.
                bool drawn = false;
                for (int i = 0; i < 100 && !drawn; ++i, Sleep(10))
                    drawn = searchBoxText(main) == typed && searchBoxRightInk(main) >= before + 2;
                EXPECT_TRUE(drawn) << c.what << ": " << core::toUtf8(typed) << " is not on the screen";
            }
            // The last key's look-up has run once a key after it has been handled.
            EXPECT_TRUE(testsupport::keysHandled(main)) << c.what;
            watch.stop();
            EXPECT_LT(watch.longest(), 1000) << c.what << ": the window did not answer for a while";
        }
        EXPECT_EQ(headwordInk(main), 0) << c.what;
        EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), nullptr)
            << c.what << ": typing met a message";
        lock->letGoAfter(0);
        lock->lettingGo();
        EXPECT_TRUE(listed()) << c.what << ": the word was not listed once the lock was gone";
        EXPECT_EQ(searchBoxText(main), L"house") << c.what;
    }
}

// Settings that cannot be read (a damaged file, or no ODBC library) are told once the window is on the
// screen, over it; the key that closes the message starts nothing, and the keys after it reach the
// search box.
TEST(MainWindowProgram, ASettingsFailureAtStartComesAfterTheWindow) {
    struct Case {
        const char* what;
        const wchar_t* program;
        const wchar_t* library; // switched off for the program, or none
        const wchar_t* why;
    } cases[] = {{"damaged settings", L"vexa.exe", nullptr, L"lang.vex"},
                 {"no ODBC library", L"vexa-noodbc.exe", L"odbc32", L"odbc32"}};
    for (const auto& c : cases) {
        testsupport::TempFolder folder{L"vexa-settings-"};
        tools::writeSampleDatabases(folder.path());
        if (!c.library) {
            ASSERT_TRUE(replaceWithText(folder.file(L"oracle\\lang.vex")));
        }
        std::optional<testsupport::LibrarySwitchedOff> off;
        if (c.library) off.emplace(c.program, c.library);
        Program vexa(folder, c.program);
        ASSERT_TRUE(vexa.started()) << c.what;
        const HWND box = vexa.messageBox();
        ASSERT_NE(box, nullptr) << c.what << ": nothing was told";
        const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
        ASSERT_NE(main, nullptr) << c.what;
        EXPECT_EQ(GetWindow(box, GW_OWNER), main) << c.what << ": told before the window";
        const std::wstring text = textOf(box);
        EXPECT_NE(text.find(L"The settings cannot be read:"), std::wstring::npos) << core::toUtf8(text);
        EXPECT_NE(text.find(c.why), std::wstring::npos) << core::toUtf8(text);
        typeKeys(L"\n");
        for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
        ASSERT_FALSE(IsWindow(box)) << c.what;
        typeKeys(L"bank");
        EXPECT_TRUE(searchBoxHolds(main, L"bank")) << c.what << ": " << core::toUtf8(searchBoxText(main));
        EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), nullptr)
            << c.what << ": the closing key brought a message";
    }
}

// Waits until the message box, on the screen, is gone; true when it went.
bool closed(HWND box) {
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
    return !IsWindow(box);
}

// A settings file that another program holds at the start (open without sharing, or under its database
// lock) is in use, not missing: the window comes up without waiting for it, and once the wait is over
// says the file is in use; the program goes on with the defaults and the keys reach the search box.
TEST(MainWindowProgram, AHeldSettingsFileIsInUseAndTheWindowDoesNotWaitForIt) {
    for (const bool databaseLock : {false, true}) {
        const char* what = databaseLock ? "database lock" : "open without sharing";
        testsupport::TempFolder folder{L"vexa-heldsettings-"};
        tools::writeSampleDatabases(folder.path());
        const std::wstring settings = folder.file(L"oracle\\lang.vex");
        std::optional<DictionaryLock> lock;
        core::FileHandle held;
        if (databaseLock) {
            ASSERT_NO_THROW(lock.emplace(settings));
        } else {
            held.reset(CreateFileW(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
        }
        const DWORD started = GetTickCount();
        Program vexa(folder);
        ASSERT_TRUE(vexa.started()) << what;
        const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
        ASSERT_NE(main, nullptr) << what;
        const DWORD shown = GetTickCount();
        EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), nullptr)
            << what << ": told before the window";
        const HWND box = vexa.messageBox();
        ASSERT_NE(box, nullptr) << what << ": nothing was told";
        EXPECT_LT(shown - started, 2500u) << what << ": the window waited for the settings";
        EXPECT_GE(GetTickCount() - started, 2900u) << what << ": told before the wait was over";
        const std::wstring text = textOf(box);
        EXPECT_NE(text.find(L"The settings cannot be read:"), std::wstring::npos) << core::toUtf8(text);
        EXPECT_NE(text.find(L"lang.vex is in use by another program"), std::wstring::npos)
            << core::toUtf8(text);
        typeKeys(L"\n");
        ASSERT_TRUE(closed(box)) << what;
        EXPECT_FALSE(vexa.ended(300)) << what << ": the program ended";
        typeKeys(L"bank");
        EXPECT_TRUE(searchBoxHolds(main, L"bank")) << what << ": " << core::toUtf8(searchBoxText(main));
    }
}

// A word typed letter by letter as soon as the window shows, or after a glance at it, into settings that
// cannot be read: the message waits until typing pauses, so every letter stays in the search box, and
// the Enter that closes it brings nothing back.
TEST(MainWindowProgram, AWordTypedAtOnceIntoASettingsFailureLosesNoLetter) {
    for (const DWORD glance : {0, 700}) {
        testsupport::TempFolder folder{L"vexa-typedsettings-"};
        tools::writeSampleDatabases(folder.path());
        ASSERT_TRUE(replaceWithText(folder.file(L"oracle\\lang.vex")));
        Program vexa(folder);
        ASSERT_TRUE(vexa.started());
        const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
        ASSERT_NE(main, nullptr);
        for (int i = 0; i < 500 && (GetForegroundWindow() != main || !painted(main)); ++i) Sleep(10);
        Sleep(glance);
        const std::wstring word = L"waterfall";
        for (wchar_t letter : word) {
            typeKeys(std::wstring(1, letter));
            Sleep(60);
        }
        const HWND box = vexa.messageBox();
        ASSERT_NE(box, nullptr) << glance << ": nothing was told";
        EXPECT_EQ(searchBoxText(main), word) << glance;
        typeKeys(L"\n");
        ASSERT_TRUE(closed(box)) << glance;
        Sleep(300);
        EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), nullptr)
            << glance << ": the closing key brought a message";
        EXPECT_EQ(searchBoxText(main), word) << glance;
    }
}

// While an asked look-up waits for a dictionary another program holds, the window answers, the letters
// typed meanwhile are drawn in the search box, and a second Enter or a Space pressed then (as when a
// window seems hung) does not close the refusal that follows: the user reads it and closes it himself.
TEST(MainWindowProgram, KeysDuringAnAskedLookUpsWaitStayInTheSearchBox) {
    testsupport::TempFolder folder{L"vexa-askedwait-"};
    tools::writeSampleDatabases(folder.path());
    Program vexa(folder);
    ASSERT_TRUE(vexa.started());
    const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
    ASSERT_NE(main, nullptr);
    for (int i = 0; i < 500 && (GetForegroundWindow() != main || !painted(main)); ++i) Sleep(10);
    // The word listed once: the dictionary's check is over.
    typeKeys(L"bank\n");
    ASSERT_TRUE(searchBoxHolds(main, L"bank"));
    int ink = 0;
    for (int i = 0; i < 500 && (ink = headwordInk(main)) <= 0; ++i) Sleep(10);
    ASSERT_GT(ink, 0) << "no headword listed";
    DictionaryLock lock(folder.file(L"oracle\\dat.vex"));
    typeKeys(L"\n");
    {
        testsupport::AnswerWatch watch(main);
        // The letter is drawn while the look-up still waits: its ink reaches further right.
        const int before = searchBoxRightInk(main);
        typeKeys(L"x");
        bool drawn = false;
        for (int i = 0; i < 100 && !drawn; ++i, Sleep(10))
            drawn = searchBoxRightInk(main) >= before + 2 &&
                    FindWindowExW(nullptr, nullptr, L"#32770", nullptr) == nullptr;
        EXPECT_TRUE(drawn) << "a letter typed while the look-up waited was not drawn";
        for (wchar_t key : std::wstring(L"y\n ")) {
            typeKeys(std::wstring(1, key));
            Sleep(100);
        }
        EXPECT_TRUE(searchBoxHolds(main, L"bankxy ")) << core::toUtf8(searchBoxText(main));
        EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), nullptr) << "the look-up did not wait";
        watch.stop();
        EXPECT_LT(watch.longest(), 500) << "the window did not answer while the look-up waited";
    }
    const HWND box = vexa.messageBox();
    ASSERT_NE(box, nullptr) << "the refused look-up said nothing";
    EXPECT_NE(textOf(box).find(L"dat.vex is in use"), std::wstring::npos) << core::toUtf8(textOf(box));
    Sleep(300);
    EXPECT_TRUE(IsWindow(box)) << "a key pressed before the message closed it";
    typeKeys(L"\n");
    ASSERT_TRUE(closed(box));
    Sleep(300);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"#32770", nullptr), nullptr)
        << "the closing key brought a message";
    EXPECT_EQ(searchBoxText(main), L"bankxy ");
}

// Without the notification area (no shell library here; on Windows a task bar not up yet) "Sys tray"
// keeps the window where it is and says why, instead of hiding it with no icon to bring it back.
TEST(MainWindowProgram, SysTrayWithoutTheNotificationAreaKeepsTheWindow) {
    testsupport::TempFolder folder{L"vexa-notray-"};
    tools::writeSampleDatabases(folder.path());
    // The program, under a name of its own, finds no shell library (as the system's settings for
    // that program name say), so the notification area refuses its icon.
    const wchar_t* const name = L"vexa-notray.exe";
    testsupport::LibrarySwitchedOff noShell(name, L"shell32");
    ASSERT_TRUE(noShell.set());
    Program vexa(folder, name);
    ASSERT_TRUE(vexa.started());
    const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
    ASSERT_NE(main, nullptr);
    for (int i = 0; i < 500 && GetForegroundWindow() != main; ++i) Sleep(10);
    clickAt(main, 437, 50); // "Sys tray"
    const HWND box = vexa.messageBox();
    ASSERT_NE(box, nullptr) << "the refusal said nothing";
    EXPECT_NE(textOf(box).find(L"notification area"), std::wstring::npos) << core::toUtf8(textOf(box));
    EXPECT_TRUE(IsWindowVisible(main));
    typeKeys(L"\n");
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(vexa.window(forms::FormWindowClass, L"Vexa R7 Edition"), main);
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

namespace {

// The translations stay only under the captions of the direction they were looked up in: a search in
// another direction clears them and the headword over them, whether or not it lists anything; one in
// the same direction keeps them until the next headword is chosen.
TEST_F(MainWindow, TranslationsNeverStandUnderAnotherDirection) {
    const struct Case {
        int direction;
        const wchar_t* word;
        int nextDirection;
        const wchar_t* nextWord;
        bool kept;
    } cases[] = {
        {6, L"banka", 4, L"qqqq", false}, // Tr - Ru, then a Ru - Tr search that lists nothing
        {4, L"дом", 6, L"kedi", false},   // Ru - Tr, then a Tr - Ru search that lists
        {1, L"bank", 1, L"house", true},  // the same direction
        {2, L"house", 2, L"zzzz", true},  // the same direction, nothing listed
    };
    open();
    for (const Case& c : cases) {
        search(c.direction, c.word);
        clickFirstHeadword();
        ASSERT_GT(list(L"ul").ListCount(), 0) << core::toUtf8(c.word);
        const std::wstring headword = label(L"Label3");
        search(c.nextDirection, c.nextWord);
        EXPECT_EQ(list(L"ul").ListCount() > 0, c.kept) << core::toUtf8(c.nextWord);
        EXPECT_EQ(label(L"Label3"), c.kept ? headword : L"") << core::toUtf8(c.nextWord);
        EXPECT_EQ(w->translationDirection(), c.kept ? c.direction : 0) << core::toUtf8(c.nextWord);
    }
    EXPECT_TRUE(messages.empty());
}

// An Enter held down from the message it closed repeats in the search box: neither its repeats nor its
// release bring the refusal back, while a new press looks the word up again.
TEST_F(MainWindow, AKeyHeldFromAMessageItClosedStartsNothingInTheSearchBox) {
    open();
    breakDictionary();
    box().setText(L"bank");
    box().SetFocus();
    press(VK_RETURN);
    ASSERT_EQ(messages.size(), 1u);
    const HWND edit = box().editWindow();
    for (int i = 0; i < 3; ++i) PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x40000001);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
    forms::DoEvents();
    EXPECT_EQ(messages.size(), 1u) << "the held Enter brought the refusal back";
    press(VK_RETURN);
    EXPECT_EQ(messages.size(), 2u);
}

// A check that met another program's lock for longer than it waits settles nothing; typing starts it
// again, so once the lock is gone the word typed is listed.
TEST_F(MainWindow, TypingStartsAgainACheckThatGaveUpOnALock) {
    std::optional<DictionaryLock> lock;
    ASSERT_NO_THROW(lock.emplace(folder.file(L"oracle\\dat.vex")));
    openWithCheckTimeout(200);
    waitForTheCheck();
    lock.reset();
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    box().setText(L"");
    box().SetFocus();
    type(L"hou");
    for (int i = 0; i < 500 && list().ListCount() == 0; ++i) {
        forms::DoEvents();
        Sleep(10);
    }
    EXPECT_EQ(items(list()), (Words{L"hour", L"house"}));
    EXPECT_TRUE(messages.empty());
}

// A word typed with automatic search on while another program locks the dictionary (the check at the
// start long over) is tried again without a key: once the lock goes it is listed. A text that changed
// without a key meanwhile (a paste) is not looked up for the old word's sake.
TEST_F(MainWindow, ATypedWordALockRefusedIsListedOnceTheLockGoes) {
    const struct Case {
        const char* what;
        const wchar_t* changedTo; // the box's text set without a key under the lock, or none
        Words listed;
    } cases[] = {{"as typed", nullptr, {L"hour", L"house"}}, {"changed without a key", L"bank", {}}};
    open();
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    for (const Case& c : cases) {
        box().setText(L"");
        list().Clear();
        box().SetFocus();
        std::optional<DictionaryLock> lock;
        ASSERT_NO_THROW(lock.emplace(folder.file(L"oracle\\dat.vex")));
        type(L"hou");
        EXPECT_EQ(list().ListCount(), 0) << c.what;
        EXPECT_TRUE(w->typedWordWaits()) << c.what;
        if (c.changedTo) box().setText(c.changedTo);
        lock.reset();
        // Over once the window has tried the word again, listing it or letting it go.
        for (const DWORD started = GetTickCount(); w->typedWordWaits() && GetTickCount() - started < 5000;
             Sleep(10))
            forms::DoEvents();
        EXPECT_FALSE(w->typedWordWaits()) << c.what;
        EXPECT_EQ(items(list()), c.listed) << c.what;
    }
    EXPECT_TRUE(messages.empty());
}

// The pointer after every WM_SETCURSOR the thread handled, while notePointer hooks it.
std::vector<HCURSOR>& pointersShown() {
    static std::vector<HCURSOR> shown;
    return shown;
}

LRESULT CALLBACK notePointer(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<const CWPRETSTRUCT*>(lParam)->message == WM_SETCURSOR)
        pointersShown().push_back(GetCursor());
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// While an asked look-up waits for another program's lock the whole window shows the wait pointer; once
// it is over, refused here, the pointer is that of whatever it stands over, without a move of the mouse.
TEST_F(MainWindow, TheWaitPointerEndsWithTheWait) {
    open();
    const HWND over = list().hWnd();
    RECT r{};
    GetWindowRect(over, &r);
    const auto at = [r] { return POINT{r.left + 20, r.top + 20}; };
    const auto under = [over](POINT) { return over; };
    const forms::CursorSource previous = forms::setCursorSource({at, under});
    std::vector<HCURSOR>& shown = pointersShown();
    shown.clear();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, notePointer, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    data::setBusyTimeout(300);
    {
        DictionaryLock lock(folder.file(L"oracle\\dat.vex"));
        box().setText(L"bank");
        box().SetFocus();
        press(VK_RETURN);
    }
    UnhookWindowsHookEx(hook);
    forms::setCursorSource(previous);
    ASSERT_EQ(messages.size(), 1u);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_NE(std::find(shown.begin(), shown.end(), wait), shown.end()) << "no wait pointer during the wait";
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown.back(), wait) << "the wait pointer stayed after the wait";
    EXPECT_EQ(GetCursor(), shown.back());
}

// Settings held at the start and a click on "Language" at once: the form cannot open either, and the
// two are told in one message, the settings first, instead of one message over the other.
TEST_F(MainWindow, ASettingsFailureNotToldYetLeadsTheNextMessage) {
    core::FileHandle held(CreateFileW(folder.file(L"oracle\\lang.vex").c_str(), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    data::sessionPool::clear(); // a start opens the file afresh
    data::setBusyTimeout(300);
    w = std::make_shared<app::esas>();
    w->Show();
    // The form waits longer than the start, which began first.
    data::setBusyTimeout(1000);
    app::showForm<app::dil>();
    EXPECT_FALSE(forms::isLoaded<app::dil>());
    ASSERT_EQ(messages.size(), 1u);
    const std::wstring& text = messages[0];
    EXPECT_EQ(text.rfind(L"The settings cannot be read:\nThe file ", 0), 0u) << core::toUtf8(text);
    EXPECT_NE(text.find(L"\n\nThe “Language” window cannot be opened:\nThe file "), std::wstring::npos)
        << core::toUtf8(text);
    // Nothing is left to tell after it.
    EXPECT_TRUE(app::mainWindowPart()->takeUntold().empty());
}

// The WM_TIMER messages the thread took from its queue for one window, while noteTimer hooks it.
HWND timerWindow = nullptr;
int& timerTicks() {
    static int ticks = 0;
    return ticks;
}

LRESULT CALLBACK noteTimer(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && m->message == WM_TIMER && m->hwnd == timerWindow)
        ++timerTicks();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message told while the settings held at the start are still waited for (a look-up of a missing
// dictionary) stays alone on the screen while the wait ends under it: the settings failure comes
// after it.
TEST_F(MainWindow, TheSettingsFailureNeverComesOverAnotherMessage) {
    ASSERT_TRUE(DeleteFileW(folder.file(L"oracle\\dat.vex").c_str()));
    core::FileHandle held(CreateFileW(folder.file(L"oracle\\lang.vex").c_str(), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    data::sessionPool::clear();
    data::setBusyTimeout(500);
    // A message box goes on handling the window's messages while it is on the screen. The first stays
    // until the settings' failure is known, the pause after the last key is over, and the window's
    // timer, which would tell the failure then, has come twice more.
    int open = 0, mostOpen = 0;
    timerTicks() = 0;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, noteTimer, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const forms::MsgBoxHandler previous =
        forms::setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
            messages.push_back(prompt);
            mostOpen = std::max(mostOpen, ++open);
            const DWORD shown = GetTickCount();
            int ticks = -1; // the timer's count once the failure is known and the pause over
            const auto over = [&] {
                if (ticks < 0 && w->settingsFailureWaits() && GetTickCount() - shown > 1500)
                    ticks = timerTicks();
                return ticks >= 0 && timerTicks() >= ticks + 2;
            };
            while (messages.size() == 1 && !over() && GetTickCount() - shown < 10000) {
                forms::DoEvents();
                Sleep(10);
            }
            --open;
            return 1;
        });
    w = std::make_shared<app::esas>();
    w->Show();
    timerWindow = w->hWnd();
    box().setText(L"bank");
    box().SetFocus();
    press(VK_RETURN);
    for (const DWORD started = GetTickCount(); messages.size() < 2 && GetTickCount() - started < 5000;
         Sleep(10))
        forms::DoEvents();
    forms::setMsgBoxHandler(previous);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind(L"The word cannot be looked up:", 0), 0u) << core::toUtf8(messages[0]);
    EXPECT_EQ(messages[1].rfind(L"The settings cannot be read:", 0), 0u) << core::toUtf8(messages[1]);
    EXPECT_EQ(mostOpen, 1) << "one message came over another";
}

// An asked look-up that waits for another program's hold on the dictionary keeps the search box taking
// keys: a letter typed meanwhile is in the box while the look-up still waits, and with automatic
// search on, the word in the box is looked up once the wait is over. When a click on the search button
// started it, the keyboard moves to the box with the keys already on their way to the button (a Space
// there would have clicked it again).
TEST_F(MainWindow, AnAskedLookUpThatWaitsLeavesTheKeysToTheSearchBox) {
    const struct Case {
        const char* what;
        bool byButton;
        UINT lastKey; // after End and "s"
        const wchar_t* duringTheWait;
    } cases[] = {{"Enter", false, VK_RETURN, L"hous"}, {"the search button", true, VK_SPACE, L"hous "}};
    open();
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);
    const HWND edit = box().editWindow();
    const HWND button = w->control<widgets::ktButton>(L"command1").hWnd();
    for (const Case& c : cases) {
        box().setText(L"hou");
        box().SetFocus();
        list().Clear();
        std::optional<DictionaryLock> lock;
        ASSERT_NO_THROW(lock.emplace(folder.file(L"oracle\\dat.vex")));
        // The user reads the box while the look-up still waits (the lock is held until then), and lets
        // the dictionary go.
        wchar_t duringTheWait[16] = {};
        std::thread user([&] {
            DWORD_PTR copied = 0;
            for (const DWORD start = GetTickCount();
                 wcscmp(duringTheWait, c.duringTheWait) != 0 && GetTickCount() - start < 2000; Sleep(10))
                SendMessageTimeoutW(edit, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(duringTheWait),
                                    SMTO_NORMAL, 200, &copied);
            lock->letGoAfter(0);
        });
        // The keys that arrive while the look-up waits, to the window that has the keyboard as it starts.
        const auto keysOnTheirWay = [&](HWND to) {
            for (UINT vk : {UINT(VK_END), UINT(VkKeyScanW(L's') & 0xFF), c.lastKey}) {
                PostMessageW(to, WM_KEYDOWN, vk, 1);
                PostMessageW(to, WM_KEYUP, vk, 0xC0000001);
            }
        };
        if (c.byButton) {
            RECT r{};
            GetClientRect(button, &r);
            SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
            ASSERT_EQ(GetFocus(), button) << c.what;
            keysOnTheirWay(button);
            SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
        } else {
            PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
            forms::DoEvents();
            PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
            keysOnTheirWay(edit);
        }
        forms::DoEvents();
        user.join();
        EXPECT_STREQ(duringTheWait, c.duringTheWait)
            << c.what << ": the keys did not reach the box while the look-up waited";
        for (int i = 0; i < 500 && items(list()) != Words{L"house"}; ++i) {
            forms::DoEvents();
            Sleep(10);
        }
        EXPECT_EQ(items(list()), Words{L"house"}) << c.what;
        EXPECT_EQ(GetFocus(), edit) << c.what;
    }
    EXPECT_TRUE(messages.empty());
}

// Settings another program holds at the start do not hold the window back: it comes up with the
// defaults, takes the stored settings when the file comes free within the wait, or else says the file
// is in use (and not that it is missing) once typing has paused.
TEST_F(MainWindow, HeldSettingsAreWaitedForWithoutHoldingTheWindowBack) {
    const struct Case {
        const char* what;
        bool freedInTime;
        const wchar_t* caption; // the search button's, at the end
    } cases[] = {{"freed within the wait", true, L"Axtar"}, {"held on", false, L"Search"}};
    for (const Case& c : cases) {
        setLanguage(L"az");
        core::FileHandle held(CreateFileW(folder.file(L"oracle\\lang.vex").c_str(),
                                          GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                          nullptr));
        ASSERT_TRUE(held) << c.what;
        data::sessionPool::clear(); // a start opens the file afresh
        const DWORD started = GetTickCount();
        w = std::make_shared<app::esas>();
        w->Show();
        EXPECT_LT(GetTickCount() - started, 1500u) << c.what << ": the window waited for the settings";
        EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), L"Search") << c.what;
        if (c.freedInTime) held.reset();
        const auto over = [&] {
            return c.freedInTime ? w->control<widgets::ktButton>(L"command1").Caption() == c.caption
                                 : !messages.empty();
        };
        for (int i = 0; i < 1000 && !over(); ++i) {
            forms::DoEvents();
            Sleep(10);
        }
        EXPECT_EQ(w->control<widgets::ktButton>(L"command1").Caption(), c.caption) << c.what;
        if (c.freedInTime) {
            EXPECT_TRUE(messages.empty()) << c.what;
        } else {
            ASSERT_EQ(messages.size(), 1u) << c.what;
            EXPECT_EQ(messages[0].rfind(L"The settings cannot be read:\nThe file ", 0), 0u)
                << core::toUtf8(messages[0]);
            EXPECT_NE(messages[0].find(L"lang.vex is in use by another program"), std::wstring::npos)
                << core::toUtf8(messages[0]);
        }
        held.reset();
        w->Unload();
        w.reset();
        forms::DoEvents();
        messages.clear();
    }
}

} // namespace
