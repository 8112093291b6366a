#pragma once

#include "host/ProjectDatabase.h"
#include "sqlite/Sqlite.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vorq::schematool {

// The project database over SQLite. The statement texts of the component run unchanged.
class SqliteProjectDatabase : public ProjectDatabase {
public:
    // Opens (and with CreateIfMissing creates) a project database; a missing, locked,
    // read-only, corrupt, foreign or newer file raises vorq::Error and is left as it was.
    SqliteProjectDatabase(const std::filesystem::path& path, sqlite::Connection::Mode mode);

    std::unique_ptr<Recordset> OpenRecordset(std::string_view tableOrSql) override;
    void Execute(std::string_view sql) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void Rollback() override;

    const sqlite::Connection& connection() const { return db_; }
    bool inTransaction() const { return !sqlite3_get_autocommit(db_.handle()); }
    // Changes whenever rows may have changed behind the table services' back (a rollback or a
    // statement run through Execute), so that what they remember is dropped.
    std::uint64_t generation() const { return generation_; }

    // The column names of a table as the schema spells them; an unknown table raises.
    const std::vector<std::string>& columnsOf(const std::string& table);
    // The automatic id column of a table, "" when it has none.
    std::string idColumnOf(const std::string& table);
    // Reserves the next automatic id of a table, so that it is known before the row is saved.
    std::int64_t reserveId(const std::string& table);

private:
    sqlite::Connection db_;
    std::uint64_t generation_ = 0;
    std::map<std::string, std::vector<std::string>, std::less<>> columns_;
    std::map<std::string, std::string, std::less<>> idColumns_;
};

} // namespace vorq::schematool
