#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <utility>

#include "platform/forms/controls/command_button.h"
#include "platform/forms/surface.h"
#include "widgets/label/about_box.h"
#include "widgets/label/label_kdq.h"

using widgets::fAbout;

namespace {

// Runs once the box is up, from inside its modal loop.
std::function<void(fAbout&)> g_whileShown;
int g_ticks = 0;

void CALLBACK onTick(HWND, UINT, UINT_PTR id, DWORD) {
    fAbout* shown = fAbout::current();
    if (++g_ticks > 50) { // never hang the run
        KillTimer(nullptr, id);
        if (shown) shown->Unload();
        return;
    }
    if (!shown || !IsWindowVisible(shown->hWnd())) return;
    if (auto act = std::exchange(g_whileShown, nullptr)) act(*shown);
}

// Shows the box modally the way a widget's About does (or through `show`), acting on it once it is
// shown; true when the box is gone afterwards.
bool showAndDo(std::function<void(fAbout&)> act, std::function<void()> show = fAbout::showModal) {
    g_whileShown = std::move(act);
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, onTick);
    show();
    KillTimer(nullptr, timer);
    return fAbout::current() == nullptr && g_ticks <= 50;
}

HWND okButton(fAbout& box) {
    return box.control<forms::CommandButton>(L"bOK").buttonWindow();
}

TEST(TextAbout, ClosedByEscEnterAndItsButton) {
    bool stayed = false;
    EXPECT_TRUE(showAndDo([&](fAbout& box) {
        SendMessageW(okButton(box), WM_KEYDOWN, 'A', 0); // other keys leave it open
        stayed = fAbout::current() != nullptr;
        PostMessageW(okButton(box), WM_KEYDOWN, VK_ESCAPE, 0);
    }));
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(showAndDo([](fAbout& box) { PostMessageW(okButton(box), WM_KEYDOWN, VK_RETURN, 0); }));
    EXPECT_TRUE(showAndDo([](fAbout& box) {
        HWND b = okButton(box);
        SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }));
}

struct Plain : forms::Form {};

// Shown twice: directly, then through a label's About; each showing paints the ramp afresh.
TEST(TextAbout, RampRowsRunBlackWhiteBlackEachShowing) {
    widgets::Label_KDQ::registerType();
    auto host = std::make_shared<Plain>();
    host->load();
    auto label = forms::placeControl<widgets::Label_KDQ>(*host, L"l", 0, 0, 600, 300);
    for (int showing = 0; showing < 2; ++showing) {
        std::vector<std::uint32_t> rows;
        std::uint32_t top = 1, middle = 0, bottom = 1, size = 0;
        bool secondReturned = false;
        auto look = [&](fAbout& box) {
            rows = box.rows();
            forms::Surface& s = box.surface();
            size = std::uint32_t(s.heightPixels());
            GdiFlush();
            top = s.pixel(100, 0);
            middle = s.pixel(100, 55);
            bottom = s.pixel(100, 110);
            // A second request while shown does not stack another modal box.
            fAbout::showModal();
            secondReturned = true;
            box.Unload();
        };
        if (showing == 0)
            EXPECT_TRUE(showAndDo(look));
        else
            EXPECT_TRUE(showAndDo(look, [&] { label->About(); }));
        EXPECT_TRUE(secondReturned);
        ASSERT_EQ(rows.size(), 111u);
        EXPECT_EQ(size, 111u);
        EXPECT_EQ(rows[0], 0u);
        EXPECT_EQ(rows[55], 0xFFFFFFu);
        EXPECT_EQ(rows[110], 0u);
        EXPECT_LT(rows[20] & 0xFF, rows[40] & 0xFF);
        EXPECT_GT(rows[70] & 0xFF, rows[90] & 0xFF);
        EXPECT_EQ(top, 0u);
        EXPECT_EQ(middle, 0xFFFFFFu);
        EXPECT_EQ(bottom, 0u);
    }
    label->unload();
    host->Unload();
}

// The box unloaded while it is still loading (its load lets waiting messages run) is not shown.
void CALLBACK unloadAtOnce(HWND, UINT, UINT_PTR id, DWORD) {
    if (fAbout* box = fAbout::current()) {
        KillTimer(nullptr, id);
        box->Unload();
    }
}

TEST(TextAbout, UnloadedWhileLoading) {
    SetTimer(nullptr, 0, 1, unloadAtOnce);
    Sleep(20);
    fAbout::showModal();
    EXPECT_EQ(fAbout::current(), nullptr);
}

} // namespace
