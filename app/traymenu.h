// The tray popup: two rows, open and exit, shown by the notification-area icon on a right press.
#pragma once

#include "platform/forms/form.h"

#include <optional>
#include <string>

namespace app {

struct TrayCaptions {
    const wchar_t* open;
    const wchar_t* exit;
};
// The row captions for an interface language; nothing for an unknown code.
std::optional<TrayCaptions> trayCaptions(const std::wstring& code);

class traymenu : public forms::Form {
public:
    traymenu();

    // The rows' actions.
    void open();
    [[noreturn]] void exit();

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Click() override;

private:
    void highlight(bool openRow);
};

} // namespace app
