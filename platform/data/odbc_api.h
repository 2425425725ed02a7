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

struct Api : core::LateTable {
    Api() : LateTable(L"odbc32.dll") {}
    Entry<decltype(::SQLAllocHandle)> SQLAllocHandle{*this, "SQLAllocHandle"};
    Entry<decltype(::SQLBindParameter)> SQLBindParameter{*this, "SQLBindParameter"};
    Entry<decltype(::SQLDescribeCol)> SQLDescribeCol{*this, "SQLDescribeCol"};
    Entry<decltype(::SQLDisconnect)> SQLDisconnect{*this, "SQLDisconnect"};
    Entry<decltype(::SQLDriverConnect)> SQLDriverConnect{*this, "SQLDriverConnect"};
    Entry<decltype(::SQLExecDirect)> SQLExecDirect{*this, "SQLExecDirect"};
    Entry<decltype(::SQLExecute)> SQLExecute{*this, "SQLExecute"};
    Entry<decltype(::SQLFetch)> SQLFetch{*this, "SQLFetch"};
    Entry<decltype(::SQLFreeHandle)> SQLFreeHandle{*this, "SQLFreeHandle"};
    Entry<decltype(::SQLFreeStmt)> SQLFreeStmt{*this, "SQLFreeStmt"};
    Entry<decltype(::SQLGetData)> SQLGetData{*this, "SQLGetData"};
    Entry<decltype(::SQLGetDiagRec)> SQLGetDiagRec{*this, "SQLGetDiagRec"};
    Entry<decltype(::SQLNumResultCols)> SQLNumResultCols{*this, "SQLNumResultCols"};
    Entry<decltype(::SQLPrepare)> SQLPrepare{*this, "SQLPrepare"};
    Entry<decltype(::SQLRowCount)> SQLRowCount{*this, "SQLRowCount"};
    Entry<decltype(::SQLSetEnvAttr)> SQLSetEnvAttr{*this, "SQLSetEnvAttr"};
};

// The table, bound on the first call; a core::LibraryError naming the library, or the first function
// it lacks, when one is missing.
const Api& api();

} // namespace data::odbc
