#include "HostSession.h"

#include "RegistryCommands.h"
#include "component/ComponentLoader.h"
#include "load/LayoutDigests.h"
#include "workbench/Workbench.h"

namespace vorq::app {

HostSession::HostSession(const AppContext& context, Toolkit& toolkit)
    : platform(toolkit, context.ensureWorkspace() / "options.xml"),
      database(projectdb::openProjectDatabase(
          context.projectLocation(), context.project.empty() ? projectdb::OpenMode::CreateIfMissing
                                                             : projectdb::OpenMode::ReadWrite)),
      workspace(std::make_shared<schematool::SchemaWorkspace>(platform, database)) {}

bool HostSession::runComponent(const AppContext& context,
                               const std::shared_ptr<workbench::Workbench>& wb) {
    workspace->tablesAdded.clear();
    workspace->columnsImported = 0;
    auto digests = std::make_shared<load::LayoutDigests>(*wb);
    workspace->layoutOf = [digests](const std::string& reference) {
        return digests->of(reference);
    };
    auto instance = openComponent(context);
    std::shared_ptr<OskWS> osk = wb;
    std::shared_ptr<VorqWS> vorq = workspace;
    std::string param;
    instance->Run(osk, vorq, param);
    return workspace->returnCode == 0;
}

} // namespace vorq::app
