#pragma once

#include "host/Error.h"

#include <chrono>
#include <string>

namespace vorq::sqlite {
class Connection;
}

namespace vorq::projectdb {

// The version of the project database's schema that this program writes and reads.
// Version 2 added the table Lineage; version 3 moved what it held into the rows of Tables and
// Columns; version 4 added LineageLayout. An older project is brought up to date when it is
// next opened for writing.
constexpr int kSchemaVersion = 4;

// Where the import took each table and column from, so that a load finds their bytes: the
// item is the one that the row's SourceReference names. LineageRole: "table", "item" (a column
// holding an item's value), "index" (idx of a child table) or "key" (a made-up primary key);
// NULL where the import made nothing of an item. LineageOccurrence numbers the columns of one
// table (or the child tables of one parent) made from the same item, 1, 2, ..., in the order
// they were made, which is the order of the item's occurrences. Kept in the row itself, a
// table's or column's lineage comes and goes with it. Both engines take these statements.
inline constexpr const char* kLineageColumns = R"sql(
ALTER TABLE Tables ADD COLUMN LineageRole TEXT;
ALTER TABLE Tables ADD COLUMN LineageOccurrence INTEGER;
ALTER TABLE Columns ADD COLUMN LineageRole TEXT;
ALTER TABLE Columns ADD COLUMN LineageOccurrence INTEGER;
)sql";
// The layout of the record that a table was made from, as the import saw it (a digest that a
// load compares with the record's layout now): NULL where the host had none to give.
inline constexpr const char* kLayoutColumn = R"sql(
ALTER TABLE Tables ADD COLUMN LineageLayout TEXT;
)sql";
// The lineage of a version 2 project, moved into its rows.
inline constexpr const char* kLineageFromTable = R"sql(
UPDATE Tables SET (LineageRole, LineageOccurrence) = (SELECT Role, Occurrence FROM Lineage l
    WHERE l.TabID = Tables.TabID AND l.ColumnID IS NULL)
WHERE TabID IN (SELECT TabID FROM Lineage WHERE ColumnID IS NULL);
UPDATE Columns SET (LineageRole, LineageOccurrence) = (SELECT Role, Occurrence FROM Lineage l
    WHERE l.ColumnID = Columns.ColumnID)
WHERE ColumnID IN (SELECT ColumnID FROM Lineage);
DROP TABLE Lineage;
)sql";
// "vorq" in the file header, so that a foreign SQLite file is told apart from a project.
constexpr int kApplicationId = 0x766f7271;

// How long a program that writes the project waits for another program's run to end.
inline constexpr std::chrono::milliseconds kWriterWait{std::chrono::minutes(1)};

// The failure of a program that waited that long for another's run.
Error projectBusy(const std::string& project, std::chrono::milliseconds waited);

// Creates the schema in an empty file, or checks that an existing one is a project database
// of a version this program reads; raises vorq::Error naming the file otherwise.
void prepareProjectSchema(const sqlite::Connection& db);

// Raises vorq::Error naming the project when its schema version is newer than this program's.
void checkSchemaVersion(const std::string& project, int version);

} // namespace vorq::projectdb
