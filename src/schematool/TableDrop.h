#pragma once

#include "host/Error.h"
#include "projectdb/ProjectCatalog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorq::projectdb {
class SqlProjectDatabase;
}

namespace vorq::schematool {

// What dropping tables takes with it: the tables and, below each, the child tables that the
// same source made for its repeating items (they refer to it and share its source key), and
// the keys by which other tables refer to any of them.
struct DropPlan {
    std::vector<std::int32_t> tables;
    std::vector<std::string> tableNames;
    struct Reference {
        std::int32_t keyId = 0;
        std::string table; // the table that keeps its columns but loses the key
        std::string key;
    };
    std::vector<Reference> references;
};

// The plan for the tables of those ids; ids that are no table are left out.
DropPlan planDrop(projectdb::SqlProjectDatabase& db, const projectdb::ProjectCatalog& catalog,
                  const std::vector<std::int32_t>& tabIds);
// The ids of the tables named (in any case); a name that is not there raises vorq::NameError
// with the nearest names.
std::vector<std::int32_t> tablesNamed(const projectdb::ProjectCatalog& catalog,
                                      const std::vector<std::string>& names);
// The ids of the tables that a source made (their source key), children included.
std::vector<std::int32_t> tablesOfSource(projectdb::SqlProjectDatabase& db,
                                         const std::string& sourceKey);

// Removes the plan's tables with their columns, indexes and keys, and the referring keys, in
// the caller's transaction. Referring keys are refused (TablesReferredTo naming them) unless
// dropReferences.
void dropTables(projectdb::SqlProjectDatabase& db, const DropPlan& plan, bool dropReferences);

// A drop refused because other tables refer to the tables; the caller says how to let their
// keys go too.
struct TablesReferredTo : Error {
    using Error::Error;
};

} // namespace vorq::schematool
