// The undecorated ODBC functions with UTF-8 text: under Wine the A-suffixed exports abort and the
// W ones depend on the host's locale.
#define SQL_NOUNICODEMAP
#include "platform/data/database.h"

#include "platform/data/errors.h"
#include "platform/data/host_path.h"
#include "platform/data/text.h"
#include "platform/core/runtime_error.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <cwchar>

namespace data {

namespace {

int gBusyTimeout = 3000;

std::string driverText(short handleType, void* handle, long* native) {
    std::string text;
    *native = 0;
    for (SQLSMALLINT record = 1; record <= 4; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER code = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        SQLRETURN rc =
            SQLGetDiagRec(handleType, handle, record, state, &code, message, sizeof message, &length);
        if (!SQL_SUCCEEDED(rc)) break;
        if (record == 1) *native = code;
        if (!text.empty()) text += "; ";
        text += reinterpret_cast<const char*>(message);
    }
    return text;
}

bool contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

} // namespace

int busyTimeout() {
    return gBusyTimeout;
}
void setBusyTimeout(int milliseconds) {
    gBusyTimeout = milliseconds < 0 ? 0 : milliseconds;
}

std::wstring driverName() {
    wchar_t buffer[256];
    DWORD n = GetEnvironmentVariableW(L"VEXA_ODBC_DRIVER", buffer, 256);
    if (n > 0 && n < 256) return buffer;
    return runningUnderWine() ? L"SQLite3" : L"SQLite3 ODBC Driver";
}

// ---- Database ----

Database::Database(const std::wstring& windowsPath, Mode mode) : file_(normalisePath(windowsPath)) {
    if (mode == Mode::Existing && !fileExists(file_))
        fail(err::FileNotFound, L"The database file does not exist", file_);
    auto hostPath = driverPath(file_);
    if (!hostPath || hostPath->find(L';') != std::wstring::npos || hostPath->find(L'}') != std::wstring::npos)
        fail(err::FileNotFound, L"The database file cannot be reached", file_);

    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_)))
        fail(err::Driver, L"The ODBC environment cannot be made", file_);
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_))) {
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
        env_ = nullptr;
        fail(err::Driver, L"The ODBC connection cannot be made", file_);
    }

    std::wstring connect = L"DRIVER={" + driverName() + L"};Database=" + *hostPath + L";Timeout=" +
                           std::to_wstring(gBusyTimeout) + L";StepAPI=1";
    if (mode == Mode::Existing) connect += L";NoCreat=1";
    connect += L";";
    std::string text = toUtf8(connect);
    SQLCHAR out[2048];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc = SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                                    static_cast<SQLSMALLINT>(text.size()), out, sizeof out, &outLength,
                                    SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        try {
            raise(SQL_HANDLE_DBC, dbc_, L"The database cannot be opened");
        } catch (...) {
            SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
            SQLFreeHandle(SQL_HANDLE_ENV, env_);
            dbc_ = env_ = nullptr;
            throw;
        }
    }
    connected_ = true;
}

Database::~Database() {
    if (inTransaction_) {
        SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    }
    if (connected_) SQLDisconnect(dbc_);
    if (dbc_) SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    if (env_) SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

void Database::raise(short handleType, void* handle, const std::wstring& what) const {
    long native = 0;
    std::wstring message = fromUtf8(driverText(handleType, handle, &native));
    int number = err::Driver;
    std::wstring lower = lowerCase(message);
    if (native == 5 || native == 6 || contains(lower, L"database is locked") || contains(lower, L"busy")) {
        number = err::Locked;
        fail(number, L"The database is in use by another connection and stayed locked: " + message, file_);
    }
    if (native == 26 || native == 11 || contains(lower, L"not a database") || contains(lower, L"malformed") ||
        contains(lower, L"corrupt")) {
        number = err::NotADatabase;
        fail(number, L"The file is damaged or is not a database: " + message, file_);
    }
    if (message.empty()) message = L"the driver gave no reason";
    fail(number, what + L": " + message, file_);
}

Statement Database::prepare(const std::wstring& sql) {
    void* handle = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &handle)))
        raise(SQL_HANDLE_DBC, dbc_, L"A statement cannot be made");
    Statement statement(*this, handle, sql);
    std::string text = toUtf8(sql);
    SQLRETURN rc =
        SQLPrepare(handle, reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size()));
    if (!SQL_SUCCEEDED(rc)) raise(SQL_HANDLE_STMT, handle, L"The query cannot be run: \"" + sql + L"\"");
    return statement;
}

void Database::execute(const std::wstring& sql) {
    Statement statement = prepare(sql);
    statement.execute();
}

forms::Variant Database::scalar(const std::wstring& sql) {
    Statement statement = prepare(sql);
    statement.execute();
    if (statement.columnCount() == 0 || !statement.fetch()) return forms::Variant::null();
    return statement.value(0);
}

void Database::begin() {
    if (inTransaction_) return;
    SQLRETURN rc =
        SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    if (!SQL_SUCCEEDED(rc)) raise(SQL_HANDLE_DBC, dbc_, L"A transaction cannot be started");
    inTransaction_ = true;
}

void Database::commit() {
    if (!inTransaction_) return;
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_COMMIT);
    if (!SQL_SUCCEEDED(rc)) raise(SQL_HANDLE_DBC, dbc_, L"The changes cannot be stored");
    inTransaction_ = false;
    SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

void Database::rollback() {
    if (!inTransaction_) return;
    SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
    inTransaction_ = false;
    SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

// ---- Statement ----

struct Statement::Param {
    std::string text;
    SQLINTEGER number = 0;
    double real = 0;
    SQLLEN indicator = 0;
};

Statement::Statement(Database& db, void* handle, std::wstring sql)
    : db_(&db), handle_(handle), sql_(std::move(sql)) {}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), handle_(other.handle_), sql_(std::move(other.sql_)),
      columns_(std::move(other.columns_)), values_(std::move(other.values_)), read_(std::move(other.read_)),
      params_(std::move(other.params_)) {
    other.handle_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        if (handle_) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
        db_ = other.db_;
        handle_ = other.handle_;
        sql_ = std::move(other.sql_);
        columns_ = std::move(other.columns_);
        values_ = std::move(other.values_);
        read_ = std::move(other.read_);
        params_ = std::move(other.params_);
        other.handle_ = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    if (handle_) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

void Statement::bind(int index, const forms::Variant& value) {
    if (index < 1) return;
    if (params_.size() < static_cast<size_t>(index)) params_.resize(index);
    auto& slot = params_[index - 1];
    slot = std::make_unique<Param>();
    Param& p = *slot;
    SQLRETURN rc;
    using forms::VariantType;
    switch (value.type()) {
    case VariantType::Null:
    case VariantType::Empty:
        p.indicator = SQL_NULL_DATA;
        rc = SQLBindParameter(handle_, index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr, 0,
                              &p.indicator);
        break;
    case VariantType::Boolean:
    case VariantType::Integer:
    case VariantType::Long:
        p.number = value.toLong();
        p.indicator = 0;
        rc = SQLBindParameter(handle_, index, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &p.number, 0,
                              &p.indicator);
        break;
    case VariantType::Single:
    case VariantType::Double:
        p.real = value.toDouble();
        p.indicator = 0;
        rc = SQLBindParameter(handle_, index, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, &p.real, 0,
                              &p.indicator);
        break;
    default:
        p.text = toUtf8(value.toString());
        p.indicator = static_cast<SQLLEN>(p.text.size());
        rc = SQLBindParameter(handle_, index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                              p.text.size() ? p.text.size() : 1, 0, p.text.data(),
                              static_cast<SQLLEN>(p.text.size()), &p.indicator);
        break;
    }
    if (!SQL_SUCCEEDED(rc)) db_->raise(SQL_HANDLE_STMT, handle_, L"A value cannot be passed to the query");
}

void Statement::execute() {
    SQLFreeStmt(handle_, SQL_CLOSE);
    SQLRETURN rc = SQLExecute(handle_);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        db_->raise(SQL_HANDLE_STMT, handle_, L"The query failed: \"" + sql_ + L"\"");
    describe();
}

void Statement::reset() {
    SQLFreeStmt(handle_, SQL_CLOSE);
}

long Statement::rowsAffected() {
    SQLLEN count = 0;
    if (!SQL_SUCCEEDED(SQLRowCount(handle_, &count))) return 0;
    return static_cast<long>(count);
}

void Statement::describe() {
    columns_.clear();
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(handle_, &count))) return;
    for (SQLSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(handle_, i, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
        columns_.push_back({fromUtf8(reinterpret_cast<const char*>(name)), type});
    }
}

bool Statement::fetch() {
    read_.assign(columns_.size(), false);
    values_.assign(columns_.size(), forms::Variant());
    SQLRETURN rc = SQLFetch(handle_);
    if (rc == SQL_NO_DATA) return false;
    if (!SQL_SUCCEEDED(rc))
        db_->raise(SQL_HANDLE_STMT, handle_, L"Reading the result failed: \"" + sql_ + L"\"");
    return true;
}

int Statement::columnCount() const {
    return static_cast<int>(columns_.size());
}

const std::wstring& Statement::columnName(int column) const {
    return columns_.at(column).name;
}

forms::Variant Statement::value(int column) {
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        fail(err::NoSuchField, L"The result has no column " + std::to_wstring(column + 1), db_->file());
    if (read_[column]) return values_[column];
    read_[column] = true;
    values_[column] = readValue(column);
    return values_[column];
}

forms::Variant Statement::readValue(int column) {
    std::string bytes;
    char buffer[4096];
    SQLLEN indicator = 0;
    for (;;) {
        SQLRETURN rc = SQLGetData(handle_, static_cast<SQLUSMALLINT>(column + 1), SQL_C_CHAR, buffer,
                                  sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc))
            db_->raise(SQL_HANDLE_STMT, handle_, L"Reading a value failed: \"" + sql_ + L"\"");
        if (indicator == SQL_NULL_DATA) return forms::Variant::null();
        if (rc == SQL_SUCCESS_WITH_INFO &&
            (indicator == SQL_NO_TOTAL || indicator >= (SQLLEN)sizeof buffer)) {
            bytes.append(buffer, sizeof buffer - 1);
            continue;
        }
        bytes.append(buffer, static_cast<size_t>(indicator));
        break;
    }
    short type = columns_.at(column).type;
    switch (type) {
    case SQL_BIT:
        return forms::Variant(std::atof(bytes.c_str()) != 0);
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: {
        char* end = nullptr;
        long long n = std::strtoll(bytes.c_str(), &end, 10);
        if (end && *end == 0 && !bytes.empty()) {
            if (n >= INT32_MIN && n <= INT32_MAX) return forms::Variant(static_cast<int>(n));
            return forms::Variant(static_cast<double>(n));
        }
        return forms::Variant(fromUtf8(bytes));
    }
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL: {
        char* end = nullptr;
        double d = std::strtod(bytes.c_str(), &end);
        if (end && *end == 0 && !bytes.empty()) return forms::Variant(d);
        return forms::Variant(fromUtf8(bytes));
    }
    default:
        return forms::Variant(fromUtf8(bytes));
    }
}

} // namespace data
