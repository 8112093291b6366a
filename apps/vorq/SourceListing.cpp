#include "SourceListing.h"

#include "workbench/Workbench.h"

#include <algorithm>
#include <fmt/core.h>

namespace vorq::app {

OfferedSources offeredSources(workbench::Workbench& wb) {
    auto& catalog = wb.catalog();
    OfferedSources out;
    // The dialog keys its port entries by the port: a port that two programs use is offered
    // once, under the first of them, and so it is listed here.
    std::vector<std::int64_t> seen;
    for (const auto& c : catalog.objectsOfClass("COPYBOOK"))
        if (!c.xandrel.empty())
            out.copybooks.push_back({c.name, c.sourcePath});
    for (const auto& source : catalog.objectsOfClass("COBOL")) {
        if (source.xandrel.empty())
            continue;
        for (const auto programId : catalog.related(source.id, "DefinesProgram")) {
            const auto program = catalog.object(programId);
            out.programs.push_back({program->name, source.sourcePath});
            ProgramPorts ports{program->name, {}};
            bool usesPorts = false; // the dialog lists a program that uses any port
            for (const char* relation :
                 {"ReadsDataPort", "InsertsDataPort", "UpdatesDataPort", "DeletesDataPort"})
                for (const auto portId : catalog.related(programId, relation)) {
                    usesPorts = true;
                    if (std::find(seen.begin(), seen.end(), portId) != seen.end())
                        continue;
                    seen.push_back(portId);
                    ports.ports.push_back(catalog.object(portId)->portName);
                }
            if (usesPorts)
                out.ports.push_back(std::move(ports));
        }
    }
    return out;
}

std::string listSources(const OfferedSources& sources) {
    std::string out = "Copybooks:\n";
    for (const auto& c : sources.copybooks)
        out += fmt::format("  {}  ({})\n", c.name, c.path);
    out += "Programs:\n";
    for (const auto& p : sources.programs)
        out += fmt::format("  {}  ({})\n", p.name, p.path);
    out += "Ports:\n";
    for (const auto& program : sources.ports) {
        out += fmt::format("  {}\n", program.program);
        for (const auto& port : program.ports)
            out += fmt::format("    {}\n", port);
    }
    return out;
}

} // namespace vorq::app
