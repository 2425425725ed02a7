// The run time's own controls keep their stored properties through their property tables, and start
// as those say.
#include "forms_test_support.h"
#include "support/property_cases.h"

#include "platform/core/constants.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/command_button.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/label.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;
using testsupport::PropertyCase;

namespace {

class IntrinsicProperties : public testing::Test {
protected:
    std::shared_ptr<formstest::PlainForm> form = std::make_shared<formstest::PlainForm>();
    void SetUp() override { form->load(); }
    void TearDown() override { form->Unload(); }

    template <class C>
    void check(const std::vector<PropertyCase<C>>& cases, const std::vector<std::wstring>& startKeys) {
        // The keys a new control writes are named here too, so a wrong start row is caught.
        auto fresh = testsupport::placedControl<C>(*form, L"fresh");
        fresh->initNew();
        PropertyBag bag;
        fresh->save(bag);
        std::wstring expected;
        for (const auto& k : startKeys) expected += (expected.empty() ? L"" : L", ") + k;
        EXPECT_EQ(testsupport::keysOf(bag), expected);
        testsupport::expectNewControlWritesOnlyStartValues(*form, C::properties());
        testsupport::expectRowsSurviveWriteAndRead(*form, C::properties(), cases);
    }

    static std::shared_ptr<StdFont> boldTahoma() { return StdFont::create(L"Tahoma", 9.75, true); }
    static std::shared_ptr<StdPicture> picture() {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 12, 9);
        ReleaseDC(nullptr, screen);
        return StdPicture::fromBitmap(bitmap);
    }
};

TEST_F(IntrinsicProperties, Label) {
    using L = Label;
    check<L>(
        {{L"Caption", L"söz", [](L& c, const core::Variant& v) { c.setCaption(v.toString()); }},
         {L"Alignment", 2, [](L& c, const core::Variant& v) { c.setAlignment(v.toLong()); }},
         {L"BackStyle", 0, [](L& c, const core::Variant& v) { c.setBackStyle(v.toLong()); }},
         {L"BackColor", core::Variant::colour(0xFF),
          [](L& c, const core::Variant& v) { c.setBackColor(v.toColour()); }},
         {L"ForeColor", core::Variant::colour(0xFF00),
          [](L& c, const core::Variant& v) { c.setForeColor(v.toColour()); }},
         {L"Font", core::Variant(boldTahoma()), [](L& c, const core::Variant& v) { c.setFont(v.toFont()); }}},
        {L"Caption"});
}

TEST_F(IntrinsicProperties, ImageAndShape) {
    using I = Image;
    check<I>({{L"Picture", core::Variant(picture()),
               [](I& c, const core::Variant& v) { c.setPicture(v.toPicture()); }},
              {L"Stretch", true, [](I& c, const core::Variant& v) { c.setStretch(v.toBoolean()); }}},
             {});
    using S = Shape;
    check<S>({{L"BorderColor", core::Variant::colour(0xFF),
               [](S& c, const core::Variant& v) { c.setBorderColor(v.toColour()); }},
              {L"BorderWidth", 3, [](S& c, const core::Variant& v) { c.setBorderWidth(v.toLong()); }},
              {L"BackStyle", 1, [](S& c, const core::Variant& v) { c.setBackStyle(v.toLong()); }},
              {L"BackColor", core::Variant::colour(0xFF00),
               [](S& c, const core::Variant& v) { c.setBackColor(v.toColour()); }},
              {L"FillStyle", 0, [](S& c, const core::Variant& v) { c.setFillStyle(v.toLong()); }},
              {L"FillColor", core::Variant::colour(0xFF0000),
               [](S& c, const core::Variant& v) { c.setFillColor(v.toColour()); }}},
             {});
}

TEST_F(IntrinsicProperties, TextBoxAndCommandButton) {
    using T = TextBox;
    check<T>(
        {{L"BackColor", core::Variant::colour(0xFF),
          [](T& c, const core::Variant& v) { c.setBackColor(v.toColour()); }},
         {L"ForeColor", core::Variant::colour(0xFF00),
          [](T& c, const core::Variant& v) { c.setForeColor(v.toColour()); }},
         {L"Font", core::Variant(boldTahoma()), [](T& c, const core::Variant& v) { c.setFont(v.toFont()); }},
         {L"BorderStyle", int16_t{0}, [](T& c, const core::Variant& v) { c.setBorderStyle(v.toInteger()); }},
         {L"Locked", true, [](T& c, const core::Variant& v) { c.setLocked(v.toBoolean()); }},
         {L"MaxLength", 40, [](T& c, const core::Variant& v) { c.setMaxLength(v.toLong()); }},
         {L"MultiLine", true, nullptr}, // design time only
         {L"Text", L"мир", [](T& c, const core::Variant& v) { c.setText(v.toString()); }}},
        {L"Text"});
    using B = CommandButton;
    check<B>(
        {{L"Caption", L"&Tamam", [](B& c, const core::Variant& v) { c.setCaption(v.toString()); }},
         {L"Font", core::Variant(boldTahoma()), [](B& c, const core::Variant& v) { c.setFont(v.toFont()); }}},
        {L"Caption"});
}

TEST_F(IntrinsicProperties, PictureBox) {
    using P = PictureBox;
    check<P>(
        {{L"Font", core::Variant(boldTahoma()), [](P& c, const core::Variant& v) { c.setFont(v.toFont()); }},
         {L"ForeColor", core::Variant::colour(0xFF),
          [](P& c, const core::Variant& v) { c.setForeColor(v.toColour()); }},
         {L"ScaleMode", 3, [](P& c, const core::Variant& v) { c.setScaleMode(v.toLong()); }},
         {L"BorderStyle", 0, [](P& c, const core::Variant& v) { c.setBorderStyle(v.toLong()); }},
         {L"AutoSize", true, [](P& c, const core::Variant& v) { c.setAutoSize(v.toBoolean()); }},
         {L"Picture", core::Variant(picture()),
          [](P& c, const core::Variant& v) { c.setPicture(v.toPicture()); }},
         {L"BackColor", core::Variant::colour(0xFF00),
          [](P& c, const core::Variant& v) { c.setBackColor(v.toColour()); }}},
        {});
}

// A box not placed yet reads as it will start; a value set before its place stays, and a call that
// measures or clears it before then does not change how it starts.
TEST_F(IntrinsicProperties, APictureBoxStartsAlikeWhateverMakesItsSurface) {
    using core::scale::Pixels;
    using core::scale::Twips;
    using core::sysColor::ButtonFace;
    struct Case {
        const char* what;
        std::function<void(PictureBox&)> before; // done before the box is placed
        uint32_t backColor;
        int scaleMode;
    } cases[] = {
        {"placed first", [](PictureBox&) {}, ButtonFace, Twips},
        {"measured first", [](PictureBox& b) { b.ScaleWidth(); }, ButtonFace, Twips},
        {"cleared first", [](PictureBox& b) { b.Cls(); }, ButtonFace, Twips},
        {"coloured first", [](PictureBox& b) { b.setBackColor(0xFF); }, 0xFF, Twips},
        {"scaled first", [](PictureBox& b) { b.setScaleMode(Pixels); }, ButtonFace, Pixels},
    };
    for (const auto& c : cases) {
        auto box = makeControl<PictureBox>();
        c.before(*box);
        EXPECT_EQ(box->BackColor(), c.backColor) << c.what << ", before its place";
        EXPECT_EQ(box->ScaleMode(), c.scaleMode) << c.what << ", before its place";
        box->place(*form, L"late", -1, 0, 0, 600, 600);
        EXPECT_EQ(box->BackColor(), c.backColor) << c.what;
        EXPECT_EQ(box->ScaleMode(), c.scaleMode) << c.what;
        box->unload();
    }
}

TEST_F(IntrinsicProperties, ScrollBarAndTimer) {
    using V = VScrollBar;
    check<V>({{L"Min", -5, [](V& c, const core::Variant& v) { c.setMin(v.toLong()); }},
              {L"Max", 10, [](V& c, const core::Variant& v) { c.setMax(v.toLong()); }},
              {L"SmallChange", 2, [](V& c, const core::Variant& v) { c.setSmallChange(v.toLong()); }},
              {L"LargeChange", 5, [](V& c, const core::Variant& v) { c.setLargeChange(v.toLong()); }},
              {L"Value", 3, [](V& c, const core::Variant& v) { c.setValue(v.toLong()); }}},
             {});
    using T = Timer;
    check<T>({{L"Interval", 1000, [](T& c, const core::Variant& v) { c.setInterval(v.toLong()); }},
              {L"Enabled", false, [](T& c, const core::Variant& v) { c.setEnabled(v.toBoolean()); }}},
             {});
}

// A stored scroll bar whose value lies outside its range reads as the nearest end.
TEST_F(IntrinsicProperties, StoredScrollValueIsKeptInRange) {
    auto bar = testsupport::placedControl<VScrollBar>(*form, L"vs");
    PropertyBag bag{{L"Min", 10}, {L"Max", 0}, {L"Value", 40}};
    bar->readStored(bag);
    EXPECT_EQ(bar->Value(), 10);
}

} // namespace
