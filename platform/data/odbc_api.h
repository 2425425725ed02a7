#pragma once
// The ODBC functions the data layer calls, bound from odbc32.dll at the first use instead of with
// the program: under Wine that library brings the host's ODBC manager, which the window's first
// paint does not need.

#define SQL_NOUNICODEMAP
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "platform/core/late_bound.h"

namespace data::odbc {

inline constexpr const wchar_t* kLibrary = L"odbc32.dll";

struct Api {
    core::LateBound<decltype(::SQLAllocHandle)> SQLAllocHandle{kLibrary, "SQLAllocHandle"};
    core::LateBound<decltype(::SQLBindParameter)> SQLBindParameter{kLibrary, "SQLBindParameter"};
    core::LateBound<decltype(::SQLDescribeCol)> SQLDescribeCol{kLibrary, "SQLDescribeCol"};
    core::LateBound<decltype(::SQLDisconnect)> SQLDisconnect{kLibrary, "SQLDisconnect"};
    core::LateBound<decltype(::SQLDriverConnect)> SQLDriverConnect{kLibrary, "SQLDriverConnect"};
    core::LateBound<decltype(::SQLExecDirect)> SQLExecDirect{kLibrary, "SQLExecDirect"};
    core::LateBound<decltype(::SQLExecute)> SQLExecute{kLibrary, "SQLExecute"};
    core::LateBound<decltype(::SQLFetch)> SQLFetch{kLibrary, "SQLFetch"};
    core::LateBound<decltype(::SQLFreeHandle)> SQLFreeHandle{kLibrary, "SQLFreeHandle"};
    core::LateBound<decltype(::SQLFreeStmt)> SQLFreeStmt{kLibrary, "SQLFreeStmt"};
    core::LateBound<decltype(::SQLGetData)> SQLGetData{kLibrary, "SQLGetData"};
    core::LateBound<decltype(::SQLGetDiagRec)> SQLGetDiagRec{kLibrary, "SQLGetDiagRec"};
    core::LateBound<decltype(::SQLNumResultCols)> SQLNumResultCols{kLibrary, "SQLNumResultCols"};
    core::LateBound<decltype(::SQLPrepare)> SQLPrepare{kLibrary, "SQLPrepare"};
    core::LateBound<decltype(::SQLRowCount)> SQLRowCount{kLibrary, "SQLRowCount"};
    core::LateBound<decltype(::SQLSetEnvAttr)> SQLSetEnvAttr{kLibrary, "SQLSetEnvAttr"};
};

// The table, bound on the first call; a core::LibraryError naming the library, or the first function
// it lacks, when one is missing.
const Api& api();

} // namespace data::odbc
