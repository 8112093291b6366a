#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorq::projectdb {
struct CatalogTable;
struct ProjectCatalog;
} // namespace vorq::projectdb

namespace vorq::schematool {

enum class Dialect { SQLite, PostgreSQL, DB2 };

// The dialect named "sqlite", "postgresql" or "db2"; another name raises vorq::Error.
Dialect dialectNamed(std::string_view name);

// A table or column name as the DDL writes it: bare when it is a plain word that no dialect
// reserves, else in double quotes; statements on the tables made by the DDL use it too.
std::string ddlName(const std::string& name);

// Whether SQLite keeps every value of a DECIMAL(precision,scale) exactly in a column of NUMERIC
// affinity. A wider decimal is declared DECIMAL_TEXT(p,s) there: its TEXT affinity keeps the
// digits as written ("-1234567890123456.78"); decimal_sum() and decimal_cmp() of SQLite's
// decimal extension compute with them exactly.
bool sqliteKeepsDecimal(int precision, int scale);

// The most columns that a table of the dialect may have (SQLite as Debian builds it).
int columnLimit(Dialect dialect);

// The column type of a type triple in a dialect, such as DECIMAL(9,2) or VARCHAR(300).
std::string columnType(int type, int precision, int scale, Dialect dialect);

// CREATE TABLE statements for every table of the catalog, parents before children, with
// primary and foreign keys; the same catalog always gives the same text.
std::string writeDdl(const projectdb::ProjectCatalog& catalog, Dialect dialect);

// The CREATE TABLE statement of one table, its foreign keys inline.
std::string tableDdl(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& table,
                     Dialect dialect);

// The ALTER TABLE statements that add a table's keys: run every table's primary key before
// any foreign key that may refer to it.
struct TableKeys {
    std::vector<std::string> primary, foreign;
};
// The CREATE TABLE statement of one table without its keys, which go to keys: a server fills
// a table and then builds its index and checks its references once, much faster than row by
// row.
std::string tableDdlWithoutKeys(const projectdb::ProjectCatalog& catalog,
                                const projectdb::CatalogTable& table, Dialect dialect,
                                TableKeys& keys);

} // namespace vorq::schematool
