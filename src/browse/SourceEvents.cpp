// The user's interaction with the source combos and the tree: tabs, the combos' key rule,
// checking all records at once, and telling the host which object was clicked.

#include "component/Globals.h"
#include "dialog/frmImport.h"
#include "host/VorqWS.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/TabStrip.h"
#include "host/ui/TreeView.h"

namespace vorq {
namespace {
constexpr std::int16_t kPageUp = 33, kPageDown = 34, kUp = 38, kDown = 40, kKeyA = 65;
constexpr std::int16_t kCtrl = 2;
} // namespace

void frmImport::tsSource_Click(std::int16_t) {
    FormControls& c = controls();
    const int tab = c.tsSource->Tab();
    for (int i = 0; i < 3; ++i)
        c.cmbSource[static_cast<std::size_t>(i)]->setVisible(i == tab);
    cmbSource_Click(static_cast<std::int16_t>(tab));
}

void frmImport::cmbSource_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t) {
    if (KeyCode == kPageUp || KeyCode == kPageDown || KeyCode == kUp || KeyCode == kDown) {
        RememberedItem = nullptr;
        return;
    }
    if (ComboItem* selected = controls().cmbSource[static_cast<std::size_t>(Index)]->SelectedItem())
        RememberedItem = selected;
}

void frmImport::cmbSource_KeyUp(std::int16_t Index, std::int16_t, std::int16_t) {
    if (RememberedItem)
        controls().cmbSource[static_cast<std::size_t>(Index)]->setSelectedItem(RememberedItem);
}

void frmImport::cmbSource_GotFocus(std::int16_t Index) {
    cmbSource_KeyDown(Index, 0, 0);
}

void frmImport::tvData_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    if (KeyCode != kKeyA || Shift != kCtrl)
        return;
    TreeView& tree = *controls().tvData;
    for (int i = 1; i <= tree.Count(); ++i)
        if (!tree.Node(i).Parent())
            tree.Node(i).setChecked(true);
}

void frmImport::tvData_NodeClick(TreeNode& Node) {
    FormControls& c = controls();
    ImageCombo& combo = *c.cmbSource[static_cast<std::size_t>(c.tsSource->Tab())];
    const ComboItem* selected = combo.SelectedItem();
    if (!selected)
        return;
    int index = selected->Index();
    while (index > 1 && combo.Item(index).Indentation() > 0)
        --index;
    globals_.VorqWS->setOskRL("xr:" + combo.Item(index).Key() + "?" + Node.Tag());
}

} // namespace vorq
