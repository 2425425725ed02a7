#include "app/esas.h"

namespace app {

esas::esas() {
    setName(L"esas");
    setCaption(L"Vexa R7 Edition");
    setDesignSize(9600, 7200);
}

} // namespace app
