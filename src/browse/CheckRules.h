#pragma once

#include <string>

namespace vorq {
class HostUtility;
class TreeNode;
class TreeView;
} // namespace vorq

namespace vorq::browse {

// The rules that the checked items must meet before an import: no checked item below a
// checked one, and, for new tables, no checked item without subitems. An offending node is
// unchecked and reported as a line of CheckMessages.
class CheckRules {
public:
    explicit CheckRules(HostUtility& utility) : utility_(utility) {}

    void ValidateTree(TreeView& tree, bool CreateNew);

    // One CR LF-ended line per node that lost its check.
    std::string CheckMessages;

private:
    void ValidateChecks(TreeNode& Node, bool ParentChecked, bool CreateNew);

    HostUtility& utility_;
};

} // namespace vorq::browse
