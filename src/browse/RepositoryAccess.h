#pragma once

#include "host/RepositoryDatabase.h"

#include <memory>
#include <string>
#include <unordered_set>

namespace vorq {
struct Workspaces;
} // namespace vorq

namespace vorq::browse {

// A set of repository object ids.
using IdSet = std::unordered_set<std::string>;

// The repository database of the chosen source, held open for the dialog, and the lookups the
// declaration tree needs on top of the repository's own operations.
class RepositoryAccess {
public:
    explicit RepositoryAccess(Workspaces& workspaces) : workspaces_(workspaces) {}

    // Closes any open database and opens the one named (XRDBName, in the workbench's folder)
    // for the workbench object objID; an empty name only closes. True when one is open after.
    // An open that fails leaves none open and keeps its cause in OpenFailure; errors of the
    // workbench lookups before it reach the caller.
    bool OpenXRDB(const std::string& XRDBName, const std::string& objID);
    // The objects of class className inside the program named programName, or, when the
    // database's top holds a FILE first, every object of that class; nullptr when neither.
    std::unique_ptr<ObjectCursor> FindProgramObjects(const std::string& programName,
                                                     const std::string& className);
    // The name of the program that encloses the object, "" when none does.
    std::string ProgramNameOf(const std::string& objectId);
    // Adds id to the set; false when it was there already.
    static bool AddIfNew(IdSet& set, const std::string& id);

    bool isOpen() const { return RepositoryDB != nullptr; }

    std::shared_ptr<RepositoryDatabase> RepositoryDB;
    std::string RepositoryDBName;
    // Why the last open failed, naming the file; "" after an open that worked.
    std::string OpenFailure;

private:
    Workspaces& workspaces_;
};

} // namespace vorq::browse
