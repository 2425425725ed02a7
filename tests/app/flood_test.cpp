// vexa.exe under a flood of messages from another program: paints and erasures whose wParam is a
// number and no device context, keys and characters (Backspace among them), timers, mouse, focus and
// activation, and word-break procedures at addresses of another process; some sent, most posted.
// The program goes on running, answers, and still looks words up.
#include "app/esas.h"

#include "main_window_screen.h"
#include "platform/forms/form.h"
#include "support/program.h"
#include "support/program_window.h"
#include "support/temp_folder.h"
#include "tools/builder.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <random>
#include <string>
#include <vector>

namespace {

using testsupport::Program;

// Ends, with the test, the processes the program started: after a crash, Wine's debugger with its
// crash dialog, which would outlive the test and keep its output open.
class StartedBy {
public:
    explicit StartedBy(HWND window) { GetWindowThreadProcessId(window, &parent_); }
    ~StartedBy() {
        const HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (all == INVALID_HANDLE_VALUE) return;
        PROCESSENTRY32W p{};
        p.dwSize = sizeof p;
        for (BOOL more = Process32FirstW(all, &p); more; more = Process32NextW(all, &p)) {
            if (p.th32ParentProcessID != parent_) continue;
            if (const HANDLE child = OpenProcess(PROCESS_TERMINATE, FALSE, p.th32ProcessID)) {
                TerminateProcess(child, 1);
                CloseHandle(child);
            }
        }
        CloseHandle(all);
    }
    StartedBy(const StartedBy&) = delete;
    StartedBy& operator=(const StartedBy&) = delete;

private:
    DWORD parent_ = 0;
};

struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// One message of the flood, drawn at random: its kind, then its parameters.
Message randomMessage(std::mt19937& rng) {
    const auto pick = [&](unsigned from, unsigned to) {
        return std::uniform_int_distribution<unsigned>(from, to)(rng);
    };
    // Keys that make no character: the loop's translation would post one after the word typed next.
    const WPARAM keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_SHIFT};
    const LPARAM at = MAKELPARAM(pick(0, 300), pick(0, 40));
    switch (pick(0, 15)) {
    case 0:
        return {WM_KEYDOWN, keys[pick(0, 5)], 1};
    case 1:
        return {WM_KEYUP, keys[pick(0, 5)], LPARAM(0xC0000001)};
    case 2:
    case 3:
        return {WM_CHAR, pick(0, 3) ? WPARAM(pick('a', 'z')) : WPARAM(VK_BACK), 1};
    case 4:
    case 5:
        return {WM_PAINT, pick(1, 255), 0};
    case 6:
        return {WM_TIMER, pick(0, 40), 0};
    case 7:
        return {WM_ERASEBKGND, pick(1, 255), 0};
    case 8:
        return {WM_MOUSEMOVE, 0, at};
    case 9:
        return {pick(0, 3) ? UINT(WM_LBUTTONDOWN) : UINT(WM_LBUTTONDBLCLK), MK_LBUTTON, at};
    case 10:
        return {WM_LBUTTONUP, 0, at};
    case 11:
        return {pick(0, 1) ? UINT(WM_SETFOCUS) : UINT(WM_KILLFOCUS), 0, 0};
    case 12:
        return {WM_ACTIVATE, pick(WA_INACTIVE, WA_CLICKACTIVE), 0};
    case 13:
        return {WM_NCACTIVATE, pick(0, 1), 0};
    case 14:
        return {EM_SETWORDBREAKPROC, 0, LPARAM(pick(0x10000, 0x7FFFFFFF))};
    default:
        return {WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)};
    }
}

// Whether the window answers within two seconds; a program that crashed under Wine's debugger still
// runs but answers no more.
bool answers(HWND window) {
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr) != 0;
}

// The flood: each message to one of the windows, a third of them sent (with a short wait for the
// answer) and the rest posted. False, at once, when a window stopped answering.
bool flood(const std::vector<HWND>& windows, unsigned seed, int count) {
    std::mt19937 rng(seed);
    for (int i = 0; i < count; ++i) {
        const HWND to = windows[std::uniform_int_distribution<size_t>(0, windows.size() - 1)(rng)];
        const Message m = randomMessage(rng);
        const bool delivered =
            std::uniform_int_distribution<int>(0, 2)(rng) == 0
                ? SendMessageTimeoutW(to, m.msg, m.wParam, m.lParam, SMTO_ABORTIFHUNG, 1000, nullptr) != 0
                : PostMessageW(to, m.msg, m.wParam, m.lParam) != 0;
        if (!delivered && !answers(to)) return false;
    }
    return true;
}

// Types a word over whatever the search box holds and presses Enter, through the box's queue, so it
// comes after every message posted before it.
void lookUp(HWND edit, const std::wstring& word) {
    PostMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : word) PostMessageW(edit, WM_CHAR, c, 1);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, LPARAM(0xC0000001));
}

// Waits, while the window answers, until the search box holds the word and the headword list shows rows
// (or none): up to about twenty seconds, since the thousands of messages the flood posted come first.
bool shows(HWND main, HWND edit, const std::wstring& word, bool rows) {
    for (int i = 0; i < 2000; ++i, Sleep(10)) {
        wchar_t text[64] = {};
        if (!SendMessageTimeoutW(edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                                 nullptr))
            return false;
        const int ink = apptest::headwordInk(main);
        if (text == word && (rows ? ink > 0 : ink == 0)) return true;
    }
    return false;
}

// After "house" is looked up, a flood with each seed to the main window and the search box's edit
// window; after each the program still runs, its window answers, and words typed into the box are
// looked up: one the dictionary lacks empties the list, then "bank" fills it.
TEST(MainWindowProgram, AFloodOfMessagesFromAnotherProgramLeavesItRunningAndLookingUp) {
    testsupport::TempFolder folder{L"vexa-flood-"};
    tools::writeSampleDatabases(folder.path());
    Program vexa(folder);
    ASSERT_TRUE(vexa.started());
    const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
    ASSERT_NE(main, nullptr);
    const StartedBy started(main);
    const HWND edit = testsupport::searchBox(main);
    ASSERT_NE(edit, nullptr);
    lookUp(edit, L"house");
    ASSERT_TRUE(shows(main, edit, L"house", true)) << "\"house\" was not listed";
    // What the program does, for a failure's message.
    const auto state = [&] {
        return vexa.ended(0) ? " (the program ended)" : answers(main) ? "" : " (the program does not answer)";
    };
    for (const unsigned seed : {1u, 2u, 3u}) {
        ASSERT_TRUE(flood({main, edit}, seed, 3000)) << "seed " << seed << ": the program stopped answering";
        ASSERT_TRUE(answers(main)) << "seed " << seed << ": the window does not answer";
        lookUp(edit, L"qqqq");
        ASSERT_TRUE(shows(main, edit, L"qqqq", false))
            << "seed " << seed << ": the list was not emptied" << state();
        lookUp(edit, L"bank");
        ASSERT_TRUE(shows(main, edit, L"bank", true))
            << "seed " << seed << ": \"bank\" was not listed" << state();
        ASSERT_FALSE(vexa.ended(0)) << "seed " << seed << ": the program ended";
    }
}

} // namespace
