#pragma once
// Programs a test starts (this test program again to run one child test, or vexa.exe in a folder of
// the test's), and Wine's settings that switch a system library off for one program file name.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// The running test program's file.
inline std::wstring thisProgram() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return self;
}

// The folder of the test programs and of vexa.exe (build/bin).
inline std::wstring programsFolder() {
    const std::wstring self = thisProgram();
    return self.substr(0, self.find_last_of(L"\\/"));
}

// A process started from a program file, with the arguments after its quoted name, in a folder (the
// test's own when none is given), with environment values of its own, its output and errors written
// to a file when one is named; ended, if it still runs, with the object.
class ChildProcess {
public:
    // Values given to the child only: a name with its value, or with nothing to leave it out.
    using Environment = std::vector<std::pair<std::wstring, std::optional<std::wstring>>>;

    ChildProcess(const std::wstring& program, const std::wstring& arguments,
                 const Environment& environment = {}, const std::wstring& folder = {},
                 const std::wstring& outputFile = {}) {
        // The child takes the environment as it is when it starts; the test's own is put back after.
        std::vector<std::pair<std::wstring, std::optional<std::wstring>>> before;
        for (const auto& [name, value] : environment) {
            before.emplace_back(name, valueOf(name));
            SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
        }
        std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        HANDLE output = INVALID_HANDLE_VALUE;
        if (!outputFile.empty()) {
            SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
            output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            si.dwFlags = STARTF_USESTDHANDLES;
            si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
            si.hStdOutput = si.hStdError = output;
        }
        started_ =
            CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, output != INVALID_HANDLE_VALUE,
                           0, nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi_);
        if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
        for (const auto& [name, value] : before)
            SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }
    ~ChildProcess() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return started_; }
    DWORD id() const { return pi_.dwProcessId; }
    HANDLE process() const { return pi_.hProcess; }
    // Whether the process ends within the milliseconds.
    bool ended(DWORD ms) const { return started_ && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
    // Its exit code once it has ended within the milliseconds; -1 when it did not start or end.
    long exitCode(DWORD ms = 60000) const {
        DWORD code = DWORD(-1);
        if (ended(ms)) GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    static std::optional<std::wstring> valueOf(const std::wstring& name) {
        const DWORD n = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
        if (n == 0) return std::nullopt;
        std::wstring value(n, L'\0');
        value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), n));
        return value;
    }

    bool started_ = false;
    PROCESS_INFORMATION pi_{};
};

// This test program started again to run the child tests the filter names, with the environment
// values that tell the child what to do.
inline long runChildTest(const std::wstring& filter, const ChildProcess::Environment& environment) {
    return ChildProcess(thisProgram(), L"--gtest_filter=" + filter, environment).exitCode();
}

// Wine's settings for a program file name (HKCU\Software\Wine\AppDefaults\<name>) that keep a system
// library from loading in a program of that name; the prefix's settings are as before once the object
// goes. An override in a child's environment would not reach Wine's loader.
class LibrarySwitchedOff {
public:
    LibrarySwitchedOff(const std::wstring& programName, const std::wstring& library)
        : key_(L"Software\\Wine\\AppDefaults\\" + programName) {
        HKEY overrides = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &overrides, nullptr) != ERROR_SUCCESS)
            return;
        const wchar_t disabled[] = L"";
        set_ = RegSetValueExW(overrides, library.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(disabled),
                              sizeof disabled) == ERROR_SUCCESS;
        RegCloseKey(overrides);
    }
    ~LibrarySwitchedOff() {
        RegDeleteKeyW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
    }
    LibrarySwitchedOff(const LibrarySwitchedOff&) = delete;
    LibrarySwitchedOff& operator=(const LibrarySwitchedOff&) = delete;

    // Whether the setting was written.
    bool set() const { return set_; }

private:
    std::wstring key_;
    bool set_ = false;
};

} // namespace testsupport
