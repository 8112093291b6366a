#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq layout (and, with the workbench, verify | sources | log)
void addSourceCommands(CLI::App& app, AppContext& context);

} // namespace vorq::app
