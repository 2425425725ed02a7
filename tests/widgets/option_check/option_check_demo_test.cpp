// A form of option and check boxes in several looks, shown and saved for a person to look at.
#include "option_check_test_support.h"

#include "platform/core/variant.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include "support/screenshot.h"

namespace {

using namespace optiontest;

forms::PropertyBag bagOf(std::initializer_list<forms::PropertyBag::Entry> entries) {
    return forms::PropertyBag(entries);
}

// A small picture drawn at run time: a filled square with a frame, ticked or not.
std::shared_ptr<forms::StdPicture> markPicture(COLORREF fill, bool ticked) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 14, 14);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT r{0, 0, 14, 14};
    FillRect(mem, &r, brush);
    DeleteObject(brush);
    FrameRect(mem, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (ticked) {
        HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
        HGDIOBJ oldPen = SelectObject(mem, pen);
        MoveToEx(mem, 3, 7, nullptr);
        LineTo(mem, 6, 10);
        LineTo(mem, 11, 3);
        SelectObject(mem, oldPen);
        DeleteObject(pen);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return forms::StdPicture::fromBitmap(bmp);
}

class DemoForm : public HostForm {
public:
    DemoForm() : HostForm(table()) {
        setClientSize(520 * 15, 300 * 15);
        setFont(forms::StdFont::create(L"Tahoma", 9));
        setBackColor(0x00E8E0D8);
    }

    static forms::Layout table() {
        const core::Variant curve = core::Variant(int16_t(12));
        return {
            optionEntry(L"avto", 0, 10, 10, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Avtomatik axtarış            ")},
                               {L"Value", core::Variant(int16_t(1))}})),
            optionEntry(L"angle0", 0, 10, 40, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Angle 0, no middle-out")},
                               {L"BackAngle", core::Variant(0.0f)},
                               {L"BackMiddleOut", core::Variant(false)},
                               {L"BackColor1", core::Variant::colour(0x00804000)},
                               {L"BackColor2", core::Variant::colour(0x00FFE0C0)},
                               {L"CheckBoxColor1", core::Variant::colour(0x00FFFFFF)},
                               {L"CheckBoxColor2", core::Variant::colour(0x00C0C0C0)},
                               {L"CheckColor", core::Variant::colour(0x00000080)},
                               {L"Value", core::Variant(int16_t(1))}})),
            optionEntry(L"angle45", 0, 10, 70, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Angle 45, right aligned")},
                               {L"BackAngle", core::Variant(45.0f)},
                               {L"BackColor1", core::Variant::colour(0x00206020)},
                               {L"BackColor2", core::Variant::colour(0x00C0FFC0)},
                               {L"CheckBoxAlignment", core::Variant(1)}})),
            optionEntry(L"curved", 0, 10, 100, 240, 26, L"",
                        bagOf({{L"Caption", core::Variant(L"Curved border, width 2")},
                               {L"BorderCurvature", curve},
                               {L"BorderWidth", core::Variant(2)},
                               {L"BorderColor", core::Variant::colour(0x000000C0)},
                               {L"CheckBorderColor", core::Variant::colour(0x000000C0)},
                               {L"Value", core::Variant(int16_t(1))}})),
            optionEntry(L"focus", 0, 10, 134, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Focus rectangle")},
                               {L"FocusRectColor", core::Variant::colour(0x000000FF)}})),
            optionEntry(L"pictures", 0, 10, 164, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Pictures for the check")},
                               {L"PicForCheck", core::Variant(true)},
                               {L"Value", core::Variant(int16_t(1))}})),
            optionEntry(L"pictures2", 0, 10, 194, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Pictures, right")},
                               {L"PicForCheck", core::Variant(true)},
                               {L"CheckBoxAlignment", core::Variant(1)}})),
            optionEntry(
                L"disabled", 0, 10, 224, 240, 22, L"",
                bagOf({{L"Caption", core::Variant(L"Disabled")}, {L"Enabled", core::Variant(false)}})),
            optionEntry(L"clear", 0, 10, 258, 240, 26, L"",
                        bagOf({{L"Caption", core::Variant(L"Transparent over a pattern")},
                               {L"Transparent", core::Variant(true)},
                               {L"CaptionColor", core::Variant::colour(0x00000000)},
                               {L"BorderColor", core::Variant::colour(0x00800000)},
                               {L"Value", core::Variant(int16_t(1))}})),
            optionEntry(L"az", 1, 270, 10, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Azərbaycan dili")},
                               {L"Value", core::Variant(int16_t(-1))}})),
            optionEntry(L"tr", 1, 270, 36, 240, 22, L"", bagOf({{L"Caption", core::Variant(L"Türkçe")}})),
            optionEntry(L"ru", 1, 270, 62, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Русский язык")},
                               {L"BackMiddleOut", core::Variant(false)},
                               {L"BackColor1", core::Variant::colour(0x00C0E0FF)},
                               {L"BackColor2", core::Variant::colour(0x000060C0)}})),
            optionEntry(L"en", 1, 270, 88, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"English, right aligned")},
                               {L"CheckBoxAlignment", core::Variant(1)}})),
            optionEntry(L"ru2", 0, 270, 124, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Автоматический поиск")},
                               {L"BackAngle", core::Variant(180.0f)},
                               {L"BackColor1", core::Variant::colour(0x00600060)},
                               {L"BackColor2", core::Variant::colour(0x00FFC0FF)},
                               {L"Value", core::Variant(int16_t(1))}})),
            optionEntry(L"optdis", 1, 270, 154, 240, 22, L"",
                        bagOf({{L"Caption", core::Variant(L"Option, disabled")},
                               {L"Enabled", core::Variant(false)}})),
            optionEntry(L"clear2", 1, 270, 188, 240, 26, L"",
                        bagOf({{L"Caption", core::Variant(L"Transparent option")},
                               {L"Transparent", core::Variant(true)},
                               {L"BorderCurvature", curve},
                               {L"Value", core::Variant(int16_t(-1))}})),
        };
    }

    // Diagonal stripes on the form's own image, for the see-through controls to show.
    void drawPattern() {
        forms::Surface& s = surface();
        const float t = 15; // the form draws in twips
        for (int x = -300; x < 520; x += 8) s.Line(x * t, 0, (x + 300) * t, 300 * t, 0x00B08040);
        for (int x = 0; x < 820; x += 12) s.Line(x * t, 0, (x - 300) * t, 300 * t, 0x004080B0);
    }
};

TEST(OptionCheckDemo, ShowsCheckBoxesAndOptionsInSeveralLooks) {
    MorphOptionCheck::registerType();
    auto form = std::make_shared<DemoForm>();
    form->load();
    for (const wchar_t* name : {L"pictures", L"pictures2"}) {
        auto& c = form->control<MorphOptionCheck>(name);
        c.setPicChecked(markPicture(RGB(0, 128, 0), true));
        c.setPicUnchecked(markPicture(RGB(200, 200, 200), false));
    }
    form->Move(30 * 15, 30 * 15, form->Width(), form->Height());
    form->Show();
    form->drawPattern();
    for (const wchar_t* name : {L"clear", L"clear2"})
        form->control<MorphOptionCheck>(name).setTransparent(true);
    auto& focus = form->control<MorphOptionCheck>(L"focus");
    focus.SetFocus();
    const DWORD end = GetTickCount() + 400;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    EXPECT_TRUE(focus.state().focus);
    const testsupport::Shot shot = testsupport::captureWindow(form->hWnd(), true);
    EXPECT_TRUE(testsupport::saveShot(shot, L"option_check_demo"));
    // The ticked box at the top left shows its yellow tick.
    auto& avto = form->control<MorphOptionCheck>(L"avto");
    const int x = 10 + avto.state().checkAreaX + 1 + 9, y = 10 + 22 / 2 - 7 + 3;
    EXPECT_EQ(shot.at(x, y), COLORREF(0x0000FFFF)) << x << "," << y;
    form->Unload();
}

} // namespace
