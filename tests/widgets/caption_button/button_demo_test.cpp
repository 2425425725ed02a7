// A form showing the captioned button in each look, without and with a picture; it saves what the
// screen shows as button_demo.bmp for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "support/screenshot.h"
#include "widgets/caption_button/button_kdq.h"

using widgets::Button_KDQ;

namespace {

constexpr int T = 15;
const wchar_t* const kLooks[] = {L"Bi2nh thu7o72ng", L"Tie65u d9ie63m", L"No1ng", L"Nha61n", L"Vo6 hie65u"};

// A round picture on white, white being its key colour.
std::shared_ptr<forms::StdPicture> roundPicture() {
    forms::Surface s(32, 32);
    s.setBackColor(0xFFFFFF);
    s.setFillStyle(0);
    s.setFillColor(0x2080F0);
    s.setDrawWidth(2);
    s.Circle(15.5f, 15.5f, 13, 0x804000);
    s.setFillColor(0xFFFFFF);
    s.Circle(15.5f, 15.5f, 5, 0x804000);
    return s.Image();
}

class DemoForm : public forms::Form {
public:
    DemoForm() {
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(560 * T, 200 * T);
        setBackColor(0xF4ECE4);
        setFont(forms::StdFont::create(L"Tahoma", 9));
    }

protected:
    forms::Layout layout() const override {
        forms::Layout table;
        auto picture = roundPicture();
        auto icon = forms::StdPicture::copyOfIcon(LoadIconW(nullptr, IDI_INFORMATION));
        for (int row = 0; row < 3; ++row) {
            for (int i = 0; i < 5; ++i) {
                forms::LayoutEntry e;
                e.type = L"Button_KDQ";
                e.name = L"b" + std::to_wstring(row) + std::to_wstring(i);
                e.left = (10 + i * 110) * T;
                e.top = (10 + row * 62) * T;
                e.width = 100 * T;
                e.height = (row == 0 ? 34 : 54) * T;
                e.tabIndex = row * 5 + i;
                e.properties = {{L"Caption", kLooks[i]},
                                {L"Font", forms::StdFont::create(L"Tahoma", 9, true)},
                                {L"Forecolor", core::Variant::colour(0x602000)},
                                {L"ShadowColor", core::Variant::colour(0xFFFFFF)}};
                if (i == 4) e.properties.WriteProperty(L"Enabled", false, true);
                if (row == 1) {
                    e.properties.WriteProperty(L"Picture", picture);
                    e.properties.WriteProperty(L"AlignmentText", 1);
                }
                if (row == 2) {
                    e.properties.WriteProperty(L"Picture", icon);
                    e.properties.WriteProperty(L"AlignmentPicture", 3);
                    e.properties.WriteProperty(L"PictureSize", 0);
                    e.properties.WriteProperty(L"Caption", std::wstring(L"&") + kLooks[i]);
                }
                table.push_back(e);
            }
        }
        return table;
    }
};

void pump(int ms) {
    const DWORD end = GetTickCount() + DWORD(ms);
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

TEST(ButtonDemo, EveryLookWithAndWithoutAPicture) {
    Button_KDQ::registerType();
    auto form = std::make_shared<DemoForm>();
    form->load();
    form->Move(40 * T, 40 * T, 560 * T, 200 * T);
    form->Show();
    pump(400);
    for (int row = 0; row < 3; ++row) {
        auto name = [row](int i) { return L"b" + std::to_wstring(row) + std::to_wstring(i); };
        // Focused (the look only: one window holds the focus), hot under the pointer, pressed by Space.
        SendMessageW(form->control<Button_KDQ>(name(1)).hWnd(), WM_SETFOCUS, 0, 0);
        HWND hot = form->control<Button_KDQ>(name(2)).hWnd();
        POINT p{50, 20};
        ClientToScreen(hot, &p);
        SetCursorPos(p.x, p.y);
        SendMessageW(hot, WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
        SendMessageW(form->control<Button_KDQ>(name(3)).hWnd(), WM_KEYDOWN, VK_SPACE, 1);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(form->control<Button_KDQ>(name(i)).faceLook(), i) << row;
    }
    // Painted without taking input from the queue, which would move the pointer's states on.
    RedrawWindow(form->hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    testsupport::Shot shot = testsupport::captureWindow(form->hWnd(), true);
    // The screen's pixels carry no alpha; stored as they are, an image viewer shows them see-through.
    for (auto& px : shot.px) px |= 0xFF000000u;
    EXPECT_TRUE(testsupport::saveShot(shot, L"button_demo"));
    EXPECT_EQ(shot.at(10 + 220 + 10, 10 + 1), RGB(245, 232, 169)) << "the hot face's row 1";
    form->Unload();
}

} // namespace
