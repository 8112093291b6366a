// "Add to table": the checked items become columns of the table chosen in the table list.

#include "host/HostLibraries.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/ComboBox.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "import/ImportRun.h"
#include "import/RunDialog.h"
#include "resources/ResModule.h"

namespace vorq::import {

ImportRun::RunEnd ImportRun::AddToTableImport() {
    VorqWS& host = *workspaces_.VorqWS;
    ComboBox& tables = dialog_.tableList();
    HostUtility& utility = host.Platform().Utility();
    if (tables.ListIndex() < 0) {
        host.Platform().Ui().MsgBox(LoadResString(StringId::NoTableChosen), kMsgExclamation,
                                    MsgTitle_);
        if (tables.Enabled() && tables.Visible()) // a locked list cannot take the focus
            tables.SetFocus();
        return RunEnd::Stop;
    }
    RepositoryDatabase& repositoryDb = sourceDatabase();
    beginTransaction();
    std::int32_t tabId = tables.ItemData(tables.ListIndex());
    const std::vector<TreeNode*> nodes = checkedNodes();
    std::int64_t total = 0;
    for (TreeNode* node : nodes)
        total += builder_.CountColumns(*repositoryDb.ObjectById(node->Tag()), false);
    startProgress(total);

    std::vector<std::int32_t> keyColumns; // collected and discarded: no key changes here
    for (TreeNode* node : nodes) {
        dialog_.tree().setSelectedItem(node);
        node->EnsureVisible();
        const auto item = repositoryDb.ObjectById(node->Tag());
        if (!builder_.ImportItem(*item, tables.Text(), tabId, "", false, false, keyColumns))
            return failWith(
                utility.FormatMessage(LoadResString(StringId::CannotAddItem), {node->Text()}));
        if (!dialog_.Importing())
            return failWith(LoadResString(StringId::InterruptedByUser));
        host.FinishStep(1);
    }
    finishProgress();
    return RunEnd::Success;
}

} // namespace vorq::import
