// The picture box's one start: the same back colour and scale before and after its place, whatever
// makes its surface first.
#include "forms_test_support.h"

#include "platform/core/constants.h"
#include "platform/forms/controls/picture_box.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

class FormsPictureBox : public testing::Test {
protected:
    std::shared_ptr<formstest::PlainForm> form = std::make_shared<formstest::PlainForm>();
    void SetUp() override { form->load(); }
    void TearDown() override { form->Unload(); }
};

} // namespace

// A box not placed yet reads as it will start; a value set before its place stays, and a call that
// measures or clears it before then does not change how it starts.
TEST_F(FormsPictureBox, StartsAlikeWhateverMakesItsSurface) {
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
