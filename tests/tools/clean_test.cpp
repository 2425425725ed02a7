#include "tools/builder.h"
#include "tools/clean.h"

#include "platform/core/text.h"
#include "platform/data/text.h"

#include <gtest/gtest.h>

#include <map>

using namespace tools;

namespace {

std::vector<std::wstring> words(const std::vector<Translation>& list) {
    std::vector<std::wstring> out;
    for (const auto& t : list) out.push_back(t.word);
    return out;
}

using Words = std::vector<std::wstring>;

} // namespace

TEST(ToolsClean, RussianArticlesGiveTheWordsOfEachSense) {
    // Transcription, homonym marks, part-of-speech groups, labels, notes, examples and the
    // sub-senses of a phrase, as the English-Russian source writes them.
    std::wstring article = L"lamp\n"
                           L"   _I  [læmp]\n"
                           L"      1. _n.\n"
                           L"         1) лампа; фонарь\n"
                           L"         2) _поэт. светоч, светило (о солнце); an oil lamp керосиновая\n"
                           L"         лампа; to smell of the lamp быть вымученным\n"
                           L"         3) _тех. лампа накаливания {см. тж. 1}\n"
                           L"      2. _v.\n"
                           L"         1) светить; lamp up\n"
                           L"         а) зажигать;\n"
                           L"         б) освещать\n"
                           L"         10)сиять, блистать\n"
                           L"   _II [læmp] _n. (_сокр. от lamprey) _разг.\n"
                           L"         1) минога\n"
                           L"         2) что-л. и т.п.; очень длинное описание из многих слов\n"
                           L"         3) забыть то, что знал\n";
    auto list = cleanRussianArticle(article);
    EXPECT_EQ(words(list), (Words{L"лампа", L"фонарь", L"светоч", L"светило", L"лампа накаливания",
                                  L"светить", L"сиять", L"блистать", L"минога"}));
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list[0].pos, L"n");
    EXPECT_EQ(list[5].pos, L"v");
    EXPECT_EQ(list[8].pos, L"n");

    // An article without numbering is one sense.
    EXPECT_EQ(words(cleanRussianArticle(L"'cellist\n   [tʃeˈlɪst] _n. виолончелист\n")),
              Words{L"виолончелист"});
    EXPECT_TRUE(cleanRussianArticle(L"ref\n   = reference\n").empty());
    // A word for anyone or anything before a participle phrase heads a description.
    EXPECT_EQ(words(cleanRussianArticle(L"acquiescent\n   _n. человек, идущий на уступки; лицо, постоянно "
                                        L"живущее в городе; предмет, вещь\n")),
              (Words{L"идущий на уступки", L"постоянно живущее в городе", L"предмет", L"вещь"}));
    // A comma before a relative word belongs to a clause: neither side is a translation.
    EXPECT_EQ(words(cleanRussianArticle(L"nipper\n   _n.\n   1) тот, кто кусается, кусака; то, что кусается\n"
                                        L"   2) что, какой\n")),
              (Words{L"кусака", L"что", L"какой"}));
}

TEST(ToolsClean, NumberedArticlesStopAtTheFirstPhrase) {
    std::wstring article = L"spring /spɹˈɪŋ/\n"
                           L"1. (bot.) ilkbahar, bahar (mevsim)\n"
                           L"2. yay, zemberek. spring balance yaylı terazi\n"
                           L"3. pınar, (coğr.) Fons vitae\n"
                           L"4. (kıs.) spr.\n"
                           L"5. (kıs.)a sıçrama\n"
                           L"6. sıçramak; atlamak!\n"
                           L"7. (bak.) leap\n"
                           L"8. kaynak, YEni âIâ, İlkbahar\n"
                           L"9. çok uzun bir açıklama olan bir ifade\n"
                           L"10. ateş ve, su\n"
                           L"11. (A.B.D.), (argo) fırlamak\n"
                           L"12. deniz kıyısında küçük çeşme, uzun bir açıklama olan ifade\n";
    auto list = cleanNumberedArticle(article);
    EXPECT_EQ(words(list),
              (Words{L"ilkbahar", L"bahar", L"yay", L"zemberek", L"pınar", L"sıçramak", L"atlamak", L"kaynak",
                     L"su", L"fırlamak", L"deniz kıyısında küçük çeşme"}));
    // Words of one sense share its number; the senses keep their order.
    EXPECT_EQ(list[0].sense, list[1].sense);
    EXPECT_LT(list[1].sense, list[2].sense);
    EXPECT_EQ(list[2].sense, list[3].sense);
    EXPECT_LT(list[8].sense, list[9].sense);

    EXPECT_EQ(words(cleanNumberedArticle(L"bank /bæŋk/\n1. банк\n2. банка, Банк\n")),
              (Words{L"банк", L"банка"}));
    EXPECT_EQ(words(cleanNumberedArticle(L"çay /tʃaj/\ntea, brook\n")), (Words{L"tea", L"brook"}));
}

TEST(ToolsClean, NotesColonsAndStrayDotsLeaveTheEverydaySenses) {
    struct Case {
        const wchar_t* sense;
        Words words;
    };
    const Case cases[] = {
        // A note whose opening bracket the source's abbreviation closed early goes as a whole.
        {L"(çoğ.) women) kadın", {L"kadın"}},
        {L"(çoğ.) fish, değişik türler için fishes) balık", {L"balık"}},
        {L"(fr.) (çoğ.)bainsmaire) benmari, iki katlı tencere.", {L"benmari", L"iki katlı tencere"}},
        {L"(çoğ.) -men) (huk.) kefil.", {L"kefil"}},
        {L")aspirin", {L"aspirin"}},
        {L"as, birli iskambil oyununda)", {L"as"}},
        // Notes inside notes.
        {L"(spoke, (eski) spake: spoken) konuşmak, söz söylemek", {L"konuşmak", L"söz söylemek"}},
        // A colon ends the translations: a gloss or an example follows.
        {L"satın almak, almak: bir şey karşılığında sağlamak: kiralamak", {L"satın almak", L"almak"}},
        {L"(ünlem), (argo) (şaşkınlık, zevk, onay gösterir): Hey, man!", {}},
        // A stray dot before the word; an ellipsis stands for a word left out.
        {L".oynamak", {L"oynamak"}},
        {L". kıyıda, karaya oturmuş.", {L"kıyıda", L"karaya oturmuş"}},
        {L"...eğiliminde olan", {}},
        // A label of British use before the words.
        {L"ing. dava vekili, avukat", {L"dava vekili", L"avukat"}},
        {L"ing, (argo) yaman, çok", {L"yaman", L"çok"}},
        // What stays as it was: a cross-reference, an abbreviation, a note run into a word.
        {L"(bak.) an)", {}},
        {L"(kıs.) spr.", {}},
        {L"(kıs.)a sıçrama", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(words(cleanNumberedArticle(std::wstring(L"x /x/\n1. ") + c.sense + L"\n")), c.words)
            << core::toUtf8(c.sense);
}

TEST(ToolsClean, TurkishRemnantsOfTheEnglishSourceAreRefused) {
    for (const wchar_t* good : {L"o", L"ağ", L"afrika'ya ait", L"yugoslavya'nın başkenti", L"kur'an",
                                L"vaz'etmek", L"reform yapmak", L"çok kuvvetli adam"})
        EXPECT_TRUE(plausibleTurkish(good)) << core::toUtf8(good);
    for (const wchar_t* bad : {L"r", L"i", L"with ile uymak", L"railway demiryolu", L"su bilimi hydrolog'ic",
                               L"fer'mentative mayalanan", L"assid'uousness çalışkanlık", L"noel'",
                               L"''her''", L"dikkatli assidu'ity"})
        EXPECT_FALSE(plausibleTurkish(bad)) << core::toUtf8(bad);

    Lexicon lexicon;
    addEnglishRussian(lexicon, L"hydrology", {{L"гидрология", L"n"}});
    addEnglishTurkish(lexicon, L"hydrology",
                      {{L"su bilimi hydrolog'ic", L""}, {L"hidroloji", L""}, {L"k", L""}});
    addTurkishEnglish(lexicon, L"hydrolog'ic", {{L"hydrology", L""}});
    EXPECT_EQ(pivotRows(lexicon), Words{L"@hydrology<>гидрология<>hidroloji@"});
}

TEST(ToolsClean, HeadwordsAndPieces) {
    EXPECT_EQ(cleanHeadword(L"  Ice   Cream "), L"ice cream");
    EXPECT_EQ(cleanHeadword(L"o'clock"), L"o'clock");
    EXPECT_EQ(cleanHeadword(L"t-shirt"), L"t-shirt");
    EXPECT_EQ(cleanHeadword(L"'cause"), L"");
    EXPECT_EQ(cleanHeadword(L"a.m."), L"");
    EXPECT_EQ(cleanHeadword(L"one two three four"), L"");
    EXPECT_EQ(cleanHeadword(L"naïve"), L"");

    // The article's first line restores what the index dropped.
    EXPECT_EQ(articleHeadwords({L"bypass", L"by-pass /ˈbaɪ/\n1. atlama\n"}), (Words{L"by-pass", L"bypass"}));
    EXPECT_EQ(articleHeadwords({L"convolution", L"convolution. /kɒn/\n1. büklüm\n"}), Words{L"convolution"});
    EXPECT_EQ(articleHeadwords({L"demobilization", L"demobiliza,tion /dɪ/\n1. terhis\n"}),
              Words{L"demobilization"});
    EXPECT_EQ(articleHeadwords({L"acclimateacclimatize", L"acclimate,acclimatize /x/\n1. alıştırmak\n"}),
              (Words{L"acclimate", L"acclimatize"}));
    EXPECT_EQ(articleHeadwords({L"uptodate", L"up\u2010to\u2010date /ˌʌp/\nактуальность\n"}),
              (Words{L"up-to-date", L"uptodate"}));
    EXPECT_EQ(articleHeadwords({L"actuary", L"actuar,y\n1. aktüer\n"}), Words{L"actuary"});
    EXPECT_EQ(articleHeadwords({L"housing", L"hou(sin.)g /hˈuː/\n1. iskân\n"}), Words{L"housing"});
    EXPECT_EQ(articleHeadwords({L"bank", L"shore /ʃɔː/\n1. kıyı\n"}), Words{L"bank"});

    EXPECT_TRUE(fitsInPiece(L"ice cream"));
    EXPECT_FALSE(fitsInPiece(L""));
    EXPECT_FALSE(fitsInPiece(L"a<>b"));
    EXPECT_FALSE(fitsInPiece(L"a@b"));
    EXPECT_FALSE(fitsInPiece(L"a$b"));
    EXPECT_FALSE(fitsInPiece(L"x<%S%>"));
}

TEST(ToolsPivot, WordsTheFirstSensesAgreeOnShareARow) {
    Lexicon lexicon;
    // The words that lead the first sense of a kind in both languages.
    addEnglishRussian(lexicon, L"cat",
                      {{L"кот", L"n", 0}, {L"кошка", L"n", 0}, {L"животное семейства кошачьих", L"n", 1}});
    addEnglishTurkish(lexicon, L"cat", {{L"kedi", L"", 0}, {L"yayın balığı", L"", 1}});
    // Verbs with verbs, the rest with the rest; each Turkish article is judged on its own.
    addEnglishRussian(lexicon, L"run", {{L"бежать", L"v", 0}, {L"бегать", L"v", 0}, {L"бег", L"n", 1}});
    addEnglishTurkish(lexicon, L"run", {{L"koşmak", L"", 0}, {L"işletmek", L"", 1}});
    addEnglishTurkish(lexicon, L"run", {{L"koşu", L"", 0}});
    // "ırmak" looks like an infinitive, but the Russian source has no verb for "river"; the
    // Turkish-English source gives "river" first for "nehir".
    addEnglishRussian(lexicon, L"river", {{L"река", L"n", 0}, {L"поток", L"n", 0}});
    addEnglishTurkish(lexicon, L"river", {{L"ırmak", L"", 0}, {L"nehir", L"", 0}});
    addTurkishEnglish(lexicon, L"nehir", {{L"river", L""}, {L"stream", L""}});
    // A word that leads the senses of many headwords does not meet a word of one only.
    for (const wchar_t* english : {L"bad", L"evil", L"ill", L"nasty", L"poor", L"vile", L"wicked"}) {
        addEnglishRussian(lexicon, english, {{L"плохой", L"a", 0}});
        addEnglishTurkish(lexicon, english, {{L"kötü", L"", 0}});
    }
    addEnglishRussian(lexicon, L"vicious", {{L"порочный", L"a", 0}});
    addEnglishTurkish(lexicon, L"vicious", {{L"kötü", L"", 0}});

    std::map<std::wstring, Words> rows;
    for (const auto& row : pivotRows(lexicon)) rows[row.substr(1, row.find(L"<>") - 1)].push_back(row);
    const std::map<std::wstring, Words> expected = {
        {L"bad", {L"@bad<>плохой<>kötü@"}},
        {L"cat",
         {L"@cat<>кот<>kedi@", L"@cat<>кошка<>@", L"@cat<>животное семейства кошачьих<>@",
          L"@cat<><>yayın balığı@"}},
        {L"evil", {L"@evil<>плохой<>kötü@"}},
        {L"ill", {L"@ill<>плохой<>kötü@"}},
        {L"nasty", {L"@nasty<>плохой<>kötü@"}},
        {L"poor", {L"@poor<>плохой<>kötü@"}},
        {L"river", {L"@river<>река<>ırmak@", L"@river<>река<>nehir@", L"@river<>поток<>@"}},
        {L"run", {L"@run<>бежать<>koşmak@", L"@run<>бег<>koşu@", L"@run<>бегать<>@", L"@run<><>işletmek@"}},
        {L"stream", {L"@stream<><>nehir@"}},
        {L"vicious", {L"@vicious<>порочный<>@", L"@vicious<><>kötü@"}},
        {L"vile", {L"@vile<>плохой<>kötü@"}},
        {L"wicked", {L"@wicked<>плохой<>kötü@"}},
    };
    EXPECT_EQ(rows, expected);
}

TEST(ToolsPivot, EveryTranslationIsWrittenEvenWithoutTheOtherLanguage) {
    Lexicon lexicon;
    std::vector<Translation> many;
    for (int i = 0; i < 20; ++i) many.push_back({L"слово" + std::wstring(i + 1, L'ы'), L"n", i});
    addEnglishRussian(lexicon, L"word", many);
    addEnglishTurkish(lexicon, L"word", {{L"sözcük", L""}});
    addEnglishRussian(lexicon, L"lonely", {{L"одинокий", L"a"}});
    addEnglishTurkish(lexicon, L"alone", {{L"yalnız", L""}, {L"alone", L""}});
    addEnglishTurkish(lexicon, L"a<>b", {{L"x", L""}}); // not a headword
    addEnglishRussian(lexicon, L"none", {{L"a<>b", L"n"}});

    auto rows = pivotRows(lexicon);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows[0], L"@alone<><>yalnız@");
    EXPECT_EQ(rows[1], L"@lonely<>одинокий<>@");
    // The word that leads the senses meets the Turkish word; the others stand alone.
    EXPECT_EQ(rows[2], L"@word<>словоы<>sözcük@");
    for (int i = 1; i < 20; ++i) EXPECT_EQ(rows[2 + i], L"@word<>слово" + std::wstring(i + 1, L'ы') + L"<>@");
    BuildCounts counts = countRows(rows);
    EXPECT_EQ(counts.headwords, 3u);
    EXPECT_EQ(counts.russian, 21u) << "an empty part is no word";
    EXPECT_EQ(counts.turkish, 2u);
}

TEST(ToolsPivot, PiecesKeepSingleBlanksOnly) {
    Lexicon lexicon;
    addEnglishRussian(lexicon, L"accumulator", {{L"собирающее  устройство ", L"n"}, {L" ", L"n"}});
    addEnglishTurkish(lexicon, L"accumulator", {{L"akü ", L""}});
    addTurkishEnglish(lexicon, L"akümülatör  ", {{L"accumulator", L""}});
    Words expected = {L"@accumulator<>собирающее устройство<>akü@",
                      L"@accumulator<>собирающее устройство<>akümülatör@"};
    EXPECT_EQ(pivotRows(lexicon), expected);
}
