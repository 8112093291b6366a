#pragma once

#include "browse/RepositoryAccess.h"
#include "dialog/FormControls.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq {

struct Globals;
class ComboItem;
class ObjectCursor;
class ObjectList;
class OptionsProject;
class RepositoryObject;
class TreeNode;
class Window;

// The import dialog. It is created once per thread, loaded when its controls are first
// touched, and then only shown and hidden; every Run prepares it afresh through DoCreate.
// Its procedures are spread over the component's folders by concern: set-up and control rules
// in dialog/, the declaration tree and its events in browse/.
class frmImport {
public:
    explicit frmImport(Globals& globals);
    ~frmImport();
    frmImport(const frmImport&) = delete;
    frmImport& operator=(const frmImport&) = delete;

    // Prepares the dialog, shows it modally and returns whether an import was carried out;
    // SelectedTableId then names the table that received it, else it is -1.
    bool DoCreate(std::int32_t& SelectedTableId);

    // The controls; the first touch runs the load step.
    FormControls& controls();
    Window& window();

    // Control rules and buttons (dialog/).
    void UpdateControls();
    void optCreateAdd_Click(std::int16_t Index);
    // Outside a run: closes the dialog. During a run: asks whether to interrupt, and Yes clears
    // Importing. The window's close box does the same.
    void cmdCancel_Click();
    void cmdOptions_Click();
    // Adds the icon of a repository class to ilObjects under the class's name.
    void LoadIcon(const std::string& ClassName);

    // Source and tree events (browse/).
    void tsSource_Click(std::int16_t PreviousTab);
    void cmbSource_Click(std::int16_t Index);
    void cmbSource_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift);
    void cmbSource_KeyUp(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift);
    void cmbSource_GotFocus(std::int16_t Index);
    void tvData_NodeClick(TreeNode& Node);
    void tvData_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    // The check rules: unchecks offending nodes and reports each in CheckMessages.
    void ValidateTree(bool CreateNew);

    std::string HelpFile;
    bool ImportDone = false;
    std::string NewTableId = "-1";
    bool Importing = false;
    bool InOKClick = false;
    std::string MsgTitle;
    std::shared_ptr<vorq::OptionsProject> OptionsProject;
    std::string OptionsPath;
    std::string CheckMessages;
    ComboItem* RememberedItem = nullptr;
    std::string SourceKey;
    // The open repository database of the chosen source.
    RepositoryAccess repository;

private:
    void Form_Load();
    void LoadCaptions();
    void connectEvents();
    void fillSourceLists();
    void CollectIds(std::vector<std::string>& Set, ObjectList& List);

    void loadDeclarations(std::unique_ptr<ObjectCursor> cursor);
    void loadPort(const ComboItem& item);
    TreeNode* AddItemNode(RepositoryObject& Item, TreeNode* Parent);
    void AddDeclChildren(RepositoryObject& Item, TreeNode* Node);
    void ValidateChecks(TreeNode& Node, bool ParentChecked, bool CreateNew);

    Globals& globals_;
    std::unique_ptr<Window> window_;
    FormControls controls_;
    bool ignoringErrors_ = false; // set-up from step 13.3 on
};

// The path of the import options node in the host's options project.
std::string importOptionsPath();

} // namespace vorq
