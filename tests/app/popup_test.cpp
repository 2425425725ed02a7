// The word popup: which words it is offered for, the speech calls of each voice, its captions, its
// place beside the pointer, the speeds it reads, and a real popup driven by clicks.
#include "app_test_support.h"

#include "app/menu.h"
#include "app/speech_speeds.h"
#include "platform/data/database.h"
#include "platform/speech/recording_speech.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"
#include "widgets/list_box/mc_list_box.h"
#include "tools/builder.h"

#include <gtest/gtest.h>

namespace {

using namespace apptest;
using speech::Gender;
using speech::Language;

TEST(WordPopup, OfferedForEnglishAndRussianWordsOnly) {
    // Rows: origin; columns: directions 0 to 7. E English, R Russian, - not offered.
    struct Case {
        const wchar_t* origin;
        const wchar_t* languages;
    };
    for (Case c : {Case{L"list", L"-EERR----"}, Case{L"ul", L"--RE-ER--"}, Case{L"", L"--------"},
                   Case{L"List", L"--------"}}) {
        for (int d = 0; d < 8; ++d) {
            const auto l = app::spokenLanguage(c.origin, d);
            const wchar_t got = !l ? L'-' : *l == Language::English ? L'E' : L'R';
            EXPECT_EQ(got, c.languages[d]) << c.origin << " " << d;
            EXPECT_EQ(app::offersPopup(c.origin, d), l.has_value());
        }
    }
}

TEST(WordPopup, TheManSpeaksAtFixedSpeedsAndTheWomanAtTheStoredOnes) {
    const app::Speeds stored{140, 196};
    struct Case {
        Gender gender;
        Language language;
        int id;
        const wchar_t* mode;
        int speed;
    };
    for (Case c :
         {Case{Gender::Man, Language::English, 1033, L"227A0E41-A92A-11d1-B17B-0020AFED142E", 180},
          Case{Gender::Man, Language::Russian, 1049, L"06377F81-D48E-11d1-B17B-0020AFED142E", 120},
          Case{Gender::Woman, Language::English, 1033, L"227A0E40-A92A-11d1-B17B-0020AFED142E", 140},
          Case{Gender::Woman, Language::Russian, 1049, L"06377F80-D48E-11d1-B17B-0020AFED142E", 196}}) {
        const app::VoiceCall v = app::voiceCall(c.gender, c.language, stored);
        EXPECT_EQ(v.language, c.id);
        EXPECT_EQ(std::wstring(v.mode), c.mode);
        EXPECT_EQ(v.speed, c.speed);
    }
}

TEST(WordPopup, CaptionsByInterfaceLanguage) {
    struct Case {
        const wchar_t *code, *man, *woman;
    };
    for (Case c :
         {Case{L"az", L" Ki\u015Fi s\u0259si", L" Qad\u0131n s\u0259si"},
          Case{L"tr", L" Erkek sesi", L" Kad\u0131n sesi"},
          Case{L"ru", L" \u041C\u0443\u0436\u0441\u043A\u0438\u0445 \u0433\u043E\u043B\u043E\u0441\u0430",
               L" \u0416\u0435\u043D\u0441\u043A\u0438\u0445 \u0433\u043E\u043B\u043E\u0441\u0430"},
          Case{L"en", L"Man voice", L" Woman voice"}}) {
        auto p = app::popupCaptions(c.code);
        ASSERT_TRUE(p) << c.code;
        EXPECT_EQ(std::wstring(p->man), c.man);
        EXPECT_EQ(std::wstring(p->woman), c.woman);
    }
    for (const wchar_t* code : {L"EN", L"az ", L"", L"de"}) EXPECT_FALSE(app::popupCaptions(code)) << code;
}

TEST(WordPopup, ItsLowerLeftCornerIsBesideThePointerInsideTheWorkArea) {
    const RECT work{0, 0, 1024, 740};
    const SIZE popup{158, 69};
    struct Case {
        POINT pointer, place;
    };
    for (Case c : {Case{{300, 400}, {304, 331}}, Case{{1020, 400}, {866, 331}}, Case{{300, 20}, {304, 0}},
                   Case{{-5, 800}, {0, 671}}}) {
        const POINT p = app::wordPopupPlace(c.pointer, popup, work);
        EXPECT_EQ(p.x, c.place.x) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(p.y, c.place.y) << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(SpeechSpeeds, ReadableSpeedsAndTheirSliderSteps) {
    EXPECT_EQ(app::speedOf(core::Variant(int32_t(160))), 160);
    EXPECT_EQ(app::speedOf(core::Variant(std::wstring(L"196"))), 196);
    EXPECT_EQ(app::speedOf(core::Variant(125.5)), 126);
    for (const core::Variant& bad :
         {core::Variant::null(), core::Variant(), core::Variant(std::wstring(L"fast")),
          core::Variant(std::wstring(L"")), core::Variant(int32_t(40000)), core::Variant(int32_t(-160)),
          core::Variant(int32_t(0))})
        EXPECT_FALSE(app::speedOf(bad)) << bad.toString();
    struct Case {
        int speed, step;
    };
    for (Case c : {Case{160, 10}, Case{196, 19}, Case{126, 2}, Case{130, 2}, Case{120, 1}, Case{450, 19},
                   Case{124, 1}})
        EXPECT_EQ(app::stepOfSpeed(c.speed), c.step) << c.speed;
    EXPECT_EQ(app::speedOfStep(19), 196);
}

class SpeedsInDatabase : public testing::Test {
protected:
    void SetUp() override { tools::writeSampleDatabases(folder.path()); }
    void run(const wchar_t* sql) {
        data::Database db(folder.path() + L"\\oracle\\lang.vex");
        db.execute(sql);
    }
    app::Speeds read(app::Speeds previous = {}) { return app::readSpeeds(cn, rs, folder.path(), previous); }
    testsupport::TempFolder folder{L"vexa-speeds-"};
    data::Connection cn;
    data::Recordset rs;
};

TEST_F(SpeedsInDatabase, UnreadableValuesKeepThePreviousSpeed) {
    run(L"update esu set deyer = 140");
    run(L"delete from rsu");
    app::Speeds s = read({150, 170});
    EXPECT_EQ(s.english, 140);
    EXPECT_EQ(s.russian, 170);
    run(L"update esu set deyer = null");
    EXPECT_EQ(read({150, 170}).english, 150);
    EXPECT_FALSE(cn.isOpen());
}

TEST_F(SpeedsInDatabase, BothAreStoredTogetherOrNeither) {
    run(L"delete from rsu");
    app::storeSpeeds(cn, folder.path(), {196, 124});
    app::Speeds s = read();
    EXPECT_EQ(s.english, 196);
    EXPECT_EQ(s.russian, 124);
    run(L"drop table rsu");
    EXPECT_THROW(app::storeSpeeds(cn, folder.path(), {128, 128}), core::RuntimeError);
    run(L"create table rsu (deyer integer)");
    EXPECT_EQ(read().english, 196);
    EXPECT_FALSE(cn.isOpen());
}

class PopupWindow : public SpeedsInDatabase {
protected:
    void SetUp() override {
        SpeedsInDatabase::SetUp();
        app::registerControlTypes();
        app::setProgramFolder(folder.path());
        previousSpeech = speech::RecordingSpeech::recordInto(calls);
        main = std::make_shared<StandInMain>();
        main->load();
    }
    void TearDown() override {
        forms::unload<app::Menu>();
        main->Unload();
        speech::setSpeechFactory(previousSpeech);
        app::setProgramFolder(L"");
    }
    std::shared_ptr<speech::RecordingSpeech::Calls> calls =
        std::make_shared<speech::RecordingSpeech::Calls>();
    speech::SpeechFactory previousSpeech;
    std::shared_ptr<StandInMain> main;
};

TEST_F(PopupWindow, AClickOnARowHidesThePopupAndSpeaksTheWord) {
    run(L"update rsu set deyer = 132");
    main->label(L"esdi").setText(L"ru");
    auto& popup = forms::instance<app::Menu>();
    EXPECT_EQ(*calls, (speech::RecordingSpeech::Calls{
                          L"Select 1049", L"ModeId 06377F81-D48E-11d1-B17B-0020AFED142E", L"Speed 120"}));
    calls->clear();
    struct Case {
        const wchar_t* origin;
        int listDirection, ulDirection;
        const wchar_t* row;
        speech::RecordingSpeech::Calls said;
    };
    const Case cases[] = {
        {L"list",
         2,
         5,
         L"k",
         {L"Select 1033", L"ModeId 227A0E41-A92A-11d1-B17B-0020AFED142E", L"Speed 180", L"Speak мир"}},
        {L"ul",
         2,
         6,
         L"qadin",
         {L"Select 1049", L"ModeId 06377F80-D48E-11d1-B17B-0020AFED142E", L"Speed 132", L"Speak мир"}},
        // The list's direction no longer fits its word: only hidden.
        {L"list", 5, 6, L"q", {}},
    };
    for (const Case& c : cases) {
        main->label(L"gond").setText(c.origin);
        main->listDirection = c.listDirection;
        main->ulDirection = c.ulDirection;
        popup.showAt(L"мир", {300, 300});
        pump(60);
        EXPECT_TRUE(popup.Visible());
        EXPECT_EQ(popup.control<widgets::Label_KDQ>(L"kisi").Text(),
                  L" \u041C\u0443\u0436\u0441\u043A\u0438\u0445 \u0433\u043E\u043B\u043E\u0441\u0430");
        click(popup.control<forms::UserControl>(c.row).hWnd());
        EXPECT_FALSE(popup.Visible()) << c.row;
        EXPECT_TRUE(forms::isLoaded<app::Menu>());
        EXPECT_EQ(*calls, c.said) << c.origin;
        calls->clear();
    }
}

} // namespace

namespace {

// A main window with its headword list, the popup opened over a word of it.
class ListMain : public apptest::StandInMain {
protected:
    forms::Layout layout() const override {
        forms::Layout l = StandInMain::layout();
        forms::LayoutEntry list;
        list.type = L"McListBox";
        list.name = L"list";
        list.left = 10 * apptest::T;
        list.top = 10 * apptest::T;
        list.width = 260 * apptest::T;
        list.height = 220 * apptest::T;
        l.push_back(list);
        return l;
    }
};

TEST_F(PopupWindow, PopupScreenshot) {
    forms::registerControlType<widgets::McListBox>(L"McListBox");
    for (const wchar_t* code : {L"az", L"en"}) {
        auto host = std::make_shared<ListMain>();
        host->language = code;
        main->Unload();
        main = host;
        main->load();
        auto& list = main->control<widgets::McListBox>(L"list");
        for (const wchar_t* w :
             {L"bank", L"bank account", L"bank holiday", L"banker", L"banking", L"bankrupt"})
            list.AddItem(w);
        list.Refresh();
        main->Move(40 * apptest::T, 40 * apptest::T, main->Width(), main->Height());
        main->Show();
        main->label(L"gond").setText(L"list");
        POINT at{60, 48};
        ClientToScreen(list.hWnd(), &at);
        auto& popup = forms::instance<app::Menu>();
        popup.showAt(L"banker", at);
        // The pointer rests on the man's row.
        SendMessageW(popup.control<forms::UserControl>(L"k").hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
        apptest::pump(300);
        EXPECT_TRUE(popup.Visible());
        EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindows({main->hWnd(), popup.hWnd()}),
                                          std::wstring(L"word-popup-on-a-list-") + code));
        forms::unload<app::Menu>();
    }
}

} // namespace
