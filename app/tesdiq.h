// The confirmation form: asks before the program ends; yes ends it, no closes the question.
#pragma once

#include "platform/forms/form.h"

#include <optional>
#include <string>

namespace app {

struct ConfirmTexts {
    const wchar_t* question;
    const wchar_t* yes;
    const wchar_t* no;
};
std::optional<ConfirmTexts> confirmTexts(const std::wstring& code);

class tesdiq : public forms::Form {
public:
    tesdiq();
    [[noreturn]] void he_Click();
    void yox_Click() { Unload(); }

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
    void Form_Activate() override;
};

} // namespace app
