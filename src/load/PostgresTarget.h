#pragma once

#include "load/LocalKeys.h"
#include "load/RowTarget.h"
#include "postgres/Postgres.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/DdlWriter.h"

#include <future>
#include <optional>
#include <unordered_set>

namespace vorq::load {

// A PostgreSQL database that receives the rows through COPY ... FROM STDIN (text form), the
// rows of each table gathered and sent a few MB at a time, parents before children, in one
// transaction. A load alone makes the missing tables with the project's DDL and adds their
// keys after their rows (an index built once and references checked in one pass are much
// faster than row by row). Loads that share their tables (parts of a file) make them with
// their keys beforehand and add rows side by side, their made-up keys in ranges from a
// sequence. COPY takes a batch whole or not at all, so the keys that the import made are
// checked here first: a record whose key is missing, came before in the file or was in the
// table before the load is left out with the reason that SQLite gives.
class PostgresTarget : public RowTarget {
public:
    PostgresTarget(std::string conninfo, const projectdb::ProjectCatalog& catalog);

    void begin(const std::vector<const LoadPlan*>& plans, TableSharing sharing) override;
    std::int64_t rowCount(int table) override;
    std::int64_t removeRows(int table) override;
    std::int64_t reserveKeys(int table, const std::string& column, std::int64_t count) override;
    bool insert(int table, const std::vector<FieldValue>& row, std::string& refusal) override;
    void commit() override;
    void rollback() noexcept override;
    std::string name() const override;

private:
    struct Table {
        std::string name;
        std::string copy; // COPY name (columns) FROM STDIN
        std::vector<bool> notNull;
        std::vector<std::string> columnNames;
        std::string buffer;
        // Of a record type's table, when its key is its data's: those columns, and the keys
        // that the table holds (read at its first row) or that came before in the file.
        std::vector<std::size_t> keyColumns;
        std::unordered_set<std::string> keysSeen;
        bool keysRead = false;
    };
    void flush();
    // Waits until the rows sent are in, raising the server's refusal of them.
    void awaitSent();
    void readKeys(Table& table);
    void takeTurns(postgres::Connection& connection, const char* kind,
                   const std::vector<std::string>& types, const char* mode);
    void makeMissingTables(postgres::Connection& connection,
                           const std::vector<const LoadPlan*>& plans);
    void makeKeySequences(const std::vector<const LoadPlan*>& plans);

    std::string conninfo_;
    const projectdb::ProjectCatalog& catalog_;
    std::optional<postgres::Connection> connection_;
    TableSharing sharing_ = TableSharing::Alone;
    LocalKeys localKeys_;
    // Of a load that shares its tables: outside its transaction, the ranges of made-up keys.
    std::optional<postgres::Connection> keys_;
    std::vector<Table> tables_;
    // A table made by the load gets its keys after its rows.
    schematool::TableKeys keysToAdd_;
    std::size_t buffered_ = 0;
    // The rows on their way to the server; the connection is the sender's until it is done.
    std::future<void> sending_;
};

} // namespace vorq::load
