#pragma once

#include "host/HostObject.h"
#include "host/Value.h"

#include <memory>
#include <string>
#include <string_view>

namespace vorq {

class Recordset;

// Assignment and reading of one field of a recordset by name: rs.Fields("TabID") = 5.
class FieldRef {
public:
    FieldRef(Recordset& rs, std::string_view name) : rs_(rs), name_(name) {}
    FieldRef& operator=(const Value& v);
    Value value() const;
    operator Value() const { return value(); }

private:
    Recordset& rs_;
    std::string_view name_;
};

// A forward-only cursor over a table or query, or a table opened for adding rows.
class Recordset {
public:
    virtual ~Recordset() = default;
    // True when there is no current row (EOF is a C macro, hence the spelling).
    virtual bool Eof() const = 0;
    // Advances to the next row.
    virtual void MoveNext() = 0;
    // The named field (case-insensitive) of the current row or of the row being added.
    virtual Value getField(std::string_view name) const = 0;
    // Sets the named field of the row being added; an unknown name raises vorq::Error.
    virtual void setField(std::string_view name, const Value& value) = 0;
    // Starts a new row; its automatic id can be read at once, before Update.
    virtual void AddNew() = 0;
    // Saves the row begun by AddNew.
    virtual void Update() = 0;
    // Releases the recordset; further use raises vorq::Error.
    virtual void Close() = 0;

    FieldRef Fields(std::string_view name) { return FieldRef(*this, name); }
};

inline FieldRef& FieldRef::operator=(const Value& v) {
    rs_.setField(name_, v);
    return *this;
}
inline Value FieldRef::value() const {
    return rs_.getField(name_);
}

// The host's project database: DAO-like access plus the engine's transaction calls.
class ProjectDatabase : public HostObject {
public:
    // Opens a table by name (for reading or AddNew) or the rows of a SELECT statement.
    virtual std::unique_ptr<Recordset> OpenRecordset(std::string_view tableOrSql) = 0;
    // Runs one statement that returns no rows.
    virtual void Execute(std::string_view sql) = 0;
    // Begins the one transaction of a run.
    virtual void BeginTrans() = 0;
    // Commits it; foreign keys are checked here, not when a row is saved.
    virtual void CommitTrans() = 0;
    // Undoes everything since BeginTrans.
    virtual void Rollback() = 0;
};

} // namespace vorq
