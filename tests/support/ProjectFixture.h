#pragma once

#include "projectdb/SqlProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "sqlite/Sqlite.h"
#include "support/TempDir.h"
#include "support/TestEngines.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <chrono>
#include <memory>
#include <optional>

namespace vorq::testing {

// A schema tool over a fresh project database in a temporary workspace: an SQLite file there,
// or a scratch schema on the test server.
struct ProjectFixture {
    explicit ProjectFixture(Engine engine = Engine::SQLite)
        : schema(engine == Engine::PostgreSQL ? std::make_optional<ScratchSchema>() : std::nullopt),
          db(projectdb::openProjectDatabase(location(), projectdb::OpenMode::CreateIfMissing)),
          ws(std::make_shared<schematool::SchemaWorkspace>(platform, db)) {}

    // Where the project lives, as --project would name it.
    std::string location() const {
        return schema ? schema->conninfo() : (dir / "project.db").string();
    }

    TempDir dir;
    headless::HeadlessToolkit toolkit;
    schematool::SchemaToolPlatform platform{toolkit, dir / "options.xml"};
    std::optional<ScratchSchema> schema;
    std::shared_ptr<projectdb::SqlProjectDatabase> db;
    std::shared_ptr<schematool::SchemaWorkspace> ws;

    std::int32_t addTable(std::string name) {
        std::int32_t id = -1;
        std::string key = "K";
        if (!ws->TableAdd(name, id, key, std::chrono::system_clock::now(), "DataStructImport",
                          "xr:K?1"))
            throw std::runtime_error("TableAdd refused " + name);
        return id;
    }
    std::int32_t addColumn(std::int32_t tabId, const std::string& name, std::int32_t type = 4,
                           std::int32_t precision = 0, std::int32_t scale = 0) {
        std::string message;
        return ws->ColumnImport(tabId, name, type, precision, scale,
                                std::chrono::system_clock::now(), "DataStructImport", "xr:K?2",
                                message);
    }
    // Rewrites the project as versions 1 and 2 of the schema left it: no lineage at all, and
    // lineage in a table of its own. The fixture's own connection is closed first.
    void makeOlderSchema(int version) {
        std::string sql = version == 2 ? "CREATE TABLE Lineage (TabID integer, ColumnID integer, "
                                         "Role text, Occurrence integer); INSERT INTO Lineage "
                                         "SELECT TabID, NULL, LineageRole, LineageOccurrence FROM "
                                         "Tables WHERE LineageRole IS NOT NULL; INSERT INTO "
                                         "Lineage SELECT TabID, ColumnID, LineageRole, "
                                         "LineageOccurrence FROM Columns WHERE LineageRole IS NOT "
                                         "NULL; "
                                       : "";
        sql += "ALTER TABLE Tables DROP COLUMN LineageLayout; ";
        for (const char* table : {"Tables", "Columns"})
            for (const char* column : {"LineageRole", "LineageOccurrence"})
                sql += std::string("ALTER TABLE ") + table + " DROP COLUMN " + column + "; ";
        const std::string mark = std::to_string(version);
        ws.reset();
        db.reset();
        if (schema)
            postgres::Connection(location())
                .exec(sql + "UPDATE vorq_project SET value = '" + mark +
                      "' WHERE property = 'schema_version'");
        else
            sqlite::Connection(location(), sqlite::Connection::Mode::ReadWrite)
                .exec(sql + "PRAGMA user_version = " + mark);
    }
    // The first field of the first row of a query (0 when it has none).
    std::int64_t count(const std::string& sql) {
        auto s = db->prepare(sql);
        return s->step() ? s->integer(0) : 0;
    }
    // The first field of every row, joined by blanks.
    std::string texts(const std::string& sql) {
        std::string joined;
        for (auto s = db->prepare(sql); s->step();)
            joined += (joined.empty() ? "" : " ") + s->text(0);
        return joined;
    }
};

} // namespace vorq::testing
