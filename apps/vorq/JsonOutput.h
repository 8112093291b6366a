#pragma once

#include "cobol/LayoutText.h"

#include <nlohmann/json.hpp>
#include <vector>

namespace vorq::projectdb {
struct CatalogTable;
struct ProjectCatalog;
} // namespace vorq::projectdb

namespace vorq::workbench {
class Workbench;
struct LogEntry;
} // namespace vorq::workbench

namespace vorq::load {
struct LoadSummary;
}

namespace vorq::app {

// What `--json` prints: one JSON document per command, for scripts.

// {"name", "id", "columns": [{"name", "type", "key", "nullable"}], "primaryKey": [names],
//  "foreignKeys": [{"name", "references", "columns": [{"column", "referenced"}]}]}
nlohmann::ordered_json tableJson(const projectdb::ProjectCatalog& catalog,
                                 const projectdb::CatalogTable& table);
// {"tables": [table...]}
nlohmann::ordered_json tablesJson(const projectdb::ProjectCatalog& catalog);
// {"copybooks": [{"name", "path"}], "programs": [{"name", "path"}],
//  "ports": [{"program", "ports": [names]}]}
nlohmann::ordered_json sourcesJson(workbench::Workbench& wb);
// {"entries": [{"run", "at", "category", "error", "title", "text"}]}
nlohmann::ordered_json logJson(const std::vector<workbench::LogEntry>& entries);
// [{"level", "name", "picture", "usage", "offset", "length", "occurs", "redefines", "group",
//   "program", "section"}]: one object per item, headings left out.
nlohmann::ordered_json layoutJson(const std::vector<cobol::LayoutRow>& rows);

// {"data", "target", "records", "skipped", "withErrors", "leftOut", "leftOutBy": {reason: n},
//  "longer", "replaced", "framing", "tables": [{"name", "rows"}], "columnsWithoutSource",
//  "bytes", "seconds"}
nlohmann::ordered_json loadJson(const std::string& data, const std::string& target,
                                const load::LoadSummary& summary);

// The document as printed: indented, ending in a newline; bytes that are no UTF-8 become U+FFFD.
std::string jsonText(const nlohmann::ordered_json& document);

} // namespace vorq::app
