#include "platform/speech/espeak.h"

#include "platform/core/event_log.h"
#include "platform/core/host_path.h"
#include "platform/core/runtime_error.h"
#include "platform/core/text.h"

#include <windows.h>

namespace speech {

namespace {

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n && n < MAX_PATH ? std::wstring(value, n) : std::wstring();
}

// Quoted as the C run time splits a command line: backslashes double only before a quote.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L"\"";
}

void writeText(const std::wstring& file, const std::wstring& text) {
    const std::string bytes = core::toUtf8(text);
    HANDLE h =
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw core::RuntimeError(core::err::PathFileAccess,
                                 L"The text to speak cannot be written to " + file);
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size())
        throw core::RuntimeError(core::err::PathFileAccess,
                                 L"The text to speak cannot be written to " + file);
}

} // namespace

std::wstring espeakVoice(Voice voice) {
    return std::wstring(voice.language == Language::Russian ? L"ru" : L"en-us") +
           (voice.gender == Gender::Woman ? L"+f3" : L"+m3");
}

std::vector<std::wstring> espeakArguments(const Utterance& u, const std::wstring& textFile,
                                          const std::wstring& waveFile) {
    std::vector<std::wstring> args{L"-v", espeakVoice(u.voice), L"-s", std::to_wstring(clampSpeed(u.speed))};
    if (!waveFile.empty()) args.insert(args.end(), {L"-w", waveFile});
    args.insert(args.end(), {L"-f", textFile});
    return args;
}

std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    std::wstring line = quoted(program);
    for (const std::wstring& a : arguments) line += L" " + quoted(a);
    return line;
}

std::optional<std::wstring> espeakProgram() {
    if (core::runningUnderWine()) {
        for (const char* host : {"/usr/bin/espeak-ng", "/usr/local/bin/espeak-ng"})
            if (auto program = core::hostProgram(host)) return program;
        return std::nullopt;
    }
    for (const wchar_t* folder : {L"ProgramFiles", L"ProgramW6432", L"ProgramFiles(x86)"}) {
        const std::wstring base = environment(folder);
        if (base.empty()) continue;
        const std::wstring program = base + L"\\eSpeak NG\\espeak-ng.exe";
        if (core::fileExists(program)) return program;
    }
    return std::nullopt;
}

namespace {

std::wstring temporaryFolder() {
    wchar_t folder[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    return n && n <= MAX_PATH ? std::wstring(folder, n) : std::wstring(L".\\");
}

std::wstring textFilePrefix() {
    return temporaryFolder() + L"vexa-speech-" + std::to_wstring(GetCurrentProcessId()) + L"-";
}

// The script of the shell that watches one request: $1 the text file, then the program and its
// arguments. The watcher ends the program when the file goes; the file goes when the program ends.
constexpr wchar_t kWatchScript[] = L"f=$1; shift; \"$@\" & p=$!; "
                                   L"(while [ -e \"$f\" ]; do sleep 0.05; done; kill $p 2>/dev/null) & w=$!; "
                                   L"wait $p; kill $w 2>/dev/null; rm -f \"$f\"";

// Starts a program with its standard handles on NUL: its messages (a missing sound device among them)
// go nowhere, the user hears or not. The process handle, which Wine does not give for a host program.
core::KernelHandle start(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    std::wstring line = commandLine(program, arguments);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    core::FileHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (nul) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = nul.get();
    }
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, bool(nul), CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        throw core::RuntimeError(core::err::FileNotFound, L"The speech engine could not be started (error " +
                                                              std::to_wstring(GetLastError()) + L")");
    // Wine gives a host program no process handle and leaves the thread handle undefined (whatever
    // the stack held, possibly a handle of ours): that one is closed only beside a real process.
    if (pi.hProcess && pi.hThread) CloseHandle(pi.hThread);
    return core::KernelHandle(pi.hProcess);
}

} // namespace

std::wstring speechTextFile(unsigned request) {
    return textFilePrefix() + std::to_wstring(request) + L".txt";
}

void removeTextFiles() noexcept {
    core::bestEffort(L"Removing the speech files", [] {
        const std::wstring prefix = textFilePrefix();
        const std::wstring folder = prefix.substr(0, prefix.find_last_of(L'\\') + 1);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((prefix + L"*.txt").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do DeleteFileW((folder + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    });
}

std::vector<std::wstring> watchedArguments(const std::wstring& hostTextFile, const std::wstring& hostProgram,
                                           const std::vector<std::wstring>& programArguments) {
    std::vector<std::wstring> args{L"-c", kWatchScript, L"vexa-speech", hostTextFile, hostProgram};
    args.insert(args.end(), programArguments.begin(), programArguments.end());
    return args;
}

std::wstring EspeakEngine::textFile() const {
    return textFile_;
}

void EspeakEngine::stop() noexcept {
    if (process_) {
        if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 1000);
        }
        process_.reset();
    }
    // Under Wine, taking the file away is what ends the speech.
    if (!textFile_.empty()) DeleteFileW(textFile_.c_str());
    textFile_.clear();
}

void EspeakEngine::say(const Utterance& u) {
    stop();
    const auto program = espeakProgram();
    if (!program)
        throw core::RuntimeError(core::err::FileNotFound, L"No speech engine is installed (espeak-ng)");
    static unsigned requests = 0;
    const std::wstring file = speechTextFile(++requests);
    writeText(file, u.text);
    textFile_ = file;
    const auto text = core::hostPath(file);
    const auto wave = u.waveFile.empty() ? std::optional<std::wstring>(L"") : core::hostPath(u.waveFile);
    const auto shell = core::runningUnderWine() ? core::hostProgram("/bin/sh") : std::nullopt;
    const auto programPath = core::hostPath(*program);
    if (!text || !wave || (core::runningUnderWine() && (!shell || !programPath))) {
        stop();
        throw core::RuntimeError(core::err::PathNotFound, L"The speech files cannot be named");
    }
    const auto arguments = espeakArguments(u, *text, *wave);
    try {
        if (core::runningUnderWine())
            start(*shell, watchedArguments(*text, *programPath, arguments));
        else
            process_ = start(*program, arguments);
    } catch (...) {
        stop();
        throw;
    }
}

} // namespace speech
