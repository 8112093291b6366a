#pragma once

#include "AppContext.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "schematool/SqliteProjectDatabase.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <memory>

namespace vorq::app {

// The schema tool as the command line runs it: the workspace's project database and options,
// on the headless toolkit.
struct HostSession {
    explicit HostSession(const AppContext& context);

    headless::HeadlessToolkit toolkit;
    schematool::SchemaToolPlatform platform;
    std::shared_ptr<schematool::SqliteProjectDatabase> database;
    std::shared_ptr<schematool::SchemaWorkspace> workspace;
};

} // namespace vorq::app
