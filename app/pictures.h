#pragma once

#include <memory>

namespace forms {
class StdPicture;
}

namespace app {

// The program's pictures, made from free icon sets when it is built (see the README).
enum class Picture {
    EnTr,
    EnRu,
    RuEn,
    RuTr,
    TrEn,
    TrRu, // the six directions: two flags side by side
    FlagEnglish,
    FlagRussian,
    Minimise,
    Speech,
    Window,
    ToolLanguage,
    ToolSpeech,
    ToolAbout,
    ToolTray,
    ToolExit // the tool bar's buttons, 32 x 32
};

// The picture from the program's resources; null when the program carries none.
std::shared_ptr<forms::StdPicture> loadPicture(Picture which);

} // namespace app
