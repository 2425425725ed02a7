#pragma once

#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/surface.h"
#include "widgets/combo/s_combo_box.h"

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

} // namespace combotest
