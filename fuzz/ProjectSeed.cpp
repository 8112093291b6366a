// Writes a project database with a keyed parent table and a child table that refers to it: the
// seed that the project database target mutates.
#include "projectdb/SqliteProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

std::int32_t addTable(vorq::schematool::SchemaWorkspace& ws, std::string name,
                      const std::vector<std::string>& columns) {
    std::string key = "K";
    std::int32_t tabId = -1;
    const auto now = std::chrono::system_clock::now();
    ws.TableAdd(name, tabId, key, now, "DataStructImport", "xr:K?1");
    for (const auto& column : columns) {
        std::int32_t type = 3, precision = 8, scale = 0;
        std::string message;
        ws.ColumnImport(tabId, column, type, precision, scale, now, "DataStructImport", "xr:K?2",
                        message);
    }
    ws.PrimaryAdd(tabId);
    return tabId;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_project_seed FILE\n";
        return 2;
    }
    const std::filesystem::path path = argv[1];
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::remove(path);
    vorq::headless::HeadlessToolkit toolkit;
    vorq::schematool::SchemaToolPlatform platform(toolkit, path.parent_path() / "options.xml");
    auto db = std::make_shared<vorq::projectdb::SqliteProjectDatabase>(
        path, vorq::projectdb::OpenMode::CreateIfMissing);
    vorq::schematool::SchemaWorkspace ws(platform, db);
    db->BeginTrans();
    std::int32_t parent = addTable(ws, "CUSTOMER", {"CUST_ID", "CUST_NAME"});
    std::int32_t child = addTable(ws, "CUSTOMER_ORDERS", {"CUST_ID", "IDX", "ORDER_AMT"});
    std::int32_t keyId = -1;
    ws.ForeignAdd(child, parent, "CUSTOMER_ORDERS_OCCURS", keyId);
    db->CommitTrans();
    return 0;
}
