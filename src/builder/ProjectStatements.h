#pragma once

#include "host/ProjectDatabase.h"

#include <cstdint>
#include <string>

namespace vorq::builder {

// The origin recorded with every table and column that an import makes.
constexpr const char* kImportOrigin = "DataStructImport";

// The fixed statements the component runs on the project database. Numbers are written in
// decimal with a minus sign where negative.

// The questions of host/ProjectQueries.h about one table.
std::string referencingKeysQuery(std::int64_t tabId);
std::string keyColumnQuery(std::int64_t tabId);

// A column joins a primary index: direction "A", position -1.
std::string indexColumnInsert(std::int64_t indexId, std::int64_t columnId);

// Begins a row of an IndexColumns recordset: the column joins the index ascending. The caller
// saves it with Update.
void beginIndexColumn(Recordset& indexColumns, const Value& indexId, const Value& columnId);

// A column pair of a foreign key.
std::string keyPairInsert(std::int64_t keyId, std::int64_t columnId, std::int64_t refColumnId);

} // namespace vorq::builder
