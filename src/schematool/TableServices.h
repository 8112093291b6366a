#pragma once

#include "host/HostObject.h"
#include "host/Value.h"
#include "schematool/KnownTables.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vorq::projectdb {
class SqlProjectDatabase;
}

namespace vorq::schematool {

// What a column made by an import holds, for the lineage that a load follows: an item's value,
// a child table's occurrence number (idx) or a made-up primary key; None for other columns.
enum class ColumnRole { None, Item, Index, Key };

// A column as the table services make it.
struct ColumnSpec {
    std::string name;
    std::int32_t type = 0;
    std::int32_t precision = 0;
    std::int32_t scale = 0;
    bool nullable = true;
    std::string description;
    std::string origin;
    std::string sourceReference;
    Timestamp created;
    ColumnRole role = ColumnRole::None;
};

// The schema tool's table services over the project database: tables, columns with names
// unique per table (compared without case), primary indexes and foreign keys. Tables and
// columns whose source reference names a repository item ("xr:...") carry their lineage.
class TableServices {
public:
    // identifierLimit is asked at each use: the user may change it between two imports.
    TableServices(projectdb::SqlProjectDatabase& db, std::function<int()> identifierLimit);

    int identifierLimit() const { return limit_(); }
    // A name not used by any table of the project, within the identifier limit.
    std::string freeTableName(const std::string& candidate);
    // True when the project has a table of that name, in any case.
    bool isTableName(const std::string& name) { return known_.nameTaken(name); }
    // The id of a new table, or 0 when the name is empty or taken. layout: the digest of the
    // record's layout that the table is made from ("" when the host knows none).
    std::int32_t addTable(const std::string& name, const std::string& sourceKey, Timestamp created,
                          const std::string& origin, const std::string& sourceReference,
                          const std::string& layout);
    // The table's primary index, made on the first call; 0 when the table does not exist.
    std::int32_t primaryIndex(std::int32_t tabId);
    // The id of a new foreign key from child to parent, or 0 when either table is missing.
    std::int32_t addForeignKey(std::int32_t childTabId, std::int32_t parentTabId,
                               const std::string& name);
    // Adds a column after the table's last one; a clashing name gets _2, _3, ...
    std::int32_t addColumn(std::int32_t tabId, const ColumnSpec& column);
    // A copy of a column in another table, under a free name; asKey makes it NOT NULL.
    std::int32_t copyColumn(std::int32_t columnId, std::int32_t targetTabId, bool asKey);
    void setNullable(std::int32_t columnId, bool nullable);
    bool tableExists(std::int32_t tabId);

private:
    // What the services know of a table being filled: the names of its columns (in lower
    // case) and the next position. Read once, kept while the database's generation holds, so
    // that adding a column is one statement.
    struct FillState {
        std::unordered_set<std::string> names;
        std::int64_t nextPosition = 1;
        // Item columns made so far per source reference: the next one's occurrence.
        std::unordered_map<std::string, std::int64_t> itemColumns;
    };
    // The tables being filled, emptied when Columns changed behind the services' back.
    std::unordered_map<std::int32_t, FillState>& filling();
    FillState& fillState(std::int32_t tabId);
    // The columns these services made lately, as saved, while no statement may have altered
    // them: a copy of one (a key handed down to child tables) then needs no query. Each has
    // the slot of its id in a ring, so that keeping one reuses the strings of the one before.
    struct MadeColumn {
        std::int32_t id = 0;        // 0: none
        std::uint64_t rewrites = 0; // of Columns when it was made
        ColumnSpec column;
    };
    MadeColumn& madeSlot(std::int32_t columnId);
    ColumnSpec* madeColumn(std::int32_t columnId);
    void rememberColumn(std::int32_t columnId, const ColumnSpec& column, const std::string& name);
    // The source references of the tables these services made, and how many child tables of
    // one parent came from the same item, while the project's foreign keys stay as they know.
    std::unordered_map<std::int32_t, std::string>& tablesMade();
    // The text of a row's time stamp, kept for the second it names: an import stamps its
    // thousands of rows within a few.
    const std::string& stampText(Timestamp time);

    projectdb::SqlProjectDatabase& db_;
    std::function<int()> limit_;
    KnownTables known_;
    std::unordered_map<std::int32_t, FillState> filling_;
    std::uint64_t fillingGeneration_ = 0;
    std::unordered_map<std::int32_t, std::string> tablesMade_;
    std::map<std::pair<std::int32_t, std::string>, std::int64_t> childTablesMade_;
    std::uint64_t tablesMadeGeneration_ = 0;
    std::vector<MadeColumn> columnsMade_;
    std::chrono::sys_seconds stampedSecond_{};
    std::string stampText_;
};

} // namespace vorq::schematool
