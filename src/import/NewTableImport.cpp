// "Create new table": every checked record becomes a table of its own.

#include "builder/ProjectStatements.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "import/ImportRun.h"
#include "import/RunDialog.h"
#include "resources/ResModule.h"

#include <chrono>

namespace vorq::import {

ImportRun::RunEnd ImportRun::NewTableImport(std::string& NewTableId) {
    VorqWS& host = *workspaces_.VorqWS;
    RepositoryDatabase& repositoryDb = sourceDatabase();
    HostUtility& utility = host.Platform().Utility();
    const std::vector<TreeNode*> nodes = checkedNodes();

    beginTransaction();
    std::int64_t total = 0;
    for (TreeNode* node : nodes) {
        const auto item = repositoryDb.ObjectById(node->Tag());
        for (auto children = item->Children(); !children->AtEnd(); children->MoveNext())
            total += builder_.CountColumns(*children->Current(), true);
    }
    startProgress(total);

    std::int32_t tabId = -1;
    for (TreeNode* node : nodes) {
        dialog_.tree().setSelectedItem(node);
        node->EnsureVisible();
        referToPortProgram();
        const auto item = repositoryDb.ObjectById(node->Tag());
        std::string tableName = item->Attribute("Name");
        if (tableName.empty())
            return failWith(LoadResString(StringId::EmptyTableName));
        tableName = host.GetFreeTableName(host.SQLID(options_.build.StripPrefix(tableName)));
        const std::string reference = builder_.sourceReference(node->Tag());
        const std::string cannotCreate =
            utility.FormatMessage(LoadResString(StringId::CannotCreateTable), {node->Text()});
        if (!host.TableAdd(tableName, tabId, builder_.SourceKey, std::chrono::system_clock::now(),
                           builder::kImportOrigin, reference)) {
            host.Platform().Ui().MsgBox(cannotCreate, kMsgCritical, MsgTitle_);
            finishProgress();
            return RunEnd::Failure;
        }
        NewTableId = std::to_string(tabId);
        std::vector<std::int32_t> keyColumns;
        for (auto children = item->Children(); !children->AtEnd(); children->MoveNext()) {
            if (!builder_.ImportItem(*children->Current(), tableName, tabId, "", true, false,
                                     keyColumns))
                return failWith(cannotCreate);
            if (!dialog_.Importing())
                return failWith(LoadResString(StringId::InterruptedByUser));
        }
        builder_.AddPrimaryKey(tabId, tableName, reference, options_.AutoKey, keyColumns);
    }
    finishProgress();
    return RunEnd::Success;
}

void ImportRun::referToPortProgram() {
    RepositoryGlobal& repository = workspaces_.OskWS->Repository();
    if (repository.ObjectType(builder_.SourceKey) != "DATAPORT")
        return;
    std::shared_ptr<ObjectList> users;
    for (const char* relation : {"IsReadIn", "IsUpdatedIn", "IsInsertedIn", "IsDeletedIn"}) {
        users = repository.GetRepositorySession()
                    ->ObjectById(builder_.SourceKey)
                    ->Related(relation, workspaces_.RepositoryName);
        if (!users->Eof())
            break;
    }
    if (!users->Eof())
        builder_.SourceKey = users->Current()->ObjectId();
}

} // namespace vorq::import
