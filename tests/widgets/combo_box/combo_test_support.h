#pragma once

#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/combo_box/s_combo_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <windows.h>

namespace combotest {

class ComboForm : public forms::Form {
public:
    ComboForm() {
        setName(L"ComboForm");
        setCaption(L"combo");
        setClientSize(6000, 4500);
    }
};

// A loaded form (not shown unless a test shows it) with one combo box 2100 x 300 twips.
class ComboTest : public ::testing::Test {
protected:
    static inline std::shared_ptr<ComboForm> form;
    std::shared_ptr<widgets::SComboBox> combo;
    std::wstring events;

    static void SetUpTestSuite() {
        form = std::make_shared<ComboForm>();
        form->load();
    }
    static void TearDownTestSuite() {
        form->Unload();
        form.reset();
    }
    void SetUp() override { combo = place(); }
    void TearDown() override { combo.reset(); }

    std::shared_ptr<widgets::SComboBox> place(int width = 2100, int height = 300) {
        auto c = forms::placeControl<widgets::SComboBox>(*form, L"co", 300, 300, width, height);
        c->SelectionMade.handle([this](std::wstring text, long index) {
            events += L"SelectionMade(" + text + L"," + std::to_wstring(index) + L") ";
        });
        c->TotalItems.handle(
            [this](long count) { events += L"TotalItems(" + std::to_wstring(count) + L") "; });
        return c;
    }
    // The main window's six directions.
    void fillDirections(widgets::SComboBox& c) {
        for (const wchar_t* d : {L"En - Tr", L"En - Ru", L"Ru - En", L"Ru - Tr", L"Tr - En", L"Tr - Ru"})
            c.AddItem(std::wstring(12, L' ') + d, 0xC56A31, nullptr, true, L"", c.items().count() + 1);
    }
    uint32_t pixel(int x, int y) {
        GdiFlush();
        return combo->surface().pixel(x, y);
    }
};

// A w x h bitmap picture whose pixel (x, y) is colourAt(x, y) (0x00BBGGRR).
template <class F>
std::shared_ptr<forms::StdPicture> bitmapPicture(int w, int h, F colourAt) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, colourAt(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return forms::StdPicture::fromBitmap(bitmap);
}

inline bool closeTo(uint32_t a, uint32_t b, int tolerance = 2) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance)
            return false;
    return true;
}

} // namespace combotest
