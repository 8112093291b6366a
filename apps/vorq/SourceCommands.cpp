#include "SourceCommands.h"

#include "AppContext.h"
#include "SourceListing.h"
#include "cobol/CobolReader.h"
#include "cobol/LayoutText.h"
#include "host/Error.h"
#include "workbench/RepositoryLayout.h"
#include "workbench/StoredRepository.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <fmt/core.h>

namespace vorq::app {
namespace {

struct VerifyOptions {
    std::vector<std::string> paths;
    std::vector<std::string> copyPaths;
};

struct LayoutOptions {
    std::string source;
    bool json = false;
    std::vector<std::string> copyPaths;
};

// The layout of a verified source (by copybook, program or file name) from its database.
std::vector<cobol::LayoutRow> verifiedLayout(workbench::Workbench& wb, const std::string& name) {
    for (const char* cls : {"COPYBOOK", "COBOL", "PROGRAM"})
        for (const auto& o : wb.catalog().objectsOfClass(cls)) {
            if (o.name != name)
                continue;
            std::string xandrel = o.xandrel;
            if (xandrel.empty() && !o.sid.empty())
                xandrel = wb.catalog().object(std::stoll(o.sid))->xandrel;
            auto db = workbench::StoredRepository::load(wb.folder().database(xandrel));
            return workbench::repositoryLayout(*db);
        }
    throw Error(name + " is neither a file nor a verified source (see `vorq sources`)");
}

} // namespace

void addSourceCommands(CLI::App& app, AppContext& context) {
    auto verify = std::make_shared<VerifyOptions>();
    auto* verifyCommand = app.add_subcommand(
        "verify", "Parse COBOL copybooks and programs into the repository; a source with "
                  "errors keeps its previous repository database");
    verifyCommand->add_option("sources", verify->paths, "COBOL files, or folders to search")
        ->required();
    verifyCommand->add_option("--copy-path", verify->copyPaths,
                              "Folder to search for COPY members (repeatable)");
    verifyCommand->callback([&context, verify] {
        workbench::Workbench wb(context.ensureWorkspace());
        cobol::DiskFileReader files;
        workbench::Verifier verifier(wb, files, {verify->copyPaths});
        const auto sources = workbench::collectSources(verify->paths);
        int failed = 0;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const auto outcome = verifier.verify(sources[i]);
            fmt::print(stderr, "{}", outcome.diagnostics.format());
            if (outcome.verified)
                fmt::print("[{}/{}] verified {} {} ({} items)\n", i + 1, sources.size(),
                           outcome.kind, outcome.name, outcome.items);
            else
                ++failed;
        }
        if (failed)
            throw Error(fmt::format("{} of {} sources failed to verify", failed, sources.size()));
    });

    app.add_subcommand("sources", "List what the import dialog offers: copybooks, programs and "
                                  "each program's data ports")
        ->callback([&context] {
            workbench::Workbench wb(context.ensureWorkspace());
            fmt::print("{}", listSources(wb));
        });

    auto layout = std::make_shared<LayoutOptions>();
    auto* layoutCommand = app.add_subcommand(
        "layout", "Print the record layout of a verified source or a COBOL file: level, name, "
                  "picture, usage, offset, length, occurs, redefines");
    layoutCommand->add_option("source", layout->source, "A verified source's name, or a file")
        ->required();
    layoutCommand->add_flag("--json", layout->json, "One JSON object per item");
    layoutCommand->add_option("--copy-path", layout->copyPaths,
                              "Folder to search for COPY members (files only)");
    layoutCommand->callback([&context, layout] {
        if (!std::filesystem::is_regular_file(layout->source)) {
            workbench::Workbench wb(context.ensureWorkspace());
            fmt::print("{}", cobol::layoutText(verifiedLayout(wb, layout->source), layout->json));
            return;
        }
        cobol::DiskFileReader files;
        const auto result = cobol::readSource(layout->source, files, {layout->copyPaths});
        fmt::print(stderr, "{}", result.diagnostics.format());
        if (result.diagnostics.hasErrors())
            throw Error(
                fmt::format("{}: {} error(s)", layout->source, result.diagnostics.errorCount()));
        fmt::print("{}", cobol::layoutText(cobol::layoutRows(*result.model), layout->json));
    });

    app.add_subcommand("log", "Show the run log that imports write")->callback([&context] {
        workbench::Workbench wb(context.ensureWorkspace());
        const auto entries = wb.catalog().logEntries();
        if (entries.empty())
            fmt::print("the run log is empty\n");
        for (const auto& e : entries)
            fmt::print("{} run {} [{}] {}{}: {}\n", e.at, e.run, e.category,
                       e.isError ? "ERROR " : "", e.title.empty() ? "-" : e.title, e.text);
    });
}

} // namespace vorq::app
