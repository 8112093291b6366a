#include "AppContext.h"

#include "host/Error.h"
#include "host/InstalledLibrary.h"
#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqlProjectDatabase.h"
#include "sqlite/Sqlite.h"

namespace vorq::app {

std::filesystem::path programFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::string AppContext::pluginPath() const {
    return library.empty() ? installedLibraryPath("VorqImportCopybook.so").string() : library;
}

std::filesystem::path AppContext::ensureWorkspace() const {
    std::error_code error;
    if (std::filesystem::exists(workspace, error) && !std::filesystem::is_directory(workspace))
        throw Error("The workspace " + workspace.string() +
                    " is not a folder: name another one with --workspace DIR");
    // The longest file of a workspace, a repository database, adds about 80 characters; a
    // longer path would leave a half-made workspace behind.
    const auto length = std::filesystem::absolute(workspace).string().size();
    if (length + 80 > sqlite::kLongestPath)
        throw Error("The workspace " + workspace.string() + " has a path of " +
                    std::to_string(length) + " characters: its databases need paths of at most " +
                    std::to_string(sqlite::kLongestPath) +
                    ", so a workspace's path may be at most " +
                    std::to_string(sqlite::kLongestPath - 80) + " long; name a shorter one");
    std::filesystem::create_directories(workspace, error);
    if (error)
        throw Error("Cannot create the workspace " + workspace.string() + ": " + error.message());
    return workspace;
}

std::filesystem::path AppContext::requireWorkspace() const {
    if (std::filesystem::is_directory(workspace))
        return workspace;
    if (std::filesystem::exists(workspace))
        throw Error("The workspace " + workspace.string() +
                    " is not a folder: name another one with --workspace DIR");
    throw Error("There is no workspace at " + workspace.string() +
                ": run `vorq verify FILE...` to make one, or name one with --workspace DIR or "
                "VORQ_WORKSPACE");
}

projectdb::ProjectCatalog AppContext::readProject() const {
    if (project.empty()) {
        requireWorkspace();
        if (!std::filesystem::exists(projectLocation()))
            return {};
    }
    const auto db =
        projectdb::openProjectDatabase(projectLocation(), projectdb::OpenMode::ReadOnly);
    return projectdb::readCatalog(*db);
}

} // namespace vorq::app
