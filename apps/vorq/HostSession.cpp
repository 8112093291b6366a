#include "HostSession.h"

namespace vorq::app {

HostSession::HostSession(const AppContext& context, Toolkit& toolkit)
    : platform(toolkit, context.ensureWorkspace() / "options.xml"),
      database(std::make_shared<schematool::SqliteProjectDatabase>(
          context.projectPath(), context.project.empty() ? sqlite::Connection::Mode::CreateIfMissing
                                                         : sqlite::Connection::Mode::ReadWrite)),
      workspace(std::make_shared<schematool::SchemaWorkspace>(platform, database)) {}

} // namespace vorq::app
