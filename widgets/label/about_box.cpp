#include "widgets/label/about_box.h"

#include "platform/core/constants.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/command_button.h"
#include "platform/forms/do_events.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/label/label_kdq.h"
#include "widgets/shared/color_ramp.h"

namespace widgets {

namespace {

constexpr int kTwips = 15;
constexpr int kInnerWidth = 344, kInnerHeight = 111;

forms::LayoutEntry label(int index, int left, int top, int width, int height, int tab,
                         std::shared_ptr<forms::StdFont> font, std::uint32_t foreColor = 0) {
    forms::LayoutEntry e;
    e.type = L"Label_KDQ";
    e.name = L"Label_KDQ1";
    e.index = index;
    e.left = left * kTwips, e.top = top * kTwips, e.width = width * kTwips, e.height = height * kTwips;
    e.tabIndex = tab;
    e.properties.WriteProperty(L"Font", font);
    e.properties.WriteProperty(L"Text", L"", L"Nha4n");
    if (foreColor) e.properties.WriteProperty(L"ForeColor", core::Variant::colour(foreColor));
    return e;
}

} // namespace

fAbout::fAbout() {
    setName(L"fAbout");
    Label_KDQ::registerType();
    // The frame shape over the whole inner area is the box's border.
    setBorderStyle(core::formBorder::None);
    setShowInTaskbar(false);
    setKeyPreview(true);
    setClientSize(kInnerWidth * kTwips, kInnerHeight * kTwips);
}

forms::Layout fAbout::layout() const {
    forms::Layout l;
    forms::LayoutEntry ok;
    ok.type = L"CommandButton";
    ok.name = L"bOK";
    ok.left = 122 * kTwips, ok.top = 79 * kTwips, ok.width = 103 * kTwips, ok.height = 25 * kTwips;
    ok.tabIndex = 0;
    ok.properties.WriteProperty(L"Font", forms::StdFont::create(L"Tahoma", 9.75, true));
    l.push_back(ok);
    auto bold = forms::StdFont::create(L"Verdana", 18, true);
    auto boldItalic = forms::StdFont::create(L"Verdana", 9.75, true, true);
    auto plain = forms::StdFont::create(L"Verdana", 8.25);
    l.push_back(label(0, 0, 2, 341, 35, 1, bold));
    l.push_back(label(1, 54, 34, 237, 21, 2, boldItalic));
    l.push_back(label(2, 56, 53, 237, 21, 3, plain, 0x404040));
    forms::LayoutEntry frame;
    frame.type = L"Shape";
    frame.name = L"Shape1";
    frame.width = kInnerWidth * kTwips, frame.height = kInnerHeight * kTwips;
    frame.tabIndex = 4;
    frame.tabStop = false;
    l.push_back(frame);
    return l;
}

void fAbout::Form_Load() {
    auto watch = this->watch();
    forms::DoEvents();
    if (!watch.alive() || !loaded()) return;
    forms::Surface& s = surface();
    s.setScaleMode(core::scale::Pixels);
    const int height = s.heightPixels(), width = s.widthPixels();
    MultiGradientColors({0x000000, 0xFFFFFF, 0x000000}, height, ramp_);
    for (int i = 0; i < height && i < int(ramp_.size()); ++i)
        s.Line(0, float(i), float(width), float(i), ramp_[size_t(i)]);

    control<forms::CommandButton>(L"bOK").Click.handle([this] { bOK_Click(); });
    const int left = (forms::Screen::Width() - Width()) / 2, top = (forms::Screen::Height() - Height()) / 2;
    Move(left, top, Width(), Height());
}

void fAbout::Form_KeyDown(int& keyCode, int) {
    if (keyCode == VK_RETURN || keyCode == VK_ESCAPE) bOK_Click();
}

void fAbout::bOK_Click() {
    Unload();
}

void fAbout::showModal() {
    // A second request while the box is loading or shown would stack a second modal loop.
    if (forms::isLoaded<fAbout>()) return;
    // The program's one box, held here for the whole call: it may be unloaded while it loads, and
    // outside any message the run time would let it go at once.
    auto box = std::make_shared<fAbout>();
    forms::Forms::setInstanceSlot(typeid(fAbout), box);
    box->load();
    if (box->loaded()) box->Show(1);
}

fAbout* fAbout::current() {
    return forms::isLoaded<fAbout>() ? static_cast<fAbout*>(forms::Forms::instanceSlot(typeid(fAbout)).get())
                                     : nullptr;
}

} // namespace widgets
