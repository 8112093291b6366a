#pragma once

#include <string>

namespace vorq::sqlite {
class Connection;
}

namespace vorq::schematool {

// The version of the project database's schema that this program writes and reads.
// Version 2 added the table Lineage; a project of version 1 is brought up to date when it is
// next opened for writing.
constexpr int kSchemaVersion = 2;
// "vorq" in the file header, so that a foreign SQLite file is told apart from a project.
constexpr int kApplicationId = 0x766f7271;

// Creates the schema in an empty file, or checks that an existing one is a project database
// of a version this program reads; raises vorq::Error naming the file otherwise.
void prepareProjectSchema(const sqlite::Connection& db);

// Raises vorq::Error naming the project when its schema version is newer than this program's.
void checkSchemaVersion(const std::string& project, int version);

} // namespace vorq::schematool
