#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq tables | ddl | options
void addProjectCommands(CLI::App& app, AppContext& context);

} // namespace vorq::app
