#include "kt_button_test_support.h"

#include "platform/core/constants.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/property_table.h"

#include "support/property_cases.h"

#include <vector>

namespace {

using namespace kttest;
using core::Variant;

class KtButtonModel : public ::testing::Test {
protected:
    std::shared_ptr<HostForm> form;
    testsupport::EventLog log;

    void SetUp() override {
        ktButton::registerType();
        form = std::make_shared<HostForm>(forms::Layout{buttonEntry(L"command1", 10, 10)});
        form->load();
    }
    void TearDown() override {
        if (form && form->loaded()) form->Unload();
        forms::UserControl::setDefaultUserMode(true);
    }
    ktButton& button() { return form->control<ktButton>(L"command1"); }
};

TEST_F(KtButtonModel, ANewButtonIsStyleSixOnButtonFaceAndAnEmptyBagStyleZeroOnTheAmbientColour) {
    form->setBackColor(0x00336699);
    auto fresh = forms::placeControl<ktButton>(*form, L"newOne", 0, 0, 1125, 345);
    EXPECT_EQ(fresh->ButtonStyle(), 6);
    EXPECT_EQ(fresh->BackColor(), core::sysColor::ButtonFace);
    EXPECT_EQ(fresh->Caption(), L"newOne");
    EXPECT_EQ(fresh->cache().P[0], static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(fresh->PictureOpacity(), 100);
    EXPECT_EQ(fresh->PictureAlignment(), 4);
    // Loaded from a form that stored nothing for it (command1 above).
    EXPECT_EQ(button().ButtonStyle(), 0);
    EXPECT_EQ(button().Caption(), L"command1");
    auto stored = forms::makeControl<ktButton>();
    stored->place(*form, L"stored", -1, 0, 600, 1125, 345);
    forms::PropertyBag empty;
    stored->readStored(empty);
    EXPECT_EQ(stored->BackColor(), 0x00336699u);
    EXPECT_EQ(stored->ButtonStyle(), 0);
    EXPECT_EQ(stored->cache().P[8], widgets::ktbutton::NoColour);
    testsupport::expectNewControlWritesOnlyStartValues(*form, ktButton::properties());
}

TEST_F(KtButtonModel, EveryStoredKeySurvivesAWriteAndARead) {
    using Case = testsupport::PropertyCase<ktButton>;
    ASSERT_EQ(ktButton::properties().rows().size(), 24u);
    const auto normal = solidPicture(16, 16, RGB(0, 0, 255));
    const auto hot = solidPicture(16, 16, RGB(0, 255, 0));
    const auto down = solidPicture(16, 16, RGB(255, 0, 0));
    const auto icon = forms::StdPicture::fromIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    const std::vector<Case> cases{
        {L"BackColor", core::Variant::colour(0x00112233),
         [](ktButton& c, const core::Variant& v) { c.setBackColor(v.toColour()); }},
        {L"ButtonShape", core::Variant(std::int32_t(2)),
         [](ktButton& c, const core::Variant& v) { c.setButtonShape(v.toLong()); }},
        {L"ButtonStyle", core::Variant(std::int32_t(9)),
         [](ktButton& c, const core::Variant& v) { c.setButtonStyle(v.toLong()); }},
        {L"Caption", core::Variant(std::wstring(L" No")),
         [](ktButton& c, const core::Variant& v) { c.setCaption(v.toString()); }},
        {L"CheckBox", core::Variant(true),
         [](ktButton& c, const core::Variant& v) { c.setCheckBoxMode(v.toBoolean()); }},
        {L"Effects", core::Variant(std::int32_t(3)),
         [](ktButton& c, const core::Variant& v) { c.setSpecialEffect(v.toLong()); }},
        {L"Font", core::Variant(forms::StdFont::create(L"Arial", 12)),
         [](ktButton& c, const core::Variant& v) { c.setFont(v.toFont()); }},
        {L"ForeColor", core::Variant::colour(0x00445566),
         [](ktButton& c, const core::Variant& v) { c.setForecolor(v.toColour()); }},
        {L"MaskColor", core::Variant::colour(0x00FF00FF),
         [](ktButton& c, const core::Variant& v) { c.setMaskColor(v.toColour()); }},
        {L"MouseIcon", core::Variant(icon),
         [](ktButton& c, const core::Variant& v) { c.setMouseIcon(v.toPicture()); }},
        {L"MousePointer", core::Variant(std::int32_t(5)),
         [](ktButton& c, const core::Variant& v) { c.setMousePointer(v.toLong()); }},
        {L"HandPointer", core::Variant(true),
         [](ktButton& c, const core::Variant& v) { c.setHandPointer(v.toBoolean()); }},
        {L"PicAlign", core::Variant(std::int32_t(3)),
         [](ktButton& c, const core::Variant& v) { c.setPictureAlignment(v.toLong()); }},
        {L"PicNormal", core::Variant(normal),
         [](ktButton& c, const core::Variant& v) { c.setPictureNormal(v.toPicture()); }},
        {L"PicHot", core::Variant(hot),
         [](ktButton& c, const core::Variant& v) { c.setPictureHot(v.toPicture()); }},
        {L"PicDown", core::Variant(down),
         [](ktButton& c, const core::Variant& v) { c.setPictureDown(v.toPicture()); }},
        {L"PicOpacity", core::Variant(0.5f),
         [](ktButton& c, const core::Variant& v) { c.setPictureOpacity(v.toSingle() * 100); }},
        {L"PicSizeH", core::Variant(std::int32_t(20)),
         [](ktButton& c, const core::Variant& v) { c.setPictureSizeH(v.toLong()); }},
        {L"PicSizeW", core::Variant(std::int32_t(30)),
         [](ktButton& c, const core::Variant& v) { c.setPictureSizeW(v.toLong()); }},
        {L"PicSize", core::Variant(std::int32_t(5)),
         [](ktButton& c, const core::Variant& v) { c.setPictureSize(v.toLong()); }},
        {L"UseMask", core::Variant(false),
         [](ktButton& c, const core::Variant& v) { c.setUseMaskColor(v.toBoolean()); }},
        {L"Value", core::Variant(true),
         [](ktButton& c, const core::Variant& v) { c.setValue(v.toBoolean()); }},
        {L"Enabled", core::Variant(false),
         [](ktButton& c, const core::Variant& v) { c.setEnabled(v.toBoolean()); }},
        // Loaded as 3 because the button is disabled.
        {L"State", core::Variant(std::int32_t(3)), nullptr},
    };
    testsupport::expectRowsSurviveWriteAndRead(*form, ktButton::properties(), cases);
}

TEST_F(KtButtonModel, PictureOpacityPictureRulesAndSizes) {
    ktButton& b = button();
    const struct {
        float written;
        int read;
    } opacities[] = {{5, 10}, {150, 100}, {55, 55}, {10, 10}};
    for (const auto& o : opacities) {
        b.setPictureOpacity(o.written);
        EXPECT_EQ(b.PictureOpacity(), o.read) << o.written;
    }
    // A hot picture on a button without a normal one becomes the normal one.
    const auto small = solidPicture(16, 16, RGB(0, 0, 255));
    b.setPictureHot(small);
    EXPECT_EQ(b.PictureNormal(), small);
    EXPECT_EQ(b.PictureHot(), nullptr);
    EXPECT_EQ(b.changedProperties().back(), L"PicNormal");
    EXPECT_EQ(b.PictureSizeW(), 16);
    // Another size at own size switches to custom, keeping the pixels.
    b.setPictureDown(solidPicture(24, 24, RGB(255, 0, 0)));
    EXPECT_EQ(b.PictureSize(), 5);
    EXPECT_EQ(b.PictureSizeW(), 16);
    b.setPictureSize(3);
    EXPECT_EQ(b.PictureSizeH(), 32);
    b.setPictureSizeW(20);
    EXPECT_EQ(b.PictureSize(), 5);
    EXPECT_EQ(b.PictureSizeW(), 20);
    EXPECT_EQ(b.PictureSizeH(), 32);
    b.setPictureHot(solidPicture(16, 16, RGB(0, 255, 0)));
    // Emptying the normal picture empties the others, the sizes and the opacity.
    b.setPictureNormal(nullptr);
    EXPECT_EQ(b.PictureHot(), nullptr);
    EXPECT_EQ(b.PictureDown(), nullptr);
    EXPECT_EQ(b.PictureSize(), 0);
    EXPECT_EQ(b.PictureSizeH(), 0);
    EXPECT_EQ(b.PictureSizeW(), 0);
    EXPECT_EQ(b.PictureOpacity(), 0);
    b.setPictureNormal(small);
    EXPECT_EQ(b.PictureOpacity(), 100);
    b.setPictureSize(2);
    EXPECT_EQ(b.PictureSizeW(), 24);
}

TEST_F(KtButtonModel, PointersValueAndCheckBoxMode) {
    ktButton& b = button();
    watch(b, log);
    b.setHandPointer(true);
    EXPECT_TRUE(b.HandPointer());
    b.setMousePointer(0);
    EXPECT_FALSE(b.HandPointer());
    b.setHandPointer(true);
    b.setMouseIcon(nullptr);
    EXPECT_FALSE(b.HandPointer());
    EXPECT_EQ(b.MousePointer(), 0);
    b.setHandPointer(true);
    b.setMouseIcon(forms::StdPicture::fromIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION))));
    EXPECT_TRUE(b.HandPointer());
    EXPECT_EQ(b.MousePointer(), 99);

    // A plain button clicks itself once and is False again.
    b.setValue(true);
    EXPECT_EQ(log.text(), L"Click");
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.changedProperties().back(), L"Value");
    // In CheckBoxMode it only checks; leaving the mode unchecks.
    log.clear();
    b.setCheckBoxMode(true);
    b.setValue(true);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(log.text(), L"");
    b.setCheckBoxMode(false);
    EXPECT_FALSE(b.Value());
    const auto& changed = b.changedProperties();
    EXPECT_EQ(changed[changed.size() - 2], L"Value");
    // At design time Value := True is put back.
    forms::UserControl::setDefaultUserMode(false);
    b.setValue(true);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(log.text(), L"");
}

TEST_F(KtButtonModel, CaptionAccessKeysSchemesAndOverrides) {
    ktButton& b = button();
    b.setCaption(L"a&&b&C");
    EXPECT_EQ(b.AccessKeys(), L"c");
    b.setCaption(L"Axtar&");
    EXPECT_EQ(b.AccessKeys(), L"");
    b.setCaption(L"&Закрыть");
    EXPECT_EQ(b.AccessKeys(), L"з");

    // Run time: a new style keeps BackColor; design time takes the style's colour.
    b.setBackColor(0x00202020);
    b.setButtonStyle(1);
    EXPECT_EQ(b.BackColor(), 0x00202020u);
    forms::UserControl::setDefaultUserMode(false);
    b.setButtonStyle(1);
    EXPECT_EQ(b.BackColor(), 0x00FF9B48u);
    forms::UserControl::setDefaultUserMode(true);

    // OverrideColor without a repaint changes the slot only; an unknown slot is error 5.
    const int paints = b.paintCount();
    b.OverrideColor(0, 0x00010203, true);
    EXPECT_EQ(b.cache().P[1], 0x00010203);
    EXPECT_EQ(b.paintCount(), paints);
    try {
        b.OverrideColor(6, 0, false);
        ADD_FAILURE() << "no error";
    } catch (const core::RuntimeError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_EQ(b.cache().P[1], 0x00010203);
    EXPECT_EQ(b.paintCount(), paints);
    // A style without a scheme keeps BackColor, recomputes the palette and repaints.
    b.ColorScheme(12, false);
    EXPECT_EQ(b.BackColor(), 0x00FF9B48u);
    EXPECT_NE(b.cache().P[1], 0x00010203);
    EXPECT_EQ(b.paintCount(), paints + 1);
}

TEST_F(KtButtonModel, ForecolorWhileDisabledStoredStateAndHiddenRedraws) {
    ktButton& b = button();
    b.setEnabled(false);
    EXPECT_EQ(b.look().State, 3);
    b.setForecolor(0x000000FF);
    b.setEnabled(true);
    EXPECT_EQ(b.cache().P[3], 0x000000FF);

    // Saved hot: loads normal; saved disabled: loads disabled.
    forms::PropertyBag hot;
    hot.WriteProperty(L"State", core::Variant(std::int32_t(1)));
    auto a = forms::makeControl<ktButton>();
    a->place(*form, L"a", -1, 0, 600, 1125, 345);
    a->readStored(hot);
    EXPECT_EQ(a->look().State, 0);
    forms::PropertyBag off;
    off.WriteProperty(L"Enabled", core::Variant(false));
    auto d = forms::makeControl<ktButton>();
    d->place(*form, L"d", -1, 0, 1000, 1125, 345);
    d->readStored(off);
    EXPECT_EQ(d->look().State, 3);
    EXPECT_FALSE(IsWindowEnabled(d->hWnd()));

    // A caption written while hidden shows when the button is shown again.
    form->Show();
    b.setVisible(false);
    const int paints = b.paintCount();
    b.setCaption(L"Axtar");
    EXPECT_EQ(b.paintCount(), paints);
    EXPECT_TRUE(b.state().redrawSkipped);
    b.setVisible(true);
    EXPECT_EQ(b.paintCount(), paints + 1);
    EXPECT_FALSE(b.state().redrawSkipped);
}

} // namespace
