#pragma once

#include "BatchUser.h"
#include "HostSession.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq::workbench {
class Workbench;
}

namespace vorq::app {

struct AppContext;

// The schema tool on the headless toolkit, for imports without a display.
struct BatchHost {
    explicit BatchHost(const AppContext& context) : session(context, toolkit) {}
    headless::HeadlessToolkit toolkit;
    HostSession session;
};

struct BatchOutcome {
    bool imported = false;
    std::string message;               // why not, when not
    bool nameNotThere = false;         // not, because the request names what is not offered
    std::vector<std::int32_t> tables;  // the tables this run created
    std::int64_t columns = 0;          // the columns this run made from items
    std::vector<std::string> replaced; // the tables of the source's earlier imports it dropped
};

// Runs the import component on the headless toolkit with the scripted user.
BatchOutcome runBatchImport(const AppContext& context, BatchHost& host,
                            const std::shared_ptr<workbench::Workbench>& wb,
                            const BatchRequest& request);

// vorq import
void addImportCommand(CLI::App& app, AppContext& context);

} // namespace vorq::app
