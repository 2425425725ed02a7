#include "tools/builder.h"

namespace tools {

namespace {

// pos | English | Russian senses | Turkish senses, senses separated by ";", their words by ",". The
// builder makes the rows, as it does from the installed dictionaries.
const wchar_t* const kWords[] = {
    L"n|bank|банк;берег|banka;kıyı",
    L"n|run|бег,пробег|koşu,koşuş",
    L"v|run|бежать,бегать,управлять|koşmak,işletmek",
    L"n|house|дом,здание|ev,bina",
    L"n|water|вода|su",
    L"n|fire|огонь,пожар|ateş,yangın",
    L"n|tree|дерево|ağaç",
    L"n|book|книга|kitap",
    L"v|book|заказывать,бронировать|ayırtmak,rezervasyon yapmak",
    L"n|cat|кошка,кот|kedi",
    L"n|dog|собака,пёс|köpek",
    L"n|bird|птица|kuş",
    L"n|fish|рыба|balık",
    L"v|fish|ловить рыбу,удить|balık tutmak",
    L"n|hedgehog|ёж|kirpi",
    L"n|christmas tree|ёлка|çam ağacı",
    L"n|tea|чай|çay",
    L"n|coffee|кофе|kahve",
    L"n|cabbage soup|щи|lahana çorbası",
    L"n|pike|щука|turna balığı",
    L"n|shield|щит|kalkan",
    L"n|brush|щётка,кисть|fırça",
    L"n|entrance|подъезд,вход|giriş,antre",
    L"n|lift|подъём,лифт|asansör,kaldırma",
    L"n|announcement|объявление|duyuru,ilan",
    L"n|volume|объём,том|hacim,cilt",
    L"n|mouse|мышь|fare",
    L"n|soap|мыло|sabun",
    L"n|son|сын|oğul",
    L"n|cheese|сыр|peynir",
    L"n|language|язык|dil",
    L"n|tongue|язык|dil",
    L"n|word|слово|sözcük,kelime",
    L"n|world|мир,свет|dünya",
    L"n|peace|мир,покой|barış,huzur",
    L"n|light|свет|ışık",
    L"a|light|лёгкий,светлый|hafif,açık",
    L"n|moon|луна,месяц|ay",
    L"n|month|месяц|ay",
    L"n|sun|солнце|güneş",
    L"n|star|звезда|yıldız",
    L"n|sky|небо|gök,gökyüzü",
    L"n|sea|море|deniz",
    L"n|river|река|nehir,ırmak",
    L"n|lake|озеро|göl",
    L"n|mountain|гора|dağ",
    L"n|forest|лес|orman",
    L"n|field|поле|tarla,alan",
    L"n|road|дорога,путь|yol",
    L"n|street|улица|sokak,cadde",
    L"n|city|город|şehir,kent",
    L"n|village|деревня,село|köy",
    L"n|country|страна|ülke",
    L"n|door|дверь|kapı",
    L"n|window|окно|pencere",
    L"n|table|стол,таблица|masa,tablo",
    L"n|chair|стул|sandalye",
    L"n|bed|кровать,постель|yatak",
    L"n|key|ключ|anahtar",
    L"n|clock|часы|saat",
    L"n|hour|час|saat",
    L"n|minute|минута|dakika",
    L"n|day|день|gün",
    L"n|night|ночь|gece",
    L"n|morning|утро|sabah",
    L"n|evening|вечер|akşam",
    L"n|week|неделя|hafta",
    L"n|year|год|yıl,sene",
    L"n|winter|зима|kış",
    L"n|summer|лето|yaz",
    L"n|spring|весна;пружина;родник|ilkbahar;yay;pınar",
    L"n|autumn|осень|sonbahar",
    L"n|snow|снег|kar",
    L"n|rain|дождь|yağmur",
    L"n|wind|ветер|rüzgâr,rüzgar",
    L"n|bread|хлеб|ekmek",
    L"n|milk|молоко|süt",
    L"n|egg|яйцо|yumurta",
    L"n|apple|яблоко|elma",
    L"n|pear|груша|armut",
    L"n|cherry|вишня,черешня|kiraz,vişne",
    L"n|meat|мясо|et",
    L"n|salt|соль|tuz",
    L"n|sugar|сахар|şeker",
    L"n|honey|мёд|bal",
    L"n|ice cream|мороженое|dondurma",
    L"n|post office|почта,почтовое отделение|postane",
    L"n|railway station|вокзал|gar,istasyon",
    L"n|head|голова|baş,kafa",
    L"n|hand|рука,кисть|el",
    L"n|eye|глаз|göz",
    L"n|ear|ухо|kulak",
    L"n|heart|сердце|kalp,yürek",
    L"n|friend|друг,подруга|arkadaş,dost",
    L"n|mother|мать,мама|anne",
    L"n|father|отец,папа|baba",
    L"n|brother|брат|erkek kardeş,ağabey",
    L"n|sister|сестра|kız kardeş,abla",
    L"n|child|ребёнок,дитя|çocuk",
    L"n|teacher|учитель,преподаватель|öğretmen",
    L"n|student|студент,ученик|öğrenci",
    L"n|school|школа|okul",
    L"n|money|деньги|para",
    L"n|work|работа,труд|iş,çalışma",
    L"v|work|работать|çalışmak",
    L"v|go|идти,ехать|gitmek",
    L"v|come|приходить,приезжать|gelmek",
    L"v|see|видеть|görmek",
    L"v|speak|говорить|konuşmak",
    L"v|read|читать|okumak",
    L"v|write|писать|yazmak",
    L"v|sing|петь|şarkı söylemek",
    L"v|open|открывать|açmak",
    L"v|close|закрывать|kapamak,kapatmak",
    L"v|give|давать|vermek",
    L"v|take|брать|almak",
    L"v|eat|есть,кушать|yemek",
    L"v|drink|пить|içmek",
    L"v|sleep|спать|uyumak",
    L"v|think|думать|düşünmek",
    L"v|look for|искать|aramak",
    L"v|give up|сдаваться,бросать|vazgeçmek,bırakmak",
    L"a|good|хороший,добрый|iyi",
    L"a|bad|плохой|kötü",
    L"a|big|большой|büyük",
    L"a|small|маленький|küçük",
    L"a|new|новый|yeni",
    L"a|old|старый|eski,yaşlı",
    L"a|warm|тёплый|ılık,sıcak",
    L"a|cold|холодный|soğuk",
    L"a|strong|сильный|güçlü,kuvvetli",
    L"a|long|длинный,долгий|uzun",
    L"a|short|короткий|kısa",
    L"a|blue|синий,голубой|mavi",
    L"a|red|красный|kırmızı",
    L"a|green|зелёный|yeşil",
    L"a|yellow|жёлтый|sarı",
    L"a|black|чёрный|siyah,kara",
    L"a|white|белый|beyaz,ak",
    L"a|quiet|тихий,спокойный|sessiz,sakin",
    L"a|beautiful|красивый|güzel",
    L"a|ugly|уродливый|çirkin",
    L"adv|quickly|быстро|çabuk,hızlı",
    L"adv|slowly|медленно|yavaşça",
    L"adv|today|сегодня|bugün",
    L"adv|tomorrow|завтра|yarın",
    L"adv|yesterday|вчера|dün",
    L"adv|o'clock|час,по часам|saat",
    L"n|rock'n'roll|рок-н-ролл|rock'n'roll",
    L"n|e-mail|электронная почта|e-posta",
    L"n|t-shirt|футболка|tişört",
    L"n|turkey|индейка|hindi",
    L"n|onion|лук|soğan",
    L"n|bow|лук,поклон|yay,reverans",
    L"n|ship|корабль,судно|gemi",
    L"n|shore|берег|kıyı,sahil",
    L"n|bench|скамья,скамейка|bank,sıra",
    L"n|ship's boat|шлюпка|filika",
    // Headwords with a translation in one language only.
    L"n|seal||mühür",
    L"a|lonely|одинокий|",
};

// Rows outside the usual pattern, for the cases the look-up must get right.
const wchar_t* const kSpecialRows[] = {
    // Pattern characters inside the data.
    L"@100%<>сто процентов<>yüzde yüz@",
    L"@percent<>процент<>yüzde@",
    L"@snake_case<>змеиный_регистр<>yılan_biçimi@",
    L"@snakexcase<>змеиный регистр<>yılan biçimi@",
    // An English part with a third piece: listed by the headword search, not found by translation.
    L"@island@extra<>остров<>ada@",
    // A capital dotted İ kept as it is written, and a capital Cyrillic letter.
    L"@izmir<>Измир<>İzmir@",
    L"@istanbul<>Стамбул<>İstanbul@",
};

std::vector<std::wstring> splitAt(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t end = s.find(sep, start);
        parts.push_back(s.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return parts;
}

std::vector<Translation> translations(const std::wstring& senses, const std::wstring& pos) {
    std::vector<Translation> out;
    int number = 0;
    for (const auto& sense : splitAt(senses, L';')) {
        for (const auto& word : splitAt(sense, L','))
            if (!word.empty()) out.push_back({word, pos, number});
        ++number;
    }
    return out;
}

std::vector<std::wstring> makeRows() {
    Lexicon lexicon;
    for (const wchar_t* line : kWords) {
        auto fields = splitAt(line, L'|');
        addEnglishRussian(lexicon, fields[1], translations(fields[2], fields[0]));
        addEnglishTurkish(lexicon, fields[1], translations(fields[3], L""));
    }
    std::vector<std::wstring> rows = pivotRows(lexicon);
    for (const wchar_t* row : kSpecialRows) rows.push_back(row);
    return rows;
}

} // namespace

const std::vector<std::wstring>& sampleDictionaryRows() {
    static const std::vector<std::wstring> rows = makeRows();
    return rows;
}

} // namespace tools
