// espeak-ng as the engine: under Wine the host's program, started through Wine's Unix drive; on
// Windows the installed espeak-ng.exe. The text goes through a UTF-8 file in the temporary folder,
// never on the command line, so any word reaches it whole. Each request has a file of its own; a new
// request ends the speech still going, and a file goes when its speech ends.
#pragma once

#include "platform/core/host_path.h"
#include "platform/core/system_handles.h"
#include "platform/speech/text_to_speech.h"

#include <optional>
#include <string>
#include <vector>

namespace speech {

// The voice name with its variant: "en-us+m3", "en-us+f3", "ru+m3", "ru+f3".
std::wstring espeakVoice(Voice voice);
// The arguments after the program's name; the files are paths as the program sees them.
std::vector<std::wstring> espeakArguments(const Utterance& utterance, const std::wstring& textFile,
                                          const std::wstring& waveFile);
// A command line of the program and its arguments, each quoted where it needs it.
std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

// The program as CreateProcessW takes it; nothing when espeak-ng is not installed.
std::optional<std::wstring> espeakProgram();
// The text file of one request of this process (a Windows path): the process and the request number
// make it unique among all running copies of the program.
std::wstring speechTextFile(unsigned request);
// Removes the text files of this process's requests that are still there.
void removeTextFiles() noexcept;

// Under Wine a host program gives no process handle to wait for or end, so espeak-ng runs under a
// small shell that ends it as soon as its text file is taken away, and removes the file when the
// speech ends. The arguments after the shell's name: the script, the text file, then the program and
// its arguments (host paths).
std::vector<std::wstring> watchedArguments(const std::wstring& hostTextFile, const std::wstring& hostProgram,
                                           const std::vector<std::wstring>& programArguments);

class EspeakEngine : public Engine {
public:
    EspeakEngine() = default;
    ~EspeakEngine() override { stop(); }
    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    // Ends the speech still going, writes the text file and starts the program without waiting for
    // it. RuntimeError when the program is missing or cannot be started, or the file cannot be written.
    void say(const Utterance& utterance) override;
    // Ends the speech still going and removes its text file.
    void stop() noexcept override;
    // The text file of the last request (a Windows path; it goes when its speech ends), else empty
    // (kept for the tests).
    std::wstring textFile() const;

private:
    std::wstring textFile_;
    // The running program on Windows; none under Wine.
    core::KernelHandle process_;
};

} // namespace speech
