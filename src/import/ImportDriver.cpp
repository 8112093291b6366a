// The OK button: the frame around both import modes (checks, run log, control lock,
// transaction, progress, the endings) and the column import step.

#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/ProjectDatabase.h"
#include "host/Repository.h"
#include "host/VorqWS.h"
#include "host/ui/Button.h"
#include "host/ui/ComboBox.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"

#include <algorithm>
#include <chrono>

namespace vorq {
namespace {

// The id of the host's current object, for the log; "" when the host has none.
std::string currentObjectId(VorqWS& host) {
    const auto current = host.objComposite();
    return current ? current->ObjectId() : "";
}

} // namespace

void frmImport::cmdOK_Click() {
    if (InOKClick)
        return;
    InOKClick = true;
    HostPlatform& platform = globals_.VorqWS->Platform();
    FormControls& c = controls();
    ImportRun run;
    try {
        run.log = globals_.OskWS->Log();
        ImageCombo& source = *c.cmbSource[static_cast<std::size_t>(c.tsSource->Tab())];
        const std::string sourceText = source.SelectedItem() ? source.SelectedItem()->Text() : "";
        run.RunMessage = platform.Utility().FormatMessage(LoadResString(505), {sourceText});
        window_->setMousePointer(kPointerArrowHourglass);
        ReadOptions(run.AutoKey);
        SourceKey = source.SelectedItem() ? source.SelectedItem()->Key() : "";
        run.CreateNew = c.optCreateAdd[0]->Value();
        CheckMessages.clear();
        ValidateTree(run.CreateNew);
        TreeView& tree = *c.tvData;
        bool anyChecked = false;
        for (int i = 1; i <= tree.Count() && !anyChecked; ++i)
            anyChecked = tree.Node(i).Checked();
        if (!CheckMessages.empty())
            platform.Ui().MsgBox(CheckMessages, kMsgExclamation, MsgTitle);
        if (!anyChecked) {
            platform.Ui().MsgBox(LoadResString(506), kMsgExclamation, MsgTitle);
            cleanUp();
            return;
        }
        run.log->BeginLog("Vorq");
    } catch (const std::exception& e) {
        // Nothing has been changed yet: say why and give the dialog back.
        platform.Ui().MsgBox(e.what(), kMsgCritical, MsgTitle);
        cleanUp();
        return;
    }

    SetControlsEnabled(false);
    Importing = true;
    RunEnd end = RunEnd::Failure;
    try {
        end = run.CreateNew ? NewTableImport(run) : AddToTableImport(run);
    } catch (const std::exception& e) {
        appendReason(run, e.what());
        finishProgress(run);
        end = RunEnd::Failure;
    }
    if (end == RunEnd::Success)
        successEnding(run);
    else if (end == RunEnd::Failure)
        failureEnding(run);
    else
        cleanUp();
}

void frmImport::successEnding(ImportRun& run) {
    try {
        run.log->AddLogEntry(MsgTitle, false, currentObjectId(*globals_.VorqWS), run.RunMessage, 0);
        run.log->EndLog(false);
        globals_.ProjectDB->CommitTrans();
        run.transactionOpen = false;
    } catch (const std::exception& e) {
        appendReason(run, e.what());
        failureEnding(run);
        return;
    }
    window_->Hide();
    Importing = false;
    SetControlsEnabled(true);
    UpdateControls();
    InOKClick = false;
    window_->setMousePointer(kPointerDefault);
    Prefixes.clear();
    ImportDone = true;
}

void frmImport::failureEnding(ImportRun& run) {
    // Each part is tried on its own: a failing log must not keep the rollback from happening.
    const auto tryTo = [](auto&& step) {
        try {
            step();
        } catch (const std::exception&) {
            // The run already failed; the rest of the ending still runs.
        }
    };
    tryTo([&] {
        run.log->AddLogEntry("", true, currentObjectId(*globals_.VorqWS), run.RunMessage, 0);
    });
    tryTo([&] { run.log->EndLog(true); });
    if (run.transactionOpen)
        tryTo([&] { globals_.ProjectDB->Rollback(); });
    run.transactionOpen = false;
    tryTo([&] { globals_.VorqWS->RefreshBrowser(); });
    cleanUp();
}

void frmImport::cleanUp() {
    SetControlsEnabled(true);
    UpdateControls();
    InOKClick = false;
    window_->setMousePointer(kPointerDefault);
    Prefixes.clear();
    Importing = false;
}

void frmImport::SetControlsEnabled(bool Enabled) {
    FormControls& c = controls();
    c.cmdOptions->setEnabled(Enabled);
    c.cmdOK->setEnabled(Enabled);
    c.cmbSource[static_cast<std::size_t>(c.tsSource->Tab())]->setEnabled(Enabled);
    c.tsSource->setEnabled(Enabled);
    c.optCreateAdd[0]->setEnabled(Enabled);
    c.optCreateAdd[1]->setEnabled(Enabled);
    c.tvData->setEnabled(Enabled);
    c.cmbTable->setEnabled(Enabled);
}

void frmImport::beginTransaction(ImportRun& run) {
    globals_.ProjectDB->BeginTrans();
    run.transactionOpen = true;
}

void frmImport::startProgress(ImportRun& run, std::int64_t steps) {
    std::int32_t total = static_cast<std::int32_t>(steps);
    globals_.VorqWS->StartProgress(LoadResString(507), total);
    run.progressOpen = true;
}

void frmImport::finishProgress(ImportRun& run) {
    if (!run.progressOpen)
        return;
    run.progressOpen = false;
    globals_.VorqWS->FinishProgress();
}

void frmImport::appendReason(ImportRun& run, const std::string& reason) {
    run.RunMessage += ": " + reason;
}

std::string frmImport::sourceReference(const std::string& objectId) const {
    return "xr:" + SourceKey + "?" + objectId;
}

void frmImport::ColumnImportStep(std::int32_t& TabID, const std::string& Name,
                                 const std::string& Suffix, const std::string& ObjectId,
                                 std::int32_t& Datatype, std::int32_t& Precision,
                                 std::int32_t& Scale, bool KeyFlag,
                                 std::vector<std::int32_t>& KeyColumns) {
    VorqWS& host = *globals_.VorqWS;
    host.StartStep("");
    const std::string columnName = StripPrefix(Name) + Suffix;
    std::string message;
    const std::int32_t id = host.ColumnImport(
        TabID, host.SQLID(columnName), Datatype, Precision, Scale, std::chrono::system_clock::now(),
        "DataStructImport", sourceReference(ObjectId), message);
    if (KeyFlag || MatchesKeyPatterns(Name))
        KeyColumns.push_back(id);
    host.FinishStep(1);
}

} // namespace vorq
