#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq export: the loaded rows of a table (and its child tables) as JSON lines or CSV
void addExportCommand(CLI::App& app, AppContext& context);

} // namespace vorq::app
