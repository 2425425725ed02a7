// The about form: the program's version and date, the dictionary data it is built from and that
// data's licence, in the interface language.
#pragma once

#include "platform/forms/form.h"

#include <optional>
#include <string>

namespace app {

struct AboutTexts {
    const wchar_t* button;
    const wchar_t* versiya;
    const wchar_t* destek;
    const wchar_t* tarix;
    const wchar_t* proqramci;
    const wchar_t* psayt;
    const wchar_t* ozel;
    const wchar_t* osayt;
};
std::optional<AboutTexts> aboutTexts(const std::wstring& code);

class haqqinda : public forms::Form {
public:
    haqqinda();

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
};

} // namespace app
