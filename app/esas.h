#pragma once

#include "platform/forms/form.h"

namespace app {

// The main window, the program's start-up form.
class esas : public forms::Form {
public:
    esas();
};

} // namespace app
