#pragma once

#include <string>
#include <vector>

namespace vorq::projectdb {

// The tables, fields, links and indexes of the project database, written once and spoken in
// each engine's words, so that the two engines' projects cannot drift apart. What is the
// engine's own (SQLite's file marks, PostgreSQL's vorq_project table, the triggers) stays
// with each engine.
std::string sqliteProjectTables();
std::string postgresProjectTables();
// The names of those tables, in the order they are made.
std::vector<std::string> projectTableNames();

} // namespace vorq::projectdb
