#include "Cli.h"

#include "AppContext.h"
#include "DemoCommand.h"
#include "ExportCommand.h"
#include "GuiCommand.h"
#include "ImportCommand.h"
#include "LoadCommand.h"
#include "ProjectCommands.h"
#include "RegistryCommands.h"
#include "SourceCommands.h"
#include "UsageError.h"
#include "host/NearestNames.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fmt/core.h>
#include <system_error>

namespace vorq::app {
namespace {

constexpr const char* kDescription =
    "vorq turns COBOL record structures (copybooks, program data divisions, the records that "
    "programs read and write) into relational table definitions.\n"
    "All state lives in a workspace folder: the repository of verified sources, the project "
    "database and the import options.";

constexpr const char* kFooter =
    R"(A day's work, in the folder of the bundled examples (vorq demo names it):
  vorq verify --copy-path copybooks copybooks/*.cpy programs/*.cbl
  vorq options set AutoKey=True Patterns=*-ID
  vorq import --batch --source CUSTMAST --all
  vorq ddl --dialect db2 --output schema.sql
  vorq load --table CUSTOMER_MASTER --data data/CUSTMAST.dat --replace
  vorq export --table CUSTOMER_MASTER --output customers.jsonl

Exit status: 0 done, 1 the work failed, 2 the command line was wrong (an unknown
command or option, a bad value, a file or a name that is not there).

Environment:
  VORQ_WORKSPACE     the workspace folder when --workspace is not given
  XDG_CONFIG_HOME    where the component registry lives (vorq/components.xml)
  LC_ALL, LC_MESSAGES, LANG
                     the language of the import's captions and messages (ja, ko, else English)

Run 'vorq help COMMAND' for the options of a command.)";

} // namespace

std::string commandWord(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--workspace" || argument == "--project") {
            ++i;
            continue;
        }
        if (!argument.starts_with("-"))
            return std::string(argument);
    }
    return "";
}

namespace {

std::string commandNames(CLI::App& app) {
    std::string names;
    for (const CLI::App* command : app.get_subcommands({}))
        names += (names.empty() ? "" : ", ") + command->get_name();
    return names;
}

bool isCommand(CLI::App& app, const std::string& word) {
    for (const CLI::App* command : app.get_subcommands({}))
        if (command->get_name() == word)
            return true;
    return false;
}

// "'WORD' is not a vorq command", with the nearest commands and the list of all.
UsageError notACommand(CLI::App& app, const std::string& word) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands({}))
        names.push_back(command->get_name());
    return UsageError("'" + word + "' is not a vorq command" +
                      didYouMean(nearestNames(word, names)) +
                      " (the commands are: " + commandNames(app) + ")");
}

// The first argument that looks like an option but that no option of the command takes, with
// the nearest option names; an empty text when all are known.
std::string unknownOption(CLI::App& app, const std::string& word, int argc, char** argv) {
    std::vector<std::string> names;
    for (CLI::App* scope : {&app, isCommand(app, word) ? app.get_subcommand(word) : nullptr})
        if (scope)
            for (const CLI::Option* option : scope->get_options()) {
                for (const auto& name : option->get_lnames())
                    names.push_back("--" + name);
                for (const auto& name : option->get_snames())
                    names.push_back("-" + name);
            }
    for (int i = 1; i < argc; ++i) {
        const std::string argument(argv[i]);
        if (argument.size() < 2 || argument[0] != '-')
            continue;
        const std::string name = argument.substr(0, argument.find('='));
        if (std::find(names.begin(), names.end(), name) == names.end())
            return name + " is not an option of " + (isCommand(app, word) ? word : "vorq") +
                   didYouMean(nearestNames(name, names, 3));
    }
    return "";
}

// -q and -v on vorq and on every command, each in its own help.
void addLoudnessFlags(CLI::App& app, AppContext& context) {
    std::vector<CLI::App*> scopes{&app};
    for (CLI::App* command : app.get_subcommands({}))
        if (command->get_name() != "help")
            scopes.push_back(command);
    for (CLI::App* scope : scopes) {
        auto* quiet = scope->add_flag("-q,--quiet", context.quiet,
                                      "Print nothing but errors and the data the command is for");
        scope->add_flag("-v,--verbose", context.verbose, "Say more: details and notices")
            ->excludes(quiet);
    }
}

void addHelpCommand(CLI::App& app) {
    auto topic = std::make_shared<std::string>();
    auto* help = app.add_subcommand("help", "Show the help of vorq or of one command");
    help->add_option("command", *topic, "The command to explain");
    help->callback([&app, topic] {
        if (topic->empty()) {
            fmt::print("{}", app.help());
            return;
        }
        if (!isCommand(app, *topic))
            throw notACommand(app, *topic);
        fmt::print("{}", app.get_subcommand(*topic)->help("vorq"));
    });
}

} // namespace

int runVorq(int argc, char** argv) {
    AppContext context;
    CLI::App app{kDescription, "vorq"};
    app.footer(kFooter);
    app.set_version_flag("-V,--version", std::string("vorq ") + VORQ_VERSION);
    app.require_subcommand(1);
    // --workspace and --project may also follow the command.
    app.fallthrough();
    app.add_option("--workspace", context.workspace,
                   "The workspace folder; made by the first command that writes to it")
        ->envname("VORQ_WORKSPACE")
        ->capture_default_str();
    app.add_option("--project", context.project,
                   "The project database: an SQLite file (default: project.db in the "
                   "workspace) or a PostgreSQL connection string, postgresql://user@host:port/db "
                   "or host=... dbname=... (PG* variables give what it leaves out)");
    addSourceCommands(app, context);
    addProjectCommands(app, context);
    addImportCommand(app, context);
    addLoadCommand(app, context);
    addExportCommand(app, context);
    addEncodingsCommand(app);
    addRegistryCommands(app, context);
    addDemoCommand(app, context);
    addGuiCommand(app, context);
    addHelpCommand(app);
    addLoudnessFlags(app, context);

    const std::string word = commandWord(argc, argv);
    try {
        if (argc < 2) {
            fmt::print(stderr, "{}", app.help());
            return kExitUsage;
        }
        if (!word.empty() && !isCommand(app, word)) {
            // "--workspce DIR tables" takes DIR for the command: the option is what is wrong.
            const std::string unknown = unknownOption(app, "", argc, argv);
            throw unknown.empty() ? notACommand(app, word) : UsageError(unknown);
        }
        app.parse(argc, argv);
        // Output that did not reach its file (a full disk, a closed pipe) is a failure.
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            throw std::system_error(errno, std::generic_category(),
                                    "cannot write to standard output");
        return kExitDone;
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        // A mistyped option name is the cause to name, not what its absence then missed.
        const std::string unknown = unknownOption(app, word, argc, argv);
        fmt::print(stderr, "vorq: {}\nRun 'vorq help{}' for its usage.\n",
                   unknown.empty() ? e.what() : unknown, isCommand(app, word) ? " " + word : "");
        return kExitUsage;
    } catch (const UsageError& e) {
        fmt::print(stderr, "vorq: {}\n", e.description());
        return kExitUsage;
    } catch (const NameError& e) {
        fmt::print(stderr, "vorq: {}\n", e.description());
        return kExitUsage;
    } catch (const std::exception& e) {
        fmt::print(stderr, "vorq: {}{}\n", e.what(),
                   context.committed.empty() ? "" : "; " + context.committed);
        return kExitFailed;
    } catch (...) {
        fmt::print(stderr, "vorq: the command failed for a reason that it could not name\n");
        return kExitFailed;
    }
}

} // namespace vorq::app
