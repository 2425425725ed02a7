// make_databases as a user runs it: what it refuses leaves the old dictionary as it was, and two
// builds into one folder never write there at once.
#include "platform/core/system_handles.h"
#include "platform/core/text.h"
#include "platform/data/data_fixture.h"
#include "support/child_process.h"
#include "tools/build_lock.h"
#include "tools/builder.h"
#include "tools/dictd_files.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>

using namespace datatest;
using testsupport::ChildProcess;

namespace {

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

// One small dictionary under each name the builder reads.
void writeSources(const TempFolder& folder) {
    toolstest::writeDictd(folder, L"mueller7", {{L"bank", L"bank\n   _n. банк\n"}});
    toolstest::writeDictd(folder, L"freedict-eng-rus", {{L"tea", L"tea /tiː/\n1. чай\n"}});
    toolstest::writeDictd(folder, L"freedict-eng-tur",
                          {{L"bank", L"bank /bˈaŋk/\n1. banka\n"}, {L"tea", L"tea /tiː/\n1. çay\n"}});
    toolstest::writeDictd(folder, L"freedict-tur-eng", {{L"çay", L"çay /tʃaj/\ntea\n"}});
    for (const auto& name : tools::witnessDictionaries())
        toolstest::writeDictd(folder, name, {{L"Ufer", L"Ufer /ˈuːfɐ/\nkıyı\n"}});
}

struct Outcome {
    long code;
    std::string output; // and its errors
};

Outcome makeDatabases(const std::wstring& arguments, const std::wstring& log) {
    ChildProcess program(testsupport::programsFolder() + L"\\make_databases.exe", arguments, {}, {}, log);
    const long code = program.exitCode(120000);
    return {code, fileBytes(log)};
}

// The names of a folder's files, sorted.
std::vector<std::wstring> names(const TempFolder& folder) {
    std::vector<std::wstring> out;
    const std::wstring listing = folder.listing();
    for (size_t at = 0, blank; (blank = listing.find(L' ', at)) != std::wstring::npos; at = blank + 1)
        out.push_back(listing.substr(at, blank - at));
    std::sort(out.begin(), out.end());
    return out;
}

using Names = std::vector<std::wstring>;

} // namespace

TEST(ToolsMakeDatabases, ABrokenSourceOrWitnessIsRefusedAndTheOldDictionaryStays) {
    TempFolder sources, out, logs;
    writeSources(sources);
    const std::wstring arguments = quoted(sources.path()) + L" " + quoted(out.path());
    const std::wstring log = logs.file(L"output.txt");
    const Outcome first = makeDatabases(arguments, log);
    ASSERT_EQ(first.code, 0) << first.output;
    const std::string built = fileBytes(out.file(L"dat.vex"));

    auto empty = [](const std::wstring& file) { writeBytes(file, ""); };
    auto halve = [](const std::wstring& file) {
        const std::string bytes = fileBytes(file);
        writeBytes(file, bytes.substr(0, bytes.size() / 2));
    };
    auto dropLastLine = [](const std::wstring& file) {
        std::string bytes = fileBytes(file);
        bytes.resize(bytes.rfind('\n', bytes.size() - 2) + 1);
        writeBytes(file, bytes);
    };
    auto remove = [](const std::wstring& file) { DeleteFileW(file.c_str()); };
    // Open without sharing, as a backup program may hold it.
    core::FileHandle held;
    auto hold = [&](const std::wstring& file) {
        held =
            core::FileHandle(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    // Sources and witnesses alike: what is done to one of their files, and what the refusal says.
    struct Case {
        const wchar_t* file;
        const char* package;
        std::function<void(const std::wstring&)> damage;
        const char* says;
    };
    const Case cases[] = {
        {L"mueller7.index", "mueller7-dict", empty, "is damaged"},
        {L"freedict-deu-rus.index", "dict-freedict-deu-rus", empty, "is damaged"},
        {L"freedict-deu-tur.dict.dz", "dict-freedict-deu-tur", empty, "is damaged"},
        {L"freedict-eng-tur.dict.dz", "dict-freedict-eng-tur", halve, "is damaged"},
        {L"freedict-tur-eng.index", "dict-freedict-tur-eng", dropLastLine, "is damaged"},
        {L"freedict-swe-tur.dict.dz", "dict-freedict-swe-tur", remove, "is not installed"},
        {L"freedict-eng-rus.dict.dz", "dict-freedict-eng-rus", remove, "is not installed"},
        {L"freedict-ita-rus.index", "dict-freedict-ita-rus", hold, "cannot be read"},
    };
    for (const auto& c : cases) {
        const std::wstring file = sources.file(c.file);
        const std::string whole = fileBytes(file);
        c.damage(file);
        const Outcome refused = makeDatabases(arguments, log);
        held = core::FileHandle();
        writeBytes(file, whole);
        EXPECT_NE(refused.code, 0) << refused.output;
        EXPECT_NE(refused.output.find(std::string(c.package) + " " + c.says), std::string::npos)
            << refused.output;
        EXPECT_NE(refused.output.find(core::toUtf8(file)), std::string::npos) << refused.output;
        EXPECT_EQ(fileBytes(out.file(L"dat.vex")), built) << refused.output;
        EXPECT_EQ(names(out), (Names{L"dat.vex", L"lang.vex"})) << refused.output;
    }
    const Outcome again = makeDatabases(arguments, log);
    EXPECT_EQ(again.code, 0) << again.output;
    EXPECT_EQ(fileBytes(out.file(L"dat.vex")), built) << "the same sources build the same file";
}

TEST(ToolsMakeDatabases, ASecondBuildIntoAFolderWaitsUntilTheFirstEnds) {
    TempFolder out, logs;
    const std::wstring log = logs.file(L"output.txt");
    std::optional<tools::BuildLock> first(std::in_place, out.path());
    ChildProcess second(testsupport::programsFolder() + L"\\make_databases.exe",
                        L"--sample " + quoted(out.path()), {}, {}, log);
    bool told = false;
    for (int i = 0; i < 600 && !told && !second.ended(100); ++i)
        told = fileBytes(log).find("another build is writing") != std::string::npos;
    EXPECT_TRUE(told) << fileBytes(log);
    EXPECT_FALSE(second.ended(1000));
    EXPECT_EQ(names(out), Names{L"make_databases.lock"}) << "nothing written while the first build holds it";
    first.reset();
    EXPECT_EQ(second.exitCode(60000), 0) << fileBytes(log);
    EXPECT_EQ(names(out), (Names{L"dat.vex", L"lang.vex"}));
    data::Database db(out.file(L"dat.vex"));
    EXPECT_EQ(db.scalar(L"select count(*) from soz").toString(),
              std::to_wstring(tools::sampleDictionaryRows().size()));
}

// Started by the test below: holds a folder until it is killed.
TEST(ToolsBuildLockChild, HoldsTheFolder) {
    const std::wstring folder = environmentValue(L"VEXA_HOLD_FOLDER");
    if (folder.empty()) GTEST_SKIP() << "started by ToolsBuildLock only";
    const tools::BuildLock lock(folder);
    Sleep(60000);
}

TEST(ToolsBuildLock, AFolderIsHeldOnlyWhileItsHoldersProcessRuns) {
    TempFolder folder;
    // Whether the folder can be held now: a lock that would wait throws instead.
    auto free = [&] {
        try {
            const tools::BuildLock lock(folder.path(), [] { throw std::logic_error("would wait"); });
            return true;
        } catch (const std::logic_error&) {
            return false;
        }
    };
    {
        const tools::BuildLock held(folder.path());
        EXPECT_FALSE(free()) << "held in this process";
    }
    EXPECT_TRUE(free()) << "let go";
    EXPECT_EQ(folder.listing(), L"") << "the file goes with its handle";
    writeBytes(tools::BuildLock::fileIn(folder.path()), "");
    EXPECT_TRUE(free()) << "a file left behind, as a power cut leaves it, holds nothing";
    {
        // The first lets go from inside the second's wait: the second must then take the folder,
        // whatever the machine's load.
        std::optional<tools::BuildLock> first(std::in_place, folder.path());
        bool waited = false;
        const tools::BuildLock second(folder.path(), [&] {
            waited = true;
            first.reset();
        });
        EXPECT_TRUE(waited);
        EXPECT_FALSE(free()) << "held by the build that waited for it";
    }

    ChildProcess holder(testsupport::thisProgram(), L"--gtest_filter=ToolsBuildLockChild.*",
                        {{L"VEXA_HOLD_FOLDER", folder.path()}});
    bool held = false;
    for (int i = 0; i < 300 && !held; ++i)
        if (!(held = !free())) Sleep(100);
    ASSERT_TRUE(held) << "the child never held the folder";
    TerminateProcess(holder.process(), 1);
    ASSERT_TRUE(holder.ended(10000));
    EXPECT_TRUE(free()) << "freed when the process holding it was killed";

    try {
        const tools::BuildLock lock(folder.file(L"none"), [] { throw std::logic_error("would wait"); });
        ADD_FAILURE() << "a folder that does not exist was held";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("make_databases.lock"), std::string::npos) << e.what();
    }
}
