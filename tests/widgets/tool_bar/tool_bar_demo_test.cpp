// The tool bar as a person sees it: the main window's bar with its icons and captions, one button hot
// and its tooltip open (build/screenshots/tool-bar-application.bmp), and a bar narrower than its
// buttons with the chevron drop-down open (build/screenshots/tool-bar-drop-down.bmp).
#include "tool_bar_test_support.h"
#include "support/screenshot.h"

#include "platform/core/variant.h"
#include "platform/forms/std_picture.h"

#include <string>

namespace {

using namespace toolbartest;

// The program's icons as the build makes them (build/icons beside build/bin).
std::shared_ptr<forms::StdPicture> builtIcon(const std::wstring& name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.find_last_of(L"\\/"));
    file = file.substr(0, file.find_last_of(L"\\/")) + L"\\icons\\" + name + L".ico";
    HANDLE icon = LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE);
    return icon ? forms::StdPicture::fromIcon(static_cast<HICON>(icon)) : nullptr;
}

void pump(int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        forms::DoEvents();
        Sleep(10);
    }
}

class ToolBarDemo : public ToolBarTest {};

TEST_F(ToolBarDemo, TheApplicationsBarWithAHotButtonAndItsTip) {
    useRealPointer();
    auto bag = applicationBag();
    const wchar_t* const icons[] = {L"language", L"speech", L"about", L"tray", L"exit"};
    for (int i = 0; i < 5; ++i) {
        auto icon = builtIcon(icons[i]);
        ASSERT_TRUE(icon) << "build/icons is made by the vexa_icons target";
        EXPECT_EQ(icon->widthPixels(), 32);
        bag.WriteProperty(L"ButtonIcon" + std::to_wstring(i + 1), core::Variant(icon));
    }
    form->setClientSize(644 * 15, 190 * 15);
    bar = load(bag, 624, 10, 90); // room above for the balloon
    const wchar_t* const captions[] = {L"Language", L"Speech", L"About", L"To the tray", L"Exit"};
    for (long i = 1; i <= 5; ++i) bar->SetButtonValue(i, 1, std::wstring(captions[i - 1]));
    bar->SetButtonValue(2, 6, std::wstring(L"English and Russian speech speeds"));
    form->Show();
    SetForegroundWindow(form->hWnd());
    pump(200);

    POINT pointer{126 + 60, 9}; // near the top, so the balloon stands above the bar
    ClientToScreen(bar->picMain()->hWnd(), &pointer);
    SetCursorPos(pointer.x - 3, pointer.y);
    pump(100);
    SetCursorPos(pointer.x, pointer.y);
    HWND tip = nullptr;
    for (int i = 0; i < 300 && !(tip && IsWindowVisible(tip)); ++i) {
        pump(10);
        tip = bar->toolTipWindow();
    }
    EXPECT_EQ(bar->Button_Index(), 2);
    ASSERT_TRUE(tip && IsWindowVisible(tip));
    pump(300);
    EXPECT_TRUE(
        testsupport::saveShot(testsupport::captureWindows({form->hWnd(), tip}), L"tool-bar-application"));
    SetCursorPos(0, 0);
    pump(100);
    form->Hide();
}

TEST_F(ToolBarDemo, ANarrowBarWithItsDropDownOpen) {
    auto bag = applicationBag();
    bag.WriteProperty(L"ShowChevron", true, false);
    bag.WriteProperty(L"ButtonsPerRow_Chev", 2L, 3L);
    const wchar_t* const icons[] = {L"language", L"speech", L"about", L"tray", L"exit"};
    for (int i = 0; i < 5; ++i)
        if (auto icon = builtIcon(icons[i]))
            bag.WriteProperty(L"ButtonIcon" + std::to_wstring(i + 1), core::Variant(icon));
    form->setClientSize(300 * 15, 330 * 15);
    bar = load(bag, 280, 10, 10);
    const wchar_t* const captions[] = {L"Language", L"Speech", L"About", L"To the tray", L"Exit"};
    for (long i = 1; i <= 5; ++i) bar->SetButtonValue(i, 1, std::wstring(captions[i - 1]));
    EXPECT_EQ(bar->chevronButtons(), (std::vector<long>{3, 4, 5}));
    form->Show();
    SetForegroundWindow(form->hWnd());
    pump(200);
    moveOnBar(275, 60);
    clickOn(bar->picMain()->hWnd(), 275, 60);
    moveOnDropDown(60, 40); // button 3 hot in the drop-down
    pump(200);
    HWND drop = bar->picChevron()->hWnd();
    ASSERT_TRUE(IsWindowVisible(drop));
    EXPECT_EQ(bar->Button_Index(), 3);
    EXPECT_TRUE(
        testsupport::saveShot(testsupport::captureWindows({form->hWnd(), drop}), L"tool-bar-drop-down"));
    send(drop, WM_MOUSELEAVE);
    form->Hide();
}

} // namespace
