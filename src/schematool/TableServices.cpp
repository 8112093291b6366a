#include "schematool/TableServices.h"

#include "host/Error.h"
#include "host/SourceReference.h"
#include "host/Text.h"
#include "projectdb/SqlProjectDatabase.h"
#include "schematool/SqlIdentifiers.h"

#include <algorithm>
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

const char* roleName(ColumnRole role) {
    switch (role) {
    case ColumnRole::Item:
        return "item";
    case ColumnRole::Index:
        return "index";
    case ColumnRole::Key:
        return "key";
    case ColumnRole::None:
        break;
    }
    return nullptr;
}

} // namespace

TableServices::TableServices(projectdb::SqlProjectDatabase& db,
                             std::function<int()> identifierLimit)
    : db_(db), limit_(std::move(identifierLimit)), known_(db) {}

std::string TableServices::freeTableName(const std::string& candidate) {
    return uniqueIdentifier(fitIdentifier(candidate, limit_()), limit_(),
                            [this](const std::string& name) { return known_.nameTaken(name); });
}

bool TableServices::tableExists(std::int32_t tabId) {
    return known_.table(tabId) != nullptr;
}

std::int32_t TableServices::addTable(const std::string& name, const std::string& sourceKey,
                                     Timestamp created, const std::string& origin,
                                     const std::string& sourceReference,
                                     const std::string& layout) {
    if (name.empty() || freeTableName(name) != name)
        return 0;
    // PrimaryIndexID is written, empty, so that an engine that holds the row back may fill it
    // in there when the primary index comes before the row is sent.
    static const projectdb::RowShape kTableRow(
        "Tables", "TabID",
        {"TableName", "PrimaryIndexID", "SourceKey", "Origin", "SourceReference", "CreatedAt",
         "LineageRole", "LineageOccurrence", "LineageLayout"});
    const bool fromItem = namesRepositoryItem(sourceReference);
    const std::int32_t id = toId(db_.insertRowWithId(
        kTableRow, {name, Value(), sourceKey, origin, sourceReference, stampText(created),
                    fromItem ? Value("table") : Value(), fromItem ? Value(1) : Value(),
                    fromItem && !layout.empty() ? Value(layout) : Value()}));
    known_.tableAdded(id, name);
    if (fromItem)
        tablesMade()[id] = sourceReference;
    // A new table has no columns: nothing to read before the first is added.
    filling().try_emplace(id);
    return id;
}

std::int32_t TableServices::primaryIndex(std::int32_t tabId) {
    KnownTables::Table* table = known_.table(tabId);
    if (!table)
        return 0;
    if (table->primaryIndex != 0)
        return table->primaryIndex;
    // "PK_" says what it is; the table's name is shortened to make room for it.
    static const projectdb::RowShape kIndexRow("Indexes", "IndexID",
                                               {"TabID", "IndexName", "IsPrimary"});
    const std::int32_t indexId = toId(db_.insertRowWithId(
        kIndexRow, {tabId, "PK_" + fitIdentifier(table->name, limit_() - 3), 1}));
    db_.runWithoutAnswer("UPDATE Tables SET PrimaryIndexID = ?2 WHERE TabID = ?1",
                         {tabId, indexId});
    table->primaryIndex = indexId;
    return indexId;
}

std::int32_t TableServices::addForeignKey(std::int32_t childTabId, std::int32_t parentTabId,
                                          const std::string& name) {
    if (!tableExists(childTabId) || !tableExists(parentTabId))
        return 0;
    // Constraint names must be unique too: shortened names of two child tables may meet.
    const std::string unique =
        uniqueIdentifier(fitIdentifier(name, limit_()), limit_(),
                         [this](const std::string& n) { return known_.keyNameTaken(n); });
    static const projectdb::RowShape kKeyRow("ForeignKeys", "KeyID",
                                             {"KeyName", "TabID", "RefTabID"});
    const std::int32_t id = toId(db_.insertRowWithId(kKeyRow, {unique, childTabId, parentTabId}));
    known_.keyAdded(unique);
    // The child tables of one parent made from the same item hold its occurrences in turn.
    if (const auto made = tablesMade().find(childTabId); made != tablesMade().end()) {
        const std::int64_t occurrence = ++childTablesMade_[{parentTabId, made->second}];
        if (occurrence > 1)
            db_.runWithoutAnswer("UPDATE Tables SET LineageOccurrence = ?2 WHERE TabID = ?1",
                                 {childTabId, occurrence});
    }
    return id;
}

std::unordered_map<std::int32_t, std::string>& TableServices::tablesMade() {
    if (tablesMadeGeneration_ != db_.generation("ForeignKeys")) {
        tablesMade_.clear();
        childTablesMade_.clear();
        tablesMadeGeneration_ = db_.generation("ForeignKeys");
    }
    return tablesMade_;
}

std::unordered_map<std::int32_t, TableServices::FillState>& TableServices::filling() {
    if (fillingGeneration_ != db_.generation("Columns")) {
        filling_.clear();
        fillingGeneration_ = db_.generation("Columns");
    }
    return filling_;
}

TableServices::FillState& TableServices::fillState(std::int32_t tabId) {
    auto [it, added] = filling().try_emplace(tabId);
    if (added) {
        auto columns = db_.reuse("SELECT ColumnName, Position, SourceReference, LineageRole FROM "
                                 "Columns WHERE TabID = ?1");
        columns->bind(1, tabId);
        while (columns->step()) {
            it->second.names.insert(lowerCase(columns->text(0)));
            it->second.nextPosition = std::max(it->second.nextPosition, columns->integer(1) + 1);
            if (columns->text(3) == "item")
                ++it->second.itemColumns[columns->text(2)];
        }
    }
    return it->second;
}

std::int32_t TableServices::addColumn(std::int32_t tabId, const ColumnSpec& column) {
    if (column.name.empty())
        throw Error("A column needs a name (table " + std::to_string(tabId) + ")");
    FillState& state = fillState(tabId);
    std::string name = fitIdentifier(column.name, limit_());
    // The name is claimed in one look-up, and given back if the row is not saved.
    auto [claimed, free] = state.names.insert(lowerCase(name));
    if (!free) {
        name = uniqueIdentifier(column.name, limit_(), [&](const std::string& n) {
            return state.names.contains(lowerCase(n));
        });
        claimed = state.names.insert(lowerCase(name)).first;
    }
    Value role;
    Value occurrence;
    if (const char* named = roleName(column.role);
        named && namesRepositoryItem(column.sourceReference)) {
        role = named;
        occurrence = column.role == ColumnRole::Item ? ++state.itemColumns[column.sourceReference]
                                                     : std::int64_t{1};
    }
    static const projectdb::RowShape kColumnRow("Columns", "ColumnID",
                                                {"TabID", "ColumnName", "Position", "TypeID",
                                                 "Precision", "Scale", "Nullable", "Description",
                                                 "Origin", "SourceReference", "CreatedAt",
                                                 "LineageRole", "LineageOccurrence"});
    std::int32_t id = 0;
    try {
        id = toId(db_.insertRowWithId(
            kColumnRow, {tabId, name, state.nextPosition, column.type, column.precision,
                         column.scale, column.nullable ? 1 : 0, column.description, column.origin,
                         column.sourceReference, stampText(column.created), role, occurrence}));
    } catch (...) {
        state.names.erase(claimed);
        throw;
    }
    rememberColumn(id, column, name);
    ++state.nextPosition;
    return id;
}

const std::string& TableServices::stampText(Timestamp time) {
    const auto second = std::chrono::floor<std::chrono::seconds>(time);
    if (stampText_.empty() || second != stampedSecond_) {
        stampedSecond_ = second;
        stampText_ = isoTime(time);
    }
    return stampText_;
}

std::int32_t TableServices::copyColumn(std::int32_t columnId, std::int32_t targetTabId,
                                       bool asKey) {
    ColumnSpec copy;
    if (const ColumnSpec* made = madeColumn(columnId)) {
        copy = *made;
    } else {
        auto source = db_.reuse("SELECT ColumnName, TypeID, Precision, Scale, Nullable, "
                                "Description, Origin, SourceReference FROM Columns WHERE "
                                "ColumnID = ?1");
        source->bind(1, columnId);
        if (!source->step())
            throw Error("There is no column " + std::to_string(columnId) + " to copy");
        copy = {source->text(0),
                static_cast<std::int32_t>(source->integer(1)),
                static_cast<std::int32_t>(source->integer(2)),
                static_cast<std::int32_t>(source->integer(3)),
                source->integer(4) != 0,
                source->text(5),
                source->text(6),
                source->text(7),
                {}};
    }
    copy.nullable = !asKey && copy.nullable;
    copy.created = std::chrono::system_clock::now();
    copy.role = ColumnRole::None;
    return addColumn(targetTabId, copy);
}

void TableServices::setNullable(std::int32_t columnId, bool nullable) {
    db_.runWithoutAnswer("UPDATE Columns SET Nullable = ?2 WHERE ColumnID = ?1",
                         {columnId, nullable ? 1 : 0});
    if (ColumnSpec* made = madeColumn(columnId))
        made->nullable = nullable;
}

TableServices::MadeColumn& TableServices::madeSlot(std::int32_t columnId) {
    // The keys that are copied were made shortly before; older columns are read when copied.
    constexpr std::size_t kRemembered = 4096;
    if (columnsMade_.empty())
        columnsMade_.resize(kRemembered);
    return columnsMade_[static_cast<std::uint32_t>(columnId) % kRemembered];
}

ColumnSpec* TableServices::madeColumn(std::int32_t columnId) {
    MadeColumn& slot = madeSlot(columnId);
    return slot.id == columnId && columnId != 0 && slot.rewrites == db_.rewrites("Columns")
               ? &slot.column
               : nullptr;
}

void TableServices::rememberColumn(std::int32_t columnId, const ColumnSpec& column,
                                   const std::string& name) {
    MadeColumn& slot = madeSlot(columnId);
    slot.id = columnId;
    slot.rewrites = db_.rewrites("Columns");
    slot.column = column;
    slot.column.name = name;
}

} // namespace vorq::schematool
