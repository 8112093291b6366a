#include "load/ProjectLineage.h"

#include "host/Text.h"
#include "projectdb/SqlProjectDatabase.h"

#include <algorithm>
#include <charconv>

namespace vorq::load {

ProjectLineage readLineage(projectdb::SqlProjectDatabase& db) {
    ProjectLineage lineage;
    lineage.catalog = projectdb::readCatalog(db);
    // Tables and columns carry their lineage; a project not yet brought up to date (opened
    // only for reading) has it in a table of its own (version 2) or not at all (version 1).
    const bool ownTable = db.hasTable("Lineage");
    const auto& columnNames = db.columnsOf("Columns");
    const bool inRows = std::any_of(columnNames.begin(), columnNames.end(), [](const auto& name) {
        return lowerCase(name) == "lineagerole";
    });
    if (!ownTable && !inRows)
        return lineage;
    const auto& tableColumns = db.columnsOf("Tables");
    const bool withLayout =
        std::any_of(tableColumns.begin(), tableColumns.end(),
                    [](const auto& name) { return lowerCase(name) == "lineagelayout"; });
    auto tables = db.prepare(
        ownTable ? "SELECT l.TabID, l.Role, l.Occurrence, t.SourceReference, NULL FROM Lineage l "
                   "JOIN Tables t ON t.TabID = l.TabID WHERE l.ColumnID IS NULL"
        : withLayout ? "SELECT TabID, LineageRole, LineageOccurrence, SourceReference, "
                       "LineageLayout FROM Tables WHERE LineageRole IS NOT NULL"
                     : "SELECT TabID, LineageRole, LineageOccurrence, SourceReference, NULL FROM "
                       "Tables WHERE LineageRole IS NOT NULL");
    while (tables->step())
        lineage.tables[static_cast<std::int32_t>(tables->integer(0))] = {
            tables->text(1), tables->integer(2), tables->text(3), tables->text(4)};
    auto columns = db.prepare(
        ownTable ? "SELECT l.ColumnID, l.Role, l.Occurrence, c.SourceReference FROM Lineage l "
                   "JOIN Columns c ON c.ColumnID = l.ColumnID"
                 : "SELECT ColumnID, LineageRole, LineageOccurrence, SourceReference FROM "
                   "Columns WHERE LineageRole IS NOT NULL");
    while (columns->step())
        lineage.columns[static_cast<std::int32_t>(columns->integer(0))] = {
            columns->text(1), columns->integer(2), columns->text(3), ""};
    return lineage;
}

} // namespace vorq::load
