// The walk that turns a data item and everything below it into columns of a target table:
// elementary items become columns, OCCURS items are spread over numbered columns or moved
// into child tables keyed by the target's key plus "idx".

#include "builder/BuildMonitor.h"
#include "builder/ItemRecord.h"
#include "builder/ProjectStatements.h"
#include "builder/TableBuilder.h"
#include "host/ProjectDatabase.h"
#include "host/RepositoryDatabase.h"
#include "host/SourceReference.h"
#include "host/TypeCodes.h"
#include "host/VorqWS.h"

#include <chrono>

namespace vorq::builder {

std::string TableBuilder::sourceReference(const std::string& objectId) const {
    return vorq::sourceReference(SourceKey, objectId);
}

bool TableBuilder::ImportItem(RepositoryObject& Item, const std::string& TableName,
                              std::int32_t& TabID, const std::string& Suffix, bool SkipRedefined,
                              bool KeyFlag, std::vector<std::int32_t>& KeyColumns) {
    if (!monitor_.Importing())
        return false;
    monitor_.DoEvents(); // so that a click on Cancel is handled

    if (!isDeclaration(Item) || (SkipRedefined && isRedefining(Item)))
        return true;
    ItemRecord record = readItem(Item);
    if (record.SystemVariable)
        return true;
    if (record.Name.empty())
        record.Name = "FILLER";
    const bool hasDeclChild = HasDeclChild(Item);
    if (record.Name == "FILLER" && !hasDeclChild)
        return true;
    std::int32_t datatype = record.Datatype, precision = 0, scale = 0;
    const bool compatible = host_.GetCompatibleType(record.Length, record.Fraction, record.Picture,
                                                    record.Usage, datatype, precision, scale);
    // An item that no column type holds (a pointer) makes no column, as it counts none.
    if (!compatible && !hasDeclChild)
        return true;
    const std::string objectId = Item.ObjectId();

    if (record.Occurs < 1) {
        if (record.Elementary) {
            ColumnImportStep(TabID, record.Name, Suffix, objectId, datatype, precision, scale,
                             KeyFlag, KeyColumns);
            return true;
        }
        const bool groupKey = KeyFlag || options_.MatchesKeyPatterns(record.Name);
        for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext())
            if (!ImportItem(*children->Current(), TableName, TabID, Suffix, true, groupKey,
                            KeyColumns))
                return false;
        return true;
    }

    if (options_.Threshold != 0 && record.Occurs > options_.Threshold)
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

bool TableBuilder::importIntoChildTable(RepositoryObject& Item, const ItemRecord& record,
                                        bool hasDeclChild, const std::string& TableName,
                                        std::int32_t& TabID, const std::string& Suffix,
                                        std::int32_t& Datatype, std::int32_t& Precision,
                                        std::int32_t& Scale) {
    const std::string reference = sourceReference(Item.ObjectId());
    std::string newName =
        host_.GetFreeTableName(host_.SQLID(TableName + "_" + record.Name) + Suffix);
    std::int32_t newTabId = 0;
    if (!host_.TableAdd(newName, newTabId, SourceKey, std::chrono::system_clock::now(),
                        kImportOrigin, reference))
        return false;
    std::int32_t keyId = 0;
    if (!host_.ForeignAdd(newTabId, TabID, newName + "_OCCURS", keyId))
        return false;
    const std::int32_t indexId = host_.PrimaryAdd(newTabId);
    if (indexId == 0)
        return false;
    keyChildTable(TabID, newTabId, keyId, indexId, reference);

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

// The parent's key as it is now, copied into the child's key and its foreign key, then "idx".
void TableBuilder::keyChildTable(std::int32_t parentTabId, std::int32_t childTabId,
                                 std::int32_t keyId, std::int32_t indexId,
                                 const std::string& reference) {
    auto columns = db_.OpenRecordset("Columns");
    auto indexColumns = db_.OpenRecordset("IndexColumns");
    auto keyPairs = db_.OpenRecordset("ForeignKeyColumns");
    for (auto key = db_.OpenRecordset(keyColumnQuery(parentTabId)); !key->Eof(); key->MoveNext()) {
        columns->AddNew();
        columns->Fields("TabID") = childTabId;
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
    host_.ColumnAdd(childTabId, "idx", kTypeInteger, 0, 0, false, "Occurs indexing field", "",
                    std::chrono::system_clock::now(), kImportOrigin, reference, -1, idxColumn);
    beginIndexColumn(*indexColumns, indexId, idxColumn);
    indexColumns->Update();
    columns->Close();
}

void TableBuilder::ColumnImportStep(std::int32_t& TabID, const std::string& Name,
                                    const std::string& Suffix, const std::string& ObjectId,
                                    std::int32_t& Datatype, std::int32_t& Precision,
                                    std::int32_t& Scale, bool KeyFlag,
                                    std::vector<std::int32_t>& KeyColumns) {
    monitor_.StartStep();
    const std::string columnName = options_.StripPrefix(Name) + Suffix;
    std::string message;
    const std::int32_t id = host_.ColumnImport(TabID, host_.SQLID(columnName), Datatype, Precision,
                                               Scale, std::chrono::system_clock::now(),
                                               kImportOrigin, sourceReference(ObjectId), message);
    if (KeyFlag || options_.MatchesKeyPatterns(Name))
        KeyColumns.push_back(id);
    monitor_.FinishStep();
}

} // namespace vorq::builder
