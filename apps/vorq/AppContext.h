#pragma once

#include <filesystem>
#include <string>

namespace vorq::projectdb {
struct ProjectCatalog;
}

namespace vorq::app {

// What every subcommand shares: where the user's state lives.
struct AppContext {
    std::filesystem::path workspace = "vorq-workspace";
    // The project database: an SQLite file or a PostgreSQL connection string; "" means
    // <workspace>/project.db.
    std::string project;
    // The plug-in library; "" means the one installed beside this program.
    std::string library;
    // What the command made lasting before a later step failed ("the import was committed"),
    // so that a failure to print its summary does not read as if nothing was done.
    mutable std::string committed;
    // -q: nothing but errors and the data a command is for; -v: say more, notices included.
    bool quiet = false;
    bool verbose = false;

    std::string projectLocation() const {
        return project.empty() ? (workspace / "project.db").string() : project;
    }
    // The plug-in that `library` names, else the one installed beside this program.
    std::string pluginPath() const;
    // The workspace folder, created when missing; a path that is no folder raises vorq::Error.
    std::filesystem::path ensureWorkspace() const;
    // The workspace folder of a command that only reads: one that does not exist raises
    // vorq::Error saying how to make one.
    std::filesystem::path requireWorkspace() const;
    // The project's tables, read without changing anything: an empty project when the
    // workspace has no project database yet.
    projectdb::ProjectCatalog readProject() const;
};

// The folder that holds this program.
std::filesystem::path programFolder();

} // namespace vorq::app
