// "Create new table": every checked record becomes a table of its own.

#include "builder/ProjectStatements.h"
#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/ProjectDatabase.h"
#include "host/Repository.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"

#include <chrono>

namespace vorq {
namespace {

constexpr const char* kOrigin = "DataStructImport";

std::vector<TreeNode*> checkedNodes(TreeView& tree) {
    std::vector<TreeNode*> nodes;
    for (int i = 1; i <= tree.Count(); ++i)
        if (tree.Node(i).Checked())
            nodes.push_back(&tree.Node(i));
    return nodes;
}

} // namespace

frmImport::RunEnd frmImport::NewTableImport(ImportRun& run) {
    VorqWS& host = *globals_.VorqWS;
    ProjectDatabase& db = *globals_.ProjectDB;
    RepositoryDatabase& repositoryDb = *repository.RepositoryDB;
    HostUtility& utility = host.Platform().Utility();
    RepositoryGlobal& repositoryGlobal = globals_.OskWS->Repository();
    const std::vector<TreeNode*> nodes = checkedNodes(*controls().tvData);
    const auto failWith = [&](const std::string& reason) {
        appendReason(run, reason);
        finishProgress(run);
        return RunEnd::Failure;
    };

    beginTransaction(run);
    std::int64_t total = 0;
    for (TreeNode* node : nodes) {
        const auto item = repositoryDb.ObjectById(node->Tag());
        for (auto children = item->Children(); !children->AtEnd(); children->MoveNext())
            total += CountColumns(*children->Current(), true);
    }
    startProgress(run, total);

    std::int32_t tabId = -1;
    for (TreeNode* node : nodes) {
        controls().tvData->setSelectedItem(node);
        node->EnsureVisible();
        if (repositoryGlobal.ObjectType(SourceKey) == "DATAPORT") {
            // The tables of a port's records name the program that uses the port.
            std::shared_ptr<ObjectList> users;
            for (const char* relation :
                 {"IsReadIn", "IsUpdatedIn", "IsInsertedIn", "IsDeletedIn"}) {
                users = repositoryGlobal.GetRepositorySession()->ObjectById(SourceKey)->Related(
                    relation, globals_.RepositoryName);
                if (!users->Eof())
                    break;
            }
            if (!users->Eof())
                SourceKey = users->Current()->ObjectId();
        }
        const auto item = repositoryDb.ObjectById(node->Tag());
        std::string tableName = item->Attribute("Name");
        if (tableName.empty())
            return failWith(LoadResString(508));
        tableName = host.GetFreeTableName(host.SQLID(StripPrefix(tableName)));
        const std::string reference = sourceReference(node->Tag());
        if (!host.TableAdd(tableName, tabId, SourceKey, std::chrono::system_clock::now(), kOrigin,
                           reference)) {
            host.Platform().Ui().MsgBox(utility.FormatMessage(LoadResString(509), {node->Text()}),
                                        kMsgCritical, MsgTitle);
            finishProgress(run);
            return RunEnd::Failure;
        }
        NewTableId = std::to_string(tabId);
        std::vector<std::int32_t> keyColumns;
        for (auto children = item->Children(); !children->AtEnd(); children->MoveNext()) {
            if (!ImportItem(*children->Current(), tableName, tabId, "", true, false, keyColumns))
                return failWith(utility.FormatMessage(LoadResString(509), {node->Text()}));
            if (!Importing)
                return failWith(LoadResString(510));
        }
        const bool hasReferences = !db.OpenRecordset(referencingKeysQuery(tabId))->Eof();
        if ((run.AutoKey || hasReferences) && (!keyColumns.empty() || hasReferences)) {
            const std::int32_t indexId = host.PrimaryAdd(tabId);
            if (keyColumns.empty()) {
                std::int32_t keyColumn = 0;
                host.ColumnAdd(tabId, tableName + "_KEY", 4, 0, 0, false, "Primary key", "",
                               std::chrono::system_clock::now(), kOrigin, reference, -1, keyColumn);
                keyColumns.push_back(keyColumn);
            }
            auto indexColumns = db.OpenRecordset("IndexColumns");
            for (const std::int32_t column : keyColumns) {
                host.ColumnUpdate(column, false);
                beginIndexColumn(*indexColumns, indexId, column);
                indexColumns->Update();
            }
            indexColumns->Close();
            if (hasReferences)
                CopyKeys(tabId, keyColumns);
        }
    }
    finishProgress(run);
    return RunEnd::Success;
}

} // namespace vorq
