#pragma once

#include "projectdb/ProjectCatalog.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace vorq::load {

// The SELECT of a table's columns in their order, its rows in the order of its key (or as
// stored, without one); where is "" or " WHERE ...".
std::string selectInKeyOrder(const projectdb::ProjectCatalog& catalog,
                             const projectdb::CatalogTable& table, const std::string& where);

// The SELECT of the number of a table's rows; where as above.
std::string countOf(const projectdb::CatalogTable& table, const std::string& where);

// The condition that picks a child table's rows of one parent row, by the child's foreign key:
// " WHERE col = ?1 AND ...", and for each parameter the index of the parent's column whose
// value it takes.
struct ParentCondition {
    std::string where;
    std::vector<std::pair<std::size_t, int>> keys; // parent column index, parameter number
};
ParentCondition conditionOnParent(const projectdb::ProjectCatalog& catalog,
                                  const projectdb::CatalogForeignKey& key,
                                  const projectdb::CatalogTable& parent);

// The tables whose foreign key refers to the table, in the project's order.
std::vector<std::pair<const projectdb::CatalogTable*, const projectdb::CatalogForeignKey*>>
childTablesOf(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& parent);

} // namespace vorq::load
