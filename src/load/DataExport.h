#pragma once

#include "projectdb/ProjectCatalog.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace vorq::sqlite {
class Connection;
}

namespace vorq::load {

// The tables that hang below a table: those whose foreign key refers to it, their children in
// turn, parents before children.
std::vector<const projectdb::CatalogTable*>
tableAndChildren(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& table);

// The loaded rows of a table as JSON lines: one object a row in the order of its key, each
// child table's rows nested as an array under the child table's name. Whole numbers and reals
// are JSON numbers, and text (a decimal wider than a double holds exactly among it) is a
// string. Answers the rows written.
std::int64_t exportJsonLines(const sqlite::Connection& data,
                             const projectdb::ProjectCatalog& catalog,
                             const projectdb::CatalogTable& table, std::ostream& out);

// The loaded rows of a table and of its child tables as CSV (RFC 4180, a header line, NULL as
// an empty field), each table into the stream that streamFor gives for its name. Answers the
// rows written, all tables together.
std::int64_t exportCsv(const sqlite::Connection& data, const projectdb::ProjectCatalog& catalog,
                       const projectdb::CatalogTable& table,
                       const std::function<std::ostream&(const std::string& table)>& streamFor);

} // namespace vorq::load
