#pragma once

#include <string>

namespace vorq::schematool {
struct ProjectCatalog;
}

namespace vorq::app {

// The tables of a catalog as `vorq tables` prints them: columns with types, keys marked.
std::string listTables(const schematool::ProjectCatalog& catalog);

} // namespace vorq::app
