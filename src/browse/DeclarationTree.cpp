// The declaration tree: the data items of the chosen source, one node per "DECL" object.

#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "dialog/frmImport.h"
#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/RepositoryDatabase.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/TabStrip.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"

#include <cctype>

namespace vorq {
namespace {

std::string trimmedUpper(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    std::string u = text.substr(first, text.find_last_not_of(' ') - first + 1);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string picturePart(const std::string& picture) {
    return picture.empty() ? "" : " PICTURE " + picture;
}

// An item repeats when its "Occurs" says so; an empty and a "0" Occurs both mean it does not.
bool repeats(const std::string& occurs) {
    return !occurs.empty() && occurs != "0";
}

bool hasRelation(RepositoryObject& object, const std::string& relation) {
    return !object.Related(relation)->AtEnd();
}

} // namespace

void frmImport::cmbSource_Click(std::int16_t Index) {
    FormControls& c = controls();
    TreeView& tree = *c.tvData;
    window_->setMousePointer(kPointerArrowHourglass);
    tree.setVisible(false);
    tree.Clear();

    ComboItem* item = c.cmbSource[static_cast<std::size_t>(Index)]->SelectedItem();
    const bool chosen = item && !(c.tsSource->Tab() == 2 && globals_.OskWS->Repository().ObjectType(
                                                                item->Key()) != "DATAPORT");
    if (!chosen) {
        repository.OpenXRDB("", "");
        UpdateControls();
        tree.setVisible(true);
        window_->setMousePointer(kPointerDefault);
        return;
    }
    const std::string key = item->Key(), text = item->Text(), tag = item->Tag();
    if (!repository.OpenXRDB(tag, key)) {
        UpdateControls();
        tree.setVisible(true);
        tree.AddNode(nullptr, LoadResString(500), "", "");
        window_->setMousePointer(kPointerDefault);
        return;
    }
    tree.setVisible(true);
    UpdateControls();
    window_->setMousePointer(kPointerHourglass);
    switch (c.tsSource->Tab()) {
    case 0:
        loadDeclarations(repository.RepositoryDB->ObjectsOfClass("", "DECL"));
        break;
    case 1:
        loadDeclarations(repository.FindProgramObjects(text, "DECL"));
        break;
    case 2:
        loadPort(*item);
        break;
    default:
        break;
    }
    tree.setEnabled(true);
    tree.setVisible(true);
    window_->setMousePointer(kPointerDefault);
}

// Copybooks and programs: a top-level node per declaration whose parent is no declaration;
// nested declarations come with their parent's subtree.
void frmImport::loadDeclarations(std::unique_ptr<ObjectCursor> cursor) {
    if (!cursor)
        return;
    for (; !cursor->AtEnd(); cursor->MoveNext()) {
        const auto object = cursor->Current();
        const auto parent = object->Parent();
        if (!parent) {
            AddDeclChildren(*object, nullptr);
        } else if (parent->Class().ClassName() != "DECL") {
            TreeNode* node = AddItemNode(*object, nullptr);
            AddDeclChildren(*object, node);
        }
    }
}

// A data port: the records its program reads or writes through it, each once.
void frmImport::loadPort(const ComboItem& item) {
    ImageCombo& combo = *controls().cmbSource[2];
    std::string program;
    for (int index = item.Index() - 1; index >= 1; --index)
        if (combo.Item(index).Indentation() == 0) {
            program = combo.Item(index).Text();
            break;
        }
    auto ports = repository.FindProgramObjects(program, "PORT");
    if (!ports)
        return;
    IdSet added;
    TreeView& tree = *controls().tvData;
    for (; !ports->AtEnd(); ports->MoveNext()) {
        const auto port = ports->Current();
        if (trimmed(port->Attribute("PORTNAME")) != item.Text() ||
            repository.ProgramNameOf(port->ObjectId()) != program)
            continue;
        for (auto uses = port->Related("use"); !uses->AtEnd(); uses->MoveNext())
            for (auto decls = uses->Current()->Related("Declaration"); !decls->AtEnd();
                 decls->MoveNext()) {
                const auto decl = decls->Current();
                if (!RepositoryAccess::AddIfNew(added, decl->ObjectId()) ||
                    decl->Attribute("SysVar") == "True")
                    continue;
                std::string name = decl->Attribute("Name");
                const bool grey = name.empty();
                if (grey)
                    name = decl->DisplayName();
                TreeNode& node = tree.AddNode(
                    nullptr, name + picturePart(decl->Attribute("PICTURE")), "item", "item");
                node.setTag(decl->ObjectId());
                if (grey)
                    node.setForeColor(kColorButtonFace);
                AddDeclChildren(*decl, &node);
            }
    }
}

void frmImport::AddDeclChildren(RepositoryObject& Item, TreeNode* Node) {
    for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext()) {
        const auto child = children->Current();
        if (child->Class().ClassName() != "DECL")
            continue;
        TreeNode* node = AddItemNode(*child, Node);
        AddDeclChildren(*child, node);
    }
}

TreeNode* frmImport::AddItemNode(RepositoryObject& Item, TreeNode* Parent) {
    if (trimmedUpper(Item.Attribute("SysVar")) == "TRUE")
        return nullptr;
    const std::string name = Item.Attribute("Name");
    const std::string pictures = picturePart(Item.Attribute("Picture"));
    TreeView& tree = *controls().tvData;
    TreeNode* node = nullptr;
    bool grey = false;
    if (!Parent) {
        grey = name.empty();
        node =
            &tree.AddNode(nullptr, (grey ? Item.DisplayName() : name) + pictures, "item", "item");
    } else {
        const std::string image = repeats(Item.Attribute("Occurs")) ? "items" : "item";
        node = &tree.AddNode(Parent, name + pictures, image, image);
    }
    node->setTag(Item.ObjectId());
    if (grey || trimmedUpper(name) == "FILLER" || hasRelation(Item, "Redefines") ||
        hasRelation(Item, "Renames from"))
        node->setForeColor(kColorButtonFace);
    return node;
}

} // namespace vorq
