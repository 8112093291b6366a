#pragma once

#include "browse/SourceBrowser.h"
#include "dialog/FormControls.h"
#include "import/RunDialog.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq {

class ObjectList;
class OptionsProject;
class TreeNode;
class Window;
struct Workspaces;

// The import dialog. It is created once per thread, loaded when its controls are first
// touched, and then only shown and hidden; every Run prepares it afresh through DoCreate.
// It holds its controls and their rules; browsing the sources is the SourceBrowser's work and
// a press of OK an ImportRun's.
class frmImport : import::RunDialog {
public:
    explicit frmImport(Workspaces& workspaces);
    ~frmImport();
    frmImport(const frmImport&) = delete;
    frmImport& operator=(const frmImport&) = delete;

    // Prepares the dialog, shows it modally and returns whether an import was carried out;
    // SelectedTableId then names the table that received it, else it is -1.
    bool DoCreate(std::int32_t& SelectedTableId);

    // The controls; the first touch runs the load step.
    FormControls& controls();
    Window& window();
    browse::SourceBrowser& sources() { return browser_; }

    // Control rules and buttons.
    void UpdateControls();
    void optCreateAdd_Click(std::int16_t Index);
    // Runs the import of the checked items.
    void cmdOK_Click();
    // Outside a run: closes the dialog. During a run: asks whether to interrupt, and Yes clears
    // Importing. The window's close box does the same.
    void cmdCancel_Click();
    void cmdOptions_Click();
    // Adds the icon of a repository class to ilObjects under the class's name.
    void LoadIcon(const std::string& ClassName);

    // A run is under way; Cancel clears it to interrupt the run.
    bool Importing() override { return Importing_; }
    void setImporting(bool Importing) override { Importing_ = Importing; }
    bool InOKClick() const { return InOKClick_; }
    // The title of every message box, in the user's language.
    const std::string& MsgTitle() const { return MsgTitle_; }

    // The dialog's result: an import was carried out, and the last table a run created.
    bool ImportDone = false;
    std::string NewTableId = "-1";

private:
    void Form_Load();
    void LoadCaptions();
    void connectEvents();
    void fillSourceLists();
    void fillProgramLists();
    void CollectIds(std::vector<std::string>& Set, ObjectList& List);

    // What a run of OK asks of the dialog.
    ComboItem* chosenSource() override { return browser_.chosenSource(); }
    bool CreateNewChosen() override;
    TreeView& tree() override { return *controls().tvData; }
    ComboBox& tableList() override { return *controls().cmbTable; }
    std::string ValidateTree(bool CreateNew) override;
    void SetControlsEnabled(bool Enabled) override;
    void setMousePointer(int pointer) override;

    Workspaces& workspaces_;
    std::unique_ptr<Window> window_;
    FormControls controls_;
    browse::SourceBrowser browser_;
    std::string HelpFile_;
    std::string MsgTitle_;
    std::shared_ptr<vorq::OptionsProject> OptionsProject_;
    std::string OptionsPath_;
    bool Importing_ = false;
    bool InOKClick_ = false;
    // Set once the source lists are filled: from then on a failing set-up step is skipped.
    bool ignoringErrors_ = false;
};

} // namespace vorq
