#include "platform/data/odbc_api.h"

namespace data::odbc {

const Api& api() {
    // Bound once, whichever thread asks first (the settings are read on a thread of their own).
    static const Api table;
    static const bool complete = table.complete();
    if (!complete) table.requireAll();
    return table;
}

} // namespace data::odbc
