// "Add to table": the checked items become columns of the table chosen in cmbTable.

#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"
#include "host/ui/ComboBox.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"

namespace vorq {

frmImport::RunEnd frmImport::AddToTableImport(ImportRun& run) {
    VorqWS& host = *globals_.VorqWS;
    FormControls& c = controls();
    HostUtility& utility = host.Platform().Utility();
    if (c.cmbTable->ListIndex() < 0) {
        host.Platform().Ui().MsgBox(LoadResString(511), kMsgExclamation, MsgTitle);
        try {
            c.cmbTable->SetFocus();
        } catch (const std::exception&) {
            // The focus is a courtesy; the message has said what to do.
        }
        return RunEnd::Stop;
    }
    beginTransaction(run);
    std::int32_t tabId = c.cmbTable->ItemData(c.cmbTable->ListIndex());
    std::vector<TreeNode*> nodes;
    for (int i = 1; i <= c.tvData->Count(); ++i)
        if (c.tvData->Node(i).Checked())
            nodes.push_back(&c.tvData->Node(i));
    std::int64_t total = 0;
    for (TreeNode* node : nodes)
        total += CountColumns(*repository.RepositoryDB->ObjectById(node->Tag()), false);
    startProgress(run, total);

    std::vector<std::int32_t> keyColumns; // collected and discarded: no key changes here
    for (TreeNode* node : nodes) {
        c.tvData->setSelectedItem(node);
        node->EnsureVisible();
        const auto item = repository.RepositoryDB->ObjectById(node->Tag());
        if (!ImportItem(*item, c.cmbTable->Text(), tabId, "", false, false, keyColumns)) {
            appendReason(run, utility.FormatMessage(LoadResString(512), {node->Text()}));
            finishProgress(run);
            return RunEnd::Failure;
        }
        if (!Importing) {
            appendReason(run, LoadResString(510));
            finishProgress(run);
            return RunEnd::Failure;
        }
        host.FinishStep(1);
    }
    finishProgress(run);
    return RunEnd::Success;
}

} // namespace vorq
