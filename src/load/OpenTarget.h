#pragma once

#include "load/RowTarget.h"

#include <memory>
#include <string>

namespace vorq::projectdb {
struct ProjectCatalog;
}

namespace vorq::load {

// The target that a --target names: an SQLite file, or a PostgreSQL connection string (its
// code, with libpq, loaded only then).
std::unique_ptr<RowTarget> openTarget(const std::string& target,
                                      const projectdb::ProjectCatalog& catalog);

} // namespace vorq::load
