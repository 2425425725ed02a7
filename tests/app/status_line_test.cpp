// The main window's status line: the speech speeds it shows are the ones speech will use, at start,
// when the language is re-applied, and as soon as the speech-speed form stores new ones.
#include "app/controls.h"
#include "app/esas.h"
#include "app/main_window.h"
#include "app/ses.h"

#include "platform/data/database.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "support/temp_folder.h"
#include "tools/builder.h"
#include "widgets/label/label_kdq.h"
#include "widgets/slider/uc_slider.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class StatusLine : public testing::Test {
protected:
    testsupport::TempFolder folder{L"vexa-status-"};
    std::vector<std::wstring> messages;
    std::shared_ptr<app::esas> w;

    void SetUp() override {
        tools::writeSampleDatabases(folder.path());
        app::registerControlTypes();
        app::setProgramFolder(folder.path());
        previousBox_ = forms::setMsgBoxHandler([this](const std::wstring& prompt, int, const std::wstring&) {
            messages.push_back(prompt);
            return 1;
        });
        w = std::make_shared<app::esas>();
        w->Show();
        forms::DoEvents();
    }
    void TearDown() override {
        forms::unload<app::ses>();
        w->Unload();
        w.reset();
        forms::DoEvents();
        forms::setMsgBoxHandler(previousBox_);
        app::setProgramFolder(L"");
    }
    void run(const std::wstring& sql) {
        data::Database db(folder.file(L"oracle\\lang.vex"));
        db.execute(sql);
    }
    std::wstring shown() {
        return w->control<widgets::Label_KDQ>(L"des").Text() + L" " +
               w->control<widgets::Label_KDQ>(L"drs").Text();
    }

private:
    forms::MsgBoxHandler previousBox_;
};

TEST_F(StatusLine, ShowsTheSpeedsSpeechUsesWheneverTheSettingsAreApplied) {
    struct Case {
        const wchar_t* english;
        const wchar_t* russian;
        const wchar_t* shown;
    };
    // What the engine cannot speak at (out of range, not a number, empty) is spoken at 160.
    const Case cases[] = {
        {L"124", L"196", L"124 196"},       {L"999", L"-5", L"160 160"},   {L"'fast'", L"''", L"160 160"},
        {L"300", L"80", L"300 80"},         {L"null", L"451", L"160 160"}, {L"130.5", L"131.5", L"130 132"},
        {L"' 150 '", L"'1e9'", L"150 160"},
    };
    EXPECT_EQ(shown(), L"160 160");
    for (const Case& c : cases) {
        run(std::wstring(L"update esu set deyer = ") + c.english);
        run(std::wstring(L"update rsu set deyer = ") + c.russian);
        // The language form's signal re-applies the settings.
        auto& flo = w->control<widgets::Label_KDQ>(L"flo");
        flo.setText(flo.Text() + L"dil");
        EXPECT_EQ(shown(), c.shown) << c.english << L" " << c.russian;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(StatusLine, TheSpeechFormsOkShowsTheNewSpeedsAtOnceAndAFailedSaveNone) {
    auto& form = forms::instance<app::ses>();
    form.control<widgets::ucSlider>(L"ens").setValue(19);
    form.control<widgets::ucSlider>(L"rus").setValue(1);
    form.ok();
    EXPECT_FALSE(forms::isLoaded<app::ses>());
    EXPECT_EQ(shown(), L"196 124");

    auto& again = forms::instance<app::ses>();
    again.control<widgets::ucSlider>(L"ens").setValue(2);
    run(L"drop table rsu");
    again.ok();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(shown(), L"196 124");
}

} // namespace
