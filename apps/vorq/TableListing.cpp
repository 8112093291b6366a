#include "TableListing.h"

#include "projectdb/ProjectCatalog.h"
#include "schematool/DdlWriter.h"

#include <fmt/core.h>

namespace vorq::app {

std::string listTables(const projectdb::ProjectCatalog& catalog) {
    if (catalog.tables.empty())
        return "the project has no tables\n";
    std::string out;
    for (const auto& t : catalog.tables) {
        out += fmt::format("{} (id {})\n", t.name, t.id);
        for (const auto& c : t.columns)
            out += fmt::format(
                "  {:<30} {:<16}{}{}\n", c.name,
                schematool::columnType(c.type, c.precision, c.scale, schematool::Dialect::SQLite),
                catalog.isKeyColumn(t, c.id) ? " primary key" : "", c.nullable ? "" : " not null");
        for (const auto& k : t.foreignKeys) {
            const auto* parent = catalog.table(k.refTabId);
            out += fmt::format("  foreign key {} -> {}", k.name, parent ? parent->name : "?");
            for (const auto& [column, referenced] : k.columnPairs) {
                const auto* mine = catalog.column(column);
                const auto* theirs = catalog.column(referenced);
                out += fmt::format(" {}={}", mine ? mine->name : "?", theirs ? theirs->name : "?");
            }
            out += "\n";
        }
    }
    return out;
}

} // namespace vorq::app
