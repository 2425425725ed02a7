// Which Russian and Turkish words share a row, on small lexicons written here.
#include "platform/core/text.h"
#include "tools/builder.h"
#include "tools/cognate.h"
#include "tools/pairing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace tools;

namespace {

// Senses separated by ";", their words by ",".
std::vector<Translation> senses(const std::wstring& text, const std::wstring& pos) {
    std::vector<Translation> out;
    int sense = 0;
    std::wstring word;
    for (wchar_t c : text + L";") {
        if (c == L',' || c == L';') {
            out.push_back({word, pos, sense});
            word.clear();
            sense += c == L';';
        } else if (c != L' ' || !word.empty()) {
            word += c;
        }
    }
    return out;
}

// One article of each language for a headword; Russian senses of the part of speech given, Turkish
// ones as the builder marks them.
void add(Lexicon& lexicon, const wchar_t* english, const wchar_t* pos, const wchar_t* russian,
         const wchar_t* turkish) {
    if (*russian) addEnglishRussian(lexicon, english, senses(russian, pos));
    if (*turkish) addEnglishTurkish(lexicon, english, senses(turkish, L""));
}

bool joined(const std::vector<std::wstring>& rows, const std::wstring& russian, const std::wstring& turkish) {
    const std::wstring part = L"<>" + russian + L"<>" + turkish + L"@";
    return std::any_of(rows.begin(), rows.end(), [&](const std::wstring& row) {
        return row.size() > part.size() && row.compare(row.size() - part.size(), part.size(), part) == 0;
    });
}

void house(Lexicon& l) {
    add(l, L"house", L"n", L"здание; дом", L"bina; ev");
    add(l, L"home", L"n", L"жилище; дом", L"mesken; ev");
    add(l, L"household", L"n", L"хозяйство; дом", L"hane; ev");
}

// "kötü" translates many headwords, "порочный" one of them.
void bad(Lexicon& l) {
    for (const wchar_t* english : {L"bad", L"evil", L"ill", L"nasty", L"wicked"})
        add(l, english, L"a", L"плохой", L"kötü");
    add(l, L"vicious", L"a", L"порочный", L"kötü");
}

void bank(Lexicon& l) {
    add(l, L"bank", L"n", L"вал, насыпь; берег; банк", L"yığın; kıyı; banka");
}

// Only the Russian verb and the Turkish noun: they would be each other's only partner.
void runNoun(Lexicon& l) {
    for (const wchar_t* english : {L"run", L"race", L"dash"}) add(l, english, L"v", L"бежать", L"koşu");
}

// The Turkish noun and verb come in articles of their own, as the English-Turkish source has them.
void run(Lexicon& l) {
    for (const wchar_t* english : {L"run", L"race", L"dash"}) {
        add(l, english, L"v", L"бежать", L"koşmak");
        add(l, english, L"", L"", L"koşu");
    }
}

// The second senses of four headwords: "письмо" stands beside "mektup", behind "posta".
void mail(Lexicon& l) {
    for (const wchar_t* english : {L"mail", L"post", L"letters", L"correspondence"})
        add(l, english, L"n", L"почта; письмо", L"posta; mektup");
}

// "hafif" translates adjectives; under "light" it leads the senses where the noun "свет" leads.
void light(Lexicon& l) {
    add(l, L"light", L"n", L"свет", L"hafif; ışık");
    addEnglishRussian(l, L"light", senses(L"лёгкий", L"a"));
    add(l, L"slight", L"a", L"лёгкий", L"hafif");
}

// "праздник" and "tatil" meet once, under "holiday"; each has a partner met as often elsewhere.
void holiday(Lexicon& l) {
    add(l, L"holiday", L"n", L"праздник", L"tatil");
    add(l, L"feast", L"n", L"праздник", L"bayram");
    add(l, L"vacation", L"n", L"отпуск", L"tatil");
}

// One sense of three words in each language: the first two pair up, then the second two, then the
// third.
void building(Lexicon& l) {
    add(l, L"house", L"n", L"дом, здание, строение", L"ev, bina, yapı");
}

// "dişi koyun" (a female sheep) describes what "ewe" names.
void sheep(Lexicon& l) {
    add(l, L"sheep", L"n", L"овца", L"koyun");
    add(l, L"ewe", L"n", L"овца", L"dişi koyun");
}

// "yıl" leads only two headwords, and "год" has "sene" in more.
void year(Lexicon& l) {
    for (const wchar_t* english : {L"year", L"years", L"annum"}) add(l, english, L"n", L"год", L"sene");
    add(l, L"twelvemonth", L"n", L"год", L"yıl");
    add(l, L"yr", L"n", L"год", L"yıl; sene");
}

// "счёт" and "расчёт" lead and follow one sense, as "hesap" and "fatura" do.
void account(Lexicon& l) {
    add(l, L"account", L"n", L"счёт, расчёт", L"hesap, fatura");
}

// "антипатия" meets "istikrah" as often as its look-alike "antipati".
void antipathy(Lexicon& l) {
    add(l, L"antipathy", L"n", L"антипатия", L"antipati");
    add(l, L"aversion", L"n", L"антипатия", L"istikrah");
}

// "год" translates five headwords, "yıl" and "sene" one each, where both lead.
void years(Lexicon& l) {
    add(l, L"year", L"n", L"год", L"yıl");
    add(l, L"annum", L"n", L"год", L"sene");
    for (const wchar_t* english : {L"twelvemonth", L"yr", L"years"}) add(l, english, L"n", L"год", L"");
}

// A sense that names no part of speech, as the small English-Russian source gives them.
void automate(Lexicon& l) {
    add(l, L"automate", L"", L"автоматизировать", L"otomatikleştirmek");
}

// "кыш" leads "shoo" in a sense that names no part of speech; "kovmak" has a partner under "expel".
void shoo(Lexicon& l) {
    add(l, L"expel", L"v", L"выгонять", L"kovmak");
    add(l, L"shoo", L"", L"кыш", L"");
    add(l, L"shoo", L"v", L"вспугивать", L"kovmak");
}

// Articles whose senses are all nouns, under the headwords "abode", "building", "cottage" and
// "dwelling" in turn: Russian senses, Turkish senses.
std::function<void(Lexicon&)> nouns(std::vector<std::pair<const wchar_t*, const wchar_t*>> articles) {
    return [articles](Lexicon& l) {
        const wchar_t* const headwords[] = {L"abode", L"building", L"cottage", L"dwelling"};
        for (size_t i = 0; i < articles.size(); ++i)
            add(l, headwords[i], L"n", articles[i].first, articles[i].second);
    };
}

// Pairs of words and how many other languages give each for one headword of theirs.
struct Given {
    int languages;
    const wchar_t* russian;
    const wchar_t* turkish;
};
Witnesses witnessed(std::vector<Given> pairs) {
    Witnesses w;
    for (int language = 0; language < Witnesses::kMaxLanguages; ++language) {
        std::vector<DictdEntry> russian, turkish;
        for (size_t k = 0; k < pairs.size(); ++k) {
            if (pairs[k].languages <= language) continue;
            const std::wstring headword = L"wort" + std::to_wstring(k);
            russian.push_back({headword, headword + L" /v/\n" + pairs[k].russian + L"\n"});
            turkish.push_back({headword, headword + L" /v/\n1. " + pairs[k].turkish + L"\nein Wort\n"});
        }
        if (!russian.empty()) w.addLanguage(russian, turkish);
    }
    return w;
}
Witnesses witnessed(int languages, const wchar_t* russian, const wchar_t* turkish) {
    return witnessed({{languages, russian, turkish}});
}

} // namespace

TEST(ToolsPairing, EvidenceJoinsTranslationsAndKeepsLooseRenderingsApart) {
    struct Case {
        const char* what;
        std::function<void(Lexicon&)> build;
        const wchar_t* russian;
        const wchar_t* turkish;
        bool joined;
    };
    const Case cases[] = {
        {"met through three headwords, leading none of them", house, L"дом", L"ev", true},
        {"a word met once, where the other leads", house, L"дом", L"bina", false},
        {"a loose rendering of a rare headword", bad, L"порочный", L"kötü", false},
        {"the word it loosely renders, with its own translation", bad, L"плохой", L"kötü", true},
        {"spelled alike, in senses that lead nothing", bank, L"банк", L"banka", true},
        {"the first sense's word and the look-alike", bank, L"вал", L"banka", false},
        {"a verb against a noun, met through three headwords", runNoun, L"бежать", L"koşu", false},
        {"the verb with the verb", run, L"бежать", L"koşmak", true},
        {"a word with a description of it", sheep, L"овца", L"dişi koyun", false},
        {"the word with the word", sheep, L"овца", L"koyun", true},
        {"a second sense with the second sense", mail, L"письмо", L"mektup", true},
        {"a second sense with the first, met as often", mail, L"письмо", L"posta", false},
        {"a noun with a word that translates adjectives", light, L"свет", L"hafif", false},
        {"the adjective with it", light, L"лёгкий", L"hafif", true},
        {"met once, each with a partner met as often", holiday, L"праздник", L"tatil", false},
        {"the second words left when the first pair up", building, L"здание", L"bina", true},
        {"the third words, left when the second pair up", building, L"строение", L"yapı", true},
        {"a word met as often as its partner's look-alike", antipathy, L"антипатия", L"istikrah", false},
        {"the look-alike", antipathy, L"антипатия", L"antipati", true},
        {"leading one headword, one word translating five times as many as the other", years, L"год", L"yıl",
         true},
        {"an infinitive of a sense without a part of speech, with a Turkish verb", automate,
         L"автоматизировать", L"otomatikleştirmek", true},
        {"a verb with the verb, behind a word of a sense without a part of speech", shoo, L"вспугивать",
         L"kovmak", true},
        {"a word alone, second for its best partner", year, L"год", L"yıl", true},
        {"that partner's own best", year, L"год", L"sene", true},
        // Words of one field that meet through few headwords. Each case stands close to a bound, so
        // that a word's place down its sense, or how near a partner comes to a word's best, decides it.
        {"behind the first word of one headword's sense and in another's later sense, with the word leading "
         "both",
         nouns({{L"дом, строение", L"mesken; bina"}, {L"хата; строение", L"mesken; bina"}}), L"строение",
         L"mesken", true},
        {"met through three headwords behind the word that leads two of them with it",
         nouns({{L"строение; жилище", L"mesken"},
                {L"жилище", L"bina, mesken"},
                {L"строение, жилище", L"mesken"}}),
         L"жилище", L"mesken", false},
        {"met through four headwords, never both leading",
         nouns({{L"дом; здание, строение", L"ev"},
                {L"строение", L"bina; ev, mesken"},
                {L"строение", L"bina; ev"},
                {L"здание, дом; строение", L"yapı; ev"}}),
         L"строение", L"ev", true},
        {"four senses apart under one headword, in the same later sense of another",
         nouns({{L"строение; жилище, хата, дом", L"konut; bina; ev; mesken; yapı"},
                {L"жилище, дом; строение", L"konut; yapı, ev"}}),
         L"строение", L"yapı", true},
        {"leading one of three headwords, where the partner's best leads all three",
         nouns({{L"здание", L"konut, mesken"}, {L"здание", L"konut"}, {L"дом; здание", L"konut"}}), L"дом",
         L"konut", false},
        {"leading one of two headwords, where the partner's best stands in both",
         nouns({{L"жилище", L"bina"}, {L"строение, жилище", L"bina"}}), L"строение", L"bina", true},
        {"met once, behind the word that leads the sense, each word with a partner",
         nouns({{L"строение", L"yapı"}, {L"здание", L"yapı, bina"}}), L"здание", L"bina", false},
        {"two words left, far down the senses of both headwords they meet in",
         nouns(
             {{L"дом, здание", L"bina; mesken; ev; yapı"}, {L"хата; дом; здание; жилище", L"mesken, yapı"}}),
         L"здание", L"yapı", false},
        {"the second words of a sense, left when the first pair up",
         nouns({{L"хата, жилище", L"yapı, ev"}, {L"дом; жилище", L"mesken"}, {L"здание, жилище", L"konut"}}),
         L"жилище", L"ev", true},
        {"a word alone, far behind its partner's best",
         nouns({{L"жилище", L"yapı; konut; mesken; bina"}, {L"жилище", L"yapı; ev; bina"}}), L"жилище",
         L"bina", false},
        {"a word alone, a later sense's second word where its partner leads",
         nouns({{L"дом; строение", L"ev"}, {L"дом; здание, строение", L"ev"}}), L"строение", L"ev", true},
    };
    for (const auto& c : cases) {
        Lexicon lexicon;
        c.build(lexicon);
        EXPECT_EQ(joined(pivotRows(lexicon), c.russian, c.turkish), c.joined) << c.what;
    }
}

// Other languages' dictionaries bear pairs out, or decide against English where they bear out
// another pair of a word.
TEST(ToolsPairing, OtherLanguagesDecideWhereTheyBearPairsOut) {
    struct Case {
        const char* what;
        std::function<void(Lexicon&)> build;
        Witnesses witnesses;
        const wchar_t* russian;
        const wchar_t* turkish;
        bool joined;
    };
    const Case cases[] = {
        {"two bear out what English joins", bank, witnessed(2, L"банк", L"banka"), L"банк", L"banka", true},
        {"three give a pair English keeps apart", holiday, witnessed(3, L"праздник", L"tatil"), L"праздник",
         L"tatil", true},
        {"two give it, met through one headword", holiday, witnessed(2, L"праздник", L"tatil"), L"праздник",
         L"tatil", false},
        {"three give a pair met once, behind the first senses", bank, witnessed(3, L"берег", L"kıyı"),
         L"берег", L"kıyı", true},
        {"two do not", bank, witnessed(2, L"берег", L"kıyı"), L"берег", L"kıyı", false},
        {"English's other partner of a word three bear out", year, witnessed(3, L"год", L"yıl"), L"год",
         L"sene", false},
        {"one is not enough to take English's join away", year, witnessed(1, L"год", L"yıl"), L"год", L"sene",
         true},
        {"two fewer than the word's best pair", year, witnessed({{4, L"год", L"sene"}, {2, L"год", L"yıl"}}),
         L"год", L"yıl", false},
        {"one fewer", year, witnessed({{4, L"год", L"sene"}, {3, L"год", L"yıl"}}), L"год", L"yıl", true},
        {"\"ё\" written \"е\" there", account, witnessed(3, L"счет", L"fatura"), L"счёт", L"fatura", true},
        {"a word none of whose pairs they bear out keeps English's", house, witnessed(3, L"дом", L"ev"),
         L"здание", L"bina", true},
    };
    for (const auto& c : cases) {
        Lexicon lexicon;
        c.build(lexicon);
        EXPECT_EQ(joined(pivotRows(lexicon, c.witnesses), c.russian, c.turkish), c.joined) << c.what;
    }
    Witnesses german;
    german.addLanguage(
        {{L"Bank", L"Bank /baŋk/ <n, fem>\n1. скамья\nSitzgelegenheit\n2. банк, счёт 2.\nGeldinstitut\n"}},
        {}, {{L"banka", L"banka /bˈanka/\nBank\n"}});
    std::map<std::pair<std::wstring, std::wstring>, int> given;
    german.forEachPair([&](std::wstring_view russian, std::wstring_view turkish, int languages) {
        given[{std::wstring(russian), std::wstring(turkish)}] = languages;
    });
    using Pairs = decltype(given);
    EXPECT_EQ(given, (Pairs{{{L"банк", L"banka"}, 1}, {{L"скамья", L"banka"}, 1}, {{L"счет", L"banka"}, 1}}))
        << "the Turkish-German article read the other way round, \"ё\" written \"е\"";
}

TEST(ToolsPairing, TheTranslationsOfAnotherLanguagesArticle) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> words;
    };
    const Case cases[] = {
        {L"Bank /baŋk/ <n, fem>\n1. скамья, скамейка\nSitz- oder Ablagegelegenheit\n2. банк "
         L"2.\nGeldinstitut\n 3.\n"
         L"Glücksspiellokal\n3. прилавок; стойка\ngeologische Formation\n",
         {L"скамья", L"скамейка", L"банк", L"прилавок", L"стойка"}},
        {L"aerob /ˈɑːərˌuːb/ <adj>\nаэро́бный\n", {L"аэробный"}},
        {L"banque /bɑ̃k/ <n, fem>\nбанк\nCommerce\n", {L"банк"}},
        {L"Aleppo /alˈɛppɔ/ <pn>\nHalep 2.\n(geografia) największe miasto Syrii\n", {L"halep"}},
        {L"kopf /x/\n1. (argo)  Kafa,  baş (insan)\n", {L"kafa", L"baş"}},
        {L"Djibouti /x/\n1.  [pays] Cibuti\n", {L"cibuti"}},
        {L"leer /x/\n", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(witnessTranslations(c.text), c.words) << core::toUtf8(c.text);
}

TEST(ToolsPairing, WordsSpelledAlikeInPlainLatin) {
    struct Case {
        const wchar_t* russian;
        const wchar_t* turkish;
        bool alike;
    };
    const Case cases[] = {
        {L"банк", L"banka", true},     {L"телефон", L"telefon", true}, {L"такси", L"taksi", true},
        {L"чай", L"çay", true},        {L"шал", L"şal", true},         {L"джаз", L"caz", true},
        {L"банк", L"bank", true},      {L"вал", L"banka", false},      {L"дом", L"ev", false},
        {L"машина", L"makine", false}, {L"кофе", L"kahve", false},     {L"ан", L"antrenörlük", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spelledAlike(c.russian, c.turkish), c.alike)
            << core::toUtf8(c.russian) << " " << core::toUtf8(c.turkish);
}
