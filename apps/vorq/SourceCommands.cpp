#include "SourceCommands.h"

#include "AppContext.h"
#include "JsonOutput.h"
#include "SourceListing.h"
#include "StdinReader.h"
#include "UsageError.h"
#include "cobol/CobolReader.h"
#include "cobol/LayoutText.h"
#include "host/Error.h"
#include "host/Text.h"
#include "workbench/RepositoryLayout.h"
#include "workbench/StoredRepository.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <filesystem>
#include <fmt/core.h>

namespace vorq::app {
namespace {

// The copy settings of a command, named in messages by its options.
cobol::CopyOptions copyOptions(const std::vector<std::string>& paths, std::size_t megabytes) {
    return {paths, megabytes << 20, "add its folder with --copy-path", "--max-copy-mb"};
}

struct VerifyOptions {
    std::vector<std::string> paths;
    std::vector<std::string> copyPaths;
    std::size_t maxCopyMb = cobol::kMaxExpandedBytes >> 20;
    cobol::CopyOptions copy() const { return copyOptions(copyPaths, maxCopyMb); }
    std::string stdinName = "STDIN";
};

struct LayoutOptions {
    std::string source;
    bool json = false;
    std::vector<std::string> copyPaths;
    std::size_t maxCopyMb = cobol::kMaxExpandedBytes >> 20;
    cobol::CopyOptions copy() const { return copyOptions(copyPaths, maxCopyMb); }
    std::string stdinName = "STDIN";
};

// A folder to search for COPY members; the option is given once per folder.
void addCopyPath(CLI::App& command, std::vector<std::string>& folders, const char* text) {
    command.add_option("--copy-path", folders, text)
        ->expected(1)
        ->allow_extra_args(false)
        ->check(CLI::ExistingDirectory);
}

// The bound on member text, for the sources that include more than the usual.
void addMaxCopy(CLI::App& command, std::size_t& megabytes) {
    command
        .add_option("--max-copy-mb", megabytes,
                    "The most member text, in MiB, that COPY may include into one source (each "
                    "inclusion counted)")
        ->check(CLI::Range(1, 4096))
        ->capture_default_str();
}

// The layout of a verified source (by copybook, program or file name) from its database.
std::vector<cobol::LayoutRow> verifiedLayout(workbench::Workbench& wb, const std::string& name) {
    for (const char* cls : {"COPYBOOK", "COBOL", "PROGRAM"})
        for (const auto& o : wb.catalog().objectsOfClass(cls)) {
            if (!sameName(o.name, name))
                continue;
            std::string xandrel = o.xandrel;
            if (xandrel.empty() && !o.sid.empty())
                xandrel = wb.catalog().object(std::stoll(o.sid))->xandrel;
            auto db = workbench::StoredRepository::load(wb.folder().database(xandrel));
            return workbench::repositoryLayout(*db);
        }
    throw NameError(name + " is neither a file nor a verified source (see `vorq sources`)");
}

// The layout of a COBOL file, read as it is (not verified).
std::vector<cobol::LayoutRow> fileLayout(const std::string& path, const cobol::FileReader& files,
                                         const cobol::CopyOptions& copy) {
    const auto result = cobol::readSource(path, files, copy);
    fmt::print(stderr, "{}", result.diagnostics.format());
    if (result.diagnostics.hasErrors())
        throw Error(fmt::format("{}: {} error(s)", path, result.diagnostics.errorCount()));
    return cobol::layoutRows(*result.model);
}

void addVerify(CLI::App& app, AppContext& context) {
    auto options = std::make_shared<VerifyOptions>();
    auto* command = app.add_subcommand(
        "verify", "Parse COBOL copybooks and programs into the workspace's repository; a source "
                  "with errors keeps its previous repository database");
    command
        ->add_option("sources", options->paths,
                     "COBOL files, folders to search for them (.cpy, .cbl, .cob, .cobol, .copy), "
                     "or - for standard input")
        ->required();
    addCopyPath(*command, options->copyPaths,
                "A folder to search for COPY members, besides the source's own; give it once "
                "per folder");
    addMaxCopy(*command, options->maxCopyMb);
    command
        ->add_option("--stdin-name", options->stdinName,
                     "The name of the source read from standard input")
        ->capture_default_str();
    command->footer("Examples:\n"
                    "  vorq verify --copy-path copybooks copybooks/*.cpy programs/*.cbl\n"
                    "  cat copybooks/CUSTMAST.cpy | vorq verify --stdin-name CUSTMAST -");
    command->callback([&context, options] {
        for (const auto& path : options->paths)
            if (path != "-" && !std::filesystem::exists(path))
                throw UsageError("there is no file or folder " + path);
        workbench::Workbench wb(context.ensureWorkspace());
        StdinReader files(options->stdinName);
        workbench::Verifier verifier(wb, files, options->copy());
        std::vector<std::string> sources;
        for (const auto& path : options->paths)
            if (path == "-")
                sources.push_back(files.readStdin());
            else
                for (auto& found : workbench::collectSources({path}))
                    sources.push_back(std::move(found));
        int failed = 0;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const auto outcome = verifier.verify(sources[i]);
            fmt::print(stderr, "{}", outcome.diagnostics.format());
            if (!outcome.verified)
                ++failed;
            else if (!context.quiet)
                fmt::print("[{}/{}] verified {} {} ({} items)\n", i + 1, sources.size(),
                           outcome.kind, outcome.name, outcome.items);
        }
        if (failed)
            throw Error(fmt::format("{} of {} sources failed to verify", failed, sources.size()));
    });
}

void addLayout(CLI::App& app, AppContext& context) {
    auto options = std::make_shared<LayoutOptions>();
    auto* command = app.add_subcommand(
        "layout", "Print the record layout of a verified source or of a COBOL file: level, name, "
                  "picture, usage, offset, length, occurs, redefines");
    command
        ->add_option("source", options->source,
                     "A verified copybook or program (by name), a COBOL file, or - for standard "
                     "input")
        ->required();
    command->add_flag("--json", options->json,
                      "Print one JSON array with an object per item, naming its program");
    addCopyPath(*command, options->copyPaths,
                "A folder to search for COPY members of a file; give it once per folder");
    addMaxCopy(*command, options->maxCopyMb);
    command->footer("Examples:\n"
                    "  vorq layout CUSTMAST\n"
                    "  vorq layout --json --copy-path copybooks programs/BILLING.cbl");
    command->callback([&context, options] {
        std::vector<cobol::LayoutRow> rows;
        if (options->source == "-") {
            StdinReader files(options->stdinName);
            rows = fileLayout(files.readStdin(), files, options->copy());
        } else if (std::filesystem::is_regular_file(options->source)) {
            cobol::DiskFileReader files;
            rows = fileLayout(options->source, files, options->copy());
        } else {
            workbench::Workbench wb(context.requireWorkspace());
            rows = verifiedLayout(wb, options->source);
        }
        fmt::print("{}", options->json ? jsonText(layoutJson(rows)) : cobol::layoutText(rows));
    });
}

} // namespace

void addSourceCommands(CLI::App& app, AppContext& context) {
    addVerify(app, context);

    auto sourcesJsonFlag = std::make_shared<bool>(false);
    auto* sources = app.add_subcommand(
        "sources", "List what the import dialog offers: copybooks, programs and each program's "
                   "data ports");
    sources->add_flag("--json", *sourcesJsonFlag, "Print one JSON document");
    sources->footer("Example:\n  vorq sources --json");
    sources->callback([&context, sourcesJsonFlag] {
        workbench::Workbench wb(context.requireWorkspace());
        fmt::print("{}",
                   *sourcesJsonFlag ? jsonText(sourcesJson(wb)) : listSources(offeredSources(wb)));
    });

    addLayout(app, context);

    auto logJsonFlag = std::make_shared<bool>(false);
    auto* log = app.add_subcommand("log", "Show the run log that imports write");
    log->add_flag("--json", *logJsonFlag, "Print one JSON document");
    log->footer("Example:\n  vorq log --json");
    log->callback([&context, logJsonFlag] {
        workbench::Workbench wb(context.requireWorkspace());
        const auto entries = wb.catalog().logEntries();
        if (*logJsonFlag) {
            fmt::print("{}", jsonText(logJson(entries)));
            return;
        }
        if (entries.empty())
            fmt::print("the run log is empty\n");
        for (const auto& e : entries)
            fmt::print("{} run {} [{}] {}{}: {}\n", e.at, e.run, e.category,
                       e.isError ? "ERROR " : "", e.title.empty() ? "-" : e.title, e.text);
    });
}

} // namespace vorq::app
