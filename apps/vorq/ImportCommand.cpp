#include "ImportCommand.h"

#include "AppContext.h"
#include "Display.h"
#include "HostSession.h"
#include "JsonOutput.h"
#include "TableListing.h"
#include "UsageError.h"
#include "WindowsModule.h"
#include "host/Error.h"
#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqlProjectDatabase.h"
#include "schematool/TableDrop.h"
#include "workbench/Workbench.h"

#include <algorithm>
#include <fmt/core.h>
#include <fmt/format.h>

namespace vorq::app {
namespace {

struct ImportOptions {
    BatchRequest request;
    bool batch = false;
    bool json = false;
};

// Why a run did not import: the scripted user's own failure, else the component's words (the
// failure entry of the run log, else its last message), in the user's language as they stand.
std::string whyNot(const BatchUser& user, const std::vector<workbench::LogEntry>& newEntries,
                   const std::vector<std::string>& shown) {
    if (!user.failure().empty())
        return user.failure();
    if (!newEntries.empty() && newEntries.back().isError)
        return newEntries.back().text;
    if (!shown.empty())
        return shown.back();
    return "the import was not carried out";
}

// "CUSTOMER: 12 columns, primary key CUST_ID; references PARENT".
std::string summary(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& t) {
    std::string keys;
    for (const auto id : t.primaryKey)
        keys += (keys.empty() ? "" : ", ") + catalog.column(id)->name;
    std::string line = fmt::format("created {}: {} columns", t.name, t.columns.size());
    if (!keys.empty())
        line += ", primary key " + keys;
    for (const auto& k : t.foreignKeys)
        if (const auto* parent = catalog.table(k.refTabId))
            line += "; references " + parent->name;
    return line + "\n";
}

void report(const AppContext& context, const ImportOptions& options, const BatchOutcome& outcome,
            projectdb::ProjectCatalog catalog) {
    std::erase_if(catalog.tables, [&](const projectdb::CatalogTable& t) {
        return std::find(outcome.tables.begin(), outcome.tables.end(), t.id) ==
               outcome.tables.end();
    });
    if (options.json) {
        auto tables = nlohmann::ordered_json::array();
        for (const auto& t : catalog.tables)
            tables.push_back(tableJson(catalog, t));
        nlohmann::ordered_json document{
            {"imported", true}, {"tables", tables}, {"columns", outcome.columns}};
        if (!options.request.addTo.empty())
            document["addedTo"] = options.request.addTo;
        if (options.request.replace)
            document["replaced"] = outcome.replaced;
        fmt::print("{}", jsonText(document));
        return;
    }
    if (context.quiet)
        return;
    if (!outcome.replaced.empty())
        fmt::print("replaced {} table(s) of earlier imports: {}\n", outcome.replaced.size(),
                   fmt::join(outcome.replaced, ", "));
    if (!options.request.addTo.empty())
        fmt::print("added {} columns to {}\n", outcome.columns, options.request.addTo);
    if (context.verbose) { // every column of the tables made
        if (!catalog.tables.empty())
            fmt::print("{}", listTables(catalog));
        return;
    }
    for (const auto& t : catalog.tables)
        fmt::print("{}", summary(catalog, t));
}

// The import dialog on the screen: the user chooses, checks and presses OK.
void runDialogImport(const AppContext& context, const ImportOptions& options) {
    requireDisplay("import");
    const BatchOutcome outcome = showImportDialog(context);
    report(context, options, outcome, context.readProject());
}

} // namespace

BatchOutcome runBatchImport(const AppContext& context, BatchHost& host,
                            const std::shared_ptr<workbench::Workbench>& wb,
                            const BatchRequest& request) {
    const std::size_t logBefore = wb->catalog().logEntries().size();
    std::vector<std::string> shown;
    host.toolkit.setResponder([&](const MessageRequest& m) {
        fmt::print(stderr, "{}: {}\n", m.title, m.prompt);
        shown.push_back(m.prompt);
        return headless::HeadlessToolkit::defaultAnswer(m);
    });
    BatchUser user(request);
    host.toolkit.setUser([&](headless::HeadlessWindow& window) { user(window); });
    BatchOutcome outcome;
    if (request.replace) {
        // In the import's own transaction: a failed or cancelled run keeps the old tables.
        projectdb::SqlProjectDatabase& db = *host.session.database;
        db.atNextBegin([&db, &user, &outcome] {
            const auto plan = schematool::planDrop(
                db, projectdb::readCatalog(db), schematool::tablesOfSource(db, user.sourceKey()));
            schematool::dropTables(db, plan, false);
            outcome.replaced = plan.tableNames;
        });
    }
    outcome.imported = host.session.runComponent(context, wb);
    const schematool::SchemaWorkspace& workspace = *host.session.workspace;
    if (!outcome.imported) {
        auto log = wb->catalog().logEntries();
        log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(logBefore));
        outcome.message = whyNot(user, log, shown);
        outcome.nameNotThere = user.nameNotThere();
        return outcome;
    }
    outcome.tables = workspace.tablesAdded;
    outcome.columns = workspace.columnsImported;
    return outcome;
}

void addImportCommand(CLI::App& app, AppContext& context) {
    auto options = std::make_shared<ImportOptions>();
    BatchRequest& request = options->request;
    auto* command = app.add_subcommand(
        "import", "Run the import dialog on the verified sources; with --batch, drive it without "
                  "a display: choose the source, check items, choose the mode and press OK");
    command->add_flag("--batch", options->batch,
                      "Drive the dialog without a display, as the options below say");
    command->add_option("--source", request.source,
                        "The copybook or program to import from (with --tab ports: the program "
                        "whose port it is)");
    command
        ->add_option("--tab", request.tab,
                     "The dialog's tab that lists the source: copybooks, programs or ports")
        ->check(CLI::IsMember({"copybooks", "programs", "ports"}))
        ->capture_default_str();
    command->add_option("--port", request.port, "The data port to import (with --tab ports)");
    auto* check = command->add_option(
        "--check", request.check,
        "The items to check: names, or /-separated paths from the top where a name is ambiguous");
    command->add_flag("--all", request.all, "Check every top-level item (each record)")
        ->excludes(check);
    command->add_option("--add-to", request.addTo,
                        "Add the checked items as columns of this table instead of creating "
                        "tables");
    command->add_flag("--replace", request.replace,
                      "First drop the tables that earlier imports of this source made (with "
                      "their child tables), in the import's transaction: a failed run keeps "
                      "them; refused while other tables refer to them");
    command->add_flag("--json", options->json, "Print what the run made as one JSON document");
    command->footer("Examples:\n"
                    "  vorq import --batch --source CUSTMAST --all\n"
                    "  vorq import --batch --source CUSTMAST --all --replace\n"
                    "  vorq import --batch --tab ports --source CUSTMNT --port CHANGES --all\n"
                    "  vorq import --batch --source INVOICE --check INV-LINES --add-to "
                    "INVOICE_RECORD");
    command->callback([&context, options] {
        const BatchRequest& wanted = options->request;
        if (!options->batch) {
            runDialogImport(context, *options);
            return;
        }
        if (wanted.source.empty() || (wanted.check.empty() && !wanted.all))
            throw UsageError("--batch needs --source and either --check ITEM... or --all");
        if (wanted.tab == "ports" && wanted.port.empty())
            throw UsageError("--tab ports needs --port NAME");
        BatchHost host(context);
        auto wb = std::make_shared<workbench::Workbench>(context.ensureWorkspace());
        const BatchOutcome outcome = runBatchImport(context, host, wb, wanted);
        if (!outcome.imported && outcome.nameNotThere)
            throw NameError(outcome.message);
        if (!outcome.imported)
            throw Error(outcome.message);
        context.committed = "the import was committed (" + std::to_string(outcome.tables.size()) +
                            " tables): `vorq tables` lists them";
        report(context, *options, outcome, projectdb::readCatalog(*host.session.database));
    });
}

} // namespace vorq::app
