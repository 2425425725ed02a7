#include "tools/builder.h"

#include "app/database_paths.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "platform/data/connection.h"
#include "platform/data/content_digest.h"
#include "platform/data/database.h"
#include "platform/data/text.h"
#include "tools/dictd.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace tools {

namespace {

std::wstring baseName(const std::wstring& file) {
    size_t slash = file.find_last_of(L"\\/");
    return slash == std::wstring::npos ? file : file.substr(slash + 1);
}

// Runs the writer on a file beside the target and moves it into place only when it is complete. A
// sealed file (one the program only reads) carries the digest of its content.
template <class Writer>
void writeWhole(const std::wstring& file, bool sealed, Writer writer) {
    std::wstring temp = file + L".part";
    DeleteFileW(temp.c_str());
    DeleteFileW((temp + L"-journal").c_str());
    try {
        {
            data::Database db(temp, data::Database::Mode::Create);
            writer(db);
        }
        if (sealed) data::sealContent(temp);
        if (!MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw std::runtime_error("cannot move the new database into place: " + core::toUtf8(file));
    } catch (...) {
        DeleteFileW(temp.c_str());
        DeleteFileW((temp + L"-journal").c_str());
        throw;
    }
}

std::wstring lettersOf(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : data::lowerCase(text))
        if (c >= L'a' && c <= L'z') out += c;
    return out;
}

} // namespace

std::vector<std::wstring> articleHeadwords(const DictdEntry& entry) {
    std::wstring first = entry.text.substr(0, entry.text.find(L'\n'));
    for (const wchar_t* mark : {L" /", L" ["}) first = first.substr(0, first.find(mark));
    for (auto& c : first)
        if (c == 0x2010) c = L'-';
    while (!first.empty() && (first.back() == L'.' || first.back() == L' ')) first.pop_back();
    // Some first lines carry a note spliced into the word ("hou(sin.)g", "(ark.)"): the index is
    // right there.
    if (lettersOf(first) != lettersOf(entry.headword) || lettersOf(first).empty() ||
        first.find_first_of(L"()") != std::wstring::npos)
        return {entry.headword};
    std::vector<std::wstring> words;
    size_t start = 0;
    for (;;) {
        size_t comma = first.find(L',', start);
        std::wstring word =
            first.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        while (!word.empty() && word.front() == L' ') word.erase(0, 1);
        words.push_back(word);
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    if (words.size() > 1) {
        // Variants of one word ("agouti, agouty") begin alike; a comma inside a word
        // ("demobiliza,tion", "actuar,y") is a typing slip.
        for (const auto& word : words)
            if (lettersOf(word).size() < 3 || lettersOf(word)[0] != lettersOf(words[0])[0])
                return {entry.headword};
        return words;
    }
    // The other sources may write the word as the index does ("bypass" beside "by-pass").
    if (words[0] != entry.headword) words.push_back(entry.headword);
    return words;
}

std::wstring keptRussian(const Translation& t) {
    std::wstring word = collapseBlanks(t.word);
    return fitsInPiece(word) ? word : std::wstring();
}

std::wstring keptTurkish(const std::wstring& englishHeadword, const Translation& t) {
    std::wstring word = collapseBlanks(t.word);
    bool kept = fitsInPiece(word) && word != cleanHeadword(englishHeadword) && plausibleTurkish(word);
    return kept ? word : std::wstring();
}

namespace {

bool known(const std::vector<Sense>& senses, const std::wstring& word) {
    for (const auto& sense : senses)
        if (std::find(sense.words.begin(), sense.words.end(), word) != sense.words.end()) return true;
    return false;
}

bool infinitive(const std::wstring& word) {
    return word.size() > 3 &&
           (word.compare(word.size() - 3, 3, L"mak") == 0 || word.compare(word.size() - 3, 3, L"mek") == 0);
}

// Turkish infinitives end in "-mak" or "-mek", and so do a few nouns ("ekmek", bread): a sense
// that begins with a phrase ending in one ("balık tutmak"), or with one in an article whose senses
// mostly do, translates a verb. The sources name no other part of speech for Turkish.
void markVerbs(std::vector<Sense>& senses) {
    size_t verbs = 0;
    for (const auto& sense : senses) verbs += infinitive(sense.words.front());
    for (auto& sense : senses) {
        const std::wstring& lead = sense.words.front();
        bool verb = infinitive(lead) && (lead.find(L' ') != std::wstring::npos || verbs * 2 > senses.size());
        sense.pos = verb ? L"v" : L"";
    }
}

// The translations the cleaning keeps, each as the record keeps it.
template <class Keep>
std::vector<Translation> keptOf(const std::vector<Translation>& translations, Keep keep) {
    std::vector<Translation> out;
    for (const auto& t : translations) {
        std::wstring word = keep(t);
        if (!word.empty()) out.push_back({std::move(word), t.pos, t.sense});
    }
    return out;
}

// An article's senses, each word once per headword; a sense left without words goes.
std::vector<Sense> sensesOf(const std::vector<Sense>& have, const std::vector<Translation>& kept) {
    std::vector<Sense> senses;
    int number = -1;
    for (const auto& t : kept) {
        if (known(have, t.word) || known(senses, t.word)) continue;
        if (senses.empty() || t.sense != number || t.pos != senses.back().pos) senses.push_back({t.pos, {}});
        number = t.sense;
        senses.back().words.push_back(t.word);
    }
    return senses;
}

void append(std::vector<Sense>& to, std::vector<Sense> senses) {
    to.insert(to.end(), std::make_move_iterator(senses.begin()), std::make_move_iterator(senses.end()));
}

} // namespace

void addEnglishRussian(Lexicon& lexicon, const std::wstring& headword,
                       const std::vector<Translation>& russian, Source source) {
    std::wstring word = cleanHeadword(headword);
    if (word.empty()) return;
    Headword& entry = lexicon[word];
    const auto kept = keptOf(russian, keptRussian);
    auto& own = entry.bySource[static_cast<size_t>(source)];
    append(own, sensesOf(own, kept));
    append(entry.russian, sensesOf(entry.russian, kept));
}

void addEnglishTurkish(Lexicon& lexicon, const std::wstring& headword,
                       const std::vector<Translation>& turkish) {
    std::wstring word = cleanHeadword(headword);
    if (word.empty()) return;
    Headword& entry = lexicon[word];
    const auto kept = keptOf(turkish, [&](const Translation& t) { return keptTurkish(word, t); });
    for (auto* senses : {&entry.bySource[static_cast<size_t>(Source::EnglishTurkish)], &entry.turkish}) {
        auto added = sensesOf(*senses, kept);
        markVerbs(added);
        append(*senses, std::move(added));
    }
}

void addTurkishEnglish(Lexicon& lexicon, const std::wstring& turkishHeadword,
                       const std::vector<Translation>& english) {
    std::wstring turkish = collapseBlanks(data::lowerCase(turkishHeadword));
    if (turkish.empty() || !fitsInPiece(turkish) || turkish.size() > 40 || !plausibleTurkish(turkish)) return;
    bool first = true;
    for (const auto& t : english) {
        std::wstring word = cleanHeadword(t.word);
        if (word.empty() || word == turkish) continue;
        auto& entry = lexicon[word];
        Sense sense{infinitive(turkish) ? L"v" : L"", {turkish}};
        auto& own = entry.bySource[static_cast<size_t>(Source::TurkishEnglish)];
        if (!known(own, turkish)) own.push_back(sense);
        if (!known(entry.turkish, turkish)) entry.turkish.push_back(std::move(sense));
        if (first) entry.turkishFirst.push_back(turkish);
        first = false;
    }
}

BuildCounts countRows(const std::vector<std::wstring>& rows) {
    std::set<std::wstring> english, russian, turkish;
    for (const auto& row : rows) {
        size_t a = row.find(L"<>");
        size_t b = row.find(L"<>", a + 2);
        if (a == std::wstring::npos || b == std::wstring::npos) continue;
        std::wstring en = row.substr(0, a);
        en = en.substr(en.find(L'@') + 1);
        std::wstring tr = row.substr(b + 2);
        tr = tr.substr(0, tr.find(L'@'));
        english.insert(en);
        if (b > a + 2) russian.insert(row.substr(a + 2, b - a - 2));
        if (!tr.empty()) turkish.insert(tr);
    }
    return {english.size(), rows.size(), russian.size(), turkish.size()};
}

namespace {

const std::vector<std::wstring> kEnglishDictionaries = {L"mueller7", L"freedict-eng-rus", L"freedict-eng-tur",
                                                        L"freedict-tur-eng"};

// The four dictionaries of a folder of dictd files, merged through English.
Lexicon lexiconFromDictd(const std::wstring& folder) {
    const DictdFolder dictionaries(folder, kEnglishDictionaries);
    auto read = [&](const wchar_t* name) { return dictionaries.read(name); };

    Lexicon lexicon;
    for (const auto& e : read(L"mueller7"))
        addEnglishRussian(lexicon, e.headword, cleanRussianArticle(e.text));
    for (const auto& e : read(L"freedict-eng-rus")) {
        auto russian = cleanNumberedArticle(e.text);
        for (const auto& word : articleHeadwords(e))
            addEnglishRussian(lexicon, word, russian, Source::EnglishRussian);
    }
    for (const auto& e : read(L"freedict-eng-tur")) {
        auto turkish = cleanNumberedArticle(e.text);
        for (const auto& word : articleHeadwords(e)) addEnglishTurkish(lexicon, word, turkish);
    }
    for (const auto& e : read(L"freedict-tur-eng"))
        addTurkishEnglish(lexicon, e.headword, cleanNumberedArticle(e.text));
    return lexicon;
}

} // namespace

std::vector<std::wstring> builderDictionaries() {
    std::vector<std::wstring> names = kEnglishDictionaries;
    for (const auto& name : witnessDictionaries()) names.push_back(name);
    return names;
}

std::vector<std::wstring> rowsFromDictd(const std::wstring& folder) {
    const Lexicon lexicon = lexiconFromDictd(folder);
    return pivotRows(lexicon, witnessesFromDictd(folder));
}

void writeDictionary(const std::wstring& file, const std::vector<std::wstring>& rows,
                     const std::wstring& password) {
    for (const auto& row : rows)
        if (row.find(L"<>") == std::wstring::npos)
            throw std::runtime_error("not a dictionary record: " + core::toUtf8(row));
    writeWhole(file, true, [&](data::Database& db) {
        db.begin();
        // A full-text table cannot have a column named like itself; the view keeps the names the
        // application's queries use, and its "like '%...%'" is answered from the trigram index.
        db.execute(L"create virtual table soz_fts using fts5(soz, tokenize='trigram')");
        db.execute(L"create view soz as select rowid as id, soz from soz_fts");
        data::storePassword(db, password, baseName(file));
        data::Statement insert = db.prepare(L"insert into soz_fts (soz) values (?)");
        for (const auto& row : rows) {
            insert.bind(1, core::Variant(row));
            insert.execute();
        }
        db.execute(L"insert into soz_fts (soz_fts) values ('optimize')");
        db.commit();
        db.execute(L"vacuum");
    });
}

void writeSettings(const std::wstring& file, const std::wstring& password) {
    writeWhole(file, false, [&](data::Database& db) {
        db.begin();
        data::storePassword(db, password, baseName(file));
        db.execute(L"create table ses (ses bit)");
        db.execute(L"insert into ses values (-1)");
        db.execute(L"create table adam (adam text)");
        db.execute(L"insert into adam values ('vexa$1$1$1$1')");
        db.execute(L"create table esu (deyer integer)");
        db.execute(L"insert into esu values (160)");
        db.execute(L"create table rsu (deyer integer)");
        db.execute(L"insert into rsu values (160)");
        db.execute(L"create table dil (dil text)");
        db.execute(L"insert into dil values ('en')");
        db.commit();
    });
}

void writeSampleDatabases(const std::wstring& programFolder) {
    const app::DatabasePaths paths = app::databasePaths(programFolder);
    CreateDirectoryW(paths.folder.c_str(), nullptr);
    writeDictionary(paths.dictionary, sampleDictionaryRows());
    writeSettings(paths.settings);
}

} // namespace tools
