// Which Russian and Turkish words of an English headword share a row: the pairs the sources agree
// on. A word's row has the other part empty when its sense cannot be matched.
#include "tools/builder.h"

#include <set>
#include <unordered_map>
#include <utility>

namespace tools {

namespace {

// A word that translates many English headwords ("kötü", bad) and leads the sense of a rare one
// ("vicious") is a loose rendering of that headword's specific word in the other language
// ("порочный"); words that lead the same sense and translate about as many headwords are each
// other's translation. The factor was chosen on the judged everyday words of bench/quality.
constexpr size_t kSpreadFactor = 6;

// How many English headwords each word translates.
using Spread = std::unordered_map<std::wstring, size_t>;

enum class Kind { Verb, Other };

// A Russian sense that names no part of speech (the small English-Russian source) serves both
// kinds. A Turkish infinitive is a verb only where the Russian source has one for the headword:
// "ırmak" (river) and "ekmek" (bread) look like infinitives.
bool russianOf(Kind kind, const Sense& sense) {
    return sense.pos.empty() || (sense.pos == L"v") == (kind == Kind::Verb);
}

Kind turkishKind(const Sense& sense, bool russianVerbs) {
    return sense.pos == L"v" && russianVerbs ? Kind::Verb : Kind::Other;
}

class Pairing {
public:
    Pairing(const Headword& entry, const Spread& russianSpread, const Spread& turkishSpread)
        : entry_(entry), russianSpread_(russianSpread), turkishSpread_(turkishSpread) {
        for (const auto& sense : entry.russian) russianVerbs_ = russianVerbs_ || sense.pos == L"v";
    }

    std::vector<std::pair<std::wstring, std::wstring>> pairs() const {
        std::vector<std::pair<std::wstring, std::wstring>> out;
        auto add = [&](const std::wstring& russian, const std::wstring& turkish) {
            for (const auto& p : out)
                if (p.first == russian && p.second == turkish) return;
            out.emplace_back(russian, turkish);
        };
        // The words that lead the first sense of a kind in both sources.
        for (Kind kind : {Kind::Verb, Kind::Other}) {
            const std::wstring* russian = russianLead(kind);
            const std::wstring* turkish = turkishLead(kind);
            if (russian && turkish && comparable(*russian, *turkish)) add(*russian, *turkish);
        }
        // A Turkish word whose own article gives this headword first, with the Russian word that
        // leads the headword's senses of its kind.
        for (const auto& turkish : entry_.turkishFirst)
            if (const std::wstring* russian = russianLead(kindOf(turkish))) add(*russian, turkish);
        return out;
    }

private:
    const Headword& entry_;
    const Spread& russianSpread_;
    const Spread& turkishSpread_;
    bool russianVerbs_ = false;

    const std::wstring* russianLead(Kind kind) const {
        for (const auto& sense : entry_.russian)
            if (russianOf(kind, sense)) return &sense.words.front();
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
        return Kind::Other;
    }
    bool comparable(const std::wstring& russian, const std::wstring& turkish) const {
        size_t r = std::max<size_t>(1, russianSpread_.at(russian));
        size_t t = std::max<size_t>(1, turkishSpread_.at(turkish));
        return r <= kSpreadFactor * t && t <= kSpreadFactor * r;
    }
};

Spread spreadOf(const Lexicon& lexicon, std::vector<Sense> Headword::*language) {
    Spread spread;
    // A headword holds each word once per language.
    for (const auto& [english, entry] : lexicon)
        for (const auto& sense : entry.*language)
            for (const auto& word : sense.words) ++spread[word];
    return spread;
}

} // namespace

std::vector<std::wstring> pivotRows(const Lexicon& lexicon) {
    const Spread russianSpread = spreadOf(lexicon, &Headword::russian);
    const Spread turkishSpread = spreadOf(lexicon, &Headword::turkish);
    std::vector<std::wstring> rows;
    auto row = [&](const std::wstring& english, const std::wstring& russian, const std::wstring& turkish) {
        rows.push_back(L"@" + english + L"<>" + russian + L"<>" + turkish + L"@");
    };
    for (const auto& [english, entry] : lexicon) {
        std::set<std::wstring> russianPaired, turkishPaired;
        for (const auto& [russian, turkish] : Pairing(entry, russianSpread, turkishSpread).pairs()) {
            row(english, russian, turkish);
            russianPaired.insert(russian);
            turkishPaired.insert(turkish);
        }
        for (const auto& sense : entry.russian)
            for (const auto& word : sense.words)
                if (!russianPaired.count(word)) row(english, word, L"");
        for (const auto& sense : entry.turkish)
            for (const auto& word : sense.words)
                if (!turkishPaired.count(word)) row(english, L"", word);
    }
    return rows;
}

} // namespace tools
