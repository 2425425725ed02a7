// espeak-ng as the engine: under Wine the host's program, started through Wine's Unix drive; on
// Windows the installed espeak-ng.exe. The text goes through a UTF-8 file in the temporary folder,
// never on the command line, so any word reaches it whole.
#pragma once

#include "platform/core/host_path.h"
#include "platform/speech/text_to_speech.h"

#include <optional>
#include <string>
#include <vector>

namespace speech {

using core::runningUnderWine;

// The voice name with its variant: "en-us+m3", "en-us+f3", "ru+m3", "ru+f3".
std::wstring espeakVoice(Voice voice);
// The arguments after the program's name; the files are paths as the program sees them.
std::vector<std::wstring> espeakArguments(const Utterance& utterance, const std::wstring& textFile,
                                          const std::wstring& waveFile);
// A command line of the program and its arguments, each quoted where it needs it.
std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

// The program as CreateProcessW takes it; nothing when espeak-ng is not installed.
std::optional<std::wstring> espeakProgram();
// The one text file every Speak rewrites (a Windows path).
std::wstring speechTextFile();

class EspeakEngine : public Engine {
public:
    // Writes the text file and starts the program without waiting for it. RuntimeError when the
    // program is missing or cannot be started, or the file cannot be written.
    void say(const Utterance& utterance) override;
};

} // namespace speech
