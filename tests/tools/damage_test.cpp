// Damage inside the dictionary that the engine's page check lets through: the digest the builder
// stores reports it, naming the file and nothing of the engine's own findings.
#include "platform/core/text.h"
#include "platform/data/connection_string.h"
#include "platform/data/content_digest.h"
#include "platform/data/data_fixture.h"
#include "platform/data/errors.h"
#include "platform/data/text.h"
#include "tools/builder.h"

#include <functional>

using namespace datatest;

namespace {

void flipByte(const std::wstring& file, size_t at) {
    std::string bytes = fileBytes(file);
    ASSERT_LT(at, bytes.size());
    bytes[at] = static_cast<char>(bytes[at] ^ 0x04);
    writeBytes(file, bytes);
}

// Where a row's text lies in the file (its first occurrence is the row itself).
size_t rowAt(const std::wstring& file, const std::wstring& row) {
    return fileBytes(file).find(core::toUtf8(row));
}

} // namespace

TEST(ToolsDamage, AnyChangeToTheDictionaryIsDamageNamingTheFile) {
    const std::wstring row = tools::sampleDictionaryRows().front();
    struct Case {
        const char* what;
        std::function<void(const std::wstring&)> damage;
        bool pagesLookWhole; // the engine's own check finds nothing
    } cases[] = {
        {"intact", [](const std::wstring&) {}, true},
        {"a row changed through the engine",
         [&](const std::wstring& f) {
             data::Database db(f);
             db.execute(L"update soz_fts set soz = 'x@changed<>изменено<>değişti@1' where rowid = 1");
         },
         true},
        {"a letter of a row flipped", [&](const std::wstring& f) { flipByte(f, rowAt(f, row) + 3); }, true},
        {"the last byte flipped", [](const std::wstring& f) { flipByte(f, fileBytes(f).size() - 1); }, false},
        {"the stored digest flipped", [](const std::wstring& f) { flipByte(f, 62); }, true},
        {"the mark flipped", [](const std::wstring& f) { flipByte(f, 70); }, true},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::wstring file = folder.file(L"dat.vex");
        tools::writeDictionary(file, tools::sampleDictionaryRows());
        c.damage(file);
        if (c.pagesLookWhole) {
            data::Database db(file);
            EXPECT_EQ(db.scalar(L"pragma quick_check").toString(), L"ok") << c.what;
        }
        data::Connection cn;
        std::wstring text;
        const int number = errorOf(
            [&] { cn.Open(connectionString(folder.path(), L"dat.vex", tools::kDictionaryPassword)); }, &text);
        const std::string shown = core::toUtf8(text);
        if (std::string(c.what) == "intact") {
            EXPECT_EQ(number, 0) << shown;
            continue;
        }
        EXPECT_EQ(number, data::err::NotADatabase) << c.what << ": " << shown;
        EXPECT_NE(text.find(file), std::wstring::npos) << c.what << ": " << shown;
        for (const char* raw : {"***", "page", "cell", "btree", "malformed"})
            EXPECT_EQ(shown.find(raw), std::string::npos) << c.what << ": " << shown;
    }
}

TEST(ToolsDamage, TheDigestIsTheZipCrcOfTheFileWithoutItsChangingHeaderFields) {
    const std::string check = "123456789";
    EXPECT_EQ(data::crc32(0, reinterpret_cast<const unsigned char*>(check.data()), check.size()),
              0xCBF43926u);
    TempFolder folder;
    const std::wstring file = folder.file(L"dat.vex");
    tools::writeDictionary(file, tools::sampleDictionaryRows());
    const uint32_t sealed = data::contentDigest(file);
    std::string bytes = fileBytes(file);
    // A commit rewrites the change counter and the engine's version: the digest stays.
    for (size_t at : {24u, 27u, 92u, 99u}) bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
    writeBytes(file, bytes);
    EXPECT_EQ(data::contentDigest(file), sealed);
    EXPECT_NO_THROW(data::checkContent(file, data::Deadline()));
}
