#pragma once

#include "projectdb/ProjectSchema.h"
#include "projectdb/SqlProjectDatabase.h"
#include "sqlite/Sqlite.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace vorq::projectdb {

// The project database in an SQLite file, for one user on one machine.
class SqliteProjectDatabase : public SqlProjectDatabase {
public:
    // Opens (and with CreateIfMissing creates) a project database; a missing, locked,
    // read-only, corrupt, foreign or newer file raises vorq::Error and is left as it was.
    SqliteProjectDatabase(const std::filesystem::path& path, OpenMode mode);

    void BeginTrans() override;
    void CommitTrans() override;
    void Rollback() override;

    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override;
    SqlStatement& cached(const std::string& sql) override;
    const std::string& name() const override { return name_; }
    bool inTransaction() const override { return db_.inTransaction(); }
    std::int64_t reserveId(const std::string& table) override;
    void insertRow(const RowShape& shape, const std::vector<Value>& values) override;
    std::int64_t insertRowWithId(const RowShape& shape, const std::vector<Value>& values) override;

    const sqlite::Connection& connection() const { return db_; }
    // How long BeginTrans waits for another program's run to end (a minute unless set).
    void setWriterWait(std::chrono::milliseconds wait) { writerWait_ = wait; }

protected:
    TableColumns readColumns(const std::string& table) override;

private:
    sqlite::Connection db_;
    std::string name_;
    std::chrono::milliseconds writerWait_ = kWriterWait;
    std::unordered_map<std::string, std::unique_ptr<SqlStatement>> cache_;
    // Statements of queries whose numbers became parameters, idle until a query of the same
    // shape borrows one (several of a shape may be open at once).
    std::unordered_map<std::string, std::vector<std::unique_ptr<SqlStatement>>> idle_;
};

} // namespace vorq::projectdb
