// Which Russian and Turkish words share a row. No source pairs the two languages; they meet through
// the English headwords both translate. Words that meet through many headwords, or through headwords
// where both stand first, in several sources, are each other's translation; words that meet once,
// far down the senses of one headword, mostly are not, nor are words of senses far apart or a noun
// and a word that translates adjectives. So the pairing weighs, for every two words that meet, the
// share each has of the other's weight among its headwords, and joins a word with its best partner
// and those that come near it. What the first senses of a headword agree on is kept where nothing
// weighs against it. Dictionaries of other languages into Russian and Turkish are witnesses apart
// from English: where they bear a word's pairs out, they decide its partners among the words it meets.
//
// The stages run in the order of this file, each with its constants beside it. docs/pairing.md is
// the design note: what each constant does, how its value was chosen and on which judged words of
// bench/quality, which constants were never tuned, and the figures.
#include "tools/pairing.h"

#include "tools/cognate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <utility>

namespace tools {

namespace {

enum Kind { Verb, Other };

bool russianInfinitive(const std::wstring& phrase) {
    std::wstring word = phrase.substr(0, phrase.find(L' '));
    for (const wchar_t* end : {L"ть", L"ться", L"ти", L"тись", L"чь", L"чься"}) {
        std::wstring e(end);
        if (word.size() >= e.size() && word.compare(word.size() - e.size(), e.size(), e) == 0) return true;
    }
    return false;
}

// The one rule for whether a Russian word is a verb: its sense says so, or, where the sense names no
// part of speech (the small English-Russian source), the word looks like an infinitive. A sense is
// of its first word's kind.
Kind russianKind(const std::wstring& word, const Sense& sense) {
    if (sense.pos.empty()) return russianInfinitive(word) ? Verb : Other;
    return sense.pos == L"v" ? Verb : Other;
}

// A Turkish infinitive is a verb only where the headword has a Russian verb: "ırmak" (river) and
// "ekmek" (bread) look like infinitives.
Kind turkishKind(const Sense& sense, bool russianVerbs) {
    return sense.pos == L"v" && russianVerbs ? Verb : Other;
}

bool hasRussianVerbs(const Headword& entry) {
    return std::any_of(entry.russian.begin(), entry.russian.end(),
                       [](const Sense& s) { return russianKind(s.words.front(), s) == Verb; });
}

// --- What the first senses agree on --------------------------------------------------------------

struct Agreed {
    const std::wstring* russian;
    const std::wstring* turkish;
    bool leads; // both lead a first sense, so their spreads must compare
};

// The words that lead the first sense of a kind in both languages, and a Turkish word whose own
// article gives the headword first with the Russian word that leads the headword's senses of its
// kind.
class Agreement {
public:
    explicit Agreement(const Headword& entry) : entry_(entry), russianVerbs_(hasRussianVerbs(entry)) {}

    std::vector<Agreed> pairs() const {
        std::vector<Agreed> out;
        for (Kind kind : {Verb, Other}) {
            const std::wstring* russian = russianLead(kind);
            const std::wstring* turkish = turkishLead(kind);
            if (russian && turkish) out.push_back({russian, turkish, true});
        }
        for (const auto& turkish : entry_.turkishFirst)
            if (const std::wstring* russian = russianLead(kindOf(turkish)))
                out.push_back({russian, &turkish, false});
        return out;
    }

private:
    const Headword& entry_;
    bool russianVerbs_;

    const std::wstring* russianLead(Kind kind) const {
        for (const auto& sense : entry_.russian)
            if (russianKind(sense.words.front(), sense) == kind) return &sense.words.front();
        return nullptr;
    }
    const std::wstring* turkishLead(Kind kind) const {
        for (const auto& sense : entry_.turkish)
            if (turkishKind(sense, russianVerbs_) == kind) return &sense.words.front();
        return nullptr;
    }
    Kind kindOf(const std::wstring& turkish) const {
        for (const auto& sense : entry_.turkish)
            for (const auto& word : sense.words)
                if (word == turkish) return turkishKind(sense, russianVerbs_);
        return Other;
    }
};

// --- Stage 1: the weighed evidence ---------------------------------------------------------------

// A word weighs 1 where it leads the first sense of its kind under a headword, times the sources
// that give it there; less after the first word of its sense, and less again in a later sense.
constexpr double kLaterWord = 0.7;   // a sense's first word is its usual rendering
constexpr double kLaterSense = 0.65; // the sources list a headword's common senses first

// The parts of speech other than the verb that the English-Russian source names, as bits.
using Parts = std::uint8_t;
constexpr int kPartCount = 6;
Parts partOf(const std::wstring& pos) {
    static const wchar_t* const names[kPartCount] = {L"n", L"a", L"adv", L"prep", L"pron", L"cj"};
    for (int i = 0; i < kPartCount; ++i)
        if (pos == names[i]) return static_cast<Parts>(1u << i);
    return 0;
}

// How many words more one piece has than the other.
size_t wordGap(const std::wstring& a, const std::wstring& b) {
    auto blanks = [](const std::wstring& s) {
        return static_cast<size_t>(std::count(s.begin(), s.end(), L' '));
    };
    size_t x = blanks(a), y = blanks(b);
    return x > y ? x - y : y - x;
}

// Where a word stands among one headword's senses of its kind: the sense's rank among them and the
// word's rank in its sense.
struct Place {
    int sense = 0;
    int word = 0;
    bool operator<(const Place& o) const { return sense != o.sense ? sense < o.sense : word < o.word; }
    double weight() const { return (word == 0 ? 1.0 : kLaterWord) * (sense == 0 ? 1.0 : kLaterSense); }
};

// The words of a language get numbers, so that a pair is one integer.
class Words {
public:
    int of(const std::wstring& word) {
        if (auto at = ids_.find(word); at != ids_.end()) return at->second;
        auto at = ids_.emplace(word, static_cast<int>(words_.size())).first;
        words_.push_back(&at->first);
        return at->second;
    }
    int find(const std::wstring& word) const {
        auto at = ids_.find(word);
        return at == ids_.end() ? -1 : at->second;
    }
    const std::wstring& word(int id) const { return *words_[static_cast<size_t>(id)]; }
    size_t size() const { return words_.size(); }

private:
    std::unordered_map<std::wstring, int> ids_;
    std::vector<const std::wstring*> words_;
};

// What one headword says of one word: how many sources give it, its best place in each kind, and
// for a Russian word the parts of speech of the senses that give it.
struct Standing {
    int id = 0;
    int sources = 0;
    bool in[2] = {false, false};
    Place best[2];
    Kind kind = Other; // a Turkish word's, as the rows' senses give it
    Parts parts = 0;
};

// The standings of one headword's words of one language, found by word number.
class Standings {
public:
    void clear() {
        ++stamp_;
        list_.clear();
    }
    Standing& of(int id) {
        if (static_cast<size_t>(id) >= slot_.size()) {
            slot_.resize(static_cast<size_t>(id) + 1, 0);
            seen_.resize(static_cast<size_t>(id) + 1, 0);
        }
        if (seen_[static_cast<size_t>(id)] != stamp_) {
            seen_[static_cast<size_t>(id)] = stamp_;
            slot_[static_cast<size_t>(id)] = list_.size();
            list_.push_back({});
            list_.back().id = id;
        }
        return list_[slot_[static_cast<size_t>(id)]];
    }
    void place(int id, Kind kind, Place at) {
        Standing& s = of(id);
        if (!s.in[kind] || at < s.best[kind]) s.best[kind] = at;
        s.in[kind] = true;
    }
    const std::vector<Standing>& list() const { return list_; }

private:
    std::vector<Standing> list_;
    std::vector<size_t> slot_;
    std::vector<unsigned> seen_;
    unsigned stamp_ = 1;
};

using PairKey = std::uint64_t;
PairKey keyOf(int russian, int turkish) {
    return (static_cast<PairKey>(static_cast<std::uint32_t>(russian)) << 32) |
           static_cast<std::uint32_t>(turkish);
}
int russianOfKey(PairKey key) {
    return static_cast<int>(key >> 32);
}
int turkishOfKey(PairKey key) {
    return static_cast<int>(key & 0xFFFFFFFFu);
}

// Two words that meet under one headword in one kind weigh their weights multiplied, less for each
// sense that stands between theirs, up to a few: words of senses far apart mostly translate
// different senses ("письмо" in the second sense of "mail" with "posta" of the first).
constexpr double kPerSenseApart = 0.6;
constexpr int kSensesApartCounted = 3; // further apart is no surer a different sense

struct Product {
    PairKey key;
    double weight; // the two words' weights multiplied
    int headword;
    Parts parts;    // the Russian word's there, for words other than verbs
    bool firstBoth; // both stand in the first sense of their kind
};

struct Meeting {
    PairKey key = 0;
    double weight = 0; // summed over the headwords of a kind both translate
    int headwords = 0; // of a kind: a headword that holds both as verbs and as other words counts twice
    int distinct = 0;  // English headwords
    bool firstBoth = false;
    double russianShare = 0; // the weight as a share of the Russian word's whole weight
    double turkishShare = 0;
    double share = 0; // the smaller
    bool alike = false;
    bool candidate = false;
    bool joined = false;
    int witnesses = 0; // the other languages that give the pair for one of their headwords
};

// Summed over the headwords, a pair's weight counts twice when its words are spelled alike ("банк"
// and "banka"), and less for each word one piece has more than the other: a phrase against a word
// is mostly a description ("dişi koyun" for "овца"), not a translation.
constexpr double kSpelledAlike = 2.0;
constexpr double kPerExtraWord = 0.4;
// Words that meet through fewer headwords than this are weighed only where both stand in the first
// sense of their kind, where they are spelled alike, or where enough other languages give them: one
// meeting behind the first senses is mostly one headword read two ways.
constexpr int kWeighedHeadwords = 2;
// Other languages that give a pair for one of their headwords, enough to make it a translation on
// their own ("песня" and "şarkı", which meet once through English).
constexpr int kWitnessed = 3;

class Evidence {
public:
    Evidence(const Lexicon& lexicon, const Witnesses& witnesses) {
        int headword = 0;
        for (const auto& [english, entry] : lexicon) addHeadword(entry, headword++);
        // The products summed per pair, in the order of the headwords.
        std::stable_sort(products_.begin(), products_.end(),
                         [](const Product& a, const Product& b) { return a.key < b.key; });
        int last = -1;
        for (const auto& product : products_) {
            if (meetings_.empty() || meetings_.back().key != product.key) {
                meetings_.push_back({product.key});
                last = -1;
            }
            Meeting& meeting = meetings_.back();
            meeting.weight += product.weight * partsAgree(turkishOfKey(product.key), product.parts);
            ++meeting.headwords;
            meeting.distinct += product.headword != last;
            last = product.headword;
            meeting.firstBoth = meeting.firstBoth || product.firstBoth;
        }
        products_ = {};
        std::vector<std::wstring> russianLatin(russian_.size()), turkishLatin(turkish_.size());
        for (auto& meeting : meetings_) {
            const int r = russianOfKey(meeting.key), t = turkishOfKey(meeting.key);
            const std::wstring& russian = russian_.word(r);
            const std::wstring& turkish = turkish_.word(t);
            // As spelledAlike, with each word's plain spelling made once.
            if (lengthsMaySpellAlike(russian, turkish)) {
                auto& a = russianLatin[static_cast<size_t>(r)];
                auto& b = turkishLatin[static_cast<size_t>(t)];
                if (a.empty()) a = plainLatin(russian);
                if (b.empty()) b = plainLatin(turkish);
                meeting.alike = alikeInPlainLatin(a, b);
            }
            double weight = meeting.weight;
            if (meeting.alike) weight *= kSpelledAlike;
            for (size_t extra = wordGap(russian, turkish); extra > 0; --extra) weight *= kPerExtraWord;
            meeting.russianShare = weight / russianWeight_[static_cast<size_t>(r)];
            meeting.turkishShare = weight / turkishWeight_[static_cast<size_t>(t)];
            meeting.share = std::min(meeting.russianShare, meeting.turkishShare);
        }
        // Words that meet once, behind the first senses, are no evidence for each other, unless other
        // languages give them ("песня" and "şarkı").
        countWitnesses(witnesses);
        std::erase_if(meetings_, [](const Meeting& m) {
            return m.headwords < kWeighedHeadwords && !m.firstBoth && !m.alike && m.witnesses < kWitnessed;
        });
    }

    const Words& russian() const { return russian_; }
    const Words& turkish() const { return turkish_; }
    // In the order of their keys.
    std::vector<Meeting>& meetings() { return meetings_; }
    Meeting* meeting(int russian, int turkish) {
        if (russian < 0 || turkish < 0) return nullptr;
        PairKey key = keyOf(russian, turkish);
        auto at = std::lower_bound(meetings_.begin(), meetings_.end(), key,
                                   [](const Meeting& m, PairKey k) { return m.key < k; });
        return at == meetings_.end() || at->key != key ? nullptr : &*at;
    }
    // How many headwords a word translates.
    size_t russianSpread(int id) const { return russianSpread_[static_cast<size_t>(id)]; }
    size_t turkishSpread(int id) const { return turkishSpread_[static_cast<size_t>(id)]; }

private:
    Words russian_, turkish_;
    std::vector<double> russianWeight_, turkishWeight_;
    std::vector<size_t> russianSpread_, turkishSpread_;
    // A Turkish word's parts of speech, which the Turkish sources do not name: each headword it
    // translates counts for the parts the English-Russian source gives that headword.
    std::vector<std::array<double, kPartCount>> turkishParts_;
    std::vector<Product> products_;
    std::vector<Meeting> meetings_;
    Standings russianStandings_, turkishStandings_;
    std::vector<const Standing*> russianSide_, turkishSide_;

    // How far the Turkish word's parts of speech take the part the Russian word has under the
    // headword: 1 for its most common part, nothing for a part it never has.
    double partsAgree(int turkish, Parts parts) const {
        if (!parts || static_cast<size_t>(turkish) >= turkishParts_.size()) return 1.0;
        const auto& share = turkishParts_[static_cast<size_t>(turkish)];
        double top = *std::max_element(share.begin(), share.end()), best = 0;
        if (top <= 1e-9) return 1.0;
        for (int i = 0; i < kPartCount; ++i)
            if (parts & (1u << i)) best = std::max(best, share[static_cast<size_t>(i)]);
        return best / top;
    }

    // Each word of one source's senses at its best place so far, and one more source for it. A
    // sense's rank is counted among the source's senses of its kind.
    template <class KindOf>
    static void placeWords(const std::vector<Sense>& senses, KindOf kindOf, Words& words,
                           Standings& standings) {
        int count[2] = {0, 0};
        for (const auto& sense : senses) {
            bool has[2] = {false, false};
            for (size_t i = 0; i < sense.words.size(); ++i) {
                int id = words.of(sense.words[i]);
                Kind kind = kindOf(sense.words[i], sense, standings.of(id));
                has[kind] = true;
                ++standings.of(id).sources;
                standings.place(id, kind, {count[kind], static_cast<int>(i)});
            }
            for (int kind : {Verb, Other}) count[kind] += has[kind];
        }
    }

    // Each meeting's languages, found by number: the pairs the languages give are far fewer.
    void countWitnesses(const Witnesses& witnesses) {
        if (witnesses.languageCount() == 0) return;
        std::unordered_map<std::wstring, std::vector<int>> withYo; // Russian words written with "ё"
        for (size_t r = 0; r < russian_.size(); ++r)
            if (russian_.word(static_cast<int>(r)).find(L'ё') != std::wstring::npos)
                withYo[Witnesses::folded(russian_.word(static_cast<int>(r)))].push_back(static_cast<int>(r));
        std::unordered_map<PairKey, int> given;
        std::wstring word;
        witnesses.forEachPair([&](std::wstring_view russian, std::wstring_view turkish, int languages) {
            const int t = turkish_.find(word.assign(turkish));
            if (t < 0) return;
            if (const int r = russian_.find(word.assign(russian)); r >= 0) given[keyOf(r, t)] = languages;
            if (auto at = withYo.find(word); at != withYo.end())
                for (int r : at->second) given[keyOf(r, t)] = languages;
        });
        for (auto& meeting : meetings_)
            if (auto at = given.find(meeting.key); at != given.end()) meeting.witnesses = at->second;
    }

    static void countSpread(const Standings& standings, std::vector<size_t>& spread) {
        for (const auto& s : standings.list()) {
            if (spread.size() <= static_cast<size_t>(s.id)) spread.resize(static_cast<size_t>(s.id) + 1, 0);
            ++spread[static_cast<size_t>(s.id)];
        }
    }

    static void sideOf(const Standings& standings, Kind kind, std::vector<const Standing*>& side) {
        side.clear();
        for (const auto& s : standings.list())
            if (s.in[kind]) side.push_back(&s);
    }

    static double weightOf(const Standing& s, Kind kind) { return s.sources * s.best[kind].weight(); }

    // A word weighs only where the other language meets it.
    static void addWeights(const std::vector<const Standing*>& side, Kind kind, std::vector<double>& total) {
        for (const Standing* s : side) {
            if (total.size() <= static_cast<size_t>(s->id)) total.resize(static_cast<size_t>(s->id) + 1, 0.0);
            total[static_cast<size_t>(s->id)] += weightOf(*s, kind);
        }
    }

    void addHeadword(const Headword& entry, int headword) {
        const auto& by = entry.bySource;
        russianStandings_.clear();
        for (Source source : {Source::Mueller, Source::EnglishRussian})
            placeWords(
                by[static_cast<size_t>(source)],
                [](const std::wstring& word, const Sense& sense, const Standing&) {
                    return russianKind(word, sense);
                },
                russian_, russianStandings_);
        Parts headwordParts = 0;
        for (const auto& sense : by[static_cast<size_t>(Source::Mueller)]) {
            Parts part = partOf(sense.pos);
            headwordParts |= part;
            for (const auto& word : sense.words) russianStandings_.of(russian_.of(word)).parts |= part;
        }
        // A Turkish word has the kind of the rows' first sense that holds it.
        turkishStandings_.clear();
        const bool russianVerbs = hasRussianVerbs(entry);
        for (const auto& sense : entry.turkish)
            for (const auto& word : sense.words)
                turkishStandings_.of(turkish_.of(word)).kind = turkishKind(sense, russianVerbs);
        placeWords(
            by[static_cast<size_t>(Source::EnglishTurkish)],
            [](const std::wstring&, const Sense&, const Standing& s) { return s.kind; }, turkish_,
            turkishStandings_);
        // A Turkish-English article that gives the headword first places its word first.
        for (const auto& sense : by[static_cast<size_t>(Source::TurkishEnglish)]) {
            const std::wstring& word = sense.words.front();
            bool first = std::find(entry.turkishFirst.begin(), entry.turkishFirst.end(), word) !=
                         entry.turkishFirst.end();
            Standing& s = turkishStandings_.of(turkish_.of(word));
            ++s.sources;
            turkishStandings_.place(s.id, s.kind, {first ? 0 : 1, 0});
        }
        countSpread(russianStandings_, russianSpread_);
        countSpread(turkishStandings_, turkishSpread_);
        if (int parts = std::popcount(headwordParts)) {
            for (const auto& s : turkishStandings_.list()) {
                if (turkishParts_.size() <= static_cast<size_t>(s.id))
                    turkishParts_.resize(static_cast<size_t>(s.id) + 1);
                for (int i = 0; i < kPartCount; ++i)
                    if (headwordParts & (1u << i))
                        turkishParts_[static_cast<size_t>(s.id)][static_cast<size_t>(i)] += 1.0 / parts;
            }
        }

        for (Kind kind : {Verb, Other}) {
            sideOf(russianStandings_, kind, russianSide_);
            sideOf(turkishStandings_, kind, turkishSide_);
            if (russianSide_.empty() || turkishSide_.empty()) continue;
            addWeights(russianSide_, kind, russianWeight_);
            addWeights(turkishSide_, kind, turkishWeight_);
            for (const Standing* r : russianSide_)
                for (const Standing* t : turkishSide_) {
                    const int apart =
                        std::min(std::abs(r->best[kind].sense - t->best[kind].sense), kSensesApartCounted);
                    double weight = weightOf(*r, kind) * weightOf(*t, kind);
                    for (int i = 0; i < apart; ++i) weight *= kPerSenseApart;
                    products_.push_back({keyOf(r->id, t->id), weight, headword,
                                         kind == Other ? r->parts : Parts{0},
                                         r->best[kind].sense == 0 && t->best[kind].sense == 0});
                }
        }
    }
};

// --- A word's partners, ranked -------------------------------------------------------------------

// Whether a is a word's better partner than b: the larger share of the word's own weight, then of
// the partner's; of two equal, the partner first in code point order.
bool before(const Meeting& a, const Meeting& b, bool russianSide, const Words& partners) {
    double ownA = russianSide ? a.russianShare : a.turkishShare;
    double ownB = russianSide ? b.russianShare : b.turkishShare;
    if (ownA != ownB) return ownA > ownB;
    double otherA = russianSide ? a.turkishShare : a.russianShare;
    double otherB = russianSide ? b.turkishShare : b.russianShare;
    if (otherA != otherB) return otherA > otherB;
    int pa = russianSide ? turkishOfKey(a.key) : russianOfKey(a.key);
    int pb = russianSide ? turkishOfKey(b.key) : russianOfKey(b.key);
    return partners.word(pa) < partners.word(pb);
}

// Each word's best two partners among the meetings the filter lets through.
struct Ranked {
    const Meeting* first = nullptr;
    const Meeting* second = nullptr;
    void offer(const Meeting& m, bool russianSide, const Words& partners) {
        if (!first || before(m, *first, russianSide, partners)) {
            second = first;
            first = &m;
        } else if (!second || before(m, *second, russianSide, partners)) {
            second = &m;
        }
    }
};

template <class Filter>
void ownBest(Evidence& evidence, Filter filter, std::vector<Ranked>& russianTop,
             std::vector<Ranked>& turkishTop) {
    russianTop.assign(evidence.russian().size(), {});
    turkishTop.assign(evidence.turkish().size(), {});
    for (const auto& meeting : evidence.meetings()) {
        if (!filter(meeting)) continue;
        russianTop[static_cast<size_t>(russianOfKey(meeting.key))].offer(meeting, true, evidence.turkish());
        turkishTop[static_cast<size_t>(turkishOfKey(meeting.key))].offer(meeting, false, evidence.russian());
    }
}

// Which words a joined pair holds, by number.
void markPaired(const std::vector<Meeting>& meetings, std::vector<bool>& russianPaired,
                std::vector<bool>& turkishPaired) {
    russianPaired.assign(russianPaired.size(), false);
    turkishPaired.assign(turkishPaired.size(), false);
    for (const auto& meeting : meetings)
        if (meeting.joined) {
            russianPaired[static_cast<size_t>(russianOfKey(meeting.key))] = true;
            turkishPaired[static_cast<size_t>(turkishOfKey(meeting.key))] = true;
        }
}

// --- Stage 2: the candidates ---------------------------------------------------------------------

// What the first senses agree on counts only between words that translate about as many
// headwords: a word of many ("kötü", bad) leading the sense of a rare one ("vicious") renders that
// headword's own word ("порочный") loosely.
constexpr size_t kSpreadFactor = 6;
// Pairs that meet through this many headwords of a kind are candidates whatever leads: words met
// through several headwords are almost always each other's translation.
constexpr int kManyHeadwords = 4;

// What the first senses agree on, pairs met through many headwords, and words spelled alike. A pair
// whose kinds never meet (a verb with a noun) has no evidence and stays apart.
void markCandidates(const Lexicon& lexicon, Evidence& evidence) {
    for (const auto& [english, entry] : lexicon)
        for (const Agreed& agreed : Agreement(entry).pairs()) {
            int r = evidence.russian().find(*agreed.russian), t = evidence.turkish().find(*agreed.turkish);
            Meeting* meeting = evidence.meeting(r, t);
            if (!meeting) continue;
            size_t rs = std::max<size_t>(1, evidence.russianSpread(r));
            size_t ts = std::max<size_t>(1, evidence.turkishSpread(t));
            if (!agreed.leads || (rs <= kSpreadFactor * ts && ts <= kSpreadFactor * rs))
                meeting->candidate = true;
        }
    for (auto& meeting : evidence.meetings())
        if (meeting.headwords >= kManyHeadwords || meeting.alike) meeting.candidate = true;
}

// --- Stage 3: the candidates near each word's best -----------------------------------------------

// A candidate is joined when its share comes this near the best among the Russian word's candidates
// and among the Turkish word's: a partner far below a word's best mostly renders another sense.
constexpr double kNearRussianBest = 0.6; // 0.7 was more precise, 0.6 gives more words a translation
constexpr double kNearTurkishBest = 0.5; // 0.6 leaves a hundred Russian words without a partner
// A partner that is neither word's own best must meet it through this many English headwords: one
// headword read two ways ("light", "holiday") is what joins most wrong pairs.
constexpr int kFurtherPartnerHeadwords = 2;

void joinNearBest(Evidence& evidence, const std::vector<Ranked>& russianTop,
                  const std::vector<Ranked>& turkishTop) {
    auto& meetings = evidence.meetings();
    std::vector<double> russianBest(evidence.russian().size(), 0.0),
        turkishBest(evidence.turkish().size(), 0.0);
    for (const auto& meeting : meetings) {
        if (!meeting.candidate) continue;
        auto& r = russianBest[static_cast<size_t>(russianOfKey(meeting.key))];
        auto& t = turkishBest[static_cast<size_t>(turkishOfKey(meeting.key))];
        r = std::max(r, meeting.share);
        t = std::max(t, meeting.share);
    }
    for (auto& meeting : meetings) {
        const size_t r = static_cast<size_t>(russianOfKey(meeting.key));
        const size_t t = static_cast<size_t>(turkishOfKey(meeting.key));
        meeting.joined = meeting.candidate && meeting.share >= kNearRussianBest * russianBest[r] &&
                         meeting.share >= kNearTurkishBest * turkishBest[t] &&
                         (russianTop[r].first == &meeting || turkishTop[t].first == &meeting ||
                          meeting.distinct >= kFurtherPartnerHeadwords);
    }
}

// --- Stage 4: each other's best ------------------------------------------------------------------

// Two words that are each other's best partner among the candidates and the pairs met through this
// many headwords are joined, so a word whose first senses agree with nothing still finds its
// translation; one headword alone is too often read two ways.
constexpr int kMutualHeadwords = 2;

void joinMutualBest(Evidence& evidence) {
    // Each word's best partner by the smaller share; of two equal shares, the partner first in code
    // point order.
    struct Best {
        double share = -1;
        int partner = -1;
    };
    std::vector<Best> russianMutual(evidence.russian().size()), turkishMutual(evidence.turkish().size());
    auto offer = [](Best& best, double share, int partner, const Words& words) {
        if (share > best.share || (share == best.share && words.word(partner) < words.word(best.partner)))
            best = {share, partner};
    };
    for (const auto& meeting : evidence.meetings()) {
        if (meeting.headwords < kMutualHeadwords && !meeting.candidate) continue;
        int r = russianOfKey(meeting.key), t = turkishOfKey(meeting.key);
        offer(russianMutual[static_cast<size_t>(r)], meeting.share, t, evidence.turkish());
        offer(turkishMutual[static_cast<size_t>(t)], meeting.share, r, evidence.russian());
    }
    for (size_t r = 0; r < russianMutual.size(); ++r) {
        int t = russianMutual[r].partner;
        if (t >= 0 && turkishMutual[static_cast<size_t>(t)].partner == static_cast<int>(r))
            evidence.meeting(static_cast<int>(r), t)->joined = true;
    }
}

// --- Stage 5: the words left, among themselves ---------------------------------------------------

// Words still without a partner are joined with each other's best among the words still without
// one, when that share comes to this much, in this many rounds: the second round pairs the words
// the first round's pairs left ("строение" and "yapı" after "здание" and "bina").
constexpr double kSecondRoundShare = 0.2;
constexpr int kSecondRounds = 2;

void joinLeftAmongThemselves(Evidence& evidence) {
    auto& meetings = evidence.meetings();
    std::vector<bool> russianPaired(evidence.russian().size()), turkishPaired(evidence.turkish().size());
    std::vector<Ranked> russianLeft, turkishLeft;
    for (int round = 0; round < kSecondRounds; ++round) {
        markPaired(meetings, russianPaired, turkishPaired);
        ownBest(
            evidence,
            [&](const Meeting& m) {
                return !russianPaired[static_cast<size_t>(russianOfKey(m.key))] &&
                       !turkishPaired[static_cast<size_t>(turkishOfKey(m.key))] &&
                       m.share >= kSecondRoundShare;
            },
            russianLeft, turkishLeft);
        for (auto& meeting : meetings)
            if (russianLeft[static_cast<size_t>(russianOfKey(meeting.key))].first == &meeting &&
                turkishLeft[static_cast<size_t>(turkishOfKey(meeting.key))].first == &meeting)
                meeting.joined = true;
    }
}

// --- Stage 6: a word still alone -----------------------------------------------------------------

// A word still alone takes its own best partner when that partner ranks it among its first two with
// this share of its best or more, and they meet through kFurtherPartnerHeadwords ("yıl" and "год",
// whose best is "sene").
constexpr double kLeftNearBest = 0.25; // a third was more precise, a quarter gives more words one

void joinStillAlone(Evidence& evidence, const std::vector<Ranked>& russianTop,
                    const std::vector<Ranked>& turkishTop) {
    std::vector<bool> russianPaired(evidence.russian().size()), turkishPaired(evidence.turkish().size());
    markPaired(evidence.meetings(), russianPaired, turkishPaired);
    auto near = [](const Ranked& partner, const Meeting& m, bool russianSide) {
        if (partner.first != &m && partner.second != &m) return false;
        double own = russianSide ? m.russianShare : m.turkishShare;
        double best = russianSide ? partner.first->russianShare : partner.first->turkishShare;
        return own >= kLeftNearBest * best;
    };
    for (auto& meeting : evidence.meetings()) {
        if (meeting.distinct < kFurtherPartnerHeadwords) continue;
        const size_t r = static_cast<size_t>(russianOfKey(meeting.key));
        const size_t t = static_cast<size_t>(turkishOfKey(meeting.key));
        if ((!russianPaired[r] && russianTop[r].first == &meeting && near(turkishTop[t], meeting, false)) ||
            (!turkishPaired[t] && turkishTop[t].first == &meeting && near(russianTop[r], meeting, true)))
            meeting.joined = true;
    }
}

// Marks the pairs English joins: stages 2 to 6.
void joinThroughEnglish(const Lexicon& lexicon, Evidence& evidence) {
    markCandidates(lexicon, evidence);
    // Each word's best two partners among all it meets, as the evidence stands.
    std::vector<Ranked> russianTop, turkishTop;
    ownBest(
        evidence, [](const Meeting&) { return true; }, russianTop, turkishTop);
    joinNearBest(evidence, russianTop, turkishTop);
    joinMutualBest(evidence);
    joinLeftAmongThemselves(evidence);
    joinStillAlone(evidence, russianTop, turkishTop);
}

// --- Stage 7: the other languages ----------------------------------------------------------------

// A pair kWitnessed languages give is a translation; so is one that one fewer give, where English
// joins it already or it meets through this many English headwords, which make up for the third.
constexpr int kWitnessedHeadwords = 2;
// A word keeps the pairs the languages bear out that come within this many languages of its best:
// none keeps only the surest sense, two keeps looser ones.
constexpr int kNearBestLanguages = 1;

// Where other languages bear a word's pairs out, they decide its partners: the pairs they give, and
// the pairs spelled alike that English joins. Of the pairs they give, a word keeps those that come
// within one language of its best: fewer languages give a looser sense ("güç" keeps "сила", which
// four give, and not "энергия", which two give). A word none of whose pairs they bear out keeps what
// English joins.
void weighWitnesses(Evidence& evidence) {
    auto& meetings = evidence.meetings();
    std::vector<int> russianBest(evidence.russian().size()), turkishBest(evidence.turkish().size());
    std::vector<bool> witnessed(meetings.size());
    for (size_t i = 0; i < meetings.size(); ++i) {
        const Meeting& m = meetings[i];
        witnessed[i] = m.witnesses >= kWitnessed ||
                       (m.witnesses == kWitnessed - 1 && (m.joined || m.distinct >= kWitnessedHeadwords));
        if (!witnessed[i]) continue;
        int& r = russianBest[static_cast<size_t>(russianOfKey(m.key))];
        int& t = turkishBest[static_cast<size_t>(turkishOfKey(m.key))];
        r = std::max(r, m.witnesses);
        t = std::max(t, m.witnesses);
    }
    std::vector<bool> russianWitnessed(russianBest.size()), turkishWitnessed(turkishBest.size());
    for (size_t i = 0; i < meetings.size(); ++i) {
        const Meeting& m = meetings[i];
        const size_t r = static_cast<size_t>(russianOfKey(m.key)),
                     t = static_cast<size_t>(turkishOfKey(m.key));
        witnessed[i] = witnessed[i] && m.witnesses >= russianBest[r] - kNearBestLanguages &&
                       m.witnesses >= turkishBest[t] - kNearBestLanguages;
        if (witnessed[i]) russianWitnessed[r] = turkishWitnessed[t] = true;
    }
    for (size_t i = 0; i < meetings.size(); ++i) {
        Meeting& m = meetings[i];
        const bool alone = !russianWitnessed[static_cast<size_t>(russianOfKey(m.key))] &&
                           !turkishWitnessed[static_cast<size_t>(turkishOfKey(m.key))];
        m.joined = witnessed[i] || (m.joined && (m.alike || alone));
    }
}

// Marks the pairs the rows join.
void join(const Lexicon& lexicon, const Witnesses& witnesses, Evidence& evidence) {
    joinThroughEnglish(lexicon, evidence);
    if (witnesses.languageCount() > 0) weighWitnesses(evidence);
}

} // namespace

std::vector<std::wstring> pivotRows(const Lexicon& lexicon, const Witnesses& witnesses) {
    Evidence evidence(lexicon, witnesses);
    join(lexicon, witnesses, evidence);
    const Words& russianWords = evidence.russian();
    const Words& turkishWords = evidence.turkish();
    // Each Russian word's joined partners, by number.
    std::vector<std::vector<int>> partners(russianWords.size());
    for (const auto& meeting : evidence.meetings())
        if (meeting.joined)
            partners[static_cast<size_t>(russianOfKey(meeting.key))].push_back(turkishOfKey(meeting.key));

    std::vector<std::wstring> rows;
    auto row = [&](const std::wstring& english, const std::wstring& russian, const std::wstring& turkish) {
        rows.push_back(L"@" + english + L"<>" + russian + L"<>" + turkish + L"@");
    };
    std::vector<const std::wstring*> russian, turkish;
    std::vector<bool> russianPaired, turkishPaired;
    std::unordered_map<int, size_t> turkishAt;
    std::vector<size_t> found;
    for (const auto& [english, entry] : lexicon) {
        russian.clear();
        turkish.clear();
        turkishAt.clear();
        for (const auto& sense : entry.russian)
            for (const auto& word : sense.words) russian.push_back(&word);
        for (const auto& sense : entry.turkish)
            for (const auto& word : sense.words) {
                turkishAt.emplace(turkishWords.find(word), turkish.size());
                turkish.push_back(&word);
            }
        russianPaired.assign(russian.size(), false);
        turkishPaired.assign(turkish.size(), false);
        // The pairs in the order of the senses, Russian first.
        for (size_t i = 0; i < russian.size(); ++i) {
            int r = russianWords.find(*russian[i]);
            if (r < 0) continue;
            found.clear();
            for (int t : partners[static_cast<size_t>(r)])
                if (auto at = turkishAt.find(t); at != turkishAt.end()) found.push_back(at->second);
            std::sort(found.begin(), found.end());
            for (size_t j : found) {
                row(english, *russian[i], *turkish[j]);
                russianPaired[i] = turkishPaired[j] = true;
            }
        }
        for (size_t i = 0; i < russian.size(); ++i)
            if (!russianPaired[i]) row(english, *russian[i], L"");
        for (size_t j = 0; j < turkish.size(); ++j)
            if (!turkishPaired[j]) row(english, L"", *turkish[j]);
    }
    return rows;
}

} // namespace tools
