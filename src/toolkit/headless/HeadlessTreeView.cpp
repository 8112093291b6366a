#include "toolkit/headless/HeadlessTreeView.h"

#include <algorithm>

namespace vorq::headless {
namespace {

const std::vector<HeadlessTreeNode*>& siblingsOf(const HeadlessTreeNode& node,
                                                 const HeadlessTreeView& tree) {
    const auto* parent = static_cast<const HeadlessTreeNode*>(node.Parent());
    return parent ? parent->children() : tree.roots();
}

} // namespace

TreeNode* HeadlessTreeNode::Next() const {
    const auto& siblings = siblingsOf(*this, tree_);
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    return it + 1 < siblings.end() ? *(it + 1) : nullptr;
}

TreeNode* HeadlessTreeNode::FirstSibling() const {
    return siblingsOf(*this, tree_).front();
}

TreeNode& HeadlessTreeView::AddNode(TreeNode* parent, const std::string& text,
                                    const std::string& image, const std::string& selectedImage) {
    auto* owner = static_cast<HeadlessTreeNode*>(parent);
    auto node = std::make_unique<HeadlessTreeNode>(*this, owner, text, Count() + 1);
    node->setImage(image);
    node->setSelectedImage(selectedImage);
    HeadlessTreeNode* added = node.get();
    nodes_.push_back(std::move(node));
    if (owner)
        owner->appendChild(added);
    else
        roots_.push_back(added);
    return *added;
}

void HeadlessTreeView::Clear() {
    selected_ = nullptr;
    roots_.clear();
    nodes_.clear();
}

TreeNode& HeadlessTreeView::Node(int index) {
    if (index < 1 || index > Count())
        throw Error("Index out of bounds: node " + std::to_string(index), 35600);
    return *nodes_[static_cast<std::size_t>(index - 1)];
}

void HeadlessTreeView::clickNode(TreeNode& node) {
    if (!usable())
        return;
    selected_ = &node;
    if (onNodeClick)
        onNodeClick(node);
}

void HeadlessTreeView::checkNode(TreeNode& node, bool checked) {
    if (usable() && checkboxes_)
        node.setChecked(checked);
}

void HeadlessTreeView::pressKey(int keyCode, int shift) {
    if (usable() && onKeyDown)
        onKeyDown(keyCode, shift);
}

} // namespace vorq::headless
