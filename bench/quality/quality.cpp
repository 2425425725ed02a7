// bench_quality <database folder> <word lists folder> [dict output folder] [--misses] [--unjudged]
//               [--main-lists]
// Looks up the everyday words of everyday.tsv in the dat.vex of the database folder as the main
// window does and prints, for each direction, how many are found, show an expected translation,
// come first among their own phrases, and how many lists show a word twice or list a headword
// whose translation list is empty. With dict's output (written by bench/quality/run) it prints the
// share of the first translations of dict's senses that the program shows for the same headwords,
// how many Russian and Turkish words "Ru - Tr" and "Tr - Ru" list at all, what they show for the
// README's "банк" and "banka", and with judged.tsv the precision and recall of "Ru - Tr" and
// "Tr - Ru" on the everyday words and on the words of heldout.tsv to heldout9.tsv, each set apart.
// --misses names each word behind a figure that falls short, and each listed Russian-Turkish
// translation judged wrong; --unjudged lists only the Russian-Turkish pairs the program shows that
// judged.tsv does not judge yet; --main-lists looks up as the program of commit 5839e26 did (see
// ProgramLookup).
#include "dict_senses.h"
#include "program_lookup.h"
#include "word_lists.h"

#include "app/lookup.h"
#include "platform/core/runtime_error.h"
#include "platform/core/text.h"
#include "platform/data/text.h"
#include "tools/dictd.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using quality::Judgements;
using quality::ProgramLookup;
using quality::Sample;
using quality::tsv;
using Words = std::vector<std::wstring>;

const char* const kNames[] = {"", "En - Tr", "En - Ru", "Ru - En", "Ru - Tr", "Tr - En", "Tr - Ru"};

Words alternatives(const std::wstring& field) {
    Words out(1);
    for (wchar_t c : field) {
        if (c == L'|')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

void print(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string percent(size_t part, size_t whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%",
                  whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

// One everyday word: its language ("en", "ru", "tr") and the translations expected in the two
// other languages, in the order English, Russian, Turkish.
struct Everyday {
    std::wstring language, word;
    std::map<int, Words> expected; // by direction
};

std::vector<Everyday> everydayWords(const std::wstring& file) {
    std::vector<Everyday> out;
    for (const auto& row : tsv(file)) {
        if (row.size() < 4) throw std::runtime_error("everyday.tsv: a line needs four fields");
        Everyday e{row[0], row[1], {}};
        // The other two languages in the order English, Russian, Turkish, as directions.
        if (e.language == L"en") {
            e.expected[2] = alternatives(row[2]);
            e.expected[1] = alternatives(row[3]);
        } else {
            int first = e.language == L"ru" ? 3 : 5;
            e.expected[first] = alternatives(row[2]);
            e.expected[first + 1] = alternatives(row[3]);
        }
        out.push_back(e);
    }
    return out;
}

struct DirectionFigures {
    size_t words = 0, found = 0, expected = 0, first = 0, twice = 0, listed = 0, empty = 0;
};

void everydayFigures(ProgramLookup& lookup, const std::vector<Everyday>& words, bool verbose) {
    auto miss = [&](int direction, const std::wstring& word, const char* what) {
        if (verbose) print("  " + std::string(kNames[direction]) + " " + core::toUtf8(word) + ": " + what);
    };
    std::map<int, DirectionFigures> figures;
    size_t en = 0, ru = 0, tr = 0;
    for (const auto& e : words) {
        (e.language == L"en" ? en : e.language == L"ru" ? ru : tr)++;
        for (const auto& [direction, expected] : e.expected) {
            DirectionFigures& f = figures[direction];
            ++f.words;
            Words list = lookup.headwords(direction, e.word);
            auto at = std::find(list.begin(), list.end(), e.word);
            std::set<std::wstring> distinct(list.begin(), list.end());
            if (distinct.size() != list.size()) {
                ++f.twice;
                miss(direction, e.word, "a word shown twice");
            }
            if (at == list.end()) {
                miss(direction, e.word, "not found");
                continue;
            }
            ++f.found;
            // Its own phrases: the listed headwords that begin with the word and a blank.
            bool first = true;
            for (auto it = list.begin(); it != at; ++it) first = first && it->rfind(e.word + L" ", 0) != 0;
            f.first += first;
            if (!first) miss(direction, e.word, "after one of its phrases");
            Words shown = lookup.translations(direction, e.word);
            bool expectedShown = std::any_of(expected.begin(), expected.end(), [&](const std::wstring& w) {
                return std::find(shown.begin(), shown.end(), w) != shown.end();
            });
            f.expected += expectedShown;
            if (!expectedShown) miss(direction, e.word, "no expected translation");
            for (const auto& h : list) {
                ++f.listed;
                if (lookup.translations(direction, h).empty()) {
                    ++f.empty;
                    miss(direction, h, "listed without a translation");
                }
            }
        }
    }
    print("everyday words: " + std::to_string(en) + " English, " + std::to_string(ru) + " Russian, " +
          std::to_string(tr) + " Turkish");
    for (const auto& [direction, f] : figures)
        print(std::string(kNames[direction]) + ": found " + std::to_string(f.found) + " of " +
              std::to_string(f.words) + ", expected translation shown " + std::to_string(f.expected) +
              ", first of its own phrases " + std::to_string(f.first) + ", lists showing a word twice " +
              std::to_string(f.twice) + ", listed headwords " + std::to_string(f.listed) +
              " of which with no translation " + std::to_string(f.empty));
}

// dict's output for a source: blocks "@@@ <set> <headword>" followed by what dict printed.
struct DictBlock {
    std::wstring set, headword, output;
};

std::vector<DictBlock> dictBlocks(const std::wstring& file) {
    std::vector<DictBlock> out;
    std::wstring text = core::fromUtf8(tools::readFileBytes(file));
    size_t at = 0;
    while ((at = text.find(L"@@@ ", at)) != std::wstring::npos) {
        size_t eol = text.find(L'\n', at);
        size_t next = text.find(L"\n@@@ ", eol);
        std::wstring head = text.substr(at + 4, eol - at - 4);
        size_t blank = head.find(L' ');
        out.push_back({head.substr(0, blank), head.substr(blank + 1),
                       text.substr(eol + 1, next == std::wstring::npos ? std::wstring::npos : next - eol)});
        at = next == std::wstring::npos ? text.size() : next + 1;
    }
    return out;
}

void dictFigures(ProgramLookup& lookup, const std::wstring& folder, bool verbose) {
    struct Source {
        const wchar_t* file;
        int direction;
        quality::Layout layout;
    };
    const Source sources[] = {{L"mueller7.txt", 2, quality::Layout::Mueller},
                              {L"fd-eng-rus.txt", 2, quality::Layout::Numbered},
                              {L"fd-eng-tur.txt", 1, quality::Layout::Numbered}};
    // direction, set -> shown, senses
    std::map<std::pair<int, std::wstring>, std::pair<size_t, size_t>> totals;
    std::map<std::pair<int, std::wstring>, Words> shownCache;
    for (const auto& s : sources) {
        for (const auto& block : dictBlocks(folder + L"\\" + s.file)) {
            auto items = quality::firstTranslations(block.output, s.layout, s.direction == 2);
            if (items.empty()) continue;
            // What the program shows for the headword, and for the names the articles give it.
            Words shown;
            Words names = quality::articleNames(block.output);
            names.push_back(block.headword);
            for (const auto& name : names) {
                auto key = std::make_pair(s.direction, name);
                if (!shownCache.count(key)) shownCache[key] = lookup.translations(s.direction, name);
                shown.insert(shown.end(), shownCache[key].begin(), shownCache[key].end());
            }
            auto& total = totals[{s.direction, block.set}];
            for (const auto& item : items) {
                bool found = std::find(shown.begin(), shown.end(), item) != shown.end();
                total.first += found;
                ++total.second;
                if (!found && verbose)
                    print("  not shown: " + std::string(kNames[s.direction]) + " " +
                          core::toUtf8(block.headword) + " -> " + core::toUtf8(item));
            }
        }
    }
    for (const auto& [key, total] : totals)
        print(std::string("dict's first translations shown, ") + kNames[key.first] + ", " +
              core::toUtf8(key.second) + " headwords: " + std::to_string(total.first) + " of " +
              std::to_string(total.second) + " (" + percent(total.first, total.second) + ")");
}

// Precision and recall of "Ru - Tr" on the Russian words of a sample and of "Tr - Ru" on its
// Turkish words; a sample word is a pair of its language ("ru", "tr") and the word.
void judgedFigures(ProgramLookup& lookup, const Sample& sample, const std::string& label,
                   const Judgements& right, bool unjudged, bool verbose) {
    for (int direction : {4, 6}) {
        const std::wstring language = direction == 4 ? L"ru" : L"tr";
        size_t sampled = 0, listed = 0, good = 0, covered = 0, open = 0;
        for (const auto& [wordLanguage, word] : sample) {
            if (wordLanguage != language) continue;
            ++sampled;
            Words list = lookup.headwords(direction, word);
            Words shown;
            if (std::find(list.begin(), list.end(), word) != list.end())
                shown = lookup.translations(direction, word);
            bool any = false;
            size_t wordGood = 0;
            Words wrong;
            for (const auto& t : shown) {
                auto pair = direction == 4 ? std::make_pair(word, t) : std::make_pair(t, word);
                auto it = right.find(pair);
                if (it == right.end()) {
                    ++open;
                    if (unjudged) print(core::toUtf8(pair.first + L"\t" + pair.second));
                    continue;
                }
                ++listed;
                good += it->second;
                wordGood += it->second;
                any = any || it->second;
                if (!it->second) wrong.push_back(t);
            }
            covered += any;
            if (verbose)
                for (const auto& t : wrong)
                    print("  " + std::string(kNames[direction]) + " " + core::toUtf8(word) + ": " +
                          core::toUtf8(t) + " is wrong (" + std::to_string(shown.size()) + " listed, " +
                          std::to_string(wordGood) + " right)");
        }
        print(std::string(kNames[direction]) + ", " + std::to_string(sampled) + " " + label + ": " +
              std::to_string(good) + " of " + std::to_string(listed) +
              " listed translations right, precision " + percent(good, listed) + "; " +
              std::to_string(covered) + " words with a right one, recall " + percent(covered, sampled) +
              "; unjudged " + std::to_string(open));
    }
}

// How many Russian and Turkish words "Ru - Tr" and "Tr - Ru" list: those that share a record with
// a word of the other language.
void joinedFigures(ProgramLookup& lookup) {
    std::set<std::wstring> russian, turkish;
    std::set<std::pair<std::wstring, std::wstring>> pairs;
    for (const auto& record : lookup.records()) {
        auto r = app::shownWord(record, app::RecordLanguage::Russian);
        auto t = app::shownWord(record, app::RecordLanguage::Turkish);
        if (!r || !t) continue;
        russian.insert(*r);
        turkish.insert(*t);
        pairs.emplace(*r, *t);
    }
    print("Ru - Tr and Tr - Ru: " + std::to_string(russian.size()) + " Russian and " +
          std::to_string(turkish.size()) + " Turkish words joined, in " + std::to_string(pairs.size()) +
          " pairs");
}

// What the look-up shows for a word of the README.
void shownFigure(ProgramLookup& lookup, int direction, const std::wstring& word) {
    std::string line = std::string(kNames[direction]) + " " + core::toUtf8(word) + ":";
    for (const auto& t : lookup.translations(direction, word)) line += " " + core::toUtf8(t);
    print(line);
}

int run(int argc, wchar_t** argv) {
    Words args(argv + 1, argv + argc);
    bool unjudged = std::find(args.begin(), args.end(), L"--unjudged") != args.end();
    bool verbose = std::find(args.begin(), args.end(), L"--misses") != args.end();
    bool mainLists = std::find(args.begin(), args.end(), L"--main-lists") != args.end();
    args.erase(std::remove_if(args.begin(), args.end(),
                              [](const std::wstring& a) { return a.rfind(L"--", 0) == 0; }),
               args.end());
    if (args.size() < 2) {
        std::fputs("usage: bench_quality <database folder> <word lists folder> [dict output folder] "
                   "[--unjudged] [--misses] [--main-lists]\n",
                   stderr);
        return 2;
    }
    ProgramLookup lookup(args[0], mainLists);
    auto words = everydayWords(args[1] + L"\\everyday.tsv");
    print("dictionary: " + core::toUtf8(args[0]) + "\\dat.vex");
    if (!unjudged) everydayFigures(lookup, words, verbose);
    if (args.size() > 2 && !unjudged) dictFigures(lookup, args[2], verbose);
    const Judgements right = quality::judgements(args[1] + L"\\judged.tsv");
    Sample everyday;
    for (const auto& e : words) everyday.emplace_back(e.language, e.word);
    if (!unjudged) {
        joinedFigures(lookup);
        shownFigure(lookup, 4, L"банк");
        shownFigure(lookup, 6, L"banka");
    }
    judgedFigures(lookup, everyday, "everyday words", right, unjudged, verbose);
    for (const wchar_t* file : quality::kJudgedLists)
        judgedFigures(lookup, quality::sample(args[1] + L"\\" + file), "words of " + core::toUtf8(file),
                      right, unjudged, verbose);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return run(argc, argv);
    } catch (const core::RuntimeError& e) {
        std::fprintf(stderr, "bench_quality: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_quality: %s\n", e.what());
    }
    return 1;
}
