// bench_search [program folder]
// The main window on the real dictionary (oracle\dat.vex under the program folder, by default the
// folder of this program, where scripts/run builds it). For 200 words sampled from the dictionary
// (3 to 10 letters, the six directions in turn), it times what a user waits for: from the
// key-up of the last letter (automatic search on) to the headword list painted (open, query, parse, de-dup,
// AddItem, Refresh, select, close), and from a click on the first headword to the translation list
// painted. Beside them, the data layer's own time for the same query on an open connection, and for
// a fresh open of the database followed by that query.
#include "timing.h"
#include "app/esas.h"
#include "app/lookup.h"
#include "platform/data/connection.h"
#include "platform/data/connection_string.h"
#include "platform/data/database.h"
#include "platform/data/host_path.h"
#include "platform/data/recordset.h"
#include "platform/data/session_pool.h"
#include "platform/data/text.h"
#include "platform/forms/do_events.h"
#include "platform/forms/msgbox.h"
#include "platform/textbox/uni_text_box_ex.h"
#include "widgets/buttons/morph_option_check.h"
#include "widgets/combo/s_combo_box.h"
#include "widgets/list/mc_list_box.h"
#include "widgets/text/label_kdq.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::now;
using bench::percentile95;

bool plainWord(const std::wstring& w) {
    if (w.size() < 3 || w.size() > 10) return false;
    return std::none_of(w.begin(), w.end(),
                        [](wchar_t c) { return c == L' ' || c == L'-' || c == L'\'' || c == L'.'; });
}

struct Sample {
    int direction;
    std::wstring word;
};

// 200 distinct words from rows picked with a fixed seed, the six directions in turn, so that every
// look-up also changes the direction (the captions over the lists are redrawn each time).
std::vector<Sample> sampleWords(const std::wstring& file) {
    data::Database db(file);
    const long rows = db.scalar(L"select max(rowid) from soz_fts").toLong();
    data::Statement row = db.prepare(L"select soz from soz_fts where rowid = ?");
    unsigned long long state = 20261207;
    std::vector<Sample> out;
    for (int tries = 0; out.size() < 200 && tries < 200000; ++tries) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const int direction = static_cast<int>(out.size() % 6) + 1;
        row.bind(1, forms::Variant(
                        static_cast<int32_t>(1 + (state >> 33) % static_cast<unsigned long long>(rows))));
        row.execute();
        if (row.fetch()) {
            auto word = app::shownWord(row.value(0).toString(), app::direction(direction)->source);
            if (word && plainWord(*word) &&
                std::none_of(out.begin(), out.end(), [&](const Sample& s) { return s.word == *word; }))
                out.push_back({direction, *word});
        }
        row.reset();
    }
    return out;
}

// The data layer alone: the headword query for the word, every row read.
double rawQuery(data::Connection& cn, int direction, const std::wstring& word) {
    const double start = now();
    data::Recordset rs;
    rs.Open(L"select soz from soz where soz like '%" + data::likeKey(app::searchKey(direction, word)) +
                L"%' ",
            cn);
    for (; !rs.Eof(); rs.MoveNext()) rs.Fields(L"soz").Value();
    rs.Close();
    return now() - start;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder = folder.substr(0, folder.find_last_of(L'\\'));
    if (argc > 1) folder = argv[1];
    const std::wstring file = folder + L"\\oracle\\dat.vex";
    if (!data::fileExists(file) || !data::fileExists(folder + L"\\oracle\\lang.vex")) {
        std::printf("%s: not found (scripts/run builds it)\n", data::toUtf8(file).c_str());
        return 1;
    }
    auto samples = sampleWords(file);
    std::vector<std::wstring> messages;
    forms::setMsgBoxHandler([&](const std::wstring& prompt, int, const std::wstring&) {
        messages.push_back(prompt);
        return 1;
    });

    app::esas::setProgramFolder(folder);
    auto w = std::make_shared<app::esas>();
    w->Show();
    forms::DoEvents();
    auto& box = w->control<textbox::UniTextBoxEx>(L"TextBox1");
    auto& co = w->control<widgets::SComboBox>(L"co");
    auto& list = w->control<widgets::McListBox>(L"list");
    auto& ul = w->control<widgets::McListBox>(L"ul");
    w->control<widgets::MorphOptionCheck>(L"avto").setValue(1);

    std::vector<double> search, click, raw, rawFresh;
    long listed = 0, maxListed = 0;
    auto lookUp = [&](const Sample& s, bool keep) {
        co.setListIndex(s.direction);
        box.setText(s.word);
        const double start = now();
        SendMessageW(box.editWindow(), WM_KEYUP, 'A', 0xC0000001);
        UpdateWindow(list.hWnd());
        const double searched = now();
        SendMessageW(list.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 6));
        SendMessageW(list.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 6));
        UpdateWindow(ul.hWnd());
        const double clicked = now();
        forms::DoEvents();
        if (!keep) return;
        search.push_back(searched - start);
        click.push_back(clicked - searched);
        listed += list.ListCount();
        maxListed = std::max(maxListed, list.ListCount());
    };
    lookUp(samples.front(), false); // the first open checks the file through once per process
    for (const auto& s : samples) lookUp(s, true);

    // Short prefixes list the most headwords.
    struct Large {
        int direction;
        const wchar_t* word;
        long listed = 0;
        double ms = 0;
    };
    std::vector<Large> large = {{1, L"con"}, {2, L"non"}, {3, L"пере"},
                                {4, L"под"}, {5, L"kar"}, {3, L"  по"}};
    for (auto& l : large) {
        co.setListIndex(l.direction);
        box.setText(l.word);
        const double start = now();
        SendMessageW(box.editWindow(), WM_KEYUP, VK_RETURN, 0xC0000001);
        UpdateWindow(list.hWnd());
        l.ms = now() - start;
        l.listed = list.ListCount();
        forms::DoEvents();
    }

    const std::wstring cs = L"Provider=Microsoft.jet.oledb.4.0; Data Source=" + folder +
                            L"/oracle/\\dat.vex;Jet Oledb:Database Password =pim407talo863grube";
    {
        data::Connection cn;
        cn.Open(cs);
        for (const auto& s : samples) raw.push_back(rawQuery(cn, s.direction, s.word));
    }
    data::sessionPool::setLifetime(0);
    for (size_t i = 0; i < samples.size(); i += 4) {
        const double start = now();
        data::Connection cn;
        cn.Open(cs);
        rawQuery(cn, samples[i].direction, samples[i].word);
        rawFresh.push_back(now() - start);
    }
    w->Unload();

    std::printf("%s: %zu sampled words (3 to 10 letters, the six directions in turn), milliseconds\n",
                data::toUtf8(file).c_str(), samples.size());
    std::printf("  headwords listed: %.1f on average, %ld at most\n", double(listed) / double(samples.size()),
                maxListed);
    std::printf("  %-44s median %6.2f   p95 %6.2f   (target: median <= 3, p95 < 25)\n",
                "key-up of the last letter -> list painted", median(search), percentile95(search));
    std::printf("  %-44s median %6.2f   p95 %6.2f   (target: median <= 3)\n",
                "click on a headword -> translations painted", median(click), percentile95(click));
    std::printf("  %-44s median %6.2f   p95 %6.2f\n", "data layer: the query, connection open", median(raw),
                percentile95(raw));
    std::printf("  %-44s median %6.2f   p95 %6.2f\n", "data layer: open without pool + the query",
                median(rawFresh), percentile95(rawFresh));
    for (const auto& l : large)
        std::printf("  %-44s %6.2f ms for %ld headwords\n",
                    ("\"" + data::toUtf8(l.word) + "\" in direction " + std::to_string(l.direction)).c_str(),
                    l.ms, l.listed);
    if (!messages.empty())
        std::printf("  %zu messages shown, the first: %s\n", messages.size(),
                    data::toUtf8(messages.front()).c_str());
    return 0;
}
