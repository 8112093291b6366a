#include "projectdb/NewTables.h"

#include "host/ProjectQueries.h"
#include "host/Text.h"
#include "projectdb/SqlText.h"

namespace vorq::projectdb {
namespace {

// The value of a column (named in upper case) of the row, or nothing when the row does not
// set it. Asked of every row the run holds back: names are compared without making strings.
const Value* valueOf(std::string_view column, const std::vector<std::string>& columns,
                     const Value* id, std::string_view idColumn, const std::vector<Value>& values) {
    if (id && equalsKeyword(idColumn, column))
        return id;
    for (std::size_t i = 0; i < columns.size() && i < values.size(); ++i)
        if (equalsKeyword(columns[i], column))
            return &values[i];
    return nullptr;
}

bool isWhole(const Value* value) {
    return value && value->isInteger();
}

} // namespace

void NewTables::rowAdded(std::string_view table, std::string_view idColumn,
                         const std::vector<std::string>& columns, const Value* id,
                         const std::vector<Value>& values) {
    if (equalsKeyword(table, "TABLES")) {
        const Value* tabId = valueOf("TABID", columns, id, idColumn, values);
        const Value* index = valueOf("PRIMARYINDEXID", columns, id, idColumn, values);
        // A row that leaves its index to the column's default is not followed.
        if (isWhole(tabId) && index)
            hasPrimaryIndex_[tabId->toInt64()] = !index->isNull();
    } else if (equalsKeyword(table, "FOREIGNKEYS")) {
        const Value* referenced = valueOf("REFTABID", columns, id, idColumn, values);
        if (!isWhole(referenced)) {
            if (!referenced || !referenced->isNull())
                forget();
            return;
        }
        const Value* keyId = valueOf("KEYID", columns, id, idColumn, values);
        const Value* name = valueOf("KEYNAME", columns, id, idColumn, values);
        const Value* tabId = valueOf("TABID", columns, id, idColumn, values);
        // Only a row given whole, with values of its columns' types, is an answer.
        const bool whole = columns.size() + (id ? 1 : 0) == 4;
        if (whole && isWhole(keyId) && name && name->isText() && isWhole(tabId))
            keysTo_[referenced->toInt64()].push_back(
                {keyId->toInt64(), name->toString(), tabId->toInt64()});
        else
            keysPartlyKnown_.insert(referenced->toInt64());
    }
}

void NewTables::statementRun(std::string_view sql, const std::vector<Value>& values) {
    if (!namesTable(sql, "tables") && !namesTable(sql, "foreignkeys"))
        return;
    // Reading is no change.
    if (isSelect(sql))
        return;
    if (const auto update = keyedUpdate(sql)) {
        const auto key = static_cast<std::size_t>(update->keyParameter - 1);
        const auto value = static_cast<std::size_t>(update->valueParameter - 1);
        // A table's other columns (its lineage, its name) change nothing followed here; any
        // column of a key does, since the keys are answers.
        if (update->table == "tables" && update->key == "tabid" && update->column != "tabid") {
            if (update->column != "primaryindexid")
                return;
            if (key < values.size() && value < values.size() && isWhole(&values[key])) {
                if (const auto known = hasPrimaryIndex_.find(values[key].toInt64());
                    known != hasPrimaryIndex_.end())
                    known->second = !values[value].isNull();
                return;
            }
        }
    }
    forget();
}

void NewTables::forget() {
    hasPrimaryIndex_.clear();
    keysTo_.clear();
    keysPartlyKnown_.clear();
}

std::optional<NewTables::Answer> NewTables::answer(std::string_view sql,
                                                   const std::vector<Value>& parameters) const {
    if (parameters.size() != 1 || !parameters.front().isInteger())
        return std::nullopt;
    const std::int64_t tabId = parameters.front().toInt64();
    const auto table = hasPrimaryIndex_.find(tabId);
    if (table == hasPrimaryIndex_.end())
        return std::nullopt;
    if (sql == projectQueries::kKeyColumns && !table->second)
        return Answer{"Columns", {"iposition"}, {}, {}};
    if (sql != projectQueries::kReferencingKeys || keysPartlyKnown_.contains(tabId))
        return std::nullopt;
    Answer keys{"ForeignKeys", {}, {"keyid", "keyname", "tabid", "reftabid"}, {}};
    if (const auto known = keysTo_.find(tabId); known != keysTo_.end())
        for (const Key& key : known->second)
            keys.rows.push_back({key.keyId, key.name, key.tabId, tabId});
    return keys;
}

} // namespace vorq::projectdb
