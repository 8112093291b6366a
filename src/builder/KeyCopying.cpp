// Primary keys of record tables and their copies in the child tables.

#include "builder/ProjectStatements.h"
#include "builder/TableBuilder.h"
#include "host/ProjectDatabase.h"
#include "host/TypeCodes.h"
#include "host/VorqWS.h"

#include <chrono>

namespace vorq::builder {

void TableBuilder::AddPrimaryKey(std::int32_t TabID, const std::string& TableName,
                                 const std::string& reference, bool AutoKey,
                                 std::vector<std::int32_t>& KeyColumns) {
    const bool hasReferences = !db_.OpenRecordset(referencingKeysQuery(TabID))->Eof();
    if (!(AutoKey || hasReferences) || (KeyColumns.empty() && !hasReferences))
        return;
    const std::int32_t indexId = host_.PrimaryAdd(TabID);
    if (KeyColumns.empty()) {
        std::int32_t keyColumn = 0;
        host_.ColumnAdd(TabID, TableName + "_KEY", kTypeInteger, 0, 0, false, "Primary key", "",
                        std::chrono::system_clock::now(), kImportOrigin, reference, -1, keyColumn);
        KeyColumns.push_back(keyColumn);
    }
    auto indexColumns = db_.OpenRecordset("IndexColumns");
    for (const std::int32_t column : KeyColumns) {
        host_.ColumnUpdate(column, false);
        beginIndexColumn(*indexColumns, indexId, column, nextKeyPosition(indexId));
        indexColumns->Update();
    }
    indexColumns->Close();
    if (hasReferences)
        CopyKeys(TabID, KeyColumns);
}

std::int64_t TableBuilder::nextKeyPosition(std::int32_t indexId) {
    // The run holds the project's transaction: no one else places columns in its keys meanwhile.
    auto [last, first] = keyPositions_.try_emplace(indexId, 0);
    if (first)
        last->second = db_.OpenRecordset("select coalesce(max(Position), 0) as Last from "
                                         "IndexColumns where Position > 0 and IndexID = " +
                                         std::to_string(indexId))
                           ->Fields("Last")
                           .value()
                           .toInt64();
    return ++last->second;
}

void TableBuilder::CopyKeys(std::int32_t TabID, const std::vector<std::int32_t>& KeyColumns) {
    for (auto refs = db_.OpenRecordset(referencingKeysQuery(TabID)); !refs->Eof();
         refs->MoveNext()) {
        const std::int32_t child = refs->Fields("TabID").value().toLong();
        const std::int32_t keyId = refs->Fields("KeyID").value().toLong();
        std::vector<std::int32_t> copies;
        for (const std::int32_t column : KeyColumns) {
            const std::int32_t copy = host_.ColumnCopy(column, child, true);
            std::int32_t childTab = child;
            db_.Execute(indexColumnInsert(host_.PrimaryAdd(childTab), copy));
            db_.Execute(keyPairInsert(keyId, copy, column));
            copies.push_back(copy);
        }
        CopyKeys(child, copies);
    }
}

} // namespace vorq::builder
