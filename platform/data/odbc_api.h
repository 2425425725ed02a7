#pragma once
// The ODBC functions the data layer calls, bound from odbc32.dll at the first use instead of with
// the program: under Wine that library brings the host's ODBC manager, which the window's first
// paint does not need.

#define SQL_NOUNICODEMAP
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

namespace data::odbc {

struct Api {
    decltype(&::SQLAllocHandle) SQLAllocHandle;
    decltype(&::SQLBindParameter) SQLBindParameter;
    decltype(&::SQLDescribeCol) SQLDescribeCol;
    decltype(&::SQLDisconnect) SQLDisconnect;
    decltype(&::SQLDriverConnect) SQLDriverConnect;
    decltype(&::SQLExecDirect) SQLExecDirect;
    decltype(&::SQLExecute) SQLExecute;
    decltype(&::SQLFetch) SQLFetch;
    decltype(&::SQLFreeHandle) SQLFreeHandle;
    decltype(&::SQLFreeStmt) SQLFreeStmt;
    decltype(&::SQLGetData) SQLGetData;
    decltype(&::SQLGetDiagRec) SQLGetDiagRec;
    decltype(&::SQLNumResultCols) SQLNumResultCols;
    decltype(&::SQLPrepare) SQLPrepare;
    decltype(&::SQLRowCount) SQLRowCount;
    decltype(&::SQLSetEnvAttr) SQLSetEnvAttr;
};

// Every function bound, the library loaded on the first call; a RuntimeError when it or one of the
// functions is missing.
const Api& api();

} // namespace data::odbc
