#pragma once

#include "host/ProjectDatabase.h"
#include "projectdb/SqlStatement.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vorq::projectdb {

class SqlProjectDatabase;

// The rows of a SELECT statement, read forward.
class QueryRecordset : public Recordset {
public:
    QueryRecordset(std::unique_ptr<SqlStatement> statement, std::string_view sql);
    bool Eof() const override;
    void MoveNext() override;
    Value getField(std::string_view name) const override;
    void setField(std::string_view name, const Value&) override;
    void AddNew() override;
    void Update() override;
    void Close() override { closed_ = true; }

private:
    int indexOf(std::string_view name) const;
    void checkOpen() const;

    std::unique_ptr<SqlStatement> statement_;
    std::string sql_;
    bool atEnd_ = false;
    bool closed_ = false;
};

// A table opened by name: its rows in order of adding, and AddNew/Update to add rows.
class TableRecordset : public Recordset {
public:
    TableRecordset(SqlProjectDatabase& db, std::string table);
    bool Eof() const override;
    void MoveNext() override;
    Value getField(std::string_view name) const override;
    void setField(std::string_view name, const Value& value) override;
    void AddNew() override;
    void Update() override;
    void Close() override { closed_ = true; }

private:
    const std::string& columnNamed(std::string_view name) const;
    void startReading() const;
    void checkOpen() const;

    SqlProjectDatabase& db_;
    std::string table_;
    const std::vector<std::string>& columns_;
    mutable std::unique_ptr<SqlStatement> reader_;
    mutable bool atEnd_ = false;
    std::optional<std::map<std::string, Value>> pending_;
    bool closed_ = false;
};

} // namespace vorq::projectdb
