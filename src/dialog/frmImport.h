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
class WorkbenchLog;
struct ItemRecord;

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

    // The import (import/, builder/).
    void cmdOK_Click();
    // Name without the first configured prefix that it begins with (plus a hyphen).
    std::string StripPrefix(const std::string& Name) const;
    // The name matches one of the key patterns (?, *, #, [list], [!list]; case-sensitive).
    bool MatchesKeyPatterns(const std::string& Name) const;
    // How many columns an item and its subtree will make.
    std::int64_t CountColumns(RepositoryObject& Item, bool SkipRedefined);

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
    std::vector<std::string> Prefixes;
    std::vector<std::string> Patterns;
    std::int32_t Threshold = 0;
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

    // One press of OK.
    struct ImportRun {
        std::string RunMessage;
        bool AutoKey = false;
        bool CreateNew = false;
        std::shared_ptr<WorkbenchLog> log;
        bool transactionOpen = false;
        bool progressOpen = false;
    };
    enum class RunEnd { Success, Failure, Stop };

    void ReadOptions(bool& AutoKey);
    void SetControlsEnabled(bool Enabled);
    RunEnd NewTableImport(ImportRun& run);
    RunEnd AddToTableImport(ImportRun& run);
    void successEnding(ImportRun& run);
    void failureEnding(ImportRun& run);
    void cleanUp();
    void beginTransaction(ImportRun& run);
    void startProgress(ImportRun& run, std::int64_t steps);
    void finishProgress(ImportRun& run);
    // Appends ": " and the text to the run message.
    void appendReason(ImportRun& run, const std::string& reason);
    std::string sourceReference(const std::string& objectId) const;
    void ColumnImportStep(std::int32_t& TabID, const std::string& Name, const std::string& Suffix,
                          const std::string& ObjectId, std::int32_t& Datatype,
                          std::int32_t& Precision, std::int32_t& Scale, bool KeyFlag,
                          std::vector<std::int32_t>& KeyColumns);
    bool ImportItem(RepositoryObject& Item, const std::string& TableName, std::int32_t& TabID,
                    const std::string& Suffix, bool SkipRedefined, bool KeyFlag,
                    std::vector<std::int32_t>& KeyColumns);
    bool importIntoChildTable(RepositoryObject& Item, const ItemRecord& record, bool hasDeclChild,
                              const std::string& TableName, std::int32_t& TabID,
                              const std::string& Suffix, std::int32_t& Datatype,
                              std::int32_t& Precision, std::int32_t& Scale);
    void CopyKeys(std::int32_t TabID, const std::vector<std::int32_t>& KeyColumns);

    Globals& globals_;
    std::unique_ptr<Window> window_;
    FormControls controls_;
    bool ignoringErrors_ = false; // set-up from step 13.3 on
};

// The path of the import options node in the host's options project.
std::string importOptionsPath();

} // namespace vorq
