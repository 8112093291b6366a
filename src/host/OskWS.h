#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vorq {

class DatabaseOpener;
class RepositoryGlobal;

// The workbench's run log: one entry per import run.
class WorkbenchLog {
public:
    virtual ~WorkbenchLog() = default;
    // Opens a log of that category.
    virtual void BeginLog(const std::string& category) = 0;
    // Adds one entry: title, whether it is an error, the object it concerns, its text.
    virtual void AddLogEntry(const std::string& title, bool isError, const std::string& objectId,
                             const std::string& text, std::int32_t reserved) = 0;
    // Closes the log begun last.
    virtual void EndLog(bool isError) = 0;
};

// The repository workbench's workspace, as the component sees it.
class OskWS {
public:
    virtual ~OskWS() = default;
    // 2: the folder holding the "icons" folder; 4: the folder of the repository databases;
    // 15: the repository name that every query names. Other numbers raise vorq::Error.
    virtual std::string GetBrevanName(std::int32_t which) = 0;
    // The run log.
    virtual std::shared_ptr<WorkbenchLog> Log() = 0;
    // The workbench's repository library.
    virtual RepositoryGlobal& Repository() = 0;
    // The workbench's database opener.
    virtual DatabaseOpener& Opener() = 0;
};

} // namespace vorq
