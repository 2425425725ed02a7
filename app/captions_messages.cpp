// The program's own messages in the four interface languages.
#include "app/captions.h"

#include "platform/data/errors.h"

#include <windows.h>

namespace app {

namespace {

struct Texts {
    const wchar_t* az;
    const wchar_t* tr;
    const wchar_t* ru;
    const wchar_t* en;
};

// In the order of Message.
const Texts kMessages[kMessageCount] = {
    {L"Tənzimləmələr faylı tapılmadı:\n%1\n\nVexa onsuz işə düşə bilmir.",
     L"Ayarlar dosyası bulunamadı:\n%1\n\nVexa bu dosya olmadan başlatılamaz.",
     L"Файл настроек не найден:\n%1\n\nБез него Vexa не может запуститься.",
     L"The settings file cannot be found:\n%1\n\nVexa cannot start without it."},
    {L"Lüğət faylı tapılmadı:\n%1\n\nSözləri axtarmaq mümkün deyil.",
     L"Sözlük dosyası bulunamadı:\n%1\n\nSözcükler aranamaz.",
     L"Файл словаря не найден:\n%1\n\nПоиск слов невозможен.",
     L"The dictionary file cannot be found:\n%1\n\nWords cannot be looked up."},
    {L"Tənzimləmələri oxumaq mümkün olmadı:", L"Ayarlar okunamadı:", L"Не удалось прочитать настройки:",
     L"The settings cannot be read:"},
    {L"Sözü axtarmaq mümkün olmadı:", L"Sözcük aranamadı:", L"Не удалось выполнить поиск слова:",
     L"The word cannot be looked up:"},
    {L"%1 faylı tapılmadı.", L"%1 dosyası bulunamadı.", L"Файл %1 не найден.", L"The file %1 was not found."},
    {L"%1 faylı zədələnib və istifadə edilə bilməz.", L"%1 dosyası bozuk ve kullanılamaz.",
     L"Файл %1 повреждён, и его нельзя использовать.", L"The file %1 is damaged and cannot be used."},
    {L"%1 faylını açmaq mümkün deyil: parol uyğun gəlmir.", L"%1 dosyası açılamıyor: parola eşleşmiyor.",
     L"Не удаётся открыть файл %1: пароль не подходит.",
     L"The file %1 cannot be opened: its password does not match."},
    {L"%1 faylı başqa proqram tərəfindən istifadə olunur. Bir azdan yenidən cəhd edin.",
     L"%1 dosyası başka bir program tarafından kullanılıyor. Biraz sonra yeniden deneyin.",
     L"Файл %1 занят другой программой. Повторите попытку чуть позже.",
     L"The file %1 is in use by another program. Try again in a moment."},
    {L"%1 faylı yalnız oxumaq üçündür; dəyişiklik saxlanmadı.",
     L"%1 dosyası salt okunur; değişiklik kaydedilmedi.",
     L"Файл %1 доступен только для чтения; изменение не сохранено.",
     L"The file %1 is read-only; the change was not saved."},
    {L"%1 faylını oxumaq və ya yazmaq mümkün deyil.", L"%1 dosyası okunamıyor veya yazılamıyor.",
     L"Не удаётся прочитать или записать файл %1.", L"The file %1 cannot be read or written."},
    {L"%1 faylının yerləşdiyi disk doludur; dəyişiklik saxlanmadı.",
     L"%1 dosyasının bulunduğu disk dolu; değişiklik kaydedilmedi.",
     L"Диск, на котором находится файл %1, заполнен; изменение не сохранено.",
     L"The disk holding the file %1 is full; the change was not saved."},
    {L"Dəyərdə saxlanıla bilməyən simvol var; %1 faylına heç nə yazılmadı.",
     L"Değer kaydedilemeyen bir karakter içeriyor; %1 dosyasına hiçbir şey yazılmadı.",
     L"Значение содержит символ, который нельзя сохранить; в файл %1 ничего не записано.",
     L"The value holds a character that cannot be stored; nothing was written to the file %1."},
    {L"%1 faylı ilə işləyərkən verilənlər bazası xətası baş verdi.",
     L"%1 dosyası kullanılırken bir veritabanı hatası oluştu.",
     L"При работе с файлом %1 произошла ошибка базы данных.",
     L"A database error occurred while using the file %1."},
    {L"Verilənlər bazası xətası baş verdi.", L"Bir veritabanı hatası oluştu.",
     L"Произошла ошибка базы данных.", L"A database error occurred."},
    {L"Səsləndirmə proqramı yoxdur, ona görə də söz səsləndirilə bilməz.",
     L"Kullanılabilir bir konuşma motoru yok, bu yüzden sözcük seslendirilemiyor.",
     L"Синтезатор речи недоступен, поэтому слово нельзя произнести.",
     L"No speech engine is available, so the word cannot be spoken."},
    {L"Sözü səsləndirmək mümkün olmadı.", L"Sözcük seslendirilemedi.", L"Не удалось произнести слово.",
     L"The word cannot be spoken."},
    {L"%1 lüğəti hələ yoxlanılır. Bir azdan yenidən cəhd edin.",
     L"%1 sözlüğü hâlâ denetleniyor. Biraz sonra yeniden deneyin.",
     L"Словарь %1 ещё проверяется. Повторите попытку чуть позже.",
     L"The dictionary %1 is still being checked. Try again in a moment."},
    {L"%1 sistem kitabxanasını yükləmək mümkün deyil.", L"%1 sistem kitaplığı yüklenemiyor.",
     L"Не удаётся загрузить системную библиотеку %1.", L"The system library %1 cannot be loaded."},
    {L"Sistem kitabxanasında %1 funksiyası yoxdur.", L"Sistem kitaplığında %1 işlevi yok.",
     L"В системной библиотеке нет функции %1.", L"A system library lacks the function %1."},
    {L"Bildiriş sahəsinə nişan əlavə etmək mümkün olmadı, ona görə də pəncərə açıq qalır.",
     L"Bildirim alanına simge eklenemedi, bu yüzden pencere açık kalıyor.",
     L"Не удалось добавить значок в область уведомлений, поэтому окно остаётся открытым.",
     L"The icon cannot be added to the notification area, so the window stays open."},
    {L"“%1” pəncərəsini açmaq mümkün olmadı:", L"“%1” penceresi açılamadı:", L"Не удалось открыть окно «%1»:",
     L"The “%1” window cannot be opened:"},
    {L"Seçiminiz saxlanmadı:", L"Seçiminiz kaydedilmedi:", L"Ваш выбор не сохранён:",
     L"Your choice was not saved:"},
    {L"Seçiminiz pəncərədə qalır, yenidən cəhd edə bilərsiniz.",
     L"Seçiminiz pencerede duruyor, yeniden deneyebilirsiniz.",
     L"Выбор остаётся в окне, и можно попробовать ещё раз.",
     L"Your choice stays in the window, so you can try again."},
};

const wchar_t* inLanguage(const Texts& t, const std::wstring& code) {
    if (code == L"tr") return t.tr;
    if (code == L"ru") return t.ru;
    if (code == L"en") return t.en;
    return t.az;
}

} // namespace

std::wstring messageText(Message id, const std::wstring& code, const std::wstring& file) {
    std::wstring text = inLanguage(kMessages[static_cast<int>(id)], code);
    const size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, file);
    return text;
}

std::wstring refusalText(Message lead, const std::wstring& code, const std::wstring& why,
                         const std::wstring& subject) {
    return messageText(lead, code, subject) + L"\n" + why;
}

std::wstring failureText(const core::RuntimeError& e, const std::wstring& code) {
    if (const auto* missing = dynamic_cast<const core::LibraryError*>(&e))
        return missing->function().empty()
                   ? messageText(Message::LibraryMissing, code, missing->library())
                   : messageText(Message::FunctionMissing, code,
                                 missing->function() + L" (" + missing->library() + L")");
    const auto* database = dynamic_cast<const data::DatabaseError*>(&e);
    const std::wstring file = database ? database->file() : std::wstring();
    Message id = file.empty() ? Message::DatabaseErrorNoFile : Message::DatabaseError;
    switch (e.number()) {
    case data::err::DatabaseMissing:
        id = Message::FileMissing;
        break;
    case data::err::NotADatabase:
        id = Message::FileDamaged;
        break;
    case data::err::WrongPassword:
        id = Message::WrongPassword;
        break;
    case data::err::Locked:
        id = Message::FileInUse;
        break;
    case data::err::ReadOnly:
        id = Message::FileReadOnly;
        break;
    case data::err::FileError:
        id = Message::FileUnreadable;
        break;
    case data::err::DiskFull:
        id = Message::DiskFull;
        break;
    case data::err::NulText:
        id = Message::TextNotStorable;
        break;
    }
    // Without a file a message that names one would read oddly.
    if (file.empty() && id != Message::DatabaseErrorNoFile) id = Message::DatabaseErrorNoFile;
    return messageText(id, code, file);
}

std::wstring notSavedText(const core::RuntimeError& e, const std::wstring& code) {
    return refusalText(Message::ChoiceNotSaved, code, failureText(e, code)) + L"\n\n" +
           messageText(Message::ChoiceKept, code);
}

std::wstring speechFailureText(const core::RuntimeError& e, const std::wstring& code) {
    return messageText(
        e.number() == core::err::FileNotFound ? Message::NoSpeechEngine : Message::SpeechFailed, code);
}

std::wstring systemLanguage() {
    switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
    case LANG_AZERI:
        return L"az";
    case LANG_TURKISH:
        return L"tr";
    case LANG_RUSSIAN:
        return L"ru";
    default:
        return L"en";
    }
}

} // namespace app
