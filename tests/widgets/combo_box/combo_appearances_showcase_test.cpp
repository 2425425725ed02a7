// Every look of the closed combo in its normal, hot, pressed and disabled states on one form, saved
// under build/screenshots/combo-appearances for a person to look at.
#include "combo_paint_support.h"
#include "combo_test_support.h"
#include "support/screenshot.h"

#include "platform/forms/std_font.h"

#include <vector>

namespace {

using namespace combotest;

class GridForm : public forms::Form {
public:
    GridForm() {
        setName(L"GridForm");
        setCaption(L"SComboBox appearances");
        setClientSize(14700, 7200);
    }
};

struct Look {
    std::wstring label;
    long appearance;
    long office = 0;
    long xp = 1;
    bool themed = true;
};

// A 17 x 18 button picture: a triangle on the key colour.
std::shared_ptr<forms::StdPicture> buttonPicture(uint32_t colour) {
    return bitmapPicture(17, 18, [colour](int x, int y) {
        const int dy = y - 6;
        return dy >= 0 && dy <= 5 && x >= 3 + dy && x <= 13 - dy ? colour : widgets::PictureKeyColor;
    });
}

TEST(ComboAppearancesShowcase, EveryLookInEveryState) {
    SetCursorPos(1020, 760);
    std::vector<Look> looks = {{L"1 Office 0", 1, 0},
                               {L"1 Office 1", 1, 1},
                               {L"1 Office 2", 1, 2},
                               {L"2", 2},
                               {L"3 Xp 0 theme", 3, 0, 0, true},
                               {L"3 Xp 0 plain", 3, 0, 0, false}};
    for (long xp = 1; xp <= 7; ++xp) looks.push_back({L"3 Xp " + std::to_wstring(xp), 3, 0, xp});
    for (long a = 4; a <= 21; ++a) looks.push_back({std::to_wstring(a), a});

    NoTheme noTheme;
    auto form = std::make_shared<GridForm>();
    form->setFont(forms::StdFont::create(L"Tahoma", 8));
    form->Show();
    std::vector<std::shared_ptr<widgets::SComboBox>> combos;
    const int rowsPerColumn = 16, cellWidth = 1350, rowHeight = 420, labelWidth = 1200, left = 150, top = 450;
    forms::Surface& s = form->surface();
    const wchar_t* states[] = {L"normal", L"hot", L"pressed", L"disabled"};
    for (int column = 0; column < 2; ++column)
        for (int st = 0; st < 4; ++st) {
            s.setCurrentX(static_cast<float>(left + column * 7350 + labelWidth + st * (cellWidth + 90)));
            s.setCurrentY(120);
            s.Print(states[st]);
        }
    for (size_t i = 0; i < looks.size(); ++i) {
        const Look& look = looks[i];
        const int column = static_cast<int>(i) / rowsPerColumn, row = static_cast<int>(i) % rowsPerColumn;
        const int x = left + column * 7350, y = top + row * rowHeight;
        s.setCurrentX(static_cast<float>(x));
        s.setCurrentY(static_cast<float>(y + 45));
        s.Print(look.label);
        for (int st = 0; st < 4; ++st) {
            auto c = forms::placeControl<widgets::SComboBox>(*form, L"c" + std::to_wstring(i * 4 + st),
                                                             x + labelWidth + st * (cellWidth + 90), y,
                                                             cellWidth, 300);
            if (!look.themed) c->useThemeProvider(&noTheme);
            c->setFont(forms::StdFont::create(L"Tahoma", 8));
            c->setAppearanceCombo(look.appearance);
            c->setOfficeAppearance(look.office);
            c->setXpAppearance(look.xp);
            if (look.appearance == 9) {
                c->setNormalPictureUser(buttonPicture(0xC56A31));
                c->setHighLightPictureUser(buttonPicture(0x2B9CE8));
                c->setFocusPictureUser(buttonPicture(0x3C8C2B));
                c->setDisabledPictureUser(buttonPicture(0xB0B0B0));
            }
            c->setText(L"Vexa");
            c->setVisible(true);
            if (st == 3)
                c->setEnabled(false);
            else
                c->DrawCombo(st + 1);
            combos.push_back(c);
        }
    }
    for (int i = 0; i < 20; ++i) {
        forms::DoEvents();
        Sleep(10);
    }
    EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindows({form->hWnd()}), L"combo-appearances"));
    combos.clear();
    form->Unload();
}

} // namespace
