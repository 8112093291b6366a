#include "ExportCommand.h"

#include "AppContext.h"
#include "UsageError.h"
#include "host/Error.h"
#include "host/ReplaceFile.h"
#include "load/DataExport.h"
#include "projectdb/SqlProjectDatabase.h"
#include "sqlite/Sqlite.h"

#include <filesystem>
#include <fmt/core.h>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

namespace vorq::app {
namespace {

struct ExportOptions {
    std::string table;
    std::string format = "jsonl";
    std::string output = "-";
    std::string target;
};

// Files written beside their final names and renamed over them at the end, so that a failed
// export leaves no half-written file behind.
class OutputFiles {
public:
    std::ostream& open(const std::filesystem::path& file) {
        const std::filesystem::path partial = file.string() + ".partial";
        auto& stream = streams_[file];
        stream = std::make_unique<std::ofstream>(partial, std::ios::binary);
        if (!*stream)
            throw Error("Cannot write " + partial.string());
        return *stream;
    }
    void commit() {
        for (auto& [file, stream] : streams_) {
            stream->close();
            if (!*stream)
                throw Error("Cannot write " + file.string());
        }
        for (auto it = streams_.begin(); it != streams_.end(); it = streams_.erase(it))
            moveIntoPlace(it->first.string() + ".partial", it->first, "the export");
    }
    ~OutputFiles() {
        std::error_code ignored;
        for (auto& [file, stream] : streams_)
            std::filesystem::remove(file.string() + ".partial", ignored);
    }

private:
    std::map<std::filesystem::path, std::unique_ptr<std::ofstream>> streams_;
};

void runExport(const AppContext& context, const ExportOptions& options) {
    const std::string target =
        options.target.empty() ? (context.workspace / "data.db").string() : options.target;
    if (!std::filesystem::exists(target))
        throw NameError("There is no loaded data at " + target + ": `vorq load` makes it");
    // An output must never be what this run reads.
    std::error_code none;
    for (const std::string& input : {target, context.projectLocation()})
        if (options.output != "-" && std::filesystem::equivalent(options.output, input, none))
            throw UsageError("--output " + options.output + " is what the export reads");
    const auto catalog = context.readProject();
    const auto& table = catalog.tableNamed(options.table);
    const sqlite::Connection data(target, sqlite::Connection::Mode::ReadOnly);
    const bool children = load::tableAndChildren(catalog, table).size() > 1;
    OutputFiles files;
    std::int64_t rows = 0;
    if (options.format == "jsonl") {
        rows = load::exportJsonLines(
            data, catalog, table, options.output == "-" ? std::cout : files.open(options.output));
    } else {
        if (options.output == "-" && children)
            throw UsageError("--format csv writes one file per table, and " + table.name +
                             " has child tables: name a folder with --output");
        if (options.output != "-")
            std::filesystem::create_directories(options.output);
        rows = load::exportCsv(data, catalog, table, [&](const std::string& name) -> std::ostream& {
            return options.output == "-"
                       ? std::cout
                       : files.open(std::filesystem::path(options.output) / (name + ".csv"));
        });
    }
    std::cout.flush();
    files.commit();
    if (!context.quiet && options.output != "-")
        fmt::print(stderr, "exported {} rows of {}{} to {}\n", rows, table.name,
                   children ? " and its child tables" : "", options.output);
}

} // namespace

void addExportCommand(CLI::App& app, AppContext& context) {
    auto options = std::make_shared<ExportOptions>();
    auto* command = app.add_subcommand(
        "export", "Write the loaded rows of a table and its child tables as JSON lines (child "
                  "rows nested as arrays) or CSV (one file per table)");
    command->add_option("--table", options->table, "The table to export")->required();
    command->add_option("--format", options->format, "jsonl or csv")
        ->check(CLI::IsMember({"jsonl", "csv"}))
        ->capture_default_str();
    command
        ->add_option("--output", options->output,
                     "The file (jsonl) or folder (csv) to write, replaced whole at the end; - "
                     "for standard output")
        ->capture_default_str();
    command->add_option("--target", options->target,
                        "The SQLite file that the load filled (default: data.db in the "
                        "workspace)");
    command->footer("Examples, after the demo:\n"
                    "  vorq export --table CUSTOMER_MASTER\n"
                    "  vorq export --table CUSTOMER_MASTER --format csv --output customers");
    command->callback([&context, options] { runExport(context, *options); });
}

} // namespace vorq::app
