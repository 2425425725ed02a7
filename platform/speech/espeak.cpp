#include "platform/speech/espeak.h"

#include "platform/core/host_path.h"
#include "platform/core/runtime_error.h"
#include "platform/core/text.h"

#include <windows.h>

namespace speech {

namespace {

using DosFileNameFn = wchar_t*(__cdecl*)(const char*);

DosFileNameFn dosFileName() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<DosFileNameFn>(GetProcAddress(kernel, "wine_get_dos_file_name"))
                  : nullptr;
}

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
    if (auto dosName = dosFileName()) {
        for (const char* host : {"/usr/bin/espeak-ng", "/usr/local/bin/espeak-ng"}) {
            wchar_t* name = dosName(host);
            if (!name) continue;
            std::wstring program(name);
            HeapFree(GetProcessHeap(), 0, name);
            if (core::fileExists(program)) return program;
        }
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

std::wstring speechTextFile() {
    wchar_t folder[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    std::wstring base = n && n <= MAX_PATH ? std::wstring(folder, n) : std::wstring(L".\\");
    return base + L"vexa-speech.txt";
}

void EspeakEngine::say(const Utterance& u) {
    const auto program = espeakProgram();
    if (!program)
        throw core::RuntimeError(core::err::FileNotFound, L"No speech engine is installed (espeak-ng)");
    const std::wstring textFile = speechTextFile();
    writeText(textFile, u.text);
    const auto text = core::hostPath(textFile);
    const auto wave = u.waveFile.empty() ? std::optional<std::wstring>(L"") : core::hostPath(u.waveFile);
    if (!text || !wave)
        throw core::RuntimeError(core::err::PathNotFound, L"The speech files cannot be named");

    std::wstring line = commandLine(*program, espeakArguments(u, *text, *wave));
    // The program's messages (a missing sound device among them) go nowhere: the user hears or not.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (nul != INVALID_HANDLE_VALUE) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = nul;
    }
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessW(program->c_str(), line.data(), nullptr, nullptr, nul != INVALID_HANDLE_VALUE,
                       CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    const DWORD error = GetLastError();
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started)
        throw core::RuntimeError(core::err::FileNotFound, L"The speech engine could not be started (error " +
                                                              std::to_wstring(error) + L")");
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

} // namespace speech
