// What forms and controls show and report: form resizing and clicks, surfaces of picture boxes,
// shapes and images over their container, controls that go inside their own events, pop-up menus.
#include "forms_test_support.h"
#include "support/message_recorder.h"

#include "platform/core/constants.h"
#include "platform/forms/color.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include <gtest/gtest.h>

using namespace forms;
using namespace formstest;

namespace {

constexpr uint32_t kBlue = 0xFF0000, kRed = 0x0000FF, kGreen = 0x00FF00;

class Recording : public PlainForm {
public:
    std::vector<std::wstring> log;
    Recording() {
        setBorderStyle(0);
        setNoActivate(true);
    }

protected:
    void Form_Resize() override { log.push_back(L"Resize"); }
    void Form_Click() override { log.push_back(L"Click"); }
    void Form_MouseDown(int b, int, float x, float y) override {
        log.push_back(L"Down" + std::to_wstring(b) + L"@" + std::to_wstring(static_cast<int>(x)) + L"," +
                      std::to_wstring(static_cast<int>(y)));
    }
    void Form_MenuClick(int id) override { log.push_back(L"Menu" + std::to_wstring(id)); }
};

TEST(FormsDrawing, FormResizesOncePerRealChangeAndReportsItsEmptyAreaInTwips) {
    auto form = std::make_shared<Recording>();
    form->load();
    EXPECT_TRUE(form->log.empty()); // not before it is shown
    form->Show();
    EXPECT_EQ(joined(form->log), L"Resize");
    form->log.clear();
    form->Move(form->Left(), form->Top(), form->Width(), form->Height());
    form->Move(form->Left() + 150, form->Top(), form->Width(), form->Height());
    EXPECT_TRUE(form->log.empty());
    form->setWidth(form->Width() + 300);
    EXPECT_EQ(joined(form->log), L"Resize");
    EXPECT_DOUBLE_EQ(form->ScaleWidth(), form->Width());
    form->log.clear();
    SendMessageW(form->hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(10, 4));
    SendMessageW(form->hWnd(), WM_RBUTTONUP, 0, at(10, 4));
    EXPECT_EQ(joined(form->log), L"Down2@150,60 Click");
    form->Unload();
}

TEST(FormsDrawing, PictureBoxKeepsWhatIsDrawnAndReportsTheMouseInItsScale) {
    auto form = std::make_shared<Recording>();
    form->Show();
    auto pic = placeControl<PictureBox>(*form, L"pic", 0, 0, 1500, 1500);
    pic->setBorderStyle(0);
    pic->setBackColor(kBlue);
    pic->surface().Line(0, 0, 300, 300, kRed, LineShape::FilledBox);
    pic->Move(0, 0, 3000, 1500); // growing keeps the picture
    GdiFlush();
    EXPECT_EQ(pic->surface().pixel(5, 5), kRed);
    EXPECT_EQ(pic->surface().pixel(150, 50), kBlue);
    // What the window shows is the surface.
    pic->Refresh();
    HDC dc = GetDC(pic->hWnd());
    EXPECT_EQ(GetPixel(dc, 5, 5), kRed);
    EXPECT_EQ(GetPixel(dc, 150, 50), kBlue);
    ReleaseDC(pic->hWnd(), dc);
    std::vector<float> xs;
    pic->MouseDown.handle([&](int, int, float x, float y) {
        xs.push_back(x);
        xs.push_back(y);
    });
    SendMessageW(pic->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(10, 3));
    SendMessageW(pic->hWnd(), WM_LBUTTONUP, 0, at(10, 3));
    pic->setScaleMode(core::scale::Pixels);
    SendMessageW(pic->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(10, 3));
    SendMessageW(pic->hWnd(), WM_LBUTTONUP, 0, at(10, 3));
    EXPECT_EQ(xs, (std::vector<float>{150, 45, 10, 3}));
    // A box taken out to float and put back is a child again.
    pic->setFloating(true);
    pic->setFloating(false);
    EXPECT_EQ(GetParent(pic->hWnd()), form->hWnd());
    EXPECT_TRUE(GetWindowLongW(pic->hWnd(), GWL_STYLE) & WS_CHILD);
    pic.reset();
    form->Unload();
}

// A control gives its region with every paint; the window hears of it only when it changes.
TEST(FormsDrawing, AControlsRegionReachesItsWindowOnlyWhenItChanges) {
    auto form = std::make_shared<Recording>();
    form->Show();
    auto pic = placeControl<PictureBox>(*form, L"pic", 0, 0, 1500, 1500);
    testsupport::MessageRecorder seen(pic->hWnd());
    struct Step {
        int right; // of a rectangle region from (0, 0), 0 for none
        bool reaches;
    };
    const Step steps[] = {{40, true}, {40, false}, {60, true}, {0, true}, {0, false}, {60, true}};
    for (const Step& step : steps) {
        seen.clear();
        pic->setWindowRegion(step.right ? GdiRegion(CreateRectRgn(0, 0, step.right, 50)) : GdiRegion());
        EXPECT_EQ(seen.count(WM_WINDOWPOSCHANGED) > 0, step.reaches) << step.right;
        HRGN now = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(pic->hWnd(), now) != ERROR, step.right != 0);
        DeleteObject(now);
    }
    form->Unload();
}

TEST(FormsDrawing, ShapesAndImagesShowTheirContainerAroundThem) {
    auto form = std::make_shared<Recording>();
    form->setBackColor(kGreen);
    form->Show();
    auto shape = placeControl<Shape>(*form, L"box", 150, 150, 600, 450);
    shape->setBorderColor(kRed);
    GdiFlush();
    Surface& s = shape->surface();
    EXPECT_EQ(s.pixel(0, 0), kRed);
    EXPECT_EQ(s.pixel(39, 29), kRed);
    EXPECT_EQ(s.pixel(20, 0), kRed);
    EXPECT_EQ(s.pixel(20, 15), kGreen); // inside: the form shows through
    EXPECT_EQ(SendMessageW(shape->hWnd(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    // An icon with transparent parts over the form, at its natural size.
    auto image = placeControl<Image>(*form, L"img", 1500, 150, 150, 150);
    image->setPicture(StdPicture::loadIcon(32512, GetModuleHandleW(L"user32.dll"), 32));
    ASSERT_TRUE(image->Picture());
    EXPECT_EQ(image->Width(), 480);
    GdiFlush();
    int green = 0, other = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) (image->surface().pixel(x, y) == kGreen ? green : other)++;
    EXPECT_GT(green, 0);
    EXPECT_GT(other, 0);
    shape.reset();
    image.reset();
    form->Unload();
}

TEST(FormsDrawing, AControlDroppedInsideItsOwnEventLivesUntilTheEventReturns) {
    auto form = std::make_shared<Recording>();
    form->Show();
    auto rec = placeControl<Recorder>(*form, L"r", 0, 0, 600, 600);
    std::weak_ptr<Recorder> weak = rec;
    bool after = false;
    rec->onClick = [&] { after = true; };
    rec->Click.handle([&] {
        rec->unload();
        rec.reset(); // the last owner lets go too
        EXPECT_FALSE(weak.expired());
    });
    HWND w = weak.lock()->hWnd();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    SendMessageW(w, WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_FALSE(after); // the control knew it was unloaded and stopped
    EXPECT_TRUE(weak.expired());
    EXPECT_FALSE(IsWindow(w));

    // Only letting go: the control unloads once its event has returned.
    auto other = placeControl<Recorder>(*form, L"o", 0, 0, 600, 600);
    std::weak_ptr<Recorder> weakOther = other;
    other->Click.handle([&] { other.reset(); });
    w = weakOther.lock()->hWnd();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at(2, 2));
    SendMessageW(w, WM_LBUTTONUP, 0, at(2, 2));
    EXPECT_TRUE(weakOther.expired());
    EXPECT_FALSE(IsWindow(w));
    form->Unload();
}

TEST(FormsDrawing, ChangesWhileTheLayoutLoadsAreNotReported) {
    int changes = 0;
    ControlTypes::add(L"WatchedTextBox", [&changes] {
        auto t = makeControl<TextBox>();
        t->Change.handle([&changes] { ++changes; });
        return std::static_pointer_cast<UserControl>(t);
    });
    struct WithText : Recording {
        Layout layout() const override {
            return {{.type = L"WatchedTextBox",
                     .name = L"t",
                     .width = 1500,
                     .height = 300,
                     .properties = {{L"Text", L"ilk"}}}};
        }
    };
    auto form = std::make_shared<WithText>();
    form->load();
    auto& box = form->control<TextBox>(L"t");
    EXPECT_EQ(box.Text(), L"ilk");
    EXPECT_EQ(changes, 0);
    box.setText(L"son");
    EXPECT_EQ(changes, 1);
    form->Unload();
}

TEST(FormsDrawing, PopupMenuReportsTheChosenCommandBeforeItReturns) {
    auto form = std::make_shared<Recording>();
    form->Show();
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 41, L"Kişi");
    AppendMenuW(menu, MF_STRING, 42, L"Qadın");
    int fromEvent = 0;
    form->MenuClick.handle([&](int id) { fromEvent = id; });
    // The menu's own loop reads these keys: down to the first item, then down and Enter.
    PostMessageW(form->hWnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->hWnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    form->PopupMenu(menu, 0, 300, 300);
    DestroyMenu(menu);
    ASSERT_FALSE(form->log.empty());
    EXPECT_EQ(form->log.back().substr(0, 4), L"Menu");
    EXPECT_EQ(fromEvent, std::stoi(form->log.back().substr(4)));
    form->Unload();
}

} // namespace
