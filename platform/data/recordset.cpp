#include "platform/data/recordset.h"

#include "platform/core/runtime_error.h"
#include "platform/data/errors.h"
#include "platform/data/like_pattern.h"

#include <cstdint>
#include <cwctype>

namespace data {

namespace {

bool sameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x + 32);
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y + 32);
        if (x != y) return false;
    }
    return true;
}

bool isWordChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
}

std::wstring asciiLower(const std::wstring& s) {
    std::wstring out = s;
    for (auto& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    return out;
}

std::wstring quoted(const std::wstring& name) {
    std::wstring out = L"\"";
    for (wchar_t c : name) {
        out += c;
        if (c == L'"') out += L'"';
    }
    return out + L"\"";
}

// The table of "select <columns> from <table> [where|order by ...]": the only results that can be
// written back. Anything else (distinct, joins, several tables, sub-queries) gives "".
std::wstring singleTable(const std::wstring& sql, size_t* columnsAt) {
    std::wstring s = asciiLower(sql);
    size_t i = 0;
    while (i < s.size() && std::iswspace(s[i])) ++i;
    if (s.compare(i, 6, L"select") != 0 || i + 6 >= s.size() || !std::iswspace(s[i + 6])) return {};
    size_t cols = i + 6;
    while (cols < s.size() && std::iswspace(s[cols])) ++cols;
    if (s.compare(cols, 8, L"distinct") == 0 || s.find(L'(') != std::wstring::npos) return {};
    size_t from = s.find(L" from ", cols);
    if (from == std::wstring::npos) return {};
    size_t t = from + 6;
    while (t < s.size() && std::iswspace(s[t])) ++t;
    size_t end = t;
    while (end < s.size() && isWordChar(s[end])) ++end;
    if (end == t) return {};
    std::wstring rest = s.substr(end);
    size_t r = 0;
    while (r < rest.size() && std::iswspace(rest[r])) ++r;
    rest = rest.substr(r);
    if (!rest.empty() && rest.compare(0, 5, L"where") != 0 && rest.compare(0, 5, L"order") != 0 &&
        rest.compare(0, 5, L"limit") != 0)
        return {};
    if (rest.find(L" join ") != std::wstring::npos || rest.find(L" union ") != std::wstring::npos) return {};
    if (columnsAt) *columnsAt = cols;
    return sql.substr(t, end - t);
}

} // namespace

core::Variant Field::Value() const {
    const Recordset& rs = *owner_;
    rs.requireOpen();
    if (rs.changed_[column_]) return rs.pending_[column_];
    if (rs.position_ >= rs.rows_.size()) return core::Variant::null();
    return rs.rows_[rs.position_][column_];
}

void Field::setValue(const core::Variant& value) {
    Recordset& rs = *owner_;
    rs.requireOpen();
    if (rs.position_ >= rs.rows_.size() && !rs.rows_.empty())
        fail(err::NotUpdatable, L"There is no current row to change", L"");
    rs.pending_[column_] = value;
    rs.changed_[column_] = true;
}

void Recordset::requireOpen() const {
    if (!open_) fail(err::NotOpen, L"The record set is closed", L"");
}

void Recordset::Open(const std::wstring& source, Connection& connection, int, int, long) {
    Close();
    std::shared_ptr<Database> session = connection.session();
    Database& db = *session;
    db.startOperation(connection.operationDeadline());

    size_t columnsAt = 0;
    std::wstring table = singleTable(source, &columnsAt);
    if (!table.empty()) {
        // The name holds only letters, digits and "_" (singleTable takes no other), so it stands in
        // the text as it is: bound, it would have the driver wait for a held file on its own.
        Statement kind =
            db.prepare(L"select type from sqlite_master where name = '" + table + L"' collate nocase");
        kind.execute();
        if (!kind.fetch() || kind.value(0).toString() != L"table") table.clear();
    }
    std::wstring sql = likeWithoutShortRuns(
        table.empty() ? source : source.substr(0, columnsAt) + L"rowid, " + source.substr(columnsAt));

    Statement st = db.prepare(sql);
    st.execute();
    int first = table.empty() ? 0 : 1;
    std::vector<Field> fields;
    for (int c = first; c < st.columnCount(); ++c)
        fields.push_back(Field(*this, c - first, st.columnName(c)));
    std::vector<std::vector<core::Variant>> rows;
    std::vector<long long> ids;
    while (st.fetch()) {
        std::vector<core::Variant> row;
        row.reserve(fields.size());
        for (int c = 0; c < st.columnCount(); ++c) {
            core::Variant v = st.value(c);
            if (c < first)
                ids.push_back(static_cast<long long>(v.toDouble()));
            else
                row.push_back(std::move(v));
        }
        rows.push_back(std::move(row));
    }

    session_ = session;
    table_ = table;
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    rowIds_ = std::move(ids);
    changed_.assign(fields_.size(), false);
    pending_.assign(fields_.size(), core::Variant());
    position_ = 0;
    open_ = true;
}

void Recordset::Close() {
    open_ = false;
    session_.reset();
    table_.clear();
    fields_.clear();
    rows_.clear();
    rowIds_.clear();
    changed_.clear();
    pending_.clear();
    position_ = 0;
}

long Recordset::RecordCount() const {
    requireOpen();
    return static_cast<long>(rows_.size());
}

bool Recordset::Eof() const {
    requireOpen();
    return position_ >= rows_.size();
}

void Recordset::MoveNext() {
    requireOpen();
    if (position_ >= rows_.size()) fail(err::NotUpdatable, L"There is no next row: the end was reached", L"");
    ++position_;
    changed_.assign(fields_.size(), false);
    pending_.assign(fields_.size(), core::Variant());
}

Field& Recordset::Fields(const std::wstring& name) {
    requireOpen();
    for (auto& f : fields_)
        if (sameName(f.Name(), name)) return f;
    fail(err::NoSuchField, L"The result has no field \"" + name + L"\"", L"");
}

void Recordset::Update() {
    requireOpen();
    bool any = false;
    for (bool c : changed_) any = any || c;
    if (!any) return;
    if (table_.empty()) fail(err::NotUpdatable, L"This result cannot be written back", L"");
    std::shared_ptr<Database> session = session_.lock();
    if (!session) fail(err::NotOpen, L"The connection is closed", L"");
    Database& db = *session;
    db.startOperation();

    bool insert = rows_.empty();
    std::wstring sql;
    std::vector<core::Variant> values;
    if (insert) {
        std::wstring names, marks;
        for (size_t c = 0; c < fields_.size(); ++c) {
            if (!changed_[c]) continue;
            names += (names.empty() ? L"" : L", ") + quoted(fields_[c].Name());
            marks += marks.empty() ? L"?" : L", ?";
            values.push_back(pending_[c]);
        }
        sql = L"insert into " + quoted(table_) + L" (" + names + L") values (" + marks + L")";
    } else {
        if (position_ >= rows_.size())
            fail(err::NotUpdatable, L"There is no current row to store", db.file());
        std::wstring sets;
        for (size_t c = 0; c < fields_.size(); ++c) {
            if (!changed_[c]) continue;
            sets += (sets.empty() ? L"" : L", ") + quoted(fields_[c].Name()) + L" = ?";
            values.push_back(pending_[c]);
        }
        sql = L"update " + quoted(table_) + L" set " + sets + L" where rowid = ?";
        long long id = rowIds_[position_];
        values.push_back(id >= INT32_MIN && id <= INT32_MAX ? core::Variant(static_cast<int>(id))
                                                            : core::Variant(static_cast<double>(id)));
    }

    db.begin();
    try {
        Statement st = db.prepare(sql);
        for (size_t i = 0; i < values.size(); ++i) st.bind(static_cast<int>(i + 1), values[i]);
        st.execute();
        if (st.rowsAffected() != 1) fail(err::NotUpdatable, L"The row to store no longer exists", db.file());
        long long newId = 0;
        if (insert) newId = static_cast<long long>(db.scalar(L"select last_insert_rowid()").toDouble());
        db.commit();
        if (insert) {
            rows_.push_back(std::vector<core::Variant>(fields_.size(), core::Variant::null()));
            rowIds_.push_back(newId);
            position_ = 0;
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    for (size_t c = 0; c < fields_.size(); ++c)
        if (changed_[c]) rows_[position_][c] = pending_[c];
    changed_.assign(fields_.size(), false);
    pending_.assign(fields_.size(), core::Variant());
}

} // namespace data
