#pragma once

#include "AppContext.h"
#include "projectdb/SqlProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"

#include <memory>

namespace vorq {
class Toolkit;
}

namespace vorq::workbench {
class Workbench;
}

namespace vorq::app {

// The schema tool as vorq runs it: the workspace's project database and options, on the
// toolkit given (headless for --batch, Qt for the windows).
struct HostSession {
    HostSession(const AppContext& context, Toolkit& toolkit);

    // Runs the import component, found through the component registry, once on this session
    // and the workbench; true when it imported. workspace->tablesAdded and columnsImported
    // then hold what this run made.
    bool runComponent(const AppContext& context, const std::shared_ptr<workbench::Workbench>& wb);

    schematool::SchemaToolPlatform platform;
    std::shared_ptr<projectdb::SqlProjectDatabase> database;
    std::shared_ptr<schematool::SchemaWorkspace> workspace;
};

} // namespace vorq::app
