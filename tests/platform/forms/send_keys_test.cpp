#include "forms_test_support.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/send_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace forms;

// Each record as "vk" for a press and "vk^" for a release ("u+XXXX" for a typed character).
std::wstring describe(const std::vector<INPUT>& inputs) {
    std::wstring s;
    for (const INPUT& in : inputs) {
        std::wstring one;
        if (in.ki.dwFlags & KEYEVENTF_UNICODE)
            one = L"u" + std::to_wstring(in.ki.wScan);
        else
            one = std::to_wstring(in.ki.wVk);
        if (in.ki.dwFlags & KEYEVENTF_KEYUP) one += L"^";
        s += (s.empty() ? L"" : L" ") + one;
    }
    return s;
}

TEST(FormsSendKeys, KeysPrefixesGroupsAndRepeatsBecomeInputRecords) {
    const struct {
        const wchar_t* keys;
        const wchar_t* records;
    } cases[] = {
        {L"{TAB}", L"9 9^"},
        {L"+{TAB}", L"16 9 9^ 16^"},
        {L"^a", L"17 65 65^ 17^"},
        {L"%(ab)", L"18 65 65^ 66 66^ 18^"},
        {L"A", L"16 65 65^ 16^"},
        {L"~{ENTER}", L"13 13^ 13 13^"},
        {L"{LEFT 2}", L"37 37^ 37 37^"},
        {L"{F4}", L"115 115^"},
        {L"ə", L"u601 u601^"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(describe(keyInputs(c.keys)), c.records) << c.keys;
    for (const wchar_t* bad : {L"{TAB", L"{NOPE}", L"+", L"(a", L"a)", L"{TAB x}"}) {
        try {
            keyInputs(bad);
            ADD_FAILURE() << "accepted";
        } catch (const core::RuntimeError& e) {
            EXPECT_EQ(e.number(), 5);
        }
    }
}

TEST(FormsSendKeys, ShiftTabTypedReallyMovesTheFocusBack) {
    auto form = std::make_shared<formstest::PlainForm>();
    form->load();
    auto a = placeControl<formstest::Recorder>(*form, L"a", 0, 0, 600, 300);
    auto b = placeControl<formstest::Recorder>(*form, L"b", 0, 400, 600, 300);
    a->setTabIndex(0);
    b->setTabIndex(1);
    form->Show();
    SetForegroundWindow(form->hWnd());
    b->SetFocus();
    DoEvents();
    ASSERT_EQ(GetFocus(), b->hWnd());
    SendKeys(L"+{TAB}");
    const DWORD start = GetTickCount();
    while (GetFocus() != a->hWnd() && GetTickCount() - start < 1000) {
        DoEvents();
        Sleep(5);
    }
    EXPECT_EQ(GetFocus(), a->hWnd());
    EXPECT_GE(GetKeyState(VK_SHIFT), 0); // released again
    a.reset();
    b.reset();
    form->Unload();
}

} // namespace
