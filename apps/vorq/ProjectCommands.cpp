#include "ProjectCommands.h"

#include "AppContext.h"
#include "HostSession.h"
#include "TableListing.h"
#include "host/Error.h"
#include "schematool/DdlWriter.h"
#include "schematool/OptionsFile.h"
#include "schematool/ProjectCatalog.h"

#include <fmt/core.h>
#include <fstream>

namespace vorq::app {
namespace {

struct DdlOptions {
    std::string dialect = "sqlite";
    std::string output;
};

struct OptionsCommand {
    std::string name;
    std::vector<std::string> values;
};

void printOptions(schematool::OptionsFile& options) {
    for (const auto& name : schematool::OptionsFile::settingNames())
        fmt::print("{:<16}{}\n", name, options.show(name));
}

} // namespace

void addProjectCommands(CLI::App& app, AppContext& context) {
    app.add_subcommand("tables", "List the project's tables with their columns and keys")
        ->callback([&context] {
            HostSession host(context);
            fmt::print("{}", listTables(schematool::readCatalog(host.database->connection())));
        });

    auto ddl = std::make_shared<DdlOptions>();
    auto* ddlCommand =
        app.add_subcommand("ddl", "Print the project's tables as SQL DDL, parents before children");
    ddlCommand->add_option("--dialect", ddl->dialect, "sqlite, postgresql or db2")
        ->check(CLI::IsMember({"sqlite", "postgresql", "db2"}))
        ->capture_default_str();
    ddlCommand->add_option("--output", ddl->output, "Write to this file instead of stdout");
    ddlCommand->callback([&context, ddl] {
        HostSession host(context);
        const std::string text =
            schematool::writeDdl(schematool::readCatalog(host.database->connection()),
                                 schematool::dialectNamed(ddl->dialect));
        if (ddl->output.empty()) {
            fmt::print("{}", text);
            return;
        }
        std::ofstream out(ddl->output, std::ios::binary);
        if (!(out << text))
            throw Error("Cannot write " + ddl->output);
    });

    auto opts = std::make_shared<OptionsCommand>();
    auto* optionsCommand = app.add_subcommand(
        "options", "Show or set the import options (Strip, Prefixes, AutoKey, Patterns, "
                   "ArrayFields, Threshold) and the schema tool's IdentifierLimit");
    optionsCommand->require_subcommand(0, 1);
    optionsCommand->add_subcommand("show", "Show every option");
    auto* set = optionsCommand->add_subcommand(
        "set", "Set one option; a list option takes its whole list (no value empties it)");
    set->add_option("name", opts->name, "Option name")->required();
    set->add_option("values", opts->values, "New value, or the list's values");
    optionsCommand->callback([&context, opts, set] {
        schematool::OptionsFile options(context.ensureWorkspace() / "options.xml");
        if (set->parsed()) {
            options.set(opts->name, opts->values);
            options.save();
        }
        printOptions(options);
    });
}

} // namespace vorq::app
