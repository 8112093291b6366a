#include "schematool/ProjectSchema.h"

#include "host/Error.h"
#include "sqlite/Sqlite.h"

namespace vorq::schematool {
namespace {

// Links are checked when a transaction commits: table generation saves key rows before the
// column row they name. Tables and Indexes refer to each other, which deferral also allows.
constexpr const char* kSchema = R"sql(
CREATE TABLE Tables (
    TabID           INTEGER PRIMARY KEY AUTOINCREMENT,
    TableName       TEXT NOT NULL,
    PrimaryIndexID  INTEGER REFERENCES Indexes(IndexID) DEFERRABLE INITIALLY DEFERRED,
    Description     TEXT,
    SourceKey       TEXT,
    Origin          TEXT,
    SourceReference TEXT,
    CreatedAt       TEXT
);
CREATE UNIQUE INDEX TablesByName ON Tables(TableName COLLATE NOCASE);

CREATE TABLE Columns (
    ColumnID        INTEGER PRIMARY KEY AUTOINCREMENT,
    TabID           INTEGER NOT NULL REFERENCES Tables(TabID) DEFERRABLE INITIALLY DEFERRED,
    ColumnName      TEXT NOT NULL,
    Position        INTEGER,
    TypeID          INTEGER,
    Precision       INTEGER,
    Scale           INTEGER,
    Nullable        INTEGER NOT NULL DEFAULT 1,
    Description     TEXT,
    Origin          TEXT,
    SourceReference TEXT,
    CreatedAt       TEXT
);
CREATE UNIQUE INDEX ColumnsByName ON Columns(TabID, ColumnName COLLATE NOCASE);
CREATE INDEX ColumnsByPosition ON Columns(TabID, Position);

CREATE TABLE Indexes (
    IndexID         INTEGER PRIMARY KEY AUTOINCREMENT,
    TabID           INTEGER NOT NULL REFERENCES Tables(TabID) DEFERRABLE INITIALLY DEFERRED,
    IndexName       TEXT NOT NULL,
    IsPrimary       INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IndexesByTable ON Indexes(TabID);

CREATE TABLE IndexColumns (
    IndexID         INTEGER NOT NULL REFERENCES Indexes(IndexID) DEFERRABLE INITIALLY DEFERRED,
    ColumnID        INTEGER NOT NULL REFERENCES Columns(ColumnID) DEFERRABLE INITIALLY DEFERRED,
    Direction       TEXT,
    Position        INTEGER
);
CREATE INDEX IndexColumnsByIndex ON IndexColumns(IndexID);
CREATE INDEX IndexColumnsByColumn ON IndexColumns(ColumnID);

CREATE TABLE ForeignKeys (
    KeyID           INTEGER PRIMARY KEY AUTOINCREMENT,
    KeyName         TEXT NOT NULL,
    TabID           INTEGER NOT NULL REFERENCES Tables(TabID) DEFERRABLE INITIALLY DEFERRED,
    RefTabID        INTEGER NOT NULL REFERENCES Tables(TabID) DEFERRABLE INITIALLY DEFERRED
);
CREATE INDEX ForeignKeysByTable ON ForeignKeys(TabID);
CREATE INDEX ForeignKeysByRefTable ON ForeignKeys(RefTabID);

CREATE TABLE ForeignKeyColumns (
    KeyID           INTEGER NOT NULL REFERENCES ForeignKeys(KeyID) DEFERRABLE INITIALLY DEFERRED,
    ColumnID        INTEGER NOT NULL REFERENCES Columns(ColumnID) DEFERRABLE INITIALLY DEFERRED,
    RefColumnID     INTEGER NOT NULL REFERENCES Columns(ColumnID) DEFERRABLE INITIALLY DEFERRED
);
CREATE INDEX ForeignKeyColumnsByKey ON ForeignKeyColumns(KeyID);
)sql";

int pragma(const sqlite::Connection& db, const char* name) {
    auto statement = db.prepare(std::string("PRAGMA ") + name);
    return statement.step() ? static_cast<int>(statement.integer(0)) : 0;
}

} // namespace

void prepareProjectSchema(const sqlite::Connection& db) {
    const std::string file = db.path().string();
    int applicationId = 0;
    try {
        applicationId = pragma(db, "application_id");
    } catch (const Error& e) {
        throw Error("Cannot open the project database " + file + ": " + e.description());
    }
    const int version = pragma(db, "user_version");
    auto objects = db.prepare("SELECT count(*) FROM sqlite_master");
    objects.step();
    const bool empty = objects.integer(0) == 0;

    if (applicationId == 0 && version == 0 && empty) {
        db.exec("BEGIN IMMEDIATE");
        try {
            db.exec(kSchema);
            db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
            db.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
            db.exec("COMMIT");
        } catch (...) {
            db.exec("ROLLBACK");
            throw;
        }
        return;
    }
    if (applicationId != kApplicationId)
        throw Error(file + " is not a vorq project database (it is another SQLite database)");
    if (version > kSchemaVersion)
        throw Error(file + " was written by a newer vorq (schema version " +
                    std::to_string(version) + "; this program reads up to " +
                    std::to_string(kSchemaVersion) + ")");
}

} // namespace vorq::schematool
