// bench_search [program folder]: what a user sees of a look-up, on the real dictionary
// (oracle\dat.vex under the program folder, by default the folder of this program).
//
// Run by bench/search/run (scripts/bench search), which starts it under bench/search/screen_probe:
// the probe presses the keys and clicks with XTest and watches the X server's pixels. The main
// window is shown with automatic search on; for each word the search box is given the word, and the
// probe presses End in it (the key-up starts the search, as the last letter's would) and watches the
// headword list, its scroll bar included, until it stays still; then it clicks the first two
// headwords in turn and watches the translation list, and the caption over it that names the
// headword. A click is held 60 ms, as a person holds the button, or quick (released at once, as a
// tap does), by turns. Times run from the release of the key or button to the first sight of the
// final pixels. Any moment at which the headword list showed no row at all counts as an empty list
// on the screen, and a list (headwords after a key, translations after a click) that showed any
// picture between the old and the final one as a list in more than one picture; a picture whose
// scroll-bar arrows were neither the old ones nor the final ones (an arrow half drawn) as a damaged
// scroll bar.
//
// Words are sampled from the dictionary (3 to 10 letters, the six directions in turn) and sorted by
// what their list needs: lists that fit without a scroll bar are looked up one after the other, then
// lists that need one, so that each look-up finds the bar as its list leaves it; then the two kinds
// alternate, so that every look-up shows or hides the bar. Within each, the words of one direction
// come together, as a user chooses a direction and then types. Beside them: the data layer's own time
// for the same queries on an open connection, what Wine's own drawing of a scroll bar costs on an
// empty window, and the time from a key to the screen for a bare window that only repaints itself.
#include "platform/core/host_path.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "probe_link.h"
#include "timing.h"
#include "app/controls.h"
#include "app/database_paths.h"
#include "app/esas.h"
#include "app/main_window.h"
#include "app/lookup.h"
#include "app/settings.h"
#include "platform/data/connection.h"
#include "platform/data/connection_string.h"
#include "platform/data/database.h"
#include "platform/data/host_path.h"
#include "platform/data/recordset.h"
#include "platform/data/text.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/label/label_kdq.h"
#include "widgets/list_box/mc_list_box.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::now;
using bench::percentile95;

constexpr int PerKind = 60;     // words whose list fits, and as many that need the bar
constexpr int Alternating = 40; // look-ups that show or hide the bar

bool plainWord(const std::wstring& w) {
    if (w.size() < 3 || w.size() > 10) return false;
    return std::none_of(w.begin(), w.end(),
                        [](wchar_t c) { return c == L' ' || c == L'-' || c == L'\'' || c == L'.'; });
}

struct Sample {
    int direction;
    std::wstring word;
    long headwords;
};

// The main window's headword query for the word.
std::wstring headwordQuery(int direction, const std::wstring& word) {
    return L"select soz from soz where soz like '%" + data::likeKey(app::searchKey(direction, word)) + L"%' ";
}

// The data layer alone: the headword query for the word, every row read.
double rawQuery(data::Connection& cn, int direction, const std::wstring& word) {
    const double start = now();
    data::Recordset rs;
    rs.Open(headwordQuery(direction, word), cn);
    for (; !rs.Eof(); rs.MoveNext()) rs.Fields(L"soz").Value();
    rs.Close();
    return now() - start;
}

// How many headwords the main window lists for the word, by its own rules.
long headwordCount(data::Connection& cn, int direction, const std::wstring& word) {
    data::Recordset rs;
    rs.Open(headwordQuery(direction, word), cn);
    app::Taken ya;
    long count = 0;
    for (; !rs.Eof(); rs.MoveNext())
        if (app::searchRow(direction, rs.Fields(L"soz").Value().toString(), word, ya)) ++count;
    rs.Close();
    return count;
}

// Distinct words from rows picked with a fixed seed, the six directions in turn, until there are
// PerKind lists of each kind: those of at most `rows` headwords fit, the others need the bar. A word
// whose search lists nothing (its rows lack the direction's target language) is passed over.
void sampleWords(const std::wstring& file, data::Connection& cn, long rows, std::vector<Sample>& fit,
                 std::vector<Sample>& barred) {
    data::Database db(file);
    const long count = db.scalar(L"select max(rowid) from soz_fts").toLong();
    data::Statement row = db.prepare(L"select soz from soz_fts where rowid = ?");
    unsigned long long state = 20261207;
    std::vector<std::wstring> seen;
    for (int tries = 0, turn = 0; (fit.size() < PerKind || barred.size() < PerKind) && tries < 200000;
         ++tries) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const int direction = turn % 6 + 1;
        row.bind(1, core::Variant(
                        static_cast<int32_t>(1 + (state >> 33) % static_cast<unsigned long long>(count))));
        row.execute();
        if (row.fetch()) {
            auto word = app::shownWord(row.value(0).toString(), app::direction(direction)->source);
            if (word && plainWord(*word) && std::find(seen.begin(), seen.end(), *word) == seen.end()) {
                seen.push_back(*word);
                ++turn;
                const long n = headwordCount(cn, direction, *word);
                auto& kind = n > rows ? barred : fit;
                if (n > 0 && kind.size() < PerKind) kind.push_back({direction, *word, n});
            }
        }
        row.reset();
    }
    // A user chooses a direction and then types: the words of a direction come one after the other.
    for (auto* kind : {&fit, &barred})
        std::stable_sort(kind->begin(), kind->end(),
                         [](const Sample& a, const Sample& b) { return a.direction < b.direction; });
}

// Words whose list fits and words that need the bar in turn, both of one direction.
std::vector<Sample> alternate(const std::vector<Sample>& fit, const std::vector<Sample>& barred,
                              size_t count) {
    std::vector<Sample> out;
    std::vector<bool> used(barred.size());
    for (const Sample& f : fit) {
        for (size_t j = 0; j < barred.size() && out.size() < count; ++j) {
            if (used[j] || barred[j].direction != f.direction) continue;
            used[j] = true;
            out.push_back(f);
            out.push_back(barred[j]);
            break;
        }
    }
    return out;
}

// What Wine's own drawing of a scroll bar costs, on an empty window of the list's size: setting the
// range with a redraw, and showing or hiding the bar.
struct BarFloor {
    double setInfo = 0, showHide = 0;
};

BarFloor measureBarFloor(HWND parent, int width, int height) {
    using SetInfoFn = int(WINAPI*)(HWND, int, LPSCROLLINFO, BOOL);
    using ShowFn = BOOL(WINAPI*)(HWND, int, BOOL);
    using InitFn = BOOL(WINAPI*)(HWND);
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    auto init = reinterpret_cast<InitFn>(GetProcAddress(comctl, "InitializeFlatSB"));
    auto setInfo = reinterpret_cast<SetInfoFn>(GetProcAddress(comctl, "FlatSB_SetScrollInfo"));
    auto show = reinterpret_cast<ShowFn>(GetProcAddress(comctl, "FlatSB_ShowScrollBar"));
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent, nullptr,
                             nullptr, nullptr);
    BarFloor floor;
    if (!w || !init || !setInfo || !show) return floor;
    init(w);
    show(w, SB_VERT, TRUE);
    forms::DoEvents();
    std::vector<double> sets, shows;
    for (int i = 0; i < 40; ++i) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 40 + i % 2, 5, 0, 0};
        double start = now();
        setInfo(w, SB_VERT, &info, TRUE);
        sets.push_back(now() - start);
        start = now();
        ShowScrollBar(w, SB_VERT, i % 2 == 0 ? FALSE : TRUE);
        shows.push_back(now() - start);
        forms::DoEvents();
    }
    DestroyWindow(w);
    floor.setInfo = median(sets);
    floor.showHide = median(shows);
    return floor;
}

// A window of the list's size that turns grey or white on each key-up: what the platform itself
// takes from a key to a painted window, with nothing of the program in between.
LRESULT CALLBACK bareWindowProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    static bool grey = false;
    switch (msg) {
    case WM_KEYUP:
        grey = !grey;
        InvalidateRect(w, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(grey ? GRAY_BRUSH : WHITE_BRUSH)));
        EndPaint(w, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(w, msg, wParam, lParam);
    }
}

HWND bareWindow(const RECT& at) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &bareWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexaBenchBare";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, at.left, at.top,
                             at.right - at.left, at.bottom - at.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    SetFocus(w);
    return w;
}

RECT screenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// The client area without the room a vertical bar takes: what shows rows whether the bar is there
// or not.
RECT rowsRect(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    r.right = r.left + std::max(0L, r.right - r.left - GetSystemMetrics(SM_CXVSCROLL) - 1);
    return r;
}

// Where the window's vertical bar stands when it is shown, and how tall its arrows are: the probe's
// "bar" option.
std::string barText(HWND w) {
    RECT window{}, client{};
    GetWindowRect(w, &window);
    GetClientRect(w, &client);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    const bool shown = (GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL) != 0;
    const long border = (window.right - window.left - client.right - (shown ? width : 0)) / 2;
    return " bar " + std::to_string(window.right - border - width) + " " +
           std::to_string(window.top + border) + " " + std::to_string(width) + " " +
           std::to_string(window.bottom - window.top - 2 * border) + " " +
           std::to_string(GetSystemMetrics(SM_CYVSCROLL));
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           " " + std::to_string(r.bottom - r.top);
}

// How many pictures each look-up or click reached the screen in (0: nothing changed), and how many
// showed a damaged scroll bar.
struct Tally {
    std::map<int, int> pictures;
    int damaged = 0;
    void add(int n, bool damagedBar) {
        ++pictures[n];
        if (damagedBar) ++damaged;
    }
    // How many there were; how many reached the screen in more than one picture; how many changed
    // nothing.
    int count() const {
        int n = 0;
        for (const auto& [seen, times] : pictures) n += times;
        return n;
    }
    int stepped() const {
        int n = 0;
        for (const auto& [seen, times] : pictures)
            if (seen > 1) n += times;
        return n;
    }
    int unchanged() const {
        const auto none = pictures.find(0);
        return none == pictures.end() ? 0 : none->second;
    }
    std::string text() const {
        std::string t;
        for (const auto& [n, times] : pictures)
            t += (t.empty() ? "" : ", ") + std::to_string(times) + " in " + std::to_string(n);
        return t;
    }
    void print(const char* kind) const {
        std::printf("%s: %d, reached the screen in pictures (0: nothing changed): %s; with a damaged scroll "
                    "bar: %d\n",
                    kind, count(), text().c_str(), damaged);
    }
};

struct Seen {
    double ms = -1, every = 0, first = -1;
    bool changed = false, empty = false, late = false;
    int pictures = 0, partPictures = 0, damaged = 0;
};

Seen parseDone(const std::string& answer) {
    Seen s;
    int changed = 0, empty = 0, late = 0;
    if (std::sscanf(answer.c_str(), "done %lf %d %d %d %lf %d %d %lf %d", &s.ms, &changed, &empty, &late,
                    &s.every, &s.pictures, &s.partPictures, &s.first, &s.damaged) == 9) {
        s.changed = changed != 0;
        s.empty = empty != 0;
        s.late = late != 0;
    }
    return s;
}

class Run {
public:
    Run(app::esas& w, bench::ProbeLink& probe)
        : probe_(probe), box_(w.control<textbox::UniTextBoxEx>(L"TextBox1")),
          co_(w.control<widgets::SComboBox>(L"co")), list_(w.control<widgets::McListBox>(L"list")),
          ul_(w.control<widgets::McListBox>(L"ul")), caption_(w.control<widgets::Label_KDQ>(L"Label3")) {
        // The pointer rests in the screen's corner, outside the window, between the probe's clicks.
        park_ = "park " + std::to_string(GetSystemMetrics(SM_CXSCREEN) - 2) + " " +
                std::to_string(GetSystemMetrics(SM_CYSCREEN) - 2);
    }

    // One look-up: the word into the box, End pressed in it, the headword list watched.
    Seen search(const Sample& s) {
        co_.setListIndex(s.direction);
        box_.setText(s.word);
        SetFocus(box_.editWindow());
        forms::DoEvents();
        const Seen seen =
            parseDone(probe_.ask("watch " + rectText(screenRect(list_.hWnd())) + " " +
                                 rectText(rowsRect(list_.hWnd())) + " key End" + barText(list_.hWnd())));
        if (seen.empty) ++emptyLookUps_;
        lookUpPictures_.add(seen.changed ? seen.pictures : 0, seen.damaged > 0);
        note(seen);
        return seen;
    }

    // A click on a headword row, held as a person holds the button or released at once; the
    // translation list watched, and with it the caption over it that names the headword (a window of
    // its own).
    Seen click(long row, bool quick) {
        RECT rows = rowsRect(list_.hWnd());
        const long pitch = (rows.bottom - rows.top) / std::max(1L, list_.visibleRowCount());
        const int x = rows.left + 30, y = static_cast<int>(rows.top + pitch * row + 8);
        const RECT translations = screenRect(ul_.hWnd());
        RECT watched = translations;
        watched.top = std::min(watched.top, screenRect(caption_.hWnd()).top);
        const Seen seen =
            parseDone(probe_.ask("watch " + rectText(watched) + " " + rectText(rowsRect(ul_.hWnd())) +
                                 (quick ? " tap " : " click ") + std::to_string(x) + " " + std::to_string(y) +
                                 " part " + rectText(translations) + barText(ul_.hWnd())));
        probe_.ask(park_);
        Tally& kind = quick ? quickClicks_ : heldClicks_;
        kind.add(seen.changed ? seen.partPictures : 0, seen.damaged > 0);
        if (!quick && seen.pictures > 1) {
            ++steppedCaptioned_;
            captionAhead_.push_back(seen.ms - seen.first);
        }
        note(seen);
        return seen;
    }

    void park() { probe_.ask(park_); }

    int emptyLookUps_ = 0, late_ = 0, steppedCaptioned_ = 0;
    Tally lookUpPictures_, heldClicks_, quickClicks_;
    std::vector<double> readEvery_, captionAhead_;

private:
    void note(const Seen& seen) {
        if (seen.late) ++late_;
        readEvery_.push_back(seen.every);
    }

    bench::ProbeLink& probe_;
    textbox::UniTextBoxEx& box_;
    widgets::SComboBox& co_;
    widgets::McListBox& list_;
    widgets::McListBox& ul_;
    widgets::Label_KDQ& caption_;
    std::string park_;
};

void printLine(const char* label, const std::vector<double>& v) {
    std::printf("%s: median %.1f ms, p95 %.1f ms\n", label, median(v), percentile95(v));
}

} // namespace

int main() {
    const std::wstring folder = bench::programFolder();
    if (!bench::ProbeLink::present()) {
        std::printf(
            "bench_search watches the screen through bench/search/screen_probe: run scripts/bench search\n");
        return 2;
    }
    const app::DatabasePaths paths = app::databasePaths(folder);
    const std::wstring& file = paths.dictionary;
    if (!core::fileExists(file) || !core::fileExists(paths.settings)) {
        std::printf("%s: not found (scripts/run builds it)\n", core::toUtf8(file).c_str());
        return 1;
    }
    std::vector<std::wstring> messages;
    forms::setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
        messages.push_back(prompt);
        return 1;
    });

    app::registerControlTypes();
    app::setProgramFolder(folder);
    auto w = std::make_shared<app::esas>();
    w->Show();
    SetForegroundWindow(w->hWnd());
    forms::DoEvents();
    auto& list = w->control<widgets::McListBox>(L"list");
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);

    std::vector<Sample> fit, barred;
    data::Connection cn;
    cn.Open(app::dictionaryConnectionString(folder + L"/oracle/"));
    sampleWords(file, cn, list.visibleRowCount(), fit, barred);

    // Lives until the process ends: its reader may still be waiting on the input then.
    auto* probe = new bench::ProbeLink;
    Run run(*w, *probe);
    run.park();

    std::vector<double> withBar, withoutBar, toggling, clicks, quickClicks;
    // After a look-up the first two headwords are clicked in turn, held and quick by turns, so that
    // each kind of click meets translations left by either kind.
    constexpr struct {
        long row;
        bool quick;
    } Clicks[] = {{0, false}, {1, true}, {0, true}, {1, false}, {0, false}, {1, true}};
    auto sequence = [&](const std::vector<Sample>& words, std::vector<double>& into, bool clicking) {
        // The first look-up of a sequence meets the list the previous one left: not counted.
        run.search(words.front());
        for (size_t i = 1; i < words.size(); ++i) {
            const Seen s = run.search(words[i]);
            if (s.changed) into.push_back(s.ms);
            if (!clicking) continue;
            for (const auto& k : Clicks) {
                if (k.row >= list.ListCount()) continue;
                const Seen c = run.click(k.row, k.quick);
                if (c.changed) (k.quick ? quickClicks : clicks).push_back(c.ms);
            }
        }
    };
    sequence(fit, withoutBar, true);
    sequence(barred, withBar, true);
    sequence(alternate(fit, barred, Alternating), toggling, false);

    std::vector<double> raw;
    for (const auto* kind : {&fit, &barred})
        for (const auto& s : *kind) raw.push_back(rawQuery(cn, s.direction, s.word));
    cn.Close();
    RECT listRect{};
    GetClientRect(list.hWnd(), &listRect);
    const BarFloor floor = measureBarFloor(w->hWnd(), listRect.right, listRect.bottom);
    std::vector<double> bare;
    {
        RECT at = screenRect(list.hWnd());
        OffsetRect(&at, GetSystemMetrics(SM_CXSCREEN) - at.right - 8, 0);
        HWND b = bareWindow(at);
        forms::DoEvents();
        const std::string watch = "watch " + rectText(at) + " 0 0 0 0 key End";
        for (int i = 0; i < 40; ++i) {
            const Seen seen = parseDone(probe->ask(watch));
            if (seen.changed) bare.push_back(seen.ms);
        }
        DestroyWindow(b);
    }
    probe->ask("end");
    w->Unload();

    long fitMost = 0, barredLeast = 1 << 30;
    for (const auto& s : fit) fitMost = std::max(fitMost, s.headwords);
    for (const auto& s : barred) barredLeast = std::min(barredLeast, s.headwords);
    std::printf("bench_search: %s, %zu words whose list fits (%ld headwords at most) and %zu that need the "
                "scroll bar (%ld or more), looked up on the screen\n",
                core::toUtf8(file).c_str(), fit.size(), fitMost, barred.size(), barredLeast);
    printLine("search with scroll bar", withBar);
    printLine("search without scroll bar", withoutBar);
    printLine("held click to translations", clicks);
    printLine("quick click to translations", quickClicks);
    printLine("query only", raw);
    std::printf("empty list on screen: %d of %d\n", run.emptyLookUps_, run.lookUpPictures_.count());
    std::printf("list on screen in more than one picture before the result: %d of %d\n",
                run.lookUpPictures_.stepped(), run.lookUpPictures_.count());
    std::printf("translation list on screen in more than one picture after a held click: %d of %d\n",
                run.heldClicks_.stepped(), run.heldClicks_.count());
    std::printf("the same with the caption over it, painted as a window of its own: %d of %d\n",
                run.steppedCaptioned_, run.heldClicks_.count());
    if (!run.captionAhead_.empty())
        printLine("in those, the first picture ahead of the last", run.captionAhead_);
    printLine("search that shows or hides the scroll bar", toggling);
    run.lookUpPictures_.print("look-ups");
    run.heldClicks_.print("held clicks");
    run.quickClicks_.print("quick clicks");
    std::printf("Wine's own scroll bar on an empty window: FlatSB_SetScrollInfo with redraw median %.1f ms, "
                "ShowScrollBar median %.1f ms\n",
                floor.setInfo, floor.showHide);
    printLine("a bare window of the list's size, key to screen", bare);
    std::printf(
        "the probe read the screen every %.2f ms (median); look-ups whose list did not change: %d; "
        "held clicks whose translations did not change: %d; lists still changing when a watch began: %d\n",
        median(run.readEvery_), run.lookUpPictures_.unchanged(), run.heldClicks_.unchanged(), run.late_);
    if (!messages.empty())
        std::printf("%zu messages shown, the first: %s\n", messages.size(),
                    core::toUtf8(messages.front()).c_str());
    std::fflush(stdout);
    return 0;
}
