#pragma once

#include "cobol/LayoutText.h"

#include <vector>

namespace vorq {
class RepositoryDatabase;
}

namespace vorq::workbench {

// The layout rows of a verified source, read from its repository database.
std::vector<cobol::LayoutRow> repositoryLayout(RepositoryDatabase& db);

} // namespace vorq::workbench
