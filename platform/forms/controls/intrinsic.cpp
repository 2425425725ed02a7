#include "platform/forms/controls/intrinsic.h"

#include "platform/forms/layout.h"

namespace forms {

void registerIntrinsicControls() {}

} // namespace forms
