#pragma once

#include <string>

namespace vorq::projectdb {
struct ProjectCatalog;
}

namespace vorq::app {

// The tables of a catalog as `vorq tables` prints them: columns with types, keys marked.
std::string listTables(const projectdb::ProjectCatalog& catalog);

} // namespace vorq::app
