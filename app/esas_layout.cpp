// The main window's stored form: every control with its position (pixels here, twips in the entry)
// and the stored values that differ from the controls' defaults.
#include "app/esas.h"

#include "app/pictures.h"
#include "platform/core/variant.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "widgets/command_button/kt_button_palette.h"

#include <utility>

namespace app {

namespace {

constexpr int T = 15; // twips per pixel

using core::Variant;

forms::LayoutEntry entry(const wchar_t* type, const wchar_t* name, int left, int top, int width, int height,
                         forms::PropertyBag bag, int tabIndex = 0) {
    forms::LayoutEntry e;
    e.type = type;
    e.name = name;
    e.left = left * T, e.top = top * T, e.width = width * T, e.height = height * T;
    e.tabIndex = tabIndex;
    e.properties = std::move(bag);
    return e;
}

forms::LayoutEntry hidden(forms::LayoutEntry e) {
    e.visible = false;
    e.tabStop = false;
    return e;
}

std::shared_ptr<forms::StdFont> font(const wchar_t* face, double size, bool bold = false,
                                     int16_t charset = 162) {
    auto f = forms::StdFont::create(face, size, bold);
    f->setCharset(charset);
    return f;
}

core::Variant colour(uint32_t c) {
    return core::Variant::colour(c);
}

// The search button in the style of a flat, framed button, with that style's colour.
constexpr std::int32_t kSearchButtonStyle = 9;
uint32_t searchButtonColour() {
    uint32_t c = 0xE0E0E0;
    widgets::ktbutton::schemeColour(kSearchButtonStyle, c);
    return c;
}

// A state label: holds text for the forms, never shown.
forms::LayoutEntry stateLabel(const wchar_t* name, int left) {
    return hidden(
        entry(L"Label_KDQ", name, left, 0, 20, 12, {{L"Text", std::wstring()}, {L"TiengViet", false}}));
}

// A caption over a list: dictionary words, so no VNI conversion.
forms::LayoutEntry caption(const wchar_t* name, int left, int top, int width, int alignment, uint32_t fore) {
    return entry(L"Label_KDQ", name, left, top, width, 18,
                 {{L"Text", std::wstring()},
                  {L"TiengViet", false},
                  {L"Font", font(L"Tahoma", 9, true)},
                  {L"ForeColor", colour(fore)},
                  {L"Alignment", alignment},
                  {L"Transparent", false},
                  {L"BackColor", colour(kWindowColour)}});
}

forms::PropertyBag listBag() {
    return {
        {L"SortOrder", -1},           {L"FocusRectangle", false},   {L"AutoHideScrollBars", true},
        {L"SelForeColor", colour(0)}, {L"BorderStyle", int16_t(0)}, {L"Font", font(L"Times New Roman", 12)}};
}

// The tool bar as stored: five buttons with their icons; the captions come with the interface
// language, the tooltips stay empty.
forms::PropertyBag toolBarBag() {
    forms::PropertyBag bag{{L"BackColor", colour(0xE0E0E0)},
                           {L"BorderStyle", int16_t(1)},
                           {L"Button_Count", 5L},
                           {L"ButtonsWidth", 124L},
                           {L"ButtonsHeight", 82L},
                           {L"ButtonsPerRow", 5L},
                           {L"HoverColor", colour(0xF0E0E0)},
                           {L"TooTipStyle", 0L},
                           {L"BackGradient", 3L},
                           {L"ButtonsMode", 4L},
                           {L"ButtonsSeperatorWidth", 15L},
                           {L"ShowSeperator", false},
                           {L"ButtonsBackColor", colour(0xE1F2F2)},
                           {L"Font", font(L"Tahoma", 8.25, true)}};
    const Picture icons[] = {Picture::ToolLanguage, Picture::ToolSpeech, Picture::ToolAbout,
                             Picture::ToolTray, Picture::ToolExit};
    for (int i = 1; i <= 5; ++i) {
        const std::wstring n = std::to_wstring(i);
        if (auto icon = loadPicture(icons[i - 1])) bag.WriteProperty(L"ButtonIcon" + n, core::Variant(icon));
        bag.WriteProperty(L"ButtonToolTipIcon" + n, 1L, 0L);
        bag.WriteProperty(L"ButtonIconAllignment" + n, 0L, 4L);
    }
    return bag;
}

// The tool bar is worked with the mouse: it is no tab stop, and the keyboard starts in the search box.
forms::LayoutEntry toolBar() {
    forms::LayoutEntry e = entry(L"McToolBar", L"mct", 0, 0, 632, 88, toolBarBag(), 6);
    e.tabStop = false;
    return e;
}

// Made after the window's first paint: it shows nothing then, and the keyboard never reaches it.
forms::LayoutEntry later(forms::LayoutEntry e) {
    e.afterFirstPaint = true;
    e.tabStop = false;
    return e;
}

forms::LayoutEntry picture(const wchar_t* name, int left, int top, int width, int height,
                           std::shared_ptr<forms::StdPicture> pic, bool visible = true) {
    auto e = entry(L"Image", name, left, top, width, height, {{L"Picture", core::Variant(std::move(pic))}});
    return visible ? e : hidden(e);
}

} // namespace

forms::Layout esas::layout() const {
    const uint32_t navy = 0x803000;
    forms::Layout l = {
        // The tool bar across the top; its five buttons open the other forms.
        toolBar(),

        // The search row.
        entry(L"UniTextBoxEx", L"TextBox1", 10, 98, 214, 24,
              {{L"Text", std::wstring()}, {L"Font", font(L"Tahoma", 10)}}, 0),
        entry(L"SComboBox", L"co", 232, 98, 156, 24,
              {{L"AppearanceCombo", 4},
               {L"Style", 1},
               {L"Text", std::wstring(L"            En - Tr")},
               {L"Font", font(L"Tahoma", 8.25, true)}},
              1),
        entry(L"ktButton", L"command1", 396, 97, 84, 26,
              {{L"Caption", std::wstring(L"Axtar")},
               {L"ButtonStyle", std::int32_t(kSearchButtonStyle)},
               {L"BackColor", colour(searchButtonColour())},
               {L"Font", font(L"Tahoma", 8.25)}},
              2),
        entry(L"MorphOptionCheck", L"avto", 488, 100, 140, 20,
              {{L"Caption", std::wstring()},
               {L"ControlType", 0},
               {L"Transparent", true},
               {L"CaptionColor", colour(0x000000)},
               {L"BorderIfTransparent", false},
               {L"CheckBoxColor1", colour(0xFFFFFF)},
               {L"CheckBoxColor2", colour(0xE8E8E8)},
               {L"CheckBorderColor", colour(0x909090)},
               {L"CheckColor", colour(0x803000)},
               {L"Font", font(L"Tahoma", 8.25)}},
              3),

        // Captions over the lists: the source language, the chosen headword and the target language.
        caption(L"ddd", 10, 132, 300, 0, navy),
        caption(L"Label3", 322, 132, 190, 0, 0x202020),
        caption(L"ddi", 512, 132, 110, 1, navy),
        entry(L"McListBox", L"list", 10, 152, 302, 284, listBag(), 4),
        entry(L"McListBox", L"ul", 322, 152, 300, 284, listBag(), 5),

        // The quiet status line: the two stored speech speeds, the minimise picture at its right.
        picture(L"Image1", 10, 444, 16, 16, loadPicture(Picture::Speech)),
        picture(L"Image2", 32, 446, 16, 11, loadPicture(Picture::FlagEnglish)),
        entry(L"Label_KDQ", L"des", 52, 443, 40, 16,
              {{L"Text", std::wstring()}, {L"TiengViet", false}, {L"ForeColor", colour(0x808080)}}),
        picture(L"Image3", 96, 446, 16, 11, loadPicture(Picture::FlagRussian)),
        entry(L"Label_KDQ", L"drs", 116, 443, 40, 16,
              {{L"Text", std::wstring()}, {L"TiengViet", false}, {L"ForeColor", colour(0x808080)}}),
        later(picture(L"Image4", 160, 444, 16, 16, nullptr, false)),
        picture(L"Image5", 606, 444, 16, 16, loadPicture(Picture::Minimise)),
        // The notification-area icon; at run time only its icon in the notification area shows.
        later(entry(L"SysTrayIcon", L"SysTrayIcon1", 580, 444, 16, 16,
                    {{L"Icon", core::Variant(loadPicture(Picture::Window))}})),

        // The pictures of the six directions, whose pictures the chooser's items show.
        later(picture(L"et", 0, 0, 50, 12, directionPictures_[0], false)),
        later(picture(L"er", 0, 0, 50, 12, directionPictures_[1], false)),
        later(picture(L"re", 0, 0, 50, 12, directionPictures_[2], false)),
        later(picture(L"rt", 0, 0, 50, 12, directionPictures_[3], false)),
        later(picture(L"te", 0, 0, 50, 12, directionPictures_[4], false)),
        later(picture(L"tr", 0, 0, 50, 12, directionPictures_[5], false)),
    };
    // The state the forms share, made when first asked for or after the first paint.
    int left = 0;
    for (const wchar_t* name : {L"dddd", L"esdi", L"gond", L"ya", L"ga", L"flo"})
        l.push_back(later(stateLabel(name, left += 20)));
    return l;
}

} // namespace app
