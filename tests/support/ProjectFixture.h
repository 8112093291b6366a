#pragma once

#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "schematool/SqliteProjectDatabase.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <chrono>
#include <memory>

namespace vorq::testing {

// A schema tool over a fresh project database in a temporary workspace.
struct ProjectFixture {
    TempDir dir;
    headless::HeadlessToolkit toolkit;
    schematool::SchemaToolPlatform platform{toolkit, dir / "options.xml"};
    std::shared_ptr<schematool::SqliteProjectDatabase> db =
        std::make_shared<schematool::SqliteProjectDatabase>(
            dir / "project.db", sqlite::Connection::Mode::CreateIfMissing);
    std::shared_ptr<schematool::SchemaWorkspace> ws =
        std::make_shared<schematool::SchemaWorkspace>(platform, db);

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
    std::int64_t count(const std::string& sql) {
        auto s = db->connection().prepare(sql);
        s.step();
        return s.integer(0);
    }
};

} // namespace vorq::testing
