#include "data_fixture.h"

#include "platform/core/variant.h"

#include <vector>

using namespace datatest;
using core::Variant;

namespace {

const wchar_t* const kPassword = L"pim407talo863grube";

} // namespace

// Runs in a child process started by the test below with the C locale; on its own it does nothing.
TEST(DataLocaleChild, ReadsAndWritesNonAsciiText) {
    std::wstring folder = environmentValue(L"VEXA_LOCALE_CHILD");
    if (folder.empty()) GTEST_SKIP() << "started by DataLocale only";
    data::Connection cn;
    cn.Open(connectionString(folder, L"dat.vex", kPassword));
    data::Recordset rs;
    rs.Open(L"select soz from soz where soz like '%<>щука%' ", cn, 1, 3, -1);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(L"soz").Value().toString(), L"n@pike<>щука<>turna balığı@1");
    rs.Close();
    rs.Open(L"select soz from soz where soz like '%<>ağaç%' ", cn, 1, 3, -1);
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Close();
    rs.Open(L"select * from t", cn, 1, 3, -1);
    rs.Fields(L"t").setValue(core::Variant(L"ёйыщъ çğıİöşü"));
    rs.Update();
}

TEST(DataLocale, TextDoesNotDependOnTheHostLocale) {
    TempFolder folder;
    makeDatabase(folder.file(L"dat.vex"), kPassword,
                 {L"create table soz (soz text)", L"insert into soz values ('n@pike<>щука<>turna balığı@1')",
                  L"insert into soz values ('n@tree<>дерево<>ağaç@2')", L"create table t (t text)",
                  L"insert into t values ('')"});

    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=DataLocaleChild.*";

    // The child's environment: ours with the C locale and the folder to work in.
    std::vector<wchar_t> block;
    auto add = [&](const std::wstring& entry) {
        block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    };
    wchar_t* env = GetEnvironmentStringsW();
    for (wchar_t* p = env; *p; p += wcslen(p) + 1) {
        std::wstring entry = p;
        if (entry.rfind(L"LC_ALL=", 0) == 0 || entry.rfind(L"LANG=", 0) == 0 ||
            entry.rfind(L"LC_CTYPE=", 0) == 0)
            continue;
        add(entry);
    }
    FreeEnvironmentStringsW(env);
    add(L"LC_ALL=C");
    add(L"LANG=C");
    add(L"VEXA_LOCALE_CHILD=" + folder.path());
    block.push_back(0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                               block.data(), nullptr, &si, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u) << "the child's checks failed";

    data::Database db(folder.file(L"dat.vex"));
    EXPECT_EQ(db.scalar(L"select t from t").toString(), L"ёйыщъ çğıİöşü");
}
