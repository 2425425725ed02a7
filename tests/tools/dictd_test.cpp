#include "platform/core/text.h"
#include "platform/data/data_fixture.h"
#include "platform/data/text.h"
#include "tools/builder.h"
#include "tools/dictd.h"

#include <zlib.h>

#include <stdexcept>

using namespace datatest;
using namespace tools;

namespace {

std::string gzip(const std::string& text) {
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, static_cast<uLong>(text.size())) + 64, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    zs.avail_in = static_cast<uInt>(text.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

std::string number(long long n) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    do {
        out.insert(out.begin(), digits[n % 64]);
        n /= 64;
    } while (n > 0);
    return out;
}

// Writes <name>.index and <name>.dict.dz from (headword, article) pairs, UTF-8.
void writeDictd(const TempFolder& folder, const std::wstring& name,
                const std::vector<std::pair<std::wstring, std::wstring>>& articles) {
    std::string text = "00-database-info\nA dictionary made for a test.\n";
    std::string index = "00databaseinfo\tA\t" + number(static_cast<long long>(text.size())) + "\n";
    for (const auto& [word, article] : articles) {
        std::string bytes = core::toUtf8(article);
        index += core::toUtf8(word) + "\t" + number(static_cast<long long>(text.size())) + "\t" +
                 number(static_cast<long long>(bytes.size())) + "\n";
        text += bytes;
    }
    writeBytes(folder.file(name + L".index"), index);
    writeBytes(folder.file(name + L".dict.dz"), gzip(text));
}

} // namespace

TEST(ToolsDictd, DecodesTheIndexNumbers) {
    EXPECT_EQ(decodeDictdNumber("A"), 0);
    EXPECT_EQ(decodeDictdNumber("B"), 1);
    EXPECT_EQ(decodeDictdNumber("/"), 63);
    EXPECT_EQ(decodeDictdNumber("BA"), 64);
    EXPECT_EQ(decodeDictdNumber("C+m"), 2 * 4096 + 62 * 64 + 38);
    EXPECT_EQ(decodeDictdNumber("SaWI"), ((18LL * 64 + 26) * 64 + 22) * 64 + 8);
    EXPECT_EQ(decodeDictdNumber("a-b"), -1);
    EXPECT_EQ(decodeDictdNumber("H//////////"), 0x7FFFFFFFFFFFFFFFLL);
    EXPECT_EQ(decodeDictdNumber("I//////////"), -1);
    EXPECT_EQ(decodeDictdNumber("////////////////"), -1);
}

TEST(ToolsDictd, ReadsArticlesFromCompressedData) {
    TempFolder folder;
    writeDictd(folder, L"tiny", {{L"cat", L"cat\n   [kæt]\n   _n. кошка\n"}, {L"dog", L"dog\n   собака\n"}});
    auto entries = readDictd(folder.file(L"tiny.index"), folder.file(L"tiny.dict.dz"));
    ASSERT_EQ(entries.size(), 2u) << "the description article is left out";
    EXPECT_EQ(entries[0].headword, L"cat");
    EXPECT_EQ(entries[0].text, L"cat\n   [kæt]\n   _n. кошка\n");
    EXPECT_EQ(entries[1].text, L"dog\n   собака\n");
}

TEST(ToolsDictd, DamagedInputFailsNamingTheFile) {
    TempFolder folder;
    writeDictd(folder, L"tiny", {{L"cat", L"cat\nkedi\n"}});
    std::string data = fileBytes(folder.file(L"tiny.dict.dz"));

    writeBytes(folder.file(L"cut.dict.dz"), data.substr(0, data.size() / 2));
    try {
        readDictd(folder.file(L"tiny.index"), folder.file(L"cut.dict.dz"));
        ADD_FAILURE() << "a cut file was read";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("cut.dict.dz"), std::string::npos) << e.what();
    }

    writeBytes(folder.file(L"far.index"), "cat\tA\tBAAA\n");
    EXPECT_THROW(readDictd(folder.file(L"far.index"), folder.file(L"tiny.dict.dz")), std::runtime_error);
    writeBytes(folder.file(L"bad.index"), "cat only\n");
    EXPECT_THROW(readDictd(folder.file(L"bad.index"), folder.file(L"tiny.dict.dz")), std::runtime_error);
    EXPECT_THROW(readDictd(folder.file(L"none.index"), folder.file(L"tiny.dict.dz")), std::runtime_error);
}

TEST(ToolsDictd, BuildsRowsFromEveryArticleOfFourSmallDictionaries) {
    TempFolder folder;
    writeDictd(folder, L"mueller7",
               {{L"bank", L"bank\n   _I  [bæŋk]\n      1. _n.\n         1) берег (реки)\n         2) вал, "
                          L"насыпь; bank of snow сугроб\n      2. _v.\n         1) делать насыпь\n"
                          L"   _II [bæŋk] _n.\n         1) банк\n"},
                {L"tea", L"tea\n   [tiː] _n. чай\n"},
                {L"nothing", L"nothing\n   [ˈnʌθɪŋ] _n. ничто\n"}});
    writeDictd(folder, L"freedict-eng-rus",
               {{L"tea", L"tea /tiː/\n1. чаепитие\n"}, {L"bank", L"bank /bæŋk/\n1. банк\n2. банка\n"}});
    // Three homograph articles, the last one of a verb.
    writeDictd(folder, L"freedict-eng-tur",
               {{L"bank", L"bank /bˈaŋk/\n1. kıyı, kenar (nehir)\n2. yığın\n"},
                {L"bank", L"bank /bˈaŋk/\n1. banka. bank account banka hesabı\n"},
                {L"bank", L"bank /bˈaŋk/\n1. set yapmak\n2. yığmak\n3. bankaya para yatırmak\n"},
                {L"word", L"word /wɜːd/\n1. sözcük\n"}});
    writeDictd(folder, L"freedict-tur-eng",
               {{L"çay", L"çay /tʃaj/\ntea\n"}, {L"mühür", L"mühür /myhyr/\nseal\n"}});
    // The other languages' dictionaries, which give nothing here but one pair.
    for (const auto& name : witnessDictionaries()) writeDictd(folder, name, {});
    writeDictd(folder, L"freedict-deu-rus", {{L"Ufer", L"Ufer /ˈuːfɐ/ <n>\n1. берег\nein Rand\n"}});
    writeDictd(folder, L"freedict-deu-tur", {{L"Ufer", L"Ufer /ˈuːfɐ/\nkıyı\n"}});

    auto rows = rowsFromDictd(folder.path());
    // The words that lead the first verb senses and the first other senses meet, and so do words
    // spelled alike (in so small a dictionary "банка" meets nothing else); the rest stand alone.
    std::vector<std::wstring> expected = {
        L"@bank<>берег<>kıyı@", L"@bank<>делать насыпь<>set yapmak@",
        L"@bank<>банк<>banka@", L"@bank<>банка<>banka@",
        L"@bank<>вал<>@",       L"@bank<>насыпь<>@",
        L"@bank<><>kenar@",     L"@bank<><>yığın@",
        L"@bank<><>yığmak@",    L"@bank<><>bankaya para yatırmak@",
        L"@nothing<>ничто<>@",  L"@seal<><>mühür@",
        L"@tea<>чай<>çay@",     L"@tea<>чаепитие<>@",
        L"@word<><>sözcük@",
    };
    EXPECT_EQ(rows, expected);
    BuildCounts counts = countRows(rows);
    EXPECT_EQ(counts.headwords, 5u);
    EXPECT_EQ(counts.rows, 15u);
    EXPECT_EQ(counts.russian, 9u);
    EXPECT_EQ(counts.turkish, 10u);

    for (const wchar_t* name : {L"freedict-swe-tur", L"freedict-tur-eng"}) {
        writeDictd(folder, L"freedict-swe-tur", {});
        DeleteFileW(folder.file(std::wstring(name) + L".index").c_str());
        try {
            rowsFromDictd(folder.path());
            ADD_FAILURE() << "a missing dictionary was not reported";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("dict-" + core::toUtf8(name)), std::string::npos)
                << e.what();
        }
    }
}
