#include "browse/DeclarationTree.h"

#include "browse/RepositoryAccess.h"
#include "host/Text.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/TreeView.h"

namespace vorq::browse {
namespace {

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

void DeclarationTree::loadDeclarations(std::unique_ptr<ObjectCursor> cursor) {
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

void DeclarationTree::loadPort(ImageCombo& combo, const ComboItem& item) {
    // The port's program is the nearest entry above it that is not indented.
    std::string program;
    for (int index = item.Index() - 1; index >= 1; --index)
        if (combo.Item(index).Indentation() == 0) {
            program = combo.Item(index).Text();
            break;
        }
    auto ports = repository_.FindProgramObjects(program, "PORT");
    if (!ports)
        return;
    IdSet added;
    for (; !ports->AtEnd(); ports->MoveNext()) {
        const auto port = ports->Current();
        if (trimmed(port->Attribute("PORTNAME")) != item.Text() ||
            repository_.ProgramNameOf(port->ObjectId()) != program)
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
                TreeNode& node = tree_.AddNode(
                    nullptr, name + picturePart(decl->Attribute("PICTURE")), "item", "item");
                node.setTag(decl->ObjectId());
                if (grey)
                    node.setForeColor(kColorButtonFace);
                AddDeclChildren(*decl, &node);
            }
    }
}

void DeclarationTree::AddDeclChildren(RepositoryObject& Item, TreeNode* Node) {
    for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext()) {
        const auto child = children->Current();
        if (child->Class().ClassName() != "DECL")
            continue;
        TreeNode* node = AddItemNode(*child, Node);
        AddDeclChildren(*child, node);
    }
}

TreeNode* DeclarationTree::AddItemNode(RepositoryObject& Item, TreeNode* Parent) {
    if (upperCase(trimmed(Item.Attribute("SysVar"))) == "TRUE")
        return nullptr;
    const std::string name = Item.Attribute("Name");
    const std::string pictures = picturePart(Item.Attribute("Picture"));
    TreeNode* node = nullptr;
    bool grey = false;
    if (!Parent) {
        grey = name.empty();
        node =
            &tree_.AddNode(nullptr, (grey ? Item.DisplayName() : name) + pictures, "item", "item");
    } else {
        const std::string image = repeats(Item.Attribute("Occurs")) ? "items" : "item";
        node = &tree_.AddNode(Parent, name + pictures, image, image);
    }
    node->setTag(Item.ObjectId());
    if (grey || upperCase(trimmed(name)) == "FILLER" || hasRelation(Item, "Redefines") ||
        hasRelation(Item, "Renames from"))
        node->setForeColor(kColorButtonFace);
    return node;
}

} // namespace vorq::browse
