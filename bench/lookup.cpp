// bench_lookup [data folder] [dictionary]
// Builds (or reuses) a dictionary of 1,000,000 synthetic records twice, once served through the
// trigram view the program uses and once as a plain table, then times the headword query through
// Connection and Recordset for keys of 1 to 8 letters and prints the medians and memory use.
// Then, on the synthetic dictionary and on the built one (the dictionary argument, by default
// oracle\dat.vex beside the program), it looks up 200 sampled words in each direction as the main
// window does and prints the median and 95th percentile of the search and, for the words that list
// a headword, of the translations of the first one.
#include "platform/core/host_path.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "timing.h"
#include "app/database_paths.h"
#include "app/lookup.h"
#include "platform/data/connection.h"
#include "platform/data/connection_string.h"
#include "platform/data/content_digest.h"
#include "platform/data/database.h"
#include "platform/data/host_path.h"
#include "platform/data/recordset.h"
#include "platform/data/text.h"
#include "platform/core/runtime_error.h"
#include "tools/builder.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kRows = 1000000;
const wchar_t* const kPassword = L"pim407talo863grube";

// Deterministic words from syllables, so that prefixes have a known spread of hits.
struct Words {
    unsigned long long state = 20261207;
    unsigned next() {
        // splitmix64: successive values are independent enough for the prefixes to spread evenly.
        unsigned long long z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<unsigned>((z ^ (z >> 31)) >> 8);
    }
    std::wstring make(const wchar_t* const* syllables, int count, int minParts, int maxParts) {
        int parts = minParts + static_cast<int>(next() % (maxParts - minParts + 1));
        std::wstring w;
        for (int i = 0; i < parts; ++i) w += syllables[next() % count];
        return w;
    }
};

const wchar_t* const kEnglish[] = {L"ka", L"lo", L"mi", L"ne", L"ro", L"ta",
                                   L"su", L"pe", L"di", L"ba", L"go", L"ve"};
const wchar_t* const kRussian[] = {L"ка", L"ло", L"ми", L"не", L"ро", L"та",
                                   L"су", L"пе", L"ди", L"ба", L"го", L"ве"};
const wchar_t* const kTurkish[] = {L"ka", L"lö", L"mı", L"ne", L"ro", L"ta",
                                   L"şu", L"pe", L"dü", L"ba", L"ğo", L"ve"};

// A rare word whose prefixes are the selective keys; it appears in a few rows only.
const wchar_t* const kRare = L"qujixozy";

// The rows are made one at a time, so building needs the memory of one row, not of a million.
template <class Sink>
void makeRows(Sink sink) {
    Words words;
    for (int i = 0; i < kRows; ++i) {
        std::wstring en = (i % 333331 == 7) ? std::wstring(kRare) : words.make(kEnglish, 12, 2, 5);
        sink(L"x@" + en + L"<>" + words.make(kRussian, 12, 2, 5) + L"<>" + words.make(kTurkish, 12, 2, 5) +
             L"@" + std::to_wstring(i % 50000));
    }
}

void writePlain(const std::wstring& file) {
    DeleteFileW(file.c_str());
    data::Database db(file, data::Database::Mode::Create);
    db.begin();
    data::storePassword(db, kPassword, L"dat.vex");
    db.execute(L"create table soz (soz text)");
    data::Statement insert = db.prepare(L"insert into soz values (?)");
    makeRows([&](const std::wstring& row) {
        insert.bind(1, core::Variant(row));
        insert.execute();
    });
    db.commit();
}

// The indexed copy is made as the builder makes the dictionary (table, view, password record) and
// filled from the plain one inside the database engine.
void writeIndexed(const std::wstring& file, const std::wstring& plain) {
    tools::writeDictionary(file, {}, kPassword);
    auto host = data::driverPath(plain);
    if (!host) throw std::runtime_error("the plain table's path cannot be mapped");
    std::wstring quoted;
    for (wchar_t c : *host) quoted += c == L'\'' ? std::wstring(L"''") : std::wstring(1, c);
    {
        data::Database db(file);
        db.execute(L"attach database '" + quoted + L"' as plain");
        db.begin();
        db.execute(L"insert into soz_fts (soz) select soz from plain.soz");
        db.commit();
        db.execute(L"insert into soz_fts (soz_fts) values ('optimize')");
        db.execute(L"detach database plain");
    }
    // The builder sealed the file before the rows came: its digest is taken again, or the file reads
    // as damaged.
    data::sealContent(file);
}

// A copy left by a run that did not seal it again reads as damaged: it is made anew.
bool sealedWhole(const std::wstring& file) {
    try {
        data::checkContent(file, data::Deadline());
        return true;
    } catch (const core::RuntimeError&) {
        return false;
    }
}

using bench::median;
using bench::now;
using bench::percentile95;

std::wstring connectionString(const std::wstring& folder, const std::wstring& name) {
    return L"Provider=Microsoft.jet.oledb.4.0; Data Source=" + folder + L"/\\" + name +
           L";Jet Oledb:Database Password =" + kPassword;
}

// Runs the headword query as the main window does and visits every row; returns the hits.
long search(data::Connection& cn, const std::wstring& key) {
    data::Recordset rs;
    rs.Open(L"select soz from soz where soz like '%" + key + L"%' ", cn, 1, 3, -1);
    long hits = 0;
    while (!rs.Eof()) {
        hits += rs.Fields(L"soz").Value().toString().empty() ? 0 : 1;
        rs.MoveNext();
    }
    rs.Close();
    return hits;
}

struct Timing {
    double ms = 0;
    long hits = 0;
};

Timing measure(const std::wstring& folder, const std::wstring& name, const std::wstring& key, int repeats) {
    data::Connection cn;
    cn.Open(connectionString(folder, name), L"", L"", -1);
    search(cn, key); // warm the cache
    std::vector<double> times;
    Timing t;
    for (int i = 0; i < repeats; ++i) {
        double start = now();
        t.hits = search(cn, key);
        times.push_back(now() - start);
    }
    t.ms = median(times);
    return t;
}

// Distinct words of one language from rows picked at random with a fixed seed; rows without a word
// in that language are passed over.
std::vector<std::wstring> sampleWords(const std::wstring& file, app::RecordLanguage language, size_t count,
                                      unsigned seed) {
    data::Database db(file);
    long rows = db.scalar(L"select max(rowid) from soz_fts").toLong();
    data::Statement row = db.prepare(L"select soz from soz_fts where rowid = ?");
    Words pick{seed};
    std::vector<std::wstring> words;
    for (long tries = 0; words.size() < count && tries < 100 * static_cast<long>(count); ++tries) {
        row.bind(1, core::Variant(static_cast<int32_t>(1 + pick.next() % static_cast<unsigned>(rows))));
        row.execute();
        if (row.fetch()) {
            auto word = app::shownWord(row.value(0).toString(), language);
            if (word && std::find(words.begin(), words.end(), *word) == words.end()) words.push_back(*word);
        }
        row.reset();
    }
    return words;
}

// The main window's look-up of one word: the headword search, then the translations of the first
// headword listed (the word itself when it is listed). Returns the two times in milliseconds; the
// second is negative when nothing was listed, so there is nothing a user could click.
std::pair<double, double> lookUp(data::Connection& cn, int direction, const std::wstring& word) {
    double start = now();
    data::Recordset rs;
    rs.Open(L"select soz from soz where soz like '%" + data::likeKey(app::searchKey(direction, word)) +
                L"%' ",
            cn, 1, 3, -1);
    app::Taken ya;
    std::wstring h;
    for (; !rs.Eof(); rs.MoveNext()) {
        auto listed = app::searchRow(direction, rs.Fields(L"soz").Value().toString(), word, ya);
        if (listed && (h.empty() || *listed == word)) h = *listed;
    }
    rs.Close();
    double searched = now();
    if (h.empty()) return {searched - start, -1};
    rs.Open(L"select distinct soz from soz where soz like'%" +
                data::likeKey(app::translationKey(direction, h, L"")) + L"%' ",
            cn, 1, 3, -1);
    app::Taken ga;
    for (long i = 0, n = rs.RecordCount(); i < n; ++i, rs.MoveNext())
        app::translationRow(direction, rs.Fields(L"soz").Value().toString(), ga);
    rs.Close();
    return {searched - start, now() - searched};
}

void sampledLookUps(const std::wstring& folder, const std::wstring& name) {
    std::wstring file = folder + L"\\" + name;
    if (!core::fileExists(file)) {
        std::printf("\n%s: not found, sampled look-ups skipped (scripts/run builds it)\n",
                    core::toUtf8(file).c_str());
        return;
    }
    std::printf("\n%s: 200 sampled words per direction, milliseconds\n", core::toUtf8(file).c_str());
    std::printf("%-8s %6s %10s %10s %7s %12s %12s\n", "", "words", "search", "search", "listed",
                "translation", "translation");
    std::printf("%-8s %6s %10s %10s %7s %12s %12s\n", "", "", "median", "p95", "", "median", "p95");
    data::Connection cn;
    cn.Open(connectionString(folder, name), L"", L"", -1);
    const char* names[] = {"En - Tr", "En - Ru", "Ru - En", "Ru - Tr", "Tr - En", "Tr - Ru"};
    for (int direction = 1; direction <= 6; ++direction) {
        auto words = sampleWords(file, app::direction(direction)->source, 200, 1000u + direction);
        if (words.empty()) continue;
        lookUp(cn, direction, words[0]); // warm the cache
        std::vector<double> search, translation;
        for (const auto& word : words) {
            auto [s, t] = lookUp(cn, direction, word);
            search.push_back(s);
            if (t >= 0) translation.push_back(t);
        }
        std::printf("%-8s %6zu %10.2f %10.2f %7zu %12.2f %12.2f\n", names[direction - 1], words.size(),
                    median(search), percentile95(search), translation.size(),
                    translation.empty() ? 0.0 : median(translation),
                    translation.empty() ? 0.0 : percentile95(translation));
        std::fflush(stdout);
    }
}

// The working set as Windows reports it; under Wine it follows the host's resident size.
std::string residentMemory() {
    std::string out;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        out += "working set " + std::to_string(pmc.WorkingSetSize / (1024 * 1024)) + " MB, peak " +
               std::to_string(pmc.PeakWorkingSetSize / (1024 * 1024)) + " MB";
    return out;
}

// ---- The whole-file check on first opening (data layer) ----
// Each database is checked through ("pragma quick_check") once per process, on its first open.
// Reports what that costs for the dictionary scripts/run builds beside the program (when there is
// one) and for the synthetic one: the check alone, and a first open against a later one.
void reportCheckCost(const std::wstring& syntheticFolder) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring programFolder = exe;
    programFolder = programFolder.substr(0, programFolder.find_last_of(L'\\'));
    struct Target {
        const char* label;
        std::wstring folder;
    } targets[] = {{"built dictionary", app::databasePaths(programFolder).folder},
                   {"synthetic dictionary", syntheticFolder}};
    for (const auto& t : targets) {
        std::wstring file = t.folder + L"\\dat.vex";
        if (!core::fileExists(file)) {
            std::printf("quick_check, %s: no %s\n", t.label, core::toUtf8(file).c_str());
            continue;
        }
        WIN32_FILE_ATTRIBUTE_DATA info{};
        GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &info);
        double megabytes =
            (static_cast<double>(info.nFileSizeHigh) * 4294967296.0 + info.nFileSizeLow) / 1048576.0;
        double start = now();
        data::Connection cn;
        cn.Open(connectionString(t.folder, L"dat.vex"), L"", L"", -1);
        cn.Close();
        double first = now() - start;
        start = now();
        cn.Open(connectionString(t.folder, L"dat.vex"), L"", L"", -1);
        cn.Close();
        double later = now() - start;
        std::vector<double> checks;
        data::Database db(file);
        for (int i = 0; i < 5; ++i) {
            start = now();
            db.scalar(L"pragma quick_check");
            checks.push_back(now() - start);
        }
        std::printf(
            "quick_check, %s (%.1f MB): check alone median %.1f ms; first open %.1f ms, later open %.1f ms\n",
            t.label, megabytes, median(checks), first, later);
    }
    std::printf("\n");
    std::fflush(stdout);
}
// ---- end of the whole-file check ----

int run(const std::wstring& folder, const std::wstring& dictionary) {
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring fts = folder + L"\\dat.vex", plain = folder + L"\\plain.vex";
    if (GetFileAttributesW(fts.c_str()) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesW(plain.c_str()) == INVALID_FILE_ATTRIBUTES || !sealedWhole(fts)) {
        std::printf("building %d synthetic rows in %s ...\n", kRows, core::toUtf8(folder).c_str());
        std::fflush(stdout);
        double start = now();
        writePlain(plain + L".part");
        MoveFileExW((plain + L".part").c_str(), plain.c_str(), MOVEFILE_REPLACE_EXISTING);
        writeIndexed(fts + L".part", plain);
        MoveFileExW((fts + L".part").c_str(), fts.c_str(), MOVEFILE_REPLACE_EXISTING);
        std::printf("built in %.1f s\n", (now() - start) / 1000.0);
    }

    reportCheckCost(folder);
    // Opening costs the same for every search: the forms open and close the database each time.
    {
        std::vector<double> opens;
        for (int i = 0; i < 21; ++i) {
            double start = now();
            data::Connection cn;
            cn.Open(connectionString(folder, L"dat.vex"), L"", L"", -1);
            cn.Close();
            opens.push_back(now() - start);
        }
        std::printf("Connection.Open + Close: median %.2f ms\n\n", median(opens));
    }

    std::printf("%-22s %8s %12s %12s %8s\n", "key", "hits", "trigram ms", "plain ms", "ratio");
    std::wstring rare = kRare;
    std::wstring common = L"kalomine";
    struct Case {
        std::wstring key;
        const char* kind;
    };
    std::vector<Case> cases;
    for (int n = 3; n <= 8; ++n) cases.push_back({L"@" + rare.substr(0, n), "few"});
    for (int n = 3; n <= 8; ++n) cases.push_back({L"@" + common.substr(0, n), "many"});
    cases.push_back({L"@q", "slow: 1 letter"});
    cases.push_back({L"@k", "slow: 1 letter"});
    cases.push_back({L"<>к", "slow: 1 letter"});
    cases.push_back({L"@ka", "2 letters"});
    for (const auto& c : cases) {
        Timing a = measure(folder, L"dat.vex", c.key, 21);
        Timing b = measure(folder, L"plain.vex", c.key, 5);
        std::string label = core::toUtf8(c.key) + " (" + c.kind + ")";
        std::printf("%-22s %8ld %12.2f %12.2f %7.0fx%s\n", label.c_str(), a.hits, a.ms, b.ms, b.ms / a.ms,
                    a.hits == b.hits ? "" : "  (hits differ!)");
        std::fflush(stdout);
    }
    sampledLookUps(folder, L"dat.vex");
    size_t slash = dictionary.find_last_of(L"\\/");
    sampledLookUps(dictionary.substr(0, slash), dictionary.substr(slash + 1));
    std::printf("\nmemory: %s\n", residentMemory().c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring program = exe;
        program = program.substr(0, program.find_last_of(L'\\'));
        std::wstring folder = argc > 1 ? core::fromUtf8(argv[1]) : program + L"\\bench-data";
        std::wstring dictionary = argc > 2 ? core::fromUtf8(argv[2]) : app::databasePaths(program).dictionary;
        return run(folder, dictionary);
    } catch (const core::RuntimeError& e) {
        std::fprintf(stderr, "bench_lookup: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_lookup: %s\n", e.what());
    }
    return 1;
}
