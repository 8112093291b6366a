#pragma once

#include "LoadRun.h"

#include <CLI/CLI.hpp>

namespace vorq::app {

struct AppContext;

// vorq load
void addLoadCommand(CLI::App& app, AppContext& context);
// vorq encodings: the code pages that a load reads
void addEncodingsCommand(CLI::App& app);
// Loads and prints the summary; raises vorq::Error when the load fails.
void runLoadCommand(const AppContext& context, const LoadOptions& options);

} // namespace vorq::app
