#include "projectdb/ProjectCatalog.h"

#include "host/Error.h"
#include "host/NearestNames.h"
#include "host/Text.h"
#include "projectdb/SqlProjectDatabase.h"

#include <algorithm>
#include <map>

namespace vorq::projectdb {
namespace {
std::int32_t id(const SqlStatement& s, int column) {
    return static_cast<std::int32_t>(s.integer(column));
}
} // namespace

const CatalogTable* ProjectCatalog::table(std::int32_t tabId) const {
    const auto it = std::find_if(tables.begin(), tables.end(),
                                 [&](const CatalogTable& t) { return t.id == tabId; });
    return it == tables.end() ? nullptr : &*it;
}

const CatalogTable& ProjectCatalog::tableNamed(const std::string& name) const {
    std::vector<std::string> names;
    for (const auto& t : tables) {
        if (sameName(t.name, name))
            return t;
        names.push_back(t.name);
    }
    const auto nearest = nearestNames(name, names);
    if (!nearest.empty())
        throw NameError("The project has no table named " + name + didYouMean(nearest));
    std::string listed;
    for (std::size_t i = 0; i < names.size() && i < 10; ++i)
        listed += (i ? ", " : "") + names[i];
    throw NameError("The project has no table named " + name +
                    (names.empty() ? "; it has no tables yet: import a source first"
                     : names.size() <= 10
                         ? "; its tables: " + listed
                         : "; it has " + std::to_string(names.size()) + " tables"));
}

const CatalogColumn* ProjectCatalog::column(std::int32_t columnId) const {
    for (const auto& t : tables)
        for (const auto& c : t.columns)
            if (c.id == columnId)
                return &c;
    return nullptr;
}

bool ProjectCatalog::isKeyColumn(const CatalogTable& t, std::int32_t columnId) const {
    return std::find(t.primaryKey.begin(), t.primaryKey.end(), columnId) != t.primaryKey.end();
}

bool ProjectCatalog::isForeignKeyColumn(const CatalogTable& t, std::int32_t columnId) {
    for (const auto& key : t.foreignKeys)
        for (const auto& pair : key.columnPairs)
            if (pair.first == columnId)
                return true;
    return false;
}

bool ProjectCatalog::isChildTable(const CatalogTable& t) const {
    return std::any_of(t.foreignKeys.begin(), t.foreignKeys.end(), [&](const CatalogForeignKey& k) {
        return k.refTabId != t.id && table(k.refTabId);
    });
}

ProjectCatalog readCatalog(SqlProjectDatabase& db) {
    ProjectCatalog catalog;
    std::map<std::int32_t, std::size_t> at;
    auto tables = db.prepare("SELECT TabID, TableName FROM Tables ORDER BY TabID");
    while (tables->step()) {
        at[id(*tables, 0)] = catalog.tables.size();
        catalog.tables.push_back({id(*tables, 0), tables->text(1), {}, {}, {}});
    }
    auto columns = db.prepare("SELECT ColumnID, TabID, ColumnName, TypeID, Precision, Scale, "
                              "Nullable FROM Columns ORDER BY TabID, Position, ColumnID");
    while (columns->step())
        if (const auto t = at.find(id(*columns, 1)); t != at.end())
            catalog.tables[t->second].columns.push_back(
                {id(*columns, 0), columns->text(2), id(*columns, 3), id(*columns, 4),
                 id(*columns, 5), columns->integer(6) != 0});
    auto keys = db.prepare("SELECT T.TabID, IC.ColumnID FROM Tables T JOIN IndexColumns IC ON "
                           "IC.IndexID = T.PrimaryIndexID ORDER BY T.TabID, IC.Position, IC.rowid");
    while (keys->step())
        if (const auto t = at.find(id(*keys, 0)); t != at.end())
            catalog.tables[t->second].primaryKey.push_back(id(*keys, 1));
    auto foreign = db.prepare("SELECT KeyID, KeyName, TabID, RefTabID FROM ForeignKeys "
                              "ORDER BY TabID, KeyID");
    std::map<std::int32_t, std::pair<std::size_t, std::size_t>> keyAt;
    while (foreign->step())
        if (const auto t = at.find(id(*foreign, 2)); t != at.end()) {
            auto& list = catalog.tables[t->second].foreignKeys;
            keyAt[id(*foreign, 0)] = {t->second, list.size()};
            list.push_back({id(*foreign, 0), foreign->text(1), id(*foreign, 3), {}});
        }
    auto pairs = db.prepare("SELECT KeyID, ColumnID, RefColumnID FROM ForeignKeyColumns "
                            "ORDER BY KeyID, rowid");
    while (pairs->step())
        if (const auto k = keyAt.find(id(*pairs, 0)); k != keyAt.end())
            catalog.tables[k->second.first].foreignKeys[k->second.second].columnPairs.emplace_back(
                id(*pairs, 1), id(*pairs, 2));
    return catalog;
}

} // namespace vorq::projectdb
