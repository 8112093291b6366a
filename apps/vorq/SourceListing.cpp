#include "SourceListing.h"

#include "workbench/Workbench.h"

#include <algorithm>
#include <fmt/core.h>

namespace vorq::app {

std::string listSources(workbench::Workbench& wb) {
    auto& catalog = wb.catalog();
    std::string out = "Copybooks:\n";
    for (const auto& c : catalog.objectsOfClass("COPYBOOK"))
        if (!c.xandrel.empty())
            out += fmt::format("  {}  ({})\n", c.name, c.sourcePath);
    out += "Programs:\n";
    std::string ports;
    for (const auto& source : catalog.objectsOfClass("COBOL")) {
        if (source.xandrel.empty())
            continue;
        for (const auto programId : catalog.related(source.id, "DefinesProgram")) {
            const auto program = catalog.object(programId);
            out += fmt::format("  {}  ({})\n", program->name, source.sourcePath);
            std::vector<std::int64_t> seen;
            std::string lines;
            for (const char* relation :
                 {"ReadsDataPort", "InsertsDataPort", "UpdatesDataPort", "DeletesDataPort"})
                for (const auto portId : catalog.related(programId, relation)) {
                    if (std::find(seen.begin(), seen.end(), portId) != seen.end())
                        continue;
                    seen.push_back(portId);
                    lines += fmt::format("    {}\n", catalog.object(portId)->portName);
                }
            if (!lines.empty())
                ports += fmt::format("  {}\n{}", program->name, lines);
        }
    }
    return out + "Ports:\n" + ports;
}

} // namespace vorq::app
