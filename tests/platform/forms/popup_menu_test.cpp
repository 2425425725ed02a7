#include "forms_test_support.h"

#include "platform/forms/popup_menu.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using namespace formstest;
using namespace forms;

struct PopupSeam {
    std::vector<PopupMenuCall> calls;
    int choose = 0;
    PopupMenuShow old;
    PopupSeam() {
        old = setPopupMenuShow([this](const PopupMenuCall& call) {
            calls.push_back(call);
            return choose;
        });
    }
    ~PopupSeam() { setPopupMenuShow(old); }
};

TEST(FormsPopupMenu, AtAControlsPointWithFlagsDefaultItemAndTheCaptureGivenUp) {
    auto form = std::make_shared<PlainForm>();
    form->load();
    auto c = placeControl<Recorder>(*form, L"c", 300, 450, 1500, 600);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 41, L"one");
    int clicked = 0;
    form->MenuClick.handle([&](int id) { clicked = id; });
    PopupSeam seam;
    seam.choose = 41;
    SetCapture(c->hWnd());
    form->PopupMenu(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, *c, 0, 40, 41u);
    ASSERT_EQ(seam.calls.size(), 1u);
    POINT expected{0, 40};
    ClientToScreen(c->hWnd(), &expected);
    EXPECT_EQ(seam.calls[0].screen.x, expected.x);
    EXPECT_EQ(seam.calls[0].screen.y, expected.y);
    EXPECT_EQ(seam.calls[0].flags, static_cast<UINT>(TPM_RIGHTALIGN | TPM_BOTTOMALIGN));
    EXPECT_EQ(seam.calls[0].owner, form->hWnd());
    EXPECT_EQ(seam.calls[0].defaultItem, std::optional<UINT>(41u));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(clicked, 41);
    c.reset();
    DestroyMenu(menu);
    form->Unload();
}

TEST(FormsPopupMenu, AFormOwnsItsMenuBarItsSubmenusAndWhatItRegistered) {
    auto form = std::make_shared<PlainForm>();
    form->load();
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU deeper = CreatePopupMenu();
    AppendMenuW(deeper, MF_STRING, 1, L"x");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(deeper), L"more");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"file");
    form->setMenu(bar);
    HMENU own = CreatePopupMenu();
    HMENU stranger = CreatePopupMenu();
    EXPECT_TRUE(form->ownsMenu(bar));
    EXPECT_TRUE(form->ownsMenu(file));
    EXPECT_TRUE(form->ownsMenu(deeper));
    EXPECT_FALSE(form->ownsMenu(own));
    form->registerMenu(own);
    EXPECT_TRUE(form->ownsMenu(own));
    EXPECT_FALSE(form->ownsMenu(stranger));
    EXPECT_FALSE(form->ownsMenu(nullptr));
    DestroyMenu(stranger);
    DestroyMenu(own);
    form->Unload();
}

} // namespace
