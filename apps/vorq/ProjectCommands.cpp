#include "ProjectCommands.h"

#include "AppContext.h"
#include "JsonOutput.h"
#include "TableListing.h"
#include "UsageError.h"
#include "host/Error.h"
#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqlProjectDatabase.h"
#include "schematool/DdlWriter.h"
#include "schematool/OptionsFile.h"
#include "schematool/TableDrop.h"

#include <fmt/core.h>
#include <fmt/format.h>
#include <fstream>

namespace vorq::app {
namespace {

struct DdlOptions {
    std::string dialect = "sqlite";
    std::string output = "-";
};

struct OptionsCommand {
    std::string name;
    std::vector<std::string> values;
};

// "set NAME=VALUE..." sets several at once, a list's values split at commas; "set NAME
// VALUE..." sets one, a list taking every value.
std::vector<std::pair<std::string, std::vector<std::string>>>
settingsOf(const OptionsCommand& command) {
    if (command.name.find('=') == std::string::npos)
        return {{command.name, command.values}};
    std::vector<std::pair<std::string, std::vector<std::string>>> settings;
    std::vector<std::string> words{command.name};
    words.insert(words.end(), command.values.begin(), command.values.end());
    for (const auto& word : words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0)
            throw UsageError("options set takes NAME=VALUE for every option once one is given "
                             "so, not '" +
                             word + "'");
        std::vector<std::string> values;
        for (std::size_t start = equals + 1, comma;; start = comma + 1) {
            comma = word.find(',', start);
            const std::string value = word.substr(start, comma - start);
            if (!value.empty())
                values.push_back(value);
            if (comma == std::string::npos)
                break;
        }
        settings.emplace_back(word.substr(0, equals), std::move(values));
    }
    return settings;
}

void printOptions(schematool::OptionsFile& options) {
    for (const auto& name : schematool::OptionsFile::settingNames())
        fmt::print("{:<16}{}\n", name, options.show(name));
}

void addTables(CLI::App& app, AppContext& context) {
    auto json = std::make_shared<bool>(false);
    auto* command =
        app.add_subcommand("tables", "List the project's tables with their columns and keys");
    command->add_flag("--json", *json, "Print one JSON document");
    command->footer(
        "Examples:\n  vorq tables\n  vorq tables --json --project vorq-workspace/project.db");
    command->callback([&context, json] {
        const auto catalog = context.readProject();
        fmt::print("{}", *json ? jsonText(tablesJson(catalog)) : listTables(catalog));
    });
}

void addDdl(CLI::App& app, AppContext& context) {
    auto options = std::make_shared<DdlOptions>();
    auto* command = app.add_subcommand(
        "ddl", "Print the project's tables as CREATE TABLE statements, parents before children");
    command
        ->add_option("--dialect", options->dialect,
                     "The SQL dialect: sqlite, postgresql or db2 (types, quoting and keys)")
        ->check(CLI::IsMember({"sqlite", "postgresql", "db2"}))
        ->capture_default_str();
    command
        ->add_option("--output", options->output,
                     "The file to write, replaced whole; - for standard output")
        ->capture_default_str();
    command->footer("Examples:\n  vorq ddl --dialect postgresql\n"
                    "  vorq ddl --dialect db2 --output schema.sql");
    command->callback([&context, options] {
        const projectdb::ProjectCatalog catalog = context.readProject();
        const schematool::Dialect dialect = schematool::dialectNamed(options->dialect);
        // The statements still come: a user may split the table by hand.
        for (const auto& table : catalog.tables)
            if (static_cast<int>(table.columns.size()) > schematool::columnLimit(dialect))
                fmt::print(stderr,
                           "vorq: warning: the table {} has {} columns, more than the {} that {} "
                           "takes; import it again with a lower Threshold (vorq options set "
                           "Threshold N) to move more OCCURS into child tables\n",
                           table.name, table.columns.size(), schematool::columnLimit(dialect),
                           options->dialect);
        const std::string text = schematool::writeDdl(catalog, dialect);
        if (options->output == "-") {
            fmt::print("{}", text);
            return;
        }
        std::ofstream out(options->output, std::ios::binary);
        if (!(out << text) || !out.flush())
            throw Error("Cannot write " + options->output);
    });
}

void addOptions(CLI::App& app, AppContext& context) {
    auto opts = std::make_shared<OptionsCommand>();
    auto* command = app.add_subcommand(
        "options", "Show or set the import options and the schema tool's IdentifierLimit");
    command->require_subcommand(0, 1);
    command->add_subcommand("show", "Show every option (the default)");
    auto* set = command->add_subcommand(
        "set", "Set one option (NAME VALUE...: a list option takes its whole list, and no value "
               "empties it) or several at once (NAME=VALUE...: a list's values split at commas); "
               "all are checked before any is saved");
    set->add_option("name", opts->name,
                    "Strip (True/False: strip Prefixes from names), Prefixes (list), AutoKey "
                    "(True/False: make primary keys), Patterns (list of key column patterns: ? * "
                    "# [A-Z] [!0-9]), ArrayFields (True/False: OCCURS above Threshold become "
                    "child tables), Threshold (number), IdentifierLimit (18-128)")
        ->required();
    set->add_option("values", opts->values, "The new value, or the list's values");
    command->footer("Examples:\n  vorq options\n  vorq options set Patterns '*-ID' 'KEY-*'\n"
                    "  vorq options set ArrayFields=True Threshold=10 Patterns=*-ID,KEY-*");
    command->callback([&context, opts, set] {
        const auto folder = set->parsed() ? context.ensureWorkspace() : context.requireWorkspace();
        schematool::OptionsFile options(folder / "options.xml");
        if (set->parsed()) {
            try {
                options.setAll(settingsOf(*opts));
            } catch (const UsageError&) {
                throw;
            } catch (const Error& e) {
                throw UsageError(e.description()); // a value the command line gave
            }
            options.save();
        }
        printOptions(options);
    });
}

void addDrop(CLI::App& app, AppContext& context) {
    auto names = std::make_shared<std::vector<std::string>>();
    auto force = std::make_shared<bool>(false);
    auto* command = app.add_subcommand(
        "drop", "Drop tables from the project, with the child tables that their import made for "
                "repeating items, in one transaction");
    command->add_option("tables", *names, "The tables to drop")->required();
    command->add_flag("--force", *force,
                      "Also drop the keys by which other tables refer to them (those tables "
                      "stay); without it such a drop is refused");
    command->footer("Examples:\n  vorq drop CUSTOMER_MASTER\n  vorq drop ACCOUNT_RECORD --force");
    command->callback([&context, names, force] {
        if (context.project.empty())
            context.requireWorkspace();
        const auto db = projectdb::openProjectDatabase(context.projectLocation(),
                                                       projectdb::OpenMode::ReadWrite);
        db->BeginTrans();
        schematool::DropPlan plan;
        try {
            const auto catalog = projectdb::readCatalog(*db);
            plan = schematool::planDrop(*db, catalog, schematool::tablesNamed(catalog, *names));
            schematool::dropTables(*db, plan, *force);
            db->CommitTrans();
        } catch (const schematool::TablesReferredTo& e) {
            db->Rollback();
            throw Error(e.description() + " (--force)");
        } catch (...) {
            db->Rollback();
            throw;
        }
        fmt::print("dropped {} table(s): {}\n", plan.tables.size(),
                   fmt::join(plan.tableNames, ", "));
        for (const auto& r : plan.references)
            fmt::print("  the key {} of {} went with them\n", r.key, r.table);
    });
}

} // namespace

void addProjectCommands(CLI::App& app, AppContext& context) {
    addTables(app, context);
    addDdl(app, context);
    addOptions(app, context);
    addDrop(app, context);
}

} // namespace vorq::app
