#include "load/TableQueries.h"

namespace vorq::load {
namespace {

std::string quoted(const std::string& identifier) {
    return "\"" + identifier + "\"";
}

} // namespace

std::string selectInKeyOrder(const projectdb::ProjectCatalog& catalog,
                             const projectdb::CatalogTable& table, const std::string& where) {
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        sql += (i ? ", " : "") + quoted(table.columns[i].name);
    sql += " FROM " + quoted(table.name) + where;
    std::string order;
    for (const auto id : table.primaryKey)
        order += (order.empty() ? " ORDER BY " : ", ") + quoted(catalog.column(id)->name);
    return sql + (order.empty() ? " ORDER BY rowid" : order);
}

std::string countOf(const projectdb::CatalogTable& table, const std::string& where) {
    return "SELECT count(*) FROM " + quoted(table.name) + where;
}

ParentCondition conditionOnParent(const projectdb::ProjectCatalog& catalog,
                                  const projectdb::CatalogForeignKey& key,
                                  const projectdb::CatalogTable& parent) {
    ParentCondition condition;
    for (const auto& [column, referenced] : key.columnPairs) {
        const int number = static_cast<int>(condition.keys.size()) + 1;
        condition.where += (condition.where.empty() ? " WHERE " : " AND ") +
                           quoted(catalog.column(column)->name) + " = ?" + std::to_string(number);
        for (std::size_t i = 0; i < parent.columns.size(); ++i)
            if (parent.columns[i].id == referenced)
                condition.keys.emplace_back(i, number);
    }
    return condition;
}

std::vector<std::pair<const projectdb::CatalogTable*, const projectdb::CatalogForeignKey*>>
childTablesOf(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& parent) {
    std::vector<std::pair<const projectdb::CatalogTable*, const projectdb::CatalogForeignKey*>>
        children;
    for (const auto& table : catalog.tables)
        for (const auto& key : table.foreignKeys)
            if (key.refTabId == parent.id && table.id != parent.id && !key.columnPairs.empty())
                children.emplace_back(&table, &key);
    return children;
}

} // namespace vorq::load
