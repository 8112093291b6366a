#pragma once

#include "host/ui/Control.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vorq {

class ImageList;

// The system colour "button face", used as a node's text colour for a greyed look.
constexpr std::uint32_t kColorButtonFace = 0x8000000F;
// A node's text colour when none was set.
constexpr std::uint32_t kColorDefault = 0x80000008;

// A node of a tree view; owned by its tree.
class TreeNode {
public:
    virtual ~TreeNode() = default;
    virtual const std::string& Text() const = 0;
    virtual const std::string& Tag() const = 0;
    virtual void setTag(const std::string& tag) = 0;
    virtual const std::string& Image() const = 0;
    virtual void setImage(const std::string& key) = 0;
    virtual const std::string& SelectedImage() const = 0;
    virtual void setSelectedImage(const std::string& key) = 0;
    virtual std::uint32_t ForeColor() const = 0;
    virtual void setForeColor(std::uint32_t color) = 0;
    virtual bool Checked() const = 0;
    virtual void setChecked(bool checked) = 0;
    // The enclosing node, nullptr at the top.
    virtual TreeNode* Parent() const = 0;
    virtual int Children() const = 0;
    // First child, nullptr when none.
    virtual TreeNode* Child() const = 0;
    // Next node of the same parent, nullptr after the last.
    virtual TreeNode* Next() const = 0;
    // First node of the same parent.
    virtual TreeNode* FirstSibling() const = 0;
    // 1-based position in the tree's node collection (order of adding).
    virtual int Index() const = 0;
    // Expands the ancestors and scrolls the node into view.
    virtual void EnsureVisible() = 0;
};

// A tree with check boxes and per-node text colour.
class TreeView : public virtual Control {
public:
    // Adds a node: at the top when parent is nullptr, else as the parent's last child.
    virtual TreeNode& AddNode(TreeNode* parent, const std::string& text, const std::string& image,
                              const std::string& selectedImage) = 0;
    virtual void Clear() = 0;
    // Number of nodes in the whole tree.
    virtual int Count() const = 0;
    // Node at a 1-based index in order of adding; out of range raises vorq::Error.
    virtual TreeNode& Node(int index) = 0;
    virtual TreeNode* SelectedItem() = 0;
    virtual void setSelectedItem(TreeNode* node) = 0;
    virtual bool Checkboxes() const = 0;
    virtual void setCheckboxes(bool on) = 0;
    // 0: lines between nodes only; 1: lines at the root too.
    virtual int LineStyle() const = 0;
    virtual void setLineStyle(int style) = 0;
    virtual void setImageList(ImageList* images) = 0;

    // Handlers: a node was clicked; a key went down (key code, shift state).
    std::function<void(TreeNode& node)> onNodeClick;
    std::function<void(int keyCode, int shift)> onKeyDown;
};

} // namespace vorq
