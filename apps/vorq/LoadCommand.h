#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq load
void addLoadCommand(CLI::App& app, AppContext& context);

} // namespace vorq::app
