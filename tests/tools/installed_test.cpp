// The builder on the dictionary packages installed on this machine. The tests skip, saying why,
// where they are not installed.
#include "platform/core/text.h"
#include "platform/data/connection.h"
#include "platform/data/connection_string.h"
#include "platform/data/data_fixture.h"
#include "platform/data/recordset.h"
#include "platform/data/text.h"
#include "tools/builder.h"

#include <cstdio>
#include <map>
#include <random>
#include <set>

using namespace datatest;
using namespace tools;

namespace {

// Where Debian installs dictd dictionaries, as Wine's drive Z sees it.
const std::wstring kSources = L"Z:\\usr\\share\\dictd";

bool sourcesInstalled() {
    for (const auto& name : tools::builderDictionaries())
        if (GetFileAttributesW((kSources + L"\\" + name + L".index").c_str()) == INVALID_FILE_ATTRIBUTES)
            return false;
    return true;
}

#define SKIP_WITHOUT_SOURCES()                                                                               \
    if (!sourcesInstalled())                                                                                 \
    GTEST_SKIP() << "the dictionary packages (mueller7-dict, dict-freedict-*) are not installed in "         \
                    "/usr/share/dictd"

struct Parts {
    std::set<std::wstring> russian, turkish;
};

// The Russian and Turkish words each English headword's rows hold.
std::map<std::wstring, Parts> partsByHeadword(const std::vector<std::wstring>& rows) {
    std::map<std::wstring, Parts> out;
    for (const auto& row : rows) {
        size_t a = row.find(L"<>"), b = row.find(L"<>", a + 2);
        std::wstring english = row.substr(0, a);
        auto& parts = out[english.substr(english.find(L'@') + 1)];
        parts.russian.insert(row.substr(a + 2, b - a - 2));
        std::wstring turkish = row.substr(b + 2);
        parts.turkish.insert(turkish.substr(0, turkish.find(L'@')));
    }
    return out;
}

} // namespace

TEST(ToolsInstalled, TheFirstTranslationOfEverySampledSenseReachesTheRows) {
    SKIP_WITHOUT_SOURCES();
    auto built = partsByHeadword(rowsFromDictd(kSources));

    struct Article {
        bool russian;
        std::wstring text;
    };
    std::map<std::wstring, std::vector<Article>> articles;
    for (bool russian : {true, false}) {
        std::wstring name = kSources + (russian ? L"\\freedict-eng-rus" : L"\\freedict-eng-tur");
        for (const auto& entry : readDictd(name + L".index", name + L".dict.dz"))
            for (const auto& word : articleHeadwords(entry))
                if (!cleanHeadword(word).empty())
                    articles[cleanHeadword(word)].push_back({russian, entry.text});
    }
    std::vector<std::wstring> headwords;
    for (const auto& [word, list] : articles) headwords.push_back(word);

    std::mt19937 pick(20261207);
    size_t senses = 0, found = 0;
    std::string missing;
    for (int i = 0; i < 300; ++i) {
        std::swap(headwords[i], headwords[i + pick() % (headwords.size() - i)]);
        const std::wstring& headword = headwords[i];
        for (const auto& article : articles[headword]) {
            int sense = -1;
            for (const auto& t : cleanNumberedArticle(article.text)) {
                std::wstring word = article.russian ? keptRussian(t) : keptTurkish(headword, t);
                if (word.empty() || t.sense == sense) continue;
                sense = t.sense;
                ++senses;
                const auto& parts = article.russian ? built[headword].russian : built[headword].turkish;
                if (parts.count(word)) {
                    ++found;
                } else if (missing.size() < 400) {
                    missing += " " + core::toUtf8(headword) + ":" + core::toUtf8(word);
                }
            }
        }
    }
    double share = senses ? 100.0 * static_cast<double>(found) / static_cast<double>(senses) : 0;
    std::printf("%zu of %zu senses of 300 sampled headwords give their first translation (%.1f%%)\n", found,
                senses, share);
    EXPECT_GT(senses, 300u);
    EXPECT_GE(share, 97.0) << "missing:" << missing;
}

TEST(ToolsInstalled, TheBuiltDictionaryHoldsTheEverydayWords) {
    SKIP_WITHOUT_SOURCES();
    TempFolder folder;
    auto rows = rowsFromDictd(kSources);
    EXPECT_GE(countRows(rows).headwords, 50000u);
    writeDictionary(folder.file(L"dat.vex"), rows);

    data::Connection cn;
    cn.Open(connectionString(folder.path(), L"dat.vex", kDictionaryPassword), L"", L"", -1);
    // The parts of the rows a translation query finds.
    auto partsOf = [&](const std::wstring& key, size_t part) {
        data::Recordset rs;
        rs.Open(L"select distinct soz from soz where soz like'%" + key + L"%' ", cn, 1, 3, -1);
        std::set<std::wstring> out;
        for (; !rs.Eof(); rs.MoveNext()) {
            std::wstring row = rs.Fields(L"soz").Value().toString();
            for (size_t i = 0; i < part; ++i) row = row.substr(row.find(L"<>") + 2);
            out.insert(part == 0 ? row.substr(row.find(L'@') + 1, row.find(L"<>") - row.find(L'@') - 1)
                                 : row.substr(0, row.find(part == 1 ? L"<>" : L"@")));
        }
        rs.Close();
        return out;
    };
    struct Case {
        const wchar_t* key;
        size_t part;
        const wchar_t* word;
    };
    const Case cases[] = {
        {L"@bank<>", 1, L"банк"},    {L"@bank<>", 2, L"banka"},   {L"@spring<>", 1, L"весна"},
        {L"@match<>", 2, L"kibrit"}, {L"@date<>", 2, L"hurma"},   {L"@well<>", 1, L"хорошо"},
        {L"@seal<>", 2, L"mühür"},   {L"<>kibrit@", 0, L"match"}, {L"<>весна<>", 0, L"spring"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(partsOf(c.key, c.part).count(c.word), 1u)
            << core::toUtf8(c.key) << " " << core::toUtf8(c.word);
}
