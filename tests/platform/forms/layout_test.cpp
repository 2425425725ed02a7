// Forms built from their layout tables: round trip, containers, control arrays and access by name.
#include "forms_test_support.h"

#include "platform/core/constants.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/color.h"
#include "platform/forms/controls/command_button.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/label.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

class TableForm : public Form {
public:
    TableForm() {
        setName(L"TableForm");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(6000, 4000);
    }
    Layout table() const { return layout(); }

protected:
    Layout layout() const override {
        return {
            {.type = L"PictureBox",
             .name = L"pic",
             .width = 3000,
             .height = 1500,
             .tabIndex = 0,
             .properties = {{L"BackColor", core::Variant::colour(0xFF)}, {L"ScaleMode", 3}}},
            {.type = L"Label",
             .name = L"lbl",
             .index = 0,
             .container = L"pic",
             .left = 4,
             .top = 4,
             .width = 80,
             .height = 20,
             .tabIndex = 1,
             .properties = {{L"Caption", L"bir"}}},
            {.type = L"Label",
             .name = L"lbl",
             .index = 1,
             .container = L"pic",
             .left = 4,
             .top = 27,
             .width = 80,
             .height = 20,
             .tabIndex = 2,
             .properties = {{L"Caption", L"iki"},
                            {L"Alignment", 2},
                            {L"BackStyle", 0},
                            {L"Font", core::Variant(StdFont::create(L"Tahoma", 9.75, true))}},
             .tag = L"second"},
            {.type = L"TextBox",
             .name = L"txt",
             .top = 1600,
             .width = 2000,
             .height = 300,
             .tabIndex = 3,
             .properties = {{L"Text", L"söz"}, {L"MaxLength", 40}},
             .toolTipText = L"type here"},
            {.type = L"VScrollBar",
             .name = L"vs",
             .left = 3200,
             .width = 255,
             .height = 1500,
             .tabIndex = 4,
             .properties = {{L"Max", 10}, {L"Value", 3}, {L"LargeChange", 5}}},
            {.type = L"Timer",
             .name = L"tmr",
             .tabIndex = 5,
             .properties = {{L"Interval", 250}, {L"Enabled", false}}},
            {.type = L"Shape",
             .name = L"box",
             .left = 3600,
             .width = 600,
             .height = 600,
             .tabIndex = 6,
             .properties = {{L"BorderColor", core::Variant::colour(0xFF0000)}, {L"BorderWidth", 2}}},
            {.type = L"CommandButton",
             .name = L"ok",
             .left = 3600,
             .top = 2000,
             .width = 1200,
             .height = 400,
             .tabIndex = 7,
             .properties = {{L"Caption", L"&Tamam"}},
             .isDefault = true},
            {.type = L"Image",
             .name = L"img",
             .left = 4800,
             .width = 480,
             .height = 480,
             .tabIndex = 8,
             .properties = {{L"Stretch", true}},
             .visible = false},
        };
    }
};

TEST(FormsLayout, WritingEveryControlGivesBackTheSameTable) {
    auto form = std::make_shared<TableForm>();
    form->load();
    const Layout written = form->saveLayout();
    const Layout table = form->table();
    ASSERT_EQ(written.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(written[i], table[i]) << "entry " << i;
        EXPECT_EQ(written[i].properties, table[i].properties) << "entry " << i;
    }
    // A changed value shows up, and only where it belongs.
    form->control<Label>(L"lbl", 0).setCaption(L"üç");
    const Layout changed = form->saveLayout();
    EXPECT_EQ(changed[1].properties.ReadProperty(L"Caption").toString(), L"üç");
    EXPECT_EQ(changed[2], table[2]);
    form->Unload();
}

TEST(FormsLayout, StoredValuesReachTheControlsAndTheirContainers) {
    auto form = std::make_shared<TableForm>();
    form->load();
    auto& pic = form->control<PictureBox>(L"pic");
    auto& second = form->control<Label>(L"lbl", 1);
    EXPECT_EQ(second.Caption(), L"iki");
    EXPECT_EQ(second.Font()->Name(), L"Tahoma");
    EXPECT_TRUE(second.Font()->Bold());
    EXPECT_EQ(second.Tag(), L"second");
    EXPECT_EQ(second.Container(), &pic);
    EXPECT_EQ(form->containerOf(second), &pic);
    EXPECT_EQ(form->containerOf(pic), nullptr);
    EXPECT_EQ(GetParent(second.hWnd()), pic.hWnd());
    EXPECT_EQ(second.Parent(), form.get());
    EXPECT_EQ(form->control<TextBox>(L"txt").Text(), L"söz");
    EXPECT_EQ(form->control<TextBox>(L"txt").ToolTipText(), L"type here");
    EXPECT_EQ(form->control<VScrollBar>(L"vs").Value(), 3);
    EXPECT_FALSE(form->control<Timer>(L"tmr").Enabled());
    EXPECT_EQ(form->control<Timer>(L"tmr").Interval(), 250);
    EXPECT_EQ(form->defaultControl(), &form->control<CommandButton>(L"ok"));
    EXPECT_EQ(form->control<CommandButton>(L"ok").AccessKeys(), L"T");
    EXPECT_FALSE(form->control<Image>(L"img").Visible());
    // Controls of another form by name and type.
    EXPECT_THROW(form->control<Label>(L"txt"), core::RuntimeError);
    EXPECT_THROW(form->control<Label>(L"nothing"), core::RuntimeError);
    EXPECT_THROW(form->control<Label>(L"lbl"), core::RuntimeError); // a control array needs its index
    // Positions are in the container's scale: pixels in the picture box, twips on the form.
    auto placed = [](UserControl& c) {
        RECT r;
        GetWindowRect(c.hWnd(), &r);
        MapWindowPoints(nullptr, GetParent(c.hWnd()), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    EXPECT_EQ(placed(second).left, 4);
    EXPECT_EQ(placed(second).top, 27);
    EXPECT_EQ(placed(second).right, 84);
    EXPECT_EQ(placed(form->control<TextBox>(L"txt")).top, 107);
    // They follow a change of the container's scale, and a move in the new scale.
    pic.setScaleMode(core::scale::Twips);
    EXPECT_EQ(second.Left(), 60);
    EXPECT_EQ(second.Width(), 1200);
    second.setLeft(150);
    EXPECT_EQ(placed(second).left, 10);
    EXPECT_EQ(placed(second).top, 27);
    pic.setScaleMode(core::scale::Pixels);
    EXPECT_EQ(second.Left(), 10);
    second.setTop(30);
    EXPECT_EQ(placed(second).top, 30);
    EXPECT_EQ(placed(second).left, 10);
    EXPECT_EQ(second.Width(), 80);
    // A picture sizes an image in its container's scale.
    auto image = placeControl<Image>(pic, L"pic2", 2, 3, 10, 10);
    image->setPicture(StdPicture::fromBitmap(CreateBitmap(17, 9, 1, 32, nullptr)));
    EXPECT_EQ(image->Width(), 17);
    EXPECT_EQ(placed(*image).right, 19);
    form->Unload();
}

TEST(FormsLayout, UnknownTypesAndContainersAreErrors) {
    struct Broken : Form {
        Layout layout() const override { return {{.type = L"NoSuchControl", .name = L"x"}}; }
    };
    auto form = std::make_shared<Broken>();
    EXPECT_THROW(form->load(), core::RuntimeError);
    EXPECT_FALSE(form->loaded());
    EXPECT_TRUE(Forms::loaded().empty());
    struct Orphan : Form {
        Layout layout() const override { return {{.type = L"Label", .name = L"x", .container = L"nowhere"}}; }
    };
    auto orphan = std::make_shared<Orphan>();
    EXPECT_THROW(orphan->load(), core::RuntimeError);
}

} // namespace
