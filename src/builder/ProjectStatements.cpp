#include "builder/ProjectStatements.h"

namespace vorq {

std::string referencingKeysQuery(std::int64_t tabId) {
    return std::string("select * from ForeignKeys ") + "where RefTabID = " + std::to_string(tabId);
}

std::string keyColumnQuery(std::int64_t tabId) {
    return std::string("select C.*, IC.Position as IPosition ") +
           "from Tables T, IndexColumns IC, Columns C " + "where T.PrimaryIndexID = IC.IndexID " +
           "and IC.ColumnID = C.ColumnID " + "and T.TabID = " + std::to_string(tabId) + " " +
           "order by IC.Position";
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

} // namespace vorq
