// The check rules applied to the checked items before an import.

#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/VorqWS.h"
#include "host/ui/TreeView.h"

namespace vorq {

void frmImport::ValidateTree(bool CreateNew) {
    TreeView& tree = *controls().tvData;
    if (tree.Count() == 0)
        return;
    for (TreeNode* node = tree.Node(1).FirstSibling(); node; node = node->Next())
        ValidateChecks(*node, false, CreateNew);
}

void frmImport::ValidateChecks(TreeNode& Node, bool ParentChecked, bool CreateNew) {
    HostUtility& utility = globals_.VorqWS->Platform().Utility();
    if (ParentChecked && Node.Checked()) {
        CheckMessages += utility.FormatMessage(LoadResString(502), {Node.Text()}) + "\r\n";
        Node.setChecked(false);
    }
    const bool checked = Node.Checked();
    if (Node.Children() > 0) {
        for (TreeNode* child = Node.Child(); child; child = child->Next())
            ValidateChecks(*child, checked, CreateNew);
    } else if (CreateNew && Node.Checked()) {
        CheckMessages += utility.FormatMessage(LoadResString(503), {Node.Text()}) + "\r\n";
        Node.setChecked(false);
    }
}

} // namespace vorq
