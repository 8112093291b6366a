#pragma once

#include "host/ui/TreeView.h"
#include "toolkit/headless/HeadlessControl.h"

#include <memory>
#include <vector>

namespace vorq::headless {

class HeadlessTreeView;

class HeadlessTreeNode : public TreeNode {
public:
    HeadlessTreeNode(HeadlessTreeView& tree, HeadlessTreeNode* parent, std::string text, int index)
        : tree_(tree), parent_(parent), text_(std::move(text)), index_(index) {}

    const std::string& Text() const override { return text_; }
    const std::string& Tag() const override { return tag_; }
    void setTag(const std::string& tag) override { tag_ = tag; }
    const std::string& Image() const override { return image_; }
    void setImage(const std::string& key) override { image_ = key; }
    const std::string& SelectedImage() const override { return selectedImage_; }
    void setSelectedImage(const std::string& key) override { selectedImage_ = key; }
    std::uint32_t ForeColor() const override { return foreColor_; }
    void setForeColor(std::uint32_t color) override { foreColor_ = color; }
    bool Checked() const override { return checked_; }
    void setChecked(bool checked) override { checked_ = checked; }
    TreeNode* Parent() const override { return parent_; }
    int Children() const override { return static_cast<int>(children_.size()); }
    TreeNode* Child() const override { return children_.empty() ? nullptr : children_.front(); }
    TreeNode* Next() const override;
    TreeNode* FirstSibling() const override;
    int Index() const override { return index_; }
    void EnsureVisible() override { visibleRequested_ = true; }

    bool visibleRequested() const { return visibleRequested_; }
    void appendChild(HeadlessTreeNode* child) { children_.push_back(child); }
    const std::vector<HeadlessTreeNode*>& children() const { return children_; }

private:
    HeadlessTreeView& tree_;
    HeadlessTreeNode* parent_;
    std::vector<HeadlessTreeNode*> children_;
    std::string text_, tag_, image_, selectedImage_;
    std::uint32_t foreColor_ = kColorDefault;
    bool checked_ = false;
    bool visibleRequested_ = false;
    int index_;
};

class HeadlessTreeView : public TreeView, public HeadlessControl {
public:
    using HeadlessControl::HeadlessControl;

    TreeNode& AddNode(TreeNode* parent, const std::string& text, const std::string& image,
                      const std::string& selectedImage) override;
    void Clear() override;
    int Count() const override { return static_cast<int>(nodes_.size()); }
    TreeNode& Node(int index) override;
    TreeNode* SelectedItem() override { return selected_; }
    void setSelectedItem(TreeNode* node) override { selected_ = node; }
    bool Checkboxes() const override { return checkboxes_; }
    void setCheckboxes(bool on) override { checkboxes_ = on; }
    int LineStyle() const override { return lineStyle_; }
    void setLineStyle(int style) override { lineStyle_ = style; }
    void setImageList(ImageList* images) override { images_ = images; }

    const std::vector<HeadlessTreeNode*>& roots() const { return roots_; }
    // A user's click on a node: selects it and raises onNodeClick.
    void clickNode(TreeNode& node);
    // A user's tick in a node's check box.
    void checkNode(TreeNode& node, bool checked);
    // A key pressed while the tree has the focus.
    void pressKey(int keyCode, int shift = 0);

private:
    std::vector<std::unique_ptr<HeadlessTreeNode>> nodes_;
    std::vector<HeadlessTreeNode*> roots_;
    TreeNode* selected_ = nullptr;
    ImageList* images_ = nullptr;
    bool checkboxes_ = false;
    int lineStyle_ = 0;
};

} // namespace vorq::headless
