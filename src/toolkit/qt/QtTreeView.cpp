#include "toolkit/qt/QtTreeView.h"

#include "host/ui/ImageList.h"
#include "toolkit/qt/KeyCodes.h"
#include "toolkit/qt/PictureImage.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>

namespace vorq::qt {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

// The tree's keys as the dialog takes them; it also knows whether a key is down, so that a
// node reached with the keyboard is reported as one that was clicked.
class TreeKeys : public QObject {
public:
    TreeKeys(QObject* parent, TreeView& tree) : QObject(parent), tree_(tree) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            keyDown_ = true;
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (tree_.onKeyDown)
                tree_.onKeyDown(keyCode(key), shiftState(key));
        } else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::FocusOut) {
            keyDown_ = false;
        }
        return false;
    }
    bool keyDown() const { return keyDown_; }

private:
    TreeView& tree_;
    bool keyDown_ = false;
};

} // namespace

void QtTreeNode::setImage(const std::string& key) {
    image_ = key;
    item_->setIcon(0, tree_.icon(key));
}

void QtTreeNode::setForeColor(std::uint32_t color) {
    foreColor_ = color;
    // The system colours are those of the palette: "button face" text looks greyed out.
    const QPalette palette = tree_.widget()->palette();
    item_->setForeground(
        0, color == kColorButtonFace ? palette.color(QPalette::Disabled, QPalette::Text)
           : color == kColorDefault  ? palette.color(QPalette::Text)
                                     : QColor::fromRgb(static_cast<QRgb>(color & 0xffffff)));
}

bool QtTreeNode::Checked() const {
    return item_->checkState(0) == Qt::Checked;
}

void QtTreeNode::setChecked(bool checked) {
    item_->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

TreeNode* QtTreeNode::Next() const {
    const auto& siblings = tree_.siblingsOf(parent_);
    const auto next = static_cast<std::size_t>(position_) + 1;
    return next < siblings.size() ? siblings[next] : nullptr;
}

TreeNode* QtTreeNode::FirstSibling() const {
    return tree_.siblingsOf(parent_).front();
}

void QtTreeNode::EnsureVisible() {
    for (QTreeWidgetItem* above = item_->parent(); above; above = above->parent())
        above->setExpanded(true);
    tree_.widget()->scrollToItem(item_);
}

QtTreeView::QtTreeView(const std::string& name, QWidget* parent)
    : QtControl(name, new QTreeWidget(parent)) {
    widget()->setHeaderHidden(true);
    widget()->setUniformRowHeights(true); // rows need not be measured one by one
    // Deep items keep their whole text: the column is as wide as its rows and scrolls sideways.
    widget()->header()->setStretchLastSection(false);
    widget()->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* keys = new TreeKeys(widget(), *this);
    widget()->installEventFilter(keys);
    QObject::connect(widget(), &QTreeWidget::itemClicked, [this](QTreeWidgetItem* item, int) {
        if (QtTreeNode* node = nodeOf(item); node && onNodeClick)
            onNodeClick(*node);
    });
    QObject::connect(widget(), &QTreeWidget::currentItemChanged,
                     [this, keys](QTreeWidgetItem* item, QTreeWidgetItem*) {
                         if (QtTreeNode* node = nodeOf(item);
                             node && keys->keyDown() && onNodeClick)
                             onNodeClick(*node);
                     });
}

TreeNode& QtTreeView::AddNode(TreeNode* parent, const std::string& text, const std::string& image,
                              const std::string& selectedImage) {
    auto* above = static_cast<QtTreeNode*>(parent);
    auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(text)));
    if (checkboxes_)
        item->setCheckState(0, Qt::Unchecked);
    std::vector<QtTreeNode*>& siblings = above ? above->children() : roots_;
    nodes_.push_back(std::make_unique<QtTreeNode>(*this, above, item, text,
                                                  static_cast<int>(nodes_.size()) + 1,
                                                  static_cast<int>(siblings.size())));
    QtTreeNode& node = *nodes_.back();
    item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(&node)));
    siblings.push_back(&node);
    if (above)
        above->item()->addChild(item);
    else
        widget()->addTopLevelItem(item);
    if (!image.empty())
        node.setImage(image);
    node.setSelectedImage(selectedImage);
    return node;
}

void QtTreeView::Clear() {
    widget()->clear();
    roots_.clear();
    nodes_.clear();
}

TreeNode& QtTreeView::Node(int index) {
    if (index < 1 || index > Count())
        throw Error("Index out of bounds: node " + std::to_string(index), 35600);
    return *nodes_[static_cast<std::size_t>(index - 1)];
}

TreeNode* QtTreeView::SelectedItem() {
    return nodeOf(widget()->currentItem());
}

void QtTreeView::setSelectedItem(TreeNode* node) {
    widget()->setCurrentItem(node ? static_cast<QtTreeNode*>(node)->item() : nullptr);
}

void QtTreeView::setCheckboxes(bool on) {
    if (checkboxes_ == on)
        return;
    checkboxes_ = on;
    for (const auto& node : nodes_)
        if (on)
            node->item()->setCheckState(0, Qt::Unchecked);
        else
            node->item()->setData(0, Qt::CheckStateRole, QVariant());
}

void QtTreeView::setLineStyle(int style) {
    lineStyle_ = style;
    widget()->setRootIsDecorated(style == 1);
}

void QtTreeView::setImageList(ImageList* images) {
    images_ = images;
    icons_.clear();
}

QIcon QtTreeView::icon(const std::string& key) {
    const auto known = icons_.find(key);
    if (known != icons_.end())
        return known->second;
    const QIcon made = images_ && images_->Contains(key) ? toIcon(images_->Item(key)) : QIcon();
    icons_.emplace(key, made);
    return made;
}

const std::vector<QtTreeNode*>& QtTreeView::siblingsOf(const QtTreeNode* parent) const {
    return parent ? parent->children() : roots_;
}

QtTreeNode* QtTreeView::nodeOf(QTreeWidgetItem* item) const {
    return item ? static_cast<QtTreeNode*>(item->data(0, kNodeRole).value<void*>()) : nullptr;
}

} // namespace vorq::qt
