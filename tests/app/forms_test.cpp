// The language, speech-speed, about and confirmation forms: their caption tables, what they read
// and store, their failures, and screenshots of each, and of the tray popup, in the four interface
// languages.
#include "app_test_support.h"

#include "app/dil.h"
#include "app/haqqinda.h"
#include "app/ses.h"
#include "app/speech_speeds.h"
#include "app/tesdiq.h"
#include "platform/core/text.h"
#include "app/traymenu.h"
#include "platform/data/database.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/msgbox.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/slider/uc_slider.h"
#include "widgets/slider/uc_slider_tip.h"
#include "widgets/frame/frame_kdq.h"

#include <gtest/gtest.h>

namespace {

using namespace apptest;

TEST(FormCaptions, EveryFormHasItsTextsForTheFourCodesAndNoneForOthers) {
    for (const wchar_t* code : {L"az", L"tr", L"ru", L"en"}) {
        EXPECT_TRUE(app::speedCaptions(code)) << code;
        EXPECT_TRUE(app::aboutTexts(code)) << code;
        EXPECT_TRUE(app::confirmTexts(code)) << code;
    }
    for (const wchar_t* code : {L"EN", L" en", L"", L"de"}) {
        EXPECT_FALSE(app::speedCaptions(code)) << code;
        EXPECT_FALSE(app::aboutTexts(code)) << code;
        EXPECT_FALSE(app::confirmTexts(code)) << code;
    }
    EXPECT_EQ(std::wstring(app::speedCaptions(L"tr")->button), L"Tamam");
    EXPECT_EQ(std::wstring(app::speedCaptions(L"az")->english),
              L"\u0130ngilisc\u0259 dan\u0131\u015F\u0131q s\u00FCr\u0259ti");
    EXPECT_EQ(std::wstring(app::aboutTexts(L"ru")->versiya), L"\u0412\u0435\u0440\u0441\u0438\u044F : 1.0");
    EXPECT_EQ(std::wstring(app::aboutTexts(L"az")->tarix), L"Tarix: 19 mart 2007");
    EXPECT_EQ(std::wstring(app::confirmTexts(L"en")->no), L" No");
    EXPECT_EQ(std::wstring(app::confirmTexts(L"az")->question),
              L"\u00C7\u0131xmaq ist\u0259diyinizd\u0259n \u0259minsinizmi ?");
    // Russian gets a Russian question rather than the stored Azerbaijani one.
    EXPECT_EQ(std::wstring(app::confirmTexts(L"ru")->question).substr(0, 3), L"\u0412\u044B ");
}

TEST(FormCaptions, LanguageOptionsAndTheCodeThatIsStored) {
    EXPECT_EQ(std::wstring(app::languageName(0)), L"Az\u0259rbaycan dili");
    EXPECT_EQ(std::wstring(app::languageName(2)),
              L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 \u044F\u0437\u044B\u043A");
    struct Case {
        const wchar_t* code;
        int option;
    };
    for (Case c :
         {Case{L"az", 0}, Case{L"tr", 1}, Case{L"ru", 2}, Case{L"en", 3}, Case{L"EN", 0}, Case{L"", 0}})
        EXPECT_EQ(app::optionOfCode(c.code), c.option) << c.code;
    EXPECT_EQ(app::chosenCode({0, 0, -1, 0}), L"ru");
    EXPECT_EQ(app::chosenCode({0, 1, 0, -1}), L"tr");
    EXPECT_EQ(app::chosenCode({0, 0, 0, 0}), L"az");
}

class FormWindows : public testing::Test {
protected:
    void SetUp() override {
        tools::writeSampleDatabases(folder.path());
        app::registerControlTypes();
        app::setProgramFolder(folder.path());
        previousBox = forms::setMsgBoxHandler([this](const std::wstring& prompt, int, const std::wstring&) {
            messages.push_back(prompt);
            return forms::mb::OK;
        });
        main = std::make_shared<StandInMain>();
        main->load();
        main->label(L"flo").Change.handle([this] { ++languageSignals; });
    }
    void TearDown() override {
        forms::unload<app::dil>();
        forms::unload<app::ses>();
        forms::unload<app::haqqinda>();
        forms::unload<app::tesdiq>();
        main->Unload();
        forms::setMsgBoxHandler(previousBox);
        app::setProgramFolder(L"");
    }
    void run(const std::wstring& sql) {
        data::Database db(folder.path() + L"\\oracle\\lang.vex");
        db.execute(sql);
    }
    std::wstring stored(const wchar_t* sql) {
        data::Database db(folder.path() + L"\\oracle\\lang.vex");
        return db.scalar(sql).toString();
    }
    void setLanguage(const wchar_t* code) { main->label(L"esdi").setText(code); }
    // Shows a form at a fixed place and saves what the screen shows of it.
    void shoot(forms::Form& form, const std::wstring& name, std::vector<HWND> more = {}) {
        form.Move(40 * T, 40 * T, form.Width(), form.Height());
        form.Show();
        pump(300);
        more.insert(more.begin(), form.hWnd());
        EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindows(more), name));
    }

    testsupport::TempFolder folder{L"vexa-forms-"};
    std::shared_ptr<StandInMain> main;
    std::vector<std::wstring> messages;
    forms::MsgBoxHandler previousBox;
    int languageSignals = 0;
};

TEST_F(FormWindows, TheLanguageFormShowsTheStoredChoiceAndStoresTheNewOne) {
    run(L"update dil set dil = 'en'");
    auto& form = forms::instance<app::dil>();
    form.Show();
    pump(50);
    EXPECT_EQ(form.control<widgets::MorphOptionCheck>(L"en").Value(), 1);
    EXPECT_EQ(form.control<widgets::MorphOptionCheck>(L"az").Value(), 0);
    // A click on an option selects it and the form clears the others. The option takes a release as
    // a click only with the pointer over it.
    auto& ru = form.control<widgets::MorphOptionCheck>(L"ru");
    RECT r{};
    GetWindowRect(ru.hWnd(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    click(ru.hWnd());
    EXPECT_NE(ru.Value(), 0);
    EXPECT_EQ(form.control<widgets::MorphOptionCheck>(L"en").Value(), 0);
    click(form.control<widgets::ktButton>(L"UniButton1").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::dil>());
    EXPECT_EQ(stored(L"select dil from dil"), L"ru");
    EXPECT_EQ(main->label(L"flo").Text(), L"dil");
    EXPECT_EQ(languageSignals, 1);

    // An empty table reads as az, which OK adds.
    run(L"delete from dil");
    auto& again = forms::instance<app::dil>();
    EXPECT_EQ(again.control<widgets::MorphOptionCheck>(L"az").Value(), 1);
    again.ok();
    EXPECT_EQ(stored(L"select dil from dil"), L"az");
    EXPECT_EQ(main->label(L"flo").Text(), L"dildil");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FormWindows, FailuresAreReportedAndOnlyTheFormCloses) {
    // A failed write: reported, nothing signalled, the form stays.
    auto& form = forms::instance<app::dil>();
    run(L"drop table dil");
    form.ok();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(forms::isLoaded<app::dil>());
    EXPECT_EQ(languageSignals, 0);
    forms::unload<app::dil>();

    auto& speeds = forms::instance<app::ses>();
    run(L"drop table rsu");
    speeds.ok();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(forms::isLoaded<app::ses>());
    forms::unload<app::ses>();

    // A missing database: the form does not open and says which form and why, in the interface
    // language.
    DeleteFileW((folder.path() + L"\\oracle\\dat.vex").c_str());
    struct Case {
        const wchar_t* code;
        const wchar_t* language;
        const wchar_t* speech;
    } cases[] = {
        {L"en", L"The “Language” window cannot be opened:\nThe file ",
         L"The “Speech” window cannot be opened:\nThe file "},
        {L"ru", L"Не удалось открыть окно «Язык»:\nФайл ", L"Не удалось открыть окно «Разговор»:\nФайл "}};
    for (const auto& c : cases) {
        setLanguage(c.code);
        messages.clear();
        app::showForm<app::dil>();
        app::showForm<app::ses>();
        EXPECT_FALSE(forms::isLoaded<app::dil>());
        EXPECT_FALSE(forms::isLoaded<app::ses>());
        ASSERT_EQ(messages.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(messages[i].rfind(i == 0 ? c.language : c.speech, 0), 0u) << core::toUtf8(messages[i]);
            EXPECT_NE(messages[i].find(L"dat.vex"), std::wstring::npos);
        }
    }
    EXPECT_TRUE(main->loaded());
}

TEST_F(FormWindows, TheSpeechFormShowsTheStoredStepsAndStoresBothSpeeds) {
    run(L"update esu set deyer = 126");
    run(L"update rsu set deyer = 'slow'");
    setLanguage(L"tr");
    auto& form = forms::instance<app::ses>();
    form.Show();
    pump(50);
    EXPECT_EQ(form.control<widgets::ucSlider>(L"ens").Value(), 2);
    EXPECT_EQ(form.control<widgets::ucSlider>(L"rus").Value(), 10);
    EXPECT_EQ(form.control<widgets::ktButton>(L"UniButton2").Caption(), L"Tamam");
    form.control<widgets::ucSlider>(L"ens").setValue(19);
    form.control<widgets::ucSlider>(L"rus").setValue(1);
    click(form.control<widgets::ktButton>(L"UniButton2").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::ses>());
    EXPECT_EQ(stored(L"select deyer from esu"), L"196");
    EXPECT_EQ(stored(L"select deyer from rsu"), L"124");
}

TEST_F(FormWindows, TheConfirmationsNoClosesItAndYesEndsTheProgram) {
    setLanguage(L"tr");
    EndCatcher end;
    auto& form = forms::instance<app::tesdiq>();
    form.Show();
    pump(50);
    EXPECT_EQ(form.control<widgets::ktButton>(L"he").Caption(), L"Evet");
    click(form.control<widgets::ktButton>(L"yox").hWnd());
    EXPECT_FALSE(forms::isLoaded<app::tesdiq>());
    EXPECT_EQ(end.ends, 0);
    forms::instance<app::tesdiq>().Show();
    pump(50);
    click(forms::instance<app::tesdiq>().control<widgets::ktButton>(L"he").hWnd());
    EXPECT_EQ(end.ends, 1);
    EXPECT_FALSE(forms::isLoaded<app::tesdiq>());
}

TEST_F(FormWindows, FormsScreenshot) {
    run(L"update esu set deyer = 160");
    run(L"update rsu set deyer = 140");
    for (const wchar_t* code : {L"az", L"tr", L"ru", L"en"}) {
        setLanguage(code);
        run(L"update dil set dil = '" + std::wstring(code) + L"'");
        const std::wstring c(code);
        shoot(forms::instance<app::dil>(), L"language-form-" + c);
        forms::unload<app::dil>();
        auto& speeds = forms::instance<app::ses>();
        speeds.Move(40 * T, 40 * T, speeds.Width(), speeds.Height());
        speeds.Show();
        pump(200);
        // The English slider is being dragged: its value tip shows.
        auto& ens = speeds.control<widgets::ucSlider>(L"ens");
        const int thumb = int(ens.state().thumbLeft) + 6;
        SendMessageW(ens.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb, 8));
        SendMessageW(ens.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb + 44, 8));
        pump(200);
        std::vector<HWND> tip;
        if (forms::isLoaded<widgets::ucSliderTip>())
            tip.push_back(forms::instance<widgets::ucSliderTip>().hWnd());
        shoot(speeds, L"speech-form-" + c, tip);
        SendMessageW(ens.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(thumb + 44, 8));
        forms::unload<app::ses>();
        shoot(forms::instance<app::haqqinda>(), L"about-form-" + c);
        forms::unload<app::haqqinda>();
        shoot(forms::instance<app::traymenu>(), L"tray-popup-" + c);
        forms::unload<app::traymenu>();
        shoot(forms::instance<app::tesdiq>(), L"confirmation-form-" + c);
        forms::unload<app::tesdiq>();
    }
}

} // namespace
