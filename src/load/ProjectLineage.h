#pragma once

#include "host/SourceReference.h"
#include "projectdb/ProjectCatalog.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace vorq::projectdb {
class SqlProjectDatabase;
}

namespace vorq::load {

// What the import recorded of a table or column: its role ("table", "item", "index", "key")
// and occurrence, with the source reference of the row.
struct Lineage {
    std::string role;
    std::int64_t occurrence = 0;
    std::string sourceReference;
    std::string layout; // of a table: the digest of its record's layout at the import, or ""
};

// The project's tables with their keys, and the lineage of each table and column that has one.
struct ProjectLineage {
    projectdb::ProjectCatalog catalog;
    std::map<std::int32_t, Lineage> tables;  // by TabID
    std::map<std::int32_t, Lineage> columns; // by ColumnID
};

ProjectLineage readLineage(projectdb::SqlProjectDatabase& db);

} // namespace vorq::load
