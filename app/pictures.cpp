#include "app/pictures.h"

#include "platform/forms/std_picture.h"

#include <windows.h>

namespace app {

std::shared_ptr<forms::StdPicture> loadPicture(Picture which) {
    using forms::StdPicture;
    switch (which) {
    case Picture::EnTr:
        return StdPicture::loadBitmap(L"PIC_ET");
    case Picture::EnRu:
        return StdPicture::loadBitmap(L"PIC_ER");
    case Picture::RuEn:
        return StdPicture::loadBitmap(L"PIC_RE");
    case Picture::RuTr:
        return StdPicture::loadBitmap(L"PIC_RT");
    case Picture::TrEn:
        return StdPicture::loadBitmap(L"PIC_TE");
    case Picture::TrRu:
        return StdPicture::loadBitmap(L"PIC_TR");
    case Picture::FlagEnglish:
        return StdPicture::loadBitmap(L"PIC_GB");
    case Picture::FlagRussian:
        return StdPicture::loadBitmap(L"PIC_RU");
    case Picture::Minimise:
        return StdPicture::loadIcon(L"MINIMISE", nullptr, 16);
    case Picture::Speech:
        return StdPicture::loadIcon(L"SPEECH", nullptr, 16);
    case Picture::Window:
        return StdPicture::loadIcon(1, nullptr, 16);
    case Picture::ToolLanguage:
        return StdPicture::loadIcon(L"ICON_LANGUAGE", nullptr, 32);
    case Picture::ToolSpeech:
        return StdPicture::loadIcon(L"ICON_SPEECH", nullptr, 32);
    case Picture::ToolAbout:
        return StdPicture::loadIcon(L"ICON_ABOUT", nullptr, 32);
    case Picture::ToolTray:
        return StdPicture::loadIcon(L"ICON_TRAY", nullptr, 32);
    case Picture::ToolExit:
        return StdPicture::loadIcon(L"ICON_EXIT", nullptr, 32);
    }
    return nullptr;
}

} // namespace app
