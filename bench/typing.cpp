// bench_typing [program folder]: how long the main window keeps a user waiting while he types into a
// dictionary another program holds, with automatic search on.
//
// vexa.exe and its databases (oracle\ under the program folder, by default the folder of this
// program) are copied into a folder of the run's own and started there, as a user starts them (the
// tests' own launcher, tests/support/program.h). The keyboard moves to "Automatic search", ticks it
// and comes back to the search box; then a word is typed a letter every 120 ms (a quick typist) while
// a thread of this program asks the window without pause whether it answers (WM_NULL, waiting as long
// as it takes). Every wait for an answer is a moment the window could not have taken a key or drawn a
// letter. Three conditions, each started 5 times:
// - the dictionary free (for comparison);
// - locked before the start, so that the check of the dictionary waits for the lock while the user
//   types (it gives up after three seconds and starts again at the next key);
// - locked after a first look-up, so that the check has passed and each typed look-up meets the lock
//   (and the window tries the word in the box again, a few times a second, while it holds).
// The watch goes on for 1.5 s after the last letter.
// Before them, bare_window.exe gets the same keys and the same watch: what Wine, the X server and the
// host cost a window that does nothing.
// The lock is another connection's exclusive transaction, held from this program; the lock, the keys
// and the watch are the tests' own (tests/support), as in the tests of a real start. Printed per
// condition: the longest wait over all runs, the median of the runs' longest waits, the 95th
// percentile of all waits, in how many runs the search box held every letter typed, and then every
// wait over 20 ms, run by run, in the order met.
#include "timing.h"

#include "platform/forms/form.h"
#include "tests/support/dictionary_lock.h"
#include "tests/support/program.h"
#include "tests/support/program_window.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::percentile95;
using testsupport::AnswerWatch;
using testsupport::DictionaryLock;

constexpr int kRuns = 5;
constexpr DWORD kLetterGap = 120;
const wchar_t* const kWord = L"houseboat";
constexpr double kLongWait = 20;    // ms: a wait longer than this is listed
constexpr DWORD kWatchAfter = 1500; // ms watched after the last letter

// Keys one at a time, as a person types them.
void type(const std::wstring& keys, DWORD gap) {
    for (wchar_t c : keys) {
        testsupport::typeKeys(std::wstring(1, c));
        Sleep(gap);
    }
}

// The databases copied into a folder of the start's own, removed with the object.
class StartFolder : public testsupport::TempFolder {
public:
    explicit StartFolder(const std::wstring& programFolder) : TempFolder(L"vexa-typing-") {
        CreateDirectoryW(file(L"oracle").c_str(), nullptr);
        for (const wchar_t* name : {L"oracle\\dat.vex", L"oracle\\lang.vex"})
            if (!CopyFileW((programFolder + L"\\" + name).c_str(), file(name).c_str(), FALSE))
                throw std::runtime_error("cannot copy the databases");
    }
};

enum class Condition { BareWindow, Free, LockedBeforeStart, LockedAfterALookUp };

struct Run {
    std::vector<double> waits;
    std::optional<bool> allLetters; // nothing for a window without a search box
};

// The floor: bare_window.exe (bench/startup), a window that only paints, watched the same way while
// the same keys go to it.
Run bareWindow(const std::wstring& programFolder) {
    const testsupport::ChildProcess bare(programFolder + L"\\bare_window.exe", L"");
    if (!bare.started()) throw std::runtime_error("bare_window.exe did not start");
    HWND main = nullptr;
    for (int i = 0; i < 1000 && (!main || GetForegroundWindow() != main); ++i, Sleep(10))
        main = FindWindowW(L"BareWindow", nullptr);
    if (!main || GetForegroundWindow() != main)
        throw std::runtime_error("the bare window did not come to the front");
    Sleep(1000);
    type(L"\t\t\t \t\t\t", 30);
    AnswerWatch watch(main);
    type(kWord, kLetterGap);
    Sleep(kWatchAfter);
    Run run;
    run.waits = watch.stop();
    PostMessageW(main, WM_CLOSE, 0, 0);
    return run;
}

Run once(const std::wstring& programFolder, Condition condition) {
    if (condition == Condition::BareWindow) return bareWindow(programFolder);
    StartFolder folder(programFolder);
    const std::wstring dictionary = folder.file(L"oracle\\dat.vex");
    std::optional<DictionaryLock> lock;
    if (condition == Condition::LockedBeforeStart) lock.emplace(dictionary);

    const testsupport::Program vexa(folder, L"vexa.exe", programFolder);
    if (!vexa.started()) throw std::runtime_error("vexa.exe did not start");
    const HWND main = vexa.window(forms::FormWindowClass, L"Vexa R7 Edition");
    for (int i = 0; i < 1000 && main && GetForegroundWindow() != main; ++i) Sleep(10);
    if (!main || GetForegroundWindow() != main)
        throw std::runtime_error("the main window did not come to the front");
    Sleep(1000);                // the window painted and settled, as before a user's first key
    type(L"\t\t\t \t\t\t", 30); // on to "Automatic search", ticked, and round to the search box
    std::wstring typed;
    if (condition == Condition::LockedAfterALookUp) {
        typed = L"hou";
        type(typed, kLetterGap);
        Sleep(1500); // the check passed and the first letters were looked up
        lock.emplace(dictionary);
    }
    AnswerWatch watch(main);
    for (const wchar_t* c = kWord + typed.size(); *c; ++c) {
        type(std::wstring(1, *c), kLetterGap);
        typed += *c;
    }
    // The last letter's look-up, and with the lock still held, the window's tries of it again.
    Sleep(kWatchAfter);
    Run run;
    run.waits = watch.stop();
    run.allLetters = testsupport::searchBoxText(main) == typed;
    return run;
}

} // namespace

int main() {
    try {
        const std::wstring programFolder = bench::programFolder();
        struct {
            Condition condition;
            const char* name;
        } const conditions[] = {{Condition::BareWindow, "a bare window (the floor: Wine, X and this host)"},
                                {Condition::Free, "the dictionary free"},
                                {Condition::LockedBeforeStart, "locked before the start, the check waiting"},
                                {Condition::LockedAfterALookUp, "locked after a look-up, the check passed"}};
        std::printf("typing \"houseboat\" with automatic search on, a letter every %lu ms, %d starts each:\n",
                    kLetterGap, kRuns);
        for (const auto& c : conditions) {
            std::vector<double> all, longest;
            std::string over;
            int whole = 0, boxes = 0;
            for (int i = 0; i < kRuns; ++i) {
                const Run run = once(programFolder, c.condition);
                over += "\n  run " + std::to_string(i + 1) + ":";
                int n = 0;
                for (double wait : run.waits)
                    if (wait > kLongWait) over += (n++ ? ", " : " ") + std::to_string(std::lround(wait));
                if (n == 0) over += " none";
                all.insert(all.end(), run.waits.begin(), run.waits.end());
                longest.push_back(run.waits.empty() ? 0
                                                    : *std::max_element(run.waits.begin(), run.waits.end()));
                boxes += run.allLetters ? 1 : 0;
                whole += run.allLetters.value_or(false) ? 1 : 0;
            }
            const std::string letters = boxes ? ", every letter in the box in " + std::to_string(whole) +
                                                    " of " + std::to_string(boxes) + " runs"
                                              : "";
            std::printf(
                "%s: longest wait for the window %.0f ms (median of the runs' longest %.0f ms), p95 of "
                "%zu waits %.1f ms%s; every wait over %.0f ms, in ms:%s\n",
                c.name, *std::max_element(longest.begin(), longest.end()), median(longest), all.size(),
                percentile95(all), letters.c_str(), kLongWait, over.c_str());
            std::fflush(stdout);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_typing: %s\n", e.what());
        return 1;
    }
}
