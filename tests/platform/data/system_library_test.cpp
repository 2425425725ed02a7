// A system library the data layer needs, switched off: opening a database names it, through every
// layer that wraps the errors on the way.
#include "data_fixture.h"

#include "support/child_process.h"

using namespace datatest;

namespace {

const wchar_t* const kPassword = L"uvo318kelamitr";

// This program copied under a name of its own, for which Wine's settings switch the library off.
class ProgramWithout {
public:
    ProgramWithout(const std::wstring& folder, const std::wstring& library)
        : name_(L"vexa-without-" + library + L".exe"), path_(folder + L"\\" + name_), off_(name_, library) {
        copied_ = CopyFileW(testsupport::thisProgram().c_str(), path_.c_str(), FALSE) && off_.set();
    }

    // Runs the child test with the order in its environment; its exit code, or -1 when it did not run.
    long run(const std::wstring& order) {
        if (!copied_) return -1;
        return testsupport::ChildProcess(path_, L"--gtest_filter=DataLibraryChild.*",
                                         {{L"VEXA_LIBRARY_CHILD", order}})
            .exitCode();
    }

private:
    std::wstring name_, path_;
    testsupport::LibrarySwitchedOff off_;
    bool copied_ = false;
};

} // namespace

// Runs in a child process started by the test below without the library; on its own it does nothing.
TEST(DataLibraryChild, OpeningNamesTheMissingLibrary) {
    const std::wstring order = environmentValue(L"VEXA_LIBRARY_CHILD");
    if (order.empty()) GTEST_SKIP() << "started by DataSystemLibraries only";
    const size_t bar = order.find(L'|');
    const std::wstring library = order.substr(0, bar), folder = order.substr(bar + 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            data::Connection cn;
            cn.Open(connectionString(folder, L"lang.vex", kPassword));
            ADD_FAILURE() << "opened without the library";
        } catch (const core::LibraryError& e) {
            EXPECT_EQ(e.library(), library);
            EXPECT_EQ(e.function(), L"");
            EXPECT_EQ(e.number(), core::err::DllNotLoaded);
        }
    }
    // Told to the parent, which cannot tell a skipped child from a passing one by its exit code.
    if (!::testing::Test::HasFailure()) writeBytes(folder + L"\\" + library + L".named", "");
}

TEST(DataSystemLibraries, AMissingLibraryIsNamedWhenADatabaseIsOpened) {
    TempFolder folder;
    makeDatabase(folder.file(L"lang.vex"), kPassword, {L"create table dil (dil text)"});
    // The database manager, and the crypto library the password check derives its key with.
    for (const std::wstring library : {L"odbc32", L"bcrypt"}) {
        ProgramWithout child(folder.path(), library);
        EXPECT_EQ(child.run(library + L".dll|" + folder.path()), 0)
            << std::string(library.begin(), library.end());
        EXPECT_NE(GetFileAttributesW(folder.file(library + L".dll.named").c_str()), INVALID_FILE_ATTRIBUTES)
            << "the child did not name " << std::string(library.begin(), library.end());
    }
}
