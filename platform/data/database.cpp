// The undecorated ODBC functions with UTF-8 text: under Wine the A-suffixed exports abort and the
// W ones depend on the host's locale.
#define SQL_NOUNICODEMAP
#include "platform/data/database.h"

#include "platform/core/event_log.h"
#include "platform/core/host_path.h"
#include "platform/core/runtime_error.h"
#include "platform/core/text.h"
#include "platform/data/errors.h"
#include "platform/data/host_path.h"
#include "platform/data/odbc_api.h"
#include "platform/data/text.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>

namespace data {

namespace {

int gBusyTimeout = 3000;
std::atomic<unsigned long> gLockWaits{0};

std::string driverText(short handleType, void* handle, long* native) {
    std::string text;
    *native = 0;
    for (SQLSMALLINT record = 1; record <= 4; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER code = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        SQLRETURN rc = odbc::api().SQLGetDiagRec(handleType, handle, record, state, &code, message,
                                                 sizeof message, &length);
        if (!SQL_SUCCEEDED(rc)) break;
        if (record == 1) *native = code;
        if (!text.empty()) text += "; ";
        text += reinterpret_cast<const char*>(message);
    }
    return text;
}

// The engine's primary result code of the last failure on a handle: the driver passes it as the
// native error of the first diagnostic record.
int engineCode(short handleType, void* handle) {
    SQLCHAR state[6] = {};
    SQLINTEGER code = 0;
    SQLCHAR message[8] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(
            odbc::api().SQLGetDiagRec(handleType, handle, 1, state, &code, message, sizeof message, &length)))
        return 0;
    return static_cast<int>(code & 0xff);
}

enum EngineCode {
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kIoError = 10,
    kCorrupt = 11,
    kFull = 13,
    kNotADb = 26
};

bool isBusy(int code) {
    return code == kBusy || code == kLocked;
}

// The driver's value for Database=: the host path, or a "file:" URI where the path holds a ";"
// (which ends a value in the driver's connection string and cannot be quoted there) or where the
// file is to be opened for reading only.
std::wstring databaseValue(const std::wstring& hostPath, bool readOnly) {
    if (hostPath.find(L';') == std::wstring::npos && !readOnly) return hostPath;
    std::string path = core::toUtf8(hostPath);
    std::string uri = "file:";
    if (!path.empty() && path[0] != '/' && path[0] != '\\') uri += "///";
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char c : path) {
        if (c == '\\') c = '/';
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c >= 0x80 || c == '/' || c == '.' || c == '-' || c == '_' || c == '~';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += digits[c >> 4];
            uri += digits[c & 15];
        }
    }
    if (readOnly) uri += "?mode=ro";
    return core::fromUtf8(uri);
}

} // namespace

int busyTimeout() {
    return gBusyTimeout;
}
void setBusyTimeout(int milliseconds) {
    gBusyTimeout = milliseconds < 0 ? 0 : milliseconds;
}

Deadline::Deadline(int milliseconds) : end_(GetTickCount64() + (milliseconds < 0 ? 0 : milliseconds)) {}

int Deadline::remaining() const {
    unsigned long long now = GetTickCount64();
    return now >= end_ ? 0 : static_cast<int>(end_ - now);
}

bool Deadline::waitAgain() const {
    const int left = remaining();
    if (left == 0) return false;
    ++gLockWaits;
    Sleep(left < 20 ? left : 20);
    return true;
}

unsigned long lockWaits() {
    return gLockWaits;
}

std::wstring driverName() {
    wchar_t buffer[256];
    DWORD n = GetEnvironmentVariableW(L"VEXA_ODBC_DRIVER", buffer, 256);
    if (n > 0 && n < 256) return buffer;
    return core::runningUnderWine() ? L"SQLite3" : L"SQLite3 ODBC Driver";
}

// ---- Database ----

Database::Database(const std::wstring& windowsPath, Mode mode, Deadline deadline)
    : file_(normalisePath(windowsPath)), deadline_(deadline) {
    if (mode == Mode::Existing) {
        DWORD attributes = GetFileAttributesW(file_.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            fail(err::DatabaseMissing, L"The database file does not exist", file_);
        readOnly_ = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }
    auto hostPath = driverPath(file_);
    if (!hostPath) fail(err::DatabaseMissing, L"The database file cannot be reached", file_);

    void* handle = nullptr;
    if (!SQL_SUCCEEDED(odbc::api().SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle)))
        fail(err::Driver, L"The ODBC environment cannot be made", file_);
    env_.reset(handle);
    odbc::api().SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                              0);
    handle = nullptr;
    if (!SQL_SUCCEEDED(odbc::api().SQLAllocHandle(SQL_HANDLE_DBC, env_.get(), &handle)))
        fail(err::Driver, L"The ODBC connection cannot be made", file_);
    dbc_.reset(handle);
    try {
        connect(*hostPath, mode);
        // The driver's own set-up at connecting gives up silently on a locked file; when the first
        // look at the file had to wait, it is connected again so that set-up runs on a free file.
        StatementHandle st = newStatement();
        static const char sql[] = "select count(*) from sqlite_master";
        bool waited = false;
        short rc = patiently(SQL_HANDLE_STMT, st.get(), [&]() -> short {
            short r = odbc::api().SQLExecDirect(st.get(), (SQLCHAR*)sql, SQL_NTS);
            waited = waited || (!SQL_SUCCEEDED(r) && isBusy(engineCode(SQL_HANDLE_STMT, st.get())));
            return r;
        });
        if (!SQL_SUCCEEDED(rc)) raise(SQL_HANDLE_STMT, st.get(), L"The database cannot be opened");
        st.reset();
        if (waited) {
            disconnect();
            connect(*hostPath, mode);
        }
    } catch (...) {
        // The handles go with their owners; the connection is closed first.
        disconnect();
        throw;
    }
}

StatementHandle Database::newStatement() {
    void* handle = nullptr;
    if (!SQL_SUCCEEDED(odbc::api().SQLAllocHandle(SQL_HANDLE_STMT, dbc_.get(), &handle)))
        raise(SQL_HANDLE_DBC, dbc_.get(), L"A statement cannot be made");
    return StatementHandle(handle);
}

void Database::connect(const std::wstring& hostPath, Mode mode) {
    // The driver's own wait is kept to its least ("Timeout=0" would be its long default): the
    // operation's deadline is kept here.
    std::wstring connect = L"DRIVER={" + driverName() + L"};Database=" + databaseValue(hostPath, readOnly_) +
                           L";Timeout=1;StepAPI=1";
    if (mode == Mode::Existing) connect += L";NoCreat=1";
    connect += L";";
    std::string text = core::toUtf8(connect);
    SQLCHAR out[2048];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc = odbc::api().SQLDriverConnect(dbc_.get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                                                static_cast<SQLSMALLINT>(text.size()), out, sizeof out,
                                                &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) raise(SQL_HANDLE_DBC, dbc_.get(), L"The database cannot be opened");
    connected_ = true;
    // Even so, the busy handler the driver gives the engine sleeps twice at every busy step (some
    // 20 ms on a held file, and more where the driver tries again): the engine is told to have none,
    // so that a busy step comes back at once and patiently() alone waits, until the deadline.
    StatementHandle st = newStatement();
    static const char sql[] = "pragma busy_timeout = 0";
    if (!SQL_SUCCEEDED(odbc::api().SQLExecDirect(st.get(), (SQLCHAR*)sql, SQL_NTS)))
        raise(SQL_HANDLE_STMT, st.get(), L"The database cannot be opened");
}

void Database::disconnect() {
    if (connected_) odbc::api().SQLDisconnect(dbc_.get());
    connected_ = false;
}

Database::~Database() {
    if (inTransaction_) rollback();
    disconnect();
}

short Database::patiently(short handleType, void* handle, const std::function<short()>& step) {
    for (;;) {
        short rc = step();
        if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA || !isBusy(engineCode(handleType, handle))) return rc;
        if (!deadline_.waitAgain()) return rc;
    }
}

void Database::raise(short handleType, void* handle, const std::wstring& what) const {
    long native = 0;
    std::wstring message = core::fromUtf8(driverText(handleType, handle, &native));
    if (message.empty()) message = L"the driver gave no reason";
    switch (native & 0xff) {
    case kBusy:
    case kLocked:
        fail(err::Locked, L"The database is in use by another program and stayed locked: " + message, file_);
    case kCorrupt:
    case kNotADb:
        fail(err::NotADatabase, L"The file is damaged or is not a database", file_);
    case kReadOnly:
        fail(err::ReadOnly, L"The database file is read-only: " + message, file_);
    case kIoError:
        fail(err::FileError, L"The database file cannot be read or written: " + message, file_);
    case kFull:
        fail(err::DiskFull, L"The disk holding the database is full: " + message, file_);
    default:
        fail(err::Driver, what + L": " + message, file_);
    }
}

Statement Database::prepare(const std::wstring& sql) {
    if (sql.find(L'\0') != std::wstring::npos)
        fail(err::NulText, L"The query holds a NUL character and is not run", file_);
    StatementHandle owned = newStatement();
    void* handle = owned.get();
    Statement statement(*this, std::move(owned), sql);
    std::string text = core::toUtf8(sql);
    // Preparing reads the schema, which another connection's lock can hold up.
    SQLRETURN rc = patiently(SQL_HANDLE_STMT, handle, [&]() -> short {
        return odbc::api().SQLPrepare(handle, reinterpret_cast<SQLCHAR*>(text.data()),
                                      static_cast<SQLINTEGER>(text.size()));
    });
    if (!SQL_SUCCEEDED(rc)) raise(SQL_HANDLE_STMT, handle, L"The query cannot be run: \"" + sql + L"\"");
    return statement;
}

void Database::execute(const std::wstring& sql) {
    Statement statement = prepare(sql);
    statement.execute();
}

core::Variant Database::scalar(const std::wstring& sql) {
    Statement statement = prepare(sql);
    statement.execute();
    if (statement.columnCount() == 0 || !statement.fetch()) return core::Variant::null();
    return statement.value(0);
}

// Transactions are the engine's own statements, so that the wait for a blocked commit is ours to
// bound (the driver's commit retries on its own). "begin immediate" takes the write lock at once:
// a file that another connection writes fails here, before anything is changed.
void Database::begin() {
    if (inTransaction_) return;
    DWORD attributes = GetFileAttributesW(file_.c_str());
    if (readOnly_ || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        fail(err::ReadOnly, L"The database file is read-only and is not changed", file_);
    execute(L"begin immediate");
    inTransaction_ = true;
}

void Database::commit() {
    if (!inTransaction_) return;
    execute(L"commit");
    inTransaction_ = false;
}

void Database::rollback() {
    if (!inTransaction_) return;
    inTransaction_ = false;
    void* handle = nullptr;
    if (!SQL_SUCCEEDED(odbc::api().SQLAllocHandle(SQL_HANDLE_STMT, dbc_.get(), &handle))) return;
    StatementHandle st(handle);
    static const char sql[] = "rollback";
    odbc::api().SQLExecDirect(st.get(), (SQLCHAR*)sql, SQL_NTS);
}

// A handle exists only once the library is bound, so freeing it cannot meet a missing function; it is
// contained all the same, since a deleter must not throw.
void FreeEnvironment::operator()(void* handle) const noexcept {
    core::bestEffort(L"Freeing an ODBC environment",
                     [&] { odbc::api().SQLFreeHandle(SQL_HANDLE_ENV, handle); });
}
void FreeConnection::operator()(void* handle) const noexcept {
    core::bestEffort(L"Freeing an ODBC connection",
                     [&] { odbc::api().SQLFreeHandle(SQL_HANDLE_DBC, handle); });
}
void FreeStatement::operator()(void* handle) const noexcept {
    core::bestEffort(L"Freeing an ODBC statement",
                     [&] { odbc::api().SQLFreeHandle(SQL_HANDLE_STMT, handle); });
}

// ---- Statement ----

struct Statement::Param {
    std::string text;
    SQLINTEGER number = 0;
    double real = 0;
    SQLLEN indicator = 0;
};

Statement::Statement(Database& db, StatementHandle handle, std::wstring sql)
    : db_(&db), handle_(std::move(handle)), sql_(std::move(sql)) {}

Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;
Statement::~Statement() = default;

void Statement::bind(int index, const core::Variant& value) {
    if (index < 1) return;
    if (params_.size() < static_cast<size_t>(index)) params_.resize(index);
    auto& slot = params_[index - 1];
    slot = std::make_unique<Param>();
    Param& p = *slot;
    SQLRETURN rc;
    using core::VariantType;
    switch (value.type()) {
    case core::VariantType::Null:
    case core::VariantType::Empty:
        p.indicator = SQL_NULL_DATA;
        rc = odbc::api().SQLBindParameter(handle_.get(), index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1,
                                          0, nullptr, 0, &p.indicator);
        break;
    case core::VariantType::Boolean:
    case core::VariantType::Integer:
    case core::VariantType::Long:
        p.number = value.toLong();
        p.indicator = 0;
        rc = odbc::api().SQLBindParameter(handle_.get(), index, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0,
                                          0, &p.number, 0, &p.indicator);
        break;
    case core::VariantType::Single:
    case core::VariantType::Double:
        p.real = value.toDouble();
        p.indicator = 0;
        rc = odbc::api().SQLBindParameter(handle_.get(), index, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0,
                                          0, &p.real, 0, &p.indicator);
        break;
    default: {
        std::wstring text = value.toString();
        if (text.find(L'\0') != std::wstring::npos)
            fail(err::NulText, L"A value holding a NUL character cannot be stored", db_->file());
        p.text = core::toUtf8(text);
        p.indicator = static_cast<SQLLEN>(p.text.size());
        rc = odbc::api().SQLBindParameter(handle_.get(), index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                          p.text.size() ? p.text.size() : 1, 0, p.text.data(),
                                          static_cast<SQLLEN>(p.text.size()), &p.indicator);
        break;
    }
    }
    if (!SQL_SUCCEEDED(rc))
        db_->raise(SQL_HANDLE_STMT, handle_.get(), L"A value cannot be passed to the query");
}

void Statement::execute() {
    SQLRETURN rc = db_->patiently(SQL_HANDLE_STMT, handle_.get(), [&]() -> short {
        odbc::api().SQLFreeStmt(handle_.get(), SQL_CLOSE);
        return odbc::api().SQLExecute(handle_.get());
    });
    fetched_ = 0;
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        db_->raise(SQL_HANDLE_STMT, handle_.get(), L"The query failed: \"" + sql_ + L"\"");
    describe();
}

void Statement::reset() {
    fetched_ = 0;
    odbc::api().SQLFreeStmt(handle_.get(), SQL_CLOSE);
}

long Statement::rowsAffected() {
    SQLLEN count = 0;
    if (!SQL_SUCCEEDED(odbc::api().SQLRowCount(handle_.get(), &count))) return 0;
    return static_cast<long>(count);
}

void Statement::describe() {
    columns_.clear();
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(odbc::api().SQLNumResultCols(handle_.get(), &count))) return;
    for (SQLSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        odbc::api().SQLDescribeCol(handle_.get(), i, name, sizeof name, &nameLength, &type, &size, &digits,
                                   &nullable);
        columns_.push_back({core::fromUtf8(reinterpret_cast<const char*>(name)), type});
    }
}

// A query without parameters is stepped by the driver at each fetch, so the first fetch is where
// another connection's lock shows. The driver ends the statement on that failure: it runs again,
// passes the rows already read, and fetches again while the operation's deadline allows.
bool Statement::fetch() {
    read_.assign(columns_.size(), false);
    values_.assign(columns_.size(), core::Variant());
    void* handle = handle_.get();
    bool again = false;
    SQLRETURN rc = db_->patiently(SQL_HANDLE_STMT, handle, [&]() -> short {
        if (again) {
            odbc::api().SQLFreeStmt(handle, SQL_CLOSE);
            short r = odbc::api().SQLExecute(handle);
            for (long i = 0; SQL_SUCCEEDED(r) && i < fetched_; ++i) r = odbc::api().SQLFetch(handle);
            if (!SQL_SUCCEEDED(r)) return r;
        }
        again = true;
        return odbc::api().SQLFetch(handle);
    });
    if (rc == SQL_NO_DATA) return false;
    if (!SQL_SUCCEEDED(rc))
        db_->raise(SQL_HANDLE_STMT, handle, L"Reading the result failed: \"" + sql_ + L"\"");
    ++fetched_;
    return true;
}

int Statement::columnCount() const {
    return static_cast<int>(columns_.size());
}

const std::wstring& Statement::columnName(int column) const {
    return columns_.at(column).name;
}

core::Variant Statement::value(int column) {
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        fail(err::NoSuchField, L"The result has no column " + std::to_wstring(column + 1), db_->file());
    if (read_[column]) return values_[column];
    read_[column] = true;
    values_[column] = readValue(column);
    return values_[column];
}

core::Variant Statement::readValue(int column) {
    std::string bytes;
    char buffer[4096];
    SQLLEN indicator = 0;
    for (;;) {
        SQLRETURN rc = odbc::api().SQLGetData(handle_.get(), static_cast<SQLUSMALLINT>(column + 1),
                                              SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc))
            db_->raise(SQL_HANDLE_STMT, handle_.get(), L"Reading a value failed: \"" + sql_ + L"\"");
        if (indicator == SQL_NULL_DATA) return core::Variant::null();
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
        return core::Variant(std::atof(bytes.c_str()) != 0);
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: {
        char* end = nullptr;
        long long n = std::strtoll(bytes.c_str(), &end, 10);
        if (end && *end == 0 && !bytes.empty()) {
            if (n >= INT32_MIN && n <= INT32_MAX) return core::Variant(static_cast<int>(n));
            return core::Variant(static_cast<double>(n));
        }
        return core::Variant(core::fromUtf8(bytes));
    }
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL: {
        char* end = nullptr;
        double d = std::strtod(bytes.c_str(), &end);
        if (end && *end == 0 && !bytes.empty()) return core::Variant(d);
        return core::Variant(core::fromUtf8(bytes));
    }
    default:
        return core::Variant(core::fromUtf8(bytes));
    }
}

} // namespace data
