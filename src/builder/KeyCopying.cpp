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
        beginIndexColumn(*indexColumns, indexId, column);
        indexColumns->Update();
    }
    indexColumns->Close();
    if (hasReferences)
        CopyKeys(TabID, KeyColumns);
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
