#pragma once

#include <string>

namespace vorq::workbench {
class Workbench;
}

namespace vorq::app {

// What the import dialog offers, as `vorq sources` prints it: usable copybooks, the programs
// of usable COBOL sources, and each program's data ports (reads, inserts, updates, deletes).
std::string listSources(workbench::Workbench& wb);

} // namespace vorq::app
