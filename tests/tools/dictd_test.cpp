#include "platform/core/text.h"
#include "platform/data/data_fixture.h"
#include "platform/data/text.h"
#include "tools/builder.h"
#include "tools/dictd.h"
#include "tools/dictd_files.h"

#include <functional>
#include <stdexcept>

using namespace datatest;
using namespace tools;

using toolstest::writeDictd;

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

// What a whole dictionary never is, each refused naming the file at fault; a file that cannot be
// opened is not called damaged.
TEST(ToolsDictd, DamagedInputIsRefusedNamingTheFileAtFault) {
    TempFolder folder;
    writeDictd(folder, L"tiny",
               {{L"cat", L"cat\nkedi\n"}, {L"dog", L"dog\nköpek\n"}, {L"şey", L"şey\nthing\n"}});
    const std::wstring index = folder.file(L"tiny.index"), data = folder.file(L"tiny.dict.dz");
    const std::string goodIndex = fileBytes(index), goodData = fileBytes(data);
    auto edit = [](const std::wstring& file, std::function<void(std::string&)> change) {
        std::string bytes = fileBytes(file);
        change(bytes);
        writeBytes(file, bytes);
    };
    // The index's lines: the description's, then cat, dog and şey.
    auto line = [&](int n) {
        size_t at = 0;
        for (int i = 0; i < n; ++i) at = goodIndex.find('\n', at) + 1;
        return at;
    };
    struct Case {
        const char* what;
        std::function<void()> damage;
        const std::wstring* atFault; // nullptr: read whole
        const char* says;            // in the fault; a file that cannot be opened is not damaged
    };
    const Case cases[] = {
        {"whole", [] {}, nullptr, ""},
        {"the index emptied", [&] { writeBytes(index, ""); }, &index, "the index is empty"},
        {"the index cut inside a line", [&] { edit(index, [](std::string& b) { b.resize(b.size() - 3); }); },
         &index, "its last line has no end"},
        {"the index cut at a line's end", [&] { edit(index, [&](std::string& b) { b.resize(line(3)); }); },
         &index, "no line points into the data from byte"},
        {"a line of the index lost inside",
         [&] { edit(index, [&](std::string& b) { b.erase(line(1), line(2) - line(1)); }); }, &index,
         "no line points into the data from byte"},
        {"a line without its length",
         [&] { edit(index, [&](std::string& b) { b.replace(line(1), line(2) - line(1), "cat\tBC\n"); }); },
         &index, "index line 2 is malformed"},
        {"a line with five fields",
         [&] { edit(index, [&](std::string& b) { b.insert(line(2) - 1, "\tx\ty"); }); }, &index,
         "index line 2 is malformed"},
        {"a number with a letter outside the digits",
         [&] { edit(index, [&](std::string& b) { b[line(2) - 2] = '-'; }); }, &index,
         "index line 2 is malformed"},
        {"a line pointing past the data",
         [&] { edit(index, [&](std::string& b) { b.insert(line(2) - 1, "A"); }); }, &index,
         "index line 2 points past the end of the data"},
        {"a headword that is not UTF-8",
         [&] { edit(index, [&](std::string& b) { b[line(3) + 1] = '\xff'; }); }, &index,
         "index line 4 is malformed"},
        {"the data emptied", [&] { writeBytes(data, ""); }, &data, "the data is empty"},
        {"the data cut short", [&] { edit(data, [](std::string& b) { b.resize(b.size() / 2); }); }, &data,
         "compressed data"},
        {"a byte of the compressed text flipped",
         [&] { edit(data, [](std::string& b) { b[b.size() / 2] ^= 0x04; }); }, &data, "compressed data"},
        {"the checksum flipped", [&] { edit(data, [](std::string& b) { b[b.size() - 6] ^= 0x04; }); }, &data,
         "damaged compressed data"},
        {"the data not compressed", [&] { edit(data, [](std::string& b) { b[0] ^= 0x04; }); }, &data,
         "not compressed"},
        {"the index missing", [&] { DeleteFileW(index.c_str()); }, &index, "cannot open"},
        {"the data missing", [&] { DeleteFileW(data.c_str()); }, &data, "cannot open"},
    };
    for (const auto& c : cases) {
        writeBytes(index, goodIndex);
        writeBytes(data, goodData);
        c.damage();
        if (!c.atFault) {
            EXPECT_EQ(readDictd(index, data).size(), 3u) << c.what;
            continue;
        }
        try {
            readDictd(index, data);
            ADD_FAILURE() << c.what << ": read";
        } catch (const DictdError& e) {
            EXPECT_EQ(e.file(), *c.atFault) << c.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(core::toUtf8(*c.atFault)), std::string::npos) << e.what();
            EXPECT_NE(e.fault().find(c.says), std::string::npos) << c.what << ": " << e.what();
            EXPECT_EQ(e.damaged(), e.fault().rfind("cannot open", 0) != 0) << c.what << ": " << e.what();
        }
    }
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
