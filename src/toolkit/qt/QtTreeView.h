#pragma once

#include "host/ui/TreeView.h"
#include "toolkit/qt/QtControl.h"

#include <QIcon>
#include <QTreeWidget>
#include <map>
#include <memory>
#include <vector>

namespace vorq::qt {

class QtTreeView;

// A node over its tree widget item. The structure is kept here too, so that walking siblings
// costs nothing however many nodes a level holds.
class QtTreeNode : public TreeNode {
public:
    QtTreeNode(QtTreeView& tree, QtTreeNode* parent, QTreeWidgetItem* item, std::string text,
               int index, int position)
        : tree_(tree), parent_(parent), item_(item), text_(std::move(text)), index_(index),
          position_(position) {}

    const std::string& Text() const override { return text_; }
    const std::string& Tag() const override { return tag_; }
    void setTag(const std::string& tag) override { tag_ = tag; }
    const std::string& Image() const override { return image_; }
    void setImage(const std::string& key) override;
    const std::string& SelectedImage() const override { return selectedImage_; }
    void setSelectedImage(const std::string& key) override { selectedImage_ = key; }
    std::uint32_t ForeColor() const override { return foreColor_; }
    void setForeColor(std::uint32_t color) override;
    bool Checked() const override;
    void setChecked(bool checked) override;
    TreeNode* Parent() const override { return parent_; }
    int Children() const override { return static_cast<int>(children_.size()); }
    TreeNode* Child() const override { return children_.empty() ? nullptr : children_.front(); }
    TreeNode* Next() const override;
    TreeNode* FirstSibling() const override;
    int Index() const override { return index_; }
    void EnsureVisible() override;

    QTreeWidgetItem* item() const { return item_; }
    std::vector<QtTreeNode*>& children() { return children_; }
    const std::vector<QtTreeNode*>& children() const { return children_; }

private:
    QtTreeView& tree_;
    QtTreeNode* parent_;
    QTreeWidgetItem* item_;
    std::vector<QtTreeNode*> children_;
    std::string text_, tag_, image_, selectedImage_;
    std::uint32_t foreColor_ = kColorDefault;
    int index_;    // in the tree's collection, from 1
    int position_; // among its siblings, from 0
};

class QtTreeView : public QtControl<TreeView, QTreeWidget> {
public:
    QtTreeView(const std::string& name, QWidget* parent);
    TreeNode& AddNode(TreeNode* parent, const std::string& text, const std::string& image,
                      const std::string& selectedImage) override;
    void Clear() override;
    int Count() const override { return static_cast<int>(nodes_.size()); }
    TreeNode& Node(int index) override;
    TreeNode* SelectedItem() override;
    void setSelectedItem(TreeNode* node) override;
    bool Checkboxes() const override { return checkboxes_; }
    void setCheckboxes(bool on) override;
    int LineStyle() const override { return lineStyle_; }
    void setLineStyle(int style) override;
    void setImageList(ImageList* images) override;

    // The icon of an image key, made once per key.
    QIcon icon(const std::string& key);
    const std::vector<QtTreeNode*>& siblingsOf(const QtTreeNode* parent) const;
    QtTreeNode* nodeOf(QTreeWidgetItem* item) const;

private:
    std::vector<std::unique_ptr<QtTreeNode>> nodes_;
    std::vector<QtTreeNode*> roots_;
    std::map<std::string, QIcon> icons_;
    ImageList* images_ = nullptr;
    bool checkboxes_ = false;
    int lineStyle_ = 0;
};

} // namespace vorq::qt
