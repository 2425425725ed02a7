#pragma once

#include "platform/data/connection.h"
#include "platform/core/variant.h"

#include <memory>
#include <string>
#include <vector>

namespace data {

class Recordset;

// One column of the current row.
class Field {
public:
    const std::wstring& Name() const { return name_; }
    // Null when the column holds NULL, and when the result has no current row (past its end or
    // empty), so a reader can fall back to its default.
    core::Variant Value() const;
    // Changes the current row in memory; Update stores it. On an empty result the value goes into
    // a new row that Update inserts.
    void setValue(const core::Variant& value);

private:
    friend class Recordset;
    Field(Recordset& owner, int column, std::wstring name)
        : owner_(&owner), column_(column), name_(std::move(name)) {}
    Recordset* owner_;
    int column_;
    std::wstring name_;
};

// The rows of one query, read whole when it is opened (so the count is known) and visited in the
// order the query gives them. A result of one table can be changed and written back by row id.
class Recordset {
public:
    Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;
    ~Recordset() = default;

    // The cursor type, lock type and options are the ones the forms pass (1, 3, -1): a keyset
    // cursor with optimistic locking. Runs the query as given on the open connection. A record set
    // still open from an operation that an error cut short is closed first.
    void Open(const std::wstring& source, Connection& connection, int cursorType = 1, int lockType = 3,
              long options = -1);
    void Close();
    bool isOpen() const { return open_; }

    long RecordCount() const;
    // True after the last row (and at once for an empty result). Named apart from the C macro.
    bool Eof() const;
    void MoveNext();
    // The named column (names compared without regard to ASCII case).
    Field& Fields(const std::wstring& name);
    // Stores the changed fields of the current row in one transaction; a failed write changes
    // nothing in the file and leaves the changes pending.
    void Update();

private:
    friend class Field;
    void requireOpen() const;

    bool open_ = false;
    std::weak_ptr<Database> session_;
    std::wstring table_; // the single table the rows come from; empty when they cannot be written
    std::vector<Field> fields_;
    std::vector<std::vector<core::Variant>> rows_;
    std::vector<long long> rowIds_;
    std::vector<bool> changed_;
    std::vector<core::Variant> pending_; // changed values of the current row
    size_t position_ = 0;
};

} // namespace data
