#include "DemoCommand.h"

#include "AppContext.h"
#include "HostSession.h"
#include "ImportCommand.h"
#include "LoadCommand.h"
#include "SourceListing.h"
#include "host/Error.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/DdlWriter.h"
#include "schematool/OptionsFile.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <fmt/core.h>

namespace vorq::app {
namespace {

// Installed: <prefix>/bin/vorq and <prefix>/<datadir>/vorq/examples; built: build/bin/vorq
// with the examples at the top of the source tree.
std::filesystem::path defaultExamples() {
    const std::filesystem::path prefix = programFolder().parent_path();
    const std::filesystem::path installed = prefix / VORQ_INSTALL_DATADIR / "vorq" / "examples";
    if (std::filesystem::is_directory(installed))
        return installed;
    return prefix.parent_path() / "examples";
}

void verifyExamples(workbench::Workbench& wb, const std::filesystem::path& examples) {
    cobol::DiskFileReader files;
    workbench::Verifier verifier(wb, files, {{(examples / "copybooks").string()}});
    for (const auto& source : workbench::collectSources({examples.string()})) {
        const auto outcome = verifier.verify(source);
        fmt::print(stderr, "{}", outcome.diagnostics.format());
        if (!outcome.verified)
            throw Error("The example " + source + " did not verify");
        fmt::print("verified {} {} ({} items)\n", outcome.kind, outcome.name, outcome.items);
    }
}

} // namespace

void addDemoCommand(CLI::App& app, AppContext& context) {
    auto examples = std::make_shared<std::string>();
    auto* demo = app.add_subcommand(
        "demo", "Verify the bundled examples, run the import component on them, print the "
                "project's DDL and load a data file of mainframe records into the tables");
    demo->add_option(
        "--examples", *examples,
        "The folder of examples: copybooks/, programs/ and data/ (default: the bundled "
        "one)");
    demo->footer("Example:\n  vorq --workspace demo-workspace demo");
    demo->callback([&context, examples] {
        const std::filesystem::path folder =
            examples->empty() ? defaultExamples() : std::filesystem::path(*examples);
        if (!std::filesystem::is_directory(folder))
            throw Error("There is no examples folder at " + folder.string());
        fmt::print("== verify {}\n", folder.string());
        auto wb = std::make_shared<workbench::Workbench>(context.ensureWorkspace());
        verifyExamples(*wb, folder);
        fmt::print("\n== sources\n{}", listSources(offeredSources(*wb)));

        fmt::print("\n== options\n");
        BatchHost host(context);
        schematool::OptionsFile& options = host.session.platform.optionsFile();
        options.set("ArrayFields", {"True"});
        options.set("Threshold", {"10"});
        options.set("AutoKey", {"True"});
        options.set("Patterns", {"*-ID", "*-KEY", "EMPNO", "INV-NO"});
        options.save();
        for (const auto& name : schematool::OptionsFile::settingNames())
            fmt::print("{:<16}{}\n", name, options.show(name));

        fmt::print("\n== import\n");
        // Each import replaces what the last demo made, so that a demo run again ends the same.
        std::vector<BatchRequest> requests;
        for (const auto& copybook : wb->catalog().objectsOfClass("COPYBOOK"))
            requests.push_back({copybook.name, "copybooks", "", {}, true, "", true});
        requests.push_back({"CUSTMNT", "ports", "CHANGES", {}, true, "", true});
        for (const auto& request : requests) {
            const BatchOutcome outcome = runBatchImport(context, host, wb, request);
            if (!outcome.imported)
                throw Error("The demo's import of " + request.source +
                            " failed: " + outcome.message);
            fmt::print("imported {}{} into {} new table(s)\n", request.source,
                       request.port.empty() ? "" : " port " + request.port, outcome.tables.size());
        }

        fmt::print("\n== DDL (sqlite)\n{}",
                   schematool::writeDdl(projectdb::readCatalog(*host.session.database),
                                        schematool::Dialect::SQLite));

        // The same copybook reads the data: mainframe records into the tables just made.
        LoadOptions load;
        load.table = "CUSTOMER_MASTER";
        load.data = (folder / "data" / "CUSTMAST.dat").string();
        load.rejects = (context.workspace / "rejects.tsv").string();
        load.replace = true; // a demo run again shows the same rows
        fmt::print("\n== load {}\n", load.data);
        runLoadCommand(context, load);
    });
}

} // namespace vorq::app
