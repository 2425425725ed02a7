// The build lock against a build of another Wine prefix. Its Wine server holds the folder as a POSIX
// lock on the host file, which the server of this prefix knows nothing of: a host process plays it.
#include "platform/core/host_path.h"
#include "platform/core/system_handles.h"
#include "platform/data/data_fixture.h"
#include "tools/build_lock.h"

#include <optional>

using namespace datatest;

namespace {

// "hold": holds the lock file's first byte until the release file is there. "other": says whether it
// is held now, then waits for it and says whether the name still gave the file once it had it. The
// alarm ends either within 15 s, whatever the test does.
constexpr char kOtherBuild[] = R"(import fcntl, os, signal, sys, time
signal.alarm(15)
what, lock, say = sys.argv[1:4]
def tell(text, name):
    with open(name + ".part", "w") as f: f.write(text)
    os.rename(name + ".part", name)
f = open(lock, "r+")
if what == "hold":
    fcntl.lockf(f, fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0)
    tell("held", say)
    while not os.path.exists(sys.argv[4]): time.sleep(0.02)
    sys.exit()
try:
    fcntl.lockf(f, fcntl.LOCK_EX | fcntl.LOCK_NB, 1, 0)
    tell("free", say + ".now")
except OSError:
    tell("held", say + ".now")
    fcntl.lockf(f, fcntl.LOCK_EX, 1, 0)
try: named = os.stat(lock).st_ino == os.fstat(f.fileno()).st_ino
except FileNotFoundError: named = False
tell("named" if named else "moved off its name", say + ".then")
)";

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

// Starts the other build's script. For a host program Wine hands back no handles to wait on or to
// close: what it leaves in them may be another handle's value.
bool startOtherBuild(const std::wstring& python, const std::wstring& arguments) {
    std::wstring command = quoted(python) + L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    return CreateProcessW(python.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &si, &pi);
}

// What the script wrote into the file, once it is there; a note of the wait's end otherwise.
std::string said(const std::wstring& file) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20))
        if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) return fileBytes(file);
    return "nothing within 10 s";
}

} // namespace

TEST(ToolsBuildLock, AHoldIsSeenAcrossWineServersAndLetGoOnlyOffItsName) {
    if (!core::runningUnderWine()) GTEST_SKIP() << "another Wine server's hold is a host lock";
    const std::optional<std::wstring> python = core::hostProgram("/usr/bin/python3");
    ASSERT_TRUE(python) << "python3 (scripts/setup installs it) plays the build of another prefix";
    TempFolder folder, talk;
    const std::wstring script = talk.file(L"other_build.py");
    writeBytes(script, kOtherBuild);
    auto host = [](const std::wstring& path) { return quoted(core::hostPath(path).value_or(path)); };
    const std::wstring lock = tools::BuildLock::fileIn(folder.path());

    writeBytes(lock, "");
    ASSERT_TRUE(startOtherBuild(*python, host(script) + L" hold " + host(lock) + L" " +
                                             host(talk.file(L"holder")) + L" " +
                                             host(talk.file(L"release"))));
    ASSERT_EQ(said(talk.file(L"holder")), "held");
    core::FileHandle looking;
    {
        // The other build ends once told to, and the host drops its lock with it.
        bool waited = false;
        const tools::BuildLock taken(folder.path(), [&] {
            waited = true;
            writeBytes(talk.file(L"release"), "");
        });
        EXPECT_TRUE(waited) << "held by the other build";

        ASSERT_TRUE(startOtherBuild(*python, host(script) + L" other " + host(lock) + L" " +
                                                 host(talk.file(L"other"))));
        EXPECT_EQ(said(talk.file(L"other.now")), "held") << "seen by the other build";
        // A build of this prefix between two tries has the file open: a file deleted on its close
        // would keep its name until then.
        looking = core::FileHandle(CreateFileW(lock.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(looking);
    }
    // A build that takes the lock while the name still gives its file holds the folder: one that took
    // it from a build letting go before the name went would hold it beside a third, with a new file.
    EXPECT_EQ(said(talk.file(L"other.then")), "moved off its name");
}
