// bench_pairing_ceiling <dictd folder> <word lists folder>
// How right "Ru - Tr" and "Tr - Ru" can be made from what the four English sources tell alone (the
// builder also weighs other languages' dictionaries, which this leaves out). A logistic
// rule is fitted to every judged pair of judged.tsv that meets through English, so it has seen the
// very answers it is measured on: what it cannot reach, no rule over this evidence of its kind
// reaches on these words. Three kinds of rule over its probability p are tried, on a grid:
//   kept:   the pairs the English rule joins, kept where p >= a;
//   added:  those, and a pair one of its words ranks first by p where p >= b;
//   chosen: a pair both words rank first by p, where p >= a, and a pair one of them ranks first,
//           where p >= b.
// A rule counts when it joins no fewer Russian and Turkish words than 17,031 and 17,278, and, under
// "all floors", leaves no fewer words with a right translation than 56 and 54 of the 60 everyday
// words and 37 and 38 of the 40 held-out words. For each kind the rule whose precision over the
// held-out sets from the second on, taken together, the lower of its two directions, is highest is
// printed with its figures, beside the English rule's own. Last comes what the English rule's wrong
// translations on those sets stand beside.
#include "../quality/word_lists.h"

#include "tools/builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using tools::PairEvidence;

constexpr size_t kJoinedRussian = 17031, kJoinedTurkish = 17278;

void print(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string fixed(double value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

// --- The measures a rule sees ---------------------------------------------------------------------

// 25 measures of a pair's evidence, after a constant 1 that carries the rule's bias.
constexpr size_t kMeasures = 26;
using Measures = std::array<double, kMeasures>;

double logistic(double s) {
    return 1.0 / (1.0 + std::exp(-std::clamp(s, -30.0, 30.0)));
}

std::vector<Measures> measuresOf(const std::vector<PairEvidence>& pairs) {
    std::unordered_map<std::wstring, double> russianBest, turkishBest;
    for (const auto& e : pairs) {
        russianBest[e.russian] = std::max(russianBest[e.russian], e.russianShare);
        turkishBest[e.turkish] = std::max(turkishBest[e.turkish], e.turkishShare);
    }
    auto log = [](double x) { return std::log(std::max(x, 1e-6)); };
    auto words = [](const std::wstring& s) { return std::count(s.begin(), s.end(), L' '); };
    std::vector<Measures> out;
    out.reserve(pairs.size());
    for (const auto& e : pairs) {
        out.push_back({1.0,
                       log(e.russianShare),
                       log(e.turkishShare),
                       log(e.russianShare / russianBest[e.russian]),
                       log(e.turkishShare / turkishBest[e.turkish]),
                       e.russianRank == 0 ? 1.0 : 0.0,
                       e.turkishRank == 0 ? 1.0 : 0.0,
                       e.russianRank == 1 ? 1.0 : 0.0,
                       e.turkishRank == 1 ? 1.0 : 0.0,
                       std::log(e.headwords),
                       std::log(e.distinct),
                       e.distinct == 1 ? 1.0 : 0.0,
                       e.firstBoth ? 1.0 : 0.0,
                       e.alike ? 1.0 : 0.0,
                       e.candidate ? 1.0 : 0.0,
                       e.agreed > 0 ? 1.0 : 0.0,
                       std::log1p(e.agreed),
                       std::log1p(static_cast<double>(e.russianSpread)),
                       std::log1p(static_cast<double>(e.turkishSpread)),
                       words(e.russian) != words(e.turkish) ? 1.0 : 0.0,
                       log(e.weight),
                       std::log1p(e.russianPartners),
                       std::log1p(e.turkishPartners),
                       std::log1p(e.bothRussianSources),
                       std::log1p(e.turkishEnglish),
                       std::log1p(e.turkishEnglishFirst)});
    }
    return out;
}

// Logistic regression by gradient descent on the measures made standard, with a light penalty on
// the weights; the same data give the same weights.
std::vector<double> fitted(const std::vector<Measures>& x, const std::vector<double>& y) {
    const size_t n = x.size();
    Measures mean{}, spread{};
    for (const auto& row : x)
        for (size_t j = 1; j < kMeasures; ++j) mean[j] += row[j] / static_cast<double>(n);
    for (const auto& row : x)
        for (size_t j = 1; j < kMeasures; ++j) spread[j] += (row[j] - mean[j]) * (row[j] - mean[j]);
    spread[0] = 1;
    for (size_t j = 1; j < kMeasures; ++j)
        spread[j] = std::max(1e-6, std::sqrt(spread[j] / static_cast<double>(n)));
    std::vector<Measures> z(n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < kMeasures; ++j) z[i][j] = (x[i][j] - mean[j]) / spread[j];
    std::vector<double> w(kMeasures, 0.0);
    const double rate = 0.5, penalty = 5.0 / static_cast<double>(n);
    for (int round = 0; round < 600; ++round) {
        std::vector<double> gradient(kMeasures, 0.0);
        for (size_t i = 0; i < n; ++i) {
            double s = 0;
            for (size_t j = 0; j < kMeasures; ++j) s += w[j] * z[i][j];
            const double error = logistic(s) - y[i];
            for (size_t j = 0; j < kMeasures; ++j) gradient[j] += error * z[i][j];
        }
        for (size_t j = 0; j < kMeasures; ++j)
            w[j] -= rate * (gradient[j] / static_cast<double>(n) + (j ? penalty * w[j] : 0.0));
    }
    // Back to the measures as they are.
    std::vector<double> out(kMeasures);
    out[0] = w[0];
    for (size_t j = 1; j < kMeasures; ++j) {
        out[j] = w[j] / spread[j];
        out[0] -= w[j] * mean[j] / spread[j];
    }
    return out;
}

// --- Figures ------------------------------------------------------------------------------------------

struct SetFigures {
    size_t listed = 0, right = 0, covered = 0, words = 0;
    double precision() const {
        return listed ? 100.0 * static_cast<double>(right) / static_cast<double>(listed) : 0;
    }
};

struct Figures {
    size_t russianJoined = 0, turkishJoined = 0;
    std::vector<std::array<SetFigures, 2>> sets; // everyday, then the held-out sets; Ru - Tr, Tr - Ru
};

class Judge {
public:
    Judge(const std::vector<PairEvidence>& pairs, const quality::Judgements& right,
          const std::vector<quality::Sample>& samples)
        : pairs_(pairs), right_(right), samples_(samples) {
        for (size_t i = 0; i < pairs.size(); ++i) {
            russianPairs_[pairs[i].russian].push_back(i);
            turkishPairs_[pairs[i].turkish].push_back(i);
        }
    }

    Figures figures(const std::vector<bool>& joined) const {
        Figures f;
        std::unordered_map<std::wstring, bool> russian, turkish;
        for (size_t i = 0; i < pairs_.size(); ++i)
            if (joined[i]) russian[pairs_[i].russian] = turkish[pairs_[i].turkish] = true;
        f.russianJoined = russian.size();
        f.turkishJoined = turkish.size();
        for (const auto& sample : samples_) {
            std::array<SetFigures, 2> set{};
            for (const auto& [language, word] : sample) {
                const bool isRussian = language == L"ru";
                SetFigures& s = set[isRussian ? 0 : 1];
                ++s.words;
                const auto& index = isRussian ? russianPairs_ : turkishPairs_;
                auto at = index.find(word);
                if (at == index.end()) continue;
                bool any = false;
                for (size_t i : at->second) {
                    if (!joined[i]) continue;
                    auto judged = right_.find({pairs_[i].russian, pairs_[i].turkish});
                    if (judged == right_.end()) continue;
                    ++s.listed;
                    s.right += judged->second;
                    any = any || judged->second;
                }
                s.covered += any;
            }
            f.sets.push_back(set);
        }
        return f;
    }

    // What a wrong translation the rule lists for a word of the sets stands beside: a right one, none
    // (the word's only translation), or only wrong ones.
    std::array<size_t, 3> wrongBeside(const std::vector<bool>& joined, size_t fromSet) const {
        std::array<size_t, 3> out{};
        for (size_t k = fromSet; k < samples_.size(); ++k)
            for (const auto& [language, word] : samples_[k]) {
                const auto& index = language == L"ru" ? russianPairs_ : turkishPairs_;
                auto at = index.find(word);
                if (at == index.end()) continue;
                size_t listed = 0, right = 0;
                for (size_t i : at->second) {
                    auto judged = right_.find({pairs_[i].russian, pairs_[i].turkish});
                    if (!joined[i] || judged == right_.end()) continue;
                    ++listed;
                    right += judged->second;
                }
                const size_t wrong = listed - right;
                out[right ? 0 : listed == 1 ? 1 : 2] += wrong;
            }
        return out;
    }

private:
    const std::vector<PairEvidence>& pairs_;
    const quality::Judgements& right_;
    const std::vector<quality::Sample>& samples_;
    std::unordered_map<std::wstring, std::vector<size_t>> russianPairs_, turkishPairs_;
};

// Set 0 is the everyday words, set 1 the first held-out set; 2 on are the sets not tuned on.
constexpr size_t kFirstUntuned = 2;

bool keepsTheFloors(const Figures& f, bool all) {
    return f.russianJoined >= kJoinedRussian && f.turkishJoined >= kJoinedTurkish &&
           (!all || (f.sets[0][0].covered >= 56 && f.sets[0][1].covered >= 54 && f.sets[1][0].covered >= 37 &&
                     f.sets[1][1].covered >= 38));
}

// The sets from the second on taken together, in each direction.
std::array<SetFigures, 2> untuned(const Figures& f) {
    std::array<SetFigures, 2> out{};
    for (size_t k = kFirstUntuned; k < f.sets.size(); ++k)
        for (size_t d = 0; d < 2; ++d) {
            out[d].listed += f.sets[k][d].listed;
            out[d].right += f.sets[k][d].right;
            out[d].covered += f.sets[k][d].covered;
            out[d].words += f.sets[k][d].words;
        }
    return out;
}

double lowerUntuned(const Figures& f) {
    auto both = untuned(f);
    return std::min(both[0].precision(), both[1].precision());
}

void printFigures(const std::string& title, const Figures& f, const std::vector<std::string>& names) {
    auto both = untuned(f);
    print(title + ": " + std::to_string(f.russianJoined) + " Russian and " + std::to_string(f.turkishJoined) +
          " Turkish words joined; sets 2 to " + std::to_string(f.sets.size() - 1) + " together: Ru - Tr " +
          fixed(both[0].precision(), 1) + "%, Tr - Ru " + fixed(both[1].precision(), 1) + "%");
    for (size_t k = 0; k < f.sets.size(); ++k) {
        std::string line = "  " + names[k] + ":";
        for (int d = 0; d < 2; ++d) {
            const SetFigures& s = f.sets[k][static_cast<size_t>(d)];
            line += std::string(d ? "; Tr - Ru " : " Ru - Tr ") + std::to_string(s.right) + " of " +
                    std::to_string(s.listed) + " right, " + fixed(s.precision(), 1) + "%, " +
                    std::to_string(s.covered) + " of " + std::to_string(s.words) + " words with a right one";
        }
        print(line);
    }
}

int run(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: bench_pairing_ceiling <dictd folder> <word lists folder>\n", stderr);
        return 2;
    }
    const std::wstring lists = argv[2];
    const std::vector<PairEvidence> pairs = tools::pairEvidence(tools::lexiconFromDictd(argv[1]));
    const quality::Judgements right = quality::judgements(lists + L"\\judged.tsv");
    std::vector<quality::Sample> samples(1);
    std::vector<std::string> names = {"everyday words"};
    for (const auto& row : quality::tsv(lists + L"\\everyday.tsv"))
        if (row.size() >= 2 && row[0] != L"en") samples[0].emplace_back(row[0], row[1]);
    for (const auto& set : quality::kHeldOut) {
        samples.push_back(quality::sample(lists + L"\\" + set.file));
        names.push_back(set.label);
    }
    const Judge judge(pairs, right, samples);

    const std::vector<Measures> measures = measuresOf(pairs);
    std::vector<Measures> x;
    std::vector<double> y;
    for (size_t i = 0; i < pairs.size(); ++i)
        if (auto at = right.find({pairs[i].russian, pairs[i].turkish}); at != right.end()) {
            x.push_back(measures[i]);
            y.push_back(at->second ? 1.0 : 0.0);
        }
    const std::vector<double> w = fitted(x, y);
    std::vector<double> p(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        double s = 0;
        for (size_t j = 0; j < kMeasures; ++j) s += w[j] * measures[i][j];
        p[i] = logistic(s);
    }
    print("pairs that meet through English: " + std::to_string(pairs.size()) + "; judged " +
          std::to_string(x.size()) + ", of which right " +
          std::to_string(static_cast<size_t>(std::count(y.begin(), y.end(), 1.0))));

    std::vector<bool> today(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) today[i] = pairs[i].joined;
    printFigures("the English rule", judge.figures(today), names);

    // Whether one of a pair's words, or both, rank it first by p.
    std::unordered_map<std::wstring, double> russianTop, turkishTop;
    for (size_t i = 0; i < pairs.size(); ++i) {
        russianTop[pairs[i].russian] = std::max(russianTop[pairs[i].russian], p[i]);
        turkishTop[pairs[i].turkish] = std::max(turkishTop[pairs[i].turkish], p[i]);
    }
    std::vector<bool> oneFirst(pairs.size()), bothFirst(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        const bool russianFirst = p[i] == russianTop[pairs[i].russian];
        const bool turkishFirst = p[i] == turkishTop[pairs[i].turkish];
        oneFirst[i] = russianFirst || turkishFirst;
        bothFirst[i] = russianFirst && turkishFirst;
    }

    enum Kind { Kept, Added, Chosen, kKinds };
    const char* const kKindNames[kKinds] = {"the English rule's joins kept",
                                            "the English rule's joins and more", "pairs chosen by p"};
    struct Best {
        bool found = false;
        double score = -1, a = 0, b = 0;
        Figures figures;
    };
    Best best[kKinds][2]; // by kind; under all floors, under the floor of joined words only
    std::vector<bool> joined(pairs.size());
    auto consider = [&](Kind kind, double a, double b) {
        Figures f = judge.figures(joined);
        for (int floors = 0; floors < 2; ++floors) {
            Best& row = best[kind][floors];
            if (!keepsTheFloors(f, floors == 0)) continue;
            const double score = lowerUntuned(f);
            if (!row.found || score > row.score) row = {true, score, a, b, f};
        }
    };
    for (int ai = 0; ai < 100; ++ai) {
        const double a = ai / 100.0;
        for (size_t i = 0; i < pairs.size(); ++i) joined[i] = today[i] && p[i] >= a;
        consider(Kept, a, 0);
    }
    for (int ai = 0; ai <= 19; ++ai)
        for (int bi = ai; bi <= 20; ++bi) {
            const double a = ai / 20.0, b = bi / 20.0;
            for (size_t i = 0; i < pairs.size(); ++i)
                joined[i] = (today[i] && p[i] >= a) || (oneFirst[i] && p[i] >= b);
            consider(Added, a, b);
            for (size_t i = 0; i < pairs.size(); ++i)
                joined[i] = (bothFirst[i] && p[i] >= a) || (oneFirst[i] && p[i] >= b);
            consider(Chosen, a, b);
        }
    for (int floors = 0; floors < 2; ++floors) {
        const std::string under = floors == 0 ? "all floors" : "the floor of joined words only";
        for (int kind = 0; kind < kKinds; ++kind) {
            const Best& b = best[kind][floors];
            const std::string rule =
                kind == Kept    ? "the English rule's joins kept where p >= " + fixed(b.a, 2)
                : kind == Added ? "the English rule's joins where p >= " + fixed(b.a, 2) +
                                      " and pairs one word ranks first where p >= " + fixed(b.b, 2)
                                : "pairs both words rank first where p >= " + fixed(b.a, 2) +
                                      " and pairs one word ranks first where p >= " + fixed(b.b, 2);
            if (b.found)
                printFigures(under + ", " + rule, b.figures, names);
            else
                print(under + ", " + kKindNames[kind] + ": no rule of this kind keeps them");
        }
    }

    const auto beside = judge.wrongBeside(today, kFirstUntuned);
    print("the English rule's wrong translations on sets 2 to " + std::to_string(samples.size() - 1) + ": " +
          std::to_string(beside[0]) + " beside a right one, " + std::to_string(beside[1]) +
          " a word's only translation, " + std::to_string(beside[2]) + " among wrong ones only");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_pairing_ceiling: %s\n", e.what());
    }
    return 1;
}
