// The speech-speed form: a slider for the English and one for the Russian speed, each in a framed
// box captioned in the interface language; OK stores both speeds.
#pragma once

#include "app/speech_speeds.h"
#include "platform/data/connection.h"
#include "platform/data/recordset.h"
#include "platform/forms/form.h"

#include <optional>
#include <string>

namespace app {

struct SpeedCaptions {
    const wchar_t* russian;
    const wchar_t* english;
    const wchar_t* button;
};
std::optional<SpeedCaptions> speedCaptions(const std::wstring& code);

class ses : public forms::Form {
public:
    ses();
    void ok();

protected:
    forms::Layout layout() const override;
    void Form_Load() override;

private:
    data::Connection cn_;
    data::Recordset rs_;
};

} // namespace app
