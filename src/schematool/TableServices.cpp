#include "schematool/TableServices.h"

#include "host/Error.h"
#include "schematool/SqlIdentifiers.h"
#include "schematool/SqliteProjectDatabase.h"

#include <ctime>

namespace vorq::schematool {
namespace {

std::string isoTime(Timestamp time) {
    const std::time_t t = std::chrono::system_clock::to_time_t(time);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buffer;
}

std::int32_t toId(std::int64_t rowid) {
    return static_cast<std::int32_t>(rowid);
}

} // namespace

TableServices::TableServices(SqliteProjectDatabase& db, std::function<int()> identifierLimit)
    : db_(db), limit_(std::move(identifierLimit)),
      tableByName_(
          db.connection().prepare("SELECT 1 FROM Tables WHERE TableName = ?1 COLLATE NOCASE")),
      columnByName_(db.connection().prepare(
          "SELECT 1 FROM Columns WHERE TabID = ?1 AND ColumnName = ?2 COLLATE NOCASE")),
      nextPosition_(db.connection().prepare(
          "SELECT coalesce(max(Position), 0) + 1 FROM Columns WHERE TabID = ?1")),
      insertColumn_(db.connection().prepare(
          "INSERT INTO Columns (TabID, ColumnName, Position, TypeID, Precision, Scale, Nullable, "
          "Description, Origin, SourceReference, CreatedAt) "
          "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)")) {}

std::string TableServices::freeTableName(const std::string& candidate) {
    return uniqueIdentifier(fitIdentifier(candidate, limit_()), limit_(),
                            [this](const std::string& name) {
                                tableByName_.bind(1, std::string_view(name));
                                const bool taken = tableByName_.step();
                                tableByName_.reset();
                                return taken;
                            });
}

bool TableServices::tableExists(std::int32_t tabId) {
    auto query = db_.connection().reuse("SELECT 1 FROM Tables WHERE TabID = ?1");
    query->bind(1, static_cast<std::int64_t>(tabId));
    return query->step();
}

std::int32_t TableServices::addTable(const std::string& name, const std::string& sourceKey,
                                     Timestamp created, const std::string& origin,
                                     const std::string& sourceReference) {
    if (name.empty() || freeTableName(name) != name)
        return 0;
    auto insert = db_.connection().reuse(
        "INSERT INTO Tables (TableName, SourceKey, Origin, SourceReference, CreatedAt) "
        "VALUES (?1, ?2, ?3, ?4, ?5)");
    insert->bind(1, std::string_view(name))
        .bind(2, std::string_view(sourceKey))
        .bind(3, std::string_view(origin))
        .bind(4, std::string_view(sourceReference))
        .bind(5, std::string_view(isoTime(created)));
    insert->run();
    return toId(db_.connection().lastInsertRowid());
}

std::int32_t TableServices::primaryIndex(std::int32_t tabId) {
    auto current = db_.connection().reuse(
        "SELECT coalesce(PrimaryIndexID, 0), TableName FROM Tables WHERE TabID = ?1");
    current->bind(1, static_cast<std::int64_t>(tabId));
    if (!current->step())
        return 0;
    if (const auto existing = current->integer(0); existing != 0)
        return toId(existing);
    auto insert = db_.connection().reuse(
        "INSERT INTO Indexes (TabID, IndexName, IsPrimary) VALUES (?1, ?2, 1)");
    // "PK_" says what it is; the table's name is shortened to make room for it.
    insert->bind(1, static_cast<std::int64_t>(tabId))
        .bind(2, "PK_" + fitIdentifier(current->text(1), limit_() - 3));
    insert->run();
    const std::int32_t indexId = toId(db_.connection().lastInsertRowid());
    auto link = db_.connection().reuse("UPDATE Tables SET PrimaryIndexID = ?2 WHERE TabID = ?1");
    link->bind(1, static_cast<std::int64_t>(tabId)).bind(2, static_cast<std::int64_t>(indexId));
    link->run();
    return indexId;
}

std::int32_t TableServices::addForeignKey(std::int32_t childTabId, std::int32_t parentTabId,
                                          const std::string& name) {
    if (!tableExists(childTabId) || !tableExists(parentTabId))
        return 0;
    // Constraint names must be unique too: shortened names of two child tables may meet.
    const std::string unique =
        uniqueIdentifier(fitIdentifier(name, limit_()), limit_(), [this](const std::string& n) {
            auto taken = db_.connection().reuse(
                "SELECT 1 FROM ForeignKeys WHERE KeyName = ?1 COLLATE NOCASE");
            taken->bind(1, std::string_view(n));
            return taken->step();
        });
    auto insert = db_.connection().reuse(
        "INSERT INTO ForeignKeys (KeyName, TabID, RefTabID) VALUES (?1, ?2, ?3)");
    insert->bind(1, std::string_view(unique))
        .bind(2, static_cast<std::int64_t>(childTabId))
        .bind(3, static_cast<std::int64_t>(parentTabId));
    insert->run();
    return toId(db_.connection().lastInsertRowid());
}

bool TableServices::columnNameTaken(std::int32_t tabId, const std::string& name) {
    columnByName_.bind(1, static_cast<std::int64_t>(tabId)).bind(2, std::string_view(name));
    const bool taken = columnByName_.step();
    columnByName_.reset();
    return taken;
}

std::int64_t TableServices::nextPosition(std::int32_t tabId) {
    if (positionsGeneration_ != db_.generation()) {
        positions_.clear();
        positionsGeneration_ = db_.generation();
    }
    auto [it, added] = positions_.try_emplace(tabId, 0);
    if (added) {
        nextPosition_.bind(1, static_cast<std::int64_t>(tabId));
        nextPosition_.step();
        it->second = nextPosition_.integer(0);
        nextPosition_.reset();
    }
    return it->second++;
}

std::int32_t TableServices::addColumn(std::int32_t tabId, const ColumnSpec& column) {
    if (column.name.empty())
        throw Error("A column needs a name (table " + std::to_string(tabId) + ")");
    // Most names are free: the unique index says when one is not, and only then is a numbered
    // name looked for.
    std::string name = fitIdentifier(column.name, limit_());
    const std::int64_t position = nextPosition(tabId);
    for (;;) {
        try {
            insertColumn(tabId, name, position, column);
            return toId(db_.connection().lastInsertRowid());
        } catch (const Error& e) {
            if (e.number() != SQLITE_CONSTRAINT_UNIQUE)
                throw;
        }
        name = uniqueIdentifier(column.name, limit_(),
                                [&](const std::string& n) { return columnNameTaken(tabId, n); });
    }
}

void TableServices::insertColumn(std::int32_t tabId, const std::string& name, std::int64_t position,
                                 const ColumnSpec& column) {
    insertColumn_.bind(1, static_cast<std::int64_t>(tabId))
        .bind(2, std::string_view(name))
        .bind(3, position)
        .bind(4, static_cast<std::int64_t>(column.type))
        .bind(5, static_cast<std::int64_t>(column.precision))
        .bind(6, static_cast<std::int64_t>(column.scale))
        .bind(7, static_cast<std::int64_t>(column.nullable ? 1 : 0))
        .bind(8, std::string_view(column.description))
        .bind(9, std::string_view(column.origin))
        .bind(10, std::string_view(column.sourceReference))
        .bind(11, std::string_view(isoTime(column.created)));
    insertColumn_.run();
}

std::int32_t TableServices::copyColumn(std::int32_t columnId, std::int32_t targetTabId,
                                       bool asKey) {
    auto source = db_.connection().reuse(
        "SELECT ColumnName, TypeID, Precision, Scale, Nullable, Description, Origin, "
        "SourceReference FROM Columns WHERE ColumnID = ?1");
    source->bind(1, static_cast<std::int64_t>(columnId));
    if (!source->step())
        throw Error("There is no column " + std::to_string(columnId) + " to copy");
    ColumnSpec copy{source->text(0),
                    static_cast<std::int32_t>(source->integer(1)),
                    static_cast<std::int32_t>(source->integer(2)),
                    static_cast<std::int32_t>(source->integer(3)),
                    !asKey && source->integer(4) != 0,
                    source->text(5),
                    source->text(6),
                    source->text(7),
                    std::chrono::system_clock::now()};
    return addColumn(targetTabId, copy);
}

void TableServices::setNullable(std::int32_t columnId, bool nullable) {
    auto update = db_.connection().reuse("UPDATE Columns SET Nullable = ?2 WHERE ColumnID = ?1");
    update->bind(1, static_cast<std::int64_t>(columnId))
        .bind(2, static_cast<std::int64_t>(nullable));
    update->run();
}

} // namespace vorq::schematool
