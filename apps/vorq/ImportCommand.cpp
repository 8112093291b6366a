#include "ImportCommand.h"

#include "AppContext.h"
#include "HostSession.h"
#include "RegistryCommands.h"
#include "TableListing.h"
#include "component/ComponentIdentity.h"
#include "component/ComponentLoader.h"
#include "component/ComponentRegistry.h"
#include "host/Error.h"
#include "schematool/ProjectCatalog.h"
#include "workbench/Workbench.h"

#include <fmt/core.h>

namespace vorq::app {
namespace {

std::int32_t highestTableId(HostSession& host) {
    auto s = host.database->connection().prepare("SELECT coalesce(max(TabID), 0) FROM Tables");
    s.step();
    return static_cast<std::int32_t>(s.integer(0));
}

std::unique_ptr<ComponentInstance> component(const AppContext& context) {
    const ComponentRegistry registry(ComponentRegistry::defaultFile());
    if (!registry.exists() || [&] {
            for (const auto& e : registry.entries())
                if (e.progId == kProgId)
                    return false;
            return true;
        }())
        registerComponent(context);
    return std::make_unique<ComponentInstance>(registry, kProgId);
}

} // namespace

BatchOutcome runBatchImport(const AppContext& context, HostSession& host,
                            const std::shared_ptr<workbench::Workbench>& wb,
                            const BatchRequest& request) {
    BatchOutcome outcome;
    const std::int32_t before = highestTableId(host);
    const std::size_t logBefore = wb->catalog().logEntries().size();
    std::vector<std::string> shown;
    host.toolkit.setResponder([&](const headless::MessageRequest& m) {
        fmt::print(stderr, "{}: {}\n", m.title, m.prompt);
        shown.push_back(m.prompt);
        return headless::HeadlessToolkit::defaultAnswer(m);
    });
    BatchUser user(request);
    host.toolkit.setUser([&](headless::HeadlessWindow& window) { user(window); });

    auto instance = component(context);
    std::shared_ptr<OskWS> osk = wb;
    std::shared_ptr<VorqWS> vorq = host.workspace;
    std::string param;
    instance->Run(osk, vorq, param);

    outcome.imported = host.workspace->returnCode == 0;
    if (!outcome.imported) {
        const auto log = wb->catalog().logEntries();
        if (!user.failure().empty())
            outcome.message = user.failure();
        else if (log.size() > logBefore && log.back().isError)
            outcome.message = log.back().text;
        else if (!shown.empty())
            outcome.message = shown.back();
        else
            outcome.message = "the import was not carried out";
    }
    auto tables = host.database->connection().prepare(
        "SELECT TabID FROM Tables WHERE TabID > ?1 ORDER BY TabID");
    tables.bind(1, static_cast<std::int64_t>(before));
    while (tables.step())
        outcome.tables.push_back(static_cast<std::int32_t>(tables.integer(0)));
    return outcome;
}

void addImportCommand(CLI::App& app, AppContext& context) {
    auto request = std::make_shared<BatchRequest>();
    auto batch = std::make_shared<bool>(false);
    auto* command = app.add_subcommand(
        "import", "Run the import dialog; with --batch, drive it without a display: choose the "
                  "source, check items, choose the mode and press OK");
    command->add_flag("--batch", *batch, "Drive the dialog without a display");
    command->add_option("--source", request->source,
                        "The copybook, program (or, with --tab ports, the program of the port)");
    command->add_option("--tab", request->tab, "copybooks, programs or ports")
        ->check(CLI::IsMember({"copybooks", "programs", "ports"}))
        ->capture_default_str();
    command->add_option("--port", request->port, "The data port (with --tab ports)");
    auto* check = command->add_option("--check", request->check,
                                      "Items to check: names, or /-separated paths from the top");
    command->add_flag("--all", request->all, "Check every top-level item")->excludes(check);
    command->add_option("--add-to", request->addTo,
                        "Add the checked items to this table instead of creating tables");
    command->callback([&context, request, batch] {
        if (!*batch)
            throw Error("This build has no display toolkit for the dialog; run the import with "
                        "--batch");
        if (request->source.empty() || (request->check.empty() && !request->all))
            throw Error("--batch needs --source and either --check ITEM... or --all");
        if (request->tab == "ports" && request->port.empty())
            throw Error("--tab ports needs --port NAME");
        HostSession host(context);
        auto wb = std::make_shared<workbench::Workbench>(context.ensureWorkspace());
        const BatchOutcome outcome = runBatchImport(context, host, wb, *request);
        if (!outcome.imported)
            throw Error("The import was not carried out: " + outcome.message);
        auto catalog = schematool::readCatalog(host.database->connection());
        std::erase_if(catalog.tables, [&](const schematool::CatalogTable& t) {
            return std::find(outcome.tables.begin(), outcome.tables.end(), t.id) ==
                   outcome.tables.end();
        });
        fmt::print("{}", outcome.tables.empty() ? "columns added to " + request->addTo + "\n"
                                                : listTables(catalog));
    });
}

} // namespace vorq::app
