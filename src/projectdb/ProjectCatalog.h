#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorq::projectdb {

class SqlProjectDatabase;

struct CatalogColumn {
    std::int32_t id = 0;
    std::string name;
    std::int32_t type = 0;
    std::int32_t precision = 0;
    std::int32_t scale = 0;
    bool nullable = true;
};

struct CatalogForeignKey {
    std::int32_t id = 0;
    std::string name;
    std::int32_t refTabId = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> columnPairs; // (column, referenced column)
};

struct CatalogTable {
    std::int32_t id = 0;
    std::string name;
    std::vector<CatalogColumn> columns;   // in position order
    std::vector<std::int32_t> primaryKey; // column ids, in the order of their index positions
    std::vector<CatalogForeignKey> foreignKeys;
};

// The tables of a project with their columns and keys, read in one pass.
struct ProjectCatalog {
    std::vector<CatalogTable> tables; // in order of TabID

    const CatalogTable* table(std::int32_t id) const;
    // The table of that name in any case; a name that is not there raises vorq::NameError with
    // the nearest names, or the tables there are.
    const CatalogTable& tableNamed(const std::string& name) const;
    const CatalogColumn* column(std::int32_t id) const;
    bool isKeyColumn(const CatalogTable& table, std::int32_t columnId) const;
    // Whether the column is part of one of the table's foreign keys.
    static bool isForeignKeyColumn(const CatalogTable& table, std::int32_t columnId);
    // A table whose foreign key refers to another table of the project: it is shown and
    // loaded under that one.
    bool isChildTable(const CatalogTable& table) const;
};

ProjectCatalog readCatalog(SqlProjectDatabase& db);

} // namespace vorq::projectdb
