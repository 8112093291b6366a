#include "browse/CheckRules.h"

#include "host/HostLibraries.h"
#include "host/ui/TreeView.h"
#include "resources/ResModule.h"

namespace vorq::browse {

void CheckRules::ValidateTree(TreeView& tree, bool CreateNew) {
    if (tree.Count() == 0)
        return;
    for (TreeNode* node = tree.Node(1).FirstSibling(); node; node = node->Next())
        ValidateChecks(*node, false, CreateNew);
}

void CheckRules::ValidateChecks(TreeNode& Node, bool ParentChecked, bool CreateNew) {
    if (ParentChecked && Node.Checked()) {
        CheckMessages +=
            utility_.FormatMessage(LoadResString(StringId::ParentSelected), {Node.Text()}) + "\r\n";
        Node.setChecked(false);
    }
    const bool checked = Node.Checked();
    if (Node.Children() > 0) {
        for (TreeNode* child = Node.Child(); child; child = child->Next())
            ValidateChecks(*child, checked, CreateNew);
    } else if (CreateNew && Node.Checked()) {
        CheckMessages +=
            utility_.FormatMessage(LoadResString(StringId::NoSubitems), {Node.Text()}) + "\r\n";
        Node.setChecked(false);
    }
}

} // namespace vorq::browse
