#pragma once

#include <string>
#include <vector>

namespace vorq::workbench {
class Workbench;
}

namespace vorq::app {

struct OfferedSource {
    std::string name;
    std::string path; // the file it was verified from
};

struct ProgramPorts {
    std::string program;
    std::vector<std::string> ports;
};

// What the import dialog offers: usable copybooks, the programs of usable COBOL sources, and
// each program's data ports (reads, inserts, updates, deletes).
struct OfferedSources {
    std::vector<OfferedSource> copybooks;
    std::vector<OfferedSource> programs;
    std::vector<ProgramPorts> ports;
};

OfferedSources offeredSources(workbench::Workbench& wb);

// As `vorq sources` prints them.
std::string listSources(const OfferedSources& sources);

} // namespace vorq::app
