#include "builder/ProjectStatements.h"

#include "host/ProjectQueries.h"

namespace vorq::builder {

std::string referencingKeysQuery(std::int64_t tabId) {
    return projectQueries::about(projectQueries::kReferencingKeys, tabId);
}

std::string keyColumnQuery(std::int64_t tabId) {
    return projectQueries::about(projectQueries::kKeyColumns, tabId);
}

std::string indexColumnInsert(std::int64_t indexId, std::int64_t columnId) {
    return std::string("insert into IndexColumns(IndexID,ColumnID, Direction, Position) ") +
           "values (" + std::to_string(indexId) + "," + std::to_string(columnId) + ",'A',-1)";
}

void beginIndexColumn(Recordset& indexColumns, const Value& indexId, const Value& columnId) {
    indexColumns.AddNew();
    indexColumns.Fields("IndexID") = indexId;
    indexColumns.Fields("ColumnId") = columnId;
    indexColumns.Fields("Direction") = "A";
}

std::string keyPairInsert(std::int64_t keyId, std::int64_t columnId, std::int64_t refColumnId) {
    return std::string("insert into ForeignKeyColumns(KeyID,ColumnID, RefColumnID) ") + "values (" +
           std::to_string(keyId) + "," + std::to_string(columnId) + "," +
           std::to_string(refColumnId) + ")";
}

} // namespace vorq::builder
