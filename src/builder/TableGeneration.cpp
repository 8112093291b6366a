// The walk that turns a data item and everything below it into columns of a target table:
// elementary items become columns, OCCURS items are spread over numbered columns or moved
// into child tables keyed by the target's key plus "idx".

#include "builder/ItemRecord.h"
#include "builder/ProjectStatements.h"
#include "component/Globals.h"
#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/ProjectDatabase.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"
#include "host/ui/Toolkit.h"

#include <chrono>

namespace vorq {
namespace {
constexpr const char* kOrigin = "DataStructImport";
}

bool frmImport::ImportItem(RepositoryObject& Item, const std::string& TableName,
                           std::int32_t& TabID, const std::string& Suffix, bool SkipRedefined,
                           bool KeyFlag, std::vector<std::int32_t>& KeyColumns) {
    if (!Importing)
        return false;
    globals_.VorqWS->Platform().Ui().DoEvents(); // so that a click on Cancel is handled

    if (!isDeclaration(Item) || (SkipRedefined && isRedefining(Item)) || isSystemVariable(Item))
        return true;
    ItemRecord record;
    record.Name = Item.Attribute("Name");
    readItemAttributes(Item, record);
    record.Elementary = toBoolean(Item.Attribute("Elementary"));
    if (record.Name.empty())
        record.Name = "FILLER";
    const bool hasDeclChild = HasDeclChild(Item);
    if (record.Name == "FILLER" && !hasDeclChild)
        return true;
    std::int32_t datatype = record.Datatype, precision = 0, scale = 0;
    globals_.VorqWS->GetCompatibleType(record.Length, record.Fraction, record.Picture, record.Usage,
                                       datatype, precision, scale);
    const std::string objectId = Item.ObjectId();

    if (record.Occurs < 1) {
        if (record.Elementary) {
            ColumnImportStep(TabID, record.Name, Suffix, objectId, datatype, precision, scale,
                             KeyFlag, KeyColumns);
            return true;
        }
        const bool groupKey = KeyFlag || MatchesKeyPatterns(record.Name);
        for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext())
            if (!ImportItem(*children->Current(), TableName, TabID, Suffix, true, groupKey,
                            KeyColumns))
                return false;
        return true;
    }

    if (Threshold != 0 && record.Occurs > Threshold)
        return importIntoChildTable(Item, record, hasDeclChild, TableName, TabID, Suffix, datatype,
                                    precision, scale);

    // Spread in place: one set of columns per occurrence, suffixed with its number.
    for (std::int64_t n = 1; n <= record.Occurs; ++n) {
        const std::string suffix = Suffix + std::to_string(n);
        if (!hasDeclChild) {
            ColumnImportStep(TabID, record.Name, suffix, objectId, datatype, precision, scale,
                             KeyFlag, KeyColumns);
            continue;
        }
        for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext())
            if (!ImportItem(*children->Current(), TableName, TabID, suffix, true, KeyFlag,
                            KeyColumns))
                return false;
    }
    return true;
}

bool frmImport::importIntoChildTable(RepositoryObject& Item, const ItemRecord& record,
                                     bool hasDeclChild, const std::string& TableName,
                                     std::int32_t& TabID, const std::string& Suffix,
                                     std::int32_t& Datatype, std::int32_t& Precision,
                                     std::int32_t& Scale) {
    VorqWS& host = *globals_.VorqWS;
    ProjectDatabase& db = *globals_.ProjectDB;
    const std::string reference = sourceReference(Item.ObjectId());
    const auto now = std::chrono::system_clock::now();

    std::string newName = host.GetFreeTableName(host.SQLID(TableName + "_" + record.Name) + Suffix);
    std::int32_t newTabId = 0;
    if (!host.TableAdd(newName, newTabId, SourceKey, now, kOrigin, reference))
        return false;
    std::int32_t keyId = 0;
    if (!host.ForeignAdd(newTabId, TabID, newName + "_OCCURS", keyId))
        return false;
    const std::int32_t indexId = host.PrimaryAdd(newTabId);
    if (indexId == 0)
        return false;

    // The target table's key as it is now: copied, in the child's key and its foreign key.
    auto columns = db.OpenRecordset("Columns");
    auto indexColumns = db.OpenRecordset("IndexColumns");
    auto keyPairs = db.OpenRecordset("ForeignKeyColumns");
    for (auto key = db.OpenRecordset(keyColumnQuery(TabID)); !key->Eof(); key->MoveNext()) {
        columns->AddNew();
        columns->Fields("TabID") = newTabId;
        columns->Fields("ColumnName") = key->Fields("ColumnName").value();
        columns->Fields("TypeID") = key->Fields("TypeID").value();
        columns->Fields("Precision") = key->Fields("Precision").value();
        columns->Fields("Scale") = key->Fields("Scale").value();
        const Value position = key->Fields("IPosition");
        columns->Fields("Position") = position.isNull() ? Value(1) : position;
        const Value newColumn = columns->Fields("ColumnId");
        beginIndexColumn(*indexColumns, indexId, newColumn);
        keyPairs->AddNew();
        keyPairs->Fields("KeyID") = keyId;
        keyPairs->Fields("ColumnId") = newColumn;
        keyPairs->Fields("RefColumnID") = key->Fields("ColumnId").value();
        keyPairs->Update();
        indexColumns->Update();
        columns->Update();
    }
    std::int32_t idxColumn = 0;
    host.ColumnAdd(newTabId, "idx", 4, 0, 0, false, "Occurs indexing field", "", now, kOrigin,
                   reference, -1, idxColumn);
    beginIndexColumn(*indexColumns, indexId, idxColumn);
    indexColumns->Update();
    columns->Close();

    // The child table's key is the copied key and "idx"; no column of it joins a key otherwise.
    std::vector<std::int32_t> childKeys;
    if (!hasDeclChild) {
        ColumnImportStep(newTabId, record.Name, "", Item.ObjectId(), Datatype, Precision, Scale,
                         false, childKeys);
        return true;
    }
    for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext())
        if (!ImportItem(*children->Current(), newName, newTabId, Suffix, true, false, childKeys))
            return false;
    return true;
}

} // namespace vorq
