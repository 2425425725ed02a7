// The interface-language form: four options, the stored choice shown, OK stores the new one and
// tells the main window through its change signal.
#pragma once

#include "platform/data/connection.h"
#include "platform/data/recordset.h"
#include "platform/forms/form.h"

#include <array>
#include <string>

namespace app {

// The options in their order and the code each stands for.
inline constexpr std::array<const wchar_t*, 4> kLanguageOptions{L"az", L"tr", L"ru", L"en"};
// Each option's caption: the language's name in itself.
const wchar_t* languageName(int option);
// The option a stored code selects: its own, or az for anything else.
int optionOfCode(const std::wstring& code);
// The code to store: the first selected (non-zero) option's, az when none is.
std::wstring chosenCode(const std::array<int16_t, 4>& values);

class dil : public forms::Form {
public:
    dil();
    void ok();

protected:
    forms::Layout layout() const override;
    void Form_Load() override;

private:
    data::Connection cn_;
    data::Recordset rs_;
    void optionClicked(int option);
};

} // namespace app
