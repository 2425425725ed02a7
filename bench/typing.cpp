// bench_typing [program folder]: how long the main window keeps a user waiting while he types into a
// dictionary another program holds, with automatic search on.
//
// vexa.exe and its databases (oracle\ under the program folder, by default the folder of this
// program) are copied into a folder of the run's own and started there, as a user starts them. The
// keyboard moves to "Automatic search", ticks it and comes back to the search box; then a word is typed
// a letter every 120 ms (a quick typist) while a thread of this program asks the window without pause
// whether it answers (WM_NULL, waiting as long as it takes). Every wait for an answer is a moment the
// window could not have taken a key or drawn a letter. Three conditions, each started 5 times:
// - the dictionary free (for comparison);
// - locked before the start, so that the check of the dictionary waits for the lock while the user
//   types (it gives up after three seconds and starts again at the next key);
// - locked after a first look-up, so that the check has passed and each typed look-up meets the lock.
// The lock is another connection's exclusive transaction, held from this program; the lock, the keys
// and the watch are the tests' own (tests/support), as in the tests of a real start. Printed per condition:
// the longest wait over all runs, the median of the runs' longest waits, the 95th percentile of all
// waits, and in how many runs the search box held every letter typed.
#include "timing.h"

#include "tests/support/dictionary_lock.h"
#include "tests/support/program_window.h"

#include <windows.h>

#include <algorithm>
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

// Keys one at a time, as a person types them.
void type(const std::wstring& keys, DWORD gap) {
    for (wchar_t c : keys) {
        testsupport::typeKeys(std::wstring(1, c));
        Sleep(gap);
    }
}

// The folder of one start: vexa.exe and copies of the databases, removed with the object.
class StartFolder {
public:
    explicit StartFolder(const std::wstring& programFolder) {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"vexa-typing-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter_);
        CreateDirectoryW(path_.c_str(), nullptr);
        CreateDirectoryW((path_ + L"\\oracle").c_str(), nullptr);
        for (const wchar_t* file : {L"vexa.exe", L"oracle\\dat.vex", L"oracle\\lang.vex"})
            if (!CopyFileW((programFolder + L"\\" + file).c_str(), (path_ + L"\\" + file).c_str(), FALSE))
                throw std::runtime_error("cannot copy the program and its databases");
    }
    ~StartFolder() {
        for (const wchar_t* file : {L"oracle\\dat.vex", L"oracle\\lang.vex", L"vexa.exe"})
            DeleteFileW((path_ + L"\\" + file).c_str());
        RemoveDirectoryW((path_ + L"\\oracle").c_str());
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }

private:
    static inline int counter_ = 0;
    std::wstring path_;
};

enum class Condition { Free, LockedBeforeStart, LockedAfterALookUp };

struct Run {
    std::vector<double> waits;
    bool allLetters = false;
};

Run once(const std::wstring& programFolder, Condition condition) {
    StartFolder folder(programFolder);
    const std::wstring dictionary = folder.path() + L"\\oracle\\dat.vex";
    std::optional<DictionaryLock> lock;
    if (condition == Condition::LockedBeforeStart) lock.emplace(dictionary);

    const std::wstring exe = folder.path() + L"\\vexa.exe";
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.path().c_str(), &si, &pi))
        throw std::runtime_error("vexa.exe did not start");
    HWND main = nullptr;
    for (int i = 0; i < 1000 && !main; ++i, Sleep(10)) {
        for (HWND h = FindWindowExW(nullptr, nullptr, L"VexaForm", L"Vexa R7 Edition"); h;
             h = FindWindowExW(nullptr, h, L"VexaForm", L"Vexa R7 Edition")) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(h) && GetForegroundWindow() == h) main = h;
        }
    }
    Run run;
    if (main) {
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
        Sleep(500); // the last letter's look-up
        run.waits = watch.stop();
        run.allLetters = testsupport::searchBoxText(main) == typed;
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!main) throw std::runtime_error("the main window did not come to the front");
    return run;
}

} // namespace

int main() {
    try {
        const std::wstring programFolder = bench::programFolder();
        struct {
            Condition condition;
            const char* name;
        } const conditions[] = {{Condition::Free, "the dictionary free"},
                                {Condition::LockedBeforeStart, "locked before the start, the check waiting"},
                                {Condition::LockedAfterALookUp, "locked after a look-up, the check passed"}};
        std::printf("typing \"houseboat\" with automatic search on, a letter every %lu ms, %d starts each:\n",
                    kLetterGap, kRuns);
        for (const auto& c : conditions) {
            std::vector<double> all, longest;
            int whole = 0;
            for (int i = 0; i < kRuns; ++i) {
                const Run run = once(programFolder, c.condition);
                all.insert(all.end(), run.waits.begin(), run.waits.end());
                longest.push_back(run.waits.empty() ? 0
                                                    : *std::max_element(run.waits.begin(), run.waits.end()));
                whole += run.allLetters ? 1 : 0;
            }
            std::printf(
                "%s: longest wait for the window %.0f ms (median of the runs' longest %.0f ms), p95 of "
                "%zu waits %.1f ms, every letter in the box in %d of %d runs\n",
                c.name, *std::max_element(longest.begin(), longest.end()), median(longest), all.size(),
                percentile95(all), whole, kRuns);
            std::fflush(stdout);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_typing: %s\n", e.what());
        return 1;
    }
}
