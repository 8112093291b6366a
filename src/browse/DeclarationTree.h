#pragma once

#include "host/RepositoryDatabase.h"

#include <memory>

namespace vorq {
class ComboItem;
class ImageCombo;
class TreeNode;
class TreeView;
} // namespace vorq

namespace vorq::browse {

class RepositoryAccess;

// Fills the tree with the data items of the chosen source: one node per "DECL" object, its
// tag the object's id, greyed when it makes no column of its own name.
class DeclarationTree {
public:
    DeclarationTree(TreeView& tree, RepositoryAccess& repository)
        : tree_(tree), repository_(repository) {}

    // Copybooks and programs: a top-level node per declaration whose parent is no declaration.
    void loadDeclarations(std::unique_ptr<ObjectCursor> cursor);
    // A data port (item of the ports combo): the records its program reads or writes through
    // it, each once.
    void loadPort(ImageCombo& combo, const ComboItem& item);
    // The declarations below Item, under Node (at the top when Node is null).
    void AddDeclChildren(RepositoryObject& Item, TreeNode* Node);
    // One node for Item; null for a system variable.
    TreeNode* AddItemNode(RepositoryObject& Item, TreeNode* Parent);

private:
    TreeView& tree_;
    RepositoryAccess& repository_;
};

} // namespace vorq::browse
