#include "platform/data/odbc_api.h"

#include <initializer_list>

namespace data::odbc {

namespace {

// The first function of the table that is missing; null when all are bound.
const core::LateBinding* firstMissing(const Api& api) {
    for (const core::LateBinding* f : std::initializer_list<const core::LateBinding*>{
             &api.SQLAllocHandle, &api.SQLBindParameter, &api.SQLDescribeCol, &api.SQLDisconnect,
             &api.SQLDriverConnect, &api.SQLExecDirect, &api.SQLExecute, &api.SQLFetch, &api.SQLFreeHandle,
             &api.SQLFreeStmt, &api.SQLGetData, &api.SQLGetDiagRec, &api.SQLNumResultCols, &api.SQLPrepare,
             &api.SQLRowCount, &api.SQLSetEnvAttr})
        if (!*f) return f;
    return nullptr;
}

} // namespace

const Api& api() {
    // Bound once, whichever thread asks first (the settings are read on a thread of their own).
    static const Api table;
    static const core::LateBinding* const missing = firstMissing(table);
    if (missing) missing->require();
    return table;
}

} // namespace data::odbc
