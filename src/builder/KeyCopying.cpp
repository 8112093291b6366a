// Hands a table's new key columns down to the tables that refer to it, level by level.

#include "builder/ProjectStatements.h"
#include "component/Globals.h"
#include "dialog/frmImport.h"
#include "host/ProjectDatabase.h"
#include "host/VorqWS.h"

namespace vorq {

void frmImport::CopyKeys(std::int32_t TabID, const std::vector<std::int32_t>& KeyColumns) {
    VorqWS& host = *globals_.VorqWS;
    ProjectDatabase& db = *globals_.ProjectDB;
    for (auto refs = db.OpenRecordset(referencingKeysQuery(TabID)); !refs->Eof();
         refs->MoveNext()) {
        const std::int32_t child = refs->Fields("TabID").value().toLong();
        const std::int32_t keyId = refs->Fields("KeyID").value().toLong();
        std::vector<std::int32_t> copies;
        for (const std::int32_t column : KeyColumns) {
            const std::int32_t copy = host.ColumnCopy(column, child, true);
            std::int32_t childTab = child;
            db.Execute(indexColumnInsert(host.PrimaryAdd(childTab), copy));
            db.Execute(keyPairInsert(keyId, copy, column));
            copies.push_back(copy);
        }
        CopyKeys(child, copies);
    }
}

} // namespace vorq
