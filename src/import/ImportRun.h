#pragma once

#include "builder/BuildMonitor.h"
#include "builder/TableBuilder.h"
#include "import/ImportOptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq {
class OptionsProject;
class RepositoryDatabase;
class TreeNode;
class WorkbenchLog;
struct Workspaces;
} // namespace vorq

namespace vorq::import {

class RunDialog;

// The most columns one import makes: nested OCCURS spread into columns multiply, and a run
// past this would take minutes and gigabytes for a table no database accepts.
constexpr std::int64_t kMaxColumnsPerRun = 1'000'000;

// One press of OK: reads the options, applies the check rules, writes the run log and makes
// the tables inside one transaction of the project database, which it commits when the import
// succeeded and rolls back otherwise.
class ImportRun : builder::BuildMonitor {
public:
    // source is the open repository database of the chosen source, or null.
    ImportRun(Workspaces& workspaces, RunDialog& dialog, RepositoryDatabase* source,
              OptionsProject& optionsProject, const std::string& OptionsPath,
              const std::string& MsgTitle);

    // Runs the import; true when it was carried out and committed. NewTableId receives the id
    // of each table that the new-table mode creates.
    bool execute(std::string& NewTableId);

private:
    enum class RunEnd { Success, Failure, Stop };

    bool prepare();
    RunEnd NewTableImport(std::string& NewTableId);
    RunEnd AddToTableImport();
    // Reason appended to the log text, progress closed: the run ends in failure.
    RunEnd failWith(const std::string& reason);
    bool successEnding();
    // Whether the run's log is still open when the run fails, or was already ended as a success.
    enum class LogState { Open, Ended };
    void failureEnding(LogState log = LogState::Open);
    void beginTransaction();
    void startProgress(std::int64_t steps);
    void finishProgress();
    std::vector<TreeNode*> checkedNodes();
    // The program that uses the port, for a port chosen as the source: its tables name it.
    void referToPortProgram();

    bool Importing() override;
    void DoEvents() override;
    void StartStep() override;
    void FinishStep() override;

    Workspaces& workspaces_;
    RunDialog& dialog_;
    RepositoryDatabase* source_;
    RepositoryDatabase& sourceDatabase();
    OptionsProject& optionsProject_;
    const std::string& OptionsPath_;
    const std::string& MsgTitle_;

    ImportOptions options_;
    builder::TableBuilder builder_;
    std::string RunMessage;
    bool CreateNew = false;
    std::shared_ptr<WorkbenchLog> log_;
    bool transactionOpen_ = false;
    bool progressOpen_ = false;
};

} // namespace vorq::import
