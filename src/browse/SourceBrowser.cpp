#include "browse/SourceBrowser.h"

#include "browse/DeclarationTree.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/SourceReference.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"
#include "resources/ResModule.h"

namespace vorq::browse {
namespace {
constexpr std::int16_t kPageUp = 33, kPageDown = 34, kUp = 38, kDown = 40, kKeyA = 65;
constexpr std::int16_t kCtrl = 2;
constexpr int kPortsTab = 2;
} // namespace

ComboItem* SourceBrowser::chosenSource() const {
    return c_.cmbSource[static_cast<std::size_t>(c_.tsSource->Tab())]->SelectedItem();
}

void SourceBrowser::tsSource_Click(std::int16_t) {
    const int tab = c_.tsSource->Tab();
    for (int i = 0; i < 3; ++i)
        c_.cmbSource[static_cast<std::size_t>(i)]->setVisible(i == tab);
    cmbSource_Click(static_cast<std::int16_t>(tab));
}

void SourceBrowser::showTree(bool visible, int pointer) {
    c_.tvData->setVisible(visible);
    c_.window->setMousePointer(pointer);
}

void SourceBrowser::cmbSource_Click(std::int16_t Index) {
    TreeView& tree = *c_.tvData;
    showTree(false, kPointerArrowHourglass);
    tree.Clear();

    ComboItem* item = c_.cmbSource[static_cast<std::size_t>(Index)]->SelectedItem();
    // On the ports tab only a port is a source; its program's line chooses nothing.
    const bool chosen =
        item && !(c_.tsSource->Tab() == kPortsTab &&
                  workspaces_.OskWS->Repository().ObjectType(item->Key()) != "DATAPORT");
    if (!chosen) {
        repository.OpenXRDB("", "");
        updateControls_();
        showTree(true, kPointerDefault);
        return;
    }
    if (!repository.OpenXRDB(item->Tag(), item->Key())) {
        updateControls_();
        tree.setVisible(true);
        tree.AddNode(nullptr, LoadResString(StringId::SourceNotVerified), "", "");
        c_.window->setMousePointer(kPointerDefault);
        if (!repository.OpenFailure.empty())
            workspaces_.VorqWS->Platform().Ui().MsgBox(repository.OpenFailure, kMsgExclamation,
                                                       LoadResString(StringId::MessageTitle));
        return;
    }
    tree.setVisible(true);
    updateControls_();
    c_.window->setMousePointer(kPointerHourglass);
    DeclarationTree declarations(tree, repository);
    switch (c_.tsSource->Tab()) {
    case 0:
        declarations.loadDeclarations(repository.RepositoryDB->ObjectsOfClass("", "DECL"));
        break;
    case 1:
        declarations.loadDeclarations(repository.FindProgramObjects(item->Text(), "DECL"));
        break;
    case kPortsTab:
        declarations.loadPort(*c_.cmbSource[kPortsTab], *item);
        break;
    default:
        break;
    }
    tree.setEnabled(true);
    showTree(true, kPointerDefault);
}

void SourceBrowser::cmbSource_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t) {
    // Arrow and page keys move the choice on purpose; any other key must not change it.
    if (KeyCode == kPageUp || KeyCode == kPageDown || KeyCode == kUp || KeyCode == kDown) {
        RememberedItem = nullptr;
        return;
    }
    if (ComboItem* selected = c_.cmbSource[static_cast<std::size_t>(Index)]->SelectedItem())
        RememberedItem = selected;
}

void SourceBrowser::cmbSource_KeyUp(std::int16_t Index, std::int16_t, std::int16_t) {
    if (!RememberedItem)
        return;
    ImageCombo& combo = *c_.cmbSource[static_cast<std::size_t>(Index)];
    const bool moved = combo.SelectedItem() != RememberedItem;
    combo.setSelectedItem(RememberedItem);
    // The key's own choice already rebuilt the tree; the tree must show what the combo shows.
    if (moved)
        cmbSource_Click(Index);
}

void SourceBrowser::cmbSource_GotFocus(std::int16_t Index) {
    cmbSource_KeyDown(Index, 0, 0);
}

void SourceBrowser::tvData_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    if (KeyCode != kKeyA || Shift != kCtrl)
        return;
    TreeView& tree = *c_.tvData;
    for (int i = 1; i <= tree.Count(); ++i)
        if (!tree.Node(i).Parent())
            tree.Node(i).setChecked(true);
}

void SourceBrowser::tvData_NodeClick(TreeNode& Node) {
    ImageCombo& combo = *c_.cmbSource[static_cast<std::size_t>(c_.tsSource->Tab())];
    const ComboItem* selected = combo.SelectedItem();
    if (!selected)
        return;
    // A port's reference names its program: the nearest entry above that is not indented.
    int index = selected->Index();
    while (index > 1 && combo.Item(index).Indentation() > 0)
        --index;
    workspaces_.VorqWS->setOskRL(sourceReference(combo.Item(index).Key(), Node.Tag()));
}

} // namespace vorq::browse
