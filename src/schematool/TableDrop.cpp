#include "schematool/TableDrop.h"

#include "host/Error.h"
#include "projectdb/SqlProjectDatabase.h"
#include "projectdb/SqlStatement.h"

#include <algorithm>
#include <map>
#include <set>

namespace vorq::schematool {
namespace {

std::map<std::int32_t, std::string> sourceKeys(projectdb::SqlProjectDatabase& db) {
    std::map<std::int32_t, std::string> keys;
    auto query = db.prepare("SELECT TabID, SourceKey FROM Tables");
    while (query->step())
        keys[static_cast<std::int32_t>(query->column(0).toInt64())] = query->column(1).toString();
    return keys;
}

// Removes one table and everything that names it, the rows that refer to a row first.
void removeTable(projectdb::SqlProjectDatabase& db, std::int32_t id) {
    const std::vector<Value> table{Value(id)};
    db.runWithoutAnswer("DELETE FROM ForeignKeyColumns WHERE KeyID IN "
                        "(SELECT KeyID FROM ForeignKeys WHERE TabID = ?1 OR RefTabID = ?1)",
                        table);
    db.runWithoutAnswer("DELETE FROM ForeignKeys WHERE TabID = ?1 OR RefTabID = ?1", table);
    db.runWithoutAnswer("DELETE FROM IndexColumns WHERE IndexID IN "
                        "(SELECT IndexID FROM Indexes WHERE TabID = ?1)",
                        table);
    db.runWithoutAnswer("UPDATE Tables SET PrimaryIndexID = NULL WHERE TabID = ?1", table);
    db.runWithoutAnswer("DELETE FROM Indexes WHERE TabID = ?1", table);
    db.runWithoutAnswer("DELETE FROM Columns WHERE TabID = ?1", table);
    db.runWithoutAnswer("DELETE FROM Tables WHERE TabID = ?1", table);
}

} // namespace

std::vector<std::int32_t> tablesNamed(const projectdb::ProjectCatalog& catalog,
                                      const std::vector<std::string>& names) {
    std::vector<std::int32_t> ids;
    ids.reserve(names.size());
    for (const auto& name : names)
        ids.push_back(catalog.tableNamed(name).id);
    return ids;
}

std::vector<std::int32_t> tablesOfSource(projectdb::SqlProjectDatabase& db,
                                         const std::string& sourceKey) {
    std::vector<std::int32_t> ids;
    for (const auto& [id, key] : sourceKeys(db))
        if (!sourceKey.empty() && key == sourceKey)
            ids.push_back(id);
    return ids;
}

DropPlan planDrop(projectdb::SqlProjectDatabase& db, const projectdb::ProjectCatalog& catalog,
                  const std::vector<std::int32_t>& tabIds) {
    const auto keys = sourceKeys(db);
    std::set<std::int32_t> dropped;
    std::vector<std::int32_t> pending(tabIds.rbegin(), tabIds.rend()); // taken from the back
    DropPlan plan;
    while (!pending.empty()) {
        const std::int32_t id = pending.back();
        pending.pop_back();
        const projectdb::CatalogTable* table = catalog.table(id);
        if (!table || !dropped.insert(id).second)
            continue;
        plan.tables.push_back(id);
        plan.tableNames.push_back(table->name);
        const auto key = keys.find(id);
        for (const auto& child : catalog.tables)
            for (const auto& k : child.foreignKeys)
                if (k.refTabId == id && key != keys.end() && !key->second.empty() &&
                    keys.count(child.id) && keys.at(child.id) == key->second)
                    pending.push_back(child.id);
    }
    for (const auto& other : catalog.tables)
        if (!dropped.count(other.id))
            for (const auto& k : other.foreignKeys)
                if (dropped.count(k.refTabId))
                    plan.references.push_back({k.id, other.name, k.name});
    return plan;
}

void dropTables(projectdb::SqlProjectDatabase& db, const DropPlan& plan, bool dropReferences) {
    if (!plan.references.empty() && !dropReferences) {
        std::string named;
        for (const auto& r : plan.references)
            named += (named.empty() ? "" : ", ") + r.table + " (key " + r.key + ")";
        throw TablesReferredTo("Other tables refer to " + plan.tableNames.front() + ": " + named +
                               "; drop those tables first, or say that their keys go too");
    }
    for (const auto id : plan.tables)
        removeTable(db, id);
    db.rowsChanged();
}

} // namespace vorq::schematool
