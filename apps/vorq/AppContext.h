#pragma once

#include <filesystem>
#include <string>

namespace vorq::app {

// What every subcommand shares: where the user's state lives.
struct AppContext {
    std::filesystem::path workspace = "vorq-workspace";
    std::string project; // project database; "" means <workspace>/project.db
    // The plug-in library; "" means the one installed beside this program.
    std::string library;

    std::filesystem::path projectPath() const {
        return project.empty() ? workspace / "project.db" : std::filesystem::path(project);
    }
    std::string pluginPath() const;
    // The workspace folder, created when missing.
    std::filesystem::path ensureWorkspace() const;
};

} // namespace vorq::app
