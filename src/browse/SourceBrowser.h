#pragma once

#include "browse/RepositoryAccess.h"

#include <array>
#include <cstdint>
#include <functional>

namespace vorq {
class ComboItem;
class ImageCombo;
class TabStrip;
class TreeNode;
class TreeView;
class Window;
struct Workspaces;
} // namespace vorq

namespace vorq::browse {

// The controls that choosing a source and browsing its items work on.
struct BrowseControls {
    Window* window = nullptr;
    TabStrip* tsSource = nullptr;
    std::array<ImageCombo*, 3> cmbSource{};
    TreeView* tvData = nullptr;
};

// The user's interaction with the sources and their items: the tabs, the source combos and
// their key rule, the tree, checking all records at once, and telling the host which object
// was clicked. It holds the repository database of the chosen source.
class SourceBrowser {
public:
    // updateControls applies the dialog's control rules after a source was opened or closed.
    SourceBrowser(Workspaces& workspaces, std::function<void()> updateControls)
        : repository(workspaces), workspaces_(workspaces),
          updateControls_(std::move(updateControls)) {}

    void attach(const BrowseControls& controls) { c_ = controls; }

    void tsSource_Click(std::int16_t PreviousTab);
    // Opens the chosen source's database and fills the tree from it.
    void cmbSource_Click(std::int16_t Index);
    void cmbSource_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift);
    void cmbSource_KeyUp(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift);
    void cmbSource_GotFocus(std::int16_t Index);
    void tvData_NodeClick(TreeNode& Node);
    void tvData_KeyDown(std::int16_t KeyCode, std::int16_t Shift);

    // The entry of the current tab's combo that is chosen, or null.
    ComboItem* chosenSource() const;

    RepositoryAccess repository;
    // The entry that the arrow-key rule puts back after a key was released.
    ComboItem* RememberedItem = nullptr;

private:
    void showTree(bool visible, int pointer);

    Workspaces& workspaces_;
    std::function<void()> updateControls_;
    BrowseControls c_;
};

} // namespace vorq::browse
