#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq demo: the whole road on the bundled examples.
void addDemoCommand(CLI::App& app, AppContext& context);

} // namespace vorq::app
