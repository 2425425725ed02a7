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
#include "platform/forms/cursor_position.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/msgbox.h"
#include "support/dictionary_lock.h"
#include "support/screenshot.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/slider/uc_slider.h"
#include "widgets/slider/uc_slider_tip.h"
#include "widgets/frame/frame_kdq.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

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

// An OK that meets a settings file another program holds waits for it with the wait pointer, then says
// that the choice was not saved, and why; the form stays open with the choice, and the next OK, once
// the file is free, stores it.
TEST_F(FormWindows, AnOkThatMeetsAHeldSettingsFileKeepsTheChoiceForAnotherTry) {
    run(L"update dil set dil = 'en'");
    setLanguage(L"en");
    data::setBusyTimeout(300);
    auto& language = forms::instance<app::dil>();
    language.Show();
    language.control<widgets::MorphOptionCheck>(L"en").setValue(0);
    language.control<widgets::MorphOptionCheck>(L"ru").setValue(1);
    auto& speech = forms::instance<app::ses>();
    speech.Show();
    speech.control<widgets::ucSlider>(L"ens").setValue(19);
    pump(50);
    const struct Case {
        const char* what;
        forms::Form& form;
        std::function<void()> ok;
        const wchar_t* sql;
        const wchar_t* chosen;
    } cases[] = {{"language", language, [&] { language.ok(); }, L"select dil from dil", L"ru"},
                 {"speech", speech, [&] { speech.ok(); }, L"select deyer from esu", L"196"}};
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    for (const Case& c : cases) {
        const std::wstring before = stored(c.sql);
        RECT r{};
        GetWindowRect(c.form.hWnd(), &r);
        const HWND over = c.form.hWnd();
        const forms::CursorSource previous = forms::setCursorSource({[r] {
                                                                         return POINT{r.left + 5, r.top + 5};
                                                                     },
                                                                     [over](POINT) { return over; }});
        std::atomic<bool> waitShown{false}, done{false};
        {
            testsupport::DictionaryLock lock(folder.file(L"oracle\\lang.vex"));
            std::thread watch([&] {
                for (CURSORINFO ci{sizeof ci}; !done; Sleep(5))
                    if (GetCursorInfo(&ci) && ci.hCursor == wait) waitShown = true;
            });
            c.ok();
            done = true;
            watch.join();
        }
        forms::setCursorSource(previous);
        ASSERT_EQ(messages.size(), 1u) << c.what;
        const std::wstring& text = messages[0];
        EXPECT_EQ(text.rfind(L"Your choice was not saved:\nThe file ", 0), 0u) << core::toUtf8(text);
        EXPECT_NE(text.find(L"lang.vex is in use by another program"), std::wstring::npos)
            << core::toUtf8(text);
        const std::wstring kept = L"\n\nYour choice stays in the window, so you can try again.";
        EXPECT_EQ(text.substr(text.size() - std::min(text.size(), kept.size())), kept) << core::toUtf8(text);
        EXPECT_TRUE(waitShown) << c.what << ": no wait pointer while the file was waited for";
        EXPECT_NE(GetCursor(), wait) << c.what << ": the wait pointer stayed";
        EXPECT_TRUE(c.form.loaded()) << c.what;
        EXPECT_EQ(stored(c.sql), before) << c.what;
        messages.clear();
        c.ok();
        EXPECT_EQ(stored(c.sql), c.chosen) << c.what;
        EXPECT_TRUE(messages.empty()) << c.what;
    }
    EXPECT_FALSE(forms::isLoaded<app::dil>());
    EXPECT_FALSE(forms::isLoaded<app::ses>());
    data::setBusyTimeout(3000);
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
