// The frame around both import modes: options and checks, run log, control lock, transaction,
// progress and the two endings.

#include "import/ImportRun.h"

#include "host/Error.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/ProjectDatabase.h"
#include "host/Repository.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"
#include "import/RunDialog.h"
#include "resources/ResModule.h"

namespace vorq::import {
namespace {

// The id of the host's current object, for the log; "" when the host has none.
std::string currentObjectId(VorqWS& host) {
    const auto current = host.objComposite();
    return current ? current->ObjectId() : "";
}

} // namespace

ImportRun::ImportRun(Workspaces& workspaces, RunDialog& dialog, RepositoryDatabase* source,
                     OptionsProject& optionsProject, const std::string& OptionsPath,
                     const std::string& MsgTitle)
    : workspaces_(workspaces), dialog_(dialog), source_(source), optionsProject_(optionsProject),
      OptionsPath_(OptionsPath), MsgTitle_(MsgTitle),
      builder_(*workspaces.VorqWS, *workspaces.ProjectDB, options_.build, *this) {}

bool ImportRun::execute(std::string& NewTableId) {
    if (!prepare())
        return false;
    dialog_.SetControlsEnabled(false);
    dialog_.setImporting(true);
    RunEnd end = RunEnd::Failure;
    try {
        end = CreateNew ? NewTableImport(NewTableId) : AddToTableImport();
    } catch (const std::exception& e) {
        // A failure that no rule foresaw (a locked or damaged file): the user sees its cause
        // at once, and the run log keeps it.
        workspaces_.VorqWS->Platform().Ui().MsgBox(e.what(), kMsgCritical, MsgTitle_);
        end = failWith(e.what());
    }
    if (end == RunEnd::Success)
        return successEnding();
    if (end == RunEnd::Failure)
        failureEnding();
    return false;
}

// Everything before the first change: options, check rules, the start of the run log.
bool ImportRun::prepare() {
    Toolkit& ui = workspaces_.VorqWS->Platform().Ui();
    try {
        log_ = workspaces_.OskWS->Log();
        const ComboItem* source = dialog_.chosenSource();
        RunMessage = workspaces_.VorqWS->Platform().Utility().FormatMessage(
            LoadResString(StringId::RunLogText), {source ? source->Text() : ""});
        dialog_.setMousePointer(kPointerArrowHourglass);
        options_ = ReadOptions(optionsProject_, OptionsPath_);
        builder_.SourceKey = source ? source->Key() : "";
        CreateNew = dialog_.CreateNewChosen();
        const std::string CheckMessages = dialog_.ValidateTree(CreateNew);
        const bool anyChecked = !checkedNodes().empty();
        if (!CheckMessages.empty())
            ui.MsgBox(CheckMessages, kMsgExclamation, MsgTitle_);
        if (!anyChecked) {
            ui.MsgBox(LoadResString(StringId::NothingChecked), kMsgExclamation, MsgTitle_);
            return false;
        }
        log_->BeginLog("Vorq");
    } catch (const std::exception& e) {
        // Nothing has been changed yet: say why and give the dialog back.
        ui.MsgBox(e.what(), kMsgCritical, MsgTitle_);
        return false;
    }
    return true;
}

bool ImportRun::successEnding() {
    try {
        log_->AddLogEntry(MsgTitle_, false, currentObjectId(*workspaces_.VorqWS), RunMessage, 0);
        log_->EndLog(false);
        workspaces_.ProjectDB->CommitTrans();
        transactionOpen_ = false;
    } catch (const std::exception& e) {
        // The commit comes after the log was ended as a success; a commit that fails is told
        // in a log run of its own, so that the last word of the log is the truth.
        workspaces_.VorqWS->Platform().Ui().MsgBox(e.what(), kMsgCritical, MsgTitle_);
        RunMessage += ": " + std::string(e.what());
        failureEnding(LogState::Ended);
        return false;
    }
    return true;
}

void ImportRun::failureEnding(LogState log) {
    VorqWS& host = *workspaces_.VorqWS;
    // A part that fails must not keep the others (the rollback above all) from running; what
    // failed is told at the end, since the log may be what failed.
    std::string unfinished;
    const auto evenIfItFails = [&](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            unfinished += std::string(e.what()) + "\r\n";
        }
    };
    if (log == LogState::Ended)
        evenIfItFails([&] { log_->BeginLog("Vorq"); });
    evenIfItFails([&] { log_->AddLogEntry("", true, currentObjectId(host), RunMessage, 0); });
    evenIfItFails([&] { log_->EndLog(true); });
    if (transactionOpen_)
        evenIfItFails([&] { workspaces_.ProjectDB->Rollback(); });
    transactionOpen_ = false;
    evenIfItFails([&] { host.RefreshBrowser(); });
    if (!unfinished.empty())
        host.Platform().Ui().MsgBox(RunMessage + "\r\n" + unfinished, kMsgCritical, MsgTitle_);
}

ImportRun::RunEnd ImportRun::failWith(const std::string& reason) {
    RunMessage += ": " + reason;
    finishProgress();
    return RunEnd::Failure;
}

void ImportRun::beginTransaction() {
    workspaces_.ProjectDB->BeginTrans();
    transactionOpen_ = true;
}

void ImportRun::startProgress(std::int64_t steps) {
    if (steps > kMaxColumnsPerRun)
        throw Error("The checked items would make " + std::to_string(steps) +
                    " columns, more than the " + std::to_string(kMaxColumnsPerRun) +
                    " that one import makes: set ArrayFields and a Threshold so that large OCCURS "
                    "become child tables, or check fewer items");
    std::int32_t total = static_cast<std::int32_t>(steps);
    workspaces_.VorqWS->StartProgress(LoadResString(StringId::ProgressCaption), total);
    progressOpen_ = true;
}

void ImportRun::finishProgress() {
    if (!progressOpen_)
        return;
    progressOpen_ = false;
    workspaces_.VorqWS->FinishProgress();
}

std::vector<TreeNode*> ImportRun::checkedNodes() {
    TreeView& tree = dialog_.tree();
    std::vector<TreeNode*> nodes;
    for (int i = 1; i <= tree.Count(); ++i)
        if (tree.Node(i).Checked())
            nodes.push_back(&tree.Node(i));
    return nodes;
}

RepositoryDatabase& ImportRun::sourceDatabase() {
    if (!source_)
        throw Error("no source is open");
    return *source_;
}

bool ImportRun::Importing() {
    return dialog_.Importing();
}

void ImportRun::DoEvents() {
    workspaces_.VorqWS->Platform().Ui().DoEvents();
}

void ImportRun::StartStep() {
    workspaces_.VorqWS->StartStep("");
}

void ImportRun::FinishStep() {
    workspaces_.VorqWS->FinishStep(1);
}

} // namespace vorq::import
