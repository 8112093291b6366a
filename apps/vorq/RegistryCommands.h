#pragma once

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq register | unregister | components
void addRegistryCommands(CLI::App& app, AppContext& context);

// Registers the plug-in of the context and prints where; used by demo as well.
void registerComponent(const AppContext& context);

} // namespace vorq::app
