#include "platform/data/odbc_api.h"

#include "platform/core/runtime_error.h"

namespace data::odbc {

namespace {

template <class Fn>
bool bind(HMODULE library, Fn& fn, const char* name) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return fn != nullptr;
}

// Null when the library or a function is missing.
const Api* load() {
    static Api api{};
    HMODULE library = LoadLibraryW(L"odbc32.dll"); // stays loaded for the rest of the run
    if (!library) return nullptr;
    const bool all =
        bind(library, api.SQLAllocHandle, "SQLAllocHandle") &&
        bind(library, api.SQLBindParameter, "SQLBindParameter") &&
        bind(library, api.SQLDescribeCol, "SQLDescribeCol") &&
        bind(library, api.SQLDisconnect, "SQLDisconnect") &&
        bind(library, api.SQLDriverConnect, "SQLDriverConnect") &&
        bind(library, api.SQLExecDirect, "SQLExecDirect") && bind(library, api.SQLExecute, "SQLExecute") &&
        bind(library, api.SQLFetch, "SQLFetch") && bind(library, api.SQLFreeHandle, "SQLFreeHandle") &&
        bind(library, api.SQLFreeStmt, "SQLFreeStmt") && bind(library, api.SQLGetData, "SQLGetData") &&
        bind(library, api.SQLGetDiagRec, "SQLGetDiagRec") &&
        bind(library, api.SQLNumResultCols, "SQLNumResultCols") &&
        bind(library, api.SQLPrepare, "SQLPrepare") && bind(library, api.SQLRowCount, "SQLRowCount") &&
        bind(library, api.SQLSetEnvAttr, "SQLSetEnvAttr");
    return all ? &api : nullptr;
}

} // namespace

const Api& api() {
    // Bound once, whichever thread asks first (the settings are read on a thread of their own).
    static const Api* bound = load();
    if (!bound)
        throw core::RuntimeError(core::err::InvalidProcedureCall,
                                 L"The system's ODBC library cannot be loaded");
    return *bound;
}

} // namespace data::odbc
