#include "SourceCommands.h"

#include "AppContext.h"
#include "cobol/CobolReader.h"
#include "cobol/LayoutText.h"
#include "host/Error.h"

#include <fmt/core.h>

namespace vorq::app {
namespace {

struct LayoutOptions {
    std::string source;
    bool json = false;
    std::vector<std::string> copyPaths;
};

} // namespace

void addSourceCommands(CLI::App& app, AppContext&) {
    auto layout = std::make_shared<LayoutOptions>();
    auto* command = app.add_subcommand(
        "layout", "Print the record layout of a COBOL file: level, name, picture, usage, "
                  "offset, length, occurs, redefines");
    command->add_option("source", layout->source, "A COBOL copybook or program file")->required();
    command->add_flag("--json", layout->json, "One JSON object per item");
    command->add_option("--copy-path", layout->copyPaths, "Folder to search for COPY members");
    command->callback([layout] {
        cobol::DiskFileReader files;
        auto result = cobol::readSource(layout->source, files, {layout->copyPaths});
        fmt::print(stderr, "{}", result.diagnostics.format());
        if (result.diagnostics.hasErrors())
            throw Error(
                fmt::format("{}: {} error(s)", layout->source, result.diagnostics.errorCount()));
        fmt::print("{}", cobol::layoutText(*result.model, layout->json));
    });
}

} // namespace vorq::app
