#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq verify | sources | layout | log
void addSourceCommands(CLI::App& app, AppContext& context);

} // namespace vorq::app
