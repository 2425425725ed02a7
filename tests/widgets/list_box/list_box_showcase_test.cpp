// A form as a person sees it: a few hundred mixed-script rows with gradients, icons, a selection and
// a flat scroll bar, checked on the screen. With VEXA_SHOWCASE_MS set, the form stays up that long
// so that a screenshot can be taken.
#include "list_box_test_support.h"

#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/core/variant.h"

#include <cstdlib>

namespace {

using namespace listtest;

class ShowcaseForm : public forms::Form {
public:
    ShowcaseForm() {
        setName(L"ShowcaseForm");
        setCaption(L"McListBox");
        setClientSize(9000, 6000);
    }
};

const wchar_t* const Words[] = {
    L"world",  L"мир",    L"dünya",  L"water",    L"вода",   L"su",     L"light", L"свет",    L"ışık",
    L"tree",   L"дерево", L"ağaç",   L"book",     L"книга",  L"kitap",  L"eye",   L"глаз",    L"göz",
    L"bridge", L"мост",   L"köprü",  L"morning",  L"утро",   L"sabah",  L"şəhər", L"город",   L"city",
    L"çiçək",  L"цветок", L"flower", L"İstanbul", L"Москва", L"London", L"ümid",  L"надежда", L"hope"};

uint32_t screenPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

TEST(ListBoxShowcase, MixedScriptRowsWithGradientsIconsAndAFlatBar) {
    auto form = std::make_shared<ShowcaseForm>();
    form->Show();

    auto images = std::make_shared<widgets::PictureList>();
    for (auto id : {IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION})
        images->add(forms::StdPicture::copyOfIcon(LoadIconW(nullptr, id)));

    auto fancy = forms::placeControl<widgets::McListBox>(*form, L"fancy", 150, 150, 4200, 5700);
    fancy->setFont(forms::StdFont::create(L"Tahoma", 10));
    fancy->setRowHeight(26);
    fancy->setImageList(images);
    fancy->setShowIcon(true);
    fancy->setStrechIcon(true);
    fancy->setBackGradient(3);
    fancy->setBackGradientCol(0xF5E6D8);
    fancy->setSelGradient(1);
    fancy->setSelColor(0xD77800);
    fancy->setSelGradientCol(0xFFF0E0);
    fancy->setSelForeColor(0x000000);
    fancy->setGridLines(true);
    fancy->setGridColor(0xEEDDCC);
    fancy->setMultiSelect(true);
    fancy->setFlatScrollBar(true);
    for (int i = 0; i < 300; ++i) {
        const std::wstring word = Words[i % 36];
        const std::wstring text =
            i < 36 ? word : word + L" " + Words[(i * 7) % 36] + L" " + std::to_wstring(i);
        fancy->AddItem(text, -1, i % 5 == 4 ? -1 : (i % 4) + 1, i % 6 == 0);
    }
    fancy->setSortOrder(-1);
    fancy->Refresh();
    // Rows 2 to 4 selected with Shift and the arrow keys.
    fancy->setListIndex(1);
    widgets::McListBox::setKeyStateSource(&fakeKeyState);
    SendMessageW(fancy->hWnd(), WM_KEYDOWN, VK_DOWN, 1); // the anchor
    keys[VK_SHIFT] = -128;
    for (int i = 0; i < 2; ++i) SendMessageW(fancy->hWnd(), WM_KEYDOWN, VK_DOWN, 1);
    keys[VK_SHIFT] = 0;
    widgets::McListBox::setKeyStateSource(nullptr);
    EXPECT_EQ(fancy->SelCount(), 3);

    // The main window's headword list, as stored with its form.
    auto font = forms::StdFont::create(L"Times New Roman", 12);
    font->setCharset(162);
    forms::PropertyBag bag{{L"Font", core::Variant(font)}, {L"SortOrder", -1L},
                           {L"FocusRectangle", false},     {L"AutoHideScrollBars", true},
                           {L"SelForeColor", 0L},          {L"BorderStyle", int16_t{0}}};
    auto plain = forms::makeControl<widgets::McListBox>();
    plain->place(*form, L"plain", -1, 4500, 150, 4350, 5700);
    plain->readStored(bag);
    for (const wchar_t* w :
         {L"salam", L"dünya", L"привет", L"мир", L"merhaba", L"hello", L"vitamin a", L"şəkər", L"ağaç",
          L"çörək", L"a very long headword with its translation that the row cuts off"})
        plain->AddItem(w);
    plain->Refresh();
    plain->setListIndex(3);
    forms::DoEvents();

    // On the screen: the flat bar is there, the selected row shows its gradient, the rows their text.
    EXPECT_TRUE(GetWindowLongPtrW(fancy->hWnd(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(fancy->scrollBars().UseStandardBars);
    EXPECT_FALSE(GetWindowLongPtrW(plain->hWnd(), GWL_STYLE) & WS_VSCROLL); // hidden: everything fits
    RedrawWindow(form->hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int selectedRow = 3 * 26 + 13; // item 3 is selected, the list is at the top
    const uint32_t right = screenPixel(fancy->hWnd(), fancy->surface().ScaleWidth() - 3, selectedRow);
    EXPECT_NEAR(static_cast<int>(right >> 16), 0xD7, 6);
    EXPECT_EQ(plain->list(0).substr(0, 6), L"a very");
    EXPECT_EQ(plain->Text(), L"dünya");

    // The cut row of the right list shows its pop-up (the pointer itself is left to other tests).
    long cut = 0;
    for (long i = 0; i < plain->ListCount(); ++i)
        if (plain->list(i).size() > 30) cut = i;
    const int pitch = static_cast<int>(plain->surface().ScaleHeight() / plain->visibleRowCount());
    SendMessageW(plain->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(40, cut * pitch + pitch / 2));
    EXPECT_TRUE(plain->completePopup()->Visible());

    if (const char* wait = std::getenv("VEXA_SHOWCASE_MS")) {
        const int ms = std::atoi(wait);
        for (int waited = 0; waited < ms; waited += 20) {
            forms::DoEvents();
            Sleep(20);
        }
    }
    fancy.reset();
    plain.reset();
    form->Unload();
}

} // namespace
