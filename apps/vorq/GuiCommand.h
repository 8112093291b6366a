#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq gui
void addGuiCommand(CLI::App& app, AppContext& context);

} // namespace vorq::app
