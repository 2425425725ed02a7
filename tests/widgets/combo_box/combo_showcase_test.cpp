// The direction chooser as the main window fills it, and a long list with every kind of row, open on
// the screen; each is saved under build/screenshots for a person to look at.
#include "combo_test_support.h"
#include "support/screenshot.h"

#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

using namespace combotest;

void pump(int ms) {
    for (int waited = 0; waited <= ms; waited += 10) {
        forms::DoEvents();
        Sleep(10);
    }
}

// Flags in 25 x 12 pixels, colours 0x00BBGGRR.
uint32_t english(int x, int y) {
    const int cx = 12, cy = 6;
    if (std::abs(y - cy) <= 0 || std::abs(x - cx) <= 0) return 0x2B14CF;
    if (std::abs(y - cy) <= 2 || std::abs(x - cx) <= 2) return 0xFFFFFF;
    const double d1 = std::abs(y - x * 12.0 / 25.0), d2 = std::abs(y - (24 - x) * 12.0 / 25.0);
    if (d1 < 0.7 || d2 < 0.7) return 0x2B14CF;
    if (d1 < 1.6 || d2 < 1.6) return 0xFFFFFF;
    return 0x7D2400;
}
uint32_t russian(int, int y) {
    return y < 4 ? 0xFFFFFF : y < 8 ? 0xA63900 : 0x1E2BD5;
}
uint32_t turkish(int x, int y) {
    const auto inCircle = [&](double cx, double cy, double r) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    };
    if (inCircle(9, 5.5, 4.2) && !inCircle(10.3, 5.5, 3.4)) return 0xFFFFFF;
    if (inCircle(15.5, 5.5, 1.6)) return 0xFFFFFF;
    return 0x170AE3;
}

using Flag = uint32_t (*)(int, int);

std::shared_ptr<forms::StdPicture> directionPicture(Flag from, Flag to) {
    return bitmapPicture(50, 12, [&](int x, int y) { return x < 25 ? from(x, y) : to(x - 25, y); });
}

class ShowcaseForm : public forms::Form {
public:
    explicit ShowcaseForm(const wchar_t* caption) {
        setName(L"ShowcaseForm");
        setCaption(caption);
        setClientSize(4200, 3300);
    }
};

uint32_t screenPixel(HWND w, int x, int y) {
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
}

int keyPixels(const forms::Surface& s) {
    int n = 0;
    for (int y = 0; y < s.heightPixels(); ++y)
        for (int x = 0; x < s.widthPixels(); ++x) n += s.pixel(x, y) == 0x0000F0u;
    return n;
}

TEST(ComboShowcase, TheDirectionChooserOpenWithAHotRow) {
    auto form = std::make_shared<ShowcaseForm>(L"Vexa R7 Edition");
    form->Show();
    forms::PropertyBag layout{
        {L"AppearanceCombo", 4L}, {L"Style", 1L}, {L"Text", std::wstring(L"            En - Tr")}};
    auto co = forms::makeControl<widgets::SComboBox>();
    co->place(*form, L"co", -1, 300, 300, 2400, 300);
    co->readStored(layout);
    const Flag flags[3] = {english, russian, turkish};
    const int pairs[6][2] = {{0, 2}, {0, 1}, {1, 0}, {1, 2}, {2, 0}, {2, 1}};
    const wchar_t* names[6] = {L"En - Tr", L"En - Ru", L"Ru - En", L"Ru - Tr", L"Tr - En", L"Tr - Ru"};
    for (int i = 0; i < 6; ++i)
        co->AddItem(std::wstring(12, L' ') + names[i], 0xC56A31,
                    directionPicture(flags[pairs[i][0]], flags[pairs[i][1]]), true, L"", i + 1);
    co->list(1);
    pump(50);
    EXPECT_EQ(co->surface().pixel(5 + 12, 3 + 6), 0x2B14CFu); // the English cross, in the closed combo
    EXPECT_EQ(keyPixels(co->surface()), 0);

    SendMessageW(co->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(co->surface().widthPixels() - 9, 10));
    SendMessageW(co->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(co->surface().widthPixels() - 9, 10));
    ASSERT_TRUE(co->listVisible());
    HWND list = co->listWindow()->hWnd();
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(40, 2 * 20 + 10));
    pump(100);
    EXPECT_EQ(co->state().hot, 2);
    EXPECT_EQ(keyPixels(co->listWindow()->surface()), 0);
    EXPECT_EQ(screenPixel(list, 140, 2 * 20 + 10), 0xC56A31u); // the hot row
    EXPECT_TRUE(
        testsupport::saveShot(testsupport::captureWindows({form->hWnd(), list}), L"combo-directions"));
    co.reset();
    form->Unload();
}

TEST(ComboShowcase, ALongListWithEveryKindOfRow) {
    auto form = std::make_shared<ShowcaseForm>(L"SComboBox");
    form->Show();
    auto c = forms::placeControl<widgets::SComboBox>(*form, L"long", 300, 300, 3300, 315);
    c->setAppearanceCombo(2);
    c->setListGradient(true);
    c->setFont(forms::StdFont::create(L"Tahoma", 8));
    const wchar_t* words[] = {L"world / мир / dünya",  L"water / вода / su",    L"light / свет / ışık",
                              L"tree / дерево / ağaç", L"book / книга / kitap", L"eye / глаз / göz"};
    const Flag flags[3] = {english, russian, turkish};
    for (int i = 0; i < 24; ++i) {
        const bool disabled = i % 5 == 3, separator = i % 4 == 1, shadow = i % 6 == 4;
        auto picture = i % 3 == 0 ? nullptr : directionPicture(flags[i % 3], flags[(i + 1) % 3]);
        // As on the main window, blanks make room for the picture.
        const std::wstring text =
            std::wstring(picture ? 12 : 0, L' ') + std::to_wstring(i + 1) + L". " + words[i % 6];
        c->AddItem(text, i % 2 ? 0x7F3F00 : 0x1F5FBF, picture, !disabled, L"row " + std::to_wstring(i + 1),
                   -1, L"", nullptr, separator, shadow);
    }
    c->setListIndex(4);
    pump(50);
    SendMessageW(c->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c->surface().widthPixels() - 9, 10));
    SendMessageW(c->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(c->surface().widthPixels() - 9, 10));
    ASSERT_TRUE(c->listVisible());
    EXPECT_TRUE(c->listScrollBar()->Visible());
    HWND list = c->listWindow()->hWnd();
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(60, 1 * 20 + 10));
    pump(100);
    EXPECT_GE(c->state().hot, 0);
    EXPECT_EQ(keyPixels(c->listWindow()->surface()), 0);
    EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindows({form->hWnd(), list}), L"combo-long-list"));
    c.reset();
    form->Unload();
}

} // namespace
