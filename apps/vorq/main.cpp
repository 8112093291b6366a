// vorq: the command-line front end of the COBOL-structures-to-tables import.

#include "AppContext.h"
#include "DemoCommand.h"
#include "ImportCommand.h"
#include "ProjectCommands.h"
#include "RegistryCommands.h"
#include "SourceCommands.h"
#include "host/Error.h"

#include <CLI/CLI.hpp>
#include <fmt/core.h>

int main(int argc, char** argv) {
    vorq::app::AppContext context;
    CLI::App app{"vorq: turn COBOL record structures into relational table definitions.\n"
                 "All state lives in a workspace folder: the repository of verified sources, "
                 "the project database and the import options."};
    app.require_subcommand(1);
    app.add_option("--workspace", context.workspace, "Workspace folder (created on first use)")
        ->capture_default_str();
    app.add_option("--project", context.project,
                   "Project database (default: <workspace>/project.db)");
    vorq::app::addProjectCommands(app, context);
    vorq::app::addRegistryCommands(app, context);
    vorq::app::addSourceCommands(app, context);
    vorq::app::addImportCommand(app, context);
    vorq::app::addDemoCommand(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const vorq::Error& e) {
        fmt::print(stderr, "vorq: {}\n", e.description());
        return 1;
    }
    return 0;
}
