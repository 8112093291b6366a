#pragma once

#include "postgres/Postgres.h"
#include "schematool/SqlProjectDatabase.h"

#include <string>
#include <unordered_map>

namespace vorq::schematool {

// The project database on a PostgreSQL server, shared by a team: the project's tables live in
// the connection's current schema. Runs of several programs are serialised by an advisory
// lock taken when a run's transaction begins.
class PostgresProjectDatabase : public SqlProjectDatabase {
public:
    // Connects and, unless mode is ReadOnly, creates the schema in an empty one; a refused
    // connection, a foreign, newer or half-made schema raises vorq::Error and changes nothing.
    PostgresProjectDatabase(const std::string& conninfo, OpenMode mode);

    void BeginTrans() override;
    void CommitTrans() override;
    void Rollback() override;

    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override;
    SqlStatement& cached(const std::string& sql) override;
    const std::string& name() const override { return name_; }
    bool inTransaction() const override;
    std::int64_t reserveId(const std::string& table) override;

    // Raises the server's failure as vorq::Error naming the project.
    [[noreturn]] void fail(const postgres::Failure& failure) const;

protected:
    TableColumns readColumns(const std::string& table) override;

private:
    std::string name_;
    postgres::Connection connection_;
    std::unordered_map<std::string, std::unique_ptr<SqlStatement>> cache_;
};

} // namespace vorq::schematool
